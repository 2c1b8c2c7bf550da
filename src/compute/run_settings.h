#pragma once

#include <QDate>
#include <QString>

namespace arvelo::app {
struct TVolby;
}

namespace arvelo::compute {

// One filter family of the wizard: "jen ..." switch, item list, negation.
struct TFiltr {
    bool zapnuto = false;
    QString seznam; // every item followed by ";"
    bool negace = false;

    // A value passes when the family is off, or when (it belongs to the list)
    // differs from (negation on).
    bool propousti(const QString& hodnota) const;
};

// A value belongs to an item list when both are empty, or when ";" + list,
// upper-cased, contains ";" + value + ";", upper-cased: exact items, no prefixes.
bool PatriDoSeznamu(const QString& hodnota, const QString& seznam);

// What the wizard's controls hold when a run starts.
struct TNastaveniBehu {
    bool DleDatumu = false; // chckDleDatumu
    QDate DatumOd;          // edtDatumOd
    QDate DatumDo;          // edtDatumDo

    TFiltr Cinnosti;  // chckCinnosti, edtCinnosti, chckCinnostiNeg
    TFiltr Strediska; // chckStrediska, ...
    TFiltr Zakazky;   // chckZakazky, ...
    TFiltr Ucty;      // chckUcty, ...

    bool UctyOvlDan = true;      // chckUctyOvlDan
    bool UctyNEOvlDan = true;    // chckUctyNEOvlDan
    bool IgnorovatPrevod = true; // chckIgnorovatPrevod

    bool Seskupit = false; // chckSeskupit
    int SeskupitDle = 0;   // cbxSeskupitDle: the group kind 0-8

    // The group kind in force: -1 when the report is not split.
    int DruhSkupiny() const;

    static TNastaveniBehu zVoleb(const app::TVolby& volby);
};

} // namespace arvelo::compute
