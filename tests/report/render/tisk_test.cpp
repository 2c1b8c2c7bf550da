#include "qt_prostredi.h"
#include "report/model/oddil.h"
#include "report/render/tisk.h"

#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace arvelo::report;

namespace {

class TiskTest : public ::testing::Test {
protected:
    TOddilSestavy oddil{nullptr, okTelo};
    TSestVystup vystup;
    TPageSetup stranka;
    QTemporaryDir tmp;

    void SetUp() override {
        stranka.levyOkraj = stranka.horniOkraj = stranka.pravyOkraj = stranka.dolniOkraj = 50;
        vystup.tisknutelnaSirka = stranka.TisknutelnaSirka();
        vystup.tisknutelnaVyska = stranka.TisknutelnaVyska();
        TKolbraReportElement& e = oddil.AddElement();
        e.Kind = pkGrafickyText;
        e.Font.Size = 20;
        TKolbraReportElement& r = oddil.AddElement();
        r.Kind = pkRamecek;
        r.FillColor = kCerna;
        for (int i = 0; i < 2; ++i) {
            TVystPrvek t;
            t.prvek = &e;
            t.x = 100;
            t.y = 100 + 300 * i;
            t.width = 400;
            t.height = 40;
            t.text = QStringLiteral("Strana %1").arg(i + 1);
            vystup.Strana(i).Vloz(t);
            TVystPrvek b;
            b.prvek = &r;
            b.x = 100;
            b.y = 600;
            b.width = 200;
            b.height = 100;
            vystup.Strana(i).Vloz(b);
        }
    }

    static int StranPdf(const QString& soubor) {
        QFile f(soubor);
        if (!f.open(QIODevice::ReadOnly))
            return -1;
        const QString obsah = QString::fromLatin1(f.readAll());
        return static_cast<int>(
            obsah.count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))));
    }

    std::unique_ptr<QPrinter> Pdf(const QString& jmeno, QPageSize::PageSizeId velikost) {
        auto p = std::make_unique<QPrinter>(QPrinter::HighResolution);
        p->setOutputFormat(QPrinter::PdfFormat);
        p->setOutputFileName(tmp.filePath(jmeno));
        p->setPageSize(QPageSize(velikost));
        p->setFullPage(false);
        return p;
    }
};

TEST_F(TiskTest, MetafileHoldsThePageAtSixTimesItsSize) {
    const QPicture m = vystup.Metafile(0);
    EXPECT_EQ(m.boundingRect(),
              QRect(0, 0, vystup.tisknutelnaSirka * 6, vystup.tisknutelnaVyska * 6));
    // Played back at 1/6 it puts ink where the direct drawing does.
    QImage prehrany(vystup.tisknutelnaSirka, vystup.tisknutelnaVyska, QImage::Format_RGB32);
    prehrany.fill(Qt::white);
    QPainter p(&prehrany);
    p.scale(1.0 / 6, 1.0 / 6);
    p.drawPicture(0, 0, m);
    p.end();
    const QImage primy = vystup.Obraz(0, 1.0);
    ASSERT_EQ(prehrany.size(), primy.size());
    int rozdilne = 0, inkoust = 0;
    for (int y = 0; y < primy.height(); ++y)
        for (int x = 0; x < primy.width(); ++x) {
            const bool a = qGray(primy.pixel(x, y)) < 128;
            const bool b = qGray(prehrany.pixel(x, y)) < 128;
            inkoust += a ? 1 : 0;
            rozdilne += a != b ? 1 : 0;
        }
    EXPECT_GT(inkoust, 20000); // the filled rectangle alone is 200 x 100
    EXPECT_LT(rozdilne, inkoust / 10);
}

TEST_F(TiskTest, PrintsTheRangeOneToOneOnTheSamePaper) {
    auto printer = Pdf(QStringLiteral("a4.pdf"), QPageSize::A4);
    TParametryTisku p;
    bool dotaz = false;
    p.moznostiTisku = [&](int, int, int, int) {
        dotaz = true;
        return std::optional<TListyTisku>();
    };
    EXPECT_EQ(TiskniGraficky(vystup, stranka, *printer, p), TSestError::seOK);
    EXPECT_FALSE(dotaz);
    EXPECT_EQ(StranPdf(tmp.filePath(QStringLiteral("a4.pdf"))), 2);
    auto jedna = Pdf(QStringLiteral("jedna.pdf"), QPageSize::A4);
    p.prvniStrana = p.posledniStrana = 2;
    EXPECT_EQ(TiskniGraficky(vystup, stranka, *jedna, p), TSestError::seOK);
    EXPECT_EQ(StranPdf(tmp.filePath(QStringLiteral("jedna.pdf"))), 1);
}

TEST_F(TiskTest, SmallerPrinterPageAsksForSheets) {
    TParametryTisku p;
    int papir[4] = {};
    p.moznostiTisku = [&](int pw, int ph, int tw, int th) {
        papir[0] = pw;
        papir[1] = ph;
        papir[2] = tw;
        papir[3] = th;
        return std::optional<TListyTisku>();
    };
    auto zrusit = Pdf(QStringLiteral("a5.pdf"), QPageSize::A5);
    EXPECT_EQ(TiskniGraficky(vystup, stranka, *zrusit, p), TSestError::seCancelled);
    EXPECT_EQ(papir[0], 826);
    EXPECT_EQ(papir[1], 1169);
    EXPECT_NEAR(papir[2], 583, 1);
    EXPECT_NEAR(papir[3], 826, 1);
    EXPECT_FALSE(QFile::exists(tmp.filePath(QStringLiteral("a5.pdf"))));

    p.moznostiTisku = [](int pw, int ph, int tw, int th) {
        return std::optional<TListyTisku>(
            SpoctiListy(TVolbaTisku::VicListu, tw, th, pw, ph, 50, 50, 50, 50));
    };
    auto listy = Pdf(QStringLiteral("listy.pdf"), QPageSize::A5);
    EXPECT_EQ(TiskniGraficky(vystup, stranka, *listy, p), TSestError::seOK);
    EXPECT_EQ(StranPdf(tmp.filePath(QStringLiteral("listy.pdf"))), 2 * 2 * 2);
}

TEST_F(TiskTest, CancelAbortsAndEmptyOutputPrintsNothing) {
    auto printer = Pdf(QStringLiteral("x.pdf"), QPageSize::A4);
    TParametryTisku p;
    p.prerusit = [] { return true; };
    EXPECT_EQ(TiskniGraficky(vystup, stranka, *printer, p), TSestError::seCancelled);
    TSestVystup prazdny;
    auto druhy = Pdf(QStringLiteral("y.pdf"), QPageSize::A4);
    EXPECT_EQ(TiskniGraficky(prazdny, stranka, *druhy, TParametryTisku()), TSestError::seOK);
    EXPECT_FALSE(QFile::exists(tmp.filePath(QStringLiteral("y.pdf"))));
}

TEST(TextovaTiskarna, GenericTextOnlyDrivers) {
    EXPECT_TRUE(JeTextovaTiskarna(QStringLiteral("Generic / Text Only")));
    EXPECT_TRUE(JeTextovaTiskarna(QStringLiteral("Obecná nebo jen textová")));
    EXPECT_TRUE(JeTextovaTiskarna(QStringLiteral("Generic Text-Only Printer")));
    EXPECT_FALSE(JeTextovaTiskarna(QStringLiteral("HP LaserJet 4")));
    EXPECT_FALSE(JeTextovaTiskarna(QString()));
}

} // namespace
