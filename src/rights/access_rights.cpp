#include "rights/access_rights.h"

#include "host/host_paths.h"
#include "rights/scramble.h"

namespace arvelo::rights {

namespace {

using host::result::Found;
using host::result::Ok;

const QString NenalezenText =
    QStringLiteral("Aktuální uživatel nebyl nalezen v databázi přístupových práv Money.");

// Where each level right lives: its column in the newer layout ("PRISTUP", or
// "PRISTUP2" when druhaTabulka) and its item name in "PRISPOL" of the older one.
struct PopisPrava {
    Pravo pravo;
    const char* sloupec;
    bool druhaTabulka;
    const char* polozka;
};

constexpr PopisPrava Prava[] = {
    {Pravo::VystaveneF, "VystaveneF", false, "VystaveneFaktury"},
    {Pravo::SzSkladDok, "SzSkladDok", false, "SzSkladDokladu"},
    {Pravo::JUPDTisk, "JUPDTisk", false, "JUPDTisk"},
    {Pravo::Elektronic, "Elektronic", false, "ElObch"},
    {Pravo::Pristupova, "Pristupova", false, "PristupovaPrava"},
    {Pravo::SeznamPrij, "SeznamPrij", false, "SeznamPrijatychObjed"},
    {Pravo::SeznamNabi, "SeznamNabi", false, "SeznamNabidek"},
    {Pravo::SeznamPPop, "SeznamPPop", true, "SeznamPPop"},
    {Pravo::SeznamVPop, "SeznamVPop", true, "SeznamVPop"},
    {Pravo::SeznamVyst, "SeznamVyst", false, "SeznamVystavenychObj"},
    {Pravo::SeznamPNab, "SeznamPNab", true, "SeznamPNab"},
    {Pravo::SkPrehledo, "SkPrehledo", false, "SkPrehledoveSestavy"},
    {Pravo::Verifikace, "Verifikace", false, "Verifikace"},
    {Pravo::SeznamPokl, "SeznamPokl", false, "SeznamPokladnichDokl"},
    {Pravo::JUSzPkDok, "JUSzPkDok", false, "JUSzPkDok"},
    {Pravo::SeznamBank, "SeznamBank", false, "SeznamBankovnichDokl"},
    {Pravo::JUSeznamBa, "JUSeznamBa", false, "JUSeznamBankovnichDo"},
    {Pravo::SeznamZava, "SeznamZava", false, "SeznamZavazku"},
    {Pravo::JUSeznamZa, "JUSeznamZa", false, "JUSeznamZavazku"},
    {Pravo::SeznamPohl, "SeznamPohl", false, "SeznamPohledavek"},
    {Pravo::JUSzPohled, "JUSzPohled", false, "JUSzPohled"},
    {Pravo::InterniDok, "InterniDok", false, "InterniDoklady"},
    {Pravo::JUInterniD, "JUInterniD", true, "JUInterniDoklady"},
    {Pravo::PrijateFak, "PrijateFak", false, "PrijateFaktury"},
    {Pravo::KonfUdZas, "KonfUdZas", true, "KonfUdZas"},
    {Pravo::Vysledovka, "Vysledovka", false, "Vysledovka"},
    {Pravo::KUhradDluz, "KUhradDluz", false, "KUhradDluz"},
    {Pravo::JUKUhradDl, "JUKUhradDl", false, "JUKUhradDluz"},
};
static_assert(std::size(Prava) == PocetPrav);

// The flags live in the user table of either layout under the same names.
constexpr const char* Priznaky[PocetPriznaku] = {"VisPorCenu", "UzamceniDo", "ZobrAkce"};

QString s(const char* text) {
    return QString::fromLatin1(text);
}

} // namespace

TS3AccessRights::TS3AccessRights(const QString& adresarDat)
    : m_adresar(host::paths::folder(adresarDat)), m_pristup(host::TBFTable::create()),
      m_pristup2(host::TBFTable::create()), m_prisuziv(host::TBFTable::create()),
      m_prispol(host::TBFTable::create()) {
    m_novy = !host::paths::exists(m_adresar + QStringLiteral("PrisUziv.dat"));
}

QString TS3AccessRights::OsUserName() {
    QString name = qEnvironmentVariable("USERNAME");
    if (name.isEmpty()) {
        name = qEnvironmentVariable("USER");
    }
    return name;
}

std::uint8_t TS3AccessRights::RightLevel(const QString& text) {
    if (text == u"A") {
        return 2;
    }
    if (text == u"R") {
        return 1;
    }
    return 0;
}

QString TS3AccessRights::TablePath(const QString& name) const {
    return m_adresar + name;
}

bool TS3AccessRights::CheckUser(const QString& password) {
    m_lastError.clear();
    // Whatever happens below, no cursor outlives the check.
    const host::OpenTable g1(*m_pristup);
    const host::OpenTable g2(*m_pristup2);
    const host::OpenTable g3(*m_prisuziv);
    const host::OpenTable g4(*m_prispol);

    bool result = false;
    try {
        if (!OpenTables()) {
            CloseTables();
            return false;
        }
        if (HasNoUsers()) {
            SetAllRights(true);
            m_konfigName.clear();
            m_poznamka.clear();
            m_jmeno = QStringLiteral("uživatel bez jména");
            m_id = 0;
            m_password.clear();
            result = true;
        } else {
            SetAllRights(false);
            if (m_novy || !password.isEmpty()) {
                result = FindByPassword(password);
                if (result) {
                    ReadRights();
                }
            } else {
                bool accepted = false;
                if (!FindByOsUser(accepted)) {
                    result = false;
                } else if (!accepted) {
                    m_lastError = NenalezenText;
                    result = false;
                } else {
                    result = true;
                }
            }
        }
    } catch (const host::HostError& e) {
        // A rights table without a field this reader needs is not one the host
        // wrote; refuse the user rather than guess at the rights.
        SetAllRights(false);
        m_lastError = QStringLiteral("Nastala chyba při čtení databáze přístupových práv Money: ") +
                      QString::fromStdString(e.what());
        result = false;
    }
    CloseTables();
    return result;
}

bool TS3AccessRights::OpenOne(host::TBFTable& table, const QString& name, const QString& index) {
    const QString path = TablePath(name);
    if (table.Open(path) != Ok) {
        m_lastError =
            QStringLiteral("Nastala chyba při otevírání databáze ") + path + QStringLiteral(".DAT");
        return false;
    }
    if (!index.isEmpty() && table.SetIndex(index) != Ok) {
        m_lastError = QStringLiteral("Nastala chyba při nastavení indexu databáze ") + path +
                      QStringLiteral(".DAT");
        return false;
    }
    return true;
}

bool TS3AccessRights::OpenTables() {
    CloseTables();
    if (m_novy) {
        return OpenOne(*m_pristup, QStringLiteral("PRISTUP"), QStringLiteral("Jmeno")) &&
               OpenOne(*m_pristup2, QStringLiteral("PRISTUP2"), QString());
    }
    if (!OpenOne(*m_prisuziv, QStringLiteral("PRISUZIV"), QStringLiteral("Jmeno"))) {
        return false;
    }
    if (host::paths::exists(TablePath(QStringLiteral("PRISPOL")) + QStringLiteral(".DAT"))) {
        return OpenOne(*m_prispol, QStringLiteral("PRISPOL"), QStringLiteral("FL_Pristup+Polozka"));
    }
    return true;
}

void TS3AccessRights::CloseTables() {
    for (auto* t : {m_pristup.get(), m_pristup2.get(), m_prisuziv.get(), m_prispol.get()}) {
        if (t->IsOpen()) {
            t->Close();
        }
    }
}

bool TS3AccessRights::HasNoUsers() {
    return UserTable().RecordCount() <= 0;
}

void TS3AccessRights::SetAllRights(bool full) {
    m_urovne.fill(full ? 2 : 0);
    m_priznaky.fill(full);
}

bool TS3AccessRights::SetIndexOrFail(host::TBFTable& table, const QString& index) {
    if (table.SetIndex(index) != Ok) {
        m_lastError =
            QStringLiteral("Nastala chyba při nastavení indexu databáze %1.DAT").arg(table.Path());
        return false;
    }
    return true;
}

bool TS3AccessRights::FindByPassword(const QString& password) {
    if (m_novy) {
        host::TBFTable& users = *m_pristup;
        if (!SetIndexOrFail(users, QStringLiteral("Password"))) {
            return false;
        }
        // The stored passwords are scrambled, so the index cannot be searched
        // for the plain text; compare record by record.
        const QString hledane = Scramble(password);
        for (int rc = users.First(); rc == Ok; rc = users.Next()) {
            if (users.Value(QStringLiteral("Password")).toString() == hledane) {
                return MatchSecondTable();
            }
        }
        m_lastError = NenalezenText;
        return false;
    }
    host::TBFTable& users = *m_prisuziv;
    if (!SetIndexOrFail(users, QStringLiteral("Password"))) {
        return false;
    }
    // The index compares without regard to letter case; a password must match
    // exactly, so walk the records with an equal key for the exact one.
    if (users.Seek(password) == Found) {
        do {
            const QString stored = users.Value(QStringLiteral("Password")).toString();
            if (stored == password) {
                return true;
            }
            if (stored.compare(password, Qt::CaseInsensitive) != 0) {
                break;
            }
        } while (users.Next() == Ok);
    }
    m_lastError = NenalezenText;
    return false;
}

bool TS3AccessRights::MatchSecondTable() {
    const QString password = m_pristup->Value(QStringLiteral("Password")).toString();
    for (int rc = m_pristup2->First(); rc == Ok; rc = m_pristup2->Next()) {
        if (m_pristup2->Value(QStringLiteral("Password")).toString() == password) {
            return true;
        }
    }
    m_lastError =
        QStringLiteral("Interní chyba - uživatel ID %1 nebyl nalezen v databázi PRISTUP2.")
            .arg(m_pristup->Value(QStringLiteral("ID")).toString());
    return false;
}

bool TS3AccessRights::FindByOsUser(bool& accepted) {
    accepted = false;
    host::TBFTable& users = *m_prisuziv;
    if (!SetIndexOrFail(users, QStringLiteral("UzivOS"))) {
        return false;
    }
    if (users.Seek(OsUserName()) == Found && users.Value(QStringLiteral("PrihlZp")).toInt() != 0) {
        ReadRights();
        accepted = true;
    }
    return true;
}

void TS3AccessRights::ReadRights() {
    host::TBFTable& users = UserTable();
    m_konfigName = users.Value(QStringLiteral("KonfigName")).toString();
    m_jmeno = users.Value(QStringLiteral("Jmeno")).toString();
    m_poznamka = users.Value(QStringLiteral("Poznamka")).toString();
    for (int i = 0; i < PocetPriznaku; ++i) {
        m_priznaky[std::size_t(i)] = users.Value(s(Priznaky[i])).toBool();
    }
    if (m_novy) {
        m_id = static_cast<qint32>(users.Value(QStringLiteral("ID")).toInt());
        m_password = Scramble(users.Value(QStringLiteral("Password")).toString());
        for (const PopisPrava& p : Prava) {
            host::TBFTable& table = p.druhaTabulka ? *m_pristup2 : *m_pristup;
            m_urovne[std::size_t(p.pravo)] = RightLevel(table.Value(s(p.sloupec)).toString());
        }
        return;
    }
    m_id = static_cast<qint32>(users.Value(QStringLiteral("ID_Pristup")).toInt());
    m_password = users.Value(QStringLiteral("Password")).toString();
    for (const PopisPrava& p : Prava) {
        m_urovne[std::size_t(p.pravo)] = RightLevel(ItemValue(m_id, s(p.polozka)));
    }
}

QString TS3AccessRights::ItemValue(qint32 userId, const QString& item) {
    // Without the table no right was ever restricted: the host's own default
    // for a right without a row ("A") applies to all of them.
    if (!m_prispol->IsOpen()) {
        return QStringLiteral("A");
    }
    if (m_prispol->SeekKeys({host::Variant(userId), host::Variant(item)}) == Found) {
        return m_prispol->Value(QStringLiteral("Hodnota")).toString();
    }
    return QStringLiteral("A");
}

} // namespace arvelo::rights
