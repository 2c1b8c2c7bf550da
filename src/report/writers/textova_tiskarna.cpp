#include "report/writers/textova_tiskarna.h"

#include "report/render/vystup.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QThread>
#include <cmath>

namespace arvelo::report::writers {

namespace {

// The printer's fixed-pitch font of a pitch: the metric twin of Courier New, sized so that
// its advance is one column.
QFont PismoTiskarny(int cpi, bool tucne, double dpiX) {
    QFont f(QStringLiteral("Courier New"));
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    f.setBold(tucne);
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(dpiX / cpi / 0.6))));
    return f;
}

} // namespace

void KresliZnakovouStranu(QPainter& painter, const TZnakovePole& pole, double dpiX, double) {
    const QFontMetricsF mereni(PismoTiskarny(10, false, dpiX), painter.device());
    // One grid line per text height of "X" in the 10 cpi font.
    const double radek = mereni.height();
    const double ascent = mereni.ascent();
    for (int i = 0; i < pole.PocetRadku(); ++i) {
        const TZnakovyRadek& r = pole.Radek(i);
        for (int vrstva = 0; vrstva < kPocetVrstev; ++vrstva) {
            const QString& text = r.vrstvy[static_cast<std::size_t>(vrstva)];
            if (text.trimmed().isEmpty())
                continue;
            const int cpi = kZnakuNaPalec[static_cast<std::size_t>(vrstva / 8)];
            painter.setFont(PismoTiskarny(cpi, (vrstva & 1) != 0, dpiX));
            painter.setPen(Qt::black);
            for (int s = 0; s < text.size(); ++s) {
                if (text[s] != QLatin1Char(' '))
                    painter.drawText(QPointF(s * dpiX / cpi, i * radek + ascent), QString(text[s]));
            }
        }
    }
}

TSestError TiskniTextove(const TSestVystup& vystup, const TNastaveniExportu& nastaveni,
                         QPrinter& printer) {
    const TRozsahStran rozsah = RozsahStran(vystup);
    if (rozsah.Prazdny())
        return TSestError::seOK;
    if (!printer.outputFileName().isEmpty())
        return ExportText(vystup, nastaveni, printer.outputFileName());
    if (QCoreApplication::instance() == nullptr ||
        QThread::currentThread() != QCoreApplication::instance()->thread())
        return TSestError::seNotDone;
    printer.setDocName(nastaveni.popis);
    QPainter painter;
    if (!painter.begin(&printer))
        return TSestError::seWriteOutput;
    bool prvni = true;
    for (int kopie = 0; kopie < std::max(1, nastaveni.kopie); ++kopie) {
        for (int s = rozsah.od; s <= rozsah.po; ++s) {
            if (nastaveni.Preruseno()) {
                printer.abort();
                return TSestError::seCancelled;
            }
            if (!prvni)
                printer.newPage();
            prvni = false;
            KresliZnakovouStranu(painter, ZnakovePoleStrany(vystup, s, nastaveni),
                                 printer.logicalDpiX(), printer.logicalDpiY());
        }
    }
    return painter.end() ? TSestError::seOK : TSestError::seWriteOutput;
}

} // namespace arvelo::report::writers
