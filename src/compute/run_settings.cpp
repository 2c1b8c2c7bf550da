#include "compute/run_settings.h"

#include "app/options.h"

namespace arvelo::compute {

bool PatriDoSeznamu(const QString& hodnota, const QString& seznam) {
    if (hodnota.isEmpty() && seznam.isEmpty()) {
        return true;
    }
    const QString hledany = u';' + hodnota.toUpper() + u';';
    return (u';' + seznam.toUpper()).contains(hledany);
}

bool TFiltr::propousti(const QString& hodnota) const {
    if (!zapnuto) {
        return true;
    }
    return PatriDoSeznamu(hodnota, seznam) != negace;
}

int TNastaveniBehu::DruhSkupiny() const {
    if (!Seskupit || SeskupitDle < 0 || SeskupitDle > 8) {
        return -1;
    }
    return SeskupitDle;
}

TNastaveniBehu TNastaveniBehu::zVoleb(const app::TVolby& v) {
    TNastaveniBehu n;
    n.DleDatumu = v.Datum;
    n.DatumOd = v.DatumOd.date();
    n.DatumDo = v.DatumDo.date();
    n.Cinnosti = {v.Cinnosti, v.CinnostiText, v.CinnostiNeg};
    n.Strediska = {v.Strediska, v.StrediskaText, v.StrediskaNeg};
    n.Zakazky = {v.Zakazky, v.ZakazkyText, v.ZakazkyNeg};
    n.Ucty = {v.Ucty, v.UctyText, v.UctyNeg};
    n.UctyOvlDan = v.UctyOvlDan;
    n.UctyNEOvlDan = v.UctyNEOvlDan;
    n.IgnorovatPrevod = v.IgnorovatPrevod;
    n.Seskupit = v.Seskupit;
    n.SeskupitDle = v.SeskupitDle;
    return n;
}

} // namespace arvelo::compute
