#include "report/model/prvek.h"

namespace arvelo::report {

QFont TPouzitePismo::ToQFont() const {
    QFont f(name);
    f.setPointSize(size > 0 ? size : 1);
    f.setBold((style & fsBold) != 0);
    f.setItalic((style & fsItalic) != 0);
    f.setUnderline((style & fsUnderline) != 0);
    f.setStrikeOut((style & fsStrikeOut) != 0);
    f.setFixedPitch(fixedPitch);
    return f;
}

TPouzitePismo PouzitePismo(const TPismoPrvku& font, int charPitch,
                           const std::function<bool(const QString&)>& isInstalled) {
    TPouzitePismo p;
    p.style = font.Style;
    p.charAdvance = charPitch;
    if (const auto roman = RomanPismo(font.Name)) {
        p.name = roman->nahradniJmeno;
        p.size = roman->body;
        p.charset = roman->charset;
        p.fixedPitch = true;
        // The element's own pitch, when set, still wins over the device font's.
        if (charPitch == 0)
            p.charAdvance = roman->krokZnaku;
        return p;
    }
    const TPismoVysledek resolved = RozlisitStarePismo(font.Name, font.Charset, isInstalled);
    p.name = resolved.name;
    p.charset = resolved.charset;
    p.size = font.Size;
    return p;
}

void TKolbraReportElement::SetPenWidth(int width) {
    penWidth_ = width < 0 ? 1 : width;
    if (Kind == pkUsecka && penWidth_ > 1)
        penStyle_ = 0;
}

void TKolbraReportElement::SetPenStyle(int style) {
    penStyle_ = (Kind == pkUsecka && penWidth_ > 1) ? 0 : style;
}

QString TKolbraReportElement::NazevDruhu(int kind) {
    switch (kind) {
    case pkGrafickyText:
        return QStringLiteral("Grafický text");
    case pkPolozka:
        return QStringLiteral("Položka tabulky");
    case pkPopisPolozky:
        return QStringLiteral("Popis položky");
    case pkParametr:
        return QStringLiteral("Parametr");
    case pkPromenna:
        return QStringLiteral("Proměnná");
    case pkFunkce:
        return QStringLiteral("Funkce");
    case pkUsecka:
        return QStringLiteral("Úsečka");
    case pkRamecek:
        return QStringLiteral("Rámeček");
    case pkZaoblenyRamecek:
        return QStringLiteral("Zaoblený rámeček");
    case pkElipsa:
        return QStringLiteral("Elipsa");
    case pkObrazek:
        return QStringLiteral("Obrázek");
    case pkCarovyKod:
        return QStringLiteral("Čárový kód");
    case pkKresliciPlocha:
        return QStringLiteral("Kreslicí plocha");
    default:
        return QStringLiteral("Neznámý");
    }
}

} // namespace arvelo::report
