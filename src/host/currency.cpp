#include "host/currency.h"

#include <cmath>
#include <cstdlib>

namespace arvelo {

namespace {

// Divides with rounding half to even; d > 0.
std::int64_t divRoundHalfEven(__int128 n, __int128 d) {
    __int128 q = n / d;
    __int128 r = n % d;
    if (r < 0) {
        r = -r;
    }
    const __int128 twice = 2 * r;
    if (twice > d || (twice == d && (q % 2 != 0))) {
        q += (n < 0) ? -1 : 1;
    }
    return static_cast<std::int64_t>(q);
}

} // namespace

Currency Currency::fromDouble(double value) {
    const double scaled = value * Scale;
    return Currency(static_cast<std::int64_t>(std::nearbyint(scaled)));
}

std::optional<Currency> Currency::parse(const QString& input) {
    const QString text = input.trimmed();
    int i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    __int128 units = 0;
    int intDigits = 0;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isDigit() && c.unicode() < 128) {
            units = units * 10 + (c.unicode() - u'0');
            if (units > (__int128(1) << 62) / Scale) {
                return std::nullopt;
            }
            ++intDigits;
        } else if (c == u' ' || c == QChar(0x00A0)) {
            if (intDigits == 0) {
                return std::nullopt;
            }
        } else {
            break;
        }
    }
    __int128 fraction = 0;
    int fracDigits = 0;
    if (i < text.size() && (text[i] == u'.' || text[i] == u',')) {
        ++i;
        for (; i < text.size(); ++i) {
            const QChar c = text[i];
            if (!(c.isDigit() && c.unicode() < 128)) {
                break;
            }
            if (fracDigits < 18) {
                fraction = fraction * 10 + (c.unicode() - u'0');
                ++fracDigits;
            }
        }
    }
    if (i != text.size() || (intDigits == 0 && fracDigits == 0)) {
        return std::nullopt;
    }
    __int128 raw = units * Scale;
    if (fracDigits <= 4) {
        __int128 f = fraction;
        for (int k = fracDigits; k < 4; ++k) {
            f *= 10;
        }
        raw += f;
    } else {
        __int128 div = 1;
        for (int k = 4; k < fracDigits; ++k) {
            div *= 10;
        }
        raw += divRoundHalfEven(fraction, div);
    }
    return Currency(static_cast<std::int64_t>(negative ? -raw : raw));
}

Currency Currency::mulDiv(std::int64_t numerator, std::int64_t denominator) const {
    if (denominator == 0) {
        return Currency();
    }
    __int128 n = __int128(m_raw) * numerator;
    __int128 d = denominator;
    if (d < 0) {
        n = -n;
        d = -d;
    }
    return Currency(divRoundHalfEven(n, d));
}

Currency Currency::percentOf(Currency whole) const {
    if (whole.m_raw == 0) {
        return Currency();
    }
    // (this / whole) * 100, kept at four decimals.
    __int128 n = __int128(m_raw) * 100 * Scale;
    __int128 d = whole.m_raw;
    if (d < 0) {
        n = -n;
        d = -d;
    }
    return Currency(divRoundHalfEven(n, d));
}

Currency Currency::rounded(int decimals) const {
    if (decimals >= 4) {
        return *this;
    }
    std::int64_t step = 1;
    for (int k = decimals < 0 ? 0 : decimals; k < 4; ++k) {
        step *= 10;
    }
    return Currency(divRoundHalfEven(m_raw, step) * step);
}

QString Currency::toPlainString() const {
    const std::uint64_t magnitude =
        m_raw < 0 ? std::uint64_t(0) - std::uint64_t(m_raw) : std::uint64_t(m_raw);
    QString text = QString::number(magnitude / Scale) + u'.' +
                   QStringLiteral("%1").arg(magnitude % Scale, 4, 10, QChar(u'0'));
    return m_raw < 0 ? u'-' + text : text;
}

QString Currency::format(int decimals, const QLocale& locale) const {
    if (decimals < 0) {
        decimals = 0;
    }
    if (decimals > 4) {
        decimals = 4;
    }
    const Currency r = rounded(decimals);
    const std::int64_t raw = r.m_raw;
    const std::uint64_t magnitude =
        raw < 0 ? std::uint64_t(0) - std::uint64_t(raw) : std::uint64_t(raw);
    const QString digits = QString::number(magnitude / Scale);
    QString grouped;
    grouped.reserve(digits.size() + digits.size() / 3 + 8);
    for (int i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            grouped += u' ';
        }
        grouped += digits[i];
    }
    if (decimals > 0) {
        std::uint64_t frac = magnitude % Scale;
        for (int k = decimals; k < 4; ++k) {
            frac /= 10;
        }
        grouped += locale.decimalPoint();
        grouped += QStringLiteral("%1").arg(frac, decimals, 10, QChar(u'0'));
    }
    return raw < 0 ? u'-' + grouped : grouped;
}

} // namespace arvelo
