// The whole computation of an income statement on demo agendas of two years,
// ungrouped, grouped by orders and grouped by months, beside one SQL GROUP BY
// (group key, account) over the same journal files.
//
//   bench_compute [DIR] [--lines N]... [--only none|orders|months] [--runs R]
//
// DIR keeps the demo data roots (DIR/<N>/) between runs; without it they are
// made in a temporary folder. Without --lines: 100 000 and 1 000 000 lines.
// Every measurement runs in a child process of its own, so that its peak
// memory is its own; each is the best of R runs (default 3).

#include "app/agenda.h"
#include "app/main_data.h"
#include "app/qt_prompts.h"
#include "arvelo-host/demo_agenda.h"
#include "compute/computation.h"
#include "compute/grouping.h"
#include "compute/progress.h"
#include "compute/summation.h"
#include "host/host_collation.h"
#include "host/host_table.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <sqlite3.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace arvelo;

struct Measurement {
    bool ok = false;
    double seconds = 0;
    long long rows = 0; // turnover rows or SQL result rows
    long long groups = 0;
    long peakKiB = 0;
    long anonKiB = 0; // heap and stack at the end of the run, without mapped files
};

// RssAnon of /proc/self/status: what the process holds besides mapped files.
// The host tables map their files (SQLite mmap), and those pages count in
// ru_maxrss although they are the page cache's, not the computation's.
long anonymousKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return 0;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("RssAnon:")) {
            return line.mid(8).trimmed().split(' ').value(0).toLong();
        }
    }
    return 0;
}

// Runs the work in a child process; its result comes back through a pipe.
Measurement inChild(const std::function<Measurement()>& work) {
    std::fflush(stdout);
    int fd[2];
    if (pipe(fd) != 0) {
        return {};
    }
    const pid_t child = fork();
    if (child == 0) {
        close(fd[0]);
        const Measurement m = work();
        const ssize_t written = write(fd[1], &m, sizeof m);
        _exit(written == ssize_t(sizeof m) ? 0 : 1);
    }
    close(fd[1]);
    Measurement m;
    const bool got = child > 0 && read(fd[0], &m, sizeof m) == ssize_t(sizeof m);
    close(fd[0]);
    int status = 0;
    rusage usage{};
    if (child > 0) {
        wait4(child, &status, 0, &usage);
    }
    if (!got || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return {};
    }
    m.peakKiB = usage.ru_maxrss;
    return m;
}

long long journalLines(const QString& year) {
    const auto t = host::TBFTable::create();
    host::OpenTable closer(*t);
    return t->Open(year + QStringLiteral("UCDENIK")) == host::result::Ok ? t->RecordCount() : 0;
}

Measurement computation(const QString& agenda, int kind) {
    app::ConsolePrompts prompts;
    app::THlavniData data(prompts);
    data.Kontext.AdresarAgendy = agenda;
    data.Kontext.AdresarRoku = agenda + QStringLiteral("ROK.002/");
    compute::TNastaveniBehu settings;
    settings.DleDatumu = true;
    settings.DatumOd = app::RozsahRoku(agenda + QStringLiteral("ROK.001/"), data.Formaty()).od;
    settings.DatumDo = app::RozsahRoku(data.Kontext.AdresarRoku, data.Formaty()).do_;
    settings.Seskupit = kind >= 0;
    settings.SeskupitDle = kind;
    compute::TPrubehVyzvy progress(prompts);
    compute::TVypocet run(data, settings, progress);
    run.setDotazNaChyby(false);
    QElapsedTimer t;
    t.start();
    Measurement m;
    m.ok = run.Spustit();
    m.seconds = double(t.nsecsElapsed()) / 1e9;
    m.rows = data.mtObraty.totalCount();
    m.groups = data.mtSkupiny.totalCount();
    m.anonKiB = anonymousKiB();
    return m;
}

// The group summation alone: 20 000 groups of 10 accounts each.
Measurement summation() {
    app::ConsolePrompts prompts;
    app::THlavniData data(prompts);
    const int groups = 20000;
    for (int g = 0; g < groups; ++g) {
        const QString key = QStringLiteral("Z%1").arg(g, 5, 10, QChar(u'0'));
        data.mtSkupiny.appendRecord({host::Variant(key)});
        for (int a = 0; a < 10; ++a) {
            const Currency c = Currency::fromUnits(g % 97 + a);
            data.mtObraty.appendRecord({host::Variant(key),
                                        host::Variant(QStringLiteral("5%1000").arg(a)), c, c, c, c,
                                        host::Variant(a < 6), host::Variant(QString())});
        }
    }
    compute::TPrubehVyzvy progress(prompts);
    QElapsedTimer t;
    t.start();
    Measurement m;
    m.ok = compute::SecistSkupiny(data, progress);
    m.seconds = double(t.nsecsElapsed()) / 1e9;
    m.rows = data.mtObraty.totalCount();
    m.groups = data.mtSkupiny.totalCount();
    return m;
}

// One GROUP BY (order, account) per journal file and side, summed over the two years.
Measurement sqlGroupBy(const QString& agenda, bool bothSides) {
    Measurement m;
    m.ok = true;
    QElapsedTimer t;
    t.start();
    for (const char* year : {"ROK.001/", "ROK.002/"}) {
        sqlite3* db = nullptr;
        const QByteArray file = (agenda + QLatin1String(year) + "UCDENIK.DAT").toUtf8();
        if (sqlite3_open_v2(file.constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
            sqlite3_close_v2(db);
            return {};
        }
        host::registerHostCollation(db);
        const char* queries[2] = {
            "SELECT Zakazka, UcMD, sum(Castka) FROM UCDENIK WHERE NOT Del AND NOT Free "
            "GROUP BY Zakazka COLLATE HOSTCI, UcMD",
            "SELECT Zakazka, UcD, sum(Castka) FROM UCDENIK WHERE NOT Del AND NOT Free "
            "GROUP BY Zakazka COLLATE HOSTCI, UcD"};
        for (int side = 0; side < (bothSides ? 2 : 1); ++side) {
            sqlite3_stmt* stmt = nullptr;
            if (sqlite3_prepare_v2(db, queries[side], -1, &stmt, nullptr) != SQLITE_OK) {
                std::fprintf(stderr, "%s\n", sqlite3_errmsg(db));
                m.ok = false;
            }
            while (m.ok && sqlite3_step(stmt) == SQLITE_ROW) {
                ++m.rows;
            }
            sqlite3_finalize(stmt);
        }
        sqlite3_close_v2(db);
    }
    m.seconds = double(t.nsecsElapsed()) / 1e9;
    return m;
}

// The best of several runs: the machine is shared, the fastest run is the
// least disturbed one. Peak memory is the largest seen.
Measurement best(int runs, const std::function<Measurement()>& work) {
    Measurement b;
    for (int i = 0; i < runs; ++i) {
        const Measurement m = inChild(work);
        if (!m.ok) {
            return m;
        }
        if (!b.ok || m.seconds < b.seconds) {
            const long peak = std::max(b.peakKiB, m.peakKiB);
            const long anon = std::max(b.anonKiB, m.anonKiB);
            b = m;
            b.peakKiB = peak;
            b.anonKiB = anon;
        }
    }
    return b;
}

bool generate(const QString& root, long long lines) {
    const Measurement m = inChild([&] {
        demo::DemoOptions options;
        options.lines = lines;
        options.years = 2;
        QString error;
        Measurement r;
        r.ok = demo::createDemoDataRoot(root, options, &error);
        if (!r.ok) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
        }
        return r;
    });
    return m.ok;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QString dir;
    std::vector<long long> sizes;
    QString only; // --only orders|months|none: one mode of the run
    int runs = 3;
    for (int i = 1; i < argc; ++i) {
        const QString a = QString::fromLocal8Bit(argv[i]);
        if (a == u"--lines" && i + 1 < argc) {
            sizes.push_back(QString::fromLocal8Bit(argv[++i]).toLongLong());
        } else if (a == u"--runs" && i + 1 < argc) {
            runs = std::max(1, QString::fromLocal8Bit(argv[++i]).toInt());
        } else if (a == u"--only" && i + 1 < argc) {
            only = QString::fromLocal8Bit(argv[++i]);
        } else {
            dir = a;
        }
    }
    if (sizes.empty()) {
        sizes = {100000, 1000000};
    }
    QTemporaryDir temp;
    if (dir.isEmpty()) {
        dir = temp.path();
    }
    int failures = 0;
    const Measurement sum = best(runs, summation);
    std::printf("group summation: %lld groups, %lld turnover rows in %.3f s\n", sum.groups,
                sum.rows, sum.seconds);
    failures += sum.ok ? 0 : 1;
    for (const long long size : sizes) {
        const QString root = QDir(dir).absoluteFilePath(QString::number(size)) + u'/';
        const QString agenda = root + QStringLiteral("AGENDA.001/");
        if (!QFileInfo::exists(agenda + QStringLiteral("ROK.002/UCDENIK.DAT"))) {
            std::printf("generating a demo agenda of %lld lines in %s ...\n", size,
                        qPrintable(root));
            if (!generate(root, size)) {
                std::fprintf(stderr, "demo generation failed\n");
                return 1;
            }
        }
        const long long lines = journalLines(agenda + QStringLiteral("ROK.001/")) +
                                journalLines(agenda + QStringLiteral("ROK.002/"));
        std::printf("\n== %lld journal lines over two years ==\n", lines);
        std::printf("%-34s %10s %20s %12s\n", "", "time", "journal lines/s",
                    "peak RSS (incl. the mapped journal)");
        // Once through everything so that both sides start from the page cache.
        inChild([&] { return sqlGroupBy(agenda, true); });

        const Measurement sqlOne = best(runs, [&] { return sqlGroupBy(agenda, false); });
        const Measurement sqlBoth = best(runs, [&] { return sqlGroupBy(agenda, true); });
        std::printf("%-34s %8.3f s %12.0f lines/s %8ld KiB  (%lld result rows)\n",
                    "SQL GROUP BY (Zakazka, UcMD)", sqlOne.seconds, lines / sqlOne.seconds,
                    sqlOne.peakKiB, sqlOne.rows);
        std::printf("%-34s %8.3f s %12.0f lines/s %8ld KiB  (%lld result rows)\n",
                    "SQL GROUP BY, debit and credit", sqlBoth.seconds, lines / sqlBoth.seconds,
                    sqlBoth.peakKiB, sqlBoth.rows);
        failures += (sqlOne.ok && sqlBoth.ok) ? 0 : 1;

        struct Mode {
            const char* name;
            int kind;
            const char* option;
        } modes[] = {{"run, not split", -1, "none"},
                     {"run, by orders", compute::Zakazky, "orders"},
                     {"run, by months", compute::Mesice, "months"}};
        for (const Mode& mode : modes) {
            if (!only.isEmpty() && only != QLatin1String(mode.option)) {
                continue;
            }
            const Measurement m = best(runs, [&] { return computation(agenda, mode.kind); });
            if (!m.ok) {
                std::fprintf(stderr, "%s failed\n", mode.name);
                ++failures;
                continue;
            }
            std::printf("%-34s %8.3f s %12.0f lines/s %8ld KiB  (anonymous %ld KiB; %lld groups, "
                        "%lld turnover rows)",
                        mode.name, m.seconds, lines / m.seconds, m.peakKiB, m.anonKiB, m.groups,
                        m.rows);
            if (mode.kind == compute::Zakazky) {
                std::printf("  %.2fx one GROUP BY, %.2fx both sides", m.seconds / sqlOne.seconds,
                            m.seconds / sqlBoth.seconds);
            }
            std::printf("\n");
        }
    }
    return failures == 0 ? 0 : 1;
}
