// Lookup speed of the in-memory table as the computation uses it: one hashed
// find of the turnover row (group key, account) and one of the group per
// journal line, plus the amount added to the row. Prints operations per second
// of processor time.
//
//   bench_memtable [groups] [accounts] [lookups]

#include "ui/mem_table.h"

#include <QCoreApplication>
#include <QString>
#include <cstdio>
#include <ctime>
#include <random>
#include <sys/resource.h>
#include <vector>

using namespace arvelo;
using namespace arvelo::ui;

namespace {

// Processor time of this process: the machine may be shared, and wall time
// would then measure the neighbours.
double cpuSeconds() {
    return double(std::clock()) / CLOCKS_PER_SEC;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int groups = argc > 1 ? std::atoi(argv[1]) : 2000;
    const int accounts = argc > 2 ? std::atoi(argv[2]) : 100;
    const long lookups = argc > 3 ? std::atol(argv[3]) : 5000000;

    TMemTable obraty({{"Zkratka", FieldType::Text, 255},
                      {"Ucet", FieldType::Text, 6},
                      {"ObratMD", FieldType::Amount},
                      {"ObratD", FieldType::Amount},
                      {"PSMD", FieldType::Amount},
                      {"PSD", FieldType::Amount},
                      {"Nakladovy", FieldType::Boolean},
                      {"Nazev", FieldType::Text, 100}});
    const int pair = obraty.addIndex({"ZkratkaUcet", {"Zkratka", "Ucet"}});
    obraty.addIndex({"Zkratka", {"Zkratka"}}); // serves the filters of the summation
    TMemTable skupiny({{"Zkratka", FieldType::Text, 255},
                       {"Nazev", FieldType::Text, 50},
                       {"ID", FieldType::Integer, 0, true}});
    const int group = skupiny.addIndex({"Zkratka", {"Zkratka"}});

    // Keys as a journal reader holds them: QStrings read once per line, in
    // mixed case (Czech letters included), so that the finds must fold case.
    std::vector<QString> keys;
    std::vector<QString> keysOtherCase;
    for (int g = 0; g < groups; ++g) {
        keys.push_back(QStringLiteral("Zakázka-Ř%1").arg(g));
        keysOtherCase.push_back(keys.back().toUpper());
    }
    std::vector<QString> accountNumbers;
    for (int a = 0; a < accounts; ++a) {
        accountNumbers.push_back(QString::number(501000 + a * 7));
    }

    double start = cpuSeconds();
    const QString name = QStringLiteral("Název účtu");
    for (int g = 0; g < groups; ++g) {
        skupiny.appendRecord({keys[g]});
        for (int a = 0; a < accounts; ++a) {
            obraty.appendRecord({keys[g], accountNumbers[a], Currency(), Currency(), Currency(),
                                 Currency(), a % 2 == 0, name});
        }
    }
    const double appendSeconds = cpuSeconds() - start;
    const long rows = long(groups) * accounts;

    // Random rows: the worst case, every find a cache miss. Account order:
    // the journal is read account by account, so the account repeats and the
    // group changes from line to line.
    std::mt19937 random(42);
    std::vector<std::pair<int, int>> randomOrder(1 << 16);
    for (auto& [g, a] : randomOrder) {
        g = int(random() % unsigned(groups));
        a = int(random() % unsigned(accounts));
    }
    std::vector<std::pair<int, int>> accountOrder(1 << 16);
    for (std::size_t i = 0; i < accountOrder.size(); ++i) {
        accountOrder[i] = {int(random() % unsigned(groups)), int(i / 256 % unsigned(accounts))};
    }

    const int debit = obraty.fieldIndex(u"ObratMD");
    const Currency amount = Currency::fromRaw(12345);
    long missing = 0;
    auto run = [&](const std::vector<std::pair<int, int>>& order, bool views) {
        const double from = cpuSeconds();
        for (long i = 0; i < lookups; ++i) {
            const auto [g, a] = order[i & 0xFFFF];
            const QString& key = (i & 1) ? keysOtherCase[g] : keys[g];
            const RecId row = views ? obraty.findText(pair, {key, accountNumbers[a]})
                                    : obraty.find(pair, {key, accountNumbers[a]});
            const RecId grp = views ? skupiny.findText(group, {key}) : skupiny.find(group, {key});
            if (row == NoRecord || grp == NoRecord) {
                ++missing;
                continue;
            }
            obraty.addCurrencyAt(row, debit, amount);
        }
        return cpuSeconds() - from;
    };
    const double randomSeconds = run(randomOrder, false);
    const double orderedSeconds = run(accountOrder, false);
    const double randomViewSeconds = run(randomOrder, true);
    const double orderedViewSeconds = run(accountOrder, true);

    // The group summation as a filter per group and side: the filter names
    // the indexed key, so each costs the group's rows, not the table.
    const int costFlag = obraty.fieldIndex(u"Nakladovy");
    double filterSeconds = cpuSeconds();
    Currency filtered;
    obraty.setFiltered(true);
    for (int g = 0; g < groups; ++g) {
        for (const char* side : {"True", "False"}) {
            QString key = keys[g];
            key.replace(u'\'', QStringLiteral("''"));
            obraty.setFilter(
                QStringLiteral("(Zkratka = '%1') AND (Nakladovy = %2)").arg(key, side));
            for (RecId id : obraty.viewIds()) {
                filtered += obraty.currencyAt(id, debit);
                (void)obraty.boolAt(id, costFlag);
            }
        }
    }
    obraty.setFiltered(false);
    filterSeconds = cpuSeconds() - filterSeconds;

    Currency total;
    for (RecId id : obraty.viewIds()) {
        total += obraty.currencyAt(id, debit);
    }
    const bool sumOk =
        filtered == total && total == Currency::fromRaw(12345 * 4 * lookups) && missing == 0;

    std::printf("rows of mtObraty:             %ld (%d groups x %d accounts)\n", rows, groups,
                accounts);
    std::printf("appends (both tables):        %.0f rows/s\n", rows / appendSeconds);
    std::printf("journal lines, random rows:   %.0f lines/s (2 finds + 1 add each)\n",
                lookups / randomSeconds);
    std::printf("hashed finds, random rows:    %.0f finds/s\n", 2.0 * lookups / randomSeconds);
    std::printf("journal lines, account order: %.0f lines/s\n", lookups / orderedSeconds);
    std::printf("hashed finds, account order:  %.0f finds/s\n", 2.0 * lookups / orderedSeconds);
    std::printf("the same with findText (text keys as views):\n");
    std::printf("hashed finds, random rows:    %.0f finds/s\n", 2.0 * lookups / randomViewSeconds);
    std::printf("hashed finds, account order:  %.0f finds/s\n", 2.0 * lookups / orderedViewSeconds);
    std::printf("group sums through filters:   %d groups in %.3f s (%.0f filters/s)\n", groups,
                filterSeconds, 2.0 * groups / filterSeconds);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak memory:                  %.0f MB (%.0f bytes per row of mtObraty)\n",
                usage.ru_maxrss / 1024.0, usage.ru_maxrss * 1024.0 / double(rows));
    std::printf("check:                        %s\n", sumOk ? "sums exact" : "WRONG SUM");
    return sumOk ? 0 : 1;
}
