#pragma once

#include "host/host_table.h"

#include <QString>
#include <array>
#include <cstdint>
#include <memory>

namespace arvelo::rights {

// The host's rights that are read as levels: 2 full ("A"), 1 ("R"), 0 none.
enum class Pravo {
    VystaveneF,
    SzSkladDok,
    JUPDTisk,
    Elektronic,
    Pristupova,
    SeznamPrij,
    SeznamNabi,
    SeznamPPop,
    SeznamVPop,
    SeznamVyst,
    SeznamPNab,
    SkPrehledo,
    Verifikace,
    SeznamPokl,
    JUSzPkDok,
    SeznamBank,
    JUSeznamBa,
    SeznamZava,
    JUSeznamZa,
    SeznamPohl,
    JUSzPohled,
    InterniDok,
    JUInterniD,
    PrijateFak,
    KonfUdZas,
    Vysledovka,
    KUhradDluz,
    JUKUhradDl,
};
constexpr int PocetPrav = static_cast<int>(Pravo::JUKUhradDl) + 1;

// The host's rights that are flags.
enum class Priznak { VisPorCenu, UzamceniDo, ZobrAkce };
constexpr int PocetPriznaku = 3;

// Reads the host user who started the module and that user's host rights from
// the host's rights tables in the data root. The layout is chosen once: the
// older one when "PrisUziv.dat" is in the folder, the newer one otherwise.
// Every cursor is closed when CheckUser returns, on every path.
class TS3AccessRights {
public:
    explicit TS3AccessRights(const QString& adresarDat);

    // Identifies the user by the start-up password (in the older layout with an
    // empty password by the operating-system user) and reads the rights. False
    // when the user cannot be accepted; LastError() then says why.
    bool CheckUser(const QString& password);

    bool NovyFormat() const { return m_novy; }
    const QString& LastError() const { return m_lastError; }

    const QString& KonfigName() const { return m_konfigName; }
    const QString& Jmeno() const { return m_jmeno; }
    qint32 ID() const { return m_id; }
    const QString& Poznamka() const { return m_poznamka; }
    const QString& Password() const { return m_password; }

    std::uint8_t Uroven(Pravo pravo) const { return m_urovne[static_cast<int>(pravo)]; }
    bool Hodnota(Priznak priznak) const { return m_priznaky[static_cast<int>(priznak)]; }
    std::uint8_t Vysledovka() const { return Uroven(Pravo::Vysledovka); }
    std::uint8_t PristupovaPrava() const { return Uroven(Pravo::Pristupova); }

    // The operating-system user: USERNAME, else USER, else empty.
    static QString OsUserName();
    // "A" -> 2, "R" -> 1, anything else -> 0.
    static std::uint8_t RightLevel(const QString& text);

private:
    bool OpenTables();
    void CloseTables();
    bool OpenOne(host::TBFTable& table, const QString& name, const QString& index);
    bool HasNoUsers();
    void SetAllRights(bool full);
    bool FindByPassword(const QString& password);
    bool FindByOsUser(bool& accepted);
    void ReadRights();
    bool MatchSecondTable();
    QString ItemValue(qint32 userId, const QString& item);
    bool SetIndexOrFail(host::TBFTable& table, const QString& index);
    QString TablePath(const QString& name) const;
    host::TBFTable& UserTable() { return m_novy ? *m_pristup : *m_prisuziv; }

    QString m_adresar;
    bool m_novy = true;
    QString m_lastError;

    QString m_konfigName;
    QString m_jmeno;
    qint32 m_id = 0;
    QString m_poznamka;
    QString m_password;
    std::array<std::uint8_t, PocetPrav> m_urovne{};
    std::array<bool, PocetPriznaku> m_priznaky{};

    std::unique_ptr<host::TBFTable> m_pristup;  // newer layout: users
    std::unique_ptr<host::TBFTable> m_pristup2; // newer layout: further rights
    std::unique_ptr<host::TBFTable> m_prisuziv; // older layout: users
    std::unique_ptr<host::TBFTable> m_prispol;  // older layout: one row per user and right
};

} // namespace arvelo::rights
