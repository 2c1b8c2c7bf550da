#include "report/model/palette.h"

#include <gtest/gtest.h>

namespace arvelo::report {
namespace {

TEST(Paleta, BarvaNaIndexBereJenBarvyPalety) {
    struct Case {
        TBarva barva;
        int index;
    };
    const Case cases[] = {
        {0x000000, 0},  {0x000080, 1}, {0x0000FF, 9}, {0xFF0000, 12},
        {0xFFFFFF, 15}, {0xC0C0C0, 8}, {0x123456, 0}, // outside the palette: black
        {0x000081, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BarvaNaIndex(c.barva), c.index) << std::hex << c.barva;
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(BarvaNaIndex(IndexNaBarvu(i)), i);
    EXPECT_EQ(IndexNaBarvu(16), kCerna);
    EXPECT_EQ(IndexNaBarvu(-1), kCerna);
}

TEST(Paleta, PrevodNaQColorDrziPoradiBgr) {
    const QColor red = BarvaNaQColor(0x0000FF);
    EXPECT_EQ(red, QColor(255, 0, 0));
    EXPECT_EQ(QColorNaBarvu(QColor(0, 0, 128)), 0x800000u); // navy
}

TEST(ZnakoveSady, SeznamNavrhare) {
    const int expected[] = {0, 161, 162, 186, 238, 204, 2, 1};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(ZnakovaSadaZIndexu(i), expected[i]);
    EXPECT_EQ(ZnakovaSadaZIndexu(8), 1);
    EXPECT_EQ(ZnakovaSadaZIndexu(-1), 1);
    EXPECT_EQ(IndexZnakoveSady(238), 4);
    EXPECT_EQ(IndexZnakoveSady(77), -1);
}

TEST(Pisma, ZapornaVelikostJeVyskaVSetinachPalce) {
    EXPECT_EQ(VelikostPismaZPredlohy(12), 12);
    EXPECT_EQ(VelikostPismaZPredlohy(-14), 10); // 14 * 72 / 100 = 10.08
    EXPECT_EQ(VelikostPismaZPredlohy(-100), 72);
    EXPECT_GT(VelikostPismaZPredlohy(std::numeric_limits<int>::min()), 0);
}

TEST(Pisma, StaraJmenaSPriponouPisma) {
    auto none = [](const QString&) { return false; };
    auto all = [](const QString&) { return true; };
    struct Case {
        const char* name;
        const char* expectedName;
        int expectedCharset;
    };
    const Case cases[] = {
        {"Arial CE", "Arial", 238},      {"Times New Roman Greek", "Times New Roman", 161},
        {"Courier TUR", "Courier", 162}, {"Arial Baltic", "Arial", 186},
        {"Arial CYR", "Arial", 204},     {"Arial", "Arial", 0},
        {"ArialCE", "ArialCE", 0},
    };
    for (const auto& c : cases) {
        const auto r = RozlisitStarePismo(QString::fromUtf8(c.name), 0, none);
        EXPECT_EQ(r.name, QString::fromUtf8(c.expectedName)) << c.name;
        EXPECT_EQ(r.charset, c.expectedCharset) << c.name;
    }
    // An installed font of that very name stays as it is.
    const auto kept = RozlisitStarePismo(QStringLiteral("Arial CE"), 0, all);
    EXPECT_EQ(kept.name, QStringLiteral("Arial CE"));
    EXPECT_EQ(kept.charset, 0);
}

TEST(Pisma, RomanZarizeniNahrazujeCourierNew) {
    struct Case {
        const char* name;
        int cpi;
        int points;
    };
    const Case cases[] = {{"Roman 10cpi", 10, 11},
                          {"Roman 12cpi", 12, 10},
                          {"Roman 17cpi", 17, 8},
                          {"Roman 15cpi", 10, 11},
                          {"Roman xcpi", 10, 11}};
    for (const auto& c : cases) {
        const auto r = RomanPismo(QString::fromLatin1(c.name));
        ASSERT_TRUE(r.has_value()) << c.name;
        EXPECT_EQ(r->cpi, c.cpi) << c.name;
        EXPECT_EQ(r->body, c.points) << c.name;
        EXPECT_EQ(r->nahradniJmeno, QStringLiteral("Courier New"));
        EXPECT_EQ(r->charset, 238);
        EXPECT_DOUBLE_EQ(r->krokZnaku, 100.0 / c.cpi);
    }
    EXPECT_FALSE(RomanPismo(QStringLiteral("Romantic")).has_value());
    EXPECT_FALSE(RomanPismo(QStringLiteral("Times New Roman")).has_value());
}

} // namespace
} // namespace arvelo::report
