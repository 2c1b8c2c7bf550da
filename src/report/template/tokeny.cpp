#include "report/template/tokeny.h"

namespace arvelo::report {

QString TCtecTokenu::Text() {
    if (zbytek_.isEmpty()) {
        konec_ = true;
        return QString();
    }
    QString token;
    qsizetype pos = 0;
    const qsizetype n = zbytek_.size();
    if (zbytek_.at(0) == QLatin1Char('"')) {
        pos = 1;
        while (pos < n) {
            const QChar ch = zbytek_.at(pos);
            if (ch == QLatin1Char('"')) {
                if (pos + 1 < n && zbytek_.at(pos + 1) == QLatin1Char('"')) {
                    token.append(QLatin1Char('"'));
                    pos += 2;
                    continue;
                }
                ++pos; // closing quote
                break;
            }
            token.append(ch);
            ++pos;
        }
    }
    // Unquoted text, or what follows the closing quote, runs to the next comma.
    const qsizetype comma = zbytek_.indexOf(QLatin1Char(','), pos);
    if (comma < 0) {
        token.append(QStringView(zbytek_).mid(pos));
        zbytek_.clear();
    } else {
        token.append(QStringView(zbytek_).mid(pos, comma - pos));
        zbytek_.remove(0, comma + 1);
    }
    return token;
}

int CtiCeleCislo(const QString& token, int deflt) {
    bool ok = false;
    const int n = token.trimmed().toInt(&ok, 10);
    return ok ? n : deflt;
}

int TCtecTokenu::Cislo(int deflt) {
    return CtiCeleCislo(Text(), deflt);
}

bool TCtecTokenu::Priznak() {
    return Cislo(0) != 0;
}

QStringList RozdelZaznam(const QString& record) {
    QStringList tokens;
    TCtecTokenu reader(record);
    while (true) {
        QString t = reader.Text();
        if (reader.Konec())
            break;
        tokens.append(std::move(t));
    }
    return tokens;
}

QString UvozenyText(const QString& text) {
    QString doubled = text;
    doubled.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + doubled + QLatin1Char('"');
}

} // namespace arvelo::report
