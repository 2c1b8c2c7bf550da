#pragma once

#include <QDate>
#include <QDateTime>

namespace arvelo {

// The host's dates are day numbers with a fraction for the time of day, day 0
// being 30 December 1899. These are the only conversions to and from QDate.
namespace daydate {

inline const QDate& epoch() {
    static const QDate e(1899, 12, 30);
    return e;
}

inline double fromDate(const QDate& date) {
    return date.isValid() ? static_cast<double>(epoch().daysTo(date)) : 0.0;
}

inline double fromDateTime(const QDateTime& dt) {
    if (!dt.isValid()) {
        return 0.0;
    }
    const double day = fromDate(dt.date());
    return day + dt.time().msecsSinceStartOfDay() / 86400000.0;
}

// The whole day a day number falls on. Day numbers before the epoch carry the
// time as a positive fraction too, so the day is the integer part, not floor.
inline long long wholeDay(double dayNumber) {
    return static_cast<long long>(dayNumber);
}

inline QDate toDate(double dayNumber) {
    return epoch().addDays(wholeDay(dayNumber));
}

} // namespace daydate
} // namespace arvelo
