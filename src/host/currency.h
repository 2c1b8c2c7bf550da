#pragma once

#include <QLocale>
#include <QString>
#include <compare>
#include <cstdint>
#include <optional>

namespace arvelo {

// Money as the host keeps it: a 64-bit integer of ten-thousandths. Sums and
// differences are exact; only division and conversion from floating point round.
class Currency {
public:
    static constexpr std::int64_t Scale = 10000;

    constexpr Currency() = default;
    static constexpr Currency fromRaw(std::int64_t raw) { return Currency(raw); }
    static constexpr Currency fromUnits(std::int64_t units) { return Currency(units * Scale); }
    // Rounds half to even at the fourth decimal, as the host's conversion does.
    static Currency fromDouble(double value);
    // Exact decimal text: optional sign, digits, optional '.' or ',' and up to
    // four decimals (more decimals round half to even). Blanks between digit
    // groups are allowed. Returns nothing for anything else.
    static std::optional<Currency> parse(const QString& text);

    constexpr std::int64_t raw() const { return m_raw; }
    double toDouble() const { return static_cast<double>(m_raw) / Scale; }
    constexpr bool isZero() const { return m_raw == 0; }

    constexpr Currency operator-() const { return Currency(-m_raw); }
    constexpr Currency operator+(Currency o) const { return Currency(m_raw + o.m_raw); }
    constexpr Currency operator-(Currency o) const { return Currency(m_raw - o.m_raw); }
    constexpr Currency& operator+=(Currency o) {
        m_raw += o.m_raw;
        return *this;
    }
    constexpr Currency& operator-=(Currency o) {
        m_raw -= o.m_raw;
        return *this;
    }
    constexpr auto operator<=>(const Currency&) const = default;

    // this * numerator / denominator, rounded half to even at four decimals.
    // Denominator zero gives zero.
    Currency mulDiv(std::int64_t numerator, std::int64_t denominator) const;
    // The share this / whole as a percentage with four decimals (half to even);
    // a zero whole gives zero.
    Currency percentOf(Currency whole) const;
    // Rounds half to even to the given number of decimals (0-4).
    Currency rounded(int decimals) const;

    // "-1234.5000": the exact form for files and machine-readable output.
    QString toPlainString() const;
    // "# ### ### ##0.00" with 0-4 decimals, a blank between groups of three and
    // the locale's decimal separator.
    QString format(int decimals = 2, const QLocale& locale = QLocale()) const;

private:
    constexpr explicit Currency(std::int64_t raw) : m_raw(raw) {}
    std::int64_t m_raw = 0;
};

} // namespace arvelo
