#pragma once

#include <QWidget>
#include <functional>

class QLabel;

namespace arvelo::app {

// The working notice "Pracuji...": a borderless, centred window with a message
// and optionally the link "Přerušit".
class TfrmWorking final : public QWidget {
    Q_OBJECT
public:
    explicit TfrmWorking(QWidget* parent = nullptr);

    // Shows (or updates) the notice; with onInterrupt the link "Přerušit" is
    // offered and a click on it calls onInterrupt.
    void ZobrazitPracuji(const QString& message, std::function<void()> onInterrupt = {});
    void SkrytPracuji();

    QLabel* lblInfo() const { return m_info; }
    QLabel* lblPrerusit() const { return m_interrupt; }

protected:
    void changeEvent(QEvent* event) override;

private:
    void centre();

    QLabel* m_info;
    QLabel* m_interrupt;
    std::function<void()> m_onInterrupt;
};

// Minimising one of the program's windows minimises all of them.
void MinimalizovatAplikaci();

} // namespace arvelo::app
