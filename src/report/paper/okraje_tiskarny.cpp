#include "report/paper/okraje_tiskarny.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <cmath>

namespace arvelo::report {

namespace {

int NaSetinyPalce(int pixels, int dpi) {
    if (dpi <= 0)
        return 0;
    return static_cast<int>(std::lround(pixels * 100.0 / dpi));
}

} // namespace

TMetrikyTiskarny MetrikyBezTiskarny(const TPageSetup& setup) {
    TMetrikyTiskarny m;
    m.nasirko = setup.nasirko;
    m.fyzickaSirka = setup.SirkaStranky();
    m.fyzickaVyska = setup.VyskaStranky();
    m.tisknutelnaSirka = m.fyzickaSirka;
    m.tisknutelnaVyska = m.fyzickaVyska;
    return m;
}

TMetrikyTiskarny MetrikyTiskarny(const QPrinterInfo& info, const TPageSetup& setup) {
    if (info.isNull())
        return MetrikyBezTiskarny(setup);
    QPrinter printer(info, QPrinter::HighResolution);
    const QPageSize size(QSizeF(setup.sirkaPapiru / 100.0, setup.vyskaPapiru / 100.0),
                         QPageSize::Inch);
    printer.setPageSize(size);
    printer.setPageOrientation(setup.nasirko ? QPageLayout::Landscape : QPageLayout::Portrait);
    TMetrikyTiskarny m;
    m.tiskarna = true;
    m.nasirko = printer.pageLayout().orientation() == QPageLayout::Landscape;
    m.dpiX = printer.resolution();
    m.dpiY = printer.resolution();
    const QPageLayout layout = printer.pageLayout();
    const QRect paper = layout.fullRectPixels(printer.resolution());
    const QMargins minimum = layout.minimumMargins().toMargins();
    const double pixelsPerUnit = printer.resolution() / 72.0; // margins are in points
    m.offsetX = static_cast<int>(std::lround(minimum.left() * pixelsPerUnit));
    m.offsetY = static_cast<int>(std::lround(minimum.top() * pixelsPerUnit));
    m.fyzickaSirka = paper.width();
    m.fyzickaVyska = paper.height();
    m.tisknutelnaSirka =
        paper.width() - m.offsetX - static_cast<int>(std::lround(minimum.right() * pixelsPerUnit));
    m.tisknutelnaVyska = paper.height() - m.offsetY -
                         static_cast<int>(std::lround(minimum.bottom() * pixelsPerUnit));
    return m;
}

TMetrikyTiskarny MetrikyVychoziTiskarny(const TPageSetup& setup) {
    if (QPrinterInfo::availablePrinters().isEmpty())
        return MetrikyBezTiskarny(setup);
    return MetrikyTiskarny(QPrinterInfo::defaultPrinter(), setup);
}

std::optional<TMetrikyTiskarny> MetrikyTiskarnyPodleIndexu(int index, const TPageSetup& setup) {
    const QList<QPrinterInfo> printers = QPrinterInfo::availablePrinters();
    if (index < 0 || index >= printers.size())
        return std::nullopt;
    return MetrikyTiskarny(printers[index], setup);
}

TMinimalniOkraje MinimalniOkraje(const TMetrikyTiskarny& m) {
    TMinimalniOkraje o;
    o.levy = NaSetinyPalce(m.offsetX, m.dpiX);
    o.horni = NaSetinyPalce(m.offsetY, m.dpiY);
    o.pravy = NaSetinyPalce(m.fyzickaSirka - m.tisknutelnaSirka - m.offsetX, m.dpiX);
    o.dolni = NaSetinyPalce(m.fyzickaVyska - m.tisknutelnaVyska - m.offsetY, m.dpiY);
    return o;
}

bool OkrajeStaci(const TPageSetup& setup, const TMetrikyTiskarny& metrics) {
    if (!metrics.tiskarna)
        return true;
    const TMinimalniOkraje o = MinimalniOkraje(metrics);
    return setup.levyOkraj >= o.levy && setup.horniOkraj >= o.horni &&
           setup.pravyOkraj >= o.pravy && setup.dolniOkraj >= o.dolni;
}

TVysledekOkraju ZkontrolujOkraje(TPageSetup& setup, const TMetrikyTiskarny& metrics,
                                 TSestDialogy& dialogy) {
    if (OkrajeStaci(setup, metrics))
        return TVysledekOkraju::Zavrit;
    const auto answer = dialogy.Otazka(
        QStringLiteral("Potvrzení"),
        QStringLiteral("Nastavené okraje tisku jsou menší, než umožňuje připojená tiskárna. "
                       "Upravit velikost okrajů podle možností tiskárny?"),
        true);
    if (answer == TSestDialogy::TOdpoved::Zrusit)
        return TVysledekOkraju::NechatOtevreno;
    if (answer == TSestDialogy::TOdpoved::Ano) {
        const TMinimalniOkraje o = MinimalniOkraje(metrics);
        setup.levyOkraj = std::max(setup.levyOkraj, o.levy);
        setup.horniOkraj = std::max(setup.horniOkraj, o.horni);
        setup.pravyOkraj = std::max(setup.pravyOkraj, o.pravy);
        setup.dolniOkraj = std::max(setup.dolniOkraj, o.dolni);
    }
    return TVysledekOkraju::Zavrit;
}

} // namespace arvelo::report
