#pragma once

#include "compute/run_settings.h"

#include <QString>
#include <memory>

namespace arvelo::app {
class THlavniData;
}

namespace arvelo::compute {

class TPrubeh;

// One run of the income statement: the years of the period, the date periods,
// the journal and chart of accounts of every year read through the account
// indexes, the turnovers and groups, the summation and the company names.
// Data problems go into THlavniData::Informace and do not stop the run; open
// and index failures and an interrupt end it as failed. Every host table is
// closed when Spustit returns, whatever the way out.
class TVypocet {
public:
    TVypocet(app::THlavniData& data, TNastaveniBehu nastaveni, TPrubeh& prubeh);
    ~TVypocet();
    TVypocet(const TVypocet&) = delete;
    TVypocet& operator=(const TVypocet&) = delete;

    // Without windows the closing question ("Vyskytly se chybové stavy, ...")
    // is left out: the caller reports Informace itself.
    void setDotazNaChyby(bool ano) { m_dotazNaChyby = ano; }

    // Grouped by date periods, the journal is read once for all periods. With
    // this switch on it is read once per period instead, pass after pass, in
    // the plain form of the rule; the results are the same.
    void setPruchodPoObdobich(bool ano) { m_pruchodPoObdobich = ano; }

    // Clears Preruseno, then years, date periods, computation. True when the
    // run succeeded.
    bool Spustit();

    // The first line of the information window.
    static QString nadpisInformaci();

private:
    struct TBeh;
    bool vypocet();

    app::THlavniData& m_data;
    TNastaveniBehu m_nastaveni;
    TPrubeh& m_prubeh;
    bool m_dotazNaChyby = true;
    bool m_pruchodPoObdobich = false;
};

} // namespace arvelo::compute
