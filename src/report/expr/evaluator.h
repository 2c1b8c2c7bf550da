#pragma once

#include "report/expr/calc_type.h"

#include <QString>

namespace arvelo::report {

class TKontextVypoctu;

// Error codes of an expression.
enum : int {
    kVyrazOk = 0,
    kChybaNeznamyNazev = 1,      // unknown name or reference
    kChybaNepatricnyToken = 2,   // misplaced token or unknown character
    kChybaPlnyZasobnik = 3,      // more than 40 stacked values or operators
    kChybaZavorkaNavic = 4,      // ")" without a matching "("
    kChybaChybiZavorka = 5,      // "(" without a matching ")"
    kChybaDefinicniObor = 6,     // mathematical domain error (also overflow)
    kChybaSpatneCislo = 7,       // malformed number literal
    kChybaPocetArgumentu = 10,   // wrong number of arguments at ")"
    kChybaCarka = 11,            // "," outside a call or too many arguments
    kChybaNeukoncenyText = 12,   // unterminated 'text'
    kChybaNeukoncenaZavorka = 13 // unterminated [bracket]
};

// Most values and most operators (groups and function calls included) that one
// evaluation may stack.
inline constexpr int kMaxZasobnik = 40;

struct TVysledekVyrazu {
    TCalcType Hodnota;
    int Chyba = kVyrazOk;
    // 0-based index of the character where the error was found: the start of the
    // offending token; for a malformed number the offending character; for a
    // missing ")" the end of the text; for a domain error the operator or the
    // function name whose result failed, so that the caret lands on the cause.
    int Pozice = 0;
};

// Evaluates an expression against a report. Any text is accepted: errors come
// back as a code and position, never as an exception or a crash. An empty
// expression gives an initialised value and no error. Without a context every
// reference by name is unknown and every reference by number unreadable.
TVysledekVyrazu Evaluate(const QString& vyraz, const TKontextVypoctu* kontext);

// The designer's "Kontrola" of an expression.
struct TKontrolaVyrazu {
    bool Ok = false;
    QString Titulek;       // "Informace" or "Chyba"
    QString Zprava;        // "Výraz je v pořádku." or "Chyba : \"\" na pozici n"
    int PoziceKurzoru = 0; // where the editor puts the caret (the error position)
};
TKontrolaVyrazu KontrolaVyrazu(const QString& vyraz, const TKontextVypoctu* kontext);

// Built-in functions: code 1-40 by name (upper case), the template the designer
// inserts ("ABS()", "MAX(,)"), its argument count and its designer group.
struct TVestavenaFunkce {
    int Kod;
    const char* Nazev;
    int PocetArgumentu;
    const char* Sablona;
    const char* Skupina;
};
// All 40 in code order.
const TVestavenaFunkce* VestaveneFunkce(int* pocet);
// Code of a built-in name ignoring letter case, 0 when there is none.
int KodVestaveneFunkce(const QString& nazev);

} // namespace arvelo::report
