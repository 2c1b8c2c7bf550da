#pragma once

#include "host/currency.h"

#include <QString>

namespace arvelo::app {
class Prompts;
}

namespace arvelo::views {

// What the group detail shows about one group, with the report totals.
struct TDetailSkupiny {
    QString Zkratka;
    QString Nazev;
    Currency ProcentZisk;
    Currency HospVysl;
    Currency VynosyOB;
    Currency NakladyOB;
    Currency SoucetNakladyOB;
    Currency SoucetVynosyOB;
    Currency SoucetHospVysl;
};

// The windows and jobs the income statement window opens. Each view
// implements its method; the income statement window only calls them.
class TDalsiPohledy {
public:
    virtual ~TDalsiPohledy() = default;
    // The journal lines behind a report line.
    virtual void NacistPohyby(const QString& zkratka, const QString& ucet, const QString& nadpis,
                              int typUctu) = 0;
    // The share of the current line's account.
    virtual void PodilUctu() = 0;
    // The current line's account across the groups, titled by the button's caption.
    virtual void PorovnaniUctu(const QString& titulek) = 0;
    // The account card of an account in a year folder.
    virtual void KartaUctu(const QString& ucet, const QString& adresarRoku) = 0;
    virtual void DetailSkupiny(const TDetailSkupiny& detail) = 0;
    virtual void TabulkaSkupin() = 0;
    virtual void Graf() = 0;
    // Print and export jobs (1 the income statement).
    virtual void TiskSestavy(int uloha) = 0;
    virtual void ExportSestavy(int uloha) = 0;
    virtual void VyberSablonyExportu(int uloha, bool standardni) = 0;
};

// Until a view is built, its button says so instead of doing nothing.
class TNedostupnePohledy final : public TDalsiPohledy {
public:
    explicit TNedostupnePohledy(app::Prompts& prompts) : m_prompts(prompts) {}
    void NacistPohyby(const QString&, const QString&, const QString&, int) override {
        nedostupne(QStringLiteral("Pohyby"));
    }
    void PodilUctu() override { nedostupne(QStringLiteral("Podíl účtu")); }
    void PorovnaniUctu(const QString&) override { nedostupne(QStringLiteral("Porovnání")); }
    void KartaUctu(const QString&, const QString&) override {
        nedostupne(QStringLiteral("Karta účtu"));
    }
    void DetailSkupiny(const TDetailSkupiny&) override { nedostupne(QStringLiteral("Detail")); }
    void TabulkaSkupin() override { nedostupne(QStringLiteral("Tabulka")); }
    void Graf() override { nedostupne(QStringLiteral("Graf")); }
    void TiskSestavy(int) override { nedostupne(QStringLiteral("Tisk")); }
    void ExportSestavy(int) override { nedostupne(QStringLiteral("Export do Excelu")); }
    void VyberSablonyExportu(int, bool) override { nedostupne(QStringLiteral("Šablona exportu")); }

private:
    void nedostupne(const QString& pohled);
    app::Prompts& m_prompts;
};

} // namespace arvelo::views
