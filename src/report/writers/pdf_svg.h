#pragma once

#include "report/model/sest_typy.h"
#include "report/writers/nastaveni_exportu.h"

#include <QString>

namespace arvelo::report {
class TSestVystup;
}

namespace arvelo::report::writers {

// The pages of the range as one PDF document on the template's paper, drawn through the same
// canvas as printing (fonts embedded). No pages in range: nothing written, result 8.
TSestError ExportPdf(const TSestVystup& vystup, const TNastaveniExportu& nastaveni,
                     const QString& soubor);

// One page as an SVG drawing of the whole paper (1/600 in units).
TSestError ExportSvgFile(const TSestVystup& vystup, int index, const TNastaveniExportu& nastaveni,
                         const QString& soubor);
// All pages of the range, page i into the file name with its extension replaced by
// "<i>.svg"; a failed page does not stop the others.
TSestError ExportSvg(const TSestVystup& vystup, const TNastaveniExportu& nastaveni,
                     const QString& soubor);

} // namespace arvelo::report::writers
