#pragma once

#include "rights/filter_controls.h"
#include "rights/rights_list.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace arvelo::rights {

class TRightsPrompts;
class TVyberySeznamu;

// "Nastavení uživatele": one listed user's fixed filters. The controls of a
// filter carry the wizard's names (chckCinnosti, edtCinnosti, ...); its
// "pevný filtr" box is chckPevny + the wizard's base name (chckPevnyCinnosti).
class TfrmUzivatel final : public QDialog {
    Q_OBJECT
public:
    TfrmUzivatel(const TUzivatelPrav& uzivatel, TRightsPrompts& prompts, TVyberySeznamu& seznamy,
                 QWidget* parent = nullptr);

    // The values as the window shows them.
    TUzivatelPrav Uzivatel() const;

    // OK: refused with a warning when both tax switches are locked and off.
    void Potvrdit();

private:
    struct Radek {
        QCheckBox* pevny = nullptr;
        QCheckBox* check = nullptr;
        QLineEdit* text = nullptr;
        QPushButton* tlacitko = nullptr;
        QCheckBox* neg = nullptr;
        int druhSeznamu = 0;
    };

    void NastavitPrvky();
    void Vybrat(Radek& radek);
    void NastavitHodnoty(const TOmezeni& omezeni);

    TRightsPrompts& m_prompts;
    TVyberySeznamu& m_seznamy;
    qint32 m_id = 0;
    QString m_jmeno;
    QLineEdit* m_edtID = nullptr;
    QLineEdit* m_edtJmeno = nullptr;
    std::array<Radek, std::size(VsechnyFiltry)> m_radky{};
};

} // namespace arvelo::rights
