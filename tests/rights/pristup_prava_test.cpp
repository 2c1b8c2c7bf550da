#include "rights/pristup_prava.h"
#include "rights/rights_file.h"
#include "rights/scramble.h"
#include "rights_fixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

using namespace arvelo;
using namespace arvelo::rights;
using namespace arvelo::rights::test;

namespace {

const QString NoRightWarning =
    QStringLiteral("Nelze pokračovat, protože nemáte dostatečná oprávnění:\r\r- požádejte "
                   "administrátora (uživatele s povolenou funkcí \"Přístupová práva\" v Money) o "
                   "zpřístupnění tohoto doplňku.");
const QString NoAdminWarning = QStringLiteral(
    "Litujeme, ale pro zobrazení požadované funkce nemáte potřebná přístupová práva. Obraťte se "
    "na administrátora (uživatele s povolenou funkcí \"Přístupová práva\" v Money).");

// The wizard's filter controls as a test sees them: state by control name.
class FakeWizard final : public TOvladaceFiltru {
public:
    FakeWizard() {
        for (TFiltr f : VsechnyFiltry) {
            const TNazvyOvladacu n = NazvyOvladacu(f);
            for (const QString& name : {n.Check, n.Neg, n.Tlacitko, n.Text}) {
                if (!name.isEmpty()) {
                    enabled[name] = true;
                }
            }
        }
    }
    void NastavitZaskrtnuti(const QString& ovladac, bool zaskrtnuto) override {
        checked[ovladac] = zaskrtnuto;
    }
    void NastavitText(const QString& ovladac, const QString& t) override { text[ovladac] = t; }
    void Povolit(const QString& ovladac, bool povoleno) override { enabled[ovladac] = povoleno; }

    std::map<QString, bool> checked;
    std::map<QString, QString> text;
    std::map<QString, bool> enabled;
};

Row hostUser(int id, const QString& name, const QString& password, const char* vysledovka,
             const char* pristupova) {
    Row row = allLevels(pristupDef(), QStringLiteral("A"));
    row[QStringLiteral("ID")] = id;
    row[QStringLiteral("Jmeno")] = name;
    row[QStringLiteral("Password")] = Scramble(password);
    row[QStringLiteral("Vysledovka")] = QString::fromLatin1(vysledovka);
    row[QStringLiteral("Pristupova")] = QString::fromLatin1(pristupova);
    return row;
}

Row secondRow(const QString& password) {
    Row row = allLevels(pristup2Def(), QStringLiteral("A"));
    row[QStringLiteral("Password")] = Scramble(password);
    return row;
}

TUzivatelPrav lockedUcetni() {
    TUzivatelPrav u;
    u.ID = 2;
    u.Jmeno = QStringLiteral("Účetní");
    u.Omezeni.Cinn = {true, true, QStringLiteral("OBCHOD;"), true};
    u.Omezeni.Zak = {true, false, QString(), false};
    u.Omezeni.Ovliv = {true, false};
    u.Omezeni.IgPrev = {true, true};
    u.Omezeni.Stred = {false, true, QStringLiteral("NEPOUZITO;"), true}; // not locked: ignored
    return u;
}

class PristupPravaTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        dataRoot = dir.path() + QStringLiteral("/");
        agenda = dataRoot + QStringLiteral("Agenda.001/");
        ASSERT_TRUE(QDir().mkpath(agenda));
        // Správce may run and administer; Účetní may neither; Novák may run (level R).
        createTable(dataRoot, pristupDef(),
                    {hostUser(1, QStringLiteral("Správce"), QStringLiteral("spravce"), "A", "A"),
                     hostUser(2, QStringLiteral("Účetní"), QStringLiteral("ucetni"), "N", "N"),
                     hostUser(3, QStringLiteral("Novák"), QStringLiteral("novak"), "R", "R")});
        createTable(dataRoot, pristup2Def(),
                    {secondRow(QStringLiteral("spravce")), secondRow(QStringLiteral("ucetni")),
                     secondRow(QStringLiteral("novak"))});
    }

    void writeRights(bool extended, const std::vector<TUzivatelPrav>& users) {
        TObsahPrav obsah;
        obsah.RozsirenaPrava = extended;
        obsah.Uzivatele = users;
        ASSERT_EQ(
            UlozSoubor(SestavitRadky(obsah), agenda + QStringLiteral("ORBPRA.TLD"), nullptr, key),
            0);
    }

    TPristupPrava rights() { return TPristupPrava(agenda, dataRoot, key, prompts, lists); }

    QTemporaryDir dir;
    QString dataRoot;
    QString agenda;
    QByteArray key = KlicPrav();
    ScriptedPrompts prompts;
    ScriptedLists lists;
};

} // namespace

TEST_F(PristupPravaTest, TheRightsCases) {
    struct Case {
        const char* what;
        bool file;
        bool extended;
        std::vector<TUzivatelPrav> users;
        const char* password;
        bool proceeds;
    };
    TUzivatelPrav novak;
    novak.ID = 3;
    novak.Jmeno = QStringLiteral("Novák");
    const Case cases[] = {
        {"no file, no Vysledovka", false, false, {}, "ucetni", false},
        {"no file, with Vysledovka", false, false, {}, "novak", true},
        {"standard rights in the file, no Vysledovka",
         true,
         false,
         {lockedUcetni()},
         "ucetni",
         false},
        {"extended rights, listed without Vysledovka",
         true,
         true,
         {lockedUcetni()},
         "ucetni",
         true},
        {"extended rights, not listed though with Vysledovka",
         true,
         true,
         {lockedUcetni()},
         "novak",
         false},
        {"extended rights, empty list", true, true, {}, "spravce", false},
        {"extended rights, listed with Vysledovka",
         true,
         true,
         {lockedUcetni(), novak},
         "novak",
         true},
    };
    for (const Case& c : cases) {
        QFile::remove(agenda + QStringLiteral("ORBPRA.TLD"));
        if (c.file) {
            writeRights(c.extended, c.users);
        }
        prompts.calls.clear();
        TPristupPrava prava = rights();
        FakeWizard wizard;
        EXPECT_EQ(prava.OveritProPruvodce(QString::fromLatin1(c.password), wizard), c.proceeds)
            << c.what;
        EXPECT_EQ(prava.RozsirenaPrava(), c.file && c.extended) << c.what;
        EXPECT_EQ(prava.SmiSpustit(), c.proceeds) << c.what;
        EXPECT_EQ(prava.Uzivatele().size(), c.file ? c.users.size() : 0u) << c.what;
        const auto boxes = prompts.boxes();
        if (c.proceeds) {
            EXPECT_TRUE(boxes.empty()) << c.what;
        } else {
            ASSERT_EQ(boxes.size(), 1u) << c.what;
            EXPECT_EQ(boxes[0].kind, QStringLiteral("warning"));
            EXPECT_EQ(boxes[0].text, NoRightWarning);
        }
        // The working notice was shown with its text and hidden again.
        ASSERT_GE(prompts.calls.size(), 2u);
        EXPECT_EQ(prompts.calls.front().kind, QStringLiteral("notice"));
        EXPECT_EQ(prompts.calls.front().text,
                  QStringLiteral("Ověření přístupových práv\rčekejte prosím..."));
        EXPECT_EQ(
            std::count_if(prompts.calls.begin(), prompts.calls.end(),
                          [](const Call& call) { return call.kind == QStringLiteral("hide"); }),
            1);
    }
}

TEST_F(PristupPravaTest, AFailedHostCheckShowsItsErrorAndStays) {
    TPristupPrava prava = rights();
    FakeWizard wizard;
    EXPECT_EQ(prava.Overit(QStringLiteral("spatne")), -1);
    EXPECT_FALSE(prava.OveritProPruvodce(QStringLiteral("spatne"), wizard));
    const auto boxes = prompts.boxes();
    ASSERT_EQ(boxes.size(), 2u);
    for (const Call& box : boxes) {
        EXPECT_EQ(box.kind, QStringLiteral("error"));
        EXPECT_EQ(
            box.text,
            QStringLiteral("Aktuální uživatel nebyl nalezen v databázi přístupových práv Money."));
    }
    EXPECT_EQ(prompts.calls.back().kind, QStringLiteral("hide"));
    EXPECT_FALSE(prava.SmiSpustit());
    EXPECT_TRUE(wizard.checked.empty());
}

TEST_F(PristupPravaTest, ADamagedFileMeansStandardRightsSilently) {
    writeRights(true, {lockedUcetni()});
    const QString path = agenda + QStringLiteral("ORBPRA.TLD");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    QByteArray data = f.readAll();
    data[data.size() - 5] = static_cast<char>(data[data.size() - 5] ^ 0x20);
    f.seek(0);
    f.write(data);
    f.close();

    TPristupPrava prava = rights();
    FakeWizard wizard;
    // Novák has the host right: standard rights let him in, unrestricted.
    EXPECT_TRUE(prava.OveritProPruvodce(QStringLiteral("novak"), wizard));
    EXPECT_FALSE(prava.RozsirenaPrava());
    EXPECT_TRUE(prava.Uzivatele().empty());
    EXPECT_TRUE(prompts.boxes().empty());
    // Účetní, listed in the damaged file, is back to the host right he lacks.
    EXPECT_FALSE(prava.OveritProPruvodce(QStringLiteral("ucetni"), wizard));
    ASSERT_EQ(prompts.boxes().size(), 1u);
    EXPECT_EQ(prompts.boxes()[0].text, NoRightWarning);
}

TEST_F(PristupPravaTest, LockedFiltersArePresetAndDisabledOthersKeepTheUsersChoice) {
    writeRights(true, {lockedUcetni()});
    TPristupPrava prava = rights();
    FakeWizard wizard;
    ASSERT_TRUE(prava.OveritProPruvodce(QStringLiteral("ucetni"), wizard));
    EXPECT_EQ(prava.IDUzivatele(), 2);

    // Locked: preset and disabled.
    EXPECT_EQ(wizard.checked.at(QStringLiteral("chckCinnosti")), true);
    EXPECT_EQ(wizard.text.at(QStringLiteral("edtCinnosti")), QStringLiteral("OBCHOD;"));
    EXPECT_EQ(wizard.checked.at(QStringLiteral("chckCinnostiNeg")), true);
    EXPECT_EQ(wizard.checked.at(QStringLiteral("chckZakazky")), false); // locked with Check false
    EXPECT_EQ(wizard.text.at(QStringLiteral("edtZakazky")), QString());
    EXPECT_EQ(wizard.checked.at(QStringLiteral("chckUctyOvlDan")), false);
    EXPECT_EQ(wizard.checked.at(QStringLiteral("chckIgnorovatPrevod")), true);
    for (const char* name :
         {"chckCinnosti", "chckCinnostiNeg", "btnVyberCinnosti", "chckZakazky", "chckZakazkyNeg",
          "btnVyberZakazky", "chckUctyOvlDan", "chckIgnorovatPrevod"}) {
        EXPECT_FALSE(wizard.enabled.at(QString::fromLatin1(name))) << name;
    }
    // Not locked: enabled and untouched, whatever the list holds for them.
    for (const char* name : {"chckStrediska", "chckStrediskaNeg", "btnVyberStrediska", "chckUcty",
                             "chckUctyNeg", "btnVyberUcty", "chckUctyNEOvlDan"}) {
        EXPECT_TRUE(wizard.enabled.at(QString::fromLatin1(name))) << name;
        EXPECT_EQ(wizard.checked.count(QString::fromLatin1(name)), 0u) << name;
    }
    EXPECT_EQ(wizard.text.count(QStringLiteral("edtStrediska")), 0u);
    EXPECT_TRUE(prava.JeZamceno(TFiltr::Cinnosti));
    EXPECT_FALSE(prava.JeZamceno(TFiltr::Strediska));
    EXPECT_TRUE(prava.JeZamceno(TFiltr::UctyOvlDan));
    EXPECT_FALSE(prava.JeZamceno(TFiltr::UctyNEOvlDan));

    // A user without a fixed filter gets every control back enabled.
    TUzivatelPrav free;
    free.ID = 3;
    writeRights(true, {lockedUcetni(), free});
    ASSERT_TRUE(prava.OveritProPruvodce(QStringLiteral("novak"), wizard));
    for (const auto& [name, on] : wizard.enabled) {
        if (!name.startsWith(QStringLiteral("edt"))) {
            EXPECT_TRUE(on) << name.toStdString();
        }
    }
}

TEST_F(PristupPravaTest, RestrictionsReachARealFormByObjectName) {
    QWidget form;
    auto add = [&form](auto* w, const QString& name) {
        w->setParent(&form);
        w->setObjectName(name);
        return w;
    };
    for (TFiltr f : VsechnyFiltry) {
        const TNazvyOvladacu n = NazvyOvladacu(f);
        add(new QCheckBox, n.Check)->setChecked(true); // the user's own choice
        if (JeVyber(f)) {
            add(new QLineEdit, n.Text)->setText(QStringLiteral("VLASTNI;"));
            add(new QCheckBox, n.Neg);
            add(new QPushButton, n.Tlacitko);
        }
    }
    writeRights(true, {lockedUcetni()});
    TPristupPrava prava = rights();
    TOvladaceFormulare controls(form);
    ASSERT_TRUE(prava.OveritProPruvodce(QStringLiteral("ucetni"), controls));
    auto box = [&form](const char* name) {
        return form.findChild<QCheckBox*>(QString::fromLatin1(name));
    };
    auto edit = [&form](const char* name) {
        return form.findChild<QLineEdit*>(QString::fromLatin1(name));
    };
    EXPECT_TRUE(box("chckCinnosti")->isChecked());
    EXPECT_FALSE(box("chckCinnosti")->isEnabled());
    EXPECT_EQ(edit("edtCinnosti")->text(), QStringLiteral("OBCHOD;"));
    EXPECT_TRUE(box("chckCinnostiNeg")->isChecked());
    EXPECT_FALSE(form.findChild<QPushButton*>(QStringLiteral("btnVyberCinnosti"))->isEnabled());
    EXPECT_FALSE(box("chckZakazky")->isChecked());
    EXPECT_FALSE(box("chckZakazky")->isEnabled());
    EXPECT_FALSE(box("chckUctyOvlDan")->isChecked());
    // Unlocked ones keep the user's choice.
    EXPECT_TRUE(box("chckStrediska")->isChecked());
    EXPECT_TRUE(box("chckStrediska")->isEnabled());
    EXPECT_EQ(edit("edtStrediska")->text(), QStringLiteral("VLASTNI;"));
    EXPECT_TRUE(box("chckUctyNEOvlDan")->isChecked());
}

TEST_F(PristupPravaTest, AdministrationLinkNeedsTheAdministrationRight) {
    TPristupPrava prava = rights();
    prava.OdkazSpravy(QStringLiteral("novak")); // level R is not enough
    ASSERT_EQ(prompts.boxes().size(), 1u);
    EXPECT_EQ(prompts.boxes()[0].kind, QStringLiteral("warning"));
    EXPECT_EQ(prompts.boxes()[0].text, NoAdminWarning);
    EXPECT_FALSE(QFile::exists(agenda + QStringLiteral("ORBPRA.TLD")));

    prompts.calls.clear();
    prava.OdkazSpravy(QStringLiteral("spatne")); // failed host check: its error only
    ASSERT_EQ(prompts.boxes().size(), 1u);
    EXPECT_EQ(prompts.boxes()[0].kind, QStringLiteral("error"));
}

TEST_F(PristupPravaTest, AdministrationSavesOnOkOnly) {
    // With extended rights and an empty list the administrator can still administer.
    writeRights(true, {});
    TPristupPrava prava = rights();
    lists.pickedCodes = {QStringLiteral("2\rÚčetní")};
    prompts.steps.push_back([](QDialog& w) {
        w.findChild<QPushButton*>(QStringLiteral("btnPridatUzivatele"))->click();
        w.findChild<QPushButton*>(QStringLiteral("btnOK"))->click();
    });
    prompts.steps.push_back([](QDialog& w) { // TfrmUzivatel
        w.findChild<QCheckBox*>(QStringLiteral("chckPevnyUcty"))->setChecked(true);
        w.findChild<QCheckBox*>(QStringLiteral("chckUcty"))->setChecked(true);
        w.findChild<QPushButton*>(QStringLiteral("btnOK"))->click();
    });
    // Steps go to the windows in the order they open: the user's window opens inside the first.
    prava.OdkazSpravy(QStringLiteral("spravce"));
    EXPECT_TRUE(prompts.boxes().empty());

    TPristupPrava reloaded = rights();
    FakeWizard wizard;
    ASSERT_TRUE(reloaded.OveritProPruvodce(QStringLiteral("ucetni"), wizard));
    EXPECT_TRUE(reloaded.RozsirenaPrava());
    ASSERT_EQ(reloaded.Uzivatele().size(), 1u);
    EXPECT_EQ(reloaded.Uzivatele()[0].ID, 2);
    EXPECT_EQ(reloaded.Uzivatele()[0].Jmeno, QStringLiteral("Účetní"));
    EXPECT_TRUE(reloaded.Omezeni().Ucty.Lock);
    EXPECT_FALSE(wizard.enabled.at(QStringLiteral("chckUcty")));

    // "Zpět" writes nothing, but the list edits stay in memory until the next check.
    const QByteArray before = [&] {
        QFile f(agenda + QStringLiteral("ORBPRA.TLD"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    prompts.steps.push_back([](QDialog& w) {
        w.findChild<QPushButton*>(QStringLiteral("btnVyjmoutUzivatele"))->click();
        w.findChild<QRadioButton*>(QStringLiteral("rbStandardniPrava"))->click();
        w.findChild<QPushButton*>(QStringLiteral("btnZpet"))->click();
    });
    reloaded.OdkazSpravy(QStringLiteral("spravce"));
    EXPECT_TRUE(reloaded.Uzivatele().empty());
    EXPECT_TRUE(reloaded.RozsirenaPrava());
    QFile f(agenda + QStringLiteral("ORBPRA.TLD"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
}

TEST_F(PristupPravaTest, AFailedSaveIsReported) {
    TPristupPrava prava(dataRoot + QStringLiteral("chybi/"), dataRoot, key, prompts, lists);
    ASSERT_EQ(prava.Overit(QStringLiteral("spravce")), 0);
    prompts.steps.push_back(
        [](QDialog& w) { w.findChild<QPushButton*>(QStringLiteral("btnOK"))->click(); });
    prava.Upravit();
    ASSERT_EQ(prompts.boxes().size(), 1u);
    EXPECT_EQ(prompts.boxes()[0].kind, QStringLiteral("error"));
    EXPECT_EQ(prompts.boxes()[0].text,
              QStringLiteral("Při ukládání externích přístupových práv došlo k chybě."));
}

TEST_F(PristupPravaTest, TheRightsFileNameIgnoresLetterCase) {
    writeRights(true, {lockedUcetni()});
    ASSERT_TRUE(QFile::rename(agenda + QStringLiteral("ORBPRA.TLD"),
                              agenda + QStringLiteral("orbpra.tld")));
    TPristupPrava prava = rights();
    FakeWizard wizard;
    ASSERT_TRUE(prava.OveritProPruvodce(QStringLiteral("ucetni"), wizard));
    EXPECT_TRUE(prava.RozsirenaPrava());
    prava.SetRozsirenaPrava(false);
    ASSERT_EQ(prava.Ulozit(), 0);
    EXPECT_EQ(QDir(agenda).entryList(QDir::Files), QStringList{QStringLiteral("orbpra.tld")});
    EXPECT_FALSE(prava.OveritProPruvodce(QStringLiteral("ucetni"), wizard));
    EXPECT_FALSE(prava.RozsirenaPrava());
    EXPECT_EQ(prava.Uzivatele().size(), 1u);
}
