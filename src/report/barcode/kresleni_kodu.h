#pragma once

// Painting a bar code element (kind 12) onto a QPainter.
//
// The element's fields map to TParametryKodu as follows:
//   PenStyle              -> symbologie (0-19; any other index draws "EAN 13")
//   PenWidth              -> zvetseni (magnification code 4-16; "1,00" is 8)
//   Angle                 -> uhel (degrees, counter-clockwise)
//   Flags bit 4 (0x10)    -> kontrolniSoucet ("Vytvářet kontrolní součet")
//   Flags bit 5 (0x20)    -> tisknoutText ("Tisknout text")
// and the value is the text of the first item of the element's `Text`, evaluated by the run.

#include "report/barcode/carovy_kod.h"

#include <QColor>
#include <QRect>
#include <QString>

class QPainter;

namespace arvelo::report::barcode {

struct TParametryKodu {
    int symbologie = syEan13;
    int zvetseni = 8;
    int uhel = 0;
    bool kontrolniSoucet = false;
    bool tisknoutText = false;
};

// Drawing scales: pixels per 1/100 inch of the element.
inline constexpr int kMeritkoVystupu = 6;  // output pages (1/600 in), and the HTML bitmaps
inline constexpr int kMeritkoNavrhare = 1; // the designer's canvas

// The designer's list "Zvětšení:": "0,50" ... "2,00" for the codes 4-16; any other code is
// shown as "1,00".
QString TextZvetseni(int zvetseni);

// Module width in pixels: trunc(scale x code / 6). A code outside 4-16 counts as 8, as the
// designer shows it, and the result is kept within 1-49 pixels, so every bar code is drawn
// with a width of its own whatever was drawn before it.
int SirkaModulu(int zvetseni, int meritko);

// Paints the symbol of `hodnota` with its top-left corner at the top-left of `obdelnik`:
// bars as tall as the rectangle (short bars 2/5 of it, standing on the bottom edge), the
// whole symbol turned by `uhel` about that corner. With `tisknoutText` the human-readable text
// is drawn unrotated at the rectangle's top-left in `barvaTextu` on white, in Arial four
// modules high (3 x module points at 96 dpi). The painter's state is restored on return;
// nothing is drawn for an empty value except the (empty) text. Returns the encoding drawn.
TZakodovanyKod KresliCarovyKod(QPainter& painter, const QRect& obdelnik, const QString& hodnota,
                               const TParametryKodu& parametry, int meritko,
                               const QColor& barvaTextu = Qt::black);

} // namespace arvelo::report::barcode
