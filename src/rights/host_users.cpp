#include "rights/host_users.h"

#include "host/host_paths.h"
#include "host/host_table.h"
#include "rights/rights_prompts.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace arvelo::rights {

std::optional<std::vector<TPolozkaSeznamu>> NacistUzivateleMoney(const QString& adresarDat,
                                                                 QString* chyba) {
    const QString adresar = host::paths::folder(adresarDat);
    const bool stary = host::paths::exists(adresar + QStringLiteral("PrisUziv.dat"));
    const QString cesta =
        adresar + (stary ? QStringLiteral("PRISUZIV") : QStringLiteral("PRISTUP"));
    const QString poleKodu = stary ? QStringLiteral("ID_Pristup") : QStringLiteral("ID");

    auto tabulka = host::TBFTable::create();
    const host::OpenTable zavrit(*tabulka);
    if (tabulka->Open(cesta) != host::result::Ok) {
        if (chyba != nullptr) {
            *chyba = QStringLiteral("Nastala chyba při otevírání databáze ") + cesta +
                     QStringLiteral(".DAT");
        }
        return std::nullopt;
    }
    const int kod = tabulka->FieldIndex(poleKodu);
    const int nazev = tabulka->FieldIndex(QStringLiteral("Jmeno"));
    std::vector<TPolozkaSeznamu> polozky;
    if (kod < 0 || nazev < 0) {
        if (chyba != nullptr) {
            *chyba = QStringLiteral("Nastala chyba při otevírání databáze ") + cesta +
                     QStringLiteral(".DAT");
        }
        return std::nullopt;
    }
    if (tabulka->RecordCount() > 0) {
        for (int rc = tabulka->First(); rc == host::result::Ok; rc = tabulka->Next()) {
            polozky.push_back({tabulka->Value(kod).toString(), tabulka->Value(nazev).toString()});
        }
    }
    std::stable_sort(polozky.begin(), polozky.end(),
                     [](const TPolozkaSeznamu& a, const TPolozkaSeznamu& b) {
                         return a.Zkratka.compare(b.Zkratka, Qt::CaseInsensitive) < 0;
                     });
    return polozky;
}

TfrmSeznamUzivatelu::TfrmSeznamUzivatelu(const std::vector<TPolozkaSeznamu>& polozky,
                                         const QString& pocatecniKod, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("frmSeznam1"));
    setWindowTitle(QStringLiteral("Vyberte nového uživatele"));
    auto* hlavni = new QVBoxLayout(this);
    m_seznam = new QTreeWidget(this);
    m_seznam->setObjectName(QStringLiteral("grSeznam"));
    m_seznam->setRootIsDecorated(false);
    m_seznam->setColumnCount(2);
    m_seznam->setHeaderLabels({QStringLiteral("Zkratka"), QStringLiteral("Název")});
    // Both columns sort by a click on their title; typing jumps to a matching code.
    m_seznam->setSortingEnabled(true);
    m_seznam->sortByColumn(0, Qt::AscendingOrder);
    m_seznam->setMinimumSize(360, 240);
    QTreeWidgetItem* aktualni = nullptr;
    for (const TPolozkaSeznamu& p : polozky) {
        auto* item = new QTreeWidgetItem(m_seznam, {p.Zkratka, p.Nazev});
        if (aktualni == nullptr && p.Zkratka.compare(pocatecniKod, Qt::CaseInsensitive) == 0) {
            aktualni = item;
        }
    }
    if (aktualni == nullptr && m_seznam->topLevelItemCount() > 0) {
        aktualni = m_seznam->topLevelItem(0);
    }
    m_seznam->setCurrentItem(aktualni);
    hlavni->addWidget(m_seznam, 1);

    auto* tlacitka = new QHBoxLayout;
    tlacitka->addStretch(1);
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("btnOK"));
    m_ok->setDefault(true);
    m_ok->setEnabled(!polozky.empty());
    auto* zavrit = new QPushButton(QStringLiteral("Zavřít"), this);
    zavrit->setObjectName(QStringLiteral("btnZavrit"));
    tlacitka->addWidget(m_ok);
    tlacitka->addWidget(zavrit);
    hlavni->addLayout(tlacitka);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(zavrit, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_seznam, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (m_ok->isEnabled()) {
            accept();
        }
    });
}

QString TfrmSeznamUzivatelu::Vysledek() const {
    const QTreeWidgetItem* item = m_seznam->currentItem();
    if (item == nullptr) {
        return {};
    }
    return item->text(0) + u'\r' + item->text(1);
}

QString VybratUzivateleMoney(const QString& adresarDat, const QString& pocatecniKod,
                             TRightsPrompts& prompts) {
    std::optional<std::vector<TPolozkaSeznamu>> polozky;
    QString chyba;
    {
        const TPracujiGuard pracuji(prompts, QStringLiteral("Načtení seznamu\rčekejte prosím..."));
        polozky = NacistUzivateleMoney(adresarDat, &chyba);
    }
    if (!polozky) {
        prompts.Chyba(chyba);
        return {};
    }
    TfrmSeznamUzivatelu okno(*polozky, pocatecniKod);
    if (!prompts.Spustit(okno)) {
        return {};
    }
    return okno.Vysledek();
}

} // namespace arvelo::rights
