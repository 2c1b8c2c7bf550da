#include "report/render/tisk.h"

#include "report/render/kolbra_canvas.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPrinter>
#include <QThread>
#include <algorithm>

namespace arvelo::report {

bool JeTextovaTiskarna(const QString& ovladac) {
    const QString d = ovladac.trimmed();
    return d.compare(QStringLiteral("Generic / Text Only"), Qt::CaseInsensitive) == 0 ||
           d.compare(QStringLiteral("Obecná nebo jen textová"), Qt::CaseInsensitive) == 0 ||
           // The CUPS name of the same driver.
           d.compare(QStringLiteral("Generic Text-Only Printer"), Qt::CaseInsensitive) == 0;
}

TSestError TiskniGraficky(const TSestVystup& vystup, const TPageSetup& stranka, QPrinter& printer,
                          const TParametryTisku& parametry) {
    if (QCoreApplication::instance() == nullptr ||
        QThread::currentThread() != QCoreApplication::instance()->thread())
        return TSestError::seNotDone;
    const int prvni = std::max(1, parametry.prvniStrana);
    const int posledni = std::min(parametry.posledniStrana, vystup.PocetStran());
    if (vystup.PocetStran() == 0 || prvni > posledni)
        return TSestError::seOK;

    if (!stranka.zmenitelnaOrientace)
        printer.setPageOrientation(stranka.nasirko ? QPageLayout::Landscape
                                                   : QPageLayout::Portrait);
    const double dpiX = printer.logicalDpiX();
    const double dpiY = printer.logicalDpiY();
    const double sx = dpiX / 100.0;
    const double sy = dpiY / 100.0;
    const QRect cela = printer.pageLayout().fullRectPixels(printer.resolution());
    const QRect tisknutelna = printer.pageLayout().paintRectPixels(printer.resolution());
    const int posunX = static_cast<int>((tisknutelna.left() - cela.left()) / sx);
    const int posunY = static_cast<int>((tisknutelna.top() - cela.top()) / sy);
    const int tiskarnaSirka = static_cast<int>(cela.width() / sx);
    const int tiskarnaVyska = static_cast<int>(cela.height() / sy);
    const int originX = stranka.levyOkraj - posunX;
    const int originY = stranka.horniOkraj - posunY;

    TListyTisku listy;
    int listSirka = tiskarnaSirka;
    int listVyska = tiskarnaVyska;
    if (!TiskJednaKuJedne(tiskarnaSirka, tiskarnaVyska, stranka.SirkaStranky(),
                          stranka.VyskaStranky())) {
        if (!parametry.moznostiTisku)
            return TSestError::seCancelled;
        const auto volba = parametry.moznostiTisku(stranka.SirkaStranky(), stranka.VyskaStranky(),
                                                   tiskarnaSirka, tiskarnaVyska);
        if (!volba)
            return TSestError::seCancelled;
        listy = *volba;
        listSirka = std::max(1, tiskarnaSirka - stranka.levyOkraj - stranka.pravyOkraj);
        listVyska = std::max(1, tiskarnaVyska - stranka.horniOkraj - stranka.dolniOkraj);
    }

    const int kopie = std::max(1, parametry.kopie);
    printer.setCopyCount(kopie);
    // A driver that ignores the copies gets the whole job that many times.
    const int opakovani = printer.copyCount() == 1 ? kopie : 1;
    printer.setDocName(parametry.popis);
    const double zoom = listy.zoom / 100.0;
    for (int k = 0; k < opakovani; ++k) {
        QPainter painter;
        if (!painter.begin(&printer))
            return TSestError::seWriteOutput;
        TQtCanvas canvas(painter, 100);
        bool prvniList = true;
        for (int i = prvni; i <= posledni; ++i) {
            for (int radek = 0; radek < listy.dolu; ++radek) {
                for (int sloupec = 0; sloupec < listy.napric; ++sloupec) {
                    if (parametry.prerusit && parametry.prerusit()) {
                        printer.abort();
                        return TSestError::seCancelled;
                    }
                    if (!prvniList)
                        printer.newPage();
                    prvniList = false;
                    // The page is drawn straight onto the printer at its resolution and the
                    // zoom: the same elements, order and positions as its metafile, without
                    // a recording in between.
                    const double x = originX - sloupec * listSirka;
                    const double y = originY - radek * listVyska;
                    vystup.KresliStranu(canvas, i - 1, sx * zoom, sy * zoom, x / zoom, y / zoom);
                }
            }
        }
        painter.end();
    }
    return TSestError::seOK;
}

} // namespace arvelo::report
