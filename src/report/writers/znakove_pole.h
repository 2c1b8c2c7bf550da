#pragma once

#include "report/model/sest_typy.h"
#include "report/writers/nastaveni_exportu.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <vector>

class QIODevice;

namespace arvelo::report {
class TSestVystup;
struct TVystPrvek;
} // namespace arvelo::report

namespace arvelo::report::writers {

// Three pitch groups (10, 12 and 17 characters per inch) times eight style variants
// (bit 0 bold, bit 1 italic, bit 2 underline).
inline constexpr int kPocetVrstev = 24;
inline constexpr std::array<int, 3> kZnakuNaPalec = {10, 12, 17};
inline constexpr int kPosledniSloupec = 255;

// One line of the grid: a text per layer.
struct TZnakovyRadek {
    std::array<QString, kPocetVrstev> vrstvy;

    // The layers merged in layer order: a later layer fills only positions still blank.
    QString Slouceny() const;
};

// Where an element goes in the grid.
struct TUmisteniZnaku {
    int vrstva = 0;
    int cpi = 10;
};

// The layer and pitch of a text element's font: 8 points or less 17 cpi, 9-10 12 cpi, 11 or
// more 10 cpi ("Roman" printer fonts count with the size they stand in for).
TUmisteniZnaku UmisteniZnaku(const QString& fontName, int size, int style);

// Lines per inch of a line-spacing code: 4 for code 1, 3 for code 2, 6 otherwise.
int RadkuNaPalec(int radkovani);

// The character grid of one page.
class TZnakovePole {
public:
    explicit TZnakovePole(int pocetRadku);

    // Writes a text into a layer of a line: from column `sloupec`, `sirka` characters wide,
    // aligned left (0 and 3), right (1) or centred (2). Nothing beyond column 255 is placed.
    void Vloz(int radek, int vrstva, int sloupec, int sirka, const QString& text, int zarovnani);
    // Places an output element of a text kind (shapes, pictures and bar codes write nothing).
    void VlozPrvek(const TVystPrvek& v, int radkuNaPalec);

    int PocetRadku() const { return static_cast<int>(radky_.size()); }
    // The highest line written to, -1 when none.
    int NejvyssiRadek() const { return nejvyssi_; }
    const TZnakovyRadek& Radek(int i) const { return radky_[static_cast<std::size_t>(i)]; }
    void Vymaz();

private:
    std::vector<TZnakovyRadek> radky_;
    int pocetRadku_;
    int nejvyssi_ = -1;
};

// The pages of the range as character text, `kopie` times over, each grid line converted to
// the code page and ended by CR LF. No pages: success without output. "Přerušit" ends the
// writing after the current element with result 3.
TSestError ExportTextStream(const TSestVystup& vystup, const TNastaveniExportu& nastaveni,
                            QIODevice& vystupni);
// The same into a file, written whole or not at all.
TSestError ExportText(const TSestVystup& vystup, const TNastaveniExportu& nastaveni,
                      const QString& soubor);

// The grid of one page, for writers and the text-only printer.
TZnakovePole ZnakovePoleStrany(const TSestVystup& vystup, int index,
                               const TNastaveniExportu& nastaveni);
int RadkuStrany(const TNastaveniExportu& nastaveni);

} // namespace arvelo::report::writers
