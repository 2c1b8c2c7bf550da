#include "report/writers/pdf_svg.h"

#include "report/render/kolbra_canvas.h"
#include "report/render/vystup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

namespace arvelo::report::writers {

namespace {

// A temporary name beside the target, renamed over it once the file is complete.
class TDocasnySoubor {
public:
    explicit TDocasnySoubor(QString cil)
        : cil_(std::move(cil)), docasny_(cil_ + QStringLiteral(".part")) {}
    ~TDocasnySoubor() {
        if (!hotovo_)
            QFile::remove(docasny_);
    }
    TDocasnySoubor(const TDocasnySoubor&) = delete;
    TDocasnySoubor& operator=(const TDocasnySoubor&) = delete;

    const QString& Jmeno() const { return docasny_; }
    bool Dokonci() {
        if (QFileInfo(docasny_).size() <= 0)
            return false;
        QFile::remove(cil_);
        hotovo_ = QFile::rename(docasny_, cil_);
        return hotovo_;
    }

private:
    QString cil_;
    QString docasny_;
    bool hotovo_ = false;
};

} // namespace

TSestError ExportPdf(const TSestVystup& vystup, const TNastaveniExportu& nastaveni,
                     const QString& soubor) {
    const TRozsahStran rozsah = RozsahStran(vystup);
    if (rozsah.Prazdny())
        return TSestError::seNotDone;
    const TPageSetup& st = nastaveni.stranka;
    TDocasnySoubor docasny(soubor);
    {
        QPdfWriter pdf(docasny.Jmeno());
        pdf.setTitle(nastaveni.popis);
        pdf.setCreator(QStringLiteral("Arvelo"));
        constexpr int kRozliseni = 600;
        pdf.setResolution(kRozliseni);
        const QPageSize papir(QSizeF(st.SirkaStranky() / 100.0, st.VyskaStranky() / 100.0),
                              QPageSize::Inch, QString(), QPageSize::ExactMatch);
        pdf.setPageLayout(QPageLayout(papir, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        QPainter painter;
        if (!painter.begin(&pdf))
            return TSestError::seWriteOutput;
        TQtCanvas canvas(painter, 100);
        const double m = kRozliseni / 100.0;
        for (int s = rozsah.od; s <= rozsah.po; ++s) {
            if (nastaveni.Preruseno()) {
                painter.end();
                return TSestError::seCancelled;
            }
            if (s > rozsah.od)
                pdf.newPage();
            vystup.KresliStranu(canvas, s, m, m, st.levyOkraj, st.horniOkraj);
        }
        if (!painter.end())
            return TSestError::seWriteOutput;
    }
    return docasny.Dokonci() ? TSestError::seOK : TSestError::seWriteOutput;
}

TSestError ExportSvgFile(const TSestVystup& vystup, int index, const TNastaveniExportu& nastaveni,
                         const QString& soubor) {
    if (index < 0 || index >= vystup.PocetStran())
        return TSestError::seWriteOutput;
    const TPageSetup& st = nastaveni.stranka;
    constexpr int m = 6;
    TDocasnySoubor docasny(soubor);
    {
        QSvgGenerator svg;
        svg.setFileName(docasny.Jmeno());
        svg.setResolution(600);
        svg.setSize(QSize(st.SirkaStranky() * m, st.VyskaStranky() * m));
        svg.setViewBox(QRect(0, 0, st.SirkaStranky() * m, st.VyskaStranky() * m));
        svg.setTitle(nastaveni.popis);
        QPainter painter;
        if (!painter.begin(&svg))
            return TSestError::seWriteOutput;
        painter.fillRect(QRect(0, 0, st.SirkaStranky() * m, st.VyskaStranky() * m), Qt::white);
        TQtCanvas canvas(painter, 100);
        vystup.KresliStranu(canvas, index, m, m, st.levyOkraj, st.horniOkraj);
        if (!painter.end())
            return TSestError::seWriteOutput;
    }
    return docasny.Dokonci() ? TSestError::seOK : TSestError::seWriteOutput;
}

TSestError ExportSvg(const TSestVystup& vystup, const TNastaveniExportu& nastaveni,
                     const QString& soubor) {
    const TRozsahStran rozsah = RozsahStran(vystup);
    if (rozsah.Prazdny())
        return TSestError::seNotDone;
    TSestError vysledek = TSestError::seOK;
    for (int s = rozsah.od; s <= rozsah.po; ++s) {
        if (nastaveni.Preruseno())
            return TSestError::seCancelled;
        const TSestError r =
            ExportSvgFile(vystup, s, nastaveni, JmenoStrany(soubor, s + 1, QStringLiteral(".svg")));
        if (r != TSestError::seOK)
            vysledek = r;
    }
    return vysledek;
}

} // namespace arvelo::report::writers
