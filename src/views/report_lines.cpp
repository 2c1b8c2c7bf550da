#include "views/report_lines.h"

#include "app/main_data.h"

#include <algorithm>
#include <array>
#include <vector>

namespace arvelo::views {

namespace {
// Amounts of one line or of one subtotal.
struct TCastky {
    Currency ps, obrat, ks;
};

// The subtotal accumulator of one section: one entry per key length n = 0..5.
// Accounts arrive in account order, so a key's total is complete when its
// subtotal line is written and the entry starts again for the next key.
class TSoucty {
public:
    void pridat(const QString& ucet, const TCastky& c) {
        for (int n = 0; n <= 5; ++n) {
            TPolozka& p = m_polozky[std::size_t(n)];
            const QString klic = KlicSouctu(ucet, n);
            if (p.klic != klic) {
                p = TPolozka{klic, {}};
            }
            p.castky.ps += c.ps;
            p.castky.obrat += c.obrat;
            p.castky.ks += c.ps + c.obrat;
        }
    }
    const TCastky& castky(int n) const { return m_polozky[std::size_t(n)].castky; }

private:
    struct TPolozka {
        QString klic;
        TCastky castky;
    };
    std::array<TPolozka, 6> m_polozky;
};

struct TStavitel {
    ui::TMemTable& sestava;
    std::int64_t idSkupiny;
    int poradi = 1;

    void radek(const QString& ucet, const QString& nazev, const TCastky& c, int typ, int typUctu) {
        sestava.appendRecord({host::Variant(ucet), host::Variant(nazev), host::Variant(c.ps),
                              host::Variant(c.obrat), host::Variant(c.ks),
                              host::Variant(std::int64_t(poradi++)), host::Variant(typ),
                              host::Variant(idSkupiny), host::Variant(typUctu)});
    }
};

void oddil(app::THlavniData& data, TStavitel& s, const std::vector<ui::RecId>& radky,
           bool naklady) {
    if (radky.empty()) {
        return;
    }
    ui::TMemTable& obraty = data.mtObraty;
    const int fUcet = obraty.fieldIndex(u"Ucet");
    const int fNazev = obraty.fieldIndex(u"Nazev");
    const int fPSMD = obraty.fieldIndex(u"PSMD");
    const int fPSD = obraty.fieldIndex(u"PSD");
    const int fObratMD = obraty.fieldIndex(u"ObratMD");
    const int fObratD = obraty.fieldIndex(u"ObratD");
    const int typUctu = naklady ? UctyNakladove : UctyVynosove;

    s.radek(QString(), naklady ? QStringLiteral("Náklady") : QStringLiteral("Výnosy"), {},
            RadekNadpis, typUctu);
    TSoucty soucty;
    for (std::size_t i = 0; i < radky.size(); ++i) {
        const ui::RecId r = radky[i];
        const QString ucet = obraty.textAt(r, fUcet);
        const Currency psmd = obraty.currencyAt(r, fPSMD);
        const Currency psd = obraty.currencyAt(r, fPSD);
        const Currency omd = obraty.currencyAt(r, fObratMD);
        const Currency od = obraty.currencyAt(r, fObratD);
        TCastky c;
        c.ps = naklady ? psmd - psd : psd - psmd;
        c.obrat = naklady ? omd - od : od - omd;
        c.ks = c.ps + c.obrat;
        s.radek(ucet, obraty.textAt(r, fNazev), c, RadekUcet, typUctu);
        soucty.pridat(ucet, c);

        const QString dalsi = i + 1 < radky.size() ? obraty.textAt(radky[i + 1], fUcet) : QString();
        for (int n = 3; n >= 1; --n) {
            if (i + 1 < radky.size() && dalsi.left(n) == ucet.left(n)) {
                continue;
            }
            s.radek(KlicSouctu(ucet, n), QString(), soucty.castky(n),
                    n == 3 ? RadekSynteticky : RadekSkupina, typUctu);
        }
    }
    s.radek(KlicSouctu(QString(), 0),
            naklady ? QStringLiteral("Náklady celkem") : QStringLiteral("Výnosy celkem"),
            soucty.castky(0), RadekSynteticky, typUctu);
}
} // namespace

QString TextZobrazeni(int index) {
    static const char16_t* const kTexty[kPocetZobrazeni] = {u"detailní", u"bez součtů",
                                                            u"jen součty", u"jen základní součty"};
    return index >= 0 && index < kPocetZobrazeni ? QString::fromUtf16(kTexty[index]) : QString();
}

QString KlicSouctu(const QString& ucet, int n) {
    const QString zacatek = ucet.left(n);
    return zacatek + QString(6 - zacatek.size(), u'x');
}

void NastavitZobrazeni(ui::TMemTable& sestava, int index) {
    static const char* const kFiltry[kPocetZobrazeni] = {
        "",
        "(Typ = 1) OR (Typ = 3) OR (Typ = 5)",
        "(Typ = 4) OR (Typ = 2) OR (Typ = 3) OR (Typ = 5)",
        "(Typ = 4) OR (Typ = 3) OR (Typ = 5)",
    };
    if (index == 0) {
        sestava.setFiltered(false);
        return;
    }
    if (index > 0 && index < kPocetZobrazeni) {
        sestava.setFilter(QString::fromLatin1(kFiltry[index]));
    }
    sestava.setFiltered(true);
}

void NaplnitSestavu(app::THlavniData& data, bool pridat) {
    ui::TMemTable& sestava = data.mtSestava;
    ui::TMemTable& skupiny = data.mtSkupiny;
    ui::TMemTable& obraty = data.mtObraty;
    if (!pridat) {
        sestava.emptyTable(false);
    }
    const ui::RecId skupina = skupiny.currentId();
    if (skupina == ui::NoRecord) {
        if (!pridat) {
            sestava.sortBy(QStringLiteral("Poradi"));
            NastavitZobrazeni(sestava, data.Volby.TypZobrazeni);
        }
        return;
    }
    ui::TControlsDisabled bezZobrazeni(sestava);

    // The group's rows through the hashed key (letter case ignored), split
    // into the two sections and put in account order.
    const host::Variant klic = skupiny.valueAt(skupina, skupiny.fieldIndex(u"Zkratka"));
    const std::vector<ui::RecId> vsechny =
        obraty.findAll(obraty.indexNumber(u"Zkratka"), std::span<const host::Variant>(&klic, 1));
    const int fNakladovy = obraty.fieldIndex(u"Nakladovy");
    const int fUcet = obraty.fieldIndex(u"Ucet");
    std::vector<ui::RecId> naklady;
    std::vector<ui::RecId> vynosy;
    for (const ui::RecId r : vsechny) {
        (obraty.boolAt(r, fNakladovy) ? naklady : vynosy).push_back(r);
    }
    const auto podleUctu = [&](ui::RecId a, ui::RecId b) {
        return obraty.textAt(a, fUcet) < obraty.textAt(b, fUcet);
    };
    std::stable_sort(naklady.begin(), naklady.end(), podleUctu);
    std::stable_sort(vynosy.begin(), vynosy.end(), podleUctu);

    TStavitel s{sestava, skupiny.intAt(skupina, skupiny.fieldIndex(u"ID"))};
    oddil(data, s, naklady, true);
    oddil(data, s, vynosy, false);
    s.radek(QString(), QStringLiteral("Hospodářský výsledek"), {}, RadekNadpis, UctyVysledek);
    s.radek(QString(), QStringLiteral(">>>"),
            {skupiny.currencyAt(skupina, skupiny.fieldIndex(u"HospVyslPS")),
             skupiny.currencyAt(skupina, skupiny.fieldIndex(u"HospVysl")),
             skupiny.currencyAt(skupina, skupiny.fieldIndex(u"HospVyslKS"))},
            RadekVysledek, UctyVysledek);

    if (!pridat) {
        sestava.sortBy(QStringLiteral("Poradi"));
        NastavitZobrazeni(sestava, data.Volby.TypZobrazeni);
        sestava.first();
    }
}

bool PripravitTiskExport(app::THlavniData& data, bool rozdelena, const TDotazRozsahu& dotaz) {
    ui::TMemTable& skupiny = data.mtSkupiny;
    ui::TMemTable& sestava = data.mtSestava;
    bool vse = true;
    if (rozdelena && skupiny.recordCount() > 1) {
        const QString text = skupiny.value(u"Zkratka").toString() + QStringLiteral(" - ") +
                             skupiny.value(u"Nazev").toString();
        const std::optional<bool> odpoved = dotaz ? dotaz(text, data.Volby.TisknoutVse)
                                                  : std::optional<bool>(data.Volby.TisknoutVse);
        if (!odpoved) {
            return false;
        }
        vse = *odpoved;
        data.Volby.TisknoutVse = vse;
    }
    data.ZobrazitPracuji(QStringLiteral("Příprava tisku/exportu\rčekejte prosím..."), false);
    sestava.emptyTable(false);
    {
        ui::TControlsDisabled bezSestavy(sestava);
        ui::TControlsDisabled bezSkupin(skupiny);
        if (vse) {
            for (skupiny.first(); !skupiny.eof(); skupiny.next()) {
                NaplnitSestavu(data, true);
            }
        } else {
            skupiny.setFilter(QStringLiteral("ID = ") +
                              QString::number(skupiny.value(u"ID").toInt()));
            skupiny.setFiltered(true);
            NaplnitSestavu(data, true);
        }
        NastavitZobrazeni(sestava, data.Volby.TypZobrazeni);
        sestava.setMasterLink(&skupiny, {QStringLiteral("ID")}, {QStringLiteral("IDSkupiny")});
        skupiny.first();
    }
    data.SkrytPracuji();
    return true;
}

} // namespace arvelo::views
