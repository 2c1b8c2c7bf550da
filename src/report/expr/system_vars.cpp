#include "report/expr/system_vars.h"

#include "report/expr/format.h"

#include <QDateTime>
#include <algorithm>

namespace arvelo::report {

int PocetSystemovychPromennych(int pocetSkupin) {
    return kPromSkupiny + 2 * std::max(0, pocetSkupin);
}

QString NazevSystemovePromenne(int index) {
    switch (index) {
    case kPromDatumTisku:
        return QStringLiteral("Datum tisku");
    case kPromCasTisku:
        return QStringLiteral("Čas tisku");
    case kPromCisloRadku:
        return QStringLiteral("Pořadové číslo řádku");
    case kPromCisloStrany:
        return QStringLiteral("Číslo strany");
    case kPromPocetStran:
        return QStringLiteral("Celkový počet stran");
    default:
        break;
    }
    if (index < kPromSkupiny)
        return QString();
    const int skupina = (index - kPromSkupiny) / 2 + 1;
    return (index - kPromSkupiny) % 2 == 0
               ? QStringLiteral("Číslo řádku ve skupině %1").arg(skupina)
               : QStringLiteral("Číslo skupiny %1").arg(skupina);
}

bool HodnotaSystemovePromenne(int index, const TSystemoveHodnoty& hodnoty, const QLocale& locale,
                              TCalcType* hodnota) {
    if (index < 0 || index >= PocetSystemovychPromennych(int(hodnoty.Skupiny.size())))
        return false;
    TCalcType h;
    h.Kind = TCalcType::kCislo;
    if (index == kPromDatumTisku || index == kPromCasTisku) {
        // Both carry the whole moment of the run start, so that a date-time format
        // given to either shows what it asks for.
        h.Number = hodnoty.DatumCasTisku;
        QDateTime dt;
        if (DayNumberToDateTime(hodnoty.DatumCasTisku, &dt)) {
            h.Text = index == kPromDatumTisku
                         ? locale.toString(dt.date(), QLocale::ShortFormat)
                         : locale.toString(
                               dt.time(),
                               locale.timeFormat(QLocale::LongFormat).remove(QChar('t')).trimmed());
        }
        *hodnota = h;
        return true;
    }
    int cislo = 0;
    switch (index) {
    case kPromCisloRadku:
        cislo = hodnoty.CisloRadku;
        break;
    case kPromCisloStrany:
        cislo = hodnoty.CisloStrany;
        break;
    case kPromPocetStran:
        cislo = hodnoty.PocetStran;
        break;
    default: {
        const auto& skupina = hodnoty.Skupiny[size_t((index - kPromSkupiny) / 2)];
        cislo = (index - kPromSkupiny) % 2 == 0 ? skupina.RadekVeSkupine : skupina.CisloSkupiny;
        break;
    }
    }
    h.Number = cislo;
    h.Text = QString::number(cislo);
    *hodnota = h;
    return true;
}

int PrecislovatPromennou(int index, int major, int minor, int release) {
    (void)minor; // the minor version plays no part
    if (major <= 1 && release < 3 && index > kPromCisloStrany)
        return index + 1;
    return index;
}

} // namespace arvelo::report
