#pragma once

#include <QStringList>

namespace arvelo::report {

// Result codes of the report operations, also passed to OnError.
enum class TSestError : int {
    seOK = 0,
    seNoPrinter = 2,    // no printer installed
    seCancelled = 3,    // cancelled by the user
    seLoadTemplate = 4, // the template could not be loaded
    seSaveTemplate = 5, // the template could not be saved
    seWriteOutput = 6,  // an output file or stream could not be written
    seBusy = 7,         // a print or preview is already running
    seNotDone = 8,      // data source not ready, no master, nothing to export
};

// Direction of a step through the data.
enum class TStepDir { sdFirst, sdPrior, sdNext, sdLast };

// Bits of a step's result.
using TStepResult = int;
inline constexpr TStepResult srBeginning = 1;
inline constexpr TStepResult srEnd = 2;

// Code page of text export.
enum class TSestLanguage : int {
    slUndefined = 0,
    slASCII = 1,
    slKamenicky = 2,
    slLatin2 = 3,
    slWindows1250 = 4
};

// The template text, one record per line.
class TPredloha : public QStringList {
public:
    using QStringList::QStringList;
    TPredloha() = default;
    TPredloha(const QStringList& lines) : QStringList(lines) {}
};

// Element kinds.
enum TDruhPrvku : int {
    pkGrafickyText = 1,
    pkPolozka = 2,
    pkPopisPolozky = 3,
    pkParametr = 4,
    pkPromenna = 5,
    pkFunkce = 6,
    pkUsecka = 7,
    pkRamecek = 8,
    pkZaoblenyRamecek = 9,
    pkElipsa = 10,
    pkObrazek = 11,
    pkCarovyKod = 12,
    pkKresliciPlocha = 13,
    pkDetail = 15,
};

// Fixed section kinds; group g adds header 5 + 2g and footer 6 + 2g.
enum TDruhOddilu : int { okZacatek = 0, okHlava = 1, okTelo = 2, okKonec = 3, okPata = 4 };
inline constexpr int kPocetPevnychOddilu = 5;

} // namespace arvelo::report
