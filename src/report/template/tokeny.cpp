#include "report/template/tokeny.h"

namespace arvelo::report {

QString TCtecTokenu::Text() {
    const qsizetype n = zaznam_.size();
    if (pozice_ >= n) {
        konec_ = true;
        return QString();
    }
    QString token;
    qsizetype pos = pozice_;
    if (zaznam_.at(pos) == QLatin1Char('"')) {
        ++pos;
        while (pos < n) {
            const QChar ch = zaznam_.at(pos);
            if (ch == QLatin1Char('"')) {
                if (pos + 1 < n && zaznam_.at(pos + 1) == QLatin1Char('"')) {
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
    const qsizetype comma = zaznam_.indexOf(QLatin1Char(','), pos);
    const qsizetype end = comma < 0 ? n : comma;
    token.append(QStringView(zaznam_).mid(pos, end - pos));
    pozice_ = comma < 0 ? n : comma + 1;
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
