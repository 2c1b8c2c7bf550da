#pragma once

#include <QLocale>
#include <QString>

namespace arvelo::report {

// Text to number as expressions read parameters, field texts, trimmed texts, IN
// lists and STRTONUM: leading spaces dropped, the first "." or "," turned into the
// locale's decimal separator, only digits, E, e, the separator and a leading "-"
// allowed; anything else, an empty text or a failed conversion gives 0.
double TextNaCislo(const QString& text, const QLocale& locale);

// The strict conversion used for the initial value of a function: surrounding
// spaces allowed, the locale's decimal separator, an optional sign and exponent.
// Gives false when the text is not a number.
bool PrevodNaCislo(const QString& text, const QLocale& locale, double* cislo);

} // namespace arvelo::report
