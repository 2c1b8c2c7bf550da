#pragma once

#include <QDialog>
#include <optional>

class QRadioButton;

namespace arvelo::views {

// "Dotaz": print or export every group or only the current one.
class TfrmDotazTisku final : public QDialog {
    Q_OBJECT
public:
    TfrmDotazTisku(const QString& skupina, bool vse, QWidget* parent = nullptr);
    bool Vse() const;
    // Clicking the group text picks the current group only.
    void KlepnutiNaSkupinu();

    // Asks modally: all groups (true), the current one (false), nothing when cancelled.
    static std::optional<bool> Zeptat(const QString& skupina, bool vse, QWidget* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QRadioButton* m_vse;
    QRadioButton* m_aktualni;
};

} // namespace arvelo::views
