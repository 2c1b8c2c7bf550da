#include "report/model/palette.h"

#include <QFontDatabase>
#include <QGuiApplication>

namespace arvelo::report {

int BarvaNaIndex(TBarva barva) {
    for (int i = static_cast<int>(kPaleta.size()) - 1; i >= 0; --i) {
        if (kPaleta[static_cast<std::size_t>(i)] == barva)
            return i;
    }
    return 0;
}

TBarva IndexNaBarvu(int index) {
    if (index < 0 || index >= static_cast<int>(kPaleta.size()))
        return kCerna;
    return kPaleta[static_cast<std::size_t>(index)];
}

QColor BarvaNaQColor(TBarva barva) {
    return QColor(static_cast<int>(barva & 0xFF), static_cast<int>((barva >> 8) & 0xFF),
                  static_cast<int>((barva >> 16) & 0xFF));
}

TBarva QColorNaBarvu(const QColor& color) {
    return static_cast<TBarva>(color.red()) | (static_cast<TBarva>(color.green()) << 8) |
           (static_cast<TBarva>(color.blue()) << 16);
}

int ZnakovaSadaZIndexu(int index) {
    if (index < 0 || index >= static_cast<int>(kZnakoveSady.size()))
        return kDefaultCharset;
    return kZnakoveSady[static_cast<std::size_t>(index)];
}

int IndexZnakoveSady(int charset) {
    for (std::size_t i = 0; i < kZnakoveSady.size(); ++i) {
        if (kZnakoveSady[i] == charset)
            return static_cast<int>(i);
    }
    return -1;
}

int VelikostPismaZPredlohy(int value) {
    if (value >= 0)
        return value;
    // Widened so that a hostile template value cannot overflow.
    return static_cast<int>(-static_cast<long long>(value) * 72 / 100);
}

TPismoVysledek RozlisitStarePismo(const QString& name, int charset,
                                  const std::function<bool(const QString&)>& isInstalled) {
    struct Pripona {
        const char* text;
        int charset;
    };
    static constexpr Pripona kPripony[] = {
        {" CE", 238}, {" Greek", 161}, {" TUR", 162}, {" Baltic", 186}, {" CYR", 204}};
    for (const auto& p : kPripony) {
        const QString suffix = QString::fromLatin1(p.text);
        if (name.endsWith(suffix) && !(isInstalled && isInstalled(name)))
            return {name.left(name.size() - suffix.size()), p.charset};
    }
    return {name, charset};
}

bool JePismoNainstalovano(const QString& name) {
    if (QGuiApplication::instance() == nullptr)
        return false;
    return QFontDatabase::families().contains(name, Qt::CaseInsensitive);
}

std::optional<TRomanPismo> RomanPismo(const QString& name) {
    if (!name.startsWith(QStringLiteral("Roman ")))
        return std::nullopt;
    QString rest = name.mid(6).trimmed();
    if (rest.endsWith(QStringLiteral("cpi"), Qt::CaseInsensitive))
        rest.chop(3);
    bool ok = false;
    int cpi = rest.trimmed().toInt(&ok);
    if (!ok || (cpi != 10 && cpi != 12 && cpi != 17))
        cpi = 10;
    TRomanPismo r;
    r.cpi = cpi;
    r.nahradniJmeno = QStringLiteral("Courier New");
    r.body = cpi == 12 ? 10 : (cpi == 17 ? 8 : 11);
    r.charset = kEastEuropeCharset;
    r.krokZnaku = 100.0 / cpi;
    return r;
}

} // namespace arvelo::report
