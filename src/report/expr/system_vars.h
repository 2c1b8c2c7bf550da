#pragma once

#include "report/expr/calc_type.h"

#include <QLocale>
#include <QString>
#include <vector>

namespace arvelo::report {

// System variables ("Proměnná"), 0-based: 0 print date, 1 print time, 2 running
// record number, 3 page number, 4 total pages, then per group g:
// 5 + 2g line in the group, 6 + 2g group number.
enum : int {
    kPromDatumTisku = 0,
    kPromCasTisku = 1,
    kPromCisloRadku = 2,
    kPromCisloStrany = 3,
    kPromPocetStran = 4,
    kPromSkupiny = 5
};

// The run's counters the variables show.
struct TSystemoveHodnoty {
    double DatumCasTisku = 0.0; // day number with time of the run start
    int CisloRadku = 1;
    int CisloStrany = 1;
    int PocetStran = 0;
    struct Skupina {
        int RadekVeSkupine = 1; // LineInGroup
        int CisloSkupiny = 1;   // GroupNumber
    };
    std::vector<Skupina> Skupiny;
};

// Number of variables of a report with that many groups.
int PocetSystemovychPromennych(int pocetSkupin);

// Designer caption: "Datum tisku", "Čas tisku", "Pořadové číslo řádku",
// "Číslo strany", "Celkový počet stran", "Číslo řádku ve skupině %d",
// "Číslo skupiny %d" (group from 1). Empty for an index below 0.
QString NazevSystemovePromenne(int index);

// Value of variable index, kind 1: the date-time of the run start for 0 and 1
// (text: short date, resp. time), the counters for the others (text: the number).
// Gives false for an index without a variable.
bool HodnotaSystemovePromenne(int index, const TSystemoveHodnoty& hodnoty, const QLocale& locale,
                              TCalcType* hodnota);

// Templates of format major version 1 or lower with release below 3 predate the
// total-pages variable: their variable index above 3 moves up by one.
int PrecislovatPromennou(int index, int major, int minor, int release);

} // namespace arvelo::report
