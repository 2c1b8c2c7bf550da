#include "report/writers/rtf_vystup.h"

#include "report/model/text_codec.h"
#include "report/render/vystup.h"

#include <QSaveFile>
#include <algorithm>

namespace arvelo::report::writers {

namespace {

QByteArray Cislo(int n) {
    return QByteArray::number(n);
}

bool JeTvar(const TKolbraReportElement& e) {
    return e.Kind >= pkUsecka && e.Kind <= pkElipsa;
}

QByteArray BarvaRtf(TBarva barva) {
    const QColor c = BarvaNaQColor(barva);
    return "\\red" + Cislo(c.red()) + "\\green" + Cislo(c.green()) + "\\blue" + Cislo(c.blue()) +
           ";";
}

QByteArray PismoRtf(const TKolbraReportElement& e) {
    return "\\fnil " + RtfText(PismoPrvku(e).name) + ";";
}

// The font and colour tables: distinct entries, sorted; an entry's number is its position.
class TTabulky {
public:
    void Pridej(const TKolbraReportElement& e) {
        pisma_.push_back(PismoRtf(e));
        barvy_.push_back(BarvaRtf(JeTvar(e) ? e.PenColor : e.Font.Color));
        if (JeTvar(e))
            barvy_.push_back(BarvaRtf(e.FillColor));
    }
    void Uzavri() {
        for (auto* l : {&pisma_, &barvy_}) {
            std::sort(l->begin(), l->end());
            l->erase(std::unique(l->begin(), l->end()), l->end());
        }
    }
    int Pismo(const TKolbraReportElement& e) const { return Poradi(pisma_, PismoRtf(e)); }
    int Barva(TBarva b) const { return Poradi(barvy_, BarvaRtf(b)); }
    const std::vector<QByteArray>& Pisma() const { return pisma_; }
    const std::vector<QByteArray>& Barvy() const { return barvy_; }

private:
    static int Poradi(const std::vector<QByteArray>& l, const QByteArray& x) {
        return static_cast<int>(std::lower_bound(l.begin(), l.end(), x) - l.begin());
    }
    std::vector<QByteArray> pisma_;
    std::vector<QByteArray> barvy_;
};

QByteArray Pozice(int x, int y, int w, int h, const TPageSetup& st) {
    return "\\pvpg\\phpg\\absw" + Cislo(Twipy(w)) + "\\absh-" + Cislo(Twipy(h)) + "\\posy" +
           Cislo(Twipy(y + st.horniOkraj)) + "\\posx" + Cislo(Twipy(x + st.levyOkraj));
}

QByteArray OkrajeTextu(int flags) {
    QByteArray s;
    if (flags & pfHorniOkraj)
        s += "\\brdrt\\brdrs\\brdrw20 ";
    if (flags & pfLevyOkraj)
        s += "\\brdrl\\brdrs\\brdrw20 ";
    if (flags & pfDolniOkraj)
        s += "\\brdrb\\brdrs\\brdrw20 ";
    if (flags & pfPravyOkraj)
        s += "\\brdrr\\brdrs\\brdrw20 ";
    return s;
}

QByteArray Carkovani(int penStyle) {
    switch (penStyle) {
    case 1:
        return "\\brdrdash";
    case 2:
        return "\\brdrdot";
    case 3:
        return "\\brdrdashd";
    case 4:
        return "\\brdrdashdd";
    default:
        return {};
    }
}

QByteArray OkrajeCary(const TKolbraReportElement& e, const TTabulky& t, bool vsechny,
                      bool carkovane) {
    const QByteArray konec = (carkovane ? Carkovani(e.PenStyle()) : QByteArray()) + "\\brdrw" +
                             Cislo(e.PenWidth() * 12) + "\\brdrcf" + Cislo(t.Barva(e.PenColor)) +
                             " ";
    QByteArray s;
    if (vsechny || (e.Flags & pfHorniOkraj))
        s += "\\brdrt\\brdrs" + konec;
    if (vsechny || (e.Flags & pfLevyOkraj))
        s += "\\brdrl\\brdrs" + konec;
    if (vsechny || (e.Flags & pfDolniOkraj))
        s += "\\brdrb\\brdrs" + konec;
    if (vsechny || (e.Flags & pfPravyOkraj))
        s += "\\brdrr\\brdrs" + konec;
    return s;
}

// Font, colour and size, then the opening codes, the text and the closing codes.
QByteArray TextSKody(const TKolbraReportElement& e, const TTabulky& t, const QString& text) {
    const TPismoRozvrhu p = PismoPrvku(e);
    QByteArray otevrit;
    if (p.bold)
        otevrit += "\\b";
    if (p.underline)
        otevrit += "\\ul";
    if (p.italic)
        otevrit += "\\i";
    if (p.strikeOut)
        otevrit += "\\strike";
    static const char* const kZarovnani[] = {"\\ql", "\\qr", "\\qc", "\\qj"};
    otevrit += kZarovnani[std::clamp(e.EffectiveAlignment(), 0, 3)];
    QByteArray zavrit;
    if (p.strikeOut)
        zavrit += "\\strike0";
    if (p.italic)
        zavrit += "\\i0";
    if (p.underline)
        zavrit += "\\ul0";
    zavrit += "\\b0";
    return "\\f" + Cislo(t.Pismo(e)) + "\\cf" + Cislo(t.Barva(e.Font.Color)) + "\\fs" +
           Cislo(e.Font.Size * 2) + " " + otevrit + " " + RtfText(text) + " " + zavrit;
}

QString Mezery(QString text) {
    for (QChar& c : text) {
        if (c.unicode() < 33)
            c = QLatin1Char(' ');
    }
    return text;
}

QByteArray Prvek(const TVystPrvek& v, const TTabulky& t, const TPageSetup& st) {
    const TKolbraReportElement& e = *v.prvek;
    const bool obrazekPole = e.Kind == pkPolozka && !v.obrazek.isNull();
    if (e.IsTextKind() && !obrazekPole) {
        if (v.radky && v.radky->Count() >= 2) {
            QByteArray s;
            int y = v.y;
            for (int r = std::max(0, v.prvniRadek); r <= v.posledniRadek && r < v.radky->Count();
                 ++r) {
                const TRadek& l = v.radky->radky[static_cast<std::size_t>(r)];
                const int vyska = (l.height + kJednotka - 1) / kJednotka;
                s += "\r\n\\par\\pard" + Pozice(v.x, y, v.width, vyska, st) +
                     TextSKody(e, t, Mezery(l.znaky.left(l.count)));
                y += vyska;
            }
            return s;
        }
        QString text = v.text;
        if (v.radky && v.radky->Count() == 1)
            text = v.radky->radky[0].znaky.left(v.radky->radky[0].count);
        for (QChar& c : text) {
            if (c.unicode() < 32)
                c = QLatin1Char(' ');
        }
        return "\\par\\pard" + OkrajeTextu(e.Flags) + Pozice(v.x, v.y, v.width, v.height, st) +
               TextSKody(e, t, text);
    }
    if (e.Kind == pkUsecka)
        return "\\par\\pard" + OkrajeCary(e, t, false, true) +
               Pozice(v.x, v.y, v.width, v.height, st);
    if (e.Kind >= pkRamecek && e.Kind <= pkElipsa)
        return "\\par\\pard" + (e.PenWidth() > 0 ? OkrajeCary(e, t, true, false) : QByteArray()) +
               Pozice(v.x, v.y, v.width, v.height, st) + "\\cbpat" + Cislo(t.Barva(e.FillColor));
    return {}; // pictures, drawing areas and bar codes are not written
}

} // namespace

QByteArray RtfText(const QString& text) {
    QByteArray s;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == '\\' || u == '{' || u == '}') {
            s += '\\';
            s += static_cast<char>(u);
        } else if (u >= 32 && u < 128) {
            s += static_cast<char>(u);
        } else if (u < 32) {
            s += ' ';
        } else {
            const QByteArray b = EncodeWindows1250(QString(c));
            if (b != "?")
                s += "\\'" + b.toHex();
            else
                s += "\\u" + Cislo(static_cast<qint16>(u)) + "?";
        }
    }
    return s;
}

TSestError ExportRtfStream(const TSestVystup& vystup, const TNastaveniExportu& nastaveni,
                           QIODevice& vystupni) {
    const TRozsahStran rozsah = RozsahStran(vystup);
    if (rozsah.Prazdny())
        return TSestError::seNotDone;
    TTabulky t;
    for (int s = rozsah.od; s <= rozsah.po; ++s) {
        for (const TVystPrvek& v : vystup.strany[static_cast<std::size_t>(s)].Prvky()) {
            if (v.prvek != nullptr)
                t.Pridej(*v.prvek);
        }
    }
    t.Uzavri();
    const TPageSetup& st = nastaveni.stranka;
    QByteArray d = "{\\rtf1\\ansi\\ansicpg1250\\deff0\\deftab720{\\fonttbl";
    for (std::size_t i = 0; i < t.Pisma().size(); ++i)
        d += "\\f" + Cislo(static_cast<int>(i)) + t.Pisma()[i];
    d += "}{\\colortbl";
    for (const QByteArray& b : t.Barvy())
        d += b;
    d += "}{\\info{\\doccomm Produced by: KOLBRA Report Generator ()}}";
    d += "\\viewkind1\\paperw" + Cislo(Twipy(st.SirkaStranky())) + "\\paperh" +
         Cislo(Twipy(st.VyskaStranky())) + "\\margl" + Cislo(Twipy(st.levyOkraj)) + "\\margr" +
         Cislo(Twipy(st.pravyOkraj)) + "\\margt" + Cislo(Twipy(st.horniOkraj)) + "\\margb" +
         Cislo(Twipy(st.dolniOkraj)) + "\\headery0\\footery0\r\n";
    for (int s = rozsah.od; s <= rozsah.po; ++s) {
        if (nastaveni.Preruseno())
            return TSestError::seCancelled;
        d += "{";
        for (const TVystPrvek& v : vystup.strany[static_cast<std::size_t>(s)].Prvky()) {
            if (v.prvek != nullptr)
                d += Prvek(v, t, st);
        }
        // The page break stands in a paragraph of its own, not in the last frame: a break
        // inside a frame makes readers such as LibreOffice lose the frames of the page.
        d += s == rozsah.po ? "\\par}" : "\\par\\pard\\page}";
    }
    d += "}";
    return vystupni.write(d) == d.size() ? TSestError::seOK : TSestError::seWriteOutput;
}

TSestError ExportRtf(const TSestVystup& vystup, const TNastaveniExportu& nastaveni,
                     const QString& soubor) {
    QSaveFile f(soubor);
    if (!f.open(QIODevice::WriteOnly))
        return TSestError::seWriteOutput;
    const TSestError r = ExportRtfStream(vystup, nastaveni, f);
    if (r != TSestError::seOK) {
        f.cancelWriting();
        return r;
    }
    return f.commit() ? TSestError::seOK : TSestError::seWriteOutput;
}

} // namespace arvelo::report::writers
