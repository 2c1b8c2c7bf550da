#pragma once

#include "report/model/sest_typy.h"
#include "report/writers/nastaveni_exportu.h"
#include "report/writers/znakove_pole.h"

#include <QString>

class QPainter;
class QPrinter;

namespace arvelo::report {
class TSestVystup;
}

namespace arvelo::report::writers {

// Draws a page's grid as a text-only printer prints it: each layer in a fixed-pitch font of
// its pitch (bold where the layer is bold), every character in its column, one grid line per
// height of "X" in the 10 cpi font. dpi: device pixels per inch.
void KresliZnakovouStranu(QPainter& painter, const TZnakovePole& pole, double dpiX, double dpiY);

// Prints the pages of the range on a text-only printer, `kopie` times over. With an output
// file the printer's port is that file and it gets what a text-only driver sends: the
// character text of the pages. No pages: success without output. Only on the GUI thread.
TSestError TiskniTextove(const TSestVystup& vystup, const TNastaveniExportu& nastaveni,
                         QPrinter& printer);

} // namespace arvelo::report::writers
