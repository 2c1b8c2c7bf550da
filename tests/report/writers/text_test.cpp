#include "report/writers/kodove_stranky.h"
#include "report/writers/znakove_pole.h"
#include "vzorek.h"

#include <QBuffer>
#include <array>

using namespace arvelo::report;
using namespace arvelo::report::writers;
using namespace arvelo::report::test;

namespace {

QByteArray Text(const TSestVystup& v, const TNastaveniExportu& n) {
    QBuffer b;
    b.open(QIODevice::WriteOnly);
    EXPECT_EQ(ExportTextStream(v, n, b), TSestError::seOK);
    return b.data();
}

QList<QByteArray> Radky(const QByteArray& text) {
    QList<QByteArray> r = text.split('\n');
    if (!r.isEmpty() && r.last().isEmpty())
        r.removeLast();
    for (QByteArray& l : r) {
        EXPECT_TRUE(l.endsWith('\r'));
        l.chop(1);
    }
    return r;
}

TEST(TextovyVystupTest, ThreePagesWithTwoCopiesAreWrittenTwiceInOrder) {
    TVzorek s;
    s.r.PageSetup().vyskaPapiru = 100; // six lines a page at 6 lines per inch
    s.r.PrintCopies = 2;
    for (int i = 0; i < 3; ++i) {
        TKolbraReportElement& e = s.Prvek(pkGrafickyText, QStringLiteral("Strana %1").arg(i + 1));
        s.Umisti(i, e, 0, 0, 100, 15);
    }
    const QByteArray stranka = "Strana %1    \r\n\r\n\r\n\r\n\r\n\r\n";
    QByteArray ocekavano;
    for (int kopie = 0; kopie < 2; ++kopie) {
        ocekavano += QByteArray(stranka).replace("%1", "1");
        ocekavano += QByteArray(stranka).replace("%1", "2");
        // The last page of the range ends with its last used line.
        ocekavano += "Strana 3    \r\n";
    }
    EXPECT_EQ(Text(s.vystup, s.Nastaveni()), ocekavano);
}

TEST(TextovyVystupTest, ColumnsFollowThePitchOfTheFontSize) {
    // 9 points print at 12 characters per inch, 12 points at 10.
    TVzorek s;
    s.Umisti(0, s.Prvek(pkGrafickyText, QStringLiteral("devet"), 9), 100, 0, 100, 15);
    s.Umisti(0, s.Prvek(pkGrafickyText, QStringLiteral("dvanact"), 12), 100, 50, 100, 15);
    s.Umisti(0, s.Prvek(pkGrafickyText, QStringLiteral("osm"), 8), 100, 100, 100, 15);
    const QList<QByteArray> r = Radky(Text(s.vystup, s.Nastaveni()));
    ASSERT_EQ(r.size(), 7); // line = round(y x 6 / 100): 0, 3 and 6
    EXPECT_EQ(r[0].indexOf("devet"), 12);
    EXPECT_EQ(r[3].indexOf("dvanact"), 10);
    EXPECT_EQ(r[6].indexOf("osm"), 17);
}

TEST(TextovyVystupTest, LayersAlignmentAndDeviceFonts) {
    TVzorek s;
    // "Roman 17cpi" counts as 8 points: 17 characters per inch.
    TKolbraReportElement& roman = s.Prvek(pkGrafickyText, QStringLiteral("R"), 12);
    roman.Font.Name = QStringLiteral("Roman 17cpi");
    s.Umisti(0, roman, 100, 0, 10, 15);
    // Right and centred alignment within the width (10 cpi: 10 characters).
    TKolbraReportElement& vpravo = s.Prvek(pkGrafickyText, QStringLiteral("abc"), 12);
    vpravo.Alignment = 1;
    s.Umisti(0, vpravo, 0, 50, 100, 15);
    TKolbraReportElement& stred = s.Prvek(pkGrafickyText, QStringLiteral("abcdefghijklmn"), 12);
    stred.Alignment = 2;
    s.Umisti(0, stred, 0, 100, 100, 15);
    // A bold layer fills only what the plain layer left blank.
    s.Umisti(0, s.Prvek(pkGrafickyText, QStringLiteral("a c"), 12), 0, 150, 30, 15);
    TKolbraReportElement& tucne = s.Prvek(pkGrafickyText, QStringLiteral("XYZW"), 12);
    tucne.Font.Style = fsBold;
    s.Umisti(0, tucne, 0, 150, 40, 15);
    // Shapes and bar codes write nothing; control characters become blanks.
    s.Umisti(0, s.Prvek(pkRamecek), 0, 200, 100, 100);
    s.Umisti(0, s.Prvek(pkGrafickyText, QStringLiteral("a\tb")), 0, 200, 100, 15);

    const QList<QByteArray> r = Radky(Text(s.vystup, s.Nastaveni()));
    ASSERT_EQ(r.size(), 13);
    EXPECT_EQ(r[0].indexOf('R'), 17);
    EXPECT_EQ(r[3], "       abc");
    EXPECT_EQ(r[6], "cdefghijkl"); // the middle of a longer text
    EXPECT_EQ(r[9], "aYcW");
    EXPECT_EQ(r[12], "a b         ");

    EXPECT_EQ(UmisteniZnaku(QStringLiteral("Arial"), 12, fsBold | fsItalic | fsUnderline).vrstva,
              7);
    EXPECT_EQ(UmisteniZnaku(QStringLiteral("Arial"), 10, fsItalic).vrstva, 10);
    EXPECT_EQ(UmisteniZnaku(QStringLiteral("Arial"), 6, 0).vrstva, 16);
}

TEST(TextovyVystupTest, LineSpacingCodesAndTheLastColumn) {
    EXPECT_EQ(RadkuNaPalec(0), 6);
    EXPECT_EQ(RadkuNaPalec(1), 4);
    EXPECT_EQ(RadkuNaPalec(2), 3);
    TVzorek s;
    s.r.Mrizka.radkovani = 2; // 3 lines per inch: y = 100 is line 3
    s.Umisti(0, s.Prvek(pkGrafickyText, QStringLiteral("tri")), 0, 100, 100, 15);
    // Nothing is placed beyond column 255.
    s.Umisti(0, s.Prvek(pkGrafickyText, QStringLiteral("0123456789"), 12), 2500, 0, 200, 15);
    const QList<QByteArray> r = Radky(Text(s.vystup, s.Nastaveni()));
    ASSERT_EQ(r.size(), 4);
    EXPECT_EQ(r[0].trimmed(), "012345");
    EXPECT_EQ(r[0].size(), 256);
    EXPECT_EQ(r[3].trimmed(), "tri");
}

TEST(TextovyVystupTest, CodePages) {
    const QString cesky = QStringLiteral("Čárový kód ŽŇ");
    struct Pripad {
        TSestLanguage jazyk;
        QByteArray ocekavano;
    };
    const Pripad pripady[] = {
        {TSestLanguage::slUndefined, QByteArray("\xC8\xE1rov\xFD k\xF3"
                                                "d \x8E\xD2")},
        {TSestLanguage::slASCII, QByteArray("Carovy kod ZN")},
        {TSestLanguage::slKamenicky, QByteArray("\x80\xA0rov\x98 k\xA2"
                                                "d \x92\xA5")},
        {TSestLanguage::slLatin2, QByteArray("\xAC\xA0rov\xEC k\xA2"
                                             "d \xA6\xD5")},
        {TSestLanguage::slWindows1250, QByteArray("\xC8\xE1rov\xFD k\xF3"
                                                  "d \x8E\xD2")},
    };
    for (const Pripad& p : pripady) {
        TVzorek s;
        s.r.ExportLanguage = p.jazyk;
        s.Umisti(0, s.Prvek(pkGrafickyText, cesky, 12), 0, 0, 130, 15);
        EXPECT_EQ(Text(s.vystup, s.Nastaveni()), p.ocekavano + "\r\n") << static_cast<int>(p.jazyk);
    }
    // Bytes that are not among the letters stay as they are.
    EXPECT_EQ(PrevedKodovani(QByteArray("\xA7\x80x"), TSestLanguage::slASCII),
              QByteArray("\xA7\x80x"));
}

TEST(TextovyVystupTest, NoPagesLineListsAndFiles) {
    TVzorek s;
    EXPECT_TRUE(Text(s.vystup, s.Nastaveni()).isEmpty());

    // A laid-out element writes its lines on consecutive grid lines.
    TKolbraReportElement& e = s.Prvek(pkGrafickyText, QString(), 12);
    TVystPrvek& v = s.Umisti(0, e, 0, 0, 100, 50);
    auto radky = std::make_shared<TRadky>();
    for (const char* t : {"prvni", "druhy", "treti"}) {
        TRadek l;
        l.znaky = QString::fromLatin1(t);
        l.count = static_cast<int>(l.znaky.size());
        radky->radky.push_back(l);
    }
    v.radky = radky;
    v.prvniRadek = 1;
    v.posledniRadek = 2;
    QTemporaryDir dir;
    const QString soubor = dir.filePath(QStringLiteral("sestava.txt"));
    ASSERT_EQ(ExportText(s.vystup, s.Nastaveni(), soubor), TSestError::seOK);
    EXPECT_EQ(Obsah(soubor), "druhy     \r\ntreti     \r\n");
    EXPECT_EQ(ExportText(s.vystup, s.Nastaveni(), dir.filePath(QStringLiteral("x/y.txt"))),
              TSestError::seWriteOutput);
}

TEST(TextovyVystupTest, AbortStopsAfterTheCurrentElement) {
    TVzorek s;
    s.Umisti(0, s.Prvek(pkGrafickyText, QStringLiteral("a")), 0, 0, 100, 15);
    s.Umisti(1, s.Prvek(pkGrafickyText, QStringLiteral("b")), 0, 0, 100, 15);
    TNastaveniExportu n = s.Nastaveni();
    int volani = 0;
    n.prerusit = [&] { return ++volani == 1; };
    QBuffer b;
    b.open(QIODevice::WriteOnly);
    EXPECT_EQ(ExportTextStream(s.vystup, n, b), TSestError::seCancelled);
    EXPECT_EQ(volani, 1);
    EXPECT_TRUE(b.data().isEmpty());
}

} // namespace

#include "report/writers/textova_tiskarna.h"

#include <QImage>
#include <QPainter>
#include <QPrinter>

namespace {

TEST(TextovaTiskarnaTest, ColumnsAndBoldLayersOnThePage) {
    TVzorek s;
    s.Umisti(0, s.Prvek(pkGrafickyText, QStringLiteral("X"), 9), 100, 0, 100, 15);  // 12 cpi
    TKolbraReportElement& tucne = s.Prvek(pkGrafickyText, QStringLiteral("X"), 12); // 10 cpi
    tucne.Font.Style = fsBold;
    s.Umisti(0, tucne, 200, 100, 100, 15);
    const TZnakovePole pole = ZnakovePoleStrany(s.vystup, 0, s.Nastaveni());
    // 120 pixels per inch: a 12 cpi column is 10 pixels, a 10 cpi column 12.
    QImage obraz(1000, 1500, QImage::Format_RGB32);
    obraz.fill(Qt::white);
    QPainter painter(&obraz);
    KresliZnakovouStranu(painter, pole, 120, 120);
    painter.end();
    // Dark columns of each grid line: the characters stand in their columns.
    auto sloupce = [&](int odY, int doY) {
        int prvni = -1;
        int posledni = -1;
        int tmavych = 0;
        for (int y = odY; y < doY; ++y) {
            for (int x = 0; x < obraz.width(); ++x) {
                if (qGray(obraz.pixel(x, y)) < 128) {
                    prvni = prvni < 0 ? x : std::min(prvni, x);
                    posledni = std::max(posledni, x);
                    ++tmavych;
                }
            }
        }
        return std::array<int, 3>{prvni, posledni, tmavych};
    };
    const auto radek0 = sloupce(0, 20);
    EXPECT_GE(radek0[0], 120);
    EXPECT_LT(radek0[1], 130);
    // Line 6 (y = 100 at 6 lines per inch), column 20 of 12 pixels.
    const auto vsechno = sloupce(20, obraz.height());
    EXPECT_GE(vsechno[0], 240);
    EXPECT_LT(vsechno[1], 252);
    EXPECT_GT(vsechno[2], radek0[2]); // bold and larger
}

TEST(TextovaTiskarnaTest, APrinterPortFileGetsTheCharacterText) {
    TVzorek s;
    s.Umisti(0, s.Prvek(pkGrafickyText, QStringLiteral("Tisk"), 12), 0, 0, 100, 15);
    QTemporaryDir dir;
    QPrinter printer;
    printer.setOutputFileName(dir.filePath(QStringLiteral("port.txt")));
    ASSERT_EQ(TiskniTextove(s.vystup, s.Nastaveni(), printer), TSestError::seOK);
    EXPECT_EQ(Obsah(dir.filePath(QStringLiteral("port.txt"))), "Tisk      \r\n");
    TVzorek prazdny;
    EXPECT_EQ(TiskniTextove(prazdny.vystup, prazdny.Nastaveni(), printer), TSestError::seOK);
}

} // namespace
