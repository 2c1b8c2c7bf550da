#include "arvelo-host/demo_agenda.h"
#include "arvelo-host/table_csv.h"
#include "host/day_date.h"
#include "host/host_schema.h"
#include "host/host_table.h"
#include "scratch_dir.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace arvelo::hosttool {
namespace {

using host::FieldType;
using host::Variant;

QByteArray dump(const QString& table, const QString& index = QString()) {
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    QString error;
    EXPECT_TRUE(dumpTable(table, index, out, &error)) << error.toStdString();
    return out.data();
}

bool import(const QString& table, const QByteArray& csv, ImportResult* result, QString* error) {
    QBuffer in;
    in.setData(csv);
    in.open(QIODevice::ReadOnly);
    return importCsv(table, in, result, error);
}

long long recordCount(const QString& table) {
    auto t = host::TBFTable::create();
    if (t->Open(table) != host::result::Ok) {
        return -1;
    }
    return t->RecordCount();
}

TEST(CsvValues, FormatAndParseEachType) {
    struct Case {
        FieldType type;
        Variant value;
        const char* text;
    };
    const double day = daydate::fromDate(QDate(2024, 3, 15));
    const Case cases[] = {
        {FieldType::Text, Variant(QStringLiteral("Říha, \"syn\"")), "Říha, \"syn\""},
        {FieldType::Integer, Variant(std::int64_t(-42)), "-42"},
        {FieldType::Amount, Variant(Currency::fromRaw(-12345678)), "-1234.5678"},
        {FieldType::Amount, Variant(Currency::fromUnits(21)), "21.0000"},
        {FieldType::Date, Variant::date(day), "2024-03-15"},
        {FieldType::Date, Variant::date(day + 0.5), "2024-03-15T12:00:00"},
        {FieldType::Date, Variant::date(0), ""},
        {FieldType::Boolean, Variant(true), "1"},
        {FieldType::Boolean, Variant(false), "0"},
        {FieldType::Float, Variant(0.1), "0.10000000000000001"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(formatValue(c.type, c.value), QString::fromUtf8(c.text));
        const std::optional<Variant> back = parseValue(c.type, QString::fromUtf8(c.text));
        ASSERT_TRUE(back.has_value());
        EXPECT_EQ(formatValue(c.type, *back), QString::fromUtf8(c.text));
    }
    // Forms people type, and texts that are no value of the type.
    EXPECT_EQ(parseValue(FieldType::Date, QStringLiteral("15.3.2024"))->toDate(), day);
    EXPECT_TRUE(parseValue(FieldType::Boolean, QStringLiteral("Ano"))->toBool());
    EXPECT_EQ(parseValue(FieldType::Amount, QStringLiteral("1 234,50"))->toCurrency(),
              Currency::fromRaw(12345000));
    for (const auto& [type, text] :
         std::vector<std::pair<FieldType, const char*>>{{FieldType::Integer, "12a"},
                                                        {FieldType::Amount, "abc"},
                                                        {FieldType::Date, "2024-02-30"},
                                                        {FieldType::Date, "2024-03-15T25:00:00"},
                                                        {FieldType::Boolean, "snad"},
                                                        {FieldType::Float, "nan"}}) {
        EXPECT_FALSE(parseValue(type, QString::fromLatin1(text)).has_value()) << text;
    }
}

TEST(CsvReader, ReadsQuotedCellsOverLineBreaks) {
    QBuffer in;
    in.setData("\xEF\xBB\xBF"
               "a,b,c\r\n\"x, y\",\"he said \"\"hi\"\"\",\"two\r\nlines\"\r\n,,\r\nlast,\"\",z");
    in.open(QIODevice::ReadOnly);
    CsvReader reader(in);
    QStringList cells;
    long long line = 0;
    QString error;
    ASSERT_TRUE(reader.next(&cells, &line, &error));
    EXPECT_EQ(cells, (QStringList{"a", "b", "c"}));
    ASSERT_TRUE(reader.next(&cells, &line, &error));
    EXPECT_EQ(cells, (QStringList{"x, y", "he said \"hi\"", "two\r\nlines"}));
    EXPECT_EQ(line, 2);
    ASSERT_TRUE(reader.next(&cells, &line, &error));
    EXPECT_EQ(cells, (QStringList{"", "", ""}));
    EXPECT_EQ(line, 4);
    ASSERT_TRUE(reader.next(&cells, &line, &error));
    EXPECT_EQ(cells, (QStringList{"last", "", "z"}));
    EXPECT_FALSE(reader.next(&cells, &line, &error));
    EXPECT_TRUE(error.isEmpty());

    QBuffer broken;
    broken.setData("a\r\n\"never closed\r\n");
    broken.open(QIODevice::ReadOnly);
    CsvReader bad(broken);
    ASSERT_TRUE(bad.next(&cells, &line, &error));
    EXPECT_FALSE(bad.next(&cells, &line, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("Řádek 2"))) << error.toStdString();
}

class CsvTables : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_dir = std::make_unique<QTemporaryDir>(arvelo::testing::scratchTemplate());
        ASSERT_TRUE(s_dir->isValid());
        demo::DemoOptions options;
        options.lines = 1200;
        options.years = 1;
        QString error;
        ASSERT_TRUE(
            demo::createDemoDataRoot(s_dir->path() + QStringLiteral("/demo"), options, &error))
            << error.toStdString();
    }
    static void TearDownTestSuite() { s_dir.reset(); }

    static QString demoYear() {
        return s_dir->path() + QStringLiteral("/demo/AGENDA.001/ROK.001/");
    }
    QString fresh(const char* name) { return m_out.path() + u'/' + QString::fromLatin1(name); }

    static std::unique_ptr<QTemporaryDir> s_dir;
    QTemporaryDir m_out{arvelo::testing::scratchTemplate()};
};

std::unique_ptr<QTemporaryDir> CsvTables::s_dir;

// A dumped table imported into a new file dumps to the same text, in record
// order and in the order of an index.
TEST_F(CsvTables, DumpImportDumpGivesTheSameText) {
    struct Case {
        const char* table;
        const char* index;
    };
    for (const Case& c : {Case{"UCDENIK", ""}, Case{"UCDENIK", "UcD"}, Case{"VFAKTURY", ""},
                          Case{"SKSEZPOL", ""}, Case{"ZAKAZKY", "Zkrat"}, Case{"ROZPUBK", ""}}) {
        SCOPED_TRACE(std::string(c.table) + " " + c.index);
        const QString source = demoYear() + QString::fromLatin1(c.table);
        const QByteArray first = dump(source, QString::fromLatin1(c.index));
        ASSERT_GT(first.count('\n'), 10);
        QTemporaryDir target(arvelo::testing::scratchTemplate());
        const QString copy = target.path() + u'/' + QString::fromLatin1(c.table).toLower();
        ImportResult result;
        QString error;
        ASSERT_TRUE(import(copy, first, &result, &error)) << error.toStdString();
        EXPECT_TRUE(result.created);
        EXPECT_TRUE(QFile::exists(target.path() + u'/' + QString::fromLatin1(c.table) +
                                  QStringLiteral(".DAT")));
        EXPECT_EQ(result.rows, recordCount(source));
        EXPECT_EQ(dump(copy, QString::fromLatin1(c.index)), first);
    }
    // The rights table's scrambled passwords and the data root's other tables too.
    const QString users = s_dir->path() + QStringLiteral("/demo/PRISTUP");
    const QByteArray text = dump(users);
    ImportResult result;
    QString error;
    ASSERT_TRUE(import(fresh("PRISTUP"), text, &result, &error)) << error.toStdString();
    EXPECT_EQ(dump(fresh("PRISTUP")), text);
}

TEST_F(CsvTables, ImportAppendsToAnExistingTableAndFillsLeftOutFields) {
    const QByteArray csv = "Zkrat,Nazev,Zaruka,DatZah\r\n"
                           "ŘÍJEN,\"Oprava, \"\"nová\"\" střecha\",ano,15.3.2024\r\n"
                           "\r\n"
                           "říjen,\"dva\r\nřádky\",0,\r\n";
    ImportResult result;
    QString error;
    ASSERT_TRUE(import(fresh("ZAKAZKY"), csv, &result, &error)) << error.toStdString();
    EXPECT_EQ(result.rows, 2);
    ASSERT_TRUE(import(fresh("zakazky"), "Nazev,zkrat\r\nTřetí,Z3\r\n", &result, &error))
        << error.toStdString();
    EXPECT_FALSE(result.created);
    EXPECT_EQ(result.rows, 1);
    const QString text = QString::fromUtf8(dump(fresh("ZAKAZKY"), QStringLiteral("Zkrat")));
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    ASSERT_GE(lines.size(), 5);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Zkrat,Nazev,CObjednavk,StavZak,")));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("Z3,Třetí,,,")));
    // Keys differing only in case sort together, in record order.
    EXPECT_TRUE(lines[2].startsWith(
        QStringLiteral("ŘÍJEN,\"Oprava, \"\"nová\"\" střecha\",,,,,,2024-03-15,")))
        << lines[2].toStdString();
    EXPECT_TRUE(lines[2].contains(QStringLiteral(",1,"))); // Zaruka
    EXPECT_TRUE(text.contains(QStringLiteral("říjen,\"dva\r\nřádky\"")));
}

// A bad row stops the import with its line number, and nothing is written.
TEST_F(CsvTables, BadRowIsReportedWithItsLineAndNothingIsWritten) {
    const QByteArray good = "Cislo,Datum,Zdroj,UcMD,UcD,Castka,Del\r\n"
                            "1,2024-01-05,FV,311100,602100,1000.00,0\r\n"
                            "2,2024-01-06,FP,501100,321100,250.5,0\r\n";
    struct Case {
        const char* name;
        QByteArray csv;
        const char* message; // what the message must contain
    };
    const Case cases[] = {
        {"amount", good + "3,2024-01-07,ID,518100,622100,abc,0\r\n", "Řádek 4, pole Castka"},
        {"date", good + "3,2024-13-07,ID,518100,622100,1,0\r\n", "Řádek 4, pole Datum"},
        {"integer", good + "x3,2024-01-07,ID,518100,622100,1,0\r\n", "Řádek 4, pole Cislo"},
        {"boolean", good + "3,2024-01-07,ID,518100,622100,1,možná\r\n", "Řádek 4, pole Del"},
        {"too long", good + "3,2024-01-07,ID,5181000,622100,1,0\r\n",
         "Řádek 4, pole UcMD: text je delší než 6"},
        {"cells", good + "3,2024-01-07,ID\r\n", "Řádek 4: 3 hodnot"},
        {"quote", good + "3,2024-01-07,\"ID,518100,622100,1,0\r\n", "Řádek 4: uvozovky"},
        {"field", "Cislo,Neznamo\r\n1,2\r\n", "Řádek 1: tabulka UCDENIK nemá pole „Neznamo“"},
        {"twice", "Cislo,cislo\r\n1,2\r\n", "Řádek 1: pole „cislo“ je v záhlaví dvakrát"},
        {"empty", "", "prázdný"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // Into a new table: the file is not left behind.
        QTemporaryDir dir(arvelo::testing::scratchTemplate());
        const QString table = dir.path() + QStringLiteral("/UCDENIK");
        ImportResult result;
        QString error;
        EXPECT_FALSE(import(table, c.csv, &result, &error));
        EXPECT_TRUE(error.contains(QString::fromUtf8(c.message))) << error.toStdString();
        EXPECT_FALSE(QFile::exists(table + QStringLiteral(".DAT")));
        EXPECT_EQ(result.rows, 0);
        // Into an existing table: its records stay as they were.
        ASSERT_TRUE(import(table, good, &result, &error)) << error.toStdString();
        const QByteArray before = dump(table);
        EXPECT_FALSE(import(table, c.csv, &result, &error));
        EXPECT_EQ(dump(table), before);
        EXPECT_EQ(recordCount(table), 2);
    }
    ImportResult result;
    QString error;
    EXPECT_FALSE(import(fresh("NEZNAMA"), good, &result, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("není v katalogu"))) << error.toStdString();
    EXPECT_FALSE(import(fresh("chybi/UCDENIK"), good, &result, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("neexistuje"))) << error.toStdString();
    EXPECT_FALSE(QFileInfo::exists(fresh("chybi")));
}

TEST_F(CsvTables, DumpReportsMissingTablesAndIndexes) {
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    QString error;
    EXPECT_FALSE(dumpTable(fresh("NIC"), QString(), out, &error));
    EXPECT_FALSE(error.isEmpty());
    error.clear();
    EXPECT_FALSE(
        dumpTable(demoYear() + QStringLiteral("UCDENIK"), QStringLiteral("Neni"), out, &error));
    EXPECT_FALSE(error.isEmpty());
    QFile notATable(fresh("TEXT.DAT"));
    ASSERT_TRUE(notATable.open(QIODevice::WriteOnly));
    notATable.write("toto není tabulka\n");
    notATable.close();
    EXPECT_FALSE(dumpTable(fresh("TEXT"), QString(), out, &error));
}

} // namespace
} // namespace arvelo::hosttool
