#include "mem_test_util.h"
#include "ui/mem_table.h"

#include <gtest/gtest.h>

namespace arvelo::ui {
namespace {

using test::column;

// Turnover-like rows; N numbers them for the expectations.
class FilterTest : public ::testing::Test {
protected:
    void SetUp() override {
        t.setFields({{"Zkratka", FieldType::Text, 255},
                     {"Ucet", FieldType::Text, 6},
                     {"ObratMD", FieldType::Amount},
                     {"Nakladovy", FieldType::Boolean},
                     {"N", FieldType::Integer},
                     {"Datum", FieldType::Date},
                     {"Kurz", FieldType::Float}});
        add("abc", "501100", "100", true, 1, 45382, 1.5);
        add("ABC", "502000", "200.50", false, 2, 45383, 2.0);
        add("O'Neil", "601000", "0", false, 3, 0, 0);
        add("", "518300", "-50", true, 4, 45382, 0);
        add("řepa", "518100", "99.99", true, 5, 0, 0);
        add("ŘEPA", "604000", "100", false, 6, 0, 0);
    }
    void add(const char* key, const char* account, const char* amount, bool cost, int n, int date,
             double rate) {
        t.appendRecord({QString::fromUtf8(key), account, *Currency::parse(amount), cost, n,
                        Value::date(date), rate});
    }
    TMemTable t;
};

struct FilterCase {
    const char* expression;
    bool caseSensitive;
    std::vector<int> expected;
};

TEST_F(FilterTest, ExpressionsSelectTheRightRecords) {
    const FilterCase cases[] = {
        {"Zkratka = 'abc'", false, {1, 2}},
        {"Zkratka = 'abc'", true, {1}},
        {"(Zkratka = 'O''Neil') AND (Nakladovy = False)", false, {3}},
        {"(Zkratka = 'O''Neil') AND (Nakladovy = True)", false, {}},
        {"Zkratka = ''", false, {4}},
        {"Zkratka <> 'ABC'", false, {3, 4, 5, 6}},
        {"Zkratka <> 'ABC'", true, {1, 3, 4, 5, 6}},
        {"Ucet LIKE '518*'", false, {4, 5}},
        {"Ucet LIKE '*00'", false, {1, 2, 3, 4, 5, 6}},
        {"Ucet LIKE '5*1*0'", false, {1, 4, 5}},
        {"Ucet LIKE '501100'", false, {1}},
        {"Ucet LIKE '5011'", false, {}},
        {"Zkratka LIKE '*'", false, {1, 2, 3, 4, 5, 6}},
        {"Zkratka LIKE 'ř*'", false, {5, 6}},
        {"Zkratka LIKE 'Ř*'", true, {6}},
        {"Zkratka = 'Řepa'", false, {5, 6}},
        {"Zkratka = 'Řepa'", true, {}},
        {"(N = 1) OR (N = 3) OR (N = 5)", false, {1, 3, 5}},
        // AND binds tighter than OR.
        {"N = 1 OR N = 4 AND Nakladovy = False", false, {1}},
        {"(N = 1 OR N = 4) AND Nakladovy = True", false, {1, 4}},
        {"NOT (Nakladovy = True)", false, {2, 3, 6}},
        {"ObratMD = 100", false, {1, 6}},
        {"ObratMD = 200.5", false, {2}},
        {"ObratMD < 0", false, {4}},
        {"ObratMD >= 100", false, {1, 2, 6}},
        {"zkratka = 'abc' and nakladovy = true", false, {1}},
        {"[Zkratka] = 'ABC'", true, {2}},
        {"Datum = '2024-03-31'", false, {1, 4}},
        {"Datum = '1.4.2024'", false, {2}},
        {"Datum = 0", false, {3, 5, 6}},
        {"Kurz > 1.7", false, {2}},
        {"  ", false, {1, 2, 3, 4, 5, 6}},
        {"(ObratMD = 100) AND (N = 1 OR N = 6) AND Nakladovy = False", false, {6}},
        {"Nakladovy = True AND ObratMD = 100", false, {1}},
        {"Ucet = '518300' AND Zkratka = ''", true, {4}},
        {"N = 3 OR Zkratka = 'abc'", false, {1, 2, 3}},
    };
    t.setFiltered(true);
    // Without indexes every record is tested; with them a filter that
    // requires equality on an index's fields starts from the index.
    for (const bool indexed : {false, true}) {
        if (indexed) {
            t.addIndex({"Skupina", {"Zkratka"}});
            t.addIndex({"Presne", {"Ucet"}, false});
            t.addIndex({"N", {"N"}});
            t.addIndex({"Obrat", {"ObratMD", "Nakladovy"}});
            t.addIndex({"Datum", {"Datum"}});
        }
        for (const FilterCase& c : cases) {
            SCOPED_TRACE(c.expression);
            SCOPED_TRACE(indexed ? "indexed" : "scan");
            QString error;
            t.setFilterCaseSensitive(c.caseSensitive);
            ASSERT_TRUE(t.setFilter(QString::fromUtf8(c.expression), &error))
                << error.toStdString();
            EXPECT_TRUE(error.isEmpty());
            EXPECT_EQ(column(t, "N"), c.expected);
            EXPECT_EQ(t.recordCount(), int(c.expected.size()));
        }
    }
}

TEST_F(FilterTest, MalformedExpressionsReportAndKeepThePreviousFilter) {
    t.setFiltered(true);
    ASSERT_TRUE(t.setFilter("N = 2"));
    const char* bad[] = {
        "Zkratka = 'abc",      // unterminated text
        "(Zkratka = 'a'",      // missing ')'
        "Zkratka = 'a')",      // extra ')'
        "Neznam = 1",          // unknown field
        "N = 'x'",             // text for an integer
        "Nakladovy = 'snad'",  // not a boolean
        "ObratMD = 'sto'",     // not an amount
        "Zkratka = True",      // boolean for text
        "Datum = 'zítra'",     // not a date
        "N LIKE '1*'",         // LIKE on a number
        "Zkratka",             // no operator
        "Zkratka 'a'",         // no operator
        "= 'a'",               // no field
        "Zkratka = ",          // no value
        "AND",                 //
        "Zkratka = 'a' AND",   // dangling AND
        "Zkratka = 'a' N = 1", // missing AND/OR
        "Zkratka = @",         // stray character
        "[Zkratka = 'a'",      // unterminated bracket
        "'",                   //
        "Zkratka == 'a'",      //
    };
    for (const char* expression : bad) {
        SCOPED_TRACE(expression);
        QString error;
        EXPECT_FALSE(t.setFilter(QString::fromUtf8(expression), &error));
        EXPECT_TRUE(error.startsWith(QStringLiteral("Chyba ve filtru na pozici")))
            << error.toStdString();
        EXPECT_EQ(t.filter(), QStringLiteral("N = 2"));
        EXPECT_EQ(column(t, "N"), std::vector<int>{2});
    }
    // Nesting too deep to be reasonable is refused, not a stack overflow.
    const QString deep = QString(100000, u'(') + "N = 1" + QString(100000, u')');
    QString error;
    EXPECT_FALSE(t.setFilter(deep, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(t.setFilter(QString(100000, u'N') + " = 1 AND NOT NOT", &error));
    // So is a chain of comparisons too long to evaluate safely.
    QString chain = "N = 0";
    for (int i = 0; i < 100000; ++i) {
        chain += " OR N = 1";
    }
    EXPECT_FALSE(t.setFilter(chain, &error));
    EXPECT_TRUE(error.contains(QString::fromUtf8("příliš mnoho"))) << error.toStdString();
    EXPECT_EQ(column(t, "N"), std::vector<int>{2});
}

TEST_F(FilterTest, QuotedKeysRoundTrip) {
    EXPECT_EQ(TMemTable::quoted("O'Neil"), "'O''Neil'");
    EXPECT_EQ(TMemTable::quoted(""), "''");
    t.setFiltered(true);
    const char* keys[] = {"O'Neil", "'", "''", "a'b'c", "", "ř'Ř"};
    for (const char* key : keys) {
        SCOPED_TRACE(key);
        const QString k = QString::fromUtf8(key);
        t.appendRecord({k, "", Currency(), false, 100});
        ASSERT_TRUE(t.setFilter("(Zkratka = " + TMemTable::quoted(k) + ") AND (N = 100)"));
        ASSERT_EQ(t.recordCount(), 1);
        EXPECT_EQ(t.value(u"Zkratka").toString(), k);
        t.deleteRecord();
    }
}

TEST_F(FilterTest, ErrorNamesThePositionAndTheField) {
    QString error;
    ASSERT_FALSE(t.setFilter("(Zkratka = 'a') AND (Ucett = 'b')", &error));
    EXPECT_EQ(error, QString::fromUtf8("Chyba ve filtru na pozici 22: neznámé pole „Ucett“"));
}

TEST_F(FilterTest, FilterIsOnlyAppliedWhenSwitchedOnAndFollowsChanges) {
    ASSERT_TRUE(t.setFilter("Nakladovy = True"));
    EXPECT_EQ(t.recordCount(), 6);
    t.setFiltered(true);
    EXPECT_EQ(column(t, "N"), (std::vector<int>{1, 4, 5}));

    // An appended record that passes joins the view; one that does not stays out.
    t.appendRecord({"x", "501", Currency(), true, 7});
    t.appendRecord({"y", "601", Currency(), false, 8});
    EXPECT_EQ(column(t, "N"), (std::vector<int>{1, 4, 5, 7}));

    // An edit that makes a record fail the filter removes it from the view, and back.
    const int cost = t.fieldIndex(u"Nakladovy");
    const RecId first = t.viewIds().front();
    ASSERT_TRUE(t.setValueAt(first, cost, false));
    EXPECT_EQ(column(t, "N"), (std::vector<int>{4, 5, 7}));
    ASSERT_TRUE(t.setValueAt(first, cost, true));
    EXPECT_EQ(column(t, "N"), (std::vector<int>{1, 4, 5, 7}));

    t.setFiltered(false);
    EXPECT_EQ(t.recordCount(), 8);
}

} // namespace
} // namespace arvelo::ui
