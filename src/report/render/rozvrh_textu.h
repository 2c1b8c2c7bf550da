#pragma once

#include "report/model/palette.h"

#include <QFont>
#include <QHash>
#include <QString>
#include <memory>
#include <vector>

namespace arvelo::report {

class TKolbraCanvas;

// Layout units: 1/7200 in (1/100 in x 72). A fixed inner margin of one hundredth of an inch
// is kept at the left of every line and once in the text height.
inline constexpr int kJednotka = 72;

// A font as the layout uses it: enough to measure and draw a character.
struct TPismoRozvrhu {
    QString name = QStringLiteral("Arial");
    double size = 10.0; // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    TBarva color = kCerna;

    bool operator==(const TPismoRozvrhu&) const = default;
    // The font at a pixel size (device units per em).
    QFont ToQFont(double pixelSize) const;
};

// One laid-out line.
struct TRadek {
    int start = 0;              // offset of the first character from the left edge
    int width = 0;              // width up to the break point
    int height = 0;             // largest character height, or the fixed line height
    int count = 0;              // characters on the line
    std::vector<int> positions; // per character, relative to the start
    QString znaky;              // the characters (tabs, CR and LF are kept but not drawn)
    std::vector<int> pisma;     // per character, index into TRadky::pisma
    bool wrapped = false;
    bool paragraphStart = false;
};

// The line list of one text.
class TRadky {
public:
    std::vector<TRadek> radky;
    std::vector<TPismoRozvrhu> pisma;

    int Count() const { return static_cast<int>(radky.size()); }
    // Text height in 1/100 in; one empty line has height 0.
    int Vyska() const;
    // Sum of line heights from line i to line j (layout units).
    int Soucet(int i, int j) const;

    struct TVejde {
        int posledni = -1; // last line taken, i - 1 when none
        int vyska = 0;     // height used, 1/100 in
        bool vse = false;  // every remaining line fits
    };
    // Lines from line i that fit into h (1/100 in).
    TVejde Vejde(int i, int h) const;

    int PismoIndex(const TPismoRozvrhu& p);
};

// Measures characters at 72 times their font size on a device of fixed resolution, so that
// widths and heights come out in layout units whatever the screen is.
class TMeric {
public:
    int Sirka(const TPismoRozvrhu& pismo, QChar c);
    int Vyska(const TPismoRozvrhu& pismo);
    int Ascent(const TPismoRozvrhu& pismo);

private:
    struct TMetriky;
    TMetriky& Metriky(const TPismoRozvrhu& pismo);
    std::vector<std::pair<TPismoRozvrhu, std::shared_ptr<TMetriky>>> cache_;
};

struct TParametryRozvrhu {
    int sirka = 0; // rectangle width, 1/100 in
    QString text;
    bool zalamovat = true;
    int zarovnani = 0; // 0 left, 1 right, 2 centre, 3 justify
    bool rtf = false;
    TPismoRozvrhu pismo;
    double roztec = 0.0;     // fixed character pitch, 1/100 in; 0 proportional
    double vyskaRadku = 0.0; // fixed line height, 1/100 in; 0 from the characters
};

// Pitch and line height of an element's font: "Roman <n>cpi" device fonts print n characters
// per inch and six lines per inch, other fonts use the element's pitch.
struct TRoztecPisma {
    double roztec = 0.0;
    double vyskaRadku = 0.0;
};
TRoztecPisma RoztecPisma(const QString& fontName, int charPitch);

// Breaks a text into lines (plain or the RTF subset).
TRadky RozvrhniText(const TParametryRozvrhu& p, TMeric& meric);

// Draws lines first..last of a layout into the rectangle (left, top in device units, scale in
// device units per 1/100 in) so that every character stands where the layout put it.
void KresliRadky(TKolbraCanvas& canvas, const TRadky& radky, int prvni, int posledni, double left,
                 double top, double sx, double sy);

// Draws one line of text turned by angle degrees, centred on the rectangle's centre.
void KresliOtocenyText(TKolbraCanvas& canvas, TMeric& meric, const QString& text,
                       const TPismoRozvrhu& pismo, int angle, double cx, double cy, double sx,
                       double sy);

} // namespace arvelo::report
