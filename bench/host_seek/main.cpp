// Seeking every income-statement account of a demo journal on "UcMD" and on
// "UcD" and walking its lines through the host table interface, beside one SQL
// aggregation over the same file for reference.
//
//   host_seek [DIR] [--lines N] [--runs R]
//
// DIR holds a demo data root; its AGENDA.001/ROK.001/UCDENIK is used when it
// exists, otherwise a demo of N lines (default 1 000 000, one year) is made there
// first. Without DIR a temporary folder is used and removed afterwards.

#include "arvelo-host/demo_agenda.h"
#include "host/currency.h"
#include "host/host_collation.h"
#include "host/host_table.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <sqlite3.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace arvelo;

long peakMemoryKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Made in a child process so that the generator's memory does not count.
bool generate(const QString& root, long long lines) {
    std::fflush(stdout);
    const pid_t child = fork();
    if (child < 0) {
        return false;
    }
    if (child == 0) {
        demo::DemoOptions options;
        options.lines = lines;
        options.years = 1;
        QString error;
        const bool ok = demo::createDemoDataRoot(root, options, &error);
        if (!ok) {
            std::fprintf(stderr, "%s\n", error.toUtf8().constData());
        }
        _exit(ok ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

struct Totals {
    long long lines = 0;
    double days = 0; // the dates read, so that reading them is not optimised away
    std::map<QString, Currency> bySide[2]; // per account: debit lines, credit lines
};

bool incomeStatementAccounts(const QString& year, std::vector<QString>* accounts) {
    const std::unique_ptr<host::TBFTable> chart = host::TBFTable::create();
    const host::OpenTable closer(*chart);
    if (chart->Open(year + QStringLiteral("UCOSNOVA")) != host::result::Ok ||
        chart->SetIndex(QStringLiteral("Ucet")) != host::result::Ok) {
        std::fprintf(stderr, "%s\n", chart->LastError().toUtf8().constData());
        return false;
    }
    if (chart->RecordCount() <= 0) {
        return true;
    }
    const int ucet = chart->FieldIndex(QStringLiteral("Ucet"));
    const int druh = chart->FieldIndex(QStringLiteral("DruhUctu"));
    for (int rc = chart->First(); rc == host::result::Ok; rc = chart->Next()) {
        if (chart->Value(druh).toInt() == 2) {
            accounts->push_back(chart->Value(ucet).toString());
        }
    }
    return true;
}

// The reads of the computation: per account and side one Seek, then the lines
// while the side's account matches, reading UcMD, UcD, Castka and Datum.
bool seekAndWalk(const QString& journalPath, const std::vector<QString>& accounts, Totals* totals) {
    const std::unique_ptr<host::TBFTable> journal = host::TBFTable::create();
    const host::OpenTable closer(*journal);
    if (journal->Open(journalPath) != host::result::Ok) {
        std::fprintf(stderr, "%s\n", journal->LastError().toUtf8().constData());
        return false;
    }
    const int ucMD = journal->FieldIndex(QStringLiteral("UcMD"));
    const int ucD = journal->FieldIndex(QStringLiteral("UcD"));
    const int castka = journal->FieldIndex(QStringLiteral("Castka"));
    const int datum = journal->FieldIndex(QStringLiteral("Datum"));
    for (int side = 0; side < 2; ++side) {
        if (journal->SetIndex(side == 0 ? QStringLiteral("UcMD") : QStringLiteral("UcD")) !=
            host::result::Ok) {
            std::fprintf(stderr, "%s\n", journal->LastError().toUtf8().constData());
            return false;
        }
        const int key = side == 0 ? ucMD : ucD;
        for (const QString& account : accounts) {
            if (journal->Seek(account) != host::result::Found) {
                continue;
            }
            Currency sum;
            do {
                const QString md = journal->Value(ucMD).toString();
                const QString d = journal->Value(ucD).toString();
                if ((key == ucMD ? md : d).compare(account, Qt::CaseInsensitive) != 0) {
                    break;
                }
                sum += journal->Value(castka).toCurrency();
                totals->days += journal->Value(datum).toDate();
                ++totals->lines;
            } while (journal->Next() == host::result::Ok);
            totals->bySide[side][account] = sum;
        }
    }
    return true;
}

// One SQL aggregation per side over the same file.
bool aggregate(const QString& journalFile, Totals* totals) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(journalFile.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) !=
        SQLITE_OK) {
        sqlite3_close_v2(db);
        return false;
    }
    host::registerHostCollation(db);
    bool ok = true;
    const char* queries[2] = {"SELECT UcMD, sum(Castka), count(*) FROM UCDENIK GROUP BY UcMD",
                              "SELECT UcD, sum(Castka), count(*) FROM UCDENIK GROUP BY UcD"};
    for (int side = 0; side < 2 && ok; ++side) {
        sqlite3_stmt* stmt = nullptr;
        ok = sqlite3_prepare_v2(db, queries[side], -1, &stmt, nullptr) == SQLITE_OK;
        while (ok && sqlite3_step(stmt) == SQLITE_ROW) {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
            totals->bySide[side][QString::fromUtf8(text ? text : "")] =
                Currency::fromRaw(sqlite3_column_int64(stmt, 1));
            totals->lines += sqlite3_column_int64(stmt, 2);
        }
        sqlite3_finalize(stmt);
    }
    sqlite3_close_v2(db);
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    QString root;
    long long lines = 1000000;
    int runs = 3;
    for (int i = 1; i < argc; ++i) {
        const QString a = QString::fromLocal8Bit(argv[i]);
        if (a == u"--lines" && i + 1 < argc) {
            lines = QString::fromLocal8Bit(argv[++i]).toLongLong();
        } else if (a == u"--runs" && i + 1 < argc) {
            runs = std::max(1, QString::fromLocal8Bit(argv[++i]).toInt());
        } else {
            root = a;
        }
    }
    QTemporaryDir temp;
    if (root.isEmpty()) {
        root = temp.path();
    }
    const QString year = QDir(root).absolutePath() + QStringLiteral("/AGENDA.001/ROK.001/");
    const QString journalPath = year + QStringLiteral("UCDENIK");
    if (!QFileInfo::exists(journalPath + QStringLiteral(".DAT"))) {
        std::printf("Generating a demo journal of %lld lines in %s ...\n", lines, qPrintable(root));
        QElapsedTimer t;
        t.start();
        if (!generate(root, lines)) {
            std::fprintf(stderr, "demo generation failed\n");
            return 1;
        }
        std::printf("generated in %.1f s\n", double(t.elapsed()) / 1000.0);
    }
    std::vector<QString> accounts;
    if (!incomeStatementAccounts(year, &accounts)) {
        return 1;
    }
    long long journalLines = 0;
    {
        const std::unique_ptr<host::TBFTable> journal = host::TBFTable::create();
        if (journal->Open(journalPath) != host::result::Ok) {
            std::fprintf(stderr, "%s\n", journal->LastError().toUtf8().constData());
            return 1;
        }
        journalLines = journal->RecordCount();
        journal->Close();
    }
    std::printf("journal: %lld lines, %zu income-statement accounts\n", journalLines,
                accounts.size());

    Totals sql;
    Totals walk;
    double bestSql = 1e30;
    double bestWalk = 1e30;
    // The first SQL run also brings the file into the page cache for both.
    for (int run = 0; run < runs; ++run) {
        Totals s;
        QElapsedTimer t;
        t.start();
        if (!aggregate(journalPath + QStringLiteral(".DAT"), &s)) {
            std::fprintf(stderr, "SQL aggregation failed\n");
            return 1;
        }
        bestSql = std::min(bestSql, double(t.nsecsElapsed()) / 1e9);
        sql = s;
        Totals w;
        t.restart();
        if (!seekAndWalk(journalPath, accounts, &w)) {
            return 1;
        }
        bestWalk = std::min(bestWalk, double(t.nsecsElapsed()) / 1e9);
        walk = w;
    }
    // The walk must find what the aggregation finds for every account.
    long long mismatches = 0;
    for (int side = 0; side < 2; ++side) {
        for (const QString& account : accounts) {
            const auto it = sql.bySide[side].find(account);
            const Currency expected = it == sql.bySide[side].end() ? Currency() : it->second;
            const auto w = walk.bySide[side].find(account);
            const Currency got = w == walk.bySide[side].end() ? Currency() : w->second;
            mismatches += got == expected ? 0 : 1;
        }
    }
    std::printf("seek+walk (UcMD and UcD): %lld lines in %.3f s = %.0f lines/s (best of %d)\n",
                walk.lines, bestWalk, double(walk.lines) / bestWalk, runs);
    std::printf("SQL GROUP BY UcMD, UcD  : %lld lines in %.3f s = %.0f lines/s (best of %d)\n",
                sql.lines, bestSql, double(sql.lines) / bestSql, runs);
    std::printf("ratio seek+walk / SQL   : %.2f\n", bestWalk / bestSql);
    std::printf("account sums differing  : %lld\n", mismatches);
    std::printf("peak memory (ru_maxrss) : %ld KiB\n", peakMemoryKiB());
    return mismatches == 0 ? 0 : 1;
}
