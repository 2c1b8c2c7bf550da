#pragma once

#include "report/model/sest_typy.h"
#include "report/writers/nastaveni_exportu.h"

#include <QString>

class QIODevice;

namespace arvelo::report {
class TSestVystup;
}

namespace arvelo::report::writers {

// A page as an enhanced metafile written through libEMF: the page metafile's drawing of
// (printable width x 6) by (printable height x 6) units, every canvas call one GDI call, so
// texts stay texts and shapes stay shapes. A page outside the output writes nothing and
// gives 6.
TSestError ExportEmfFile(const TSestVystup& vystup, int index, const QString& soubor);
TSestError ExportEmfStream(const TSestVystup& vystup, int index, QIODevice& vystupni);
// All pages of the range into the file name with its extension replaced by "<i>.emf"; a
// failed page does not stop the others.
TSestError ExportEmf(const TSestVystup& vystup, const QString& soubor,
                     const TNastaveniExportu& nastaveni = {});

} // namespace arvelo::report::writers
