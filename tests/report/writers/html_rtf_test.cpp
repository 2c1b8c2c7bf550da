#include "report/barcode/carovy_kod.h"
#include "report/writers/html_vystup.h"
#include "report/writers/rtf_vystup.h"
#include "vzorek.h"

#include <QBuffer>
#include <QDir>

using namespace arvelo::report;
using namespace arvelo::report::writers;
using namespace arvelo::report::test;

namespace {

QByteArray Rtf(const TSestVystup& v, const TNastaveniExportu& n) {
    QBuffer b;
    b.open(QIODevice::WriteOnly);
    EXPECT_EQ(ExportRtfStream(v, n, b), TSestError::seOK);
    return b.data();
}

// Braces outside escapes must pair up for the document to be read at all.
bool ZavorkySedi(const QByteArray& rtf) {
    int hloubka = 0;
    for (int i = 0; i < rtf.size(); ++i) {
        if (rtf[i] == '\\') {
            ++i;
            continue;
        }
        if (rtf[i] == '{')
            ++hloubka;
        else if (rtf[i] == '}' && --hloubka < 0)
            return false;
    }
    return hloubka == 0;
}

TEST(RtfVystupTest, SizeBoldColourAndPosition) {
    TVzorek s;
    s.r.PageSetup().levyOkraj = 50;
    s.r.PageSetup().horniOkraj = 100;
    TKolbraReportElement& e = s.Prvek(pkGrafickyText, QStringLiteral("Zisk"), 12);
    e.Font.Style = fsBold;
    e.Font.Color = 0x0000FF; // red
    s.Umisti(0, e, 10, 20, 100, 30);
    const QByteArray rtf = Rtf(s.vystup, s.Nastaveni());
    EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1250\\deff0\\deftab720{\\fonttbl\\f0\\fnil "
                               "Arial;}{\\colortbl\\red255\\green0\\blue0;}{\\info{\\doccomm "
                               "Produced by: KOLBRA Report Generator ()}}"))
        << rtf.constData();
    EXPECT_TRUE(rtf.contains("\\viewkind1\\paperw11520\\paperh14400\\margl720\\margr0\\margt1440"
                             "\\margb0\\headery0\\footery0\r\n"));
    EXPECT_TRUE(rtf.contains("{\\par\\pard\\pvpg\\phpg\\absw1440\\absh-432\\posy1728\\posx864"
                             "\\f0\\cf0\\fs24 \\b\\ql Zisk \\b0\\par}}"))
        << rtf.constData();
    EXPECT_TRUE(rtf.endsWith("\\par}}"));
}

TEST(RtfVystupTest, TablesShapesPagesAndEscapes) {
    TVzorek s;
    TKolbraReportElement& a = s.Prvek(pkGrafickyText, QStringLiteral("{a\\b} Čí €"), 10);
    a.Font.Name = QStringLiteral("Times New Roman");
    a.Font.Style = fsItalic | fsUnderline | fsStrikeOut;
    a.Alignment = 2;
    a.Flags = pfHorniOkraj | pfPravyOkraj;
    s.Umisti(0, a, 0, 0, 100, 20);
    TKolbraReportElement& usecka = s.Prvek(pkUsecka);
    usecka.PenColor = 0x008000;
    usecka.SetPenStyle(1);
    usecka.Flags = pfLevyOkraj;
    s.Umisti(1, usecka, 0, 0, 10, 100);
    TKolbraReportElement& ramecek = s.Prvek(pkRamecek);
    ramecek.SetPenWidth(2);
    ramecek.FillColor = 0x00FFFF; // yellow
    s.Umisti(1, ramecek, 0, 0, 100, 100);
    s.Umisti(1, s.Prvek(pkCarovyKod, QStringLiteral("'1'")), 0, 0, 100, 100);

    const QByteArray rtf = Rtf(s.vystup, s.Nastaveni());
    EXPECT_TRUE(ZavorkySedi(rtf)) << rtf.constData();
    // Fonts and colours sorted, each once.
    EXPECT_TRUE(rtf.contains("{\\fonttbl\\f0\\fnil Arial;\\f1\\fnil Times New Roman;}"));
    EXPECT_TRUE(rtf.contains("{\\colortbl\\red0\\green0\\blue0;\\red0\\green128\\blue0;"
                             "\\red255\\green255\\blue0;\\red255\\green255\\blue255;}"));
    EXPECT_TRUE(rtf.contains("\\par\\pard\\brdrt\\brdrs\\brdrw20 \\brdrr\\brdrs\\brdrw20 \\pvpg"));
    EXPECT_TRUE(rtf.contains("\\f1\\cf0\\fs20 \\ul\\i\\strike\\qc \\{a\\\\b\\} \\'c8\\'ed "
                             "\\'80 \\strike0\\i0\\ul0\\b0\\par\\pard\\page}"))
        << rtf.constData();
    EXPECT_TRUE(rtf.contains("\\par\\pard\\brdrl\\brdrs\\brdrdash\\brdrw12\\brdrcf1 \\pvpg"));
    EXPECT_TRUE(rtf.contains("\\brdrt\\brdrs\\brdrw24\\brdrcf0 \\brdrl\\brdrs\\brdrw24\\brdrcf0 "
                             "\\brdrb\\brdrs\\brdrw24\\brdrcf0 \\brdrr\\brdrs\\brdrw24\\brdrcf0 "));
    EXPECT_TRUE(rtf.contains("\\cbpat2"));
    EXPECT_EQ(rtf.count("\\page}"), 1);
    // Three elements and the page break: the bar code is not written.
    EXPECT_EQ(rtf.count("\\par\\pard\\"), 4);
    EXPECT_EQ(RtfText(QStringLiteral("\u0416")), "\\u1046?");
}

TEST(RtfVystupTest, MultiLineTextAndFailures) {
    TVzorek s;
    TKolbraReportElement& e = s.Prvek(pkPolozka, QString(), 10);
    TVystPrvek& v = s.Umisti(0, e, 0, 0, 100, 50);
    auto radky = std::make_shared<TRadky>();
    for (const char* t : {"jedna dva", "tri\tctyri"}) {
        TRadek l;
        l.znaky = QString::fromLatin1(t);
        l.count = static_cast<int>(l.znaky.size());
        l.height = 20 * kJednotka;
        radky->radky.push_back(l);
    }
    v.radky = radky;
    v.posledniRadek = 1;
    const QByteArray rtf = Rtf(s.vystup, s.Nastaveni());
    EXPECT_TRUE(rtf.contains("\r\n\\par\\pard\\pvpg\\phpg\\absw1440\\absh-288\\posy0\\posx0"
                             "\\f0\\cf0\\fs20 \\ql jedna dva \\b0"));
    EXPECT_TRUE(rtf.contains("\r\n\\par\\pard\\pvpg\\phpg\\absw1440\\absh-288\\posy288\\posx0"
                             "\\f0\\cf0\\fs20 \\ql tri ctyri \\b0"));

    TVzorek prazdny;
    QBuffer b;
    b.open(QIODevice::WriteOnly);
    EXPECT_EQ(ExportRtfStream(prazdny.vystup, prazdny.Nastaveni(), b), TSestError::seNotDone);
    QTemporaryDir dir;
    EXPECT_EQ(ExportRtf(s.vystup, s.Nastaveni(), dir.filePath(QStringLiteral("a/b.rtf"))),
              TSestError::seWriteOutput);
}

TEST(HtmlVystupTest, TextsAreEscapedAndTheCharsetDeclared) {
    TVzorek s;
    TKolbraReportElement& e = s.Prvek(pkPolozka, QString(), 12);
    e.Font.Style = fsBold;
    e.Alignment = 1;
    e.Flags = pfHorniOkraj | pfLevyOkraj;
    e.CharPitch = 20;
    s.Umisti(0, e, 10, 20, 400, 30, QStringLiteral("Firma <b>& \"syn\" 'a' Čížek"));
    TKolbraReportElement& pismo = s.Prvek(pkGrafickyText, QStringLiteral("x"), 10);
    pismo.Font.Name = QStringLiteral("A\"><script>");
    s.Umisti(0, pismo, 0, 100, 100, 20);
    QBuffer b;
    b.open(QIODevice::WriteOnly);
    QTemporaryDir dir;
    ASSERT_EQ(ExportHtmlStream(s.vystup, 0, b, dir.filePath(QStringLiteral("p_.bmp"))),
              TSestError::seOK);
    const QString html = QString::fromUtf8(b.data());
    EXPECT_TRUE(html.startsWith(QStringLiteral("<HTML> <HEAD> <TITLE> </TITLE>\n")));
    EXPECT_TRUE(html.contains(QStringLiteral("charset=utf-8")));
    EXPECT_TRUE(html.contains(QStringLiteral(
        "<DIV STYLE=\"position: absolute; top: 20px; left: 10px; width: 400px; height: 30px; "
        "border-top: 1px solid #000000; border-Left: 1px solid #000000; letter-spacing: 12px; "
        "font: 12pt Arial; color: #000000\"><b><p align=\"right\">Firma &lt;b&gt;&amp; "
        "&quot;syn&quot; &#39;a&#39; Čížek</p></b></DIV>\n")))
        << html.toStdString();
    EXPECT_FALSE(html.contains(QStringLiteral("<b>&")));
    EXPECT_FALSE(html.contains(QStringLiteral("<script>")));
    EXPECT_TRUE(html.endsWith(QStringLiteral("</PRE></BODY> </HTML>\n")));
}

TEST(HtmlVystupTest, AllPagesAreNamedByNumberWithTheirPictures) {
    TVzorek s;
    s.Umisti(0, s.Prvek(pkGrafickyText, QStringLiteral("Strana 1")), 0, 0, 100, 20);
    TKolbraReportElement& kod = s.Prvek(pkCarovyKod, QStringLiteral("'12345'"));
    kod.SetPenStyle(barcode::syCode128C);
    s.Umisti(1, kod, 0, 0, 200, 50, QStringLiteral("12345"));
    TKolbraReportElement& ramecek = s.Prvek(pkRamecek);
    ramecek.Param = 1;
    s.Umisti(1, ramecek, 10, 10, 50, 50);
    TKolbraReportElement& usecka = s.Prvek(pkUsecka);
    usecka.SetPenStyle(2);
    usecka.Flags = pfDolniOkraj;
    s.Umisti(1, usecka, 10, 10, 50, 50);
    QTemporaryDir dir;
    ASSERT_EQ(ExportHtml(s.vystup, dir.filePath(QStringLiteral("sestava.html"))), TSestError::seOK);
    // The bar code is the third element in drawing order: the shapes added after it lie first.
    QStringList soubory = QDir(dir.path()).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(soubory,
              (QStringList{QStringLiteral("sestava1.html"), QStringLiteral("sestava2.html"),
                           QStringLiteral("sestava2_3.bmp")}));
    const QString druha = QString::fromUtf8(Obsah(dir.filePath(QStringLiteral("sestava2.html"))));
    EXPECT_TRUE(druha.contains(QStringLiteral("<IMG SRC=\"sestava2_3.bmp\" ALT=\"\"")));
    EXPECT_TRUE(druha.contains(QStringLiteral("background-color: transparent;")));
    EXPECT_TRUE(druha.contains(QStringLiteral(" border-bottom: 1px dotted #000000;\"></DIV>")));
    const QImage bmp(dir.filePath(QStringLiteral("sestava2_3.bmp")));
    EXPECT_EQ(bmp.size(), QSize(1200, 300));

    // A page outside the output writes nothing.
    QBuffer b;
    b.open(QIODevice::WriteOnly);
    EXPECT_EQ(ExportHtmlStream(s.vystup, 2, b, QString()), TSestError::seWriteOutput);
    EXPECT_TRUE(b.data().isEmpty());
}

} // namespace
