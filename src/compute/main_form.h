#pragma once

#include "app/locale_format.h"
#include "compute/run_settings.h"

#include <QDate>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QToolButton;
class QTimer;

namespace arvelo::app {
class Prompts;
class THlavniData;
} // namespace arvelo::app

namespace arvelo::rights {
class TPristupPrava;
class TVyberySeznamu;
} // namespace arvelo::rights

namespace arvelo::compute {

class TSeznamy;

// The quick periods of cbxDatObdobi, by item index.
enum RychleObdobi : int {
    ObdobiOdDo = 0,
    Dnes = 1,
    Vcera = 2,
    TentoTyden = 3,
    MinulyTyden = 4,
    TentoMesic = 5,
    MinulyMesic = 6,
    TentoRok = 7,
    MinulyRok = 8,
};
inline constexpr int kPocetObdobi = 9;
QString TextObdobi(int index);
// The first and last day of a quick period, counted from today; both invalid
// for "období od-do" and unknown indexes.
std::pair<QDate, QDate> DatumyObdobi(int index, const QDate& dnes);

// The report wizard, the program's main window. It owns the main form's data
// (start-up context, working tables, host cursors, flags) for the life of the
// process, and saves the options when it closes.
class TfrmMain final : public QWidget {
    Q_OBJECT
public:
    explicit TfrmMain(app::Prompts& prompts,
                      const app::SystemFormats& formats = app::SystemFormats(),
                      QWidget* parent = nullptr);
    ~TfrmMain() override;

    app::THlavniData& Data() { return *m_data; }

    // Where the wizard takes "today" from (the quick periods, the space key
    // in a date field); the system clock unless set.
    void NastavitDnes(std::function<QDate()> dnes) { m_dnes = std::move(dnes); }

    // The pick lists behind the filters' "..." buttons (the wizard's own
    // over the current year unless set).
    rights::TVyberySeznamu& Seznamy() { return *m_seznamy; }
    void NastavitSeznamy(rights::TVyberySeznamu& seznamy);
    // Shows the income statement window after a successful run; returns when
    // that window is closed.
    using TZobrazitVysledky = std::function<void(const TNastaveniBehu&)>;
    void NastavitZobrazeniVysledku(TZobrazitVysledky zobrazit) {
        m_zobrazitVysledky = std::move(zobrazit);
    }

    // The controls from the saved options, and back.
    void NacistOvladace();
    void UlozitOvladace();
    // What the controls hold, as the run reads it.
    TNastaveniBehu Nastaveni() const;

    // Shows a page; an index outside the wizard's pages is ignored.
    void ZobrazitStranku(int index);
    int AktualniStranka() const;
    // The enabling rules of the period, grouping and filter controls, and the
    // quick period recomputed from today.
    void NastavitPrvky();
    // "Další >" / "Dokončit".
    void Dalsi();
    // The run of page 3; true when it succeeded.
    bool Dokoncit();

    // Brings the window in front of the host's window: topmost for a moment.
    void PrenestDoPopredi();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct TRodina {
        QCheckBox* zapnuto = nullptr;
        QLineEdit* seznam = nullptr;
        QToolButton* vyber = nullptr;
        QCheckBox* negace = nullptr;
        int druh = 0;
    };
    class TPrubehOkna;

    QWidget* vytvoritUvod();
    QWidget* vytvoritDatumFiltr();
    QWidget* vytvoritFiltr();
    QWidget* vytvoritFinal();
    QLineEdit* vytvoritDatum(const QString& name, QWidget* page, QToolButton** kalendar);
    void otevritKalendar(QLineEdit* edit, QToolButton* tlacitko);
    void datumUpraven();
    bool overitDatumy();
    bool zamceno(int rodina) const;
    QDate dnes() const;
    void nastavitBarvu(QWidget* w, bool povoleno);
    // The rights object of the start-up sequence; none in a wizard made
    // outside the program's start-up, and then nothing is restricted.
    rights::TPristupPrava* prava() const;

    std::unique_ptr<app::THlavniData> m_data;
    std::function<QDate()> m_dnes;
    std::unique_ptr<TSeznamy> m_vlastniSeznamy;
    rights::TVyberySeznamu* m_seznamy = nullptr;
    TZobrazitVysledky m_zobrazitVysledky;

    QStackedWidget* m_pages;
    QPushButton* m_zpet;
    QPushButton* m_dalsi;
    QPushButton* m_zavrit;
    QPushButton* m_prerusit;

    QCheckBox* m_dleDatumu = nullptr;
    QComboBox* m_datObdobi = nullptr;
    QLineEdit* m_datumOd = nullptr;
    QLineEdit* m_datumDo = nullptr;
    QToolButton* m_kalendarOd = nullptr;
    QToolButton* m_kalendarDo = nullptr;
    QCheckBox* m_seskupit = nullptr;
    QComboBox* m_seskupitDle = nullptr;

    std::array<TRodina, 4> m_rodiny{}; // činnosti, střediska, zakázky, účty
    QCheckBox* m_uctyOvlDan = nullptr;
    QCheckBox* m_uctyNEOvlDan = nullptr;
    QCheckBox* m_ignorovatPrevod = nullptr;

    QLabel* m_status = nullptr;
    QWidget* m_panLoop = nullptr;
    QLabel* m_tocitko = nullptr;
    QCheckBox* m_zavritOkno = nullptr;

    bool m_nastavujiObdobi = false; // the quick period is writing the dates
    bool m_ovladaceNacteny = false;
    bool m_bezi = false; // a run is in progress
    bool m_saved = false;
};

} // namespace arvelo::compute
