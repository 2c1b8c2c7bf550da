#include "agenda_fixture.h"
#include "compute/grouping.h"
#include "compute/run_settings.h"
#include "compute/summation.h"

#include <gtest/gtest.h>

using namespace arvelo;

namespace {

Currency kc(const char* text) {
    return *Currency::parse(QString::fromLatin1(text));
}

TEST(ItemList, MembershipIsExactAndIgnoresLetterCase) {
    struct Case {
        const char* value;
        const char* list;
        bool member;
    } cases[] = {
        {"", "", true},
        {"518300", "501100;518300;", true},
        {"518", "518300;", false},
        {"518300", "518;", false},
        {"z1", "Z1;Z2;", true},
        {"", "Z1;", false},
        {"Z1", "", false},
        {"č1", "Č1;", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(compute::PatriDoSeznamu(QString::fromUtf8(c.value), QString::fromUtf8(c.list)),
                  c.member)
            << c.value << " in " << c.list;
    }
    const compute::TFiltr negated{true, "Z1;", true};
    EXPECT_FALSE(negated.propousti("z1"));
    EXPECT_TRUE(negated.propousti("Z2"));
    EXPECT_TRUE(compute::TFiltr{}.propousti("anything"));
}

TEST(GroupKey, CompanyNumbersWithoutBlanksAndAddressZeroAsEmpty) {
    EXPECT_EQ(compute::KlicSkupiny(compute::FirmyICO, " 123 45 678 "), "12345678");
    EXPECT_EQ(compute::KlicSkupiny(compute::FirmyCislo, "0"), "");
    EXPECT_EQ(compute::KlicSkupiny(compute::FirmyCislo, "10"), "10");
    EXPECT_EQ(compute::KlicSkupiny(compute::Zakazky, " A B "), " A B ");
}

TEST(GroupKinds, HeadingsAndEmptyKeyNames) {
    EXPECT_EQ(compute::NadpisDruhu(-1), "Součet za celou sestavu");
    EXPECT_EQ(compute::NadpisDruhu(compute::Strediska), "Střediska");
    EXPECT_EQ(compute::NadpisDruhu(compute::FirmyICO), "Firmy (dle IČ)");
    EXPECT_EQ(compute::NazevPrazdneSkupiny(compute::Cinnosti), "[záznamy bez činnosti]");
    EXPECT_EQ(compute::NazevPrazdneSkupiny(compute::Mesice), "");
    EXPECT_EQ(compute::NazevPrazdneSkupiny(-1), "");
    EXPECT_EQ(compute::TextDruhu(compute::FirmyCislo), "firmy (dle čísla firmy)");
}

class DatePeriods : public ::testing::Test {
protected:
    test::TestAgenda agenda;
    app::ScriptedPrompts prompts;
    app::THlavniData data{prompts, test::czechFormats()};
    compute::TNastaveniBehu settings;

    QStringList periods(int kind, QDate od, QDate do_) {
        settings.Seskupit = true;
        settings.SeskupitDle = kind;
        settings.DleDatumu = true;
        settings.DatumOd = od;
        settings.DatumDo = do_;
        compute::NaplnitDatumSkupiny(data, settings);
        QStringList out;
        ui::TMemTable& t = data.mtDatumSkupiny;
        for (const ui::RecId id : t.viewIds()) {
            out << t.textAt(id, t.fieldIndex(u"Zkratka")) + u' ' +
                       t.textAt(id, t.fieldIndex(u"Nazev"));
        }
        return out;
    }
};

TEST_F(DatePeriods, PartialFirstAndLastPeriods) {
    EXPECT_EQ(
        periods(compute::Mesice, {2018, 1, 15}, {2018, 3, 10}),
        (QStringList{"2018/01 od 15.01.2018 do 31.01.2018", "2018/02 od 01.02.2018 do 28.02.2018",
                     "2018/03 od 01.03.2018 do 10.03.2018"}));
    EXPECT_EQ(
        periods(compute::Ctvrtleti, {2018, 2, 1}, {2018, 7, 1}),
        (QStringList{"2018/I od 01.02.2018 do 31.03.2018", "2018/II od 01.04.2018 do 30.06.2018",
                     "2018/III od 01.07.2018 do 01.07.2018"}));
    EXPECT_EQ(
        periods(compute::Pololeti, {2018, 12, 31}, {2019, 12, 31}),
        (QStringList{"2018/II od 31.12.2018 do 31.12.2018", "2019/I od 01.01.2019 do 30.06.2019",
                     "2019/II od 01.07.2019 do 31.12.2019"}));
    EXPECT_EQ(
        periods(compute::Roky, {2018, 1, 1}, {2019, 12, 31}),
        (QStringList{"2018 od 01.01.2018 do 31.12.2018", "2019 od 01.01.2019 do 31.12.2019"}));
    // At least one period, also for a single day.
    EXPECT_EQ(periods(compute::Mesice, {2018, 5, 5}, {2018, 5, 5}),
              (QStringList{"2018/05 od 05.05.2018 do 05.05.2018"}));
    // Not a date kind: empty.
    EXPECT_TRUE(periods(compute::Zakazky, {2018, 1, 1}, {2018, 12, 31}).isEmpty());
}

TEST_F(DatePeriods, WithoutTheDateFilterTheCurrentYearIsSplit) {
    agenda.standardYears();
    agenda.attach(data, "001");
    settings.Seskupit = true;
    settings.SeskupitDle = compute::Ctvrtleti;
    compute::NaplnitDatumSkupiny(data, settings);
    EXPECT_EQ(data.mtDatumSkupiny.recordCount(), 4);
    data.mtDatumSkupiny.last();
    EXPECT_EQ(data.mtDatumSkupiny.value(u"Nazev").toString(), "od 01.10.2018 do 31.12.2018");
}

TEST(ProfitPercentage, HalfToEvenAndTheSignOfTheResult) {
    struct Case {
        const char* result;
        const char* costs;
        const char* percentage;
    } cases[] = {
        {"250", "1000", "25"},
        {"300", "-200", "150"},         // a profit never shows as a negative percentage
        {"-300", "200", "-150"},        //
        {"-300", "-200", "-150"},       // nor a loss as a positive one
        {"100", "0", "0"},              // no costs
        {"0", "100", "0"},              //
        {"1", "3", "33.3333"},          //
        {"2", "3", "66.6667"},          //
        {"0.0001", "8", "0.0012"},      // 0.00125 rounds to even
        {"0.0003", "8", "0.0038"},      // 0.00375 rounds to even
        {"-0.0001", "8", "-0.0012"},    //
        {"0.0001", "-80000", "0.0000"}, // rounds to nothing
    };
    for (const Case& c : cases) {
        EXPECT_EQ(compute::ProcentZisku(kc(c.result), kc(c.costs)), kc(c.percentage))
            << c.result << " / " << c.costs;
    }
}

} // namespace
