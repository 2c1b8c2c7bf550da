#pragma once

#include "rights/rights_prompts.h"

#include <QDialog>
#include <QString>
#include <optional>
#include <vector>

class QPushButton;
class QTreeWidget;

namespace arvelo::rights {

// One row of a pick list: the code and the name.
struct TPolozkaSeznamu {
    QString Zkratka;
    QString Nazev;
};

// The host users for the pick list of kind 7: "PRISUZIV" (ID_Pristup) when
// "PrisUziv.dat" is in the data root, else "PRISTUP" (ID); names from Jmeno.
// Sorted by the code. Empty optional when the table does not open; chyba then
// holds the message.
std::optional<std::vector<TPolozkaSeznamu>> NacistUzivateleMoney(const QString& adresarDat,
                                                                 QString* chyba);

// The pick list window of kind 7 ("Vyberte nového uživatele"): the columns
// "Zkratka" and "Název", "OK" (enabled only with records), "Zavřít".
class TfrmSeznamUzivatelu final : public QDialog {
    Q_OBJECT
public:
    TfrmSeznamUzivatelu(const std::vector<TPolozkaSeznamu>& polozky, const QString& pocatecniKod,
                        QWidget* parent = nullptr);
    // The current record as ID + "\r" + name; empty when there is none.
    QString Vysledek() const;

private:
    QTreeWidget* m_seznam = nullptr;
    QPushButton* m_ok = nullptr;
};

// The whole pick of a host user: the working notice while the table is read,
// an error box when it cannot be opened, then the window through the prompts.
// Returns ID + "\r" + name, or empty when nothing was chosen.
QString VybratUzivateleMoney(const QString& adresarDat, const QString& pocatecniKod,
                             TRightsPrompts& prompts);

} // namespace arvelo::rights

namespace arvelo::rights {

// The pick lists as the rights windows need them: kind 7 from the host's
// user table here, every other kind from the wizard's pick lists.
class TSeznamySUzivateliMoney final : public TVyberySeznamu {
public:
    TSeznamySUzivateliMoney(TVyberySeznamu& seznamyPruvodce, const QString& adresarDat,
                            TRightsPrompts& prompts)
        : m_pruvodce(seznamyPruvodce), m_adresarDat(adresarDat), m_prompts(prompts) {}

    QString UpravitSeznam(const QString& seznam, int druh) override {
        return m_pruvodce.UpravitSeznam(seznam, druh);
    }
    QString VybratZeSeznamu(int druh, const QString& pocatecniKod) override {
        return druh == druh_seznamu::UzivateleMoney
                   ? VybratUzivateleMoney(m_adresarDat, pocatecniKod, m_prompts)
                   : m_pruvodce.VybratZeSeznamu(druh, pocatecniKod);
    }

private:
    TVyberySeznamu& m_pruvodce;
    QString m_adresarDat;
    TRightsPrompts& m_prompts;
};

} // namespace arvelo::rights
