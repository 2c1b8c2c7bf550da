#pragma once

// Bar code encoder: a value and a symbology give the bars and spaces of the symbol, its
// human-readable text and its check characters. Knows nothing of painting or of reports.

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <vector>

namespace arvelo::report::barcode {

// Symbology index as stored in a bar code element's `PenStyle`.
enum TSymbologie : int {
    sy2z5Prokladany = 0, // "2/5 interleaved"
    sy2z5Prumyslovy = 1, // "2/5 industrial"
    sy2z5Maticovy = 2,   // "2/5 matrix"
    syCode39 = 3,
    syCode39Full = 4,
    syCode128A = 5,
    syCode128B = 6,
    syCode128C = 7,
    syCode93 = 8,
    syCode93Full = 9,
    syMsi = 10,
    syPostNet = 11,
    syCodabar = 12, // "Codebar"
    syEan8 = 13,
    syEan13 = 14,
    syUpcA = 15,
    syUpcE0 = 16,
    syUpcE1 = 17,
    syUpcSupp2 = 18,
    syUpcSupp5 = 19,
};
inline constexpr int kPocetSymbologii = 20;

// An index outside 0-19 is treated as "EAN 13", as the designer shows it.
int PlatnaSymbologie(int index);
// The designer's names, in index order ("2/5 interleaved", ..., "UPC Supp5").
QString NazevSymbologie(int index);
QStringList NazvySymbologii();
// Whether the symbology encodes digits only (other characters become '0').
bool JenCislice(int index);

enum class TDruhPrvku : std::uint8_t { Mezera, Cara, KratkaCara };

// One element of a symbol: a space, a full-height bar or a short bar standing on the bottom
// edge, of width class 1-4 (w1 narrow ... w4).
struct TPrvekKodu {
    TDruhPrvku druh = TDruhPrvku::Cara;
    std::uint8_t trida = 1;

    bool operator==(const TPrvekKodu&) const = default;
};

// The pixel widths w1-w4 of a module width m and a wide-to-narrow ratio r: w1 = m,
// w2 = m x r rounded half to even, w3 = w2 x 3 / 2 truncated, w4 = 2 x w2.
std::array<int, 4> SirkyTrid(int modul, double pomer);

struct TZakodovanyKod {
    std::vector<TPrvekKodu> prvky; // empty when there is nothing to encode
    QString text;                  // human-readable text
    QString data;                  // the characters the bars carry (full-ASCII pairs etc.)
    std::vector<int> kontrola;     // symbol values of the computed check characters, in order
    double pomer = 2.0;            // wide-to-narrow ratio

    std::array<int, 4> Sirky(int modul) const { return SirkyTrid(modul, pomer); }
    // Total width in pixels at module width `modul`.
    int Sirka(int modul) const;
};

// Encodes `hodnota` in symbology `symbologie` (an index outside 0-19 means "EAN 13");
// `kontrolniSoucet` is the element's check-digit flag. Never fails: characters outside the
// symbology's set are handled as each symbology prescribes.
TZakodovanyKod Zakoduj(int symbologie, const QString& hodnota, bool kontrolniSoucet);

} // namespace arvelo::report::barcode
