#include "app/locale_format.h"

namespace arvelo::app {

namespace {
bool isFieldChar(QChar c) {
    return c == u'd' || c == u'M' || c == u'y';
}
} // namespace

QString dateSeparatorOf(const QString& shortFormat) {
    int i = 0;
    const int n = shortFormat.size();
    while (i < n && !isFieldChar(shortFormat[i])) {
        ++i;
    }
    if (i < n) {
        const QChar field = shortFormat[i];
        while (i < n && shortFormat[i] == field) {
            ++i;
        }
    }
    const int start = i;
    while (i < n && !isFieldChar(shortFormat[i])) {
        ++i;
    }
    if (i >= n) {
        return {};
    }
    return shortFormat.mid(start, i - start);
}

DateSeparatorRule reduceDateSeparator(const QString& shortFormat, const QString& separator) {
    if (separator.isEmpty() || separator.size() == 1) {
        return {shortFormat, separator};
    }
    const QString trimmed = separator.trimmed();
    const QString single = trimmed.isEmpty() ? QStringLiteral(" ") : trimmed.left(1);
    QString format = shortFormat;
    format.replace(separator, single);
    return {format, single};
}

SystemFormats::SystemFormats(const QLocale& locale) : m_locale(locale) {
    const QString localeFormat = locale.dateFormat(QLocale::ShortFormat);
    QString format = reduceDateSeparator(localeFormat, dateSeparatorOf(localeFormat)).format;
    if (!format.contains(QStringLiteral("yyyy")) && format.contains(QStringLiteral("yy"))) {
        format.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
    }
    m_date = format;
    m_time = locale.timeFormat(QLocale::LongFormat);
    // Time zone names do not belong in stored or shown times.
    m_time.remove(QStringLiteral(" t")).remove(u't');
    m_time = m_time.trimmed();
}

QChar SystemFormats::decimalPoint() const {
    const QString p = m_locale.decimalPoint();
    return p.isEmpty() ? QChar(u'.') : p.front();
}

QString SystemFormats::dateText(const QDate& date) const {
    return date.isValid() ? m_locale.toString(date, m_date) : QString();
}

QString SystemFormats::dateTimeText(const QDateTime& dateTime) const {
    return dateTime.isValid() ? m_locale.toString(dateTime, dateTimeFormat()) : QString();
}

QString SystemFormats::timeText(const QTime& time) const {
    return time.isValid() ? m_locale.toString(time, m_time) : QString();
}

namespace {
// Days and months typed without their leading zero ("5.3.2026") are dates too.
QString relaxed(QString format) {
    format.replace(QStringLiteral("dd"), QStringLiteral("d"));
    format.replace(QStringLiteral("MM"), QStringLiteral("M"));
    return format;
}
} // namespace

QDate SystemFormats::parseDate(const QString& text) const {
    const QString t = text.trimmed();
    QDate d = m_locale.toDate(t, m_date);
    if (!d.isValid()) {
        d = m_locale.toDate(t, relaxed(m_date));
    }
    if (!d.isValid()) {
        // The date part of a date-and-time text.
        d = m_locale.toDateTime(t, dateTimeFormat()).date();
    }
    return d;
}

QDateTime SystemFormats::parseDateTime(const QString& text) const {
    const QString t = text.trimmed();
    QDateTime dt = m_locale.toDateTime(t, dateTimeFormat());
    if (!dt.isValid()) {
        dt = m_locale.toDateTime(t, relaxed(m_date) + u' ' + m_time);
    }
    if (!dt.isValid()) {
        const QDate d = parseDate(t);
        if (d.isValid()) {
            dt = QDateTime(d, QTime(0, 0));
        }
    }
    return dt;
}

QTime SystemFormats::parseTime(const QString& text) const {
    return m_locale.toTime(text.trimmed(), m_time);
}

QString SystemFormats::numberText(double value) const {
    QLocale l = m_locale;
    l.setNumberOptions(QLocale::OmitGroupSeparator);
    return l.toString(value, 'g', 15);
}

double SystemFormats::parseNumber(const QString& text, bool* ok) const {
    QLocale l = m_locale;
    l.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    return l.toDouble(text.trimmed(), ok);
}

QLocale programLocale() {
    const QLocale system = QLocale::system();
    if (system.language() == QLocale::C) {
        return QLocale(QLocale::Czech, QLocale::Czechia);
    }
    return system;
}

} // namespace arvelo::app
