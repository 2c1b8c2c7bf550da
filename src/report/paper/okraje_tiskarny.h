#pragma once

#include "report/model/dialogy.h"
#include "report/model/page_setup.h"

#include <QString>
#include <optional>

class QPrinterInfo;

namespace arvelo::report {

// What the engine needs to know about a printer, in printer pixels.
struct TMetrikyTiskarny {
    bool tiskarna = false; // false: no printer, the stated defaults
    int dpiX = 100;
    int dpiY = 100;
    int offsetX = 50; // physical printing offset
    int offsetY = 72;
    int fyzickaSirka = 0; // physical page, for the orientation in use
    int fyzickaVyska = 0;
    int tisknutelnaSirka = 0;
    int tisknutelnaVyska = 0;
    bool nasirko = false; // the printer's orientation

    double MeritkoX() const { return tiskarna ? dpiX / 100.0 : 1.0; }
    double MeritkoY() const { return tiskarna ? dpiY / 100.0 : 1.0; }
};

// Defaults without a printer: 100 pixels per inch, offsets 50 and 72, the template's paper.
TMetrikyTiskarny MetrikyBezTiskarny(const TPageSetup& setup);
// Metrics of a printer with the template's paper and orientation applied.
TMetrikyTiskarny MetrikyTiskarny(const QPrinterInfo& printer, const TPageSetup& setup);
// The default printer's metrics, or the defaults when none is installed.
TMetrikyTiskarny MetrikyVychoziTiskarny(const TPageSetup& setup);
// The metrics of printer `index` of the printer list; none when there is no such printer.
std::optional<TMetrikyTiskarny> MetrikyTiskarnyPodleIndexu(int index, const TPageSetup& setup);

// The smallest margins the printer allows, in 1/100 in.
struct TMinimalniOkraje {
    int levy = 0;
    int pravy = 0;
    int horni = 0;
    int dolni = 0;
};

TMinimalniOkraje MinimalniOkraje(const TMetrikyTiskarny& metrics);
// True when every margin of the setup is at least the printer's minimum (always without one).
bool OkrajeStaci(const TPageSetup& setup, const TMetrikyTiskarny& metrics);

enum class TVysledekOkraju { Zavrit, NechatOtevreno };

// The check made when the report settings are confirmed with the graphic grid: asks whether to
// raise too small margins; Yes raises them and closes, No closes unchanged, Cancel keeps the
// dialog open.
TVysledekOkraju ZkontrolujOkraje(TPageSetup& setup, const TMetrikyTiskarny& metrics,
                                 TSestDialogy& dialogy);

} // namespace arvelo::report
