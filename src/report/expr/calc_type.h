#pragma once

#include <QString>
#include <cstdint>

namespace arvelo::report {

// The value of a field, parameter, system variable, user function or expression.
struct TCalcType {
    enum : std::uint8_t {
        kJiny = 0,   // date, boolean, unknown
        kCislo = 1,  // number
        kText = 2,   // text
        kZavorka = 5 // a bracket literal [..] of an expression: text, number 0
    };

    std::uint8_t Kind = kJiny;
    double Number = 0.0; // dates as day numbers with a fraction for the time
    QString Text;        // display text of the value
    std::uint8_t Null = 0;

    // Back to the initialised record: kind 0, number 0, empty text, not null.
    void Init() { *this = TCalcType(); }

    bool IsNull() const { return Null != 0; }
    bool IsText() const { return Kind == kText; }
    // Truth values are numbers: a value is true when its number is above 0.
    bool IsTrue() const { return Number > 0.0; }

    bool operator==(const TCalcType&) const = default;
};

} // namespace arvelo::report
