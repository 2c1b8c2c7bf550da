#pragma once

#include <QString>

namespace arvelo::app {
class Prompts;
}

namespace arvelo::compute {

// Where a run reports its progress: the wizard's status line and the panel
// beside it, and the points where window messages (a click on "Přerušit") may
// run. A run without windows passes an implementation that only lets the
// prompt seam's events run.
class TPrubeh {
public:
    virtual ~TPrubeh() = default;
    virtual void Stav(const QString& text) = 0;  // the status line
    virtual void Panel(const QString& text) = 0; // the spinner or "n/N"
    virtual void Udalosti() = 0;                 // let pending window messages run
};

// Progress through the prompt seam only: texts are kept for whoever asks,
// events run through Prompts::processEvents.
class TPrubehVyzvy : public TPrubeh {
public:
    explicit TPrubehVyzvy(app::Prompts& prompts) : m_prompts(prompts) {}
    void Stav(const QString& text) override { m_stav = text; }
    void Panel(const QString& text) override { m_panel = text; }
    void Udalosti() override;

    const QString& stav() const { return m_stav; }
    const QString& panel() const { return m_panel; }

private:
    app::Prompts& m_prompts;
    QString m_stav;
    QString m_panel;
};

// The spinner: a run of n vertical bars, n = 1 ... 7, then 1 again.
class TTocitko {
public:
    QString dalsi() {
        m_n = m_n % 7 + 1;
        return QString(m_n, u'|');
    }

private:
    int m_n = 0;
};

} // namespace arvelo::compute
