#include "report/render/vystup.h"

#include "report/barcode/kresleni_kodu.h"
#include "report/model/sestava_typ.h"
#include "report/render/kolbra_canvas.h"

#include <QFontDatabase>
#include <QPainter>
#include <QTransform>
#include <algorithm>
#include <cmath>

namespace arvelo::report {

// ---------------------------------------------------------------------------------------------
// Pages

bool TStranaPrvku::PredChazi(const TVystPrvek& a, const TVystPrvek& b) {
    const bool ga = a.prvek != nullptr && !a.prvek->IsTextKind();
    const bool gb = b.prvek != nullptr && !b.prvek->IsTextKind();
    if (ga || gb)
        return ga && !gb; // shapes and pictures lie under the texts
    return a.prvek->TextFlags < b.prvek->TextFlags;
}

void TStranaPrvku::Vloz(TVystPrvek prvek) {
    auto it = std::find_if(prvky_.begin(), prvky_.end(),
                           [&](const TVystPrvek& x) { return !PredChazi(x, prvek); });
    prvky_.insert(it, std::move(prvek));
    int skupina = 0;
    for (std::size_t i = 0; i < prvky_.size(); ++i) {
        if (i > 0 && (PredChazi(prvky_[i - 1], prvky_[i]) || PredChazi(prvky_[i], prvky_[i - 1])))
            ++skupina;
        prvky_[i].skupina = skupina;
    }
    pocetSkupin_ = prvky_.empty() ? 0 : skupina + 1;
}

TStranaPrvku& TSestVystup::Strana(int i) {
    if (i < 0)
        i = 0;
    while (static_cast<int>(strany.size()) <= i)
        strany.emplace_back();
    return strany[static_cast<std::size_t>(i)];
}

void TSestVystup::PouzijRozsah(int startPage, int endPage) {
    prvniStrana = std::max(1, startPage);
    if (endPage >= 1 && endPage < PocetStran())
        strany.resize(static_cast<std::size_t>(endPage));
    posledniStrana = std::min(endPage, PocetStran());
}

void TSestVystup::KresliStranu(TKolbraCanvas& canvas, int index, double sx, double sy, double ox,
                               double oy) const {
    if (index < 0 || index >= PocetStran())
        return;
    if (tisknoutPozadi && !pozadi.isNull()) {
        canvas.StretchImage(QRectF((obdelnikPozadi.x() + ox) * sx, (obdelnikPozadi.y() + oy) * sy,
                                   obdelnikPozadi.width() * sx, obdelnikPozadi.height() * sy),
                            pozadi);
    }
    TMeric meric;
    for (const TVystPrvek& v : strany[static_cast<std::size_t>(index)].Prvky()) {
        if (stop)
            return;
        KresliPrvek(canvas, meric, v, sx, sy, ox, oy);
    }
}

QImage TSestVystup::Obraz(int index, double scale) const {
    if (index < 0 || index >= PocetStran())
        return QImage();
    QImage obraz(static_cast<int>(std::ceil(tisknutelnaSirka * scale)),
                 static_cast<int>(std::ceil(tisknutelnaVyska * scale)), QImage::Format_RGB32);
    obraz.fill(Qt::white);
    QPainter painter(&obraz);
    TQtCanvas canvas(painter, 100);
    KresliStranu(canvas, index, scale, scale);
    painter.end();
    return obraz;
}

QPicture TSestVystup::Metafile(int index) const {
    QPicture picture;
    picture.setBoundingRect(QRect(0, 0, tisknutelnaSirka * 6, tisknutelnaVyska * 6));
    QPainter painter(&picture);
    TQtCanvas canvas(painter, 100);
    KresliStranu(canvas, index, 6, 6);
    painter.end();
    return picture;
}

// ---------------------------------------------------------------------------------------------
// Drawing one element

TPismoRozvrhu PismoPrvku(const TKolbraReportElement& e) {
    const TPouzitePismo p = PouzitePismo(
        e.Font, e.CharPitch, [](const QString& name) { return QFontDatabase::hasFamily(name); });
    TPismoRozvrhu r;
    r.name = p.name;
    r.size = p.size > 0 ? p.size : 1;
    r.bold = (p.style & fsBold) != 0;
    r.italic = (p.style & fsItalic) != 0;
    r.underline = (p.style & fsUnderline) != 0;
    r.strikeOut = (p.style & fsStrikeOut) != 0;
    r.color = e.Font.Color;
    return r;
}

QRectF UmisteniObrazku(const QRectF& r, QSizeF obrazek, double sx, double sy, int flags,
                       int alignment) {
    if (r.isEmpty() || obrazek.width() <= 0 || obrazek.height() <= 0)
        return r;
    auto zarovnej = [&](double w) {
        if (alignment == 1)
            return r.right() - w;
        if (alignment == 2)
            return r.left() + (r.width() - w) / 2;
        return r.left();
    };
    if ((flags & pfPodleOkna) == 0) {
        const double w = obrazek.width() * sx;
        return QRectF(zarovnej(w), r.top(), w, obrazek.height() * sy);
    }
    if ((flags & pfZachovatPomer) == 0)
        return r;
    const double pomerObrazku = obrazek.height() / obrazek.width();
    const double pomerObdelniku = r.height() / r.width();
    if (pomerObrazku > pomerObdelniku) {
        const double w = r.height() / pomerObrazku;
        return QRectF(zarovnej(w), r.top(), w, r.height());
    }
    return QRectF(r.left(), r.top(), r.width(), r.width() * pomerObrazku);
}

namespace {

double SirkaPera(int penWidth, double scale) {
    return std::round((penWidth - 1) * scale) + 1;
}

void Okraje(TKolbraCanvas& canvas, const QRectF& r, int flags) {
    if ((flags & 0x0F) == 0)
        return;
    canvas.SetPen(0, kCerna, 1);
    if (flags & pfLevyOkraj)
        canvas.Line(r.left(), r.top(), r.left(), r.bottom());
    if (flags & pfHorniOkraj)
        canvas.Line(r.left(), r.top(), r.right(), r.top());
    if (flags & pfPravyOkraj)
        canvas.Line(r.right(), r.top(), r.right(), r.bottom());
    if (flags & pfDolniOkraj)
        canvas.Line(r.left(), r.bottom(), r.right(), r.bottom());
}

QRectF Vsazeny(const QRectF& r, int penWidth) {
    const int a = penWidth / 2;
    const int b = (penWidth + 1) / 2;
    return QRectF(r.left() + a, r.top() + a, r.width() - a - b, r.height() - a - b);
}

bool JeViceRadku(const TKolbraReportElement& e) {
    if ((e.TextFlags & tfViceRadku) != 0)
        return true;
    if (e.Kind == pkPolozka && e.Report() != nullptr) {
        const int t = e.Report()->FieldType(e.Source);
        return t == fieldtype::Memo || t == fieldtype::FmtMemo || t == fieldtype::Blob;
    }
    return false;
}

barcode::TParametryKodu ParametryKodu(const TKolbraReportElement& e) {
    barcode::TParametryKodu p;
    p.symbologie = e.PenStyle();
    p.zvetseni = e.PenWidth();
    p.uhel = e.Angle;
    p.kontrolniSoucet = (e.Flags & pfPodleOkna) != 0;
    p.tisknoutText = (e.Flags & pfZachovatPomer) != 0;
    return p;
}

// The symbol is always drawn at the page metafile's scale and then scaled to the canvas, so
// its module widths (whole pixels at 1/600 in) are the same on the screen, the printer and in
// every exported file.
void KresliCarovyKodPrvku(TKolbraCanvas& canvas, const TVystPrvek& v, const QRectF& r, double sx,
                          double sy) {
    const TKolbraReportElement& e = *v.prvek;
    if (v.width <= 0 || v.height <= 0)
        return;
    const int m = barcode::kMeritkoVystupu;
    const barcode::TParametryKodu p = ParametryKodu(e);
    const barcode::TZakodovanyKod kod = barcode::Zakoduj(p.symbologie, v.text, p.kontrolniSoucet);
    const double sirkaSymbolu = kod.Sirka(barcode::SirkaModulu(p.zvetseni, m));
    // What the drawing covers in device units: the element and the symbol turned about its
    // top-left corner (it may reach outside the element).
    QTransform t;
    t.translate(r.left(), r.top());
    t.scale(sx / m, sy / m);
    t.rotate(-p.uhel);
    const QRectF hranice =
        r.united(t.mapRect(QRectF(0, 0, sirkaSymbolu, std::round(v.height * m))));
    const QColor barva = BarvaNaQColor(e.Font.Color);
    canvas.KresliPainterem(hranice, [&](QPainter& painter) {
        painter.translate(r.left(), r.top());
        painter.scale(sx / m, sy / m);
        barcode::KresliCarovyKod(painter,
                                 QRect(0, 0, static_cast<int>(std::lround(v.width * m)),
                                       static_cast<int>(std::lround(v.height * m))),
                                 v.text, p, m, barva);
    });
}

} // namespace

void KresliPrvek(TKolbraCanvas& canvas, TMeric& meric, const TVystPrvek& v, double sx, double sy,
                 double ox, double oy) {
    if (v.prvek == nullptr)
        return;
    const TKolbraReportElement& e = *v.prvek;
    const QRectF r(std::round((v.x + ox) * sx), std::round((v.y + oy) * sy),
                   std::round(v.width * sx), std::round(v.height * sy));
    const double scale = std::min(sx, sy);
    const bool obrazekPole = e.Kind == pkPolozka && !v.obrazek.isNull();
    if (e.IsTextKind() && !obrazekPole) {
        const TPismoRozvrhu pismo = PismoPrvku(e);
        if (e.Angle != 0) {
            KresliOtocenyText(canvas, meric, v.text, pismo, e.Angle, r.center().x(), r.center().y(),
                              sx, sy);
        } else if (v.radky) {
            KresliRadky(canvas, *v.radky, v.prvniRadek, v.posledniRadek, r.left(), r.top(), sx, sy);
        } else {
            TParametryRozvrhu p;
            p.sirka = v.width;
            p.text = v.text;
            p.zalamovat = JeViceRadku(e);
            p.zarovnani = e.EffectiveAlignment();
            p.rtf = p.zalamovat && (e.TextFlags & tfRtf) != 0;
            p.pismo = pismo;
            const TRoztecPisma rp = RoztecPisma(e.Font.Name, e.CharPitch);
            p.roztec = rp.roztec;
            p.vyskaRadku = rp.vyskaRadku;
            const TRadky radky = RozvrhniText(p, meric);
            KresliRadky(canvas, radky, 0, radky.Count() - 1, r.left(), r.top(), sx, sy);
        }
        Okraje(canvas, r, e.Flags);
        return;
    }
    switch (e.Kind) {
    case pkPolozka:
    case pkObrazek:
    case pkKresliciPlocha: {
        QImage obrazek = v.obrazek;
        if (obrazek.isNull() && !v.souborObrazku.isEmpty())
            obrazek = e.Picture;
        if (obrazek.isNull())
            break;
        const QRectF cil = UmisteniObrazku(r, obrazek.size(), sx, sy, e.Flags,
                                           e.Kind == pkPolozka ? e.Alignment : 0);
        if (e.Report() != nullptr)
            e.Report()->PreparePicture(obrazek, static_cast<int>(cil.width()),
                                       static_cast<int>(cil.height()));
        canvas.StretchImage(cil, obrazek);
        if (e.Kind == pkPolozka)
            Okraje(canvas, r, e.Flags);
        break;
    }
    case pkUsecka: {
        canvas.SetBrush(1, kBila);
        canvas.SetPen(e.PenStyle(), e.PenColor, SirkaPera(e.PenWidth(), scale));
        const QRectF q = Vsazeny(r, e.PenWidth());
        if (e.Flags & 0x01)
            canvas.Line(q.left(), q.top(), q.left(), q.bottom());
        if (e.Flags & 0x02)
            canvas.Line(q.left(), q.top(), q.right(), q.top());
        if (e.Flags & 0x04)
            canvas.Line(q.right(), q.top(), q.right(), q.bottom());
        if (e.Flags & 0x08)
            canvas.Line(q.left(), q.bottom(), q.right(), q.bottom());
        if (e.Flags & 0x10)
            canvas.Line(q.left(), q.bottom(), q.right(), q.top());
        if (e.Flags & 0x20)
            canvas.Line(q.left(), q.top(), q.right(), q.bottom());
        if (e.Flags & 0x40)
            canvas.Ellipse(q);
        break;
    }
    case pkRamecek:
    case pkZaoblenyRamecek:
    case pkElipsa: {
        canvas.SetBrush(e.Param, e.FillColor);
        if (e.PenWidth() > 0)
            canvas.SetPen(0, e.PenColor, SirkaPera(e.PenWidth(), scale));
        else
            canvas.SetPen(0, e.PenColor, 0);
        const QRectF q = Vsazeny(r, e.PenWidth());
        if (e.Kind == pkRamecek)
            canvas.Rectangle(q);
        else if (e.Kind == pkElipsa)
            canvas.Ellipse(q);
        else
            canvas.RoundRect(q, std::min(40 * scale, q.height() / 2));
        break;
    }
    case pkCarovyKod:
        KresliCarovyKodPrvku(canvas, v, r, sx, sy);
        break;
    default:
        // Details leave no element of their own.
        break;
    }
}

// ---------------------------------------------------------------------------------------------
// Printing on a smaller printer page

bool TiskJednaKuJedne(int tiskarnaSirka, int tiskarnaVyska, int papirSirka, int papirVyska) {
    return static_cast<long long>(tiskarnaSirka) * 100 >= static_cast<long long>(papirSirka) * 99 &&
           static_cast<long long>(tiskarnaVyska) * 100 >= static_cast<long long>(papirVyska) * 99;
}

TListyTisku SpoctiListy(TVolbaTisku volba, int tiskarnaSirka, int tiskarnaVyska, int papirSirka,
                        int papirVyska, int levy, int pravy, int horni, int dolni) {
    if (tiskarnaSirka <= levy + pravy)
        tiskarnaSirka = levy + pravy + 1;
    if (tiskarnaVyska <= horni + dolni)
        tiskarnaVyska = horni + dolni + 1;
    TListyTisku l;
    switch (volba) {
    case TVolbaTisku::Oriznout:
        break;
    case TVolbaTisku::Zmensit:
        if (papirSirka > 0 && papirVyska > 0)
            l.zoom = std::min(tiskarnaSirka * 100 / papirSirka, tiskarnaVyska * 100 / papirVyska);
        break;
    case TVolbaTisku::VicListu: {
        auto listu = [](int papir, int strana, int pokryti) {
            int n = 1;
            long long nepokryto = static_cast<long long>(papir) - pokryti;
            while (nepokryto * 100 > strana && n < 1000) {
                ++n;
                nepokryto -= pokryti;
            }
            return n;
        };
        l.napric = listu(papirSirka, tiskarnaSirka, tiskarnaSirka - levy - pravy);
        l.dolu = listu(papirVyska, tiskarnaVyska, tiskarnaVyska - horni - dolni);
        break;
    }
    }
    return l;
}

} // namespace arvelo::report
