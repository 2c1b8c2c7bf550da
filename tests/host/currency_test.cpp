#include "host/currency.h"

#include <gtest/gtest.h>

using arvelo::Currency;

TEST(Currency, ParsesExactDecimalsAndRejectsGarbage) {
    struct Case {
        const char* text;
        bool ok;
        long long raw;
    };
    const Case cases[] = {
        {"0", true, 0},
        {"12.5", true, 125000},
        {"-1234,5", true, -12345000},
        {"1 234 567.89", true, 12345678900},
        {"0.00005", true, 0}, // half to even: down to 0
        {"0.00015", true, 2}, // half to even: up to 2
        {"0.000151", true, 2},
        {"+7", true, 70000},
        {"", false, 0},
        {"abc", false, 0},
        {"1.2.3", false, 0},
        {"12a", false, 0},
        {" 5 ", true, 50000},
    };
    for (const Case& c : cases) {
        const auto parsed = Currency::parse(QString::fromUtf8(c.text));
        EXPECT_EQ(parsed.has_value(), c.ok) << c.text;
        if (parsed && c.ok) {
            EXPECT_EQ(parsed->raw(), c.raw) << c.text;
        }
    }
}

TEST(Currency, FormatsWithGroupsAndLocaleSeparator) {
    const QLocale cs(QLocale::Czech, QLocale::CzechRepublic);
    const QLocale en(QLocale::English, QLocale::UnitedStates);
    const Currency v = *Currency::parse("-1234567.8951");
    EXPECT_EQ(v.format(2, cs), QStringLiteral("-1 234 567,90"));
    EXPECT_EQ(v.format(0, cs), QStringLiteral("-1 234 568"));
    EXPECT_EQ(v.format(4, en), QStringLiteral("-1 234 567.8951"));
    EXPECT_EQ(v.format(1, en), QStringLiteral("-1 234 567.9"));
    EXPECT_EQ(Currency().format(2, cs), QStringLiteral("0,00"));
    EXPECT_EQ(Currency::fromRaw(-1).format(2, cs), QStringLiteral("0,00"));
    EXPECT_EQ(v.toPlainString(), QStringLiteral("-1234567.8951"));
    EXPECT_EQ(Currency::fromRaw(5).toPlainString(), QStringLiteral("0.0005"));
}

TEST(Currency, SharesRoundHalfToEven) {
    // 1/8 of 100 % = 12.5 %, exactly representable.
    EXPECT_EQ(Currency::fromUnits(1).percentOf(Currency::fromUnits(8)).toPlainString(), "12.5000");
    // 1/3 = 33.3333 %; 2/3 = 66.6667 %.
    EXPECT_EQ(Currency::fromUnits(1).percentOf(Currency::fromUnits(3)).toPlainString(), "33.3333");
    EXPECT_EQ(Currency::fromUnits(2).percentOf(Currency::fromUnits(3)).toPlainString(), "66.6667");
    EXPECT_EQ(Currency::fromUnits(-2).percentOf(Currency::fromUnits(3)).toPlainString(),
              "-66.6667");
    EXPECT_TRUE(Currency::fromUnits(5).percentOf(Currency()).isZero());
    // 0.00005 of a unit rounds to the even neighbour at four decimals.
    EXPECT_EQ(Currency::fromRaw(25).rounded(3).raw(), 20);
    EXPECT_EQ(Currency::fromRaw(35).rounded(3).raw(), 40);
    EXPECT_EQ(Currency::fromRaw(-35).rounded(3).raw(), -40);
    EXPECT_EQ(Currency::fromDouble(0.00005).raw(), 0);
    EXPECT_EQ(Currency::fromDouble(-19.99).raw(), -199900);
}
