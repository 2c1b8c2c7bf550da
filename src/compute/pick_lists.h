#pragma once

#include "rights/rights_prompts.h"
#include "ui/mem_table.h"

#include <QDialog>
#include <QString>
#include <QStringList>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace arvelo::app {
class Prompts;
class THlavniData;
} // namespace arvelo::app
namespace arvelo::ui {
class TMemTableModel;
}

namespace arvelo::compute {

// What a list kind reads: window caption, host table of the year folder,
// code and name fields, and whether only income-statement accounts count.
struct TDruhSeznamu {
    QString titulek;
    QString tabulka;
    QString poleKod;
    QString poleNazev;
    bool jenVysledkove = false;
};
// Kinds 1, 2, 3 and 6; nothing for others.
std::optional<TDruhSeznamu> DruhSeznamu(int druh);

// An item list split into its items: every item ends with ";", text after
// the last ";" is not an item.
QStringList RozdelitSeznam(const QString& seznam);
// The items joined back, each followed by ";".
QString SlozitSeznam(const QStringList& polozky);

// Fills the pick list (Zkratka, Nazev) from the kind's code table of the
// current year, sorted by Zkratka. False, with the message shown, when the
// table cannot be opened.
bool NacistSeznam(app::THlavniData& data, int druh, ui::TMemTable& seznam);
// The fields of a pick list table: Zkratka, Nazev.
std::vector<ui::TMemField> PoleSeznamu();

// The pick list: a grid of Zkratka and "Název", sortable by either column
// title, with a search line that typing opens. "OK", a double click or Enter
// accept the current record's code; "Zavřít" or Escape give nothing.
class TfrmSeznam1 final : public QDialog {
    Q_OBJECT
public:
    TfrmSeznam1(ui::TMemTable& seznam, const QString& titulek, const QString& pocatecniKod,
                QWidget* parent = nullptr);
    ~TfrmSeznam1() override;

    // The current record's code; empty when the list is empty.
    QString AktualniKod() const;
    // Opens the search line with the text (as typing a character does).
    void ZacitHledani(const QString& text);
    QLineEdit* HledaciPolicko() const { return m_hledani; }
    QTableView* Mrizka() const { return m_mrizka; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void hledat(const QString& text);
    void zavritHledani();
    void umistitHledani();
    void tridit(int sloupec);

    ui::TMemTable& m_seznam;
    ui::TMemTableModel* m_model;
    QTableView* m_mrizka;
    QLineEdit* m_hledani;
    QLabel* m_napoveda;
    QPushButton* m_ok;
    int m_sloupecTrideni = 0; // the model's column the list is sorted by
};

// The item-list editor: the items of a filter in the order they were added,
// "Přidat" from the kind's pick list, "Vyjmout", "OK" and "Zpět".
class TfrmEditorPol final : public QDialog {
    Q_OBJECT
public:
    TfrmEditorPol(const QString& seznam, int druh, rights::TVyberySeznamu& vybery,
                  app::Prompts& prompts, QWidget* parent = nullptr);
    ~TfrmEditorPol() override;

    // The list as the items now stand, each followed by ";".
    QString Seznam() const;
    void Pridat();
    void Vyjmout();

private:
    void nastavitTlacitka();

    ui::TMemTable m_polozky; // mtSeznamPol
    int m_druh;
    rights::TVyberySeznamu& m_vybery;
    app::Prompts& m_prompts;
    ui::TMemTableModel* m_model;
    QTableView* m_mrizka;
    QPushButton* m_vyjmout;
};

// The wizard's pick lists over the current year's code tables (kinds 1, 2,
// 3 and 6), as modal windows.
class TSeznamy final : public rights::TVyberySeznamu {
public:
    TSeznamy(app::THlavniData& data, QWidget* parent) : m_data(data), m_parent(parent) {}
    QString UpravitSeznam(const QString& seznam, int druh) override;
    QString VybratZeSeznamu(int druh, const QString& pocatecniKod) override;

private:
    app::THlavniData& m_data;
    QWidget* m_parent;
};

} // namespace arvelo::compute

namespace arvelo::compute {
// Keeps a grid's current row and its table's cursor together, both ways.
void SpojitKurzor(QTableView* mrizka, ui::TMemTableModel* model);
} // namespace arvelo::compute
