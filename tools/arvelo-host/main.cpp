// arvelo-host: makes a demo host data root and moves host tables in and out as CSV.

#include "arvelo-host/demo_agenda.h"
#include "arvelo-host/table_csv.h"
#include "host/host_schema.h"

#include <QElapsedTimer>
#include <QFile>
#include <QStringList>
#include <cstdio>

namespace {

using namespace arvelo;

void print(FILE* to, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), to);
    std::fputc('\n', to);
}

int usage() {
    print(stderr,
          QStringLiteral(
              "Použití:\n"
              "  arvelo-host demo ADRESÁŘ [--lines N] [--years R] [--seed S] [--starsi-prava]\n"
              "      vytvoří ukázková data Money (práva, AGENDA.001 a AGENDA.002;\n"
              "      --starsi-prava: uživatelé ve starším formátu PRISUZIV/PRISPOL)\n"
              "  arvelo-host import TABULKA SOUBOR.csv\n"
              "      připojí řádky CSV do tabulky (cesta bez .DAT); chybějící tabulku "
              "založí podle katalogu\n"
              "  arvelo-host dump TABULKA [--index NÁZEV]\n"
              "      vypíše tabulku jako CSV na standardní výstup\n"
              "  arvelo-host schema [TABULKA]\n"
              "      vypíše katalog tabulek nebo pole a indexy jedné tabulky"));
    return 2;
}

bool parseNumber(const QString& text, long long min, long long* out) {
    bool ok = false;
    const long long v = text.toLongLong(&ok);
    if (!ok || v < min) {
        return false;
    }
    *out = v;
    return true;
}

int runDemo(const QStringList& args) {
    if (args.isEmpty()) {
        return usage();
    }
    demo::DemoOptions options;
    QString folder;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        long long value = 0;
        const bool hasValue = i + 1 < args.size();
        if (a == u"--lines" || a == u"--years" || a == u"--seed") {
            if (!hasValue || !parseNumber(args[i + 1], a == u"--years" ? 1 : 0, &value) ||
                (a == u"--years" && value > 99)) {
                print(stderr, QStringLiteral("Neplatná hodnota volby %1").arg(a));
                return 2;
            }
            ++i;
            if (a == u"--lines") {
                options.lines = value;
            } else if (a == u"--years") {
                options.years = int(value);
            } else {
                options.seed = std::uint64_t(value);
            }
        } else if (a == u"--starsi-prava") {
            options.olderRights = true;
        } else if (folder.isEmpty() && !a.startsWith(u"--")) {
            folder = a;
        } else {
            return usage();
        }
    }
    if (folder.isEmpty()) {
        return usage();
    }
    QElapsedTimer timer;
    timer.start();
    QString error;
    QStringList made;
    if (!demo::createDemoDataRoot(folder, options, &error, &made)) {
        print(stderr, QStringLiteral("Chyba: %1").arg(error));
        return 1;
    }
    for (const QString& line : made) {
        print(stdout, line);
    }
    print(stdout, QStringLiteral("Ukázková data v %1 vytvořena za %2 s.")
                      .arg(folder)
                      .arg(double(timer.elapsed()) / 1000.0, 0, 'f', 1));
    return 0;
}

int runImport(const QStringList& args) {
    if (args.size() != 2) {
        return usage();
    }
    QFile csv(args[1]);
    if (!csv.open(QIODevice::ReadOnly)) {
        print(stderr, QStringLiteral("Chyba: soubor %1 nelze otevřít").arg(args[1]));
        return 1;
    }
    hosttool::ImportResult result;
    QString error;
    if (!hosttool::importCsv(args[0], csv, &result, &error)) {
        print(stderr, QStringLiteral("Chyba: %1. Nic nebylo zapsáno.").arg(error));
        return 1;
    }
    print(stdout, QStringLiteral("%1: %2 záznamů připojeno%3")
                      .arg(args[0])
                      .arg(result.rows)
                      .arg(result.created ? QStringLiteral(" (tabulka založena)") : QString()));
    return 0;
}

int runDump(const QStringList& args) {
    QString table;
    QString index;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == u"--index" && i + 1 < args.size()) {
            index = args[++i];
        } else if (table.isEmpty() && !args[i].startsWith(u"--")) {
            table = args[i];
        } else {
            return usage();
        }
    }
    if (table.isEmpty()) {
        return usage();
    }
    QFile out;
    if (!out.open(stdout, QIODevice::WriteOnly)) {
        return 1;
    }
    QString error;
    if (!hosttool::dumpTable(table, index, out, &error)) {
        out.close();
        print(stderr, QStringLiteral("Chyba: %1").arg(error));
        return 1;
    }
    return 0;
}

QString levelText(host::FolderLevel level) {
    switch (level) {
    case host::FolderLevel::DataRoot:
        return QStringLiteral("data");
    case host::FolderLevel::Agenda:
        return QStringLiteral("agenda");
    case host::FolderLevel::Year:
        return QStringLiteral("rok");
    }
    return QString();
}

int runSchema(const QStringList& args) {
    if (args.size() > 1) {
        return usage();
    }
    if (args.isEmpty()) {
        for (const host::TableDef& def : host::schema::tables()) {
            print(stdout, QStringLiteral("%1\t%2\t%3 polí\t%4 indexů")
                              .arg(def.name, levelText(def.level))
                              .arg(def.fields.size())
                              .arg(def.indexes.size()));
        }
        return 0;
    }
    const host::TableDef* def = host::schema::find(args[0]);
    if (!def) {
        print(stderr, QStringLiteral("Chyba: tabulka %1 není v katalogu").arg(args[0]));
        return 1;
    }
    print(stdout, QStringLiteral("%1 (%2)").arg(def->name, levelText(def->level)));
    for (const host::FieldDef& f : def->fields) {
        print(stdout, f.size > 0
                          ? QStringLiteral("  %1\t%2(%3)")
                                .arg(f.name, host::fieldTypeName(f.type))
                                .arg(f.size)
                          : QStringLiteral("  %1\t%2").arg(f.name, host::fieldTypeName(f.type)));
    }
    for (const host::IndexDef& idx : def->indexes) {
        print(stdout, QStringLiteral("  index %1").arg(idx.name));
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QStringList args;
    for (int i = 1; i < argc; ++i) {
        args << QString::fromLocal8Bit(argv[i]);
    }
    if (args.isEmpty()) {
        return usage();
    }
    const QString command = args.takeFirst();
    if (command == u"demo") {
        return runDemo(args);
    }
    if (command == u"import") {
        return runImport(args);
    }
    if (command == u"dump") {
        return runDump(args);
    }
    if (command == u"schema") {
        return runSchema(args);
    }
    return usage();
}
