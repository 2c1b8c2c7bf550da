#include "report/barcode/kresleni_kodu.h"
#include "support/test_application.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace arvelo::report::barcode {
namespace {

[[maybe_unused]] const auto* const kAplikace = arvelo::test::kTestApplication<QGuiApplication>;

class Kresleni : public ::testing::Test {
protected:
    static QImage Platno(int sirka, int vyska) {
        QImage obraz(sirka, vyska, QImage::Format_RGB32);
        obraz.fill(QColor(200, 220, 240)); // neither black nor white
        return obraz;
    }

    static bool Cerna(const QImage& obraz, int x, int y) {
        return obraz.pixel(x, y) == qRgb(0, 0, 0);
    }
    static bool Bila(const QImage& obraz, int x, int y) {
        return obraz.pixel(x, y) == qRgb(255, 255, 255);
    }

    // The row y read back as modules of width m: '1' black, '0' white.
    static std::string Radek(const QImage& obraz, int x0, int y, int pocet, int m) {
        std::string s;
        for (int i = 0; i < pocet; ++i)
            s.push_back(Cerna(obraz, x0 + i * m, y) ? '1' : Bila(obraz, x0 + i * m, y) ? '0' : '?');
        return s;
    }
};

std::string Moduly(const TZakodovanyKod& k) {
    std::string s;
    for (const auto& p : k.prvky)
        s.append(p.trida, p.druh == TDruhPrvku::Mezera ? '0' : '1');
    return s;
}

TEST(SirkaModulu, ScaleCodeAndSoundLimits) {
    struct {
        int zvetseni, meritko, modul;
    } const pripady[] = {
        {8, kMeritkoVystupu, 8},
        {16, kMeritkoVystupu, 16},
        {4, kMeritkoVystupu, 4},
        {8, kMeritkoNavrhare, 1},
        {12, kMeritkoNavrhare, 2},
        // Designer codes 4 and 5 give 0: drawn at 1 pixel, never with an earlier code's width.
        {4, kMeritkoNavrhare, 1},
        {5, kMeritkoNavrhare, 1},
        // A code outside 4-16 is the "1,00" the designer shows.
        {0, kMeritkoVystupu, 8},
        {100, kMeritkoVystupu, 8},
        {-3, kMeritkoVystupu, 8},
        // Large scales stay within 49 pixels.
        {16, 30, 49},
    };
    for (const auto& p : pripady)
        EXPECT_EQ(SirkaModulu(p.zvetseni, p.meritko), p.modul) << p.zvetseni << " @" << p.meritko;
    EXPECT_EQ(TextZvetseni(4), "0,50");
    EXPECT_EQ(TextZvetseni(5), "0,63");
    EXPECT_EQ(TextZvetseni(16), "2,00");
    EXPECT_EQ(TextZvetseni(17), "1,00");
}

TEST_F(Kresleni, BarsAtModuleWidthFromTopToBottom) {
    QImage obraz = Platno(400, 60);
    TZakodovanyKod k;
    {
        QPainter p(&obraz);
        TParametryKodu par;
        par.symbologie = syEan13;
        par.zvetseni = 12; // 2 pixels in the designer
        par.kontrolniSoucet = true;
        k = KresliCarovyKod(p, QRect(10, 5, 300, 50), "5901234123457", par, kMeritkoNavrhare);
    }
    const std::string moduly = Moduly(k);
    ASSERT_EQ(moduly.size(), 95u);
    EXPECT_EQ(Radek(obraz, 10, 5, 95, 2), moduly);
    EXPECT_EQ(Radek(obraz, 11, 54, 95, 2), moduly);
    // Nothing outside the rectangle's rows, nothing after the symbol.
    EXPECT_FALSE(Cerna(obraz, 10, 4));
    EXPECT_FALSE(Cerna(obraz, 10, 55));
    EXPECT_FALSE(Cerna(obraz, 10 + 95 * 2, 30));
}

TEST_F(Kresleni, ShortBarsStandOnTheBottomEdge) {
    QImage obraz = Platno(200, 60);
    TZakodovanyKod k;
    {
        QPainter p(&obraz);
        TParametryKodu par;
        par.symbologie = syPostNet;
        par.zvetseni = 4; // 4 px at the output scale
        k = KresliCarovyKod(p, QRect(0, 0, 200, 50), "1", par, kMeritkoVystupu);
    }
    // Start bar, wide space, then digit 1 = short, short, short, full, full.
    const int m = 4;
    const int kratka = 50 * 2 / 5;
    const int x1 = m + 2 * m; // first short bar
    EXPECT_TRUE(Cerna(obraz, 0, 0));
    EXPECT_TRUE(Bila(obraz, x1, 0));
    EXPECT_TRUE(Bila(obraz, x1, 49 - kratka));
    EXPECT_TRUE(Cerna(obraz, x1, 50 - kratka));
    EXPECT_TRUE(Cerna(obraz, x1, 49));
    EXPECT_FALSE(Cerna(obraz, x1, 50));
    const int xPlna = x1 + 3 * 3 * m; // fourth bar of the digit
    EXPECT_TRUE(Cerna(obraz, xPlna, 0));
    EXPECT_TRUE(Cerna(obraz, xPlna, 49));
}

TEST_F(Kresleni, RotationAboutTheTopLeftCornerTextStaysHorizontal) {
    const TParametryKodu rovne{syCode128B, 8, 0, false, false};
    TParametryKodu otocene = rovne;
    otocene.uhel = 90;
    QImage a = Platno(300, 40);
    QImage b = Platno(300, 300);
    {
        QPainter p(&a);
        KresliCarovyKod(p, QRect(0, 0, 300, 40), "Ab1", rovne, kMeritkoNavrhare * 8);
    }
    {
        QPainter p(&b);
        // Counter-clockwise: the bars run upward from the corner at (20, 280).
        KresliCarovyKod(p, QRect(20, 280, 300, 40), "Ab1", otocene, kMeritkoNavrhare * 8);
    }
    int srovnano = 0;
    for (int x = 0; x < 250; ++x)
        for (int y = 0; y < 40; y += 7) {
            ASSERT_EQ(a.pixel(x, y), b.pixel(20 + y, 280 - 1 - x)) << x << "," << y;
            ++srovnano;
        }
    EXPECT_GT(srovnano, 1000);

    // With the text flag the text is drawn unrotated at the rectangle's top-left on white,
    // below the turned bars.
    otocene.tisknoutText = true;
    QImage c = Platno(300, 400);
    {
        QPainter p(&c);
        KresliCarovyKod(p, QRect(20, 280, 300, 40), "Ab1", otocene, kMeritkoNavrhare * 8);
    }
    int cernych = 0;
    int bilych = 0;
    for (int x = 20; x < 120; ++x)
        for (int y = 280; y < 300; ++y) {
            cernych += Cerna(c, x, y) || qGray(c.pixel(x, y)) < 100;
            bilych += Bila(c, x, y);
        }
    EXPECT_GT(cernych, 20);
    EXPECT_GT(bilych, 200);
    // The text is wider than it is tall: it lies horizontally.
    int vpravo = 0;
    for (int x = 60; x < 120; ++x)
        for (int y = 280; y < 312; ++y)
            vpravo += qGray(c.pixel(x, y)) < 100;
    EXPECT_GT(vpravo, 0);
}

TEST_F(Kresleni, TextIsThePreparedValue) {
    QImage s = Platno(400, 80);
    QImage bez = Platno(400, 80);
    TParametryKodu par{syCode128C, 8, 0, false, true};
    TZakodovanyKod k;
    {
        QPainter p(&s);
        k = KresliCarovyKod(p, QRect(0, 0, 400, 80), "12345", par, 3);
    }
    par.tisknoutText = false;
    {
        QPainter p(&bez);
        KresliCarovyKod(p, QRect(0, 0, 400, 80), "12345", par, 3);
    }
    EXPECT_EQ(k.text, "012345");
    // The text changes only the top-left corner: 4 modules high.
    for (int y = 24; y < 80; ++y)
        for (int x = 0; x < 400; ++x)
            ASSERT_EQ(s.pixel(x, y), bez.pixel(x, y)) << x << "," << y;
    EXPECT_NE(s.copy(0, 0, 100, 16), bez.copy(0, 0, 100, 16));
}

TEST_F(Kresleni, EmptyValueDrawsNothingAndPainterIsRestored) {
    QImage obraz = Platno(100, 50);
    const QImage puvodni = obraz;
    QPainter p(&obraz);
    const QPen pero(Qt::red, 3);
    const QBrush stetec(Qt::green);
    const QFont pismo(QStringLiteral("Liberation Serif"), 17);
    p.setPen(pero);
    p.setBrush(stetec);
    p.setFont(pismo);
    const TParametryKodu par{syEan13, 8, 30, true, false};
    const TZakodovanyKod k = KresliCarovyKod(p, QRect(5, 5, 80, 40), "", par, kMeritkoVystupu);
    EXPECT_TRUE(k.prvky.empty());
    EXPECT_EQ(p.pen(), pero);
    EXPECT_EQ(p.brush(), stetec);
    EXPECT_EQ(p.font(), pismo);
    EXPECT_TRUE(p.worldTransform().isIdentity());
    // Drawing a symbol restores the state too.
    KresliCarovyKod(p, QRect(5, 5, 80, 40), "1", TParametryKodu{syCode39, 8, 30, true, true}, 1);
    EXPECT_EQ(p.pen(), pero);
    EXPECT_EQ(p.font(), pismo);
    EXPECT_TRUE(p.worldTransform().isIdentity());
    p.end();
    EXPECT_NE(obraz, puvodni);
}

// --- Decoding by zbar --------------------------------------------------------------------

struct TDekodovani {
    const char* nazev;
    int symbologie;
    QString hodnota;
    bool kontrola;
    QString ocekavano; // what zbarimg --raw prints
    QStringList volby = {};
};

void PrintTo(const TDekodovani& d, std::ostream* os) {
    *os << d.nazev;
}

class Zbar : public Kresleni, public ::testing::WithParamInterface<TDekodovani> {};

TEST_P(Zbar, DecodesToTheValue) {
    const QString zbarimg = QStandardPaths::findExecutable(QStringLiteral("zbarimg"));
    if (zbarimg.isEmpty())
        GTEST_SKIP() << "zbarimg is not installed (Debian package zbar-tools)";
    const TDekodovani& d = GetParam();
    const TZakodovanyKod k = Zakoduj(d.symbologie, d.hodnota, d.kontrola);
    const int m = 4;
    const int okraj = 20 * m; // quiet zone
    QImage obraz(k.Sirka(m) + 2 * okraj, 200, QImage::Format_RGB32);
    obraz.fill(Qt::white);
    {
        QPainter p(&obraz);
        const TParametryKodu par{d.symbologie, 8, 0, d.kontrola, false};
        KresliCarovyKod(p, QRect(okraj, 40, k.Sirka(m), 120), d.hodnota, par, 3); // 3 x 8 / 6 = 4
    }
    QTemporaryDir adresar;
    ASSERT_TRUE(adresar.isValid());
    const QString soubor = adresar.filePath(QStringLiteral("kod.png"));
    ASSERT_TRUE(obraz.save(soubor));
    QProcess proces;
    proces.start(zbarimg, QStringList{QStringLiteral("--raw"), QStringLiteral("-q")} + d.volby +
                              QStringList{soubor});
    ASSERT_TRUE(proces.waitForFinished(30000));
    const QString vystup = QString::fromUtf8(proces.readAllStandardOutput()).trimmed();
    EXPECT_EQ(vystup, d.ocekavano)
        << QString::fromUtf8(proces.readAllStandardError()).toStdString();
}

const QStringList kDoplnky = {QStringLiteral("-Sean2.enable"), QStringLiteral("-Sean5.enable")};

INSTANTIATE_TEST_SUITE_P(
    Symbologie, Zbar,
    ::testing::Values(
        TDekodovani{"Ean13", syEan13, "590123412345", true, "5901234123457"},
        TDekodovani{"Ean13Kratky", syEan13, "123", true, "0000000001236"},
        TDekodovani{"Ean8", syEan8, "9638507", true, "96385074"},
        TDekodovani{"UpcA", syUpcA, "03600029145", true, "0036000291452"},
        // zbar reports UPC-E expanded to UPC-A, which shows that the check digit is the
        // expanded number's. It does not read number system 1 (UPC-E1).
        TDekodovani{"UpcE0", syUpcE0, "654321", true, "0065100004327"},
        TDekodovani{"UpcE0Tri", syUpcE0, "123453", false, "0012300000451"},
        TDekodovani{"UpcE0Ctyri", syUpcE0, "123454", false, "0012340000053"},
        TDekodovani{"UpcE0Pet", syUpcE0, "123455", false, "0012345000058"},
        TDekodovani{"Code128A", syCode128A, "abc", false, "ABC"},
        TDekodovani{"Code128B", syCode128B, "Arvelo 2026-12!", false, "Arvelo 2026-12!"},
        TDekodovani{"Code128BAll", syCode128B, "! \"#$%&'()*+,-./0123456789:;<=>?@", false,
                    "! \"#$%&'()*+,-./0123456789:;<=>?@"},
        TDekodovani{"Code128BAll2", syCode128B, "ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`", false,
                    "ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`"},
        TDekodovani{"Code128BAll3", syCode128B, "abcdefghijklmnopqrstuvwxyz{|}~", false,
                    "abcdefghijklmnopqrstuvwxyz{|}~"},
        TDekodovani{"Code128C", syCode128C, "12345", false, "012345"},
        TDekodovani{"Code128CAll", syCode128C,
                    "0001020304050607080910111213141516171819202122232425262728293031323334353637"
                    "3839404142434445464748495051525354555657585960616263646566676869707172737475"
                    "76777879808182838485868788899091929394959697989900",
                    false,
                    "0001020304050607080910111213141516171819202122232425262728293031323334353637"
                    "3839404142434445464748495051525354555657585960616263646566676869707172737475"
                    "76777879808182838485868788899091929394959697989900"},
        TDekodovani{"Code39", syCode39, "CODE-39 $/+%.", false, "CODE-39 $/+%."},
        TDekodovani{"Code39Vse", syCode39, "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ", false,
                    "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"},
        // zbar does not strip the modulo-43 character: C O D E 3 9 = 75, 75 mod 43 = 32 'W'.
        TDekodovani{"Code39Kontrola", syCode39, "CODE39", true, "CODE39W"},
        // zbar reads the full-ASCII pairs as they are.
        TDekodovani{"Code39Full", syCode39Full, "abc", false, "+A+B+C"},
        TDekodovani{"Code93", syCode93, "TEST93", false, "TEST93"},
        TDekodovani{"Code93Vse", syCode93, "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%", false,
                    "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%"},
        TDekodovani{"Code93Full", syCode93Full, "Arvelo!", false, "Arvelo!"},
        TDekodovani{"Interleaved", sy2z5Prokladany, "1234567", false, "01234567"},
        TDekodovani{"InterleavedVse", sy2z5Prokladany, "9876543210", false, "9876543210"},
        TDekodovani{"Codabar", syCodabar, "40156", false, "A40156B"},
        TDekodovani{"CodabarVse", syCodabar, "0123456789-$:/.+", false, "A0123456789-$:/.+B"},
        TDekodovani{"Supp2", syUpcSupp2, "5", false, "05", kDoplnky},
        TDekodovani{"Supp2Tri", syUpcSupp2, "99", false, "99", kDoplnky},
        TDekodovani{"Supp5", syUpcSupp5, "52495", false, "52495", kDoplnky},
        TDekodovani{"Supp5Kratky", syUpcSupp5, "86", false, "00086", kDoplnky}),
    [](const auto& info) { return std::string(info.param.nazev); });

} // namespace
} // namespace arvelo::report::barcode
