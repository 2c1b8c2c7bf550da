#include "report/writers/html_vystup.h"

#include "report/model/sestava_typ.h"
#include "report/render/kolbra_canvas.h"
#include "report/render/vystup.h"

#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSaveFile>

namespace arvelo::report::writers {

namespace {

QString Barva(TBarva barva) {
    const QColor c = BarvaNaQColor(barva);
    return QString::asprintf("#%2.2x%2.2x%2.2x", c.red(), c.green(), c.blue());
}

QString Obdelnik(int top, int left, int width, int height) {
    return QStringLiteral(" position: absolute; top: %1px; left: %2px; width: %3px; height: %4px;")
        .arg(top)
        .arg(left)
        .arg(width)
        .arg(height);
}

// Border sides of a text or field element, in the order top, right, bottom, left.
QString OkrajeTextu(int flags) {
    QString s;
    if (flags & pfHorniOkraj)
        s += QStringLiteral(" border-top: 1px solid #000000;");
    if (flags & pfPravyOkraj)
        s += QStringLiteral(" border-right: 1px solid #000000;");
    if (flags & pfDolniOkraj)
        s += QStringLiteral(" border-bottom: 1px solid #000000;");
    if (flags & pfLevyOkraj)
        s += QStringLiteral(" border-Left: 1px solid #000000;");
    return s;
}

QString StylCary(int penStyle) {
    switch (penStyle) {
    case 1:
        return QStringLiteral("dashed");
    case 2:
        return QStringLiteral("dotted");
    default:
        return QStringLiteral("solid");
    }
}

QString OkrajeCary(const TKolbraReportElement& e, bool vsechny) {
    const QString cara = QStringLiteral(": %1px %2 %3;")
                             .arg(e.PenWidth())
                             .arg(StylCary(e.PenStyle()), Barva(e.PenColor));
    QString s;
    if (vsechny || (e.Flags & pfHorniOkraj))
        s += QStringLiteral(" border-top") + cara;
    if (vsechny || (e.Flags & pfPravyOkraj))
        s += QStringLiteral(" border-right") + cara;
    if (vsechny || (e.Flags & pfDolniOkraj))
        s += QStringLiteral(" border-bottom") + cara;
    if (vsechny || (e.Flags & pfLevyOkraj))
        s += QStringLiteral(" border-Left") + cara;
    return s;
}

// A text shortened from the end until it fits the width (1/100 in) in the font.
QString Zkratit(const QString& text, const TPismoRozvrhu& pismo, int sirka, TMeric& meric) {
    int delka = 0;
    int i = 0;
    for (; i < text.size(); ++i) {
        delka += meric.Sirka(pismo, text[i]);
        if (delka > sirka * kJednotka)
            break;
    }
    return text.left(i);
}

// A laid-out line: the first blank after a visible character is a space, every other
// character below 33 a non-breaking space.
QString TextRadku(const QString& radek) {
    QString s;
    bool poViditelnem = false;
    for (const QChar c : radek) {
        if (c.unicode() < 33) {
            s += poViditelnem ? QStringLiteral(" ") : QStringLiteral("&nbsp;");
            poViditelnem = false;
        } else {
            s += HtmlText(QString(c));
            poViditelnem = true;
        }
    }
    return s;
}

struct TZnacky {
    QString otevrit;
    QString zavrit;
};

TZnacky Znacky(const TPismoRozvrhu& p, int zarovnani) {
    TZnacky z;
    if (p.bold)
        z.otevrit += QStringLiteral("<b>");
    if (p.underline)
        z.otevrit += QStringLiteral("<u>");
    if (p.italic)
        z.otevrit += QStringLiteral("<i>");
    if (p.strikeOut)
        z.otevrit += QStringLiteral("<strike>");
    if (zarovnani == 1)
        z.otevrit += QStringLiteral("<p align=\"right\">");
    else if (zarovnani == 2)
        z.otevrit += QStringLiteral("<p align=\"center\">");
    // Every opened tag is closed, in reverse.
    if (zarovnani == 1 || zarovnani == 2)
        z.zavrit += QStringLiteral("</p>");
    if (p.strikeOut)
        z.zavrit += QStringLiteral("</strike>");
    if (p.italic)
        z.zavrit += QStringLiteral("</i>");
    if (p.underline)
        z.zavrit += QStringLiteral("</u>");
    if (p.bold)
        z.zavrit += QStringLiteral("</b>");
    return z;
}

QString DivTextu(const TKolbraReportElement& e, const TPismoRozvrhu& p, int top, int left,
                 int width, int height, int flags, const QString& text) {
    QString s = QStringLiteral("<DIV STYLE=\"") + Obdelnik(top, left, width, height).mid(1);
    s += OkrajeTextu(flags);
    if (e.CharPitch > 0)
        s += QStringLiteral(" letter-spacing: %1px;").arg(e.CharPitch - e.Font.Size * 11 / 16);
    const TZnacky z = Znacky(p, e.EffectiveAlignment());
    s += QStringLiteral(" font: %1pt %2; color: %3\">%4")
             .arg(e.Font.Size)
             .arg(HtmlText(p.name), Barva(p.color), z.otevrit);
    s += text + z.zavrit + QStringLiteral("</DIV>\n");
    return s;
}

// The element drawn alone into a bitmap of its rectangle (bar codes at the page metafile's
// resolution, so that their modules stay whole pixels).
QImage BitmapaPrvku(const TVystPrvek& v, TMeric& meric) {
    const double m = v.prvek->Kind == pkCarovyKod ? 6.0 : 1.0;
    QImage obraz(std::max(1, static_cast<int>(v.width * m)),
                 std::max(1, static_cast<int>(v.height * m)), QImage::Format_RGB32);
    obraz.fill(Qt::white);
    QPainter painter(&obraz);
    TQtCanvas canvas(painter, 100);
    TVystPrvek kopie = v;
    kopie.x = 0;
    kopie.y = 0;
    KresliPrvek(canvas, meric, kopie, m, m, 0, 0);
    painter.end();
    return obraz;
}

} // namespace

QString HtmlText(const QString& text) {
    QString s;
    s.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '&':
            s += QStringLiteral("&amp;");
            break;
        case '<':
            s += QStringLiteral("&lt;");
            break;
        case '>':
            s += QStringLiteral("&gt;");
            break;
        case '"':
            s += QStringLiteral("&quot;");
            break;
        case '\'':
            s += QStringLiteral("&#39;");
            break;
        default:
            s += c;
        }
    }
    return s;
}

TSestError ExportHtmlStream(const TSestVystup& vystup, int index, QIODevice& vystupni,
                            const QString& zakladObrazku) {
    if (index < 0 || index >= vystup.PocetStran())
        return TSestError::seWriteOutput;
    TMeric meric;
    QString s = QStringLiteral("<HTML> <HEAD> <TITLE> </TITLE>\n"
                               "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; "
                               "charset=utf-8\">\n"
                               "<META NAME=\"Creator\" CONTENT=\"KolbraReportGenerator\">\n"
                               "</HEAD> <BODY BGCOLOR = \"#FFFFFF\"><PRE>\n");
    bool obrazkyOk = true;
    int poradi = 0;
    for (const TVystPrvek& v : vystup.strany[static_cast<std::size_t>(index)].Prvky()) {
        ++poradi;
        if (v.prvek == nullptr)
            continue;
        const TKolbraReportElement& e = *v.prvek;
        const bool obrazekPole = e.Kind == pkPolozka && !v.obrazek.isNull();
        if (e.IsTextKind() && !obrazekPole) {
            const TPismoRozvrhu p = PismoPrvku(e);
            if (v.radky && v.radky->Count() > 1) {
                int y = v.y;
                for (int r = std::max(0, v.prvniRadek);
                     r <= v.posledniRadek && r < v.radky->Count(); ++r) {
                    const TRadek& l = v.radky->radky[static_cast<std::size_t>(r)];
                    const int vyska = (l.height + kJednotka - 1) / kJednotka;
                    s +=
                        DivTextu(e, p, y, v.x, v.width, vyska, 0, TextRadku(l.znaky.left(l.count)));
                    y += vyska;
                }
                if (e.Flags & 0x0F) {
                    s += QStringLiteral("<DIV STYLE=\"") +
                         Obdelnik(v.y, v.x, v.width, v.height).mid(1) + OkrajeTextu(e.Flags) +
                         QStringLiteral(" font: 0pt\"></DIV>\n");
                }
            } else {
                QString text = v.text;
                if (v.radky && v.radky->Count() == 1)
                    text = v.radky->radky[0].znaky.left(v.radky->radky[0].count);
                s += DivTextu(e, p, v.y, v.x, v.width, v.height, e.Flags,
                              HtmlText(Zkratit(text, p, v.width, meric)));
            }
            continue;
        }
        switch (e.Kind) {
        case pkUsecka:
            s += QStringLiteral("<DIV STYLE=\"font: 0pt;") + Obdelnik(v.y, v.x, v.width, v.height) +
                 OkrajeCary(e, false) + QStringLiteral("\"></DIV>\n");
            break;
        case pkRamecek:
        case pkZaoblenyRamecek:
        case pkElipsa: {
            // A clear brush (style 1) lets the page show through.
            const QString pozadi =
                e.Param == 1 ? QStringLiteral("transparent") : Barva(e.FillColor);
            s += QStringLiteral("<DIV STYLE=\"font: 0pt; background-color: %1;").arg(pozadi) +
                 Obdelnik(v.y, v.x, v.width, v.height) +
                 (e.PenWidth() > 0 ? OkrajeCary(e, true) : QString()) +
                 QStringLiteral("\"></DIV>\n");
            break;
        }
        case pkPolozka:
        case pkObrazek:
        case pkKresliciPlocha:
        case pkCarovyKod: {
            if (e.Kind != pkCarovyKod && v.obrazek.isNull() && e.Picture.isNull())
                break;
            const QString soubor = JmenoStrany(zakladObrazku, poradi, QStringLiteral(".bmp"));
            if (!BitmapaPrvku(v, meric).save(soubor, "BMP")) {
                obrazkyOk = false;
                break;
            }
            s += QStringLiteral("<DIV STYLE=\"font: 0pt;") + Obdelnik(v.y, v.x, v.width, v.height) +
                 (e.Kind == pkPolozka ? OkrajeTextu(e.Flags) : QString()) +
                 QStringLiteral("\"><IMG SRC=\"%1\" ALT=\"\" WIDTH=\"%2\" HEIGHT=\"%3\"></DIV>\n")
                     .arg(HtmlText(QFileInfo(soubor).fileName()))
                     .arg(v.width)
                     .arg(v.height);
            break;
        }
        default:
            break;
        }
    }
    s += QStringLiteral("</PRE></BODY> </HTML>\n");
    const QByteArray bajty = s.toUtf8();
    if (vystupni.write(bajty) != bajty.size() || !obrazkyOk)
        return TSestError::seWriteOutput;
    return TSestError::seOK;
}

TSestError ExportHtmlFile(const TSestVystup& vystup, int index, const QString& soubor) {
    if (index < 0 || index >= vystup.PocetStran())
        return TSestError::seWriteOutput;
    QSaveFile f(soubor);
    if (!f.open(QIODevice::WriteOnly))
        return TSestError::seWriteOutput;
    QString zaklad = soubor;
    const QString pripona = QFileInfo(soubor).suffix();
    if (!pripona.isEmpty())
        zaklad.chop(pripona.size() + 1);
    const TSestError r = ExportHtmlStream(vystup, index, f, zaklad + QStringLiteral("_.bmp"));
    if (r != TSestError::seOK) {
        f.cancelWriting();
        return r;
    }
    return f.commit() ? TSestError::seOK : TSestError::seWriteOutput;
}

TSestError ExportHtml(const TSestVystup& vystup, const QString& soubor,
                      const TNastaveniExportu& nastaveni) {
    return ExportPoStrankach(
        vystup, soubor, nastaveni, QStringLiteral(".html"), [&](int strana, const QString& jmeno) {
            QSaveFile f(jmeno);
            if (!f.open(QIODevice::WriteOnly))
                return TSestError::seWriteOutput;
            const TSestError r = ExportHtmlStream(
                vystup, strana, f, JmenoStrany(soubor, strana + 1, QStringLiteral("_.bmp")));
            if (r != TSestError::seOK)
                return r;
            return f.commit() ? TSestError::seOK : TSestError::seWriteOutput;
        });
}

} // namespace arvelo::report::writers
