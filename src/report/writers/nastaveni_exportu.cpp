#include "report/writers/nastaveni_exportu.h"

#include "report/model/sestava_typ.h"
#include "report/render/vystup.h"

#include <QFileInfo>
#include <algorithm>

namespace arvelo::report::writers {

TNastaveniExportu NastaveniExportu(const TSestavaTyp& sestava) {
    TNastaveniExportu n;
    n.stranka = sestava.PageSetup();
    n.kopie = std::max(1, sestava.PrintCopies);
    n.jazyk = sestava.ExportLanguage;
    n.radkovani = sestava.Mrizka.radkovani;
    n.popis = sestava.Popis;
    return n;
}

TRozsahStran RozsahStran(const TSestVystup& vystup) {
    TRozsahStran r;
    r.od = std::max(1, vystup.prvniStrana) - 1;
    r.po = std::min(vystup.posledniStrana, vystup.PocetStran()) - 1;
    return r;
}

QString JmenoStrany(const QString& soubor, int cislo, const QString& konec) {
    const QFileInfo f(soubor);
    QString zaklad = soubor;
    const QString pripona = f.suffix();
    if (!pripona.isEmpty() && !f.fileName().startsWith(QLatin1Char('.')))
        zaklad.chop(pripona.size() + 1);
    return zaklad + QString::number(cislo) + konec;
}

TSestError ExportPoStrankach(const TSestVystup& vystup, const QString& soubor,
                             const TNastaveniExportu& nastaveni, const QString& konec,
                             const std::function<TSestError(int, const QString&)>& zapis) {
    const TRozsahStran rozsah = RozsahStran(vystup);
    if (rozsah.Prazdny())
        return TSestError::seNotDone;
    TSestError vysledek = TSestError::seOK;
    for (int s = rozsah.od; s <= rozsah.po; ++s) {
        if (nastaveni.Preruseno())
            return TSestError::seCancelled;
        const TSestError r = zapis(s, JmenoStrany(soubor, s + 1, konec));
        if (r != TSestError::seOK)
            vysledek = r; // the next page is still written
    }
    return vysledek;
}

} // namespace arvelo::report::writers
