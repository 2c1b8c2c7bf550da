#pragma once

#include "report/model/sest_typy.h"
#include "report/writers/nastaveni_exportu.h"

#include <QString>

class QIODevice;

namespace arvelo::report {
class TSestVystup;
}

namespace arvelo::report::writers {

// A page as a placeable Windows metafile (600 units per inch) written by our own small writer:
// only the records the canvas needs (objects, lines, shapes, texts in Windows-1250 and
// device-independent bitmaps). A page outside the output writes nothing and gives 6.
TSestError ExportWmfStream(const TSestVystup& vystup, int index, QIODevice& vystupni);
TSestError ExportWmfFile(const TSestVystup& vystup, int index, const QString& soubor);
// All pages of the range into the file name with its extension replaced by "<i>.wmf"; a
// failed page does not stop the others.
TSestError ExportWmf(const TSestVystup& vystup, const QString& soubor,
                     const TNastaveniExportu& nastaveni = {});

} // namespace arvelo::report::writers
