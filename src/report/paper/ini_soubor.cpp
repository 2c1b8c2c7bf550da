#include "report/paper/ini_soubor.h"

#include <QFile>
#include <QSaveFile>

namespace arvelo::report {

namespace {

bool JeSekce(const QString& line, QString* name) {
    const QString t = line.trimmed();
    if (t.size() < 2 || !t.startsWith(QLatin1Char('[')))
        return false;
    const auto close = t.indexOf(QLatin1Char(']'));
    if (close < 0)
        return false;
    if (name != nullptr)
        *name = t.mid(1, close - 1).trimmed();
    return true;
}

bool JeKlic(const QString& line, QString* key, QString* value) {
    const QString t = line.trimmed();
    if (t.isEmpty() || t.startsWith(QLatin1Char(';')) || t.startsWith(QLatin1Char('#')))
        return false;
    const auto eq = line.indexOf(QLatin1Char('='));
    if (eq <= 0)
        return false;
    if (key != nullptr)
        *key = line.left(eq).trimmed();
    if (value != nullptr)
        *value = line.mid(eq + 1).trimmed();
    return true;
}

} // namespace

bool TIniSoubor::Nacti(const QString& path) {
    QFile f(path);
    if (!f.exists()) {
        NastavText(QString());
        return true;
    }
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const TDecodedText decoded = DecodeFileText(f.readAll());
    NastavText(decoded.text, decoded.kodovani);
    return true;
}

void TIniSoubor::NastavText(const QString& text, TKodovani kodovani) {
    kodovani_ = kodovani;
    konecRadku_ = text.contains(QStringLiteral("\r\n")) || !text.contains(QLatin1Char('\n'))
                      ? QStringLiteral("\r\n")
                      : QStringLiteral("\n");
    QString body = text;
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    koncovyRadek_ = body.isEmpty() || body.endsWith(QLatin1Char('\n'));
    if (body.endsWith(QLatin1Char('\n')))
        body.chop(1);
    radky_ = body.isEmpty() ? QStringList() : body.split(QLatin1Char('\n'));
    zmeneno_ = false;
}

QString TIniSoubor::Text() const {
    QString out = radky_.join(konecRadku_);
    if (koncovyRadek_ && !radky_.isEmpty())
        out += konecRadku_;
    return out;
}

bool TIniSoubor::Uloz(const QString& path) const {
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = EncodeText(Text(), kodovani_);
    if (f.write(bytes) != bytes.size())
        return false;
    return f.commit();
}

int TIniSoubor::NajdiSekci(const QString& section) const {
    for (int i = 0; i < radky_.size(); ++i) {
        QString name;
        if (JeSekce(radky_[i], &name) && name.compare(section, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int TIniSoubor::KonecSekce(int sectionLine) const {
    int end = sectionLine + 1;
    while (end < radky_.size() && !JeSekce(radky_[end], nullptr))
        ++end;
    // New keys go after the last non-blank line of the section.
    while (end > sectionLine + 1 && radky_[end - 1].trimmed().isEmpty())
        --end;
    return end;
}

int TIniSoubor::NajdiKlic(const QString& section, const QString& key) const {
    const int s = NajdiSekci(section);
    if (s < 0)
        return -1;
    for (int i = s + 1; i < radky_.size() && !JeSekce(radky_[i], nullptr); ++i) {
        QString k;
        if (JeKlic(radky_[i], &k, nullptr) && k.compare(key, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

std::optional<QString> TIniSoubor::Hodnota(const QString& section, const QString& key) const {
    const int i = NajdiKlic(section, key);
    if (i < 0)
        return std::nullopt;
    QString value;
    JeKlic(radky_[i], nullptr, &value);
    return value;
}

QString TIniSoubor::Hodnota(const QString& section, const QString& key,
                            const QString& deflt) const {
    return Hodnota(section, key).value_or(deflt);
}

int TIniSoubor::CeleCislo(const QString& section, const QString& key, int deflt) const {
    const auto v = Hodnota(section, key);
    if (!v)
        return deflt;
    bool ok = false;
    const int n = v->toInt(&ok);
    return ok ? n : deflt;
}

void TIniSoubor::Nastav(const QString& section, const QString& key, const QString& value) {
    const int i = NajdiKlic(section, key);
    if (i >= 0) {
        QString current;
        JeKlic(radky_[i], nullptr, &current);
        if (current == value)
            return;
        const auto eq = radky_[i].indexOf(QLatin1Char('='));
        radky_[i] = radky_[i].left(eq + 1) + value;
        zmeneno_ = true;
        return;
    }
    const int s = NajdiSekci(section);
    if (s < 0) {
        if (!radky_.isEmpty() && !radky_.last().trimmed().isEmpty())
            radky_.append(QString());
        radky_.append(QLatin1Char('[') + section + QLatin1Char(']'));
        radky_.append(key + QLatin1Char('=') + value);
    } else {
        radky_.insert(KonecSekce(s), key + QLatin1Char('=') + value);
    }
    koncovyRadek_ = true;
    zmeneno_ = true;
}

void TIniSoubor::Smaz(const QString& section, const QString& key) {
    const int i = NajdiKlic(section, key);
    if (i >= 0) {
        radky_.removeAt(i);
        zmeneno_ = true;
    }
}

} // namespace arvelo::report
