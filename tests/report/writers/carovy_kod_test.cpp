#include "report/barcode/carovy_kod.h"
#include "report/render/kolbra_canvas.h"
#include "vzorek.h"

#include <QPainter>

using namespace arvelo::report;
using namespace arvelo::report::test;

namespace {

// The value zbar reads from a picture, or nothing.
QString Precti(const QImage& obraz, const QTemporaryDir& dir) {
    const QString soubor = dir.filePath(QStringLiteral("kod.png"));
    if (!obraz.save(soubor))
        return QStringLiteral("<not saved>");
    QProcess p;
    p.start(Program(QStringLiteral("zbarimg")),
            {QStringLiteral("--raw"), QStringLiteral("-q"), soubor});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

// A canvas that knows no QPainter drawing: it gets the bar code as a bitmap.
class TBitmapovyCanvas : public TQtCanvas {
public:
    using TQtCanvas::TQtCanvas;
    void KresliPainterem(const QRectF& hranice,
                         const std::function<void(QPainter&)>& kresleni) override {
        TKolbraCanvas::KresliPainterem(hranice, kresleni);
    }
};

struct Pripad {
    int symbologie;
    const char* text;
    int uhel;
    const char* precteno;
};

TEST(CarovyKodSestavyTest, ARunBarCodeDecodesOnThePageInEveryPath) {
    if (Program(QStringLiteral("zbarimg")).isEmpty())
        GTEST_SKIP() << "zbarimg (Debian zbar-tools) is not installed";
    const Pripad pripady[] = {
        {barcode::syCode128B, "Arvelo-42", 0, "Arvelo-42"},
        // zbar does not check Code 39 check characters: it reads the mod 43 check "8" too.
        {barcode::syCode39, "FIRMA 7", 0, "FIRMA 78"},
        {barcode::syEan13, "590123412345", 0, "5901234123457"},
        {barcode::syCode128C, "12345678", 90, "12345678"},
    };
    QTemporaryDir dir;
    for (const Pripad& p : pripady) {
        TMalaSestava s;
        s.Radky(1, [](int) {
            return std::vector<QVariant>{QStringLiteral("A"), QStringLiteral("a"), 1, QString()};
        });
        TOddilSestavy& telo = s.Oddil(okTelo, 300, QString());
        TKolbraReportElement& e = telo.AddElement();
        e.Kind = pkCarovyKod;
        e.Text = QStringLiteral("'%1'").arg(QString::fromLatin1(p.text));
        e.SetPenStyle(p.symbologie);
        e.SetPenWidth(8);
        e.Flags = pfPodleOkna; // check digit
        e.Angle = p.uhel;
        e.Left = 100;
        e.Top = p.uhel == 0 ? 20 : 250;
        e.Width = 250;
        e.Height = 60;
        ASSERT_EQ(s.Spust(), TSestError::seOK);
        ASSERT_EQ(s.vystup.PocetStran(), 1);
        // Straight onto a painter.
        EXPECT_EQ(Precti(s.vystup.Obraz(0, 3.0), dir), QString::fromLatin1(p.precteno)) << p.text;
        // Through the page recording.
        {
            QImage obraz(s.vystup.tisknutelnaSirka * 3, s.vystup.tisknutelnaVyska * 3,
                         QImage::Format_RGB32);
            obraz.fill(Qt::white);
            QPainter painter(&obraz);
            painter.scale(0.5, 0.5);
            painter.drawPicture(0, 0, s.vystup.Metafile(0));
            painter.end();
            EXPECT_EQ(Precti(obraz, dir), QString::fromLatin1(p.precteno)) << p.text;
        }
        // As a bitmap on a canvas that cannot paint it itself.
        {
            QImage obraz(s.vystup.tisknutelnaSirka * 3, s.vystup.tisknutelnaVyska * 3,
                         QImage::Format_RGB32);
            obraz.fill(Qt::white);
            QPainter painter(&obraz);
            TBitmapovyCanvas canvas(painter, 100);
            s.vystup.KresliStranu(canvas, 0, 3, 3);
            painter.end();
            EXPECT_EQ(Precti(obraz, dir), QString::fromLatin1(p.precteno)) << p.text;
        }
    }
}

TEST(CarovyKodSestavyTest, BarsAreDrawnInsideTheElementAtEveryScale) {
    TMalaSestava s;
    s.Radky(1, [](int) {
        return std::vector<QVariant>{QStringLiteral("A"), QStringLiteral("a"), 1, QString()};
    });
    TOddilSestavy& telo = s.Oddil(okTelo, 100, QString());
    TKolbraReportElement& e = telo.AddElement();
    e.Kind = pkCarovyKod;
    e.Text = QStringLiteral("'12345'");
    e.SetPenStyle(barcode::syCode128C);
    e.Left = 100;
    e.Top = 10;
    e.Width = 200;
    e.Height = 50;
    ASSERT_EQ(s.Spust(), TSestError::seOK);
    ASSERT_EQ(s.vystup.PocetStran(), 1);
    EXPECT_EQ(s.r.TextCarovehoKodu(e), QStringLiteral("12345"));
    EXPECT_EQ(s.vystup.strany[0].Prvky().front().prvek, &e);
    EXPECT_EQ(s.vystup.strany[0].Prvky().front().text, QStringLiteral("12345"));
    for (const double meritko : {1.0, 2.0, 6.0}) {
        const QImage obraz = s.vystup.Obraz(0, meritko);
        int cerne = 0;
        int venku = 0;
        for (int y = 0; y < obraz.height(); ++y) {
            for (int x = 0; x < obraz.width(); ++x) {
                if (qGray(obraz.pixel(x, y)) > 128)
                    continue;
                ++cerne;
                const QRectF prvek(100 * meritko, 10 * meritko, 200 * meritko, 50 * meritko);
                if (!prvek.adjusted(-1, -1, 1, 1).contains(QPointF(x, y)))
                    ++venku;
            }
        }
        EXPECT_GT(cerne, 0) << meritko;
        EXPECT_EQ(venku, 0) << meritko;
    }
}

} // namespace
