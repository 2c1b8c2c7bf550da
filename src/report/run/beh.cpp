#include "report/run/beh.h"

#include "report/expr/system_vars.h"
#include "report/template/sestava.h"
#include "report/writers/textova_tiskarna.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QPainter>
#include <QPrinterInfo>
#include <QThread>
#include <algorithm>
#include <cmath>

namespace arvelo::report {

namespace {

bool JePametove(int typ) {
    return typ == fieldtype::Memo || typ == fieldtype::FmtMemo || typ == fieldtype::Blob;
}

// Vertical bands of growing elements with equal tops, ordered by bottom.
struct TPosuv {
    int top = 0;
    int bottom = 0;
    std::vector<const TKolbraReportElement*> prvky;
};

} // namespace

TBehSestavy::TBehSestavy(TSestavaTyp& sestava, TSestVystup& vystup, TInformace* informace)
    : s_(sestava), v_(vystup), info_(informace) {}

TBehSestavy::TBehSestavy(TSestavaTyp& detail, TBehSestavy& master)
    : s_(detail), v_(master.v_), info_(master.info_), master_(&master) {
    vyskaStranky_ = master.vyskaStranky_;
    stranaIndex_ = master.stranaIndex_;
}

const TOddilSestavy& TBehSestavy::HlavaPata(int kind) const {
    // A detail pages with its master's header and footer.
    return master_ != nullptr ? master_->HlavaPata(kind) : s_.PevnyOddil(kind);
}

bool TBehSestavy::Vejde(const TOddilSestavy& o, int navic) const {
    return vyskaStranky_ - VyskaPaty() - y_ >= navic + o.VisibleHeight();
}

bool TBehSestavy::Zpracuj() {
    if (info_ != nullptr && info_->ZpracujZpravy())
        zruseno_ = true;
    if (master_ != nullptr && master_->zruseno_)
        zruseno_ = true;
    return zruseno_;
}

QString TBehSestavy::Text(const TKolbraReportElement& e) const {
    const auto it = hodnoty_.find(&e);
    return it != hodnoty_.end() ? it->second : s_.TextPrvku(e);
}

void TBehSestavy::Obnov(bool z, bool k) {
    for (int i = 0; i < s_.Oddily().Count(); ++i) {
        const TOddilSestavy& o = s_.Oddily()[i];
        if ((o.SectionKind == okZacatek && !z) || (o.SectionKind == okKonec && !k))
            continue;
        for (int j = 0; j < o.ElementCount(); ++j) {
            const TKolbraReportElement& e = o.Element(j);
            if (e.IsTextKind() || e.Kind == pkCarovyKod)
                hodnoty_[&e] = e.Kind == pkCarovyKod ? s_.TextCarovehoKodu(e) : s_.TextPrvku(e);
        }
    }
}

void TBehSestavy::ObnovPromenne() {
    for (int i = 0; i < s_.Oddily().Count(); ++i) {
        const TOddilSestavy& o = s_.Oddily()[i];
        for (int j = 0; j < o.ElementCount(); ++j) {
            const TKolbraReportElement& e = o.Element(j);
            if (e.Kind == pkPromenna)
                hodnoty_[&e] = s_.TextPrvku(e);
        }
    }
}

void TBehSestavy::Funkce(bool vse, int uroven) {
    if (vse) {
        s_.Funkce().SetSkipNulls(s_.AllowNullValues);
        s_.Funkce().RequestReset(-1);
    } else if (uroven >= 0) {
        s_.Funkce().RequestReset(uroven);
    }
    s_.Funkce().ComputeAll(s_);
    s_.FunctionsComputedHook();
}

void TBehSestavy::ZacatekBehu() {
    s_.Beh.datumTisku = QDateTime::currentDateTime();
    s_.Beh.cisloRadku = 1;
    s_.Beh.cisloStrany = master_ != nullptr ? master_->s_.Beh.cisloStrany : 1;
    s_.Beh.stop = false;
    for (int g = 0; g < s_.Skupiny().Count(); ++g) {
        TPolSkup& sk = s_.Skupiny()[g];
        sk.GroupKey = s_.FieldText(sk.FieldIndex);
        sk.Changed = false;
        sk.LineInGroup = 1;
        sk.GroupNumber = 1;
    }
    hodnoty_.clear();
    s_.Funkce().SetSkipNulls(s_.AllowNullValues);
    s_.Funkce().RequestReset(-1);
    Obnov(true, false);
    s_.Funkce().ComputeAll(s_);
    s_.FunctionsComputedHook();
    Obnov(true, false); // function elements show the values just computed
}

TSestError TBehSestavy::Spust() {
    teloCeka_ = true;
    pocitadlo_ = 0;
    zruseno_ = false;
    if (s_.TiskJedenZaznam)
        s_.GetData();
    else
        s_.Step(TStepDir::sdFirst);
    if (info_ != nullptr)
        info_->Otevri(QStringLiteral("Informace"),
                      QStringLiteral("Připravuji tisk položky číslo: 1"),
                      QStringLiteral("Přerušit"), true);
    s_.Beh.pozadavekStrankovani = false;

    v_.Vymaz();
    const TPageSetup& ps = s_.PageSetup();
    v_.tisknutelnaSirka = ps.TisknutelnaSirka();
    v_.tisknutelnaVyska = ps.TisknutelnaVyska();
    vyskaStranky_ = ps.TisknutelnaVyska();
    stranaIndex_ = 0;
    y_ = 0;
    offset_ = 0;
    sloupec_ = 1;
    sloupecX_ = 0;
    v_.Strana(0);

    ZacatekBehu();
    for (int i = 0; i < Oddil(okZacatek).ElementCount(); ++i) {
        TKolbraReportElement& e = s_.PevnyOddil(okZacatek).Element(i);
        if (e.Kind == pkObrazek)
            s_.NajdiObrazek(e);
    }
    TiskniOddil(Oddil(okZacatek));
    if (Oddil(okZacatek).Visible && s_.Strankovani.poZacatkuSestavy) {
        TiskniPatu(0);
        DalsiCisloStrany();
        Obnov(false, true);
        NovaStrana();
    } else if (Oddil(okHlava).Visible && !s_.Strankovani.bezHlavyNaPrvni) {
        TiskniOddil(Oddil(okHlava));
    }
    if (!zruseno_) {
        for (int g = 0; g < s_.Skupiny().Count(); ++g)
            TiskniOddil(*s_.Skupiny()[g].Header);
    }
    while (true) {
        if (!teloCeka_) {
            DalsiZaznam();
        } else if (!Vejde(Oddil(okTelo))) {
            TiskniPatu(0);
            DalsiCisloStrany();
            if (!s_.Beh.stop && !zruseno_)
                NovaStrana();
        }
        TiskniOddil(Oddil(okTelo));
        teloCeka_ = false;
        ++pocitadlo_;
        if (s_.TiskJedenZaznam || (s_.MaxRecords > 0 && pocitadlo_ >= s_.MaxRecords))
            break;
        const TStepResult r = s_.Step(TStepDir::sdNext);
        if (info_ != nullptr)
            info_->Text(QStringLiteral("Připravuji tisk položky číslo: %1").arg(pocitadlo_ + 1));
        if (s_.Beh.stop || zruseno_ || (r & (srBeginning | srEnd)) != 0)
            break;
    }
    if (!zruseno_)
        KonecDat();
    if (Oddil(okKonec).Visible && s_.Strankovani.predKoncemSestavy) {
        TiskniPatu(0);
        DalsiCisloStrany();
        if (!s_.Beh.stop && !zruseno_)
            NovaStrana();
    }
    Obnov(false, true);
    if (!zruseno_) {
        KonecSestavy();
        PocetStran();
    }
    if (info_ != nullptr)
        info_->Zavri();
    v_.PouzijRozsah(s_.StartPage, s_.EndPage);
    return zruseno_ ? TSestError::seCancelled : TSestError::seOK;
}

void TBehSestavy::SpustDetail() {
    teloCeka_ = true;
    pocitadlo_ = 0;
    if (s_.TiskJedenZaznam) {
        s_.GetData();
    } else if ((s_.Step(TStepDir::sdFirst) & srEnd) != 0) {
        return;
    }
    ZacatekBehu();
    TiskniOddil(Oddil(okZacatek));
    for (int g = 0; g < s_.Skupiny().Count() && !zruseno_; ++g)
        TiskniOddil(*s_.Skupiny()[g].Header);
    while (true) {
        if (!teloCeka_) {
            DalsiZaznam();
        } else if (!Vejde(Oddil(okTelo))) {
            NovaStrana();
        }
        TiskniOddil(Oddil(okTelo));
        teloCeka_ = false;
        ++pocitadlo_;
        if (s_.TiskJedenZaznam || (s_.MaxRecords > 0 && pocitadlo_ >= s_.MaxRecords))
            break;
        const TStepResult r = s_.Step(TStepDir::sdNext);
        if (zruseno_ || (r & (srBeginning | srEnd)) != 0)
            break;
    }
    if (!zruseno_)
        KonecDat();
    Obnov(false, true);
    if (!zruseno_ && Oddil(okKonec).Visible)
        TiskniOddil(Oddil(okKonec));
}

void TBehSestavy::PocitadlaSkupin() {
    for (int g = 0; g < s_.Skupiny().Count(); ++g) {
        TPolSkup& sk = s_.Skupiny()[g];
        ++sk.LineInGroup;
        if (sk.Changed) {
            sk.LineInGroup = 1;
            ++sk.GroupNumber;
            if (g > 0 && s_.Skupiny()[g - 1].Changed)
                sk.GroupNumber = 1;
        }
    }
}

void TBehSestavy::UzavriRadekSloupcu() {
    if (sloupec_ > 1) {
        sloupec_ = 1;
        sloupecX_ = 0;
        y_ += Oddil(okTelo).Height;
    }
}

void TBehSestavy::DalsiZaznam() {
    TListSkupin& sk = s_.Skupiny();
    int prvni = -1;
    for (int g = 0; g < sk.Count(); ++g) {
        if (prvni < 0 && s_.FieldText(sk[g].FieldIndex) != sk[g].GroupKey)
            prvni = g;
        sk[g].Changed = prvni >= 0;
    }
    int hlavy = 0;
    bool pozadavek = false;
    if (prvni >= 0) {
        UzavriRadekSloupcu();
        for (int g = sk.Count() - 1; g >= prvni; --g) {
            TiskniOddil(*sk[g].Footer);
            s_.Funkce().RequestReset(kNulovatSkupina0 + g);
            if (sk[g].NewPage)
                pozadavek = true;
            hlavy += sk[g].Header->VisibleHeight();
        }
    }
    const bool zlom = pozadavek || s_.Beh.pozadavekStrankovani ||
                      s_.Strankovani.teloNaNovouStranku || !Vejde(Oddil(okTelo), hlavy);
    if (zlom)
        TiskniPatu(0);
    ++s_.Beh.cisloRadku;
    if (zlom)
        DalsiCisloStrany();
    for (int g = 0; g < sk.Count(); ++g)
        sk[g].GroupKey = s_.FieldText(sk[g].FieldIndex);
    PocitadlaSkupin();
    Obnov(false, false);
    Funkce(false, zlom ? kNulovatStranka : -1);
    Obnov(false, false);
    if (zlom)
        NovaStrana();
    if (prvni >= 0) {
        for (int g = prvni; g < sk.Count(); ++g) {
            sk[g].Changed = false;
            TiskniOddil(*sk[g].Header);
        }
    }
    if (master_ == nullptr && stranaIndex_ + 1 > s_.EndPage)
        s_.Beh.stop = true;
}

void TBehSestavy::KonecDat() {
    UzavriRadekSloupcu();
    for (int g = s_.Skupiny().Count() - 1; g >= 0; --g)
        TiskniOddil(*s_.Skupiny()[g].Footer);
}

void TBehSestavy::KonecSestavy() {
    const TOddilSestavy& k = Oddil(okKonec);
    const bool bezPaty = s_.Strankovani.bezPatyNaPosledni;
    if (k.Visible) {
        if (s_.Strankovani.konecKPate) {
            const int cil = vyskaStranky_ - k.Height - (bezPaty ? 0 : VyskaPaty());
            if (y_ > cil) {
                TiskniPatu(0);
                DalsiCisloStrany();
                NovaStrana();
            }
            y_ = cil;
        }
        TiskniOddil(k);
    }
    if (!bezPaty)
        TiskniPatu(0);
}

void TBehSestavy::PocetStran() {
    s_.Beh.pocetStran = v_.PocetStran();
    for (TStranaPrvku& strana : v_.strany) {
        for (TVystPrvek& p : strana.Prvky()) {
            if (p.prvek == nullptr || p.prvek->Kind != pkPromenna ||
                p.prvek->Source != kPromPocetStran || p.prvek->Report() == nullptr)
                continue;
            // Details printed inside this report show the same count.
            TSestavaTyp& r = *p.prvek->Report();
            r.Beh.pocetStran = v_.PocetStran();
            p.text = r.TextPrvku(*p.prvek);
        }
    }
}

void TBehSestavy::TiskniPatu(int offset) {
    if (master_ != nullptr)
        return; // the master prints its footers around the detail's pages
    const TOddilSestavy& p = Oddil(okPata);
    if (!p.Visible)
        return;
    TiskniPrimo(p, vyskaStranky_ - p.Height, offset_ + offset);
}

void TBehSestavy::DalsiCisloStrany() {
    if (master_ != nullptr)
        return;
    ++s_.Beh.cisloStrany;
    ObnovPromenne();
}

void TBehSestavy::TiskniHlavuNa(int offset) {
    if (master_ != nullptr)
        return;
    const TOddilSestavy& h = Oddil(okHlava);
    s_.Beh.pozadavekStrankovani = false;
    if (h.Visible)
        TiskniPrimo(h, 0, offset);
}

void TBehSestavy::NovaStrana() {
    if (master_ != nullptr) {
        ++offset_;
        y_ = VyskaHlavy();
        return;
    }
    stranaIndex_ += offset_ + 1;
    offset_ = 0;
    // A new page starts a new row of columns.
    sloupec_ = 1;
    sloupecX_ = 0;
    v_.Strana(stranaIndex_);
    y_ = 0;
    TiskniHlavuNa(0);
    y_ = VyskaHlavy();
}

void TBehSestavy::Zarovnej() {
    if (!s_.IsCharacterGrid())
        return;
    const double vyska = s_.Mrizka.radkovani == 1   ? 25.0
                         : s_.Mrizka.radkovani == 2 ? 33.333333
                                                    : 16.666666;
    y_ = static_cast<int>(std::lround(std::round(y_ / vyska) * vyska));
}

void TBehSestavy::TiskniOddil(const TOddilSestavy& o) {
    Zpracuj();
    if (s_.Beh.stop || !o.Visible)
        return;
    const int kind = o.SectionKind;
    if (kind == okHlava)
        s_.Beh.pozadavekStrankovani = false;
    bool tisknout = true;
    s_.SectionHook(o, tisknout);
    if (!tisknout)
        return;
    const bool vyjimka = kind == okHlava || kind == okPata ||
                         (kind == okZacatek && master_ == nullptr) ||
                         (kind == okKonec && s_.Strankovani.bezPatyNaPosledni);
    if (!vyjimka && (s_.Beh.pozadavekStrankovani || !Vejde(o))) {
        TiskniPatu(0);
        DalsiCisloStrany();
        NovaStrana();
    }
    if (kind == okHlava || kind == okPata) {
        TiskniPrimo(o, y_, offset_);
    } else {
        const bool viceSloupcu = kind == okTelo && s_.Columns > 1;
        std::vector<TPosuv> pasy;
        if (!viceSloupcu) {
            for (int i = 0; i < o.ElementCount(); ++i) {
                const TKolbraReportElement& e = o.Element(i);
                const bool roste = (e.TextFlags & tfPromennaVyska) != 0 && e.IsTextKind();
                const bool detail = kind == okTelo && e.Kind == pkDetail;
                if (!roste && !detail)
                    continue;
                auto it = std::find_if(pasy.begin(), pasy.end(),
                                       [&](const TPosuv& p) { return p.top == e.Top; });
                if (it == pasy.end()) {
                    pasy.push_back({e.Top, e.Top + e.Height - 1, {}});
                    it = pasy.end() - 1;
                }
                it->bottom = std::max(it->bottom, e.Top + e.Height - 1);
                it->prvky.push_back(&e);
            }
            std::stable_sort(pasy.begin(), pasy.end(),
                             [](const TPosuv& a, const TPosuv& b) { return a.bottom < b.bottom; });
        }
        if (pasy.empty()) {
            TiskniPrimo(o, y_, offset_);
        } else {
            std::vector<std::vector<const TKolbraReportElement*>> zony(pasy.size() + 1);
            for (int i = 0; i < o.ElementCount(); ++i) {
                const TKolbraReportElement& e = o.Element(i);
                bool vPasu = false;
                for (const TPosuv& p : pasy)
                    vPasu = vPasu || std::find(p.prvky.begin(), p.prvky.end(), &e) != p.prvky.end();
                if (vPasu)
                    continue;
                std::size_t z = pasy.size();
                for (std::size_t b = 0; b < pasy.size(); ++b) {
                    if (pasy[b].bottom > e.Top) {
                        z = b;
                        break;
                    }
                }
                zony[z].push_back(&e);
            }
            int zacatek = 0;
            for (std::size_t z = 0; z <= pasy.size(); ++z) {
                const int konec = z < pasy.size() ? pasy[z].bottom + 1 : o.Height;
                if (vyskaStranky_ - VyskaPaty() - y_ < konec) {
                    TiskniPatu(0);
                    ++offset_;
                    DalsiCisloStrany();
                    TiskniHlavuNa(offset_);
                    y_ = VyskaHlavy() - zacatek;
                }
                TiskniPrimo(o, y_, offset_, &zony[z]);
                if (z == pasy.size())
                    break;
                TKonec nejdal{offset_, y_};
                for (const TKolbraReportElement* e : pasy[z].prvky) {
                    const TKonec k =
                        e->Kind == pkDetail ? TiskniDetail(*e, y_) : TiskniRostouci(*e, y_);
                    if (k.offset > nejdal.offset || (k.offset == nejdal.offset && k.y > nejdal.y))
                        nejdal = k;
                }
                for (int off = offset_ + 1; off <= nejdal.offset; ++off) {
                    TiskniPatu(off - 1 - offset_);
                    DalsiCisloStrany();
                    TiskniHlavuNa(off);
                }
                offset_ = nejdal.offset;
                y_ = nejdal.y;
                zacatek = konec;
            }
        }
    }
    // Advance.
    if (kind == okTelo && s_.Columns > 1) {
        if (sloupec_ < s_.Columns) {
            ++sloupec_;
            sloupecX_ = sloupec_ > 1
                            ? (sloupec_ - 1) * (v_.tisknutelnaSirka + s_.ColumnGap) / s_.Columns
                            : 0;
        } else {
            sloupec_ = 1;
            sloupecX_ = 0;
            y_ += o.Height;
        }
    } else if (kind != okPata) {
        y_ += o.Height;
        Zarovnej();
    }
    if (master_ == nullptr && kind != okPata && kind != okHlava) {
        stranaIndex_ += offset_;
        offset_ = 0;
        v_.Strana(stranaIndex_);
    }
}

void TBehSestavy::TiskniPrimo(const TOddilSestavy& o, int y, int offset,
                              const std::vector<const TKolbraReportElement*>* jen) {
    const int strana = stranaIndex_ + offset;
    for (int i = o.ElementCount() - 1; i >= 0; --i) {
        const TKolbraReportElement& e = o.Element(i);
        if (jen != nullptr && std::find(jen->begin(), jen->end(), &e) == jen->end())
            continue;
        if (e.Kind == pkDetail)
            continue; // a detail prints only from its band
        bool tisknout = true;
        s_.ElementHook(e, tisknout);
        if (!tisknout)
            continue;
        TVystPrvek v;
        v.prvek = &e;
        v.x = sloupecX_ + e.Left;
        v.y = y + e.Top;
        v.width = e.Width;
        v.height = e.Height;
        if (e.IsTextKind() || e.Kind == pkCarovyKod)
            v.text = Text(e); // a bar code's value, encoded when the page is drawn
        if (e.Kind == pkPolozka) {
            const int typ = s_.FieldType(e.Source);
            if (typ == fieldtype::Graphic) {
                v.obrazek = s_.FieldPicture(e.Source);
            } else if ((e.TextFlags & tfViceRadku) != 0 || JePametove(typ)) {
                TParametryRozvrhu p;
                p.sirka = e.Width;
                p.text = v.text;
                p.zalamovat = true;
                p.zarovnani = e.EffectiveAlignment();
                p.rtf = (e.TextFlags & tfRtf) != 0;
                p.pismo = PismoPrvku(e);
                const TRoztecPisma rp = RoztecPisma(e.Font.Name, e.CharPitch);
                p.roztec = rp.roztec;
                p.vyskaRadku = rp.vyskaRadku;
                auto radky = std::make_shared<TRadky>(RozvrhniText(p, meric_));
                v.posledniRadek = radky->Count() - 1;
                if ((e.TextFlags & tfPromennaVyska) == 0)
                    v.posledniRadek = radky->Vejde(0, e.Height).posledni;
                v.radky = std::move(radky);
            }
        } else if (e.Kind == pkObrazek) {
            v.souborObrazku = e.PictureFile;
            if ((e.Flags & pfPovolitZmenu) != 0 || e.PictureFile.isEmpty())
                v.obrazek = e.Picture;
        } else if (e.Kind == pkKresliciPlocha && e.Width > 0 && e.Height > 0) {
            QImage obraz(e.Width * std::max(1, e.Param), e.Height * std::max(1, e.Param),
                         QImage::Format_ARGB32);
            obraz.fill(Qt::transparent);
            QPainter painter(&obraz);
            s_.PaintBox(e.Source, obraz.width(), painter, obraz.height());
            painter.end();
            v.obrazek = obraz;
        }
        v_.Strana(strana).Vloz(std::move(v));
    }
}

TBehSestavy::TKonec TBehSestavy::TiskniRostouci(const TKolbraReportElement& e, int y) {
    TParametryRozvrhu p;
    p.sirka = e.Width;
    p.text = Text(e);
    p.zalamovat = true;
    p.zarovnani = e.EffectiveAlignment();
    p.rtf = (e.TextFlags & tfRtf) != 0;
    p.pismo = PismoPrvku(e);
    const TRoztecPisma rp = RoztecPisma(e.Font.Name, e.CharPitch);
    p.roztec = rp.roztec;
    p.vyskaRadku = rp.vyskaRadku;
    auto radky = std::make_shared<const TRadky>(RozvrhniText(p, meric_));
    const int vyska = radky->Vyska();
    TVystPrvek v;
    v.prvek = &e;
    v.x = sloupecX_ + e.Left;
    v.y = y + e.Top;
    v.width = e.Width;
    v.text = p.text;
    v.radky = radky;
    v.prvniRadek = 0;
    if (vyska <= e.Height) {
        v.height = e.Height;
        v.posledniRadek = radky->Count() - 1;
        v_.Strana(stranaIndex_ + offset_).Vloz(std::move(v));
        return {offset_, y};
    }
    int offset = offset_;
    int zbyva = vyskaStranky_ - VyskaPaty() - (y + e.Top);
    TRadky::TVejde f = radky->Vejde(0, zbyva);
    if (f.vse) {
        v.height = vyska;
        v.posledniRadek = radky->Count() - 1;
        v_.Strana(stranaIndex_ + offset).Vloz(std::move(v));
        return {offset, y + vyska - e.Height};
    }
    // The lines that fit stay here; the rest continues under the next pages' headers.
    int prvni = 0;
    int konecY = 0;
    TVystPrvek kus = v;
    while (true) {
        kus.prvniRadek = prvni;
        kus.posledniRadek = f.posledni;
        kus.height = f.vyska;
        konecY = kus.y + f.vyska;
        const bool vse = f.vse;
        const int dalsi = f.posledni + 1;
        if (f.posledni >= prvni)
            v_.Strana(stranaIndex_ + offset).Vloz(kus);
        if (vse || dalsi >= radky->Count())
            break;
        if (f.posledni < prvni && offset > offset_ + 1000)
            break; // a line taller than a whole page: give up instead of looping
        prvni = dalsi;
        ++offset;
        kus.y = VyskaHlavy();
        zbyva = vyskaStranky_ - VyskaPaty() - VyskaHlavy();
        f = radky->Vejde(prvni, zbyva);
        if (f.posledni < prvni)
            f.posledni = prvni; // never leave a line behind
    }
    return {offset, konecY - e.Top - e.Height};
}

TBehSestavy::TKonec TBehSestavy::TiskniDetail(const TKolbraReportElement& e, int y) {
    const auto& detaily = s_.Detaily();
    if (e.Source < 0 || e.Source >= static_cast<int>(detaily.size()))
        return {offset_, y};
    TBehSestavy d(*detaily[static_cast<std::size_t>(e.Source)], *this);
    d.y_ = y + e.Top;
    d.offset_ = offset_;
    d.sloupecX_ = sloupecX_;
    d.SpustDetail();
    return {d.offset_, d.y_ - e.Height - e.Top};
}

// ---------------------------------------------------------------------------------------------

TSestError TTiskSestavy::Priprav(TInformace* informace, bool nahled) {
    if (bezi_)
        return TSestError::seBusy;
    bezi_ = true;
    struct TKonecBehu {
        bool& b;
        ~TKonecBehu() { b = false; }
    } konec{bezi_};
    if (!s_.Navrhovani) {
        if (nahled && s_.BeforePreview)
            s_.BeforePreview(s_);
        else if (!nahled && s_.BeforePrint)
            s_.BeforePrint(s_);
    }
    if (!s_.CheckDataSource())
        return TSestError::seNotDone;
    TBridge* zdroj = s_.DataZUdalosti() ? nullptr : s_.DataSource;
    TBridge::TBookmark zalozka;
    if (zdroj != nullptr) {
        zalozka = zdroj->Bookmark();
        if (!s_.HasDetails())
            zdroj->DisableControls();
    }
    TSestError vysledek = TSestError::seOK;
    s_.ReadFieldList();
    vysledek = s_.LoadTemplate(false);
    if (vysledek == TSestError::seOK) {
        TBehSestavy beh(s_, vystup_, informace);
        vysledek = beh.Spust();
    }
    if (zdroj != nullptr) {
        zdroj->GotoBookmark(zalozka);
        if (!s_.HasDetails())
            zdroj->EnableControls();
    }
    s_.ZavritOtevrene();
    NastavPozadi();
    return vysledek;
}

void TTiskSestavy::NastavPozadi() {
    const TPozadiPredlohy& p = s_.PozadiPredlohy;
    const bool tisknout = p.vlastniNastaveni ? p.tisknout : s_.PrintBackground;
    const QString soubor = p.vlastniNastaveni ? p.soubor : s_.Background;
    vystup_.pozadi = QImage();
    vystup_.tisknoutPozadi = false;
    if (soubor.isEmpty() || !s_.LoadPicture(soubor, vystup_.pozadi) || vystup_.pozadi.isNull())
        return;
    vystup_.tisknoutPozadi = tisknout;
    const TPageSetup& ps = s_.PageSetup();
    // The background is placed on the paper; pages are drawn from the printable area.
    QRect r(0, 0, ps.SirkaStranky(), ps.VyskaStranky());
    if (p.vlastniUmisteni)
        r = QRect(p.left, p.top, p.width > 0 ? p.width : ps.SirkaStranky(),
                  p.height > 0 ? p.height : ps.VyskaStranky());
    vystup_.obdelnikPozadi = r.translated(-ps.levyOkraj, -ps.horniOkraj);
}

TSestError TTiskSestavy::Nahled(TInformace* informace,
                                const std::function<void(TSestVystup&)>& okno) {
    if (bezi_)
        return TSestError::seBusy;
    if (QCoreApplication::instance() == nullptr ||
        QThread::currentThread() != QCoreApplication::instance()->thread())
        return TSestError::seNotDone;
    const TSestError vysledek = Priprav(informace, true);
    // After "Přerušit" the window shows the pages produced so far.
    if ((vysledek == TSestError::seOK || vysledek == TSestError::seCancelled) && okno) {
        bezi_ = true;
        okno(vystup_);
        bezi_ = false;
    }
    if (!s_.Navrhovani && s_.AfterPreview)
        s_.AfterPreview(s_);
    return s_.Chyba(vysledek);
}

TSestError TTiskSestavy::Tiskni(TInformace* informace, QPrinter& printer,
                                TParametryTisku parametry) {
    if (bezi_)
        return TSestError::seBusy;
    TSestError vysledek = Priprav(informace, false);
    if (vysledek == TSestError::seOK) {
        bezi_ = true;
        if (informace != nullptr)
            informace->Otevri(QStringLiteral("Informace"),
                              QStringLiteral("Odesílám data do tiskárny ..."),
                              QStringLiteral("Přerušit"), false);
        parametry.popis = s_.Popis;
        parametry.kopie = s_.PrintCopies;
        parametry.prvniStrana = vystup_.prvniStrana;
        parametry.posledniStrana = vystup_.posledniStrana;
        if (informace != nullptr && !parametry.prerusit)
            parametry.prerusit = [informace] { return informace->ZpracujZpravy(); };
        if (JeTextovaTiskarna(QPrinterInfo(printer).makeAndModel())) {
            // A text-only printer gets the pages as character text.
            writers::TNastaveniExportu n = writers::NastaveniExportu(s_);
            n.prerusit = parametry.prerusit;
            vysledek = writers::TiskniTextove(vystup_, n, printer);
        } else {
            vysledek = TiskniGraficky(vystup_, s_.PageSetup(), printer, parametry);
        }
        if (informace != nullptr)
            informace->Zavri();
        bezi_ = false;
    }
    if (!s_.Navrhovani && s_.AfterPrint)
        s_.AfterPrint(s_);
    return s_.Chyba(vysledek);
}

} // namespace arvelo::report
