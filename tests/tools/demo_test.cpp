#include "arvelo-host/demo_agenda.h"
#include "arvelo-host/table_csv.h"
#include "host/day_date.h"
#include "host/host_paths.h"
#include "host/host_table.h"
#include "rights/access_rights.h"
#include "rights/pristup_prava.h"
#include "rights/rights_prompts.h"
#include "rights/scramble.h"
#include "scratch_dir.h"

#include <QBuffer>
#include <QDirIterator>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>
#include <memory>

namespace arvelo::demo {
namespace {

using host::result::Found;
using host::result::Ok;

constexpr long long DemoLines = 3000;

class DemoAgenda : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_dir = std::make_unique<QTemporaryDir>(arvelo::testing::scratchTemplate());
        ASSERT_TRUE(s_dir->isValid());
        DemoOptions options;
        options.lines = DemoLines;
        options.seed = 7;
        QString error;
        ASSERT_TRUE(createDemoDataRoot(s_dir->path(), options, &error)) << error.toStdString();
    }
    static void TearDownTestSuite() { s_dir.reset(); }

    static QString root() { return s_dir->path() + u'/'; }
    static QString year(int n) {
        return root() + QStringLiteral("AGENDA.001/ROK.%1/").arg(n, 3, 10, QChar(u'0'));
    }

    static std::unique_ptr<host::TBFTable> open(const QString& path,
                                                const QString& index = QString()) {
        auto t = host::TBFTable::create();
        EXPECT_EQ(t->Open(path), Ok) << path.toStdString() << ": " << t->LastError().toStdString();
        if (!index.isEmpty()) {
            EXPECT_EQ(t->SetIndex(index), Ok) << t->LastError().toStdString();
        }
        return t;
    }

    // Every table file of a data root dumped as CSV, by relative path.
    static std::map<QString, QByteArray> dumpAll(const QString& dataRoot) {
        std::map<QString, QByteArray> out;
        QDirIterator it(dataRoot, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next();
            QFile f(file);
            EXPECT_TRUE(f.open(QIODevice::ReadOnly));
            QByteArray content = f.readAll();
            if (file.endsWith(QStringLiteral(".DAT"))) {
                QBuffer buffer;
                buffer.open(QIODevice::WriteOnly);
                QString error;
                EXPECT_TRUE(hosttool::dumpTable(file.chopped(4), QString(), buffer, &error))
                    << error.toStdString();
                content = buffer.data();
            }
            out[file.mid(dataRoot.size())] = content;
        }
        return out;
    }

    static std::unique_ptr<QTemporaryDir> s_dir;
};

std::unique_ptr<QTemporaryDir> DemoAgenda::s_dir;

TEST_F(DemoAgenda, SameSeedGivesTheSameDataAndAnotherSeedOtherData) {
    QTemporaryDir again(arvelo::testing::scratchTemplate());
    DemoOptions options;
    options.lines = DemoLines;
    options.seed = 7;
    QString error;
    ASSERT_TRUE(createDemoDataRoot(again.path(), options, &error)) << error.toStdString();
    const auto first = dumpAll(root());
    const auto second = dumpAll(again.path() + u'/');
    ASSERT_EQ(first.size(), second.size());
    for (const auto& [path, content] : first) {
        ASSERT_TRUE(second.count(path)) << path.toStdString();
        EXPECT_TRUE(second.at(path) == content) << path.toStdString();
    }

    QTemporaryDir other(arvelo::testing::scratchTemplate());
    options.seed = 8;
    options.lines = 400;
    options.years = 1;
    ASSERT_TRUE(createDemoDataRoot(other.path(), options, &error));
    QTemporaryDir otherAgain(arvelo::testing::scratchTemplate());
    options.seed = 9;
    ASSERT_TRUE(createDemoDataRoot(otherAgain.path(), options, &error));
    const QString journal = QStringLiteral("/AGENDA.001/ROK.001/UCDENIK.DAT");
    EXPECT_FALSE(dumpAll(other.path())[journal] == dumpAll(otherAgain.path())[journal]);
}

TEST_F(DemoAgenda, WritesTheFoldersAndSettingsOfADataRoot) {
    EXPECT_FALSE(
        host::paths::exists(root() + QStringLiteral("PrisUziv.dat"))); // the newer rights layout
    for (const char* file :
         {"PRISTUP.DAT", "PRISTUP2.DAT", "AGENDA.001/AGENDA.INI", "AGENDA.001/ADRESARF.DAT",
          "AGENDA.001/ROK.001/ROK.INI", "AGENDA.001/ROK.002/ROK.INI", "AGENDA.002/AGENDA.DAT",
          "AGENDA.002/UCDPHOBD.DAT", "AGENDA.002/ROK.001/ROK.DAT",
          "AGENDA.002/ROK.001/UCDENIK.DAT"}) {
        EXPECT_TRUE(QFile::exists(root() + QString::fromLatin1(file))) << file;
    }
    EXPECT_FALSE(QFile::exists(root() + QStringLiteral("AGENDA.002/ROK.001/ROK.INI")));
    EXPECT_FALSE(QFile::exists(root() + QStringLiteral("AGENDA.001/UCDPHOBD.DAT")));

    QFile ini(root() + QStringLiteral("AGENDA.001/AGENDA.INI"));
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    const QString agenda = QString::fromUtf8(ini.readAll());
    EXPECT_TRUE(agenda.contains(QStringLiteral("[Údaje o firmě]")));
    EXPECT_TRUE(agenda.contains(QStringLiteral("Název-obchodní=")));
    EXPECT_TRUE(agenda.contains(QStringLiteral("IČO=25596641")));
    QFile rok(year(2) + QStringLiteral("ROK.INI"));
    ASSERT_TRUE(rok.open(QIODevice::ReadOnly));
    const QString rokText = QString::fromUtf8(rok.readAll());
    EXPECT_TRUE(rokText.contains(QStringLiteral("Účetní rok=2025")));
    EXPECT_TRUE(
        rokText.contains(QStringLiteral("Hospodářský rok od=45657"))); // 1.1.2025 is day 45658
    EXPECT_TRUE(rokText.contains(QStringLiteral("Podvojné účetnictví=Y")));

    // Table-form settings are found by section and key.
    auto settings =
        open(root() + QStringLiteral("AGENDA.002/AGENDA"), QStringLiteral("Section1+Variable"));
    ASSERT_EQ(settings->Seek2(QStringLiteral("údaje o firmě"), QStringLiteral("IČO")), Found);
    EXPECT_EQ(settings->Value(QStringLiteral("Value")).toString(), QStringLiteral("27082440"));
    auto yearSettings = open(root() + QStringLiteral("agenda.002/rok.001/ROK"),
                             QStringLiteral("Section1+Variable"));
    ASSERT_EQ(yearSettings->Seek2(QStringLiteral("Global"), QStringLiteral("Hospodářský rok do")),
              Found);
    EXPECT_EQ(yearSettings->Value(QStringLiteral("Value")).toInt(),
              45656); // 31.12.2024 is day 45657
    auto periods = open(root() + QStringLiteral("AGENDA.002/UCDPHOBD"), QStringLiteral("DatumOd"));
    EXPECT_GT(periods->RecordCount(), 0);
}

TEST_F(DemoAgenda, HasTheThreeUsersOfTheNewerRightsLayout) {
    auto users = open(root() + QStringLiteral("PRISTUP"));
    auto second = open(root() + QStringLiteral("PRISTUP2"));
    ASSERT_EQ(users->RecordCount(), 3);
    QSet<QString> secondPasswords;
    for (int rc = second->First(); rc == Ok; rc = second->Next()) {
        secondPasswords.insert(second->Value(QStringLiteral("Password")).toString());
    }
    int fullWithoutPassword = 0;
    int withoutModule = 0;
    int readOnly = 0;
    for (int rc = users->First(); rc == Ok; rc = users->Next()) {
        const QString password = users->Value(QStringLiteral("Password")).toString();
        EXPECT_TRUE(secondPasswords.contains(password));
        const QString module = users->Value(QStringLiteral("Vysledovka")).toString();
        const QString admin = users->Value(QStringLiteral("Pristupova")).toString();
        fullWithoutPassword += password.isEmpty() && module == u"A" && admin == u"A" ? 1 : 0;
        withoutModule += module != u"A" && module != u"R" ? 1 : 0;
        readOnly += module == u"R" && admin == u"R" ? 1 : 0;
        if (!password.isEmpty()) {
            EXPECT_NE(rights::Scramble(password), password); // stored scrambled
        }
    }
    EXPECT_EQ(fullWithoutPassword, 1);
    EXPECT_EQ(withoutModule, 1);
    EXPECT_EQ(readOnly, 1);
}

TEST_F(DemoAgenda, ChartOfAccountsIsCzechStyle) {
    auto chart = open(year(1) + QStringLiteral("UCOSNOVA"), QStringLiteral("Ucet"));
    int incomeStatement = 0;
    int notTax = 0;
    int untyped = 0;
    QSet<QChar> classes;
    for (int rc = chart->First(); rc == Ok; rc = chart->Next()) {
        const QString ucet = chart->Value(QStringLiteral("Ucet")).toString();
        EXPECT_EQ(ucet.size(), 6);
        classes.insert(ucet.front());
        if (chart->Value(QStringLiteral("DruhUctu")).toInt() == 2) {
            ++incomeStatement;
            const auto typ = chart->Value(QStringLiteral("UcetTyp")).toInt();
            untyped += typ != 3 && typ != 4 ? 1 : 0;
            notTax += chart->Value(QStringLiteral("UcetPodTyp")).toInt() == 4 ? 1 : 0;
            EXPECT_TRUE(ucet.startsWith(u'5') || ucet.startsWith(u'6'));
        }
    }
    EXPECT_GE(incomeStatement, 400);
    EXPECT_LE(incomeStatement, 650);
    EXPECT_GT(notTax, 10);
    EXPECT_EQ(untyped, 1);
    EXPECT_EQ(classes, (QSet<QChar>{u'0', u'1', u'2', u'3', u'4', u'5', u'6', u'7'}));
    ASSERT_EQ(chart->Seek(QString::fromLatin1(edge::UntypedAccount)), Found);
    EXPECT_EQ(chart->Value(QStringLiteral("UcetTyp")).toInt(), 0);
}

// The awkward cases the computation must handle are all in the journal.
TEST_F(DemoAgenda, JournalHoldsEveryEdgeCase) {
    long long total = 0;
    for (int y = 1; y <= 2; ++y) {
        SCOPED_TRACE(y);
        const QDate first(2023 + y, 1, 1);
        const QDate last(2023 + y, 12, 31);
        auto journal = open(year(y) + QStringLiteral("UCDENIK"));
        auto orders = open(year(y) + QStringLiteral("ZAKAZKY"), QStringLiteral("Zkrat"));
        EXPECT_GT(orders->RecordCount(), 100);
        QSet<QString> sources;
        std::map<QString, int> count;
        for (int rc = journal->First(); rc == Ok; rc = journal->Next()) {
            ++total;
            const QString zdroj = journal->Value(QStringLiteral("Zdroj")).toString();
            const QString md = journal->Value(QStringLiteral("UcMD")).toString();
            const QString d = journal->Value(QStringLiteral("UcD")).toString();
            const double datum = journal->Value(QStringLiteral("Datum")).toDate();
            const QString ico = journal->Value(QStringLiteral("ParICO")).toString();
            const QString ad = journal->Value(QStringLiteral("AdCislo")).toString();
            const QString order = journal->Value(QStringLiteral("Zakazka")).toString();
            sources.insert(zdroj);
            if (zdroj == u"XP") {
                EXPECT_EQ(datum, daydate::fromDate(first));
                count["XP on income statement"] +=
                    md.startsWith(u'5') || d.startsWith(u'6') ? 1 : 0;
            } else if (zdroj == u"XZ") {
                EXPECT_EQ(datum, daydate::fromDate(last));
                EXPECT_TRUE(md == QLatin1String(edge::ProfitAndLoss) ||
                            d == QLatin1String(edge::ProfitAndLoss));
            } else {
                count["undated"] += datum == 0 ? 1 : 0;
            }
            count["deleted"] += journal->Value(QStringLiteral("Del")).toBool() ? 1 : 0;
            count["free"] += journal->Value(QStringLiteral("Free")).toBool() ? 1 : 0;
            const auto isIncome = [](const QString& a) {
                return a.startsWith(u'5') || a.startsWith(u'6');
            };
            count["income pair"] += isIncome(md) && isIncome(d) && zdroj != u"XZ" ? 1 : 0;
            count["ico with blanks"] += ico.contains(u' ') ? 1 : 0;
            count["ico without blanks"] += ico.size() == 8 ? 1 : 0;
            count["address 0"] += ad == u"0" ? 1 : 0;
            count["address missing"] += ad.isEmpty() ? 1 : 0;
            count["untyped account"] += md == QLatin1String(edge::UntypedAccount) ? 1 : 0;
            for (const char* code : {edge::MissingOrder, edge::CasePairUpper, edge::CasePairLower,
                                     edge::CasePair2Upper, edge::CasePair2Lower}) {
                count[code] += order == QString::fromUtf8(code) ? 1 : 0;
            }
        }
        EXPECT_EQ(sources,
                  (QSet<QString>{QStringLiteral("FV"), QStringLiteral("FP"), QStringLiteral("BK"),
                                 QStringLiteral("PK"), QStringLiteral("ID"), QStringLiteral("KZ"),
                                 QStringLiteral("KP"), QStringLiteral("SK"), QStringLiteral("XP"),
                                 QStringLiteral("XZ")}));
        for (const auto& [what, n] : count) {
            EXPECT_GT(n, 0) << what.toStdString();
        }
        // Both spellings are listed; the missing code is not, not even in another case.
        for (const char* code : {edge::CasePairUpper, edge::CasePairLower, edge::CasePair2Lower}) {
            ASSERT_EQ(orders->Seek(QString::fromUtf8(code)), Found) << code;
        }
        int spellings = 0;
        const QString pair = QString::fromUtf8(edge::CasePair2Upper);
        if (orders->Seek(pair) == Found) {
            do {
                if (orders->Value(QStringLiteral("Zkrat"))
                        .toString()
                        .compare(pair, Qt::CaseInsensitive) != 0) {
                    break;
                }
                ++spellings;
            } while (orders->Next() == Ok);
        }
        EXPECT_EQ(spellings, 2);
        EXPECT_NE(orders->Seek(QString::fromUtf8(edge::MissingOrder)), Found);
    }
    EXPECT_EQ(total, DemoLines);
}

// Every register line leads to its document, and the document to its lines.
TEST_F(DemoAgenda, RegisterLinesPointToDocumentsWithLinesAndVat) {
    struct Register {
        const char* zdroj;
        const char* header;
        const char* key;
        const char* items;
        const char* itemIndex;
        const char* distribution;
        QStringList vatFields;
    };
    const Register registers[] = {
        {"FV",
         "VFAKTURY",
         "Cislo",
         "VFAKTPOL",
         "Cislo+Poradi",
         nullptr,
         {"Zaklad_1", "Zaklad_2", "DPH_2"}},
        {"FP",
         "PFAKTURY",
         "Cislo",
         "PFAKTPOL",
         "Cislo+Poradi",
         nullptr,
         {"Zaklad_1", "Zaklad_2", "DPH_2"}},
        {"BK", "BANKKNIH", "Cislo", "POLUCDBK", "CISLO", "ROZPUBK", {"Zakl0"}},
        {"PK", "POKLKNIH", "Cislo", "POLUCDPK", "CISLO", "ROZPUPK", {"ZaklZS", "DPHZS", "ZaklSS"}},
        {"ID", "INTDOKL", "Cislo", "POLUCDID", "CISLO", "ROZPUID", {"Zakl0"}},
        {"KZ", "KNIHZAV", "Cislo", "POLUCDKZ", "CISLO", "ROZPUKZ", {"ZaklZS", "DPHZS"}},
        {"KP", "KNIHPOHL", "Cislo", "POLUCDKP", "CISLO", "ROZPUKP", {"ZaklZS", "DPHZS"}},
        {"SK",
         "SKSEZDOK",
         "CDokladu",
         "SKSEZPOL",
         "TypDokladu+CDokladu+CisloPoloz",
         nullptr,
         {"Zaklad0", "Zaklad5", "Zaklad22", "DPH22"}},
    };
    auto journal = open(year(1) + QStringLiteral("UCDENIK"));
    std::map<QString, QSet<long long>> keys;
    for (int rc = journal->First(); rc == Ok; rc = journal->Next()) {
        keys[journal->Value(QStringLiteral("Zdroj")).toString()].insert(
            journal->Value(QStringLiteral("ZRadek")).toInt());
    }
    for (const Register& r : registers) {
        SCOPED_TRACE(r.zdroj);
        auto header = open(year(1) + QString::fromLatin1(r.header), QString::fromLatin1(r.key));
        auto items = open(year(1) + QString::fromLatin1(r.items), QString::fromLatin1(r.itemIndex));
        std::unique_ptr<host::TBFTable> distribution;
        if (r.distribution) {
            distribution =
                open(year(1) + QString::fromLatin1(r.distribution), QStringLiteral("CisDokladu"));
        }
        const QSet<long long>& numbers = keys[QString::fromLatin1(r.zdroj)];
        ASSERT_FALSE(numbers.isEmpty());
        int foreign = 0;
        int withSetParts = 0;
        QSet<QString> vatSeen;
        for (long long n : numbers) {
            ASSERT_EQ(header->Seek(std::int64_t(n)), Found) << n;
            for (const QString& f : r.vatFields) {
                if (!header->Value(f).toCurrency().isZero()) {
                    vatSeen.insert(f);
                }
            }
            const QString mena = header->Value(QStringLiteral("Mena")).toString();
            if (!mena.isEmpty()) {
                ++foreign;
                EXPECT_NE(header->Value(QStringLiteral("Kurs")).toCurrency(),
                          Currency::fromUnits(1));
            }
            bool hasLines = false;
            if (QLatin1String(r.zdroj) == QLatin1String("SK")) {
                const std::int64_t cfaktury = header->Value(QStringLiteral("CFaktury")).toInt();
                const host::Variant itemKey =
                    cfaktury != 0 ? host::Variant(cfaktury) : host::Variant(std::int64_t(n));
                ASSERT_EQ(items->Seek2(header->Value(QStringLiteral("DSkamaPohy")), itemKey), Found)
                    << n;
                hasLines = true;
                for (int rc = Found; rc != host::result::NoMore; rc = items->Next()) {
                    if (items->Value(QStringLiteral("CDokladu")).toInt() != itemKey.toInt()) {
                        break;
                    }
                    withSetParts += items->Value(QStringLiteral("MasterCisl")).toInt() != 0 ? 1 : 0;
                }
            } else {
                hasLines = items->Seek(std::int64_t(n)) == Found;
                if (!hasLines && distribution) {
                    hasLines = distribution->Seek(std::int64_t(n)) == Found;
                }
            }
            EXPECT_TRUE(hasLines) << n;
        }
        EXPECT_EQ(vatSeen, QSet<QString>(r.vatFields.begin(), r.vatFields.end()));
        if (QLatin1String(r.zdroj) == QLatin1String("FV") ||
            QLatin1String(r.zdroj) == QLatin1String("FP")) {
            EXPECT_GT(foreign, 0);
        }
        if (QLatin1String(r.zdroj) == QLatin1String("SK")) {
            EXPECT_GT(withSetParts, 0);
        }
    }
}

TEST_F(DemoAgenda, SmallAgendaUsesTheMultiRateVatRows) {
    auto invoices = open(root() + QStringLiteral("AGENDA.002/ROK.001/VFAKTURY"));
    int thirdRow = 0;
    int placed = 0;
    for (int rc = invoices->First(); rc == Ok; rc = invoices->Next()) {
        thirdRow +=
            invoices->Value(QStringLiteral("SazbaDPH3")).toCurrency() == Currency::fromUnits(10)
                ? 1
                : 0;
        placed += invoices->Value(QStringLiteral("PorDPH_1")).toInt() == 1 ? 1 : 0;
    }
    EXPECT_GT(thirdRow, 0);
    EXPECT_GT(placed, 0);
}

// What the computation does: per income-statement account one Seek on "UcMD"
// and one on "UcD", then the lines while the account matches. The lines so
// found must be exactly those a full walk finds.
TEST_F(DemoAgenda, SeekingEveryAccountOnBothIndexesFindsEveryLine) {
    auto chart = open(year(1) + QStringLiteral("UCOSNOVA"), QStringLiteral("Ucet"));
    auto journal = open(year(1) + QStringLiteral("UCDENIK"));
    std::map<QString, std::pair<long long, Currency>> brute[2];
    for (int rc = journal->First(); rc == Ok; rc = journal->Next()) {
        const Currency castka = journal->Value(QStringLiteral("Castka")).toCurrency();
        for (int side = 0; side < 2; ++side) {
            auto& cell =
                brute[side]
                     [journal->Value(side == 0 ? QStringLiteral("UcMD") : QStringLiteral("UcD"))
                          .toString()
                          .toUpper()];
            ++cell.first;
            cell.second += castka;
        }
    }
    int accounts = 0;
    int accountsWithLines = 0;
    for (int rc = chart->First(); rc == Ok; rc = chart->Next()) {
        if (chart->Value(QStringLiteral("DruhUctu")).toInt() != 2) {
            continue;
        }
        ++accounts;
        const QString account = chart->Value(QStringLiteral("Ucet")).toString();
        for (int side = 0; side < 2; ++side) {
            const QString field = side == 0 ? QStringLiteral("UcMD") : QStringLiteral("UcD");
            ASSERT_EQ(journal->SetIndex(field), Ok);
            long long lines = 0;
            Currency sum;
            if (journal->Seek(account) == Found) {
                do {
                    if (journal->Value(field).toString().compare(account, Qt::CaseInsensitive) !=
                        0) {
                        break;
                    }
                    ++lines;
                    sum += journal->Value(QStringLiteral("Castka")).toCurrency();
                } while (journal->Next() == Ok);
                EXPECT_GT(lines, 0) << account.toStdString(); // a seek reports 7 only on a match
            }
            const auto it = brute[side].find(account.toUpper());
            const long long expected = it == brute[side].end() ? 0 : it->second.first;
            EXPECT_EQ(lines, expected) << account.toStdString() << " " << field.toStdString();
            if (it != brute[side].end()) {
                EXPECT_EQ(sum, it->second.second) << account.toStdString();
            }
            accountsWithLines += lines > 0 ? 1 : 0;
        }
    }
    EXPECT_GT(accounts, 400);
    EXPECT_GT(accountsWithLines, 100);
}

// The rights readers accept the demo's users in either layout: the same three
// users by their passwords, one without the module's right, one read-only.
TEST(DemoRights, BothLayoutsOfTheHostRightsReadBackTheSameUsers) {
    for (const bool older : {false, true}) {
        QTemporaryDir dir(arvelo::testing::scratchTemplate());
        ASSERT_TRUE(dir.isValid());
        DemoOptions options;
        options.lines = 200;
        options.olderRights = older;
        QString error;
        ASSERT_TRUE(createDemoDataRoot(dir.path(), options, &error)) << error.toStdString();
        const QString root = dir.path() + u'/';
        EXPECT_EQ(host::paths::exists(root + QStringLiteral("PRISUZIV.DAT")), older);
        EXPECT_EQ(host::paths::exists(root + QStringLiteral("PRISTUP.DAT")), !older);

        struct Case {
            const char* password;
            const char* name;
            int vysledovka;
        };
        const Case cases[] = {
            {"", "Správce", 2}, {"novak", "Petr Novák", 0}, {"jana", "Jana Dvořáková", 1}};
        // The older layout logs an empty password in by the operating-system
        // user name; the demo's administrator is "spravce" there.
        const QByteArray savedUser = qgetenv("USERNAME");
        qputenv("USERNAME", "spravce");
        for (const Case& c : cases) {
            rights::TS3AccessRights r(root);
            ASSERT_TRUE(r.CheckUser(QString::fromUtf8(c.password)))
                << older << " " << c.password << ": " << r.LastError().toStdString();
            EXPECT_EQ(r.NovyFormat(), !older);
            EXPECT_EQ(r.Jmeno(), QString::fromUtf8(c.name));
            EXPECT_EQ(int(r.Vysledovka()), c.vysledovka) << older << " " << c.password;
        }
        // A login for an unknown password is refused in both layouts.
        rights::TS3AccessRights unknown(root);
        EXPECT_FALSE(unknown.CheckUser(QStringLiteral("nikdo")));
        if (savedUser.isNull()) {
            qunsetenv("USERNAME");
        } else {
            qputenv("USERNAME", savedUser);
        }
    }
}

namespace {
// Records the boxes instead of showing them.
class QuietPrompts final : public rights::TRightsPrompts {
public:
    QStringList said;
    void Chyba(const QString& t) override { said << t; }
    void Varovani(const QString& t) override { said << t; }
    void Informace(const QString& t) override { said << t; }
    void ZobrazitPracuji(const QString&) override {}
    void SkrytPracuji() override {}
    bool Spustit(QDialog&) override { return false; }
};
class NoLists final : public rights::TVyberySeznamu {
public:
    QString UpravitSeznam(const QString& seznam, int) override { return seznam; }
    QString VybratZeSeznamu(int, const QString&) override { return {}; }
};
} // namespace

// AGENDA.002 keeps extended rights: the administrator and Jana are listed, Jana
// with fixed filters; Petr is not listed and may not run the module there.
TEST_F(DemoAgenda, TheSmallAgendaUsesExtendedRights) {
    QuietPrompts prompts;
    NoLists lists;
    rights::TPristupPrava prava(root() + QStringLiteral("AGENDA.002/"), root(), rights::KlicPrav(),
                                prompts, lists);
    ASSERT_EQ(prava.Overit(QStringLiteral("jana")), 0);
    EXPECT_TRUE(prava.RozsirenaPrava());
    EXPECT_TRUE(prava.SmiSpustit());
    EXPECT_TRUE(prava.JeZamceno(rights::TFiltr::Zakazky));
    EXPECT_FALSE(prava.JeZamceno(rights::TFiltr::Ucty));
    ASSERT_EQ(prava.Overit(QStringLiteral("novak")), 0);
    EXPECT_FALSE(prava.SmiSpustit());
    ASSERT_EQ(prava.Overit(QString()), 0);
    EXPECT_TRUE(prava.SmiSpustit());
    EXPECT_TRUE(prompts.said.isEmpty()) << prompts.said.join(u'|').toStdString();

    // AGENDA.001 keeps standard rights: the host's module right decides.
    rights::TPristupPrava standard(root() + QStringLiteral("AGENDA.001/"), root(),
                                   rights::KlicPrav(), prompts, lists);
    ASSERT_EQ(standard.Overit(QStringLiteral("novak")), 0);
    EXPECT_FALSE(standard.RozsirenaPrava());
    EXPECT_FALSE(standard.SmiSpustit());
}

} // namespace
} // namespace arvelo::demo
