#pragma once

#include "report/model/sest_typy.h"
#include "report/writers/nastaveni_exportu.h"

#include <QByteArray>
#include <QString>

class QIODevice;

namespace arvelo::report {
class TSestVystup;
}

namespace arvelo::report::writers {

// Text for RTF: "\", "{" and "}" escaped, other characters as Windows-1250 bytes ("\'xx")
// or, outside that code page, as Unicode ("\uN?").
QByteArray RtfText(const QString& text);

// The pages of the range as one RTF document: texts as positioned paragraphs, lines and
// frames as paragraph borders. Pictures, drawing areas and bar codes are not written.
// No pages in range: nothing is written and the result is 8.
TSestError ExportRtfStream(const TSestVystup& vystup, const TNastaveniExportu& nastaveni,
                           QIODevice& vystupni);
TSestError ExportRtf(const TSestVystup& vystup, const TNastaveniExportu& nastaveni,
                     const QString& soubor);

} // namespace arvelo::report::writers
