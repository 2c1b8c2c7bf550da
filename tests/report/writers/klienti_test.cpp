#include "report/writers/emf_vystup.h"
#include "report/writers/html_vystup.h"
#include "report/writers/pdf_svg.h"
#include "report/writers/rtf_vystup.h"
#include "report/writers/wmf_vystup.h"
#include "ukazka.h"

#include <QDir>
#include <QImage>
#include <QRegularExpression>

using namespace arvelo::report;
using namespace arvelo::report::writers;
using namespace arvelo::report::test;

namespace {

// Where the sample's files go: a temporary folder, or ARVELO_WRITERS_OUT when set so that
// they can be looked at.
class TSlozka {
public:
    TSlozka() {
        const QString kam = qEnvironmentVariable("ARVELO_WRITERS_OUT");
        if (!kam.isEmpty())
            QDir().mkpath(kam);
        cesta_ = kam.isEmpty() ? docasna_.path() : kam;
    }
    QString Soubor(const QString& jmeno) const { return QDir(cesta_).filePath(jmeno); }
    const QString& Cesta() const { return cesta_; }

private:
    QTemporaryDir docasna_;
    QString cesta_;
};

struct TBeh {
    int kod = -1;
    QString chyby;
};

TBeh Spust(const QString& program, const QStringList& argumenty) {
    QProcess p;
    p.start(program, argumenty);
    TBeh b;
    if (!p.waitForFinished(180000)) {
        p.kill();
        p.waitForFinished();
        b.chyby = QStringLiteral("timed out");
        return b;
    }
    b.kod = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    b.chyby = QString::fromUtf8(p.readAllStandardError());
    return b;
}

TEST(KlientiTest, LibreOfficeOpensTheRtfHtmlEmfAndWmfOutputs) {
    const QString soffice = Program(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        GTEST_SKIP() << "soffice (Debian libreoffice-writer-nogui, libreoffice-draw-nogui) is not "
                        "installed";
    TUkazka s;
    TSlozka slozka;
    ASSERT_EQ(ExportRtf(s.vystup, s.Nastaveni(), slozka.Soubor(QStringLiteral("sestava.rtf"))),
              TSestError::seOK);
    ASSERT_EQ(ExportHtml(s.vystup, slozka.Soubor(QStringLiteral("sestava.html"))),
              TSestError::seOK);
    ASSERT_EQ(ExportEmf(s.vystup, slozka.Soubor(QStringLiteral("sestava.emf"))), TSestError::seOK);
    ASSERT_EQ(ExportWmfFile(s.vystup, 0, slozka.Soubor(QStringLiteral("metafile.wmf"))),
              TSestError::seOK);
    QTemporaryDir profil;
    const QString pdfy = slozka.Soubor(QStringLiteral("libreoffice"));
    // One run of the office for all files keeps the check fast.
    const TBeh b = Spust(soffice, {QStringLiteral("-env:UserInstallation=file://") + profil.path(),
                                   QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                                   QStringLiteral("pdf"), QStringLiteral("--outdir"), pdfy,
                                   slozka.Soubor(QStringLiteral("sestava.rtf")),
                                   slozka.Soubor(QStringLiteral("sestava1.html")),
                                   slozka.Soubor(QStringLiteral("sestava2.emf")),
                                   slozka.Soubor(QStringLiteral("metafile.wmf"))});
    EXPECT_EQ(b.kod, 0) << b.chyby.toStdString();
    EXPECT_FALSE(b.chyby.contains(QStringLiteral("Error"))) << b.chyby.toStdString();
    for (const char* jmeno : {"sestava.pdf", "sestava1.pdf", "sestava2.pdf", "metafile.pdf"}) {
        const QByteArray pdf = Obsah(QDir(pdfy).filePath(QString::fromLatin1(jmeno)));
        EXPECT_TRUE(pdf.startsWith("%PDF-")) << jmeno;
        EXPECT_GT(pdf.size(), 1000) << jmeno;
    }
    // Both pages of the RTF document keep their frames: one PDF page each.
    const QString rtfPdf =
        QString::fromLatin1(Obsah(QDir(pdfy).filePath(QStringLiteral("sestava.pdf"))));
    EXPECT_EQ(rtfPdf.count(QRegularExpression(QStringLiteral("/Type\\s*/Page\\b"))), 2);

    // The bar code of the metafile page, as LibreOffice drew it, still decodes.
    const QString pdftoppm = Program(QStringLiteral("pdftoppm"));
    const QString zbarimg = Program(QStringLiteral("zbarimg"));
    if (pdftoppm.isEmpty() || zbarimg.isEmpty())
        GTEST_SKIP() << "pdftoppm (poppler-utils) or zbarimg (zbar-tools) is not installed";
    const QString png = QDir(pdfy).filePath(QStringLiteral("emf"));
    EXPECT_EQ(Spust(pdftoppm, {QStringLiteral("-r"), QStringLiteral("300"), QStringLiteral("-png"),
                               QStringLiteral("-singlefile"),
                               QDir(pdfy).filePath(QStringLiteral("sestava2.pdf")), png})
                  .kod,
              0);
    QProcess zbar;
    zbar.start(zbarimg,
               {QStringLiteral("--raw"), QStringLiteral("-q"), png + QStringLiteral(".png")});
    zbar.waitForFinished(60000);
    EXPECT_EQ(QString::fromUtf8(zbar.readAllStandardOutput()).trimmed(),
              QStringLiteral("ARVELO-2"));
}

TEST(KlientiTest, TheHtmlBarCodeBitmapDecodes) {
    const QString zbarimg = Program(QStringLiteral("zbarimg"));
    if (zbarimg.isEmpty())
        GTEST_SKIP() << "zbarimg (Debian zbar-tools) is not installed";
    TUkazka s;
    TSlozka slozka;
    ASSERT_EQ(ExportHtml(s.vystup, slozka.Soubor(QStringLiteral("kod.html"))), TSestError::seOK);
    const QStringList bmp = QDir(slozka.Cesta()).entryList({QStringLiteral("kod1_*.bmp")});
    ASSERT_EQ(bmp.size(), 1);
    QProcess zbar;
    zbar.start(zbarimg,
               {QStringLiteral("--raw"), QStringLiteral("-q"), slozka.Soubor(bmp.first())});
    zbar.waitForFinished(60000);
    EXPECT_EQ(QString::fromUtf8(zbar.readAllStandardOutput()).trimmed(),
              QStringLiteral("ARVELO-1"));
}

TEST(KlientiTest, PopplerRendersThePdf) {
    const QString pdftoppm = Program(QStringLiteral("pdftoppm"));
    if (pdftoppm.isEmpty())
        GTEST_SKIP() << "pdftoppm (Debian poppler-utils) is not installed";
    TUkazka s;
    TSlozka slozka;
    const QString pdf = slozka.Soubor(QStringLiteral("sestava.pdf"));
    ASSERT_EQ(ExportPdf(s.vystup, s.Nastaveni(), pdf), TSestError::seOK);
    const TBeh b =
        Spust(pdftoppm, {QStringLiteral("-r"), QStringLiteral("60"), QStringLiteral("-png"), pdf,
                         slozka.Soubor(QStringLiteral("strana"))});
    EXPECT_EQ(b.kod, 0) << b.chyby.toStdString();
    EXPECT_TRUE(b.chyby.isEmpty()) << b.chyby.toStdString();
    for (const char* jmeno : {"strana-1.png", "strana-2.png"}) {
        const QImage png(slozka.Soubor(QString::fromLatin1(jmeno)));
        ASSERT_FALSE(png.isNull()) << jmeno;
        // A4 at 60 dpi.
        EXPECT_NEAR(png.width(), 496, 1);
        EXPECT_NEAR(png.height(), 701, 1);
        int tmave = 0;
        for (int y = 0; y < png.height(); ++y) {
            for (int x = 0; x < png.width(); ++x)
                tmave += qGray(png.pixel(x, y)) < 100 ? 1 : 0;
        }
        EXPECT_GT(tmave, 2000) << jmeno;
        // Nothing is drawn in the top margin (half an inch = 30 pixels).
        for (int y = 0; y < 28; ++y) {
            for (int x = 0; x < png.width(); ++x)
                ASSERT_GT(qGray(png.pixel(x, y)), 200) << x << "," << y;
        }
    }
}

} // namespace
