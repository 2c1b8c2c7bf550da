#pragma once

#include "report/model/sest_typy.h"
#include "report/writers/nastaveni_exportu.h"

#include <QString>

class QIODevice;

namespace arvelo::report {
class TSestVystup;
}

namespace arvelo::report::writers {

// Text for HTML: "&", "<", ">" and both quotes escaped, so that a firm or account name can
// neither break the page nor inject markup.
QString HtmlText(const QString& text);

// One page as an HTML page in UTF-8 (declared in the page). Pictures, drawing areas and bar
// codes are saved as Windows bitmaps named after `zakladObrazku` with its extension replaced
// by the element's position on the page and ".bmp"; they go into the folder of that name.
// A page outside the output writes nothing and gives 6.
TSestError ExportHtmlStream(const TSestVystup& vystup, int index, QIODevice& vystupni,
                            const QString& zakladObrazku);
// One page into a file; its pictures are named after the file with "_.bmp".
TSestError ExportHtmlFile(const TSestVystup& vystup, int index, const QString& soubor);
// All pages of the range: page i into the file name with its extension replaced by
// "<i>.html", its pictures after "<i>_.bmp". A page that fails does not stop the others;
// the result is 6 when any failed.
TSestError ExportHtml(const TSestVystup& vystup, const QString& soubor,
                      const TNastaveniExportu& nastaveni = {});

} // namespace arvelo::report::writers
