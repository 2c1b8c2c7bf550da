#include "report/render/rozvrh_textu.h"

#include "report/model/text_codec.h"
#include "report/render/kolbra_canvas.h"

#include <QFontMetricsF>
#include <QImage>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <string_view>

namespace arvelo::report {

QFont TPismoRozvrhu::ToQFont(double pixelSize) const {
    QFont f(name);
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(pixelSize))));
    f.setBold(bold);
    f.setItalic(italic);
    f.setUnderline(underline);
    f.setStrikeOut(strikeOut);
    f.setKerning(false);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

// ---------------------------------------------------------------------------------------------
// Line list

int TRadky::Vyska() const {
    if (radky.size() == 1 && radky.front().count == 0)
        return 0;
    return (kJednotka + Soucet(0, Count() - 1)) / kJednotka;
}

int TRadky::Soucet(int i, int j) const {
    int s = 0;
    for (int k = std::max(0, i); k <= j && k < Count(); ++k)
        s += radky[static_cast<std::size_t>(k)].height;
    return s;
}

TRadky::TVejde TRadky::Vejde(int i, int h) const {
    TVejde v;
    long long sum = kJednotka;
    int j = std::max(0, i);
    while (j < Count() && static_cast<long long>(h) * kJednotka >=
                              sum + radky[static_cast<std::size_t>(j)].height) {
        sum += radky[static_cast<std::size_t>(j)].height;
        ++j;
    }
    v.posledni = j - 1;
    v.vyska = static_cast<int>(sum / kJednotka);
    v.vse = j >= Count();
    return v;
}

int TRadky::PismoIndex(const TPismoRozvrhu& p) {
    for (std::size_t i = 0; i < pisma.size(); ++i) {
        if (pisma[i] == p)
            return static_cast<int>(i);
    }
    pisma.push_back(p);
    return static_cast<int>(pisma.size()) - 1;
}

// ---------------------------------------------------------------------------------------------
// Measuring

struct TMeric::TMetriky {
    QFontMetricsF fm;
    QHash<char16_t, int> sirky;
    int vyska;
    int ascent;
    explicit TMetriky(const QFont& f, QPaintDevice* device)
        : fm(f, device), vyska(static_cast<int>(std::lround(fm.height()))),
          ascent(static_cast<int>(std::lround(fm.ascent()))) {}
};

TMeric::TMetriky& TMeric::Metriky(const TPismoRozvrhu& pismo) {
    for (auto& [p, m] : cache_) {
        if (p == pismo)
            return *m;
    }
    // A device of 100 units per inch: the font, sized in pixels at 72 times its size, gives
    // layout units directly and never sees the screen's resolution.
    QImage device(1, 1, QImage::Format_ARGB32);
    device.setDotsPerMeterX(3937);
    device.setDotsPerMeterY(3937);
    auto m = std::make_shared<TMetriky>(pismo.ToQFont(pismo.size * 100.0), &device);
    cache_.emplace_back(pismo, m);
    return *m;
}

int TMeric::Sirka(const TPismoRozvrhu& pismo, QChar c) {
    TMetriky& m = Metriky(pismo);
    auto it = m.sirky.constFind(c.unicode());
    if (it != m.sirky.constEnd())
        return *it;
    const int w = static_cast<int>(std::lround(m.fm.horizontalAdvance(c)));
    m.sirky.insert(c.unicode(), w);
    return w;
}

int TMeric::Vyska(const TPismoRozvrhu& pismo) {
    return Metriky(pismo).vyska;
}

int TMeric::Ascent(const TPismoRozvrhu& pismo) {
    return Metriky(pismo).ascent;
}

TRoztecPisma RoztecPisma(const QString& fontName, int charPitch) {
    TRoztecPisma r;
    static const QRegularExpression roman(QStringLiteral("^Roman (.*)cpi$"),
                                          QRegularExpression::CaseInsensitiveOption);
    const auto m = roman.match(fontName);
    if (m.hasMatch()) {
        bool ok = false;
        const int cpi = m.captured(1).trimmed().toInt(&ok);
        r.roztec = 100.0 / (ok && cpi > 0 ? cpi : 10);
        r.vyskaRadku = 16.666666;
        return r;
    }
    r.roztec = charPitch > 0 ? charPitch : 0.0;
    return r;
}

// ---------------------------------------------------------------------------------------------
// Laying out

namespace {

int TwipyNaJednotky(int twips) {
    return twips * kJednotka / 15;
}

// Feeds visible characters and builds the line list.
class TRozvrhovac {
public:
    TRozvrhovac(const TParametryRozvrhu& p, TMeric& meric) : p_(p), meric_(meric) {
        pismo_ = p.pismo;
        pismoIdx_ = vysledek.PismoIndex(pismo_);
        vysledek.radky.emplace_back();
        vysledek.radky.back().paragraphStart = true;
        sirka_ = static_cast<long long>(p.sirka) * kJednotka;
        roztec_ = p.roztec * kJednotka;
        pevnaVyska_ = static_cast<int>(std::lround(p.vyskaRadku * kJednotka));
        zarovnani_ = p.zarovnani;
    }

    TRadky vysledek;
    bool hotovo = false;

    // Paragraph properties in layout units.
    int li = 0, ri = 0, fi = 0, pn = 0;
    int deftab = 720; // twips
    int x = 0;

    void SetZarovnani(int a) { zarovnani_ = a; }
    int Zarovnani() const { return zarovnani_; }
    const TPismoRozvrhu& Pismo() const { return pismo_; }
    void SetPismo(const TPismoRozvrhu& p) {
        pismo_ = p;
        pismoIdx_ = vysledek.PismoIndex(p);
    }

    void Znak(QChar c) {
        if (hotovo)
            return;
        const char16_t u = c.unicode();
        if (u == 0)
            return;
        TRadek& r = vysledek.radky.back();
        if (u == 10) {
            UkonciOdstavec();
            return;
        }
        if (u == 13) {
            Pridej(c, x);
            return;
        }
        if (u == 9) {
            Pridej(c, x);
            const int t = x * 15 / kJednotka;
            const int stop = deftab * ((t + deftab) / deftab);
            const int liTw = li * 15 / kJednotka;
            if (t < liTw && liTw < stop)
                x = li;
            else
                x = TwipyNaJednotky(stop);
            if (!p_.zalamovat)
                OznacZlom();
            Preteceni();
            return;
        }
        Pridej(c, x);
        if (roztec_ > 0)
            x = static_cast<int>(std::lround(std::round((x + roztec_) / roztec_) * roztec_));
        else
            x += meric_.Sirka(pismo_, c);
        r.height = std::max(r.height, VyskaZnaku(pismoIdx_));
        // Without word wrap the character that crosses the edge is cut off, so it may only
        // become a break point once it is known to fit.
        if (p_.zalamovat) {
            if (u == ' ')
                OznacZlom();
            Preteceni();
        } else {
            Preteceni();
            if (!hotovo)
                OznacZlom();
        }
    }

    // x moves without a character (list text of RTF).
    void Konec() {
        if (hotovo)
            return;
        TRadek& r = vysledek.radky.back();
        r.count = static_cast<int>(r.znaky.size());
        r.width = x;
        r.start = Start(r.width, r.paragraphStart);
        hotovo = true;
    }

private:
    int VyskaZnaku(int pismoIdx) {
        if (pevnaVyska_ > 0)
            return pevnaVyska_;
        return meric_.Vyska(vysledek.pisma[static_cast<std::size_t>(pismoIdx)]);
    }

    void Pridej(QChar c, int pos) {
        TRadek& r = vysledek.radky.back();
        r.znaky.append(c);
        r.positions.push_back(pos);
        r.pisma.push_back(pismoIdx_);
    }

    void OznacZlom() {
        maZlom_ = true;
        zlomPocet_ = static_cast<int>(vysledek.radky.back().znaky.size());
        zlomSirka_ = x;
    }

    long long Dostupna(bool prvniVOdstavci) const {
        return sirka_ - (li + ri) - kJednotka - (prvniVOdstavci ? fi : 0);
    }

    int Start(int w, bool prvni) const {
        switch (zarovnani_) {
        case 1:
            return static_cast<int>(sirka_ - w - ri - kJednotka);
        case 2:
            return static_cast<int>((sirka_ - w - li - ri) / 2 + li + pn);
        case 3:
            return kJednotka;
        default:
            return kJednotka + li + (prvni ? fi + pn : 0);
        }
    }

    void UkonciOdstavec() {
        TRadek& r = vysledek.radky.back();
        r.count = static_cast<int>(r.znaky.size());
        r.width = x;
        r.height = std::max(r.height, pevnaVyska_ > 0 ? pevnaVyska_ : meric_.Vyska(pismo_));
        r.start = Start(r.width, r.paragraphStart);
        if (!p_.zalamovat) {
            hotovo = true;
            return;
        }
        NovyRadek(true);
    }

    void NovyRadek(bool odstavec) {
        vysledek.radky.emplace_back();
        vysledek.radky.back().paragraphStart = odstavec;
        x = 0;
        maZlom_ = false;
    }

    void Preteceni() {
        TRadek& r = vysledek.radky.back();
        if (x <= Dostupna(r.paragraphStart))
            return;
        int pocet = static_cast<int>(r.znaky.size());
        int sirka = x;
        if (maZlom_) {
            pocet = zlomPocet_;
            sirka = zlomSirka_;
        }
        TRadek zbytek;
        for (int i = pocet; i < static_cast<int>(r.znaky.size()); ++i) {
            zbytek.znaky.append(r.znaky[i]);
            zbytek.positions.push_back(r.positions[static_cast<std::size_t>(i)] - sirka);
            zbytek.pisma.push_back(r.pisma[static_cast<std::size_t>(i)]);
        }
        r.znaky.truncate(pocet);
        r.positions.resize(static_cast<std::size_t>(pocet));
        r.pisma.resize(static_cast<std::size_t>(pocet));
        r.count = pocet;
        r.width = sirka;
        r.wrapped = true;
        r.start = Start(sirka, r.paragraphStart);
        r.height = 0;
        for (int idx : r.pisma)
            r.height = std::max(r.height, VyskaZnaku(idx));
        if (r.height == 0)
            r.height = VyskaZnaku(pismoIdx_);
        if (zarovnani_ == 3 && sirka > 0) {
            const long long pouzitelna =
                sirka_ - ri - (li + pn + (r.paragraphStart ? fi : 0) + kJednotka);
            for (int& pos : r.positions)
                pos = static_cast<int>(static_cast<long long>(pos) * pouzitelna / sirka);
        }
        if (!p_.zalamovat) {
            hotovo = true;
            return;
        }
        const int zbyvaX = x - sirka;
        NovyRadek(false);
        TRadek& n = vysledek.radky.back();
        n.znaky = zbytek.znaky;
        n.positions = std::move(zbytek.positions);
        n.pisma = std::move(zbytek.pisma);
        for (int idx : n.pisma)
            n.height = std::max(n.height, VyskaZnaku(idx));
        x = zbyvaX;
    }

    const TParametryRozvrhu& p_;
    TMeric& meric_;
    TPismoRozvrhu pismo_;
    int pismoIdx_ = 0;
    long long sirka_ = 0;
    double roztec_ = 0.0;
    int pevnaVyska_ = 0;
    int zarovnani_ = 0;
    bool maZlom_ = false;
    int zlomPocet_ = 0;
    int zlomSirka_ = 0;
};

// ---------------------------------------------------------------------------------------------
// The RTF subset

enum class TDruhSlova {
    Znakove,
    Odstavcove,
    BezUcinku,
    ZnakPar,
    ZnakTab,
    ZnakUvozovky,
    Cil,
    Preskocit,
    Bin,
};

struct TSlovo {
    std::string_view jmeno;
    int vychozi;
    bool vynutitVychozi;
    TDruhSlova druh;
    int kod;
};

// Codes of character and paragraph words.
enum : int {
    kB,
    kI,
    kUl,
    kUlNone,
    kF,
    kFCharset,
    kFs,
    kCf,
    kPlain,
    kLi,
    kRi,
    kFi,
    kPnIndent,
    kQl,
    kQr,
    kQc,
    kQj,
    kDefTab,
    kPard,
    kColorTbl,
    kFontTbl,
    kPnText,
    kRed,
    kGreen,
    kBlue
};

constexpr TSlovo kSlova[] = {
    {"b", 1, false, TDruhSlova::Znakove, kB},
    {"i", 1, false, TDruhSlova::Znakove, kI},
    {"ul", 1, false, TDruhSlova::Znakove, kUl},
    {"ulnone", 0, false, TDruhSlova::Znakove, kUlNone},
    {"f", 0, false, TDruhSlova::Znakove, kF},
    {"fcharset", 0, false, TDruhSlova::Znakove, kFCharset},
    {"fs", 24, false, TDruhSlova::Znakove, kFs},
    {"cf", 0, false, TDruhSlova::Znakove, kCf},
    {"plain", 0, false, TDruhSlova::Znakove, kPlain},
    {"li", 0, false, TDruhSlova::Odstavcove, kLi},
    {"ri", 0, false, TDruhSlova::Odstavcove, kRi},
    {"fi", 0, false, TDruhSlova::Odstavcove, kFi},
    {"pnindent", 0, false, TDruhSlova::Odstavcove, kPnIndent},
    {"ql", 0, true, TDruhSlova::Odstavcove, kQl},
    {"qr", 0, true, TDruhSlova::Odstavcove, kQr},
    {"qc", 0, true, TDruhSlova::Odstavcove, kQc},
    {"qj", 0, true, TDruhSlova::Odstavcove, kQj},
    {"deftab", 512, false, TDruhSlova::Odstavcove, kDefTab},
    {"pard", 0, true, TDruhSlova::Odstavcove, kPard},
    {"red", 0, false, TDruhSlova::Odstavcove, kRed},
    {"green", 0, false, TDruhSlova::Odstavcove, kGreen},
    {"blue", 0, false, TDruhSlova::Odstavcove, kBlue},
    {"par", 0, false, TDruhSlova::ZnakPar, 0},
    {"row", 0, false, TDruhSlova::ZnakPar, 0},
    {"tab", 0, false, TDruhSlova::ZnakTab, 0},
    {"cell", 0, false, TDruhSlova::ZnakTab, 0},
    {"ldblquote", 0, false, TDruhSlova::ZnakUvozovky, 0},
    {"rdblquote", 0, false, TDruhSlova::ZnakUvozovky, 0},
    {"colortbl", 0, false, TDruhSlova::Cil, kColorTbl},
    {"fonttbl", 0, false, TDruhSlova::Cil, kFontTbl},
    {"pntext", 0, false, TDruhSlova::Cil, kPnText},
    {"bin", 0, false, TDruhSlova::Bin, 0},
    {"cols", 0, false, TDruhSlova::BezUcinku, 0},
    {"sbknone", 0, false, TDruhSlova::BezUcinku, 0},
    {"sbkcol", 0, false, TDruhSlova::BezUcinku, 0},
    {"sbkeven", 0, false, TDruhSlova::BezUcinku, 0},
    {"sbkodd", 0, false, TDruhSlova::BezUcinku, 0},
    {"sbkpage", 0, false, TDruhSlova::BezUcinku, 0},
    {"pgnx", 0, false, TDruhSlova::BezUcinku, 0},
    {"pgny", 0, false, TDruhSlova::BezUcinku, 0},
    {"pgndec", 0, false, TDruhSlova::BezUcinku, 0},
    {"pgnucrm", 0, false, TDruhSlova::BezUcinku, 0},
    {"pgnlcrm", 0, false, TDruhSlova::BezUcinku, 0},
    {"pgnucltr", 0, false, TDruhSlova::BezUcinku, 0},
    {"pgnlcltr", 0, false, TDruhSlova::BezUcinku, 0},
    {"paperw", 0, false, TDruhSlova::BezUcinku, 0},
    {"paperh", 0, false, TDruhSlova::BezUcinku, 0},
    {"margl", 0, false, TDruhSlova::BezUcinku, 0},
    {"margr", 0, false, TDruhSlova::BezUcinku, 0},
    {"margt", 0, false, TDruhSlova::BezUcinku, 0},
    {"margb", 0, false, TDruhSlova::BezUcinku, 0},
    {"pgnstart", 0, false, TDruhSlova::BezUcinku, 0},
    {"facingp", 0, false, TDruhSlova::BezUcinku, 0},
    {"landscape", 0, false, TDruhSlova::BezUcinku, 0},
    {"fnil", 0, false, TDruhSlova::BezUcinku, 0},
    {"froman", 0, false, TDruhSlova::BezUcinku, 0},
    {"fswiss", 0, false, TDruhSlova::BezUcinku, 0},
    {"fmodern", 0, false, TDruhSlova::BezUcinku, 0},
    {"fscript", 0, false, TDruhSlova::BezUcinku, 0},
    {"fdecor", 0, false, TDruhSlova::BezUcinku, 0},
    {"ftech", 0, false, TDruhSlova::BezUcinku, 0},
    {"author", 0, false, TDruhSlova::Preskocit, 0},
    {"buptim", 0, false, TDruhSlova::Preskocit, 0},
    {"comment", 0, false, TDruhSlova::Preskocit, 0},
    {"creatim", 0, false, TDruhSlova::Preskocit, 0},
    {"doccomm", 0, false, TDruhSlova::Preskocit, 0},
    {"footer", 0, false, TDruhSlova::Preskocit, 0},
    {"footerf", 0, false, TDruhSlova::Preskocit, 0},
    {"footerl", 0, false, TDruhSlova::Preskocit, 0},
    {"footerr", 0, false, TDruhSlova::Preskocit, 0},
    {"footnote", 0, false, TDruhSlova::Preskocit, 0},
    {"ftncn", 0, false, TDruhSlova::Preskocit, 0},
    {"ftnsep", 0, false, TDruhSlova::Preskocit, 0},
    {"ftnsepc", 0, false, TDruhSlova::Preskocit, 0},
    {"header", 0, false, TDruhSlova::Preskocit, 0},
    {"headerf", 0, false, TDruhSlova::Preskocit, 0},
    {"headerl", 0, false, TDruhSlova::Preskocit, 0},
    {"headerr", 0, false, TDruhSlova::Preskocit, 0},
    {"info", 0, false, TDruhSlova::Preskocit, 0},
    {"keywords", 0, false, TDruhSlova::Preskocit, 0},
    {"operator", 0, false, TDruhSlova::Preskocit, 0},
    {"pict", 0, false, TDruhSlova::Preskocit, 0},
    {"printim", 0, false, TDruhSlova::Preskocit, 0},
    {"private1", 0, false, TDruhSlova::Preskocit, 0},
    {"revtim", 0, false, TDruhSlova::Preskocit, 0},
    {"rxe", 0, false, TDruhSlova::Preskocit, 0},
    {"stylesheet", 0, false, TDruhSlova::Preskocit, 0},
    {"subject", 0, false, TDruhSlova::Preskocit, 0},
    {"tc", 0, false, TDruhSlova::Preskocit, 0},
    {"title", 0, false, TDruhSlova::Preskocit, 0},
    {"txe", 0, false, TDruhSlova::Preskocit, 0},
    {"xe", 0, false, TDruhSlova::Preskocit, 0},
};

const TSlovo* NajdiSlovo(std::string_view jmeno) {
    for (const TSlovo& s : kSlova) {
        if (s.jmeno == jmeno)
            return &s;
    }
    return nullptr;
}

enum class TCil { Text, FontTbl, ColorTbl, PnText, Preskocit };

struct TStavRtf {
    bool b = false, i = false, ul = false;
    int f = -1;  // -1: the element's font
    int fs = 20; // half-points
    int cf = -1; // -1: the element's colour
    int li = 0, ri = 0, fi = 0, pn = 0, zarovnani = 0;
    TCil cil = TCil::Text;
};

struct TUlozeny {
    TStavRtf stav;
    TPismoRozvrhu pismo; // the font in use when the group began, back in use when it ends
    bool pntext = false;
    int pntextX = 0;
};

class TCtecRtf {
public:
    TCtecRtf(TRozvrhovac& r, const TParametryRozvrhu& p) : r_(r), p_(p) {
        stav_.b = p.pismo.bold;
        stav_.i = p.pismo.italic;
        stav_.ul = p.pismo.underline;
        stav_.fs = static_cast<int>(std::lround(p.pismo.size * 2));
        stav_.zarovnani = p.zarovnani;
    }

    void Cti(const QString& t) {
        const int n = static_cast<int>(t.size());
        int i = 0;
        bool hvezdicka = false;
        while (i < n && !r_.hotovo) {
            const QChar c = t[i];
            if (c == QLatin1Char('{')) {
                zasobnik_.push_back({stav_, r_.Pismo(), false, 0});
                stav_.b = stav_.i = stav_.ul = false;
                stav_.f = 0;
                stav_.fs = 24;
                ++i;
            } else if (c == QLatin1Char('}')) {
                if (zasobnik_.empty())
                    return; // malformed: keep what was laid out
                const TUlozeny u = zasobnik_.back();
                zasobnik_.pop_back();
                if (u.pntext)
                    r_.x = u.pntextX;
                stav_ = u.stav;
                PouzijOdstavec();
                if (!(r_.Pismo() == u.pismo))
                    r_.SetPismo(u.pismo);
                ++i;
            } else if (c == QLatin1Char('\\')) {
                ++i;
                if (i >= n)
                    return; // a backslash at the very end
                const QChar d = t[i];
                if (d.isLetter() && d.unicode() < 128) {
                    const int zacatek = i;
                    while (i < n && t[i].unicode() < 128 && t[i].isLetter())
                        ++i;
                    const std::string jmeno = t.mid(zacatek, i - zacatek).toStdString();
                    bool maParam = false;
                    long long param = 0;
                    bool zaporny = false;
                    if (i < n && t[i] == QLatin1Char('-')) {
                        zaporny = true;
                        ++i;
                    }
                    while (i < n && t[i].isDigit() && t[i].unicode() < 128) {
                        maParam = true;
                        param = std::min<long long>(param * 10 + (t[i].unicode() - '0'), 1 << 30);
                        ++i;
                    }
                    if (i < n && t[i] == QLatin1Char(' '))
                        ++i;
                    if (zaporny)
                        param = -param;
                    const bool bylaHvezdicka = hvezdicka;
                    hvezdicka = false;
                    const TSlovo* s = NajdiSlovo(jmeno);
                    if (s == nullptr) {
                        if (bylaHvezdicka)
                            stav_.cil = TCil::Preskocit;
                        continue;
                    }
                    if (s->druh == TDruhSlova::Bin) {
                        i += static_cast<int>(std::clamp<long long>(param, 0, n - i));
                        continue;
                    }
                    Slovo(*s, maParam && !s->vynutitVychozi ? static_cast<int>(param) : s->vychozi);
                } else if (d == QLatin1Char('\'')) {
                    if (i + 2 >= n)
                        return; // cut short
                    bool ok = false;
                    const int kod = t.mid(i + 1, 2).toInt(&ok, 16);
                    if (!ok || t.mid(i + 1, 2).size() != 2)
                        return; // a bad hexadecimal digit
                    i += 3;
                    Znak(ZnakZKodu(kod));
                } else {
                    ++i;
                    switch (d.unicode()) {
                    case '{':
                    case '}':
                    case '\\':
                        Znak(d);
                        break;
                    case '~':
                        Znak(QLatin1Char(' '));
                        break;
                    case '\n':
                    case '\r':
                        Znak(QChar(10));
                        break;
                    case '*':
                        hvezdicka = true;
                        break;
                    default:
                        break;
                    }
                }
            } else {
                ++i;
                if (c.unicode() == 10 || c.unicode() == 13)
                    continue;
                Znak(c);
            }
        }
    }

private:
    QChar ZnakZKodu(int kod) const {
        int charset = kDefaultCharset;
        if (stav_.f >= 0 && fonty_.contains(stav_.f))
            charset = fonty_.value(stav_.f).second;
        if (charset == 0)
            return QChar(kod); // Western: the code is the Latin-1 character
        const QString s = DecodeWindows1250(QByteArray(1, static_cast<char>(kod)));
        return s.isEmpty() ? QChar(kod) : s[0];
    }

    void Znak(QChar c) {
        switch (stav_.cil) {
        case TCil::Text:
        case TCil::PnText:
            r_.Znak(c);
            break;
        case TCil::FontTbl:
            if (c == QLatin1Char(';'))
                definovany_ = -1;
            else if (definovany_ >= 0)
                fonty_[definovany_].first.append(c);
            break;
        case TCil::ColorTbl:
            if (c == QLatin1Char(';')) {
                barvy_.push_back(static_cast<TBarva>(cervena_ | (zelena_ << 8) | (modra_ << 16)));
                cervena_ = zelena_ = modra_ = 0;
            }
            break;
        case TCil::Preskocit:
            break;
        }
    }

    void PouzijOdstavec() {
        r_.li = TwipyNaJednotky(stav_.li);
        r_.ri = TwipyNaJednotky(stav_.ri);
        r_.fi = TwipyNaJednotky(stav_.fi);
        r_.pn = TwipyNaJednotky(stav_.pn);
        r_.SetZarovnani(stav_.zarovnani);
    }

    void PouzijPismo() {
        TPismoRozvrhu p = p_.pismo;
        if (stav_.f >= 0 && fonty_.contains(stav_.f) && !fonty_.value(stav_.f).first.isEmpty())
            p.name = fonty_.value(stav_.f).first.trimmed();
        p.bold = stav_.b;
        p.italic = stav_.i;
        p.underline = stav_.ul;
        p.size = stav_.fs / 2.0;
        if (stav_.cf >= 0)
            p.color = stav_.cf < static_cast<int>(barvy_.size())
                          ? barvy_[static_cast<std::size_t>(stav_.cf)]
                          : kCerna;
        r_.SetPismo(p);
    }

    void Slovo(const TSlovo& s, int param) {
        switch (s.druh) {
        case TDruhSlova::Znakove:
            switch (s.kod) {
            case kB:
                stav_.b = param > 0;
                break;
            case kI:
                stav_.i = param > 0;
                break;
            case kUl:
                stav_.ul = param > 0;
                break;
            case kUlNone:
                stav_.ul = false;
                break;
            case kF:
                stav_.f = param;
                if (stav_.cil == TCil::FontTbl) {
                    definovany_ = param;
                    fonty_[param] = {QString(), kDefaultCharset};
                    return;
                }
                break;
            case kFCharset:
                if (stav_.cil == TCil::FontTbl && definovany_ >= 0)
                    fonty_[definovany_].second = param;
                return;
            case kFs:
                stav_.fs = param > 0 ? param : 24;
                break;
            case kCf:
                stav_.cf = param;
                break;
            case kPlain:
                stav_.b = stav_.i = stav_.ul = false;
                stav_.cf = 0x7fffffff; // black
                break;
            default:
                break;
            }
            if (stav_.cil == TCil::Text || stav_.cil == TCil::PnText)
                PouzijPismo();
            break;
        case TDruhSlova::Odstavcove:
            switch (s.kod) {
            case kLi:
                stav_.li = param;
                break;
            case kRi:
                stav_.ri = param;
                break;
            case kFi:
                stav_.fi = param;
                break;
            case kPnIndent:
                stav_.pn = param == 0 ? 200 : param;
                break;
            case kQl:
                stav_.zarovnani = 0;
                break;
            case kQr:
                stav_.zarovnani = 1;
                break;
            case kQc:
                stav_.zarovnani = 2;
                break;
            case kQj:
                stav_.zarovnani = 3;
                break;
            case kDefTab:
                r_.deftab = param > 0 ? param : 512;
                break;
            case kPard:
                stav_.li = stav_.ri = stav_.fi = stav_.pn = 0;
                stav_.zarovnani = 0;
                break;
            case kRed:
                cervena_ = std::clamp(param, 0, 255);
                return;
            case kGreen:
                zelena_ = std::clamp(param, 0, 255);
                return;
            case kBlue:
                modra_ = std::clamp(param, 0, 255);
                return;
            default:
                break;
            }
            PouzijOdstavec();
            break;
        case TDruhSlova::ZnakPar:
            Znak(QChar(10));
            break;
        case TDruhSlova::ZnakTab:
            Znak(QChar(9));
            break;
        case TDruhSlova::ZnakUvozovky:
            Znak(QChar(34));
            break;
        case TDruhSlova::Cil:
            if (s.kod == kFontTbl) {
                stav_.cil = TCil::FontTbl;
            } else if (s.kod == kColorTbl) {
                stav_.cil = TCil::ColorTbl;
                cervena_ = zelena_ = modra_ = 0;
            } else if (s.kod == kPnText && !zasobnik_.empty()) {
                stav_.cil = TCil::PnText;
                zasobnik_.back().pntext = true;
                zasobnik_.back().pntextX = r_.x;
                r_.x -= r_.pn > 0 ? r_.pn : 960;
            }
            break;
        case TDruhSlova::Preskocit:
            stav_.cil = TCil::Preskocit;
            break;
        case TDruhSlova::BezUcinku:
        case TDruhSlova::Bin:
            break;
        }
    }

    TRozvrhovac& r_;
    const TParametryRozvrhu& p_;
    TStavRtf stav_;
    std::vector<TUlozeny> zasobnik_;
    QHash<int, std::pair<QString, int>> fonty_;
    int definovany_ = -1;
    std::vector<TBarva> barvy_;
    int cervena_ = 0, zelena_ = 0, modra_ = 0;
};

} // namespace

TRadky RozvrhniText(const TParametryRozvrhu& p, TMeric& meric) {
    TRozvrhovac r(p, meric);
    if (p.rtf) {
        TCtecRtf ctec(r, p);
        ctec.Cti(p.text);
    } else {
        for (QChar c : p.text) {
            if (r.hotovo)
                break;
            r.Znak(c);
        }
    }
    r.Konec();
    return std::move(r.vysledek);
}

// ---------------------------------------------------------------------------------------------
// Drawing

namespace {

// Collects the characters of one line in one font and emits them in one call.
class TDavka {
public:
    explicit TDavka(TKolbraCanvas& canvas) : canvas_(canvas) {}

    void Pridej(double x, double y, QChar c, double posun) {
        if (znaky_.size() >= 1024 || (!znaky_.isEmpty() && y != y_))
            Vyprazdni();
        if (znaky_.isEmpty()) {
            x_ = x;
            y_ = y;
        } else {
            posuny_.back() = x - posledniX_;
        }
        znaky_.append(c);
        posuny_.push_back(posun);
        posledniX_ = x;
    }
    void Vyprazdni() {
        if (!znaky_.isEmpty())
            canvas_.TextOut(x_, y_, znaky_, posuny_);
        znaky_.clear();
        posuny_.clear();
    }

private:
    TKolbraCanvas& canvas_;
    QString znaky_;
    std::vector<double> posuny_;
    double x_ = 0, y_ = 0, posledniX_ = 0;
};

} // namespace

void KresliRadky(TKolbraCanvas& canvas, const TRadky& radky, int prvni, int posledni, double left,
                 double top, double sx, double sy) {
    TDavka davka(canvas);
    int pismo = -1;
    long long soucet = 0;
    for (int i = std::max(0, prvni); i <= posledni && i < radky.Count(); ++i) {
        const TRadek& r = radky.radky[static_cast<std::size_t>(i)];
        soucet += r.height;
        const double y = top + static_cast<double>(soucet) / kJednotka * sy;
        for (int k = 0; k < r.count && k < static_cast<int>(r.znaky.size()); ++k) {
            const QChar c = r.znaky[k];
            if (c.unicode() == 9 || c.unicode() == 10 || c.unicode() == 13) {
                davka.Vyprazdni();
                continue;
            }
            const int pi = r.pisma[static_cast<std::size_t>(k)];
            if (pi != pismo) {
                davka.Vyprazdni();
                pismo = pi;
                const TPismoRozvrhu& p = radky.pisma[static_cast<std::size_t>(pi)];
                canvas.SetFont(p, p.size * 100.0 / 72.0 * sx, 0);
            }
            const int pos = r.positions[static_cast<std::size_t>(k)];
            const int dalsi =
                k + 1 < r.count ? r.positions[static_cast<std::size_t>(k + 1)] : r.width;
            const double x = left + static_cast<double>(r.start + pos + kJednotka) / kJednotka * sx;
            davka.Pridej(x, y, c, static_cast<double>(dalsi - pos) / kJednotka * sx);
        }
        davka.Vyprazdni();
    }
}

void KresliOtocenyText(TKolbraCanvas& canvas, TMeric& meric, const QString& text,
                       const TPismoRozvrhu& pismo, int angle, double cx, double cy, double sx,
                       double sy) {
    const QString t = text.left(255);
    std::vector<double> posuny;
    double celkem = 0;
    for (QChar c : t) {
        const double w = static_cast<double>(meric.Sirka(pismo, c)) / kJednotka * sx;
        posuny.push_back(w);
        celkem += w;
    }
    const double a = angle * M_PI / 180.0;
    const double x = cx - std::cos(a) * celkem / 2;
    const double y = cy + std::sin(a) * celkem / 2 * (sy / (sx > 0 ? sx : 1));
    canvas.SetFont(pismo, pismo.size * 100.0 / 72.0 * sx, angle);
    canvas.TextOut(x, y, t, posuny);
    canvas.SetFont(pismo, pismo.size * 100.0 / 72.0 * sx, 0);
}

} // namespace arvelo::report
