#include "rights/access_rights.h"
#include "rights/scramble.h"
#include "rights_fixture.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>

using namespace arvelo;
using namespace arvelo::rights;
using namespace arvelo::rights::test;
using host::Variant;

namespace {

// Sets or removes an environment variable for one test, then restores it.
class EnvGuard {
public:
    EnvGuard(const char* name, std::optional<QByteArray> value) : m_name(name) {
        if (qEnvironmentVariableIsSet(name)) {
            m_old = qgetenv(name);
        }
        if (value) {
            qputenv(name, *value);
        } else {
            qunsetenv(name);
        }
    }
    ~EnvGuard() {
        if (m_old) {
            qputenv(m_name, *m_old);
        } else {
            qunsetenv(m_name);
        }
    }

private:
    const char* m_name;
    std::optional<QByteArray> m_old;
};

// Open file descriptors on files inside a folder: the cursors left open.
int openFilesUnder(const QString& folder) {
    int count = 0;
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    for (const QFileInfo& fd :
         QDir(QStringLiteral("/proc/self/fd")).entryInfoList(QDir::System | QDir::Files)) {
        if (fd.symLinkTarget().startsWith(canonical)) {
            ++count;
        }
    }
    return count;
}

const QString NotFound =
    QStringLiteral("Aktuální uživatel nebyl nalezen v databázi přístupových práv Money.");

Row newUser(int id, const QString& name, const QString& password, const QString& level) {
    Row row = allLevels(pristupDef(), level);
    row[QStringLiteral("ID")] = id;
    row[QStringLiteral("Jmeno")] = name;
    row[QStringLiteral("KonfigName")] = QStringLiteral("cfg") + QString::number(id);
    row[QStringLiteral("Poznamka")] = QStringLiteral("pozn");
    row[QStringLiteral("Password")] = Scramble(password);
    return row;
}

Row secondRow(const QString& password, const QString& level) {
    Row row = allLevels(pristup2Def(), level);
    row[QStringLiteral("Password")] = Scramble(password);
    return row;
}

Row oldUser(int id, const QString& name, const QString& password, const QString& osUser,
            int prihlZp) {
    return {{QStringLiteral("ID_Pristup"), id},
            {QStringLiteral("Jmeno"), name},
            {QStringLiteral("KonfigName"), QStringLiteral("cfg")},
            {QStringLiteral("Poznamka"), QString()},
            {QStringLiteral("Password"), password},
            {QStringLiteral("UzivOS"), osUser},
            {QStringLiteral("PrihlZp"), prihlZp},
            {QStringLiteral("VisPorCenu"), true},
            {QStringLiteral("UzamceniDo"), false},
            {QStringLiteral("ZobrAkce"), true}};
}

Row item(int id, const char* polozka, const char* hodnota) {
    return {{QStringLiteral("FL_Pristup"), id},
            {QStringLiteral("Polozka"), QString::fromLatin1(polozka)},
            {QStringLiteral("Hodnota"), QString::fromLatin1(hodnota)}};
}

class AccessRightsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        root = dir.path() + QStringLiteral("/");
    }
    QTemporaryDir dir;
    QString root;
};

} // namespace

TEST(Scramble, IsItsOwnInverseAndMatchesTheRule) {
    EXPECT_EQ(Scramble(QString()), QString());
    // 'a' ^ 22, 'b' ^ 23, 'c' ^ 24
    const QString once = Scramble(QStringLiteral("abc"));
    ASSERT_EQ(once.size(), 3);
    EXPECT_EQ(once.at(0).unicode(), 'a' ^ 22);
    EXPECT_EQ(once.at(1).unicode(), 'b' ^ 23);
    EXPECT_EQ(once.at(2).unicode(), 'c' ^ 24);
    for (const QString& text :
         {QStringLiteral("tajné heslo"), QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789!")}) {
        EXPECT_EQ(Scramble(Scramble(text)), text);
    }
    // Beyond 255 the index wraps in the low 8 bits: index 250 XORs with (272 & 0xFF).
    const QString longText(300, QChar(u'x'));
    EXPECT_EQ(Scramble(longText).at(250).unicode(), 'x' ^ 0x10);
    EXPECT_EQ(Scramble(Scramble(longText)), longText);
    // Characters beyond 8 bits stay distinct and come back.
    EXPECT_EQ(Scramble(QStringLiteral("ř")).at(0).unicode(), 0x0159 ^ 22);
    EXPECT_NE(Scramble(QStringLiteral("ř")), Scramble(QString(QChar(0x59))));
    EXPECT_EQ(Scramble(Scramble(QStringLiteral("řeka Želivka"))), QStringLiteral("řeka Želivka"));
    EXPECT_EQ(Scramble(QByteArray("abc")), QByteArray("\x77\x75\x7b"));
}

TEST(Scramble, KeyIsSixteenBytesFromATwelveCharacterPhrase) {
    const QByteArray key = KlicPrav();
    EXPECT_EQ(key.size(), 16);
    EXPECT_EQ(KlicPrav(), key);
}

TEST(AccessRights, RightLevelOfText) {
    const std::pair<const char*, int> cases[] = {{"A", 2}, {"R", 1}, {"N", 0},
                                                 {"", 0},  {"a", 0}, {"AR", 0}};
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(TS3AccessRights::RightLevel(QString::fromLatin1(text)), expected) << text;
    }
}

TEST_F(AccessRightsTest, NewerLayoutFindsTheUserByPasswordAndReadsEveryRight) {
    Row spravce =
        newUser(1, QStringLiteral("Správce"), QStringLiteral("tajne"), QStringLiteral("N"));
    spravce[QStringLiteral("Vysledovka")] = QStringLiteral("A");
    spravce[QStringLiteral("Pristupova")] = QStringLiteral("R");
    spravce[QStringLiteral("JUKUhradDl")] = QStringLiteral("A");
    spravce[QStringLiteral("UzamceniDo")] = true;
    Row druhy = secondRow(QStringLiteral("tajne"), QStringLiteral("N"));
    druhy[QStringLiteral("KonfUdZas")] = QStringLiteral("R");
    druhy[QStringLiteral("JUInterniD")] = QStringLiteral("A");
    createTable(
        root, pristupDef(),
        {newUser(2, QStringLiteral("Jiný"), QStringLiteral("jine"), QStringLiteral("A")), spravce});
    createTable(root, pristup2Def(),
                {secondRow(QStringLiteral("jine"), QStringLiteral("A")), druhy});

    TS3AccessRights r(root);
    EXPECT_TRUE(r.NovyFormat());
    ASSERT_TRUE(r.CheckUser(QStringLiteral("tajne"))) << r.LastError().toStdString();
    EXPECT_EQ(r.LastError(), QString());
    EXPECT_EQ(r.ID(), 1);
    EXPECT_EQ(r.Jmeno(), QStringLiteral("Správce"));
    EXPECT_EQ(r.KonfigName(), QStringLiteral("cfg1"));
    EXPECT_EQ(r.Poznamka(), QStringLiteral("pozn"));
    EXPECT_EQ(r.Password(), QStringLiteral("tajne"));
    EXPECT_EQ(r.Vysledovka(), 2);
    EXPECT_EQ(r.PristupovaPrava(), 1);
    EXPECT_EQ(r.Uroven(Pravo::JUKUhradDl), 2);
    EXPECT_EQ(r.Uroven(Pravo::VystaveneF), 0);
    EXPECT_EQ(r.Uroven(Pravo::KonfUdZas), 1);  // from PRISTUP2
    EXPECT_EQ(r.Uroven(Pravo::JUInterniD), 2); // from PRISTUP2
    EXPECT_EQ(r.Uroven(Pravo::SeznamPPop), 0); // from PRISTUP2
    EXPECT_TRUE(r.Hodnota(Priznak::UzamceniDo));
    EXPECT_FALSE(r.Hodnota(Priznak::VisPorCenu));
    EXPECT_EQ(openFilesUnder(root), 0);

    // The count sees a cursor that is left open.
    auto cursor = host::TBFTable::create();
    ASSERT_EQ(cursor->Open(root + QStringLiteral("PRISTUP")), host::result::Ok);
    EXPECT_GT(openFilesUnder(root), 0);
}

TEST_F(AccessRightsTest, NewerLayoutPasswordCases) {
    struct Case {
        const char* stored;
        const char* given;
        bool accepted;
    };
    const Case cases[] = {
        {"", "", true}, // empty password accepted only when stored empty
        {"heslo", "", false},
        {"heslo", "Heslo", false}, // passwords match exactly
        {"heslo", "heslo", true},
    };
    for (const Case& c : cases) {
        createTable(
            root, pristupDef(),
            {newUser(5, QStringLiteral("U"), QString::fromLatin1(c.stored), QStringLiteral("A"))});
        createTable(root, pristup2Def(),
                    {secondRow(QString::fromLatin1(c.stored), QStringLiteral("A"))});
        TS3AccessRights r(root);
        EXPECT_EQ(r.CheckUser(QString::fromLatin1(c.given)), c.accepted)
            << c.stored << "/" << c.given;
        EXPECT_EQ(r.LastError(), c.accepted ? QString() : NotFound);
    }
}

TEST_F(AccessRightsTest, EmptyUserTableAcceptsEverybodyWithFullRights) {
    createTable(root, pristupDef(), {});
    createTable(root, pristup2Def(), {});
    TS3AccessRights r(root);
    ASSERT_TRUE(r.CheckUser(QStringLiteral("cokoli")));
    EXPECT_EQ(r.Jmeno(), QStringLiteral("uživatel bez jména"));
    EXPECT_EQ(r.ID(), 0);
    EXPECT_EQ(r.KonfigName(), QString());
    for (int i = 0; i < PocetPrav; ++i) {
        EXPECT_EQ(r.Uroven(static_cast<Pravo>(i)), 2);
    }
    EXPECT_TRUE(r.Hodnota(Priznak::ZobrAkce));
}

TEST_F(AccessRightsTest, NewerLayoutUserMissingFromTheSecondTable) {
    createTable(root, pristupDef(),
                {newUser(42, QStringLiteral("U"), QStringLiteral("p"), QStringLiteral("A"))});
    createTable(root, pristup2Def(), {secondRow(QStringLiteral("jine"), QStringLiteral("A"))});
    TS3AccessRights r(root);
    EXPECT_FALSE(r.CheckUser(QStringLiteral("p")));
    EXPECT_EQ(r.LastError(),
              QStringLiteral("Interní chyba - uživatel ID 42 nebyl nalezen v databázi PRISTUP2."));
    EXPECT_EQ(r.Vysledovka(), 0);
    EXPECT_EQ(openFilesUnder(root), 0);
}

TEST_F(AccessRightsTest, OpenAndIndexFailuresNameTheTable) {
    // No PRISTUP2: the open failure names it.
    createTable(root, pristupDef(),
                {newUser(1, QStringLiteral("U"), QStringLiteral("p"), QStringLiteral("A"))});
    {
        TS3AccessRights r(root);
        EXPECT_FALSE(r.CheckUser(QStringLiteral("p")));
        EXPECT_EQ(r.LastError(), QStringLiteral("Nastala chyba při otevírání databáze ") + root +
                                     QStringLiteral("PRISTUP2.DAT"));
        EXPECT_EQ(openFilesUnder(root), 0);
    }
    // A users table without the "Password" index.
    host::TableDef noPasswordIndex = pristupDef();
    dropIndex(noPasswordIndex, QStringLiteral("Password"));
    createTable(root, noPasswordIndex,
                {newUser(1, QStringLiteral("U"), QStringLiteral("p"), QStringLiteral("A"))});
    createTable(root, pristup2Def(), {secondRow(QStringLiteral("p"), QStringLiteral("A"))});
    {
        TS3AccessRights r(root);
        EXPECT_FALSE(r.CheckUser(QStringLiteral("p")));
        EXPECT_EQ(r.LastError(), QStringLiteral("Nastala chyba při nastavení indexu databáze ") +
                                     root + QStringLiteral("PRISTUP.DAT"));
        EXPECT_EQ(openFilesUnder(root), 0);
    }
    // A users table without a right column is refused, not guessed at.
    host::TableDef noRight = pristupDef();
    std::erase_if(noRight.fields,
                  [](const host::FieldDef& f) { return f.name == QStringLiteral("Vysledovka"); });
    Row u = newUser(1, QStringLiteral("U"), QStringLiteral("p"), QStringLiteral("A"));
    u.erase(QStringLiteral("Vysledovka"));
    createTable(root, noRight, {u});
    {
        TS3AccessRights r(root);
        EXPECT_FALSE(r.CheckUser(QStringLiteral("p")));
        EXPECT_TRUE(r.LastError().startsWith(QStringLiteral("Nastala chyba při čtení databáze")));
        EXPECT_EQ(r.Vysledovka(), 0);
        EXPECT_EQ(openFilesUnder(root), 0);
    }
}

TEST_F(AccessRightsTest, OlderLayoutFindsByPasswordAndLooksRightsUpByItem) {
    createTable(
        root, prisuzivDef(),
        {oldUser(7, QStringLiteral("Novák"), QStringLiteral("Heslo"), QStringLiteral("novak"), 1),
         oldUser(8, QStringLiteral("Dvořák"), QStringLiteral("heslo"), QStringLiteral("dvorak"),
                 1)});
    createTable(root, prispolDef(),
                {item(7, "Vysledovka", "N"), item(7, "PristupovaPrava", "A"),
                 item(7, "ElObch", "R"), item(8, "Vysledovka", "R")});
    QFile::rename(root + QStringLiteral("PRISUZIV.DAT"), root + QStringLiteral("PrisUziv.dat"));

    struct Case {
        const char* password;
        int id;
        int vysledovka;
        int pristupova;
        int elObch;
    };
    // Both passwords differ only in case; each finds its own user.
    const Case cases[] = {{"Heslo", 7, 0, 2, 1}, {"heslo", 8, 1, 2, 2}};
    for (const Case& c : cases) {
        TS3AccessRights r(root);
        EXPECT_FALSE(r.NovyFormat());
        ASSERT_TRUE(r.CheckUser(QString::fromLatin1(c.password))) << r.LastError().toStdString();
        EXPECT_EQ(r.ID(), c.id);
        EXPECT_EQ(r.Password(), QString::fromLatin1(c.password));
        EXPECT_EQ(r.Vysledovka(), c.vysledovka);
        EXPECT_EQ(r.PristupovaPrava(), c.pristupova); // "A" when no row
        EXPECT_EQ(r.Uroven(Pravo::Elektronic), c.elObch);
        EXPECT_TRUE(r.Hodnota(Priznak::VisPorCenu));
        EXPECT_FALSE(r.Hodnota(Priznak::UzamceniDo));
        EXPECT_EQ(openFilesUnder(root), 0);
    }
    TS3AccessRights r(root);
    EXPECT_FALSE(r.CheckUser(QStringLiteral("HESLO")));
    EXPECT_EQ(r.LastError(), NotFound);
}

TEST_F(AccessRightsTest, OlderLayoutWithoutItemTableGrantsEveryLevel) {
    createTable(root, prisuzivDef(),
                {oldUser(3, QStringLiteral("U"), QStringLiteral("p"), QString(), 1)});
    QFile::rename(root + QStringLiteral("PRISUZIV.DAT"), root + QStringLiteral("PRISUZIV.dat"));
    TS3AccessRights r(root);
    EXPECT_FALSE(r.NovyFormat());
    ASSERT_TRUE(r.CheckUser(QStringLiteral("p")));
    EXPECT_EQ(r.Vysledovka(), 2);
    EXPECT_EQ(r.Uroven(Pravo::JUKUhradDl), 2);
}

TEST_F(AccessRightsTest, OlderLayoutEmptyPasswordUsesTheOperatingSystemUser) {
    createTable(
        root, prisuzivDef(),
        {oldUser(11, QStringLiteral("Novák"), QStringLiteral("x"), QStringLiteral("novak"), 1),
         oldUser(12, QStringLiteral("Zákaz"), QStringLiteral("y"), QStringLiteral("zakaz"), 0)});
    createTable(root, prispolDef(), {item(11, "Vysledovka", "R")});
    QFile::rename(root + QStringLiteral("PRISUZIV.DAT"), root + QStringLiteral("PrisUziv.dat"));

    struct Case {
        std::optional<QByteArray> username;
        std::optional<QByteArray> user;
        bool accepted;
        int id;
    };
    const Case cases[] = {
        {QByteArray("novak"), QByteArray("zakaz"), true, 11}, // USERNAME first
        {std::nullopt, QByteArray("NOVAK"), true, 11},        // else USER; names ignore case
        {QByteArray("zakaz"), std::nullopt, false, 0},        // PrihlZp 0
        {QByteArray("nikdo"), std::nullopt, false, 0},
        {std::nullopt, std::nullopt, false, 0},
    };
    for (const Case& c : cases) {
        const EnvGuard g1("USERNAME", c.username);
        const EnvGuard g2("USER", c.user);
        TS3AccessRights r(root);
        EXPECT_EQ(r.CheckUser(QString()), c.accepted);
        if (c.accepted) {
            EXPECT_EQ(r.ID(), c.id);
            EXPECT_EQ(r.Vysledovka(), 1);
            EXPECT_EQ(r.PristupovaPrava(), 2);
        } else {
            EXPECT_EQ(r.LastError(), NotFound);
            EXPECT_EQ(r.Vysledovka(), 0);
        }
        EXPECT_EQ(openFilesUnder(root), 0);
    }
}

TEST_F(AccessRightsTest, OlderLayoutWithoutOsUserIndexFails) {
    host::TableDef def = prisuzivDef();
    dropIndex(def, QStringLiteral("UzivOS"));
    createTable(root, def,
                {oldUser(1, QStringLiteral("U"), QStringLiteral("x"), QStringLiteral("u"), 1)});
    QFile::rename(root + QStringLiteral("PRISUZIV.DAT"), root + QStringLiteral("PrisUziv.dat"));
    const EnvGuard g("USERNAME", QByteArray("u"));
    TS3AccessRights r(root);
    EXPECT_FALSE(r.CheckUser(QString()));
    EXPECT_EQ(r.LastError(), QStringLiteral("Nastala chyba při nastavení indexu databáze ") + root +
                                 QStringLiteral("PRISUZIV.DAT"));
    EXPECT_EQ(openFilesUnder(root), 0);
}
