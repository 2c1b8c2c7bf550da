#include "report/expr/number_text.h"

#include <charconv>
#include <cmath>
#include <string>

namespace arvelo::report {

namespace {

// The locale's decimal separator as one character ("," or ".").
QChar DesetinnyOddelovac(const QLocale& locale) {
    const QString tecka = locale.decimalPoint();
    return tecka.isEmpty() ? QChar('.') : tecka.at(0);
}

// Reads a whole ASCII text as a finite double; false for anything else.
bool CtiDouble(const std::string& text, double* cislo) {
    if (text.empty())
        return false;
    double v = 0.0;
    const char* konec = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), konec, v);
    if (ec != std::errc() || ptr != konec || !std::isfinite(v))
        return false;
    *cislo = v;
    return true;
}

} // namespace

double TextNaCislo(const QString& text, const QLocale& locale) {
    const QChar oddelovac = DesetinnyOddelovac(locale);
    QString s = text;
    int zacatek = 0;
    while (zacatek < s.size() && s.at(zacatek) == QChar(' '))
        ++zacatek;
    s = s.mid(zacatek);
    if (oddelovac == QChar(',')) {
        const int i = s.indexOf(QChar('.'));
        if (i >= 0)
            s[i] = QChar(',');
    } else if (oddelovac == QChar('.')) {
        const int i = s.indexOf(QChar(','));
        if (i >= 0)
            s[i] = QChar('.');
    }
    if (s.isEmpty())
        return 0.0;
    if (!s.at(0).isDigit() && s.at(0) != QChar('-'))
        return 0.0;
    std::string ascii;
    ascii.reserve(size_t(s.size()));
    for (int i = 0; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (c >= QChar('0') && c <= QChar('9'))
            ascii.push_back(char(c.unicode()));
        else if (c == QChar('E') || c == QChar('e'))
            ascii.push_back('e');
        else if (c == oddelovac)
            ascii.push_back('.');
        else if (c == QChar('-') && i == 0)
            ascii.push_back('-');
        else
            return 0.0;
    }
    double cislo = 0.0;
    return CtiDouble(ascii, &cislo) ? cislo : 0.0;
}

bool PrevodNaCislo(const QString& text, const QLocale& locale, double* cislo) {
    const QChar oddelovac = DesetinnyOddelovac(locale);
    const QString s = text.trimmed();
    std::string ascii;
    ascii.reserve(size_t(s.size()));
    for (int i = 0; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (c >= QChar('0') && c <= QChar('9'))
            ascii.push_back(char(c.unicode()));
        else if (c == QChar('E') || c == QChar('e'))
            ascii.push_back('e');
        else if (c == oddelovac)
            ascii.push_back('.');
        else if (c == QChar('-'))
            ascii.push_back('-');
        else if (c == QChar('+')) {
            // from_chars takes no "+" in front of the number, only in the exponent.
            if (i != 0)
                ascii.push_back('+');
        } else
            return false;
    }
    if (!ascii.empty() && ascii.front() == '+')
        return false;
    if (!s.isEmpty() && s.at(0) == QChar('+') && (ascii.empty() || ascii.front() == '-'))
        return false;
    return CtiDouble(ascii, cislo);
}

} // namespace arvelo::report
