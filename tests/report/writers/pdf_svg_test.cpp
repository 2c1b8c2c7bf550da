#include "report/writers/pdf_svg.h"
#include "ukazka.h"

#include <QDir>
#include <QRegularExpression>
#include <QXmlStreamReader>

using namespace arvelo::report;
using namespace arvelo::report::writers;
using namespace arvelo::report::test;

namespace {

int PocetStranPdf(const QByteArray& pdf) {
    return static_cast<int>(
        QString::fromLatin1(pdf).count(QRegularExpression(QStringLiteral("/Type\\s*/Page\\b"))));
}

TEST(PdfVystupTest, ThePageRangeBecomesOneDocumentWithEmbeddedFonts) {
    TUkazka s;
    QTemporaryDir dir;
    const QString soubor = dir.filePath(QStringLiteral("sestava.pdf"));
    ASSERT_EQ(ExportPdf(s.vystup, s.Nastaveni(), soubor), TSestError::seOK);
    const QByteArray pdf = Obsah(soubor);
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_EQ(PocetStranPdf(pdf), 2);
    EXPECT_TRUE(pdf.contains("/FontFile2")); // TrueType fonts embedded

    // The range limits the pages; an empty range writes nothing.
    s.vystup.prvniStrana = 2;
    ASSERT_EQ(ExportPdf(s.vystup, s.Nastaveni(), soubor), TSestError::seOK);
    EXPECT_EQ(PocetStranPdf(Obsah(soubor)), 1);
    s.vystup.prvniStrana = 3;
    EXPECT_EQ(ExportPdf(s.vystup, s.Nastaveni(), dir.filePath(QStringLiteral("x.pdf"))),
              TSestError::seNotDone);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("x.pdf"))));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("sestava.pdf")});
}

TEST(SvgVystupTest, OneWellFormedDrawingPerPage) {
    TUkazka s;
    QTemporaryDir dir;
    ASSERT_EQ(ExportSvg(s.vystup, s.Nastaveni(), dir.filePath(QStringLiteral("sestava.svg"))),
              TSestError::seOK);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files, QDir::Name),
              (QStringList{QStringLiteral("sestava1.svg"), QStringLiteral("sestava2.svg")}));
    for (const char* jmeno : {"sestava1.svg", "sestava2.svg"}) {
        QXmlStreamReader xml(Obsah(dir.filePath(QString::fromLatin1(jmeno))));
        int prvku = 0;
        QString koren;
        while (!xml.atEnd()) {
            if (xml.readNext() == QXmlStreamReader::StartElement) {
                if (prvku++ == 0) {
                    koren = xml.name().toString();
                    EXPECT_EQ(xml.attributes().value(QStringLiteral("viewBox")).toString(),
                              QStringLiteral("0 0 4956 7014"));
                }
            }
        }
        EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
        EXPECT_EQ(koren, QStringLiteral("svg"));
        EXPECT_GT(prvku, 20);
    }
    EXPECT_EQ(ExportSvgFile(s.vystup, 5, s.Nastaveni(), dir.filePath(QStringLiteral("x.svg"))),
              TSestError::seWriteOutput);
}

} // namespace
