#pragma once

#include "report/model/page_setup.h"
#include "report/model/sest_typy.h"
#include "report/render/vystup.h"

#include <QString>
#include <functional>
#include <optional>

class QPrinter;

namespace arvelo::report {

// What a graphic print needs besides the pages.
struct TParametryTisku {
    int prvniStrana = 1; // 1-based, inclusive
    int posledniStrana = 9999;
    int kopie = 1;
    QString popis = QStringLiteral("Tisková úloha KOLBRA");
    // The print options window ("Kolbra - možnosti tisku"): paper and printer page in
    // 1/100 in; gives the sheets and zoom, or nothing when the user cancels.
    std::function<std::optional<TListyTisku>(int papirSirka, int papirVyska, int tiskarnaSirka,
                                             int tiskarnaVyska)>
        moznostiTisku;
    // Lets window messages run between pages; true stops the job ("Přerušit").
    std::function<bool()> prerusit;
};

// Prints the pages of an output on a printer the caller has chosen. Runs only on the GUI
// thread; anywhere else it prints nothing and gives 8. No pages: success without output.
TSestError TiskniGraficky(const TSestVystup& vystup, const TPageSetup& stranka, QPrinter& printer,
                          const TParametryTisku& parametry);

// A printer whose driver (or make and model) is a generic text-only one gets character text
// instead of graphics.
bool JeTextovaTiskarna(const QString& ovladac);

} // namespace arvelo::report
