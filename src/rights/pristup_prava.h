#pragma once

#include "rights/filter_controls.h"
#include "rights/rights_list.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace arvelo::rights {

class TRightsPrompts;
class TVyberySeznamu;

// The module's own per-user rights of one agenda: who may run the module when
// extended rights are in use, and the fixed filters of each listed user. The
// list lives in the enciphered file "ORBPRA.TLD" of the agenda folder and is
// rebuilt from it by every Overit.
class TPristupPrava {
public:
    // adresarAgendy and adresarDat as in the start-up context; klic from KlicPrav().
    TPristupPrava(const QString& adresarAgendy, const QString& adresarDat, const QByteArray& klic,
                  TRightsPrompts& prompts, TVyberySeznamu& seznamy);

    // Checks the host user (TS3AccessRights) and loads the list. 0, or -1 when
    // the host check failed (after its error box).
    int Overit(const QString& heslo);
    // Writes the list to the rights file. 0 or -1.
    int Ulozit();
    // The administration windows; saves on OK.
    void Upravit();

    // "Další" on the wizard's welcome page: verifies, warns a user who may not
    // run the module, and applies the fixed filters. True when the wizard may
    // move on.
    bool OveritProPruvodce(const QString& heslo, TOvladaceFiltru& ovladace);
    // The welcome page's link "klepnutím zde": administration for those who may.
    void OdkazSpravy(const QString& heslo);

    const QString& Soubor() const { return m_soubor; }
    bool RozsirenaPrava() const { return m_rozsirenaPrava; }
    void SetRozsirenaPrava(bool rozsirena) { m_rozsirenaPrava = rozsirena; }
    qint32 IDUzivatele() const { return m_idUzivatele; }
    bool SmiSpustit() const { return m_smiSpustit; }
    bool JeSpravce() const { return m_jeSpravce; }
    // The current user's restrictions (for a user without a fixed filter all
    // Lock values are false).
    const TOmezeni& Omezeni() const { return m_omezeni; }
    bool JeZamceno(TFiltr filtr) const { return rights::JeZamceno(m_omezeni, filtr); }

    std::vector<TUzivatelPrav>& Uzivatele() { return m_uzivatele; }
    const std::vector<TUzivatelPrav>& Uzivatele() const { return m_uzivatele; }

private:
    void NacistSeznam();

    QString m_soubor;
    QString m_adresarDat;
    QByteArray m_klic;
    TRightsPrompts& m_prompts;
    TVyberySeznamu& m_seznamy;

    std::vector<TUzivatelPrav> m_uzivatele;
    bool m_rozsirenaPrava = false;
    qint32 m_idUzivatele = 0;
    bool m_smiSpustit = false;
    bool m_jeSpravce = false;
    TOmezeni m_omezeni;
};

} // namespace arvelo::rights
