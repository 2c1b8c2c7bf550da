#pragma once

#include <QColor>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>

namespace arvelo::report {

// A colour as the templates know it: a Windows colour reference 0x00BBGGRR.
using TBarva = std::uint32_t;

inline constexpr TBarva kCerna = 0x000000;
inline constexpr TBarva kBila = 0xFFFFFF;

// The fixed 16-colour palette in which templates store every colour by index.
inline constexpr std::array<TBarva, 16> kPaleta = {
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0x808080,
    0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};

// The last palette entry equal to the colour; a colour outside the palette is black (0).
int BarvaNaIndex(TBarva barva);
// The palette colour of an index; an index outside 0-15 gives black.
TBarva IndexNaBarvu(int index);

QColor BarvaNaQColor(TBarva barva);
TBarva QColorNaBarvu(const QColor& color);

// Windows charset numbers in the order of the designer's list.
inline constexpr std::array<int, 8> kZnakoveSady = {0, 161, 162, 186, 238, 204, 2, 1};
inline constexpr int kDefaultCharset = 1;
inline constexpr int kEastEuropeCharset = 238;

// Charset of a position in the designer's list; a position outside 0-7 means Default (1).
int ZnakovaSadaZIndexu(int index);
// Position of a charset in the designer's list, -1 when the list lacks it.
int IndexZnakoveSady(int charset);

// Style bits of an element's font.
enum TStylPisma : int { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

// A negative template font size is a height in 1/100 in; converts it to points.
int VelikostPismaZPredlohy(int value);

struct TPismoVysledek {
    QString name;
    int charset = kDefaultCharset;
};

// Legacy script-suffixed names (" CE", " Greek", " TUR", " Baltic", " CYR"): when the name is
// not an installed font, the suffix goes and the charset of the script is forced.
TPismoVysledek RozlisitStarePismo(const QString& name, int charset,
                                  const std::function<bool(const QString&)>& isInstalled);

// Installed font families of the platform (needs a running QGuiApplication).
bool JePismoNainstalovano(const QString& name);

// A printer device font "Roman <n>cpi" and what stands in for it on screen and in metafiles.
struct TRomanPismo {
    int cpi = 10;
    QString nahradniJmeno; // "Courier New"
    int body = 11;         // points
    int charset = kEastEuropeCharset;
    double krokZnaku = 10.0; // character advance, 1/100 in
};

// Empty when the name is not a "Roman " device font; any unreadable or unknown pitch is 10 cpi.
std::optional<TRomanPismo> RomanPismo(const QString& name);

} // namespace arvelo::report
