#pragma once

#include "report/model/page_setup.h"
#include "report/model/sest_typy.h"

#include <QString>
#include <functional>

namespace arvelo::report {
class TSestavaTyp;
class TSestVystup;
} // namespace arvelo::report

namespace arvelo::report::writers {

// What the file writers need of the report besides its pages.
struct TNastaveniExportu {
    TPageSetup stranka;
    int kopie = 1;
    TSestLanguage jazyk = TSestLanguage::slUndefined;
    int radkovani = 0; // line-spacing code of the character grid
    QString popis;     // title of PDF documents
    // Lets window messages run between elements and pages; true stops the writing.
    std::function<bool()> prerusit;

    bool Preruseno() const { return prerusit && prerusit(); }
};

TNastaveniExportu NastaveniExportu(const TSestavaTyp& sestava);

// The 0-based indices of the pages a writer walks: the output's page range limited to the
// pages that exist (first page at least 1). Empty when nothing is in range.
struct TRozsahStran {
    int od = 0;
    int po = -1; // inclusive
    bool Prazdny() const { return po < od; }
};
TRozsahStran RozsahStran(const TSestVystup& vystup);

// A file name with its extension replaced by a page number and a new ending:
// ("sestava.html", 2, ".html") -> "sestava2.html".
QString JmenoStrany(const QString& soubor, int cislo, const QString& konec);

// Writes one file per page of the range, named by JmenoStrany with the ending, through
// zapis(page index, file name). A page that fails does not stop the next ones; the result is
// the last failure, seCancelled when interrupted, seNotDone for an empty range.
TSestError ExportPoStrankach(const TSestVystup& vystup, const QString& soubor,
                             const TNastaveniExportu& nastaveni, const QString& konec,
                             const std::function<TSestError(int, const QString&)>& zapis);

// Twips of a length in 1/100 in, as integers.
inline int Twipy(int setiny) {
    return setiny * 1440 / 100;
}

} // namespace arvelo::report::writers
