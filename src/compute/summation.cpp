#include "compute/summation.h"

#include "app/main_data.h"
#include "compute/progress.h"

#include <vector>

namespace arvelo::compute {

Currency ProcentZisku(Currency hospVysl, Currency nakladyOB) {
    if (nakladyOB.isZero()) {
        return Currency();
    }
    const Currency procento = hospVysl.percentOf(nakladyOB);
    if (hospVysl.isZero() || procento.isZero()) {
        return procento;
    }
    const bool zaporne = hospVysl < Currency();
    const bool procentoZaporne = procento < Currency();
    return zaporne == procentoZaporne ? procento : -procento;
}

namespace {
// J = ΣPSMD, K = ΣPSD, L = ΣObratMD, M = ΣObratD of one side of a group.
struct TSoucty {
    Currency J, K, L, M;
};
struct TSouctySkupiny {
    TSoucty naklady;
    TSoucty vynosy;
};
} // namespace

bool SecistSkupiny(app::THlavniData& data, TPrubeh& prubeh) {
    prubeh.Stav(QStringLiteral("Sumace skupin... [prosím čekejte]"));
    ui::TMemTable& obraty = data.mtObraty;
    ui::TMemTable& skupiny = data.mtSkupiny;
    ui::TControlsDisabled bezZobrazeni(skupiny);

    const int oZkratka = obraty.fieldIndex(u"Zkratka");
    const int oPSMD = obraty.fieldIndex(u"PSMD");
    const int oPSD = obraty.fieldIndex(u"PSD");
    const int oObratMD = obraty.fieldIndex(u"ObratMD");
    const int oObratD = obraty.fieldIndex(u"ObratD");
    const int oNakladovy = obraty.fieldIndex(u"Nakladovy");
    const int indexSkupin = skupiny.indexNumber(u"Zkratka");

    // One pass over the turnover rows: every row goes to its group, found by a
    // hashed key without regard to letter case. Indexed by RecId.
    std::vector<TSouctySkupiny> soucty;
    QString posledniKlic;
    ui::RecId posledniSkupina = ui::NoRecord;
    bool mamePosledni = false;
    for (const ui::RecId r : obraty.viewIds()) {
        const QString text = obraty.valueAt(r, oZkratka).toString();
        if (!mamePosledni || text != posledniKlic) {
            posledniKlic = text;
            posledniSkupina = skupiny.find(indexSkupin, {host::Variant(text)});
            mamePosledni = true;
        }
        if (posledniSkupina == ui::NoRecord) {
            continue;
        }
        if (soucty.size() <= posledniSkupina) {
            soucty.resize(std::size_t(posledniSkupina) + 1);
        }
        TSoucty& s = obraty.boolAt(r, oNakladovy) ? soucty[posledniSkupina].naklady
                                                  : soucty[posledniSkupina].vynosy;
        s.J += obraty.currencyAt(r, oPSMD);
        s.K += obraty.currencyAt(r, oPSD);
        s.L += obraty.currencyAt(r, oObratMD);
        s.M += obraty.currencyAt(r, oObratD);
    }

    const int fNakladyPS = skupiny.fieldIndex(u"NakladyPS");
    const int fNakladyOB = skupiny.fieldIndex(u"NakladyOB");
    const int fNakladyKS = skupiny.fieldIndex(u"NakladyKS");
    const int fVynosyPS = skupiny.fieldIndex(u"VynosyPS");
    const int fVynosyOB = skupiny.fieldIndex(u"VynosyOB");
    const int fVynosyKS = skupiny.fieldIndex(u"VynosyKS");
    const int fHospVyslPS = skupiny.fieldIndex(u"HospVyslPS");
    const int fHospVysl = skupiny.fieldIndex(u"HospVysl");
    const int fHospVyslKS = skupiny.fieldIndex(u"HospVyslKS");
    const int fProcentZisk = skupiny.fieldIndex(u"ProcentZisk");

    const std::vector<ui::RecId> ids = skupiny.viewIds();
    const QString celkem = QString::number(ids.size());
    int n = 0;
    for (const ui::RecId g : ids) {
        ++n;
        prubeh.Panel(QString::number(n) + u'/' + celkem);
        prubeh.Udalosti();
        const TSouctySkupiny s = g < soucty.size() ? soucty[g] : TSouctySkupiny();
        const Currency nakladyPS = s.naklady.J - s.naklady.K;
        const Currency nakladyOB = s.naklady.L - s.naklady.M;
        const Currency nakladyKS = nakladyOB + nakladyPS;
        const Currency vynosyPS = s.vynosy.K - s.vynosy.J;
        const Currency vynosyOB = s.vynosy.M - s.vynosy.L;
        const Currency vynosyKS = vynosyOB + vynosyPS;
        const Currency hospVysl = vynosyOB - nakladyOB;
        skupiny.setValueAt(g, fNakladyPS, nakladyPS);
        skupiny.setValueAt(g, fNakladyOB, nakladyOB);
        skupiny.setValueAt(g, fNakladyKS, nakladyKS);
        skupiny.setValueAt(g, fVynosyPS, vynosyPS);
        skupiny.setValueAt(g, fVynosyOB, vynosyOB);
        skupiny.setValueAt(g, fVynosyKS, vynosyKS);
        skupiny.setValueAt(g, fHospVyslPS, vynosyPS - nakladyPS);
        skupiny.setValueAt(g, fHospVysl, hospVysl);
        skupiny.setValueAt(g, fHospVyslKS, vynosyKS - nakladyKS);
        skupiny.setValueAt(g, fProcentZisk, ProcentZisku(hospVysl, nakladyOB));
        data.SoucetNakladyOB += nakladyOB;
        data.SoucetVynosyOB += vynosyOB;
        data.SoucetHospVysl += hospVysl;
        if (data.Preruseno) {
            return false;
        }
    }
    return true;
}

} // namespace arvelo::compute
