#pragma once

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>

namespace arvelo::app {

// The date separator rule of the start-up: a separator longer than one
// character is trimmed and only its first character kept, and every occurrence
// of it in the short date format is replaced by that character. A separator of
// blanks only has nothing left after trimming; then one blank stays, so that
// dates keep their parts apart. The result is the format and its separator.
struct DateSeparatorRule {
    QString format;
    QString separator;
};
DateSeparatorRule reduceDateSeparator(const QString& shortFormat, const QString& separator);

// The separator a date format uses: the text between its first two fields
// ("d. M. yyyy" gives ". "); empty when the format has fewer than two fields.
QString dateSeparatorOf(const QString& shortFormat);

// The number, date and time formats the program shows and reads: those of the
// process locale, with the date separator rule applied. A two-digit year
// ("yy") becomes four digits, because the host passes and the user types
// dates with the full year and a two-digit year cannot be read back.
class SystemFormats {
public:
    SystemFormats() : SystemFormats(QLocale()) {}
    explicit SystemFormats(const QLocale& locale);

    const QLocale& locale() const { return m_locale; }
    QString shortDateFormat() const { return m_date; }
    QString timeFormat() const { return m_time; }
    QString dateTimeFormat() const { return m_date + u' ' + m_time; }
    QChar decimalPoint() const;

    QString dateText(const QDate& date) const;
    QString dateTimeText(const QDateTime& dateTime) const;
    QString timeText(const QTime& time) const;
    // Invalid when the text does not convert.
    QDate parseDate(const QString& text) const;
    QDateTime parseDateTime(const QString& text) const;
    QTime parseTime(const QString& text) const;
    QString numberText(double value) const;
    // ok false when the text is not a number in the locale's notation.
    double parseNumber(const QString& text, bool* ok) const;

private:
    QLocale m_locale;
    QString m_date;
    QString m_time;
};

// The locale the program runs in: the process locale, or Czech when the
// environment names none (C or POSIX).
QLocale programLocale();

} // namespace arvelo::app
