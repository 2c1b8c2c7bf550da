#pragma once

#include "ui/mem_table.h"
#include "ui/text_fold.h"

#include <bit>
#include <cstdint>

// Comparing and hashing field values by the field's type. A null value reads
// as the empty value of the type (empty text, 0, false), as the host does.
namespace arvelo::ui::values {

// The text of a value without a copy when it holds text.
inline QStringView textOf(const Value& v, QString& scratch) {
    if (const auto* s = std::get_if<QString>(&v.storage())) {
        return *s;
    }
    if (v.isNull()) {
        return {};
    }
    scratch = v.toString();
    return scratch;
}

inline Currency currencyOf(const Value& v) {
    if (const auto* c = std::get_if<Currency>(&v.storage())) {
        return *c;
    }
    return v.toCurrency();
}

inline std::int64_t intOf(const Value& v) {
    if (const auto* i = std::get_if<std::int64_t>(&v.storage())) {
        return *i;
    }
    return v.toInt();
}

template <class T> int threeWay(const T& a, const T& b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

inline int compare(FieldType type, const Value& a, const Value& b, bool caseInsensitive) {
    switch (type) {
    case FieldType::Text: {
        QString sa;
        QString sb;
        return fold::compare(textOf(a, sa), textOf(b, sb), caseInsensitive);
    }
    case FieldType::Integer:
        return threeWay(intOf(a), intOf(b));
    case FieldType::Amount:
        return threeWay(currencyOf(a), currencyOf(b));
    case FieldType::Date:
        return threeWay(a.toDate(), b.toDate());
    case FieldType::Boolean:
        return threeWay(int(a.toBool()), int(b.toBool()));
    case FieldType::Float:
        return threeWay(a.toDouble(), b.toDouble());
    }
    return 0;
}

inline bool equal(FieldType type, const Value& a, const Value& b, bool caseInsensitive) {
    if (type == FieldType::Text) {
        QString sa;
        QString sb;
        return fold::equal(textOf(a, sa), textOf(b, sb), caseInsensitive);
    }
    return compare(type, a, b, caseInsensitive) == 0;
}

inline std::uint64_t hash(FieldType type, const Value& v, bool caseInsensitive,
                          std::uint64_t seed) {
    std::uint64_t bits = 0;
    switch (type) {
    case FieldType::Text: {
        QString scratch;
        return fold::hash(textOf(v, scratch), caseInsensitive, seed);
    }
    case FieldType::Integer:
        bits = static_cast<std::uint64_t>(intOf(v));
        break;
    case FieldType::Amount:
        bits = static_cast<std::uint64_t>(currencyOf(v).raw());
        break;
    case FieldType::Date:
    case FieldType::Float: {
        const double d = type == FieldType::Date ? v.toDate() : v.toDouble();
        bits = d == 0.0 ? 0 : std::bit_cast<std::uint64_t>(d); // -0 equals 0
        break;
    }
    case FieldType::Boolean:
        bits = v.toBool() ? 1 : 0;
        break;
    }
    return fold::mix(seed ^ (bits + 0x9e3779b97f4a7c15ULL));
}

} // namespace arvelo::ui::values
