#pragma once

#include "compute/run_settings.h"
#include "host/currency.h"
#include "views/report_lines.h"

#include <QDialog>
#include <QStyledItemDelegate>

class QComboBox;
class QFrame;
class QLabel;
class QListView;
class QPushButton;
class QTableView;
class QToolButton;
class QWidget;

namespace arvelo::app {
class THlavniData;
}
namespace arvelo::ui {
class TMemTableModel;
}

namespace arvelo::views {

class TDalsiPohledy;

// The colour of a group's result: green for a profit, grey for none, red for a loss.
QColor BarvaVysledku(const arvelo::Currency& hospVysl);
// The suffix of the line buttons: the account, or by section "nákladů",
// "výnosů", "HV" on headings, totals and the result.
QString PriponaRadku(const QString& ucet, int typUctu);

// One group card of the left column, painted from the mtSkupiny record of the row.
class TKartaSkupiny final : public QStyledItemDelegate {
public:
    TKartaSkupiny(app::THlavniData& data, QObject* parent);
    void setVyska(int vyska) { m_vyska = vyska; }
    int vyska() const { return m_vyska; }
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    app::THlavniData& m_data;
    int m_vyska = 90;
};

// The income statement window: the groups as cards on the left, the report
// lines of the current group on the right, and every drill-down from there.
class TfrmVysledovka final : public QDialog {
    Q_OBJECT
public:
    TfrmVysledovka(app::THlavniData& data, TDalsiPohledy& pohledy, QWidget* parent = nullptr);
    ~TfrmVysledovka() override;

    // The scope question of print and export (the dialog unless set).
    void NastavitDotazRozsahu(TDotazRozsahu dotaz) { m_dotaz = std::move(dotaz); }

    // Opening after a run: headings, counts and which buttons the split
    // report has, the window options; the first group current.
    void Pripravit(const compute::TNastaveniBehu& nastaveni);
    // Pripravit, then modal; the window options are kept when it closes.
    void Zobrazit(const compute::TNastaveniBehu& nastaveni);

    void NastavitRezim(int index);
    // The display mode combo box changed (does nothing while busy).
    void ZmenitTypZobrazeni(int index);
    // The visible card count for the list's height.
    int PocetKaret() const;

    // The tool bar and the button strips.
    void Hledat();
    void Odstranit();
    void Tisk();
    void Export();
    void Pohyby();
    void Podil();
    void Porovnani();
    void DetailUctu();
    void Detail();
    void Napoveda();

    // The current line's captions (movements, comparison, account card).
    QString TextPohyby() const;
    QString TextPorovnani() const;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* vytvoritLevySloupec();
    QWidget* vytvoritPravouStranu();
    void skupinaPosunuta();
    void radekPosunut();
    void aktualizovatNadpis();
    void prizpusobitKarty();
    void tiskExport(bool tisk);
    bool rozdelena() const { return m_druh >= 0; }

    app::THlavniData& m_data;
    TDalsiPohledy& m_pohledy;
    TDotazRozsahu m_dotaz;
    int m_druh = -1;
    bool m_pripraveno = false;

    QToolButton* m_hledat;
    QComboBox* m_rezim;
    QWidget* m_levy;
    QFrame* m_nadpisSkupin;
    QLabel* m_lblNadpis;
    QLabel* m_lblPocet;
    QWidget* m_listaSkupin;
    QPushButton* m_btnDetail;
    QPushButton* m_btnOdstranit;
    QListView* m_karty;
    TKartaSkupiny* m_karta;
    ui::TMemTableModel* m_modelSkupin;

    QFrame* m_nadpisRadku;
    QLabel* m_lblZkratka;
    QLabel* m_lblNazev;
    QWidget* m_listaRadku;
    QComboBox* m_typZobrazeni;
    QPushButton* m_btnPohyby;
    QPushButton* m_btnPodil;
    QPushButton* m_btnPorovnani;
    QFrame* m_sepPorovnani;
    QPushButton* m_btnDetailUctu;
    QFrame* m_sepDetailUctu;
    QTableView* m_radky;
    ui::TMemTableModel* m_modelRadku;
};

} // namespace arvelo::views
