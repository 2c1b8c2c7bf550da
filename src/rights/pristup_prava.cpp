#include "rights/pristup_prava.h"

#include "host/host_paths.h"
#include "rights/access_rights.h"
#include "rights/frm_pristupova_prava.h"
#include "rights/rights_file.h"
#include "rights/rights_prompts.h"

#include <QFileInfo>

namespace arvelo::rights {

TPristupPrava::TPristupPrava(const QString& adresarAgendy, const QString& adresarDat,
                             const QByteArray& klic, TRightsPrompts& prompts,
                             TVyberySeznamu& seznamy)
    : m_soubor(host::paths::folder(adresarAgendy) + QStringLiteral("ORBPRA.TLD")),
      m_adresarDat(adresarDat), m_klic(klic), m_prompts(prompts), m_seznamy(seznamy) {}

int TPristupPrava::Overit(const QString& heslo) {
    const TPracujiGuard pracuji(m_prompts,
                                QStringLiteral("Ověření přístupových práv\rčekejte prosím..."));
    m_uzivatele.clear();
    m_smiSpustit = false;
    m_jeSpravce = false;
    {
        TS3AccessRights host(m_adresarDat);
        if (!host.CheckUser(heslo)) {
            m_prompts.Chyba(host.LastError());
            return -1;
        }
        m_idUzivatele = host.ID();
        m_smiSpustit = host.Vysledovka() != 0;
        m_jeSpravce = host.PristupovaPrava() == 2;
    }
    m_rozsirenaPrava = false;
    // A user not on the list (or standard rights) has no fixed filter.
    m_omezeni.Cinn.Lock = m_omezeni.Stred.Lock = m_omezeni.Zak.Lock = m_omezeni.Ucty.Lock = false;
    m_omezeni.Ovliv.Lock = m_omezeni.NeOvliv.Lock = m_omezeni.IgPrev.Lock = false;
    NacistSeznam();
    return 0;
}

void TPristupPrava::NacistSeznam() {
    if (!QFileInfo::exists(host::paths::resolve(m_soubor))) {
        return;
    }
    QStringList radky;
    if (NactiSoubor(radky, m_soubor, nullptr, m_klic) != 0) {
        return;
    }
    // A file whose numbers do not read counts as damaged: standard rights.
    auto obsah = PrecistRadky(radky);
    if (!obsah) {
        return;
    }
    m_rozsirenaPrava = obsah->RozsirenaPrava;
    m_uzivatele = std::move(obsah->Uzivatele);
    if (!m_rozsirenaPrava) {
        return;
    }
    m_smiSpustit = false;
    for (const TUzivatelPrav& u : m_uzivatele) {
        if (u.ID == m_idUzivatele) {
            m_smiSpustit = true;
            m_omezeni = u.Omezeni;
            break;
        }
    }
}

int TPristupPrava::Ulozit() {
    TObsahPrav obsah;
    obsah.RozsirenaPrava = m_rozsirenaPrava;
    obsah.Uzivatele = m_uzivatele;
    return UlozSoubor(SestavitRadky(obsah), m_soubor, nullptr, m_klic);
}

void TPristupPrava::Upravit() {
    TfrmPristupovaPrava okno(m_uzivatele, m_rozsirenaPrava, m_prompts, m_seznamy);
    if (!m_prompts.Spustit(okno)) {
        return;
    }
    m_rozsirenaPrava = okno.RozsirenaPrava();
    if (Ulozit() != 0) {
        m_prompts.Chyba(QStringLiteral("Při ukládání externích přístupových práv došlo k chybě."));
    }
}

bool TPristupPrava::OveritProPruvodce(const QString& heslo, TOvladaceFiltru& ovladace) {
    if (Overit(heslo) != 0) {
        return false;
    }
    if (!m_smiSpustit) {
        m_prompts.Varovani(
            QStringLiteral("Nelze pokračovat, protože nemáte dostatečná oprávnění:\r\r") +
            QStringLiteral("- požádejte administrátora (uživatele s povolenou funkcí \"Přístupová "
                           "práva\" v Money) o zpřístupnění tohoto doplňku."));
        return false;
    }
    PouzitOmezeni(m_omezeni, ovladace);
    return true;
}

void TPristupPrava::OdkazSpravy(const QString& heslo) {
    if (Overit(heslo) != 0) {
        return;
    }
    if (!m_jeSpravce) {
        m_prompts.Varovani(QStringLiteral(
            "Litujeme, ale pro zobrazení požadované funkce nemáte potřebná přístupová práva. "
            "Obraťte se na administrátora (uživatele s povolenou funkcí \"Přístupová práva\" v "
            "Money)."));
        return;
    }
    Upravit();
}

} // namespace arvelo::rights
