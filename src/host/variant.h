#pragma once

#include "host/currency.h"

#include <QString>
#include <cstdint>
#include <variant>

namespace arvelo::host {

// The kinds of value a host field holds.
enum class FieldType { Text, Integer, Amount, Date, Boolean, Float };

// A date as the host passes it: a day number (see day_date.h).
struct DateValue {
    double days = 0.0;
    bool operator==(const DateValue&) const = default;
};

// One field value as it travels between the host tables and their callers, in
// place of the automation interface's variant. A null value reads as the empty
// value of every kind.
class Variant {
public:
    Variant() = default;
    Variant(const QString& text) : m_v(text) {}
    Variant(const char* text) : m_v(QString::fromUtf8(text)) {}
    Variant(int number) : m_v(std::int64_t(number)) {}
    Variant(std::int64_t number) : m_v(number) {}
    Variant(Currency amount) : m_v(amount) {}
    Variant(DateValue date) : m_v(date) {}
    Variant(bool flag) : m_v(flag) {}
    Variant(double number) : m_v(number) {}

    static Variant date(double days) { return Variant(DateValue{days}); }

    bool isNull() const { return std::holds_alternative<std::monostate>(m_v); }
    bool isText() const { return std::holds_alternative<QString>(m_v); }

    // Conversions as the host's variant makes them: text of a number is parsed,
    // a number's text is its plain decimal form, a boolean is 0/1 or "True"/"False".
    QString toString() const;
    std::int64_t toInt() const;
    Currency toCurrency() const;
    double toDouble() const;
    double toDate() const; // a day number; 0 for null or empty text
    bool toBool() const;

    bool operator==(const Variant&) const = default;

    using Storage =
        std::variant<std::monostate, QString, std::int64_t, Currency, DateValue, bool, double>;
    const Storage& storage() const { return m_v; }

private:
    Storage m_v;
};

} // namespace arvelo::host
