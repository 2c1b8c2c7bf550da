#include "qt_prostredi.h"
#include "report/render/rozvrh_textu.h"

#include <gtest/gtest.h>

using namespace arvelo::report;

namespace {

TParametryRozvrhu Parametry(const QString& text, int sirka, bool zalamovat = true, bool rtf = false,
                            int zarovnani = 0) {
    TParametryRozvrhu p;
    p.text = text;
    p.sirka = sirka;
    p.zalamovat = zalamovat;
    p.rtf = rtf;
    p.zarovnani = zarovnani;
    return p;
}

QString Radek(const TRadky& r, int i) {
    return r.radky.at(static_cast<std::size_t>(i)).znaky.left(r.radky.at(i).count);
}

class RozvrhTest : public ::testing::Test {
protected:
    TMeric meric;
    TPismoRozvrhu arial;
    // Characters of width w that fit into an element of width sirka: x may reach the edge.
    int Vejde(int sirka, QChar c) {
        const int w = meric.Sirka(arial, c);
        return (sirka * kJednotka - kJednotka) / w;
    }
};

TEST_F(RozvrhTest, MeasuresAtFixedResolutionInLayoutUnits) {
    // Arial (Liberation Sans) "M" is 0.833 em; 10 pt = 1000 layout units per em.
    EXPECT_NEAR(meric.Sirka(arial, QLatin1Char('M')), 833, 2);
    EXPECT_GT(meric.Vyska(arial), 1000);
}

TEST_F(RozvrhTest, WordLongerThanTheLineKeepsOneCharacterMore) {
    const int fits = Vejde(100, QLatin1Char('M'));
    const TRadky r = RozvrhniText(Parametry(QString(40, QLatin1Char('M')), 100), meric);
    ASSERT_GE(r.Count(), 3);
    EXPECT_EQ(r.radky[0].count, fits + 1);
    EXPECT_EQ(r.radky[1].count, fits + 1);
    EXPECT_TRUE(r.radky[0].wrapped);
    EXPECT_FALSE(r.radky[1].paragraphStart);
    // The carried characters start at the left again.
    EXPECT_EQ(r.radky[1].positions[0], 0);
}

TEST_F(RozvrhTest, SingleLineIsCutAtTheFirstCharacterThatDoesNotFit) {
    const int fits = Vejde(100, QLatin1Char('M'));
    const TRadky r = RozvrhniText(Parametry(QString(40, QLatin1Char('M')), 100, false), meric);
    ASSERT_EQ(r.Count(), 1);
    EXPECT_EQ(r.radky[0].count, fits);
}

TEST_F(RozvrhTest, WrapsAtTheLastSpaceWhichStaysOnTheLine) {
    const TRadky r = RozvrhniText(Parametry(QStringLiteral("aaa bbb ccc ddd eee"), 60), meric);
    ASSERT_GE(r.Count(), 2);
    EXPECT_TRUE(Radek(r, 0).endsWith(QLatin1Char(' ')));
    QString vse;
    for (int i = 0; i < r.Count(); ++i)
        vse += Radek(r, i);
    EXPECT_EQ(vse, QStringLiteral("aaa bbb ccc ddd eee"));
}

TEST_F(RozvrhTest, LineBreaksStartParagraphsAndEmptyTextHasNoHeight) {
    const TRadky r = RozvrhniText(Parametry(QStringLiteral("a\nb"), 300), meric);
    ASSERT_EQ(r.Count(), 2);
    EXPECT_TRUE(r.radky[1].paragraphStart);
    EXPECT_FALSE(r.radky[0].wrapped);
    EXPECT_EQ(r.Vyska(), (kJednotka + r.Soucet(0, 1)) / kJednotka);
    EXPECT_EQ(RozvrhniText(Parametry(QString(), 300), meric).Vyska(), 0);
}

TEST_F(RozvrhTest, FitTakesWholeLinesAndReportsTheRest) {
    TRadky r;
    r.radky.resize(5);
    for (auto& l : r.radky) {
        l.height = 20 * kJednotka;
        l.count = 1;
    }
    const auto f = r.Vejde(0, 61); // 1 + 3 x 20
    EXPECT_EQ(f.posledni, 2);
    EXPECT_EQ(f.vyska, 61);
    EXPECT_FALSE(f.vse);
    const auto g = r.Vejde(3, 100);
    EXPECT_EQ(g.posledni, 4);
    EXPECT_TRUE(g.vse);
    EXPECT_EQ(r.Vyska(), 101);
}

TEST_F(RozvrhTest, TabStopsWithLeftIndent) {
    struct Pripad {
        const char* text;
        int twipy;
    };
    const Pripad pripady[] = {
        {"\\tab X", 720},
        {"\\li360 \\tab X", 360},
        {"\\li1440 \\tab X", 720},
        {"\\deftab360 \\tab\\tab X", 720},
    };
    for (const Pripad& p : pripady) {
        const TRadky r =
            RozvrhniText(Parametry(QString::fromLatin1(p.text), 500, true, true), meric);
        const QString z = Radek(r, 0);
        const int i = static_cast<int>(z.indexOf(QLatin1Char('X')));
        ASSERT_GE(i, 0) << p.text;
        EXPECT_EQ(r.radky[0].positions[i], p.twipy * kJednotka / 15) << p.text;
    }
    // The same in a plain text.
    const TRadky r = RozvrhniText(Parametry(QStringLiteral("\tX"), 500), meric);
    EXPECT_EQ(r.radky[0].positions[1], 720 * kJednotka / 15);
}

TEST_F(RozvrhTest, RtfBoldWordOnlyAndTheRestKeepsTheElementFont) {
    const TRadky r =
        RozvrhniText(Parametry(QStringLiteral("plain \\b bold\\b0  rest"), 500, true, true), meric);
    const TRadek& l = r.radky[0];
    ASSERT_EQ(Radek(r, 0), QStringLiteral("plain bold rest"));
    for (int i = 0; i < l.count; ++i) {
        const TPismoRozvrhu& p = r.pisma[static_cast<std::size_t>(l.pisma[i])];
        const bool tucne = i >= 6 && i < 10;
        EXPECT_EQ(p.bold, tucne) << i;
        if (!tucne) {
            EXPECT_EQ(p, arial) << i;
        }
    }
    // A group's formatting ends with the group.
    const TRadky g =
        RozvrhniText(Parametry(QStringLiteral("{\\b bold} rest"), 500, true, true), meric);
    const TRadek& m = g.radky[0];
    EXPECT_TRUE(g.pisma[static_cast<std::size_t>(m.pisma[0])].bold);
    EXPECT_EQ(g.pisma[static_cast<std::size_t>(m.pisma[m.count - 1])], arial);
}

TEST_F(RozvrhTest, RtfTablesDestinationsAndMalformedInput) {
    struct Pripad {
        const char* rtf;
        const char* text;
    };
    const Pripad pripady[] = {
        {"{\\info{\\title T}{\\author A}}Text", "Text"},
        {"{\\*\\unknownword skipped}x", "x"},
        {"{\\stylesheet{\\s0 Normal;}}y", "y"},
        {"ab}cd", "ab"},              // a "}" without "{"
        {"ab\\'zzcd", "ab"},          // a bad hexadecimal digit
        {"ab\\", "ab"},               // a backslash at the very end
        {"{{unclosed", "unclosed"},   // unclosed groups are accepted
        {"a\\{b\\}c\\\\", "a{b}c\\"}, // control symbols
        {"\\ldblquote q\\rdblquote ", "\"q\""},
        {"x\\~y", "x y"},
        {"\\'e8\\'9a", "\u010D\u0161"}, // Central European code page
        {"a\\bin3 xyzb", "ab"},
        {"\\paperw11906\\margl1134 z", "z"},
    };
    for (const Pripad& p : pripady) {
        const TRadky r =
            RozvrhniText(Parametry(QString::fromLatin1(p.rtf), 900, true, true), meric);
        QString vse;
        for (int i = 0; i < r.Count(); ++i)
            vse += Radek(r, i);
        EXPECT_EQ(vse, QString::fromUtf8(p.text)) << p.rtf;
    }
    const TRadky par =
        RozvrhniText(Parametry(QStringLiteral("a\\par b\\line"), 900, true, true), meric);
    EXPECT_EQ(par.Count(), 2);
}

TEST_F(RozvrhTest, RtfFontAndColourTables) {
    const TRadky r = RozvrhniText(
        Parametry(QStringLiteral("{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\fmodern\\fcharset238 "
                                 "Courier New;}}{\\colortbl;\\red255\\green0\\blue0;}"
                                 "\\f1\\fs30\\cf1 A\\cf7 B\\plain C"),
                  900, true, true),
        meric);
    const TRadek& l = r.radky[0];
    ASSERT_EQ(Radek(r, 0), QStringLiteral("ABC"));
    const TPismoRozvrhu& a = r.pisma[static_cast<std::size_t>(l.pisma[0])];
    EXPECT_EQ(a.name, QStringLiteral("Courier New"));
    EXPECT_DOUBLE_EQ(a.size, 15.0);
    EXPECT_EQ(a.color, 0x0000FFu);                                          // red as 0x00BBGGRR
    EXPECT_EQ(r.pisma[static_cast<std::size_t>(l.pisma[1])].color, kCerna); // outside the table
    EXPECT_FALSE(r.pisma[static_cast<std::size_t>(l.pisma[2])].bold);
}

TEST_F(RozvrhTest, RtfListTextStandsLeftOfTheParagraph) {
    // The list text goes back by the list indent, the paragraph text continues where it began.
    const TRadky r = RozvrhniText(
        Parametry(QStringLiteral("\\li720\\pnindent360 {\\pntext *}Bod"), 500, true, true), meric);
    const TRadek& l = r.radky[0];
    ASSERT_EQ(Radek(r, 0), QStringLiteral("*Bod"));
    EXPECT_EQ(l.positions[0], -360 * kJednotka / 15);
    EXPECT_EQ(l.positions[1], 0);
    EXPECT_EQ(l.start, kJednotka + 720 * kJednotka / 15 + 360 * kJednotka / 15);
    const TRadky bez =
        RozvrhniText(Parametry(QStringLiteral("{\\pntext *}x"), 500, true, true), meric);
    EXPECT_EQ(bez.radky[0].positions[0], -960);
}

TEST_F(RozvrhTest, JustifyStretchesWrappedLinesButNotTheLast) {
    const QString text = QStringLiteral("aaaa bb cccccc d eee ffff gg hhhhh iii jj k");
    const TRadky volne = RozvrhniText(Parametry(text, 100, true, false, 0), meric);
    const TRadky blok = RozvrhniText(Parametry(text, 100, true, false, 3), meric);
    ASSERT_GE(blok.Count(), 3);
    ASSERT_EQ(volne.Count(), blok.Count());
    const int posledni = blok.Count() - 1;
    for (int i = 0; i < blok.Count(); ++i) {
        const TRadek& v = volne.radky[static_cast<std::size_t>(i)];
        const TRadek& b = blok.radky[static_cast<std::size_t>(i)];
        EXPECT_EQ(b.start, kJednotka);
        for (int k = 0; k < b.count; ++k) {
            const long long cekane = i == posledni ? v.positions[k]
                                                   : static_cast<long long>(v.positions[k]) *
                                                         (100 * kJednotka - kJednotka) / v.width;
            EXPECT_EQ(b.positions[k], cekane) << i << " " << k;
        }
    }
    // Something was stretched indeed.
    bool jinak = false;
    for (int i = 0; i < posledni; ++i)
        jinak = jinak || blok.radky[i].positions != volne.radky[i].positions;
    EXPECT_TRUE(jinak);
}

TEST_F(RozvrhTest, AlignmentStartsAndFixedPitch) {
    const TRadky vpravo = RozvrhniText(Parametry(QStringLiteral("ab"), 200, true, false, 1), meric);
    EXPECT_EQ(vpravo.radky[0].start, 200 * kJednotka - vpravo.radky[0].width - kJednotka);
    const TRadky stred = RozvrhniText(Parametry(QStringLiteral("ab"), 200, true, false, 2), meric);
    EXPECT_EQ(stred.radky[0].start, (200 * kJednotka - stred.radky[0].width) / 2);
    TParametryRozvrhu p = Parametry(QStringLiteral("abc"), 200);
    const TRoztecPisma rp = RoztecPisma(QStringLiteral("Roman 12cpi"), 0);
    p.roztec = rp.roztec;
    p.vyskaRadku = rp.vyskaRadku;
    const TRadky pevne = RozvrhniText(p, meric);
    EXPECT_EQ(pevne.radky[0].positions[1], 600); // 100/12 of 1/100 in x 72
    EXPECT_EQ(pevne.radky[0].positions[2], 1200);
    EXPECT_EQ(pevne.radky[0].height, 1200); // six lines per inch
    EXPECT_DOUBLE_EQ(RoztecPisma(QStringLiteral("Roman xcpi"), 0).roztec, 10.0);
    EXPECT_DOUBLE_EQ(RoztecPisma(QStringLiteral("Arial"), 7).roztec, 7.0);
}

TEST_F(RozvrhTest, DrawsEveryCharacterAtItsRecordedPosition) {
    const TRadky r = RozvrhniText(Parametry(QStringLiteral("ab cd\nef"), 300), meric);
    TZaznamCanvas c;
    KresliRadky(c, r, 0, r.Count() - 1, 10, 20, 2.0, 3.0);
    ASSERT_EQ(c.texty.size(), 2u);
    const TRadek& l = r.radky[0];
    EXPECT_DOUBLE_EQ(c.texty[0].x, 10 + (l.start + l.positions[0] + kJednotka) / 72.0 * 2.0);
    EXPECT_DOUBLE_EQ(c.texty[0].y, 20 + l.height / 72.0 * 3.0);
    EXPECT_EQ(c.texty[0].znaky, QStringLiteral("ab cd"));
    EXPECT_DOUBLE_EQ(c.texty[0].posuny[1], (l.positions[2] - l.positions[1]) / 72.0 * 2.0);
    EXPECT_DOUBLE_EQ(c.texty[1].y, 20 + r.Soucet(0, 1) / 72.0 * 3.0);
    // From the second line only.
    TZaznamCanvas d;
    KresliRadky(d, r, 1, 1, 0, 0, 1, 1);
    ASSERT_EQ(d.texty.size(), 1u);
    EXPECT_EQ(d.texty[0].znaky, QStringLiteral("ef"));
}

TEST_F(RozvrhTest, RotatedTextIsCentredOnTheRectangle) {
    TZaznamCanvas c;
    KresliOtocenyText(c, meric, QStringLiteral("AB"), arial, 90, 100, 200, 1, 1);
    ASSERT_EQ(c.texty.size(), 1u);
    const double w = (meric.Sirka(arial, QLatin1Char('A')) + meric.Sirka(arial, QLatin1Char('B'))) /
                     double(kJednotka);
    EXPECT_NEAR(c.texty[0].x, 100, 1e-9);
    EXPECT_NEAR(c.texty[0].y, 200 + w / 2, 1e-9); // turned up: starts below the centre
    EXPECT_NEAR(c.texty[0].posuny[0], meric.Sirka(arial, QLatin1Char('A')) / double(kJednotka),
                1e-9);
    TZaznamCanvas d;
    KresliOtocenyText(d, meric, QString(300, QLatin1Char('x')), arial, 45, 0, 0, 1, 1);
    EXPECT_EQ(d.texty[0].znaky.size(), 255); // one line of at most 255 characters
}

} // namespace
