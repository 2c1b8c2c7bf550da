#include "mem_test_util.h"
#include "ui/mem_table.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace arvelo::ui {
namespace {

using test::column;
using test::walk;

std::vector<TMemField> turnoverFields() {
    return {{"Zkratka", FieldType::Text, 255}, {"Ucet", FieldType::Text, 6},
            {"ObratMD", FieldType::Amount},    {"Nakladovy", FieldType::Boolean},
            {"N", FieldType::Integer},         {"Nazev", FieldType::Text, 10}};
}

TEST(MemTable, FieldsByNameAndTypeConvertAndCutText) {
    TMemTable t(turnoverFields());
    EXPECT_EQ(t.fieldCount(), 6);
    EXPECT_EQ(t.fieldIndex(u"ucet"), 1);
    EXPECT_EQ(t.fieldIndex(u"Neni"), -1);

    t.append();
    EXPECT_TRUE(t.setValue(u"Ucet", "5011001234")); // longer than the field
    EXPECT_TRUE(t.setValue(u"ObratMD", "12.5"));    // text of an amount
    EXPECT_TRUE(t.setValue(u"N", QStringLiteral("42")));
    EXPECT_TRUE(t.setValue(u"Nakladovy", 1));
    EXPECT_FALSE(t.setValue(u"Neni", 1));
    EXPECT_EQ(t.value(u"Ucet").toString(), "501100"); // the buffer reads back
    ASSERT_TRUE(t.post());
    EXPECT_FALSE(t.post()); // nothing left to post

    EXPECT_EQ(t.recordCount(), 1);
    EXPECT_EQ(t.value(u"Ucet").toString(), "501100");
    EXPECT_EQ(t.currencyAt(t.currentId(), 2), Currency::fromRaw(125000));
    EXPECT_EQ(t.value(2).storage().index(), Value(Currency()).storage().index());
    EXPECT_EQ(t.intAt(t.currentId(), 4), 42);
    EXPECT_TRUE(t.boolAt(t.currentId(), 3));
    // A field never set reads as the empty value of its type.
    EXPECT_EQ(t.value(u"Zkratka").toString(), QString());
    EXPECT_TRUE(t.value(u"Neni").isNull());
}

TEST(MemTable, CursorWalkAndRecordNumbers) {
    TMemTable t(turnoverFields());
    EXPECT_TRUE(t.eof());
    EXPECT_TRUE(t.bof());
    EXPECT_EQ(t.recNo(), 0);
    EXPECT_EQ(t.currentId(), NoRecord);
    EXPECT_EQ(walk(t, "N"), std::vector<int>{});

    for (int n = 1; n <= 3; ++n) {
        t.append();
        t.setValue(u"N", n);
        t.post();
        EXPECT_EQ(t.recNo(), n); // the posted record is current
    }
    EXPECT_EQ(walk(t, "N"), (std::vector<int>{1, 2, 3}));
    EXPECT_TRUE(t.eof());
    EXPECT_EQ(t.recNo(), 3); // next past the end stays on the last record

    t.last();
    EXPECT_TRUE(t.eof());
    t.prior();
    EXPECT_EQ(t.recNo(), 2);
    EXPECT_FALSE(t.eof());
    t.prior();
    t.prior();
    EXPECT_TRUE(t.bof());
    EXPECT_EQ(t.recNo(), 1);
    EXPECT_TRUE(t.setRecNo(3));
    EXPECT_EQ(t.value(u"N").toInt(), 3);
    EXPECT_FALSE(t.setRecNo(4));
    EXPECT_FALSE(t.setRecNo(0));
    EXPECT_EQ(t.totalCount(), 3);
}

TEST(MemTable, EditPostCancelAndDelete) {
    TMemTable t(turnoverFields());
    for (int n = 1; n <= 4; ++n) {
        t.appendRecord({"", "", Currency(), false, n});
    }
    t.first();
    t.next();
    ASSERT_TRUE(t.edit());
    t.setValue(u"N", 20);
    t.cancel();
    EXPECT_EQ(t.value(u"N").toInt(), 2);

    ASSERT_TRUE(t.edit());
    t.setValue(u"N", 20);
    t.next(); // moving on posts the edit, as a grid does
    EXPECT_EQ(column(t, "N"), (std::vector<int>{1, 20, 3, 4}));
    EXPECT_EQ(t.value(u"N").toInt(), 3);

    // Deleting makes the next record current; at the end the new last one.
    ASSERT_TRUE(t.deleteRecord());
    EXPECT_EQ(t.value(u"N").toInt(), 4);
    ASSERT_TRUE(t.deleteRecord());
    EXPECT_EQ(t.value(u"N").toInt(), 20);
    EXPECT_EQ(column(t, "N"), (std::vector<int>{1, 20}));
    t.deleteRecord();
    t.deleteRecord();
    EXPECT_FALSE(t.deleteRecord());
    EXPECT_EQ(t.recordCount(), 0);
    EXPECT_TRUE(t.eof());
    EXPECT_FALSE(t.edit());
}

TEST(MemTable, AutoIncrementNumbersPostedRecordsAndRestartsWhenEmptied) {
    TMemTable t({{"Zkratka", FieldType::Text, 255}, {"ID", FieldType::Integer, 0, true}});
    t.append();
    t.setValue(u"Zkratka", "a");
    EXPECT_FALSE(t.setValue(u"ID", 99)); // callers cannot set it
    t.post();
    t.appendRecord({"b", 77});
    t.append();
    t.cancel(); // a cancelled record uses no number
    t.appendRecord({"c"});
    EXPECT_EQ(column(t, "ID"), (std::vector<int>{1, 2, 3}));
    t.last();
    t.deleteRecord();
    t.appendRecord({"d"}); // numbers are not reused after a delete
    EXPECT_EQ(column(t, "ID"), (std::vector<int>{1, 2, 4}));
    t.emptyTable();
    t.appendRecord({"e"});
    EXPECT_EQ(column(t, "ID"), (std::vector<int>{1}));
}

TEST(MemTable, FindBySeveralFieldsIgnoresCaseIncludingCzechLetters) {
    TMemTable t(turnoverFields());
    const int ix = t.addIndex({"Obraty", {"Zkratka", "Ucet"}});
    ASSERT_GE(ix, 0);
    EXPECT_EQ(t.indexNumber(u"obraty"), ix);
    const RecId r1 = t.appendRecord({"Řepa", "501100", Currency(), true, 1});
    const RecId r2 = t.appendRecord({"řepa", "501200", Currency(), true, 2});
    const RecId r3 = t.appendRecord({"Žito", "501100", Currency(), true, 3});
    const RecId r4 = t.appendRecord({"", "501100", Currency(), true, 4});

    struct Case {
        const char* key;
        const char* account;
        RecId expected;
    };
    const Case cases[] = {
        {"řepa", "501100", r1},       {"ŘEPA", "501100", r1},        {"ŘePa", "501200", r2},
        {"ŽITO", "501100", r3},       {"žito", "501100", r3},        {"", "501100", r4},
        {"repa", "501100", NoRecord}, // no letter loses its háček
        {"Řepa", "501300", NoRecord}, {"Řepa ", "501100", NoRecord},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        const QString key = QString::fromUtf8(c.key);
        const QString account = QString::fromUtf8(c.account);
        EXPECT_EQ(t.find(ix, {key, account}), c.expected);
        EXPECT_EQ(t.findText(ix, {key, account}), c.expected);
    }
    // Wrong number of keys or index: nothing, never a crash.
    EXPECT_EQ(t.find(ix, {"Řepa"}), NoRecord);
    EXPECT_EQ(t.find(7, {"Řepa", "501100"}), NoRecord);
    EXPECT_EQ(t.findText(ix, {u"Řepa"}), NoRecord);
    EXPECT_EQ(t.findText(-1, {u"Řepa", u"501100"}), NoRecord);
    // A text key for a number field is compared as the number.
    const int byNumber = t.addIndex({"N", {"N"}});
    EXPECT_EQ(t.findText(byNumber, {u"3"}), r3);
    EXPECT_EQ(t.find(byNumber, {3}), r3);

    // locate moves the cursor, with or without an index over the fields.
    const Value keys[] = {"ŘEPA", "501200"};
    ASSERT_TRUE(t.locate({"zkratka", "UCET"}, keys));
    EXPECT_EQ(t.currentId(), r2);
    ASSERT_TRUE(t.locate("Zkratka", "žITO"));
    EXPECT_EQ(t.currentId(), r3);
    EXPECT_FALSE(t.locate("Zkratka", "Oves"));
    EXPECT_EQ(t.currentId(), r3);
    EXPECT_FALSE(t.locate("Neni", "x"));

    // The quick search of the grids: the first record in view order whose
    // field begins with the text, without regard to case.
    t.sortBy("Ucet", true);
    ASSERT_TRUE(t.locatePrefix("Zkratka", u"řE"));
    EXPECT_EQ(t.currentId(), r2);
    ASSERT_TRUE(t.locatePrefix("Ucet", u"5011"));
    EXPECT_EQ(t.currentId(), r1);
    ASSERT_TRUE(t.locatePrefix("N", u"4")); // numbers as their text
    EXPECT_EQ(t.currentId(), r4);
    ASSERT_TRUE(t.locatePrefix("Zkratka", u""));
    EXPECT_EQ(t.recNo(), 1);
    EXPECT_FALSE(t.locatePrefix("Zkratka", u"Řepař"));
    EXPECT_FALSE(t.locatePrefix("Neni", u"a"));
    EXPECT_EQ(t.recNo(), 1);
}

TEST(MemTable, CaseSensitiveIndexTellsCaseApart) {
    TMemTable t(turnoverFields());
    const int ix = t.addIndex({"Presne", {"Zkratka"}, false});
    t.appendRecord({"Řepa"});
    const RecId lower = t.appendRecord({"řepa"});
    EXPECT_EQ(t.find(ix, {"řepa"}), lower);
    EXPECT_EQ(t.find(ix, {"ŘEPA"}), NoRecord);
}

TEST(MemTable, HashedLookupsStayCorrectAfterEditsAndDeletes) {
    TMemTable t(turnoverFields());
    const int byPair = t.addIndex({"Obraty", {"Zkratka", "Ucet"}});
    const int byKey = t.addIndex({"Skupina", {"Zkratka"}});
    std::vector<RecId> ids;
    for (int i = 0; i < 500; ++i) {
        ids.push_back(t.appendRecord(
            {QString("Z%1").arg(i % 50), QString::number(500000 + i), Currency(), true, i}));
    }
    EXPECT_EQ(t.findAll(byKey, std::vector<Value>{"z7"}).size(), 10u);
    EXPECT_EQ(t.find(byKey, {"Z7"}), ids[7]); // the first in append order

    // Edit a key field directly and through the cursor.
    ASSERT_TRUE(t.setValueAt(ids[7], 0, "Nový"));
    EXPECT_EQ(t.find(byPair, {"z7", "500007"}), NoRecord);
    EXPECT_EQ(t.find(byPair, {"NOVÝ", "500007"}), ids[7]);
    EXPECT_EQ(t.find(byKey, {"Z7"}), ids[57]);
    ASSERT_TRUE(t.gotoRecord(ids[57]));
    t.edit();
    t.setValue(u"Ucet", "999999");
    t.post();
    EXPECT_EQ(t.find(byPair, {"Z7", "500057"}), NoRecord);
    EXPECT_EQ(t.find(byPair, {"Z7", "999999"}), ids[57]);

    // Delete: gone from every index; the others are still found.
    ASSERT_TRUE(t.deleteAt(ids[57]));
    EXPECT_FALSE(t.deleteAt(ids[57]));
    EXPECT_EQ(t.find(byPair, {"Z7", "999999"}), NoRecord);
    EXPECT_EQ(t.find(byKey, {"Z7"}), ids[107]);
    EXPECT_EQ(t.findAll(byKey, std::vector<Value>{"Z7"}).size(), 8u);
    // Changing a non-key field leaves the indexes alone.
    ASSERT_TRUE(t.addCurrencyAt(ids[107], 2, Currency::fromUnits(5)));
    ASSERT_TRUE(t.addCurrencyAt(ids[107], 2, Currency::fromRaw(1)));
    EXPECT_EQ(t.currencyAt(ids[107], 2), Currency::fromRaw(50001));
    EXPECT_FALSE(t.addCurrencyAt(ids[107], 0, Currency::fromUnits(1))); // not an amount
    for (int i = 0; i < 500; ++i) {
        if (i == 7 || i == 57) {
            continue;
        }
        const RecId id = t.find(byPair, {QString("z%1").arg(i % 50), QString::number(500000 + i)});
        ASSERT_EQ(id, ids[i]) << i;
    }
    // An index added to a filled table covers the records already there.
    const int late = t.addIndex({"Ucet", {"Ucet"}});
    EXPECT_EQ(t.find(late, {"500123"}), ids[123]);
    t.emptyTable();
    EXPECT_EQ(t.find(late, {"500123"}), NoRecord);
}

// Random appends, key edits and deletes against a plain scan: the hashed
// index, the filtered and sorted view and the cursor must agree with it.
TEST(MemTable, IndexAndViewAgreeWithAScanUnderRandomChanges) {
    TMemTable t(turnoverFields());
    const int ix = t.addIndex({"Obraty", {"Zkratka", "Ucet"}});
    t.setSort({{"Ucet", true}, {"Zkratka"}});
    t.setFilter("Ucet <> '5'");
    t.setFiltered(true);
    const QStringList keys = {"a", "A", "ř", "Ř", "b", ""};
    std::uint32_t seed = 12345;
    auto rnd = [&](std::uint32_t n) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 8) % n;
    };
    std::vector<RecId> alive;
    for (int step = 0; step < 4000; ++step) {
        const auto op = rnd(10);
        if (op < 5 || alive.empty()) {
            alive.push_back(
                t.appendRecord({keys[rnd(6)], QString::number(rnd(8)), Currency(), false, step}));
        } else if (op < 8) {
            const RecId id = alive[rnd(std::uint32_t(alive.size()))];
            ASSERT_TRUE(
                t.setValueAt(id, int(rnd(2)), op == 6 ? QString::number(rnd(8)) : keys[rnd(6)]));
        } else {
            const std::size_t at = rnd(std::uint32_t(alive.size()));
            ASSERT_TRUE(t.deleteAt(alive[at]));
            alive.erase(alive.begin() + std::ptrdiff_t(at));
        }
    }
    ASSERT_EQ(t.totalCount(), int(alive.size()));
    for (const QString& key : keys) {
        for (int account = 0; account < 8; ++account) {
            RecId expected = NoRecord;
            for (RecId id : alive) {
                if (t.textAt(id, 0).compare(key, Qt::CaseInsensitive) == 0 &&
                    t.textAt(id, 1) == QString::number(account)) {
                    expected = std::min(expected, id);
                }
            }
            ASSERT_EQ(t.find(ix, {key, QString::number(account)}), expected);
        }
    }
    std::vector<RecId> expectedView;
    for (RecId id : alive) {
        if (t.textAt(id, 1) != "5") {
            expectedView.push_back(id);
        }
    }
    std::sort(expectedView.begin(), expectedView.end(), [&](RecId a, RecId b) {
        const int byAccount = t.textAt(b, 1).compare(t.textAt(a, 1), Qt::CaseInsensitive);
        if (byAccount != 0) {
            return byAccount < 0;
        }
        const int byKey = t.textAt(a, 0).compare(t.textAt(b, 0), Qt::CaseInsensitive);
        return byKey != 0 ? byKey < 0 : a < b;
    });
    EXPECT_EQ(t.viewIds(), expectedView);
    std::vector<RecId> walked;
    for (t.first(); !t.eof(); t.next()) {
        walked.push_back(t.currentId());
    }
    EXPECT_EQ(walked, expectedView);
}

struct SortCase {
    std::vector<TSortKey> keys;
    std::vector<int> expected;
};

TEST(MemTable, SortOrdersAreStableAndStayInForce) {
    TMemTable t(turnoverFields());
    t.appendRecord({"b", "518", Currency::fromUnits(5), true, 1});
    t.appendRecord({"A", "501", Currency::fromUnits(-5), false, 2});
    t.appendRecord({"a", "601", Currency::fromUnits(5), true, 3});
    t.appendRecord({"Č", "501", Currency::fromUnits(0), false, 4});
    t.appendRecord({"c", "502", Currency::fromUnits(7), true, 5});

    const SortCase cases[] = {
        {{{"Zkratka"}}, {2, 3, 1, 5, 4}},               // A and a keep their order; Č after c
        {{{"Zkratka", true}}, {4, 5, 1, 2, 3}},         // descending, still stable
        {{{"Zkratka", false, false}}, {2, 3, 1, 5, 4}}, // case-sensitive: 'A' < 'a' < 'b'
        {{{"ObratMD"}}, {2, 4, 1, 3, 5}},
        {{{"ObratMD", true}}, {5, 1, 3, 4, 2}},
        {{{"Nakladovy"}, {"Ucet", true}}, {2, 4, 3, 1, 5}},
        {{}, {1, 2, 3, 4, 5}},
    };
    for (const SortCase& c : cases) {
        ASSERT_TRUE(t.setSort(c.keys));
        EXPECT_EQ(column(t, "N"), c.expected);
        EXPECT_EQ(walk(t, "N"), c.expected);
    }
    EXPECT_FALSE(t.setSort({{"Neni"}}));

    // The order stays in force for appended and edited records, and the
    // cursor stays on its record when that moves.
    ASSERT_TRUE(t.sortBy("Ucet"));
    EXPECT_EQ(column(t, "N"), (std::vector<int>{2, 4, 5, 1, 3}));
    t.appendRecord({"x", "510", Currency(), true, 6});
    EXPECT_EQ(column(t, "N"), (std::vector<int>{2, 4, 5, 6, 1, 3}));
    ASSERT_TRUE(t.locate("N", 2));
    t.edit();
    t.setValue(u"Ucet", "700");
    t.post();
    EXPECT_EQ(column(t, "N"), (std::vector<int>{4, 5, 6, 1, 3, 2}));
    EXPECT_EQ(t.value(u"N").toInt(), 2);
    EXPECT_EQ(t.recNo(), 6);

    // A named index gives its order.
    t.addIndex({"Skupina", {"Zkratka"}});
    ASSERT_TRUE(t.setIndexName("Skupina"));
    EXPECT_EQ(column(t, "N"), (std::vector<int>{2, 3, 1, 5, 6, 4})); // "x" < "Č"
    EXPECT_FALSE(t.setIndexName("Neni"));
    ASSERT_TRUE(t.setIndexName(""));
    EXPECT_EQ(column(t, "N"), (std::vector<int>{1, 2, 3, 4, 5, 6}));
}

TEST(MemTable, SortingKeepsTheCurrentRecord) {
    TMemTable t(turnoverFields());
    for (int n : {3, 1, 2}) {
        t.appendRecord({"", "", Currency(), false, n});
    }
    ASSERT_TRUE(t.locate("N", 1));
    t.sortBy("N", true);
    EXPECT_EQ(t.value(u"N").toInt(), 1);
    EXPECT_EQ(t.recNo(), 3);
}

// Groups as master, report lines as detail, linked through ID = IDSkupiny.
class MasterDetailTest : public ::testing::Test {
protected:
    void SetUp() override {
        groups.setFields({{"Zkratka", FieldType::Text, 255}, {"ID", FieldType::Integer, 0, true}});
        lines.setFields({{"IDSkupiny", FieldType::Integer},
                         {"Zkratka", FieldType::Text, 255},
                         {"Poradi", FieldType::Integer}});
        for (const char* key : {"Alfa", "Beta", "Gama"}) {
            groups.appendRecord({key});
        }
        for (int id = 1; id <= 3; ++id) {
            for (int p = 1; p <= id; ++p) {
                lines.appendRecord(
                    {id, groups.textAt(groups.viewIds()[id - 1], 0).toUpper(), 10 * id + p});
            }
        }
    }
    TMemTable groups;
    TMemTable lines;
};

TEST_F(MasterDetailTest, DetailShowsTheLinesOfTheMastersCurrentRecord) {
    ASSERT_TRUE(lines.setMasterLink(&groups, {"ID"}, {"IDSkupiny"}));
    groups.first();
    EXPECT_EQ(walk(lines, "Poradi"), (std::vector<int>{11}));
    groups.next();
    EXPECT_EQ(walk(lines, "Poradi"), (std::vector<int>{21, 22}));
    groups.last();
    EXPECT_EQ(walk(lines, "Poradi"), (std::vector<int>{31, 32, 33}));
    EXPECT_EQ(lines.recNo(), 3);

    // Iterating the master yields each group's lines in the order they were built.
    std::vector<int> all;
    for (groups.first(); !groups.eof(); groups.next()) {
        for (lines.first(); !lines.eof(); lines.next()) {
            all.push_back(int(lines.value(u"Poradi").toInt()));
        }
    }
    EXPECT_EQ(all, (std::vector<int>{11, 21, 22, 31, 32, 33}));

    // A detail appended for the current master appears at once; the filter
    // of the detail applies on top of the link.
    groups.first();
    lines.appendRecord({1, "ALFA", 12});
    EXPECT_EQ(walk(lines, "Poradi"), (std::vector<int>{11, 12}));
    lines.setFilter("Poradi <> 11");
    lines.setFiltered(true);
    EXPECT_EQ(walk(lines, "Poradi"), (std::vector<int>{12}));
    lines.setFiltered(false);

    // A master filtered to one group: the detail follows it.
    groups.setFilter("ID = 2");
    groups.setFiltered(true);
    EXPECT_EQ(walk(lines, "Poradi"), (std::vector<int>{21, 22}));
    groups.setFilter("ID = 99");
    EXPECT_EQ(lines.recordCount(), 0);
    groups.setFiltered(false);

    // Removing the link shows every line again.
    ASSERT_TRUE(lines.setMasterLink(nullptr, {}, {}));
    EXPECT_EQ(lines.recordCount(), 7);
}

TEST_F(MasterDetailTest, TextLinksIgnoreCaseUnlessAsked) {
    ASSERT_TRUE(lines.setMasterLink(&groups, {"Zkratka"}, {"Zkratka"}));
    groups.first(); // "Alfa" against the lines' "ALFA"
    EXPECT_EQ(walk(lines, "Poradi"), (std::vector<int>{11}));
    ASSERT_TRUE(lines.setMasterLink(&groups, {"Zkratka"}, {"Zkratka"}, true));
    EXPECT_EQ(lines.recordCount(), 0);
}

TEST_F(MasterDetailTest, DetailFollowsEditsOfTheMasterAndItsEnd) {
    ASSERT_TRUE(lines.setMasterLink(&groups, {"Zkratka"}, {"Zkratka"}));
    groups.first();
    groups.edit();
    groups.setValue(u"Zkratka", "Beta");
    groups.post();
    EXPECT_EQ(walk(lines, "Poradi"), (std::vector<int>{21, 22}));
    groups.deleteRecord(); // Beta (the second) becomes current
    EXPECT_EQ(walk(lines, "Poradi"), (std::vector<int>{21, 22}));
    groups.emptyTable();
    EXPECT_EQ(lines.recordCount(), 0);

    EXPECT_FALSE(lines.setMasterLink(&groups, {"Neni"}, {"Zkratka"}));
    EXPECT_FALSE(lines.setMasterLink(&groups, {"Zkratka", "ID"}, {"Zkratka"}));
    EXPECT_FALSE(lines.setMasterLink(&lines, {"Zkratka"}, {"Zkratka"}));
}

TEST_F(MasterDetailTest, NewFieldsOfTheMasterEndTheLink) {
    ASSERT_TRUE(lines.setMasterLink(&groups, {"Zkratka"}, {"Zkratka"}));
    groups.first();
    EXPECT_EQ(lines.recordCount(), 1);
    groups.setFields({{"Jine", FieldType::Integer}});
    groups.appendRecord({5});
    groups.first();
    EXPECT_EQ(lines.master(), nullptr);
    EXPECT_EQ(lines.recordCount(), 6);
}

TEST(MemTable, DetailOutlivesItsMaster) {
    TMemTable lines({{"IDSkupiny", FieldType::Integer}});
    lines.appendRecord({1});
    lines.appendRecord({2});
    {
        TMemTable groups({{"ID", FieldType::Integer, 0, true}});
        groups.appendRecord({});
        ASSERT_TRUE(lines.setMasterLink(&groups, {"ID"}, {"IDSkupiny"}));
        groups.first();
        EXPECT_EQ(lines.recordCount(), 1);
    }
    EXPECT_EQ(lines.master(), nullptr);
    EXPECT_EQ(lines.recordCount(), 2);
}

TEST(MemTable, BookmarksSurviveAppendsSortsAndDeletesOfOthers) {
    TMemTable t(turnoverFields());
    for (int n = 1; n <= 5; ++n) {
        t.appendRecord({"", "", Currency(), false, n});
    }
    t.setRecNo(3);
    const TBookmark mark = t.bookmark();
    t.first();
    t.appendRecord({"", "", Currency(), false, 0});
    t.sortBy("N");
    t.setRecNo(1);
    t.deleteRecord();
    ASSERT_TRUE(t.gotoBookmark(mark));
    EXPECT_EQ(t.value(u"N").toInt(), 3);

    // A deleted or filtered-out record cannot be returned to.
    t.setFilter("N <> 3");
    t.setFiltered(true);
    t.first();
    EXPECT_FALSE(t.gotoBookmark(mark));
    EXPECT_EQ(t.value(u"N").toInt(), 1);
    t.setFiltered(false);
    ASSERT_TRUE(t.gotoBookmark(mark));
    t.deleteRecord();
    EXPECT_FALSE(t.gotoBookmark(mark));
    EXPECT_FALSE(t.gotoBookmark(TBookmark{}));
    EXPECT_FALSE(t.gotoBookmark(TBookmark{12345}));

    // After emptying, an old bookmark does not land on a new record that
    // happens to reuse the place.
    t.first();
    const TBookmark beforeEmpty = t.bookmark();
    t.emptyTable();
    t.appendRecord({"", "", Currency(), false, 9});
    EXPECT_FALSE(t.gotoBookmark(beforeEmpty));
    EXPECT_TRUE(t.gotoBookmark(t.bookmark()));
}

TEST(MemTable, KeepPositionRestoresTheCursorAfterAWalk) {
    TMemTable t(turnoverFields());
    for (int n = 1; n <= 4; ++n) {
        t.appendRecord({"", "", Currency(), false, n});
    }
    t.setRecNo(2);
    QSignalSpy resets(&t, &TMemTable::resetDone);
    QSignalSpy moves(&t, &TMemTable::currentChanged);
    int sum = 0;
    {
        TKeepPosition keep(t);
        for (t.first(); !t.eof(); t.next()) {
            sum += int(t.value(u"N").toInt());
        }
        EXPECT_TRUE(t.controlsDisabled());
    }
    EXPECT_EQ(sum, 10);
    EXPECT_EQ(t.recNo(), 2);
    EXPECT_FALSE(t.controlsDisabled());
    EXPECT_EQ(resets.count(), 1);
    EXPECT_GE(moves.count(), 4); // moving is a data event, also while suspended
}

TEST(MemTable, SuspendedUpdatesSendNoRowSignalsAndOneResetAtTheEnd) {
    TMemTable t(turnoverFields());
    QSignalSpy inserted(&t, &TMemTable::rowInserted);
    QSignalSpy removed(&t, &TMemTable::rowRemoved);
    QSignalSpy changed(&t, &TMemTable::rowChanged);
    QSignalSpy resets(&t, &TMemTable::resetDone);

    t.appendRecord({"a"});
    EXPECT_EQ(inserted.count(), 1);

    t.disableControls();
    t.disableControls(); // nested
    const RecId id = t.appendRecord({"b"});
    t.setValueAt(id, 4, 5);
    t.sortBy("Zkratka", true);
    t.deleteAt(id);
    t.enableControls();
    EXPECT_EQ(resets.count(), 0); // still suspended by the outer call
    t.enableControls();
    t.enableControls(); // unbalanced: ignored
    EXPECT_EQ(inserted.count(), 1);
    EXPECT_EQ(removed.count(), 0);
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(resets.count(), 1);

    t.setValueAt(t.viewIds().front(), 4, 6);
    EXPECT_EQ(changed.count(), 1);

    // A receiver connected after another left still hears of edits.
    int heard = 0;
    auto first = QObject::connect(&t, &TMemTable::rowChanged, [&](int) { ++heard; });
    QObject::disconnect(first);
    t.setValueAt(t.viewIds().front(), 4, 7);
    EXPECT_EQ(heard, 0);
    QObject::connect(&t, &TMemTable::rowChanged, [&](int row) { heard += 10 + row; });
    t.setValueAt(t.viewIds().front(), 4, 8);
    EXPECT_EQ(heard, 10);
    EXPECT_EQ(changed.count(), 3);
}

TEST(MemTable, EmptyingCanDropFilterSortAndLink) {
    TMemTable t(turnoverFields());
    t.appendRecord({"a", "", Currency(), false, 2});
    t.appendRecord({"b", "", Currency(), false, 1});
    t.sortBy("N");
    t.setFilter("Zkratka = 'a'");
    t.setFiltered(true);
    t.emptyTable(true);
    t.appendRecord({"b", "", Currency(), false, 1});
    t.appendRecord({"a", "", Currency(), false, 3});
    t.appendRecord({"a", "", Currency(), false, 2});
    EXPECT_EQ(column(t, "N"), (std::vector<int>{2, 3}));
    t.emptyTable(false);
    EXPECT_FALSE(t.isFiltered());
    EXPECT_TRUE(t.filter().isEmpty());
    EXPECT_TRUE(t.sortKeys().empty());
    t.appendRecord({"a", "", Currency(), false, 3});
    t.appendRecord({"b", "", Currency(), false, 1});
    EXPECT_EQ(column(t, "N"), (std::vector<int>{3, 1}));
}

} // namespace
} // namespace arvelo::ui
