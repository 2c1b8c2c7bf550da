#pragma once

#include <QDialog>
#include <QString>
#include <optional>
#include <vector>

class QPushButton;
class QTreeWidget;

namespace arvelo::rights {

class TRightsPrompts;

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
