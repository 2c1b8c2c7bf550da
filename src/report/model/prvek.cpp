#include "report/model/prvek.h"

namespace arvelo::report {

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
