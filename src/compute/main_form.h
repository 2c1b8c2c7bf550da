#pragma once

#include "app/locale_format.h"

#include <QWidget>
#include <memory>

class QLabel;
class QPushButton;
class QStackedWidget;

namespace arvelo::app {
class Prompts;
class THlavniData;
} // namespace arvelo::app

namespace arvelo::compute {

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

    // Shows a page; an index outside the wizard's pages is ignored.
    void ZobrazitStranku(int index);
    int AktualniStranka() const;

    // Brings the window in front of the host's window: topmost for a moment.
    void PrenestDoPopredi();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QWidget* vytvoritUvod();

    std::unique_ptr<app::THlavniData> m_data;
    QStackedWidget* m_pages;
    QPushButton* m_zpet;
    QPushButton* m_dalsi;
    QPushButton* m_zavrit;
    QPushButton* m_prerusit;
    bool m_saved = false;
};

} // namespace arvelo::compute
