#pragma once

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <cstdint>

namespace arvelo::report {

// Number formats of a user function (and of float-to-text).
enum class TFloatFormat { General = 0, Exponent = 1, Fixed = 2, Number = 3, Currency = 4 };

// Float to text with a format, precision (significant digits, 1-15) and digits:
// General - the shorter of plain and scientific, at most `precision` digits;
//           `digits` is the least number of exponent digits (0-4);
// Exponent - "d.dddE+xx" with `precision` digits, `digits` exponent digits (0-4);
// Fixed    - `digits` decimals (0-18); scientific when the integer part has more
//            than `precision` digits;
// Number   - as Fixed with the locale's group separator;
// Currency - as Number with the locale's currency symbol and placement.
// The decimal separator is the locale's. NaN and infinities read "NAN", "INF", "-INF".
QString FloatToStrF(double value, TFloatFormat format, int precision, int digits,
                    const QLocale& locale);

// The shortest float-to-text: General with 15 digits.
QString FloatToStr(double value, const QLocale& locale);

// A number with a format string of the templates: "0" digit, "#" optional digit,
// "." decimal point (the locale's separator), "," grouping with the locale's
// group separator, a space between digits of the integer part groups with a
// space ("# ##0.00"), "E+0"/"E-0" scientific, 'text' and "text" literal, up to
// three sections "positive;negative;zero". Any other character is literal.
QString FormatFloat(const QString& format, double value, const QLocale& locale);

// A date-time day number with a date-time format string of the templates:
// d dd ddd dddd ddddd dddddd, m mm mmm mmmm (minutes right after h/hh),
// yy yyyy, h hh, n nn, s ss, z zzz, t tt, c, am/pm a/p ampm, "/" and ":" the
// locale's separators, quoted literals; letter case of the specifiers is ignored.
// Gives false (and no text) for a day number outside the years 1-9999.
bool FormatDateTime(const QString& format, double dayNumber, const QLocale& locale, QString* text);

// Day numbers: day 0 = 30 December 1899, the fraction is the time of day.
// A date-time outside the years 1-9999 gives false.
bool DayNumberToDateTime(double dayNumber, QDateTime* dateTime);
double DateTimeToDayNumber(const QDateTime& dateTime);
double DateToDayNumber(const QDate& date);

// A format string of the original platform with one 64-bit integer argument:
// "%d", "%5d", "%-5d", "%.3d", "%u", "%x", "%%", text around it. Gives false when
// the string needs another argument type or more arguments (shown as "????").
bool FormatInteger(const QString& format, std::int64_t value, QString* text);

} // namespace arvelo::report
