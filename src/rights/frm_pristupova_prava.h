#pragma once

#include "rights/rights_list.h"

#include <QDialog>
#include <optional>
#include <vector>

class QPushButton;
class QRadioButton;
class QTableWidget;

namespace arvelo::rights {

class TRightsPrompts;
class TVyberySeznamu;

// "Nastavení přístupových práv": the choice between standard and extended
// rights and the list of users with their fixed filters. The list is edited
// in place; the caller saves it after OK.
class TfrmPristupovaPrava final : public QDialog {
    Q_OBJECT
public:
    TfrmPristupovaPrava(std::vector<TUzivatelPrav>& uzivatele, bool rozsirenaPrava,
                        TRightsPrompts& prompts, TVyberySeznamu& seznamy,
                        QWidget* parent = nullptr);

    bool RozsirenaPrava() const;
    // The row under the cursor, -1 when none.
    int AktualniRadek() const;

    void PridatUzivatele();
    void EditovatUzivatele();
    void KopirovatUzivatele();
    void VyjmoutUzivatele();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void NastavitPrvky();
    void ObnovitMrizku(int aktualni);
    // The host user chosen in the pick list, unless nothing was chosen or the
    // user is listed already (after the information box).
    std::optional<TUzivatelPrav> VybratNovehoUzivatele();

    std::vector<TUzivatelPrav>& m_uzivatele;
    TRightsPrompts& m_prompts;
    TVyberySeznamu& m_seznamy;

    QRadioButton* m_rbStandardni = nullptr;
    QRadioButton* m_rbRozsirena = nullptr;
    QTableWidget* m_mrizka = nullptr;
    QPushButton* m_pridat = nullptr;
    QPushButton* m_editovat = nullptr;
    QPushButton* m_kopirovat = nullptr;
    QPushButton* m_vyjmout = nullptr;
};

} // namespace arvelo::rights
