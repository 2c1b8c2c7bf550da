#include "output/mem_table_bridge.h"
#include "report/expr/eval_context.h"
#include "report/run/beh.h"
#include "report/template/sestava.h"
#include "support/test_application.h"

#include <QGuiApplication>
#include <algorithm>
#include <gtest/gtest.h>

using namespace arvelo;
using namespace arvelo::report;

namespace {

// Report lines as the income statement keeps them, with a group link.
std::unique_ptr<ui::TMemTable> radky() {
    auto table = std::make_unique<ui::TMemTable>(
        std::vector<ui::TMemField>{{QStringLiteral("Ucet"), host::FieldType::Text, 6},
                                   {QStringLiteral("Nazev"), host::FieldType::Text, 100},
                                   {QStringLiteral("Obrat"), host::FieldType::Amount, 0},
                                   {QStringLiteral("Typ"), host::FieldType::Integer, 0},
                                   {QStringLiteral("Datum"), host::FieldType::Date, 0},
                                   {QStringLiteral("Zisk"), host::FieldType::Boolean, 0}});
    ui::TMemTable& t = *table;
    const char* const ucty[] = {"501100", "518300", "602100"};
    const char* const nazvy[] = {"Spotřeba materiálu", "Nájemné", "Tržby za služby"};
    const char* const castky[] = {"1234567.891", "-20.5", "0"};
    for (int i = 0; i < 3; ++i) {
        t.appendRecord({host::Variant(QString::fromLatin1(ucty[i])),
                        host::Variant(QString::fromUtf8(nazvy[i])),
                        host::Variant(*Currency::parse(QString::fromLatin1(castky[i]))),
                        host::Variant(1), host::Variant::date(45658 + i), host::Variant(i == 2)});
    }
    return table;
}

[[maybe_unused]] const auto* const kApp = arvelo::test::kTestApplication<QGuiApplication>;

} // namespace

TEST(MemTableBridge, ShowsTheTablesViewWithTheHostsFieldKinds) {
    const auto table = radky();
    ui::TMemTable& t = *table;
    output::TMemTableBridge b(t, QLocale(QLocale::Czech, QLocale::CzechRepublic));
    b.SetLabel(QStringLiteral("Nazev"), QStringLiteral("Název účtu"));
    ASSERT_TRUE(b.Open());
    EXPECT_EQ(b.FieldNames(), QStringList({"Ucet", "Nazev", "Obrat", "Typ", "Datum", "Zisk"}));
    EXPECT_EQ(b.FieldLabels()[1], QStringLiteral("Název účtu"));
    EXPECT_EQ(b.DataType(0), fieldtype::String);
    EXPECT_EQ(b.DataType(2), fieldtype::Currency);
    EXPECT_EQ(b.DataType(3), fieldtype::Integer);
    EXPECT_EQ(b.DataType(4), fieldtype::DateTime);
    EXPECT_EQ(b.DataType(5), fieldtype::Boolean);
    EXPECT_EQ(b.Alignment(2), 1);
    EXPECT_EQ(b.Alignment(1), 0);

    EXPECT_EQ(b.First(), 0);
    EXPECT_EQ(b.DisplayText(2), QStringLiteral("1 234 567,89"));
    EXPECT_DOUBLE_EQ(b.AsFloat(2), 1234567.891);
    EXPECT_EQ(b.DisplayText(4), QStringLiteral("01.01.25"));
    EXPECT_EQ(b.DisplayText(5), QStringLiteral("Ne"));
    const auto mark = b.Bookmark();
    EXPECT_EQ(b.Next(), 0);
    EXPECT_EQ(b.DisplayText(2), QStringLiteral("-20,50"));
    EXPECT_EQ(b.Next(), 0);
    EXPECT_EQ(b.Next(), srEnd); // could not pass the last record
    EXPECT_TRUE(b.AsBoolean(5));
    b.GotoBookmark(mark);
    EXPECT_EQ(b.AsString(0), QStringLiteral("501100"));
    EXPECT_EQ(b.Prior(), srBeginning);
    EXPECT_THROW(b.AsString(6), std::out_of_range);

    // The view counts: a filter leaves one record, an empty view is at both ends.
    ASSERT_TRUE(t.setFilter(QStringLiteral("Ucet = '518300'")));
    t.setFiltered(true);
    EXPECT_EQ(b.First(), 0);
    EXPECT_EQ(b.AsString(1), QStringLiteral("Nájemné"));
    EXPECT_EQ(b.Next(), srEnd);
    ASSERT_TRUE(t.setFilter(QStringLiteral("Ucet = 'nic'")));
    EXPECT_EQ(b.First(), srBeginning | srEnd);
    EXPECT_THROW(b.AsString(0), std::runtime_error);
}

// A report run over the table reads every record of the view in its order.
TEST(MemTableBridge, AReportRunPrintsEveryLineOfTheTable) {
    const auto table = radky();
    ui::TMemTable& t = *table;
    ASSERT_TRUE(t.sortBy(QStringLiteral("Ucet"), true));
    t.first();
    ASSERT_EQ(t.value(0).toString(), QStringLiteral("602100"));
    output::TMemTableBridge b(t, QLocale(QLocale::Czech, QLocale::CzechRepublic));
    TSestava r;
    r.PageSetup().sirkaPapiru = 800;
    r.PageSetup().vyskaPapiru = 1000;
    r.DataSource = &b;
    r.ReadFieldList();
    TOddilSestavy& telo = r.PevnyOddil(okTelo);
    telo.Visible = true;
    telo.Height = 20;
    for (int pole : {0, 2}) {
        TKolbraReportElement& e = telo.AddElement();
        e.Kind = pkPolozka;
        e.Source = pole;
        e.Left = pole * 100;
        e.Width = 150;
        e.Height = 15;
    }
    TSestVystup vystup;
    TBehSestavy beh(r, vystup, nullptr);
    ASSERT_EQ(beh.Spust(), TSestError::seOK);
    ASSERT_EQ(vystup.strany.size(), 1u);
    // Top to bottom, left to right, whatever order the page keeps for drawing.
    std::vector<const TVystPrvek*> prvky;
    for (const TVystPrvek& v : vystup.strany[0].Prvky()) {
        prvky.push_back(&v);
    }
    std::sort(prvky.begin(), prvky.end(), [](const TVystPrvek* a, const TVystPrvek* b) {
        return a->y != b->y ? a->y < b->y : a->x < b->x;
    });
    QStringList texty;
    for (const TVystPrvek* v : prvky) {
        texty << v->text;
    }
    EXPECT_EQ(texty, QStringList({"602100", "0,00", "518300", "-20,50", "501100", "1 234 567,89"}));
}
