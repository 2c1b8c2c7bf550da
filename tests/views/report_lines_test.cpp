#include "app/main_data.h"
#include "app/scripted_prompts.h"
#include "views/report_lines.h"

#include <gtest/gtest.h>
#include <numeric>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
QT_END_NAMESPACE

using namespace arvelo;

namespace {

Currency kc(const char* text) {
    return *Currency::parse(QString::fromLatin1(text));
}

struct Row {
    const char* key;
    const char* ucet;
    bool cost;
    const char* psmd;
    const char* psd;
    const char* omd;
    const char* od;
};

class ReportLines : public ::testing::Test {
protected:
    app::ScriptedPrompts prompts;
    app::THlavniData data{prompts};

    void SetUp() override { data.Volby.TypZobrazeni = 0; }

    void rows(std::initializer_list<Row> list) {
        for (const Row& r : list) {
            data.mtObraty.appendRecord({QString::fromUtf8(r.key), QString::fromLatin1(r.ucet),
                                        kc(r.omd), kc(r.od), kc(r.psmd), kc(r.psd), r.cost,
                                        QStringLiteral("Účet %1").arg(r.ucet)});
        }
    }
    // A group with its result amounts (PS, OB, KS).
    void group(const char* key, const char* name, const char* hvPS = "0", const char* hv = "0",
               const char* hvKS = "0") {
        ui::TMemTable& s = data.mtSkupiny;
        s.append();
        s.setValue(u"Zkratka", QString::fromUtf8(key));
        s.setValue(u"Nazev", QString::fromUtf8(name));
        s.setValue(u"HospVyslPS", kc(hvPS));
        s.setValue(u"HospVysl", kc(hv));
        s.setValue(u"HospVyslKS", kc(hvKS));
        s.post();
    }

    // The visible lines: "Typ TypUctu Ucet Nazev PS/Obrat/KS" (amounts plain).
    QStringList lines() {
        QStringList out;
        ui::TMemTable& t = data.mtSestava;
        for (const ui::RecId id : t.viewIds()) {
            out << QStringLiteral("%1 %2 %3 %4 %5/%6/%7")
                       .arg(t.intAt(id, t.fieldIndex(u"Typ")))
                       .arg(t.intAt(id, t.fieldIndex(u"TypUctu")))
                       .arg(t.textAt(id, t.fieldIndex(u"Ucet")),
                            t.textAt(id, t.fieldIndex(u"Nazev")))
                       .arg(t.currencyAt(id, t.fieldIndex(u"PS")).format(0, QLocale::c()))
                       .arg(t.currencyAt(id, t.fieldIndex(u"Obrat")).format(0, QLocale::c()))
                       .arg(t.currencyAt(id, t.fieldIndex(u"KS")).format(0, QLocale::c()));
        }
        return out;
    }
    std::vector<std::int64_t> order() {
        std::vector<std::int64_t> out;
        ui::TMemTable& t = data.mtSestava;
        for (const ui::RecId id : t.viewIds()) {
            out.push_back(t.intAt(id, t.fieldIndex(u"Poradi")));
        }
        return out;
    }
};

TEST_F(ReportLines, SubtotalsFollowTheLastAccountTheyCover) {
    rows({{"", "518300", true, "10", "0", "100", "0"},
          {"", "518400", true, "0", "0", "50", "20"},
          {"", "521000", true, "0", "5", "200", "0"},
          {"", "602100", false, "0", "0", "10", "400"},
          {"", "604000", false, "1", "0", "0", "100"}});
    group("", "", "-14", "160", "146");
    data.mtSkupiny.first();
    views::NaplnitSestavu(data, false);
    EXPECT_EQ(lines(), (QStringList{
                           "3 1  Náklady 0/0/0",
                           "1 1 518300 Účet 518300 10/100/110",
                           "1 1 518400 Účet 518400 0/30/30",
                           "4 1 518xxx  10/130/140",
                           "2 1 51xxxx  10/130/140",
                           "1 1 521000 Účet 521000 -5/200/195",
                           "4 1 521xxx  -5/200/195",
                           "2 1 52xxxx  -5/200/195",
                           "2 1 5xxxxx  5/330/335",
                           "4 1 xxxxxx Náklady celkem 5/330/335",
                           "3 2  Výnosy 0/0/0",
                           "1 2 602100 Účet 602100 0/390/390",
                           "4 2 602xxx  0/390/390",
                           "1 2 604000 Účet 604000 -1/100/99",
                           "4 2 604xxx  -1/100/99",
                           "2 2 60xxxx  -1/490/489",
                           "2 2 6xxxxx  -1/490/489",
                           "4 2 xxxxxx Výnosy celkem -1/490/489",
                           "3 3  Hospodářský výsledek 0/0/0",
                           "5 3  >>> -14/160/146",
                       }));
    std::vector<std::int64_t> expected(20);
    std::iota(expected.begin(), expected.end(), 1);
    EXPECT_EQ(order(), expected);
    const std::int64_t id = data.mtSkupiny.value(u"ID").toInt();
    for (const ui::RecId r : data.mtSestava.viewIds()) {
        EXPECT_EQ(data.mtSestava.intAt(r, data.mtSestava.fieldIndex(u"IDSkupiny")), id);
    }
}

TEST_F(ReportLines, SectionsWithoutRowsAreLeftOut) {
    rows({{"A", "501100", true, "0", "0", "7", "0"}});
    group("A", "jen náklady", "0", "-7", "-7");
    group("B", "bez obratů", "0", "0", "0");
    data.mtSkupiny.first();
    views::NaplnitSestavu(data, false);
    EXPECT_EQ(lines(), (QStringList{"3 1  Náklady 0/0/0", "1 1 501100 Účet 501100 0/7/7",
                                    "4 1 501xxx  0/7/7", "2 1 50xxxx  0/7/7", "2 1 5xxxxx  0/7/7",
                                    "4 1 xxxxxx Náklady celkem 0/7/7",
                                    "3 3  Hospodářský výsledek 0/0/0", "5 3  >>> 0/-7/-7"}));
    data.mtSkupiny.next();
    views::NaplnitSestavu(data, false);
    EXPECT_EQ(lines(), (QStringList{"3 3  Hospodářský výsledek 0/0/0", "5 3  >>> 0/0/0"}));
}

TEST_F(ReportLines, GroupRowsMatchWithoutRegardToLetterCaseAndQuotes) {
    rows({{"abc", "501100", true, "0", "0", "1", "0"},
          {"ABC", "518300", true, "0", "0", "2", "0"},
          {"O'Neil", "501100", true, "0", "0", "4", "0"},
          {"ABCD", "501100", true, "0", "0", "8", "0"}});
    group("Abc", "");
    group("O'Neil", "");
    data.mtSkupiny.first();
    views::NaplnitSestavu(data, false);
    EXPECT_TRUE(lines().contains("4 1 xxxxxx Náklady celkem 0/3/3"));
    data.mtSkupiny.next();
    views::NaplnitSestavu(data, false);
    EXPECT_TRUE(lines().contains("4 1 xxxxxx Náklady celkem 0/4/4"));
}

TEST_F(ReportLines, DisplayModes) {
    rows({{"", "518300", true, "0", "0", "1", "0"}, {"", "518400", true, "0", "0", "2", "0"}});
    group("", "", "0", "-3", "-3");
    data.mtSkupiny.first();
    struct Case {
        int mode;
        QStringList kinds;
    } cases[] = {
        {0, {"3", "1", "1", "4", "2", "2", "4", "3", "5"}},
        {1, {"3", "1", "1", "3", "5"}},
        {2, {"3", "4", "2", "2", "4", "3", "5"}},
        {3, {"3", "4", "4", "3", "5"}}, // "jen základní součty"
    };
    for (const Case& c : cases) {
        data.Volby.TypZobrazeni = c.mode;
        views::NaplnitSestavu(data, false);
        QStringList kinds;
        for (const QString& l : lines()) {
            kinds << l.section(u' ', 0, 0);
        }
        EXPECT_EQ(kinds, c.kinds) << views::TextZobrazeni(c.mode).toStdString();
        EXPECT_TRUE(lines().contains("5 3  >>> 0/-3/-3"));
    }
    // Another index only switches the existing filter on.
    views::NastavitZobrazeni(data.mtSestava, 0);
    EXPECT_EQ(data.mtSestava.recordCount(), 9);
    views::NastavitZobrazeni(data.mtSestava, 7);
    EXPECT_EQ(data.mtSestava.recordCount(), 5);
}

TEST_F(ReportLines, WholeStatementForPrintWithTheScopeQuestion) {
    rows({{"A", "501100", true, "0", "0", "1", "0"},
          {"B", "501100", true, "0", "0", "2", "0"},
          {"b", "602100", false, "0", "0", "0", "5"}});
    group("A", "první");
    group("B", "druhá");
    data.mtSkupiny.last();

    QString asked;
    bool preset = false;
    std::optional<bool> answer = std::nullopt;
    const views::TDotazRozsahu dotaz = [&](const QString& text, bool vse) {
        asked = text;
        preset = vse;
        return answer;
    };
    EXPECT_FALSE(views::PripravitTiskExport(data, true, dotaz)); // cancelled
    EXPECT_EQ(asked, "B - druhá");
    EXPECT_TRUE(preset);

    answer = true;
    ASSERT_TRUE(views::PripravitTiskExport(data, true, dotaz));
    EXPECT_TRUE(data.Volby.TisknoutVse);
    EXPECT_EQ(prompts.workingMessages.value(0), "Příprava tisku/exportu\rčekejte prosím...");
    EXPECT_FALSE(prompts.workingVisible);
    EXPECT_EQ(data.mtSestava.totalCount(), 8 + 14);
    data.mtSkupiny.first();
    EXPECT_EQ(data.mtSestava.recordCount(), 8);
    EXPECT_EQ(order().front(), 1);
    data.mtSkupiny.next();
    EXPECT_EQ(data.mtSestava.recordCount(), 14);
    EXPECT_EQ(order().front(), 1);
    EXPECT_EQ(order().back(), 14);

    answer = false; // the current group only
    data.mtSkupiny.first();
    ASSERT_TRUE(views::PripravitTiskExport(data, true, dotaz));
    EXPECT_FALSE(data.Volby.TisknoutVse);
    EXPECT_EQ(data.mtSestava.totalCount(), 8);
    EXPECT_EQ(data.mtSkupiny.recordCount(), 1);

    // Not split: no question.
    asked.clear();
    data.mtSkupiny.setFiltered(false);
    ASSERT_TRUE(views::PripravitTiskExport(data, false, dotaz));
    EXPECT_TRUE(asked.isEmpty());
    EXPECT_EQ(data.mtSestava.totalCount(), 22);
}

} // namespace
