#pragma once

#include "report/expr/calc_type.h"

#include <QLocale>
#include <QString>
#include <memory>
#include <vector>

namespace arvelo::report {

class TKontextVypoctu;

// Result type of a user function.
enum : int { kVysledekCislo = 0, kVysledekText = 1 };

// Aggregations of a user function over the records of a run.
enum : int {
    kAgrZadna = 0,       // "(Žádné)"
    kAgrPocet = 1,       // "Počet"
    kAgrSoucet = 2,      // "Součet"
    kAgrPrumer = 3,      // "Průměr"
    kAgrMinimum = 4,     // "Minimum"
    kAgrMaximum = 5,     // "Maximum"
    kAgrSmerOdch = 6,    // "Směrodat.odch."
    kAgrRelSmerOdch = 7, // "Relat.sm.odch."
};

// Reset levels: 0 at the report start only, 1 at every page break taken between
// records, 2 + g at every break of group g. A reset request below 0 resets all.
enum : int { kNulovatSestava = 0, kNulovatStranka = 1, kNulovatSkupina0 = 2 };

// One user function ("Funkce"): a named expression with its aggregation.
struct TRadekFunkce {
    QString Nazev;                    // name; a new function is "Funkce" + position from 1
    QString Popis;                    // description; a new function has its name
    QString Vyraz;                    // expression
    int TypVysledku = kVysledekCislo; // 0 number ("Číselná"), 1 text ("Řetězcová")
    QString PocatecniHodnota = "0";   // value after each reset
    int UrovenNulovani = kNulovatSestava;
    int Agregace = kAgrZadna; // 0-7
    int Presnost = 15;        // significant digits ("Celkový počet znaků")
    int DesetinnaMista = 2;   // decimal places ("Počet desetinných míst")
    int FormatCisla = 2;      // 0 General, 1 Exponent, 2 Fixed, 3 Number, 4 Currency

    TCalcType Hodnota;          // current value
    int Pocet = 0;              // records counted since the last reset
    double Soucet = 0.0;        // total
    double SoucetCtvercu = 0.0; // sum of squares
    bool NulovatPriste = false; // reset pending, consumed at the next computation
    bool VynechatNull = false;  // skip nulls: copy of the report's AllowNullValues

    // The number format as it is used: values outside 0-4 become 2 (Fixed).
    int PlatnyFormatCisla() const;
    // The kind the value carries: 1 for result type 0, 2 for result type 1.
    std::uint8_t DruhHodnoty() const;

    // One computation step for the current record (reset when pending, evaluate,
    // aggregate). Never fails: an expression error counts as a zero value.
    void Vypocitat(const TKontextVypoctu& kontext);

    // Text shown by a function element: empty for a skipped null; for a number
    // the value formatted with format, precision and digits; else the value's text.
    QString Text(const QLocale& locale) const;
};

// The user functions of a report, in list order. The list owns its records.
class TListFunkci {
public:
    TListFunkci() = default;
    TListFunkci(const TListFunkci& other);
    TListFunkci& operator=(const TListFunkci& other);
    TListFunkci(TListFunkci&&) noexcept = default;
    TListFunkci& operator=(TListFunkci&&) noexcept = default;

    int Count() const { return int(m_funkce.size()); }

    // Appends a new function with the defaults: name and description "Funkce"
    // followed by its position from 1. Returns it.
    TRadekFunkce& Add();
    // Inserts a new function with the defaults at index (clamped into the list).
    TRadekFunkce& Insert(int index);
    // Removes function index; nothing happens outside the list.
    void Delete(int index);
    // Moves a function to another position; nothing happens outside the list.
    void Move(int from, int to);
    void Clear();

    // Function by index, none out of range.
    TRadekFunkce* Get(int index);
    const TRadekFunkce* Get(int index) const;
    // Index of the first function of that name ignoring letter case, -1 when absent.
    int Find(const QString& nazev) const;

    // Flags for reset every function of that reset level; a level below 0 flags all.
    void RequestReset(int uroven);
    void SetSkipNulls(bool vynechat);
    // Computes every function in list order against the report. A reference to a
    // function later in the list still reads that function's previous value.
    void ComputeAll(const TKontextVypoctu& kontext);

    // Text of function index for a function element; empty out of range.
    QString FunctionText(int index, const QLocale& locale) const;

    // Designer captions: "@" + position from 1 padded to 3 characters + name;
    // "Funkce" + " " + name + " - " + description; a missing one
    // "Funkce" + " " + number + "  ???".
    QString CaptionAt(int index) const;
    QString ListCaption(int index) const;

private:
    std::vector<std::unique_ptr<TRadekFunkce>> m_funkce;
};

} // namespace arvelo::report
