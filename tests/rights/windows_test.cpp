#include "rights/frm_pristupova_prava.h"
#include "rights/frm_uzivatel.h"
#include "rights/host_users.h"
#include "rights_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace arvelo;
using namespace arvelo::rights;
using namespace arvelo::rights::test;

namespace {

template <class T> T* child(QWidget& w, const char* name) {
    auto* c = w.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
}

TUzivatelPrav user(qint32 id, const char* name) {
    TUzivatelPrav u;
    u.ID = id;
    u.Jmeno = QString::fromUtf8(name);
    return u;
}

// Every labelled control gets at least the width its text needs: nothing is cut off.
void expectNothingTruncated(QWidget& window) {
    window.adjustSize();
    window.show();
    QApplication::processEvents();
    for (QAbstractButton* b : window.findChildren<QAbstractButton*>()) {
        if (!b->isVisible() || b->text().isEmpty()) {
            continue;
        }
        // A push button may be narrower than its style's minimum, never than its caption.
        const int needed = qobject_cast<QPushButton*>(b) != nullptr
                               ? b->fontMetrics().horizontalAdvance(b->text()) + 6
                               : b->sizeHint().width();
        EXPECT_GE(b->width(), needed) << b->objectName().toStdString();
    }
    for (QLabel* l : window.findChildren<QLabel*>()) {
        EXPECT_GE(l->width(), l->sizeHint().width()) << l->text().toStdString();
    }
    // No two visible controls overlap.
    QList<QWidget*> controls;
    for (QWidget* w : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (w->isVisible()) {
            controls << w;
        }
    }
    for (int i = 0; i < controls.size(); ++i) {
        for (int j = i + 1; j < controls.size(); ++j) {
            EXPECT_FALSE(controls[i]->geometry().intersects(controls[j]->geometry()))
                << controls[i]->objectName().toStdString() << " / "
                << controls[j]->objectName().toStdString();
        }
    }
}

void saveScreenshot(QWidget& window, const char* file) {
    const QString folder = QStringLiteral(ARVELO_SCREENSHOT_DIR);
    QDir().mkpath(folder);
    const QPixmap picture = window.grab();
    ASSERT_FALSE(picture.isNull());
    EXPECT_TRUE(picture.save(folder + u'/' + QString::fromLatin1(file)));
}

} // namespace

TEST(FrmPristupovaPrava, EnablingFollowsTheRightsKindAndTheList) {
    struct Case {
        bool extended;
        int users;
        bool grid, add, others;
    };
    const Case cases[] = {
        {false, 0, false, false, false},
        {false, 2, false, false, false},
        {true, 0, true, true, false},
        {true, 2, true, true, true},
    };
    for (const Case& c : cases) {
        ScriptedPrompts prompts;
        ScriptedLists lists;
        std::vector<TUzivatelPrav> list;
        for (int i = 0; i < c.users; ++i) {
            list.push_back(user(i + 1, "U"));
        }
        TfrmPristupovaPrava w(list, c.extended, prompts, lists);
        EXPECT_EQ(w.windowTitle(), QStringLiteral("Nastavení přístupových práv"));
        EXPECT_EQ(child<QRadioButton>(w, "rbRozsirenaPrava")->isChecked(), c.extended);
        EXPECT_EQ(child<QRadioButton>(w, "rbStandardniPrava")->isChecked(), !c.extended);
        EXPECT_EQ(child<QTableWidget>(w, "grUzivatele")->isEnabled(), c.grid);
        EXPECT_EQ(child<QPushButton>(w, "btnPridatUzivatele")->isEnabled(), c.add);
        for (const char* name :
             {"btnEditovatUzivatele", "btnKopirovatUzivatele", "btnVyjmoutUzivatele"}) {
            EXPECT_EQ(child<QPushButton>(w, name)->isEnabled(), c.others) << name;
        }
        // Clicking the other radio button re-applies the rule.
        child<QRadioButton>(w, c.extended ? "rbStandardniPrava" : "rbRozsirenaPrava")->click();
        EXPECT_EQ(w.RozsirenaPrava(), !c.extended);
        EXPECT_EQ(child<QPushButton>(w, "btnPridatUzivatele")->isEnabled(), !c.extended);
        EXPECT_EQ(child<QPushButton>(w, "btnVyjmoutUzivatele")->isEnabled(),
                  !c.extended && c.users > 0);
    }
}

TEST(FrmPristupovaPrava, AddCopyEditAndRemoveUsers) {
    ScriptedPrompts prompts;
    ScriptedLists lists;
    std::vector<TUzivatelPrav> list = {user(1, "Správce")};
    list[0].Omezeni.Zak = {true, true, QStringLiteral("Z1;"), false};
    TfrmPristupovaPrava w(list, true, prompts, lists);
    auto* grid = child<QTableWidget>(w, "grUzivatele");
    EXPECT_EQ(grid->horizontalHeaderItem(0)->text(), QStringLiteral("Jméno"));

    // Add: the pick list gives ID and name; the user's window opens with the defaults.
    lists.pickedCodes = {QStringLiteral("2\rÚčetní")};
    TUzivatelPrav seen;
    prompts.steps.push_back([&seen](QDialog& d) {
        seen = static_cast<TfrmUzivatel&>(d).Uzivatel();
        d.findChild<QPushButton*>(QStringLiteral("btnOK"))->click();
    });
    child<QPushButton>(w, "btnPridatUzivatele")->click();
    EXPECT_EQ(lists.pickRequests, std::vector<int>{7});
    EXPECT_EQ(seen.ID, 2);
    EXPECT_EQ(seen.Jmeno, QStringLiteral("Účetní"));
    EXPECT_EQ(seen.Omezeni, TOmezeni());
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[1].ID, 2);
    EXPECT_EQ(grid->rowCount(), 2);
    EXPECT_EQ(grid->item(1, 0)->text(), QStringLiteral("Účetní"));
    EXPECT_EQ(w.AktualniRadek(), 1);

    // A listed user is refused with the information box; nothing chosen does nothing.
    lists.pickedCodes = {QStringLiteral("1\rSprávce"), QString()};
    child<QPushButton>(w, "btnPridatUzivatele")->click();
    child<QPushButton>(w, "btnPridatUzivatele")->click();
    ASSERT_EQ(prompts.boxes().size(), 1u);
    EXPECT_EQ(prompts.boxes()[0].kind, QStringLiteral("information"));
    EXPECT_EQ(prompts.boxes()[0].text, QStringLiteral("Tento uživatel již v seznamu existuje."));
    EXPECT_EQ(list.size(), 2u);

    // Copy: a new user starting with the current row's restrictions; cancelling adds nothing.
    grid->setCurrentCell(0, 0);
    lists.pickedCodes = {QStringLiteral("3\rNovák"), QStringLiteral("4\rDvořák")};
    prompts.steps.push_back([&seen](QDialog& d) {
        seen = static_cast<TfrmUzivatel&>(d).Uzivatel();
        d.findChild<QPushButton*>(QStringLiteral("btnOK"))->click();
    });
    child<QPushButton>(w, "btnKopirovatUzivatele")->click();
    EXPECT_EQ(seen.ID, 3);
    EXPECT_EQ(seen.Omezeni, list[0].Omezeni);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[2].Jmeno, QStringLiteral("Novák"));
    EXPECT_EQ(list[2].Omezeni.Zak.Text, QStringLiteral("Z1;"));
    grid->setCurrentCell(0, 0);
    child<QPushButton>(w, "btnKopirovatUzivatele")->click(); // no step: the window is cancelled
    EXPECT_EQ(list.size(), 3u);

    // Edit: the values of the row go in, OK stores the window's values.
    grid->setCurrentCell(1, 0);
    prompts.steps.push_back([&seen](QDialog& d) {
        seen = static_cast<TfrmUzivatel&>(d).Uzivatel();
        d.findChild<QCheckBox*>(QStringLiteral("chckPevnyIgnorovatPrevod"))->setChecked(true);
        d.findChild<QCheckBox*>(QStringLiteral("chckIgnorovatPrevod"))->setChecked(false);
        d.findChild<QPushButton*>(QStringLiteral("btnOK"))->click();
    });
    child<QPushButton>(w, "btnEditovatUzivatele")->click();
    EXPECT_EQ(seen.ID, 2);
    EXPECT_TRUE(list[1].Omezeni.IgPrev.Lock);
    EXPECT_FALSE(list[1].Omezeni.IgPrev.Check);

    // Remove: at once, without a question.
    const std::size_t boxes = prompts.boxes().size();
    grid->setCurrentCell(0, 0);
    child<QPushButton>(w, "btnVyjmoutUzivatele")->click();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].ID, 2);
    EXPECT_EQ(prompts.boxes().size(), boxes);
    child<QPushButton>(w, "btnVyjmoutUzivatele")->click();
    child<QPushButton>(w, "btnVyjmoutUzivatele")->click();
    EXPECT_TRUE(list.empty());
    EXPECT_FALSE(child<QPushButton>(w, "btnVyjmoutUzivatele")->isEnabled());
    EXPECT_FALSE(child<QPushButton>(w, "btnEditovatUzivatele")->isEnabled());
}

TEST(FrmUzivatel, DefaultsLocksColoursAndLists) {
    ScriptedPrompts prompts;
    ScriptedLists lists;
    TfrmUzivatel w(user(7, "Novák"), prompts, lists);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Nastavení uživatele"));
    EXPECT_TRUE(child<QLineEdit>(w, "edtIDUzivatele")->isReadOnly());
    EXPECT_TRUE(child<QLineEdit>(w, "edtJmenoUzivatele")->isReadOnly());
    EXPECT_EQ(child<QLineEdit>(w, "edtIDUzivatele")->text(), QStringLiteral("7"));
    EXPECT_EQ(child<QLineEdit>(w, "edtJmenoUzivatele")->text(), QStringLiteral("Novák"));

    // Defaults: the three switches ticked, everything else clear, so everything is disabled.
    const TOmezeni o = w.Uzivatel().Omezeni;
    EXPECT_EQ(o, TOmezeni());
    EXPECT_TRUE(o.Ovliv.Check && o.NeOvliv.Check && o.IgPrev.Check);
    struct Family {
        const char* lock;
        const char* check;
        const char* edit;
        const char* neg;
        const char* button;
        int kind;
        const char* caption;
    };
    const Family families[] = {
        {"chckPevnyCinnosti", "chckCinnosti", "edtCinnosti", "chckCinnostiNeg", "btnVyberCinnosti",
         1, "jen činnosti"},
        {"chckPevnyStrediska", "chckStrediska", "edtStrediska", "chckStrediskaNeg",
         "btnVyberStrediska", 2, "jen střediska"},
        {"chckPevnyZakazky", "chckZakazky", "edtZakazky", "chckZakazkyNeg", "btnVyberZakazky", 3,
         "jen zakázky"},
        {"chckPevnyUcty", "chckUcty", "edtUcty", "chckUctyNeg", "btnVyberUcty", 6, "jen účty"},
    };
    for (const Family& f : families) {
        auto* lock = child<QCheckBox>(w, f.lock);
        auto* check = child<QCheckBox>(w, f.check);
        auto* edit = child<QLineEdit>(w, f.edit);
        auto* neg = child<QCheckBox>(w, f.neg);
        auto* button = child<QPushButton>(w, f.button);
        EXPECT_EQ(lock->text(), QStringLiteral("pevný filtr"));
        EXPECT_EQ(check->text(), QString::fromUtf8(f.caption));
        EXPECT_EQ(neg->text(), QStringLiteral("negace"));
        for (QWidget* c : {static_cast<QWidget*>(check), static_cast<QWidget*>(edit),
                           static_cast<QWidget*>(neg)}) {
            EXPECT_FALSE(c->isEnabled()) << f.check;
        }
        const QColor window = w.palette().color(QPalette::Base);
        const QColor face = w.palette().color(QPalette::Button);
        EXPECT_EQ(edit->palette().color(QPalette::Base), face) << f.edit;
        lock->setChecked(true);
        EXPECT_TRUE(check->isEnabled() && edit->isEnabled() && neg->isEnabled() &&
                    button->isEnabled())
            << f.check;
        check->setChecked(true);
        EXPECT_EQ(edit->palette().color(QPalette::Base), window) << f.edit;
        // "..." edits the box's text with the family's list.
        edit->setText(QStringLiteral("A;"));
        lists.editedLists = {QStringLiteral("A;B;")};
        button->click();
        ASSERT_FALSE(lists.editRequests.empty());
        EXPECT_EQ(lists.editRequests.back(), std::make_pair(QStringLiteral("A;"), f.kind));
        EXPECT_EQ(edit->text(), QStringLiteral("A;B;"));
    }
    for (const char* name : {"chckUctyOvlDan", "chckUctyNEOvlDan", "chckIgnorovatPrevod"}) {
        EXPECT_FALSE(child<QCheckBox>(w, name)->isEnabled()) << name;
    }
    child<QCheckBox>(w, "chckPevnyIgnorovatPrevod")->setChecked(true);
    EXPECT_TRUE(child<QCheckBox>(w, "chckIgnorovatPrevod")->isEnabled());

    const TOmezeni after = w.Uzivatel().Omezeni;
    EXPECT_EQ(after.Ucty, (TFiltrVyberu{true, true, QStringLiteral("A;B;"), false}));
    EXPECT_TRUE(after.IgPrev.Lock);
}

TEST(FrmUzivatel, OkNeedsATaxSwitchWhenBothAreLocked) {
    struct Case {
        bool lockOvliv, checkOvliv, lockNeOvliv, checkNeOvliv;
        bool accepted;
    };
    const Case cases[] = {
        {true, false, true, false, false},
        {true, true, true, false, true},
        {true, false, true, true, true},
        {false, false, true, false, true}, // one unlocked: the wizard's own check applies
        {false, false, false, false, true},
    };
    for (const Case& c : cases) {
        ScriptedPrompts prompts;
        ScriptedLists lists;
        TUzivatelPrav u = user(1, "U");
        u.Omezeni.Ovliv = {c.lockOvliv, c.checkOvliv};
        u.Omezeni.NeOvliv = {c.lockNeOvliv, c.checkNeOvliv};
        TfrmUzivatel w(u, prompts, lists);
        w.setResult(QDialog::Rejected);
        child<QPushButton>(w, "btnOK")->click();
        EXPECT_EQ(w.result() == QDialog::Accepted, c.accepted);
        if (c.accepted) {
            EXPECT_TRUE(prompts.boxes().empty());
        } else {
            ASSERT_EQ(prompts.boxes().size(), 1u);
            EXPECT_EQ(prompts.boxes()[0].kind, QStringLiteral("warning"));
            EXPECT_EQ(
                prompts.boxes()[0].text,
                QStringLiteral("Alespoň jeden přepínač \"jen pohyby na účtech Ovlivňujících nebo "
                               "Neovlivňujících daň z příjmů\" musí zůstat aktivní."));
        }
    }
}

TEST(HostUserPickList, ReadsTheTableOfTheLayoutSortedByCode) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString root = dir.path() + u'/';
    QString error;
    EXPECT_FALSE(NacistUzivateleMoney(root, &error).has_value());
    EXPECT_EQ(error, QStringLiteral("Nastala chyba při otevírání databáze ") + root +
                         QStringLiteral("PRISTUP.DAT"));

    createTable(root, pristupDef(),
                {{{QStringLiteral("ID"), 5}, {QStringLiteral("Jmeno"), QStringLiteral("Pět")}},
                 {{QStringLiteral("ID"), 3}, {QStringLiteral("Jmeno"), QStringLiteral("Tři")}}});
    auto users = NacistUzivateleMoney(root, &error);
    ASSERT_TRUE(users.has_value());
    ASSERT_EQ(users->size(), 2u);
    EXPECT_EQ((*users)[0].Zkratka, QStringLiteral("3"));
    EXPECT_EQ((*users)[0].Nazev, QStringLiteral("Tři"));

    // The older layout wins when its file is there.
    createTable(
        root, prisuzivDef(),
        {{{QStringLiteral("ID_Pristup"), 9}, {QStringLiteral("Jmeno"), QStringLiteral("Devět")}}});
    QFile::rename(root + QStringLiteral("PRISUZIV.DAT"), root + QStringLiteral("PrisUziv.dat"));
    users = NacistUzivateleMoney(root, &error);
    ASSERT_TRUE(users.has_value());
    ASSERT_EQ(users->size(), 1u);
    EXPECT_EQ((*users)[0].Zkratka, QStringLiteral("9"));
    EXPECT_EQ((*users)[0].Nazev, QStringLiteral("Devět"));

    // The whole pick: notice, window, result "ID\rname".
    ScriptedPrompts prompts;
    prompts.steps.push_back([](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Vyberte nového uživatele"));
        d.findChild<QPushButton*>(QStringLiteral("btnOK"))->click();
    });
    EXPECT_EQ(VybratUzivateleMoney(root, QString(), prompts), QStringLiteral("9\rDevět"));
    EXPECT_EQ(prompts.calls.front().text, QStringLiteral("Načtení seznamu\rčekejte prosím..."));
    prompts.steps.push_back(
        [](QDialog& d) { d.findChild<QPushButton*>(QStringLiteral("btnZavrit"))->click(); });
    EXPECT_EQ(VybratUzivateleMoney(root, QString(), prompts), QString());

    QTemporaryDir empty;
    ScriptedPrompts failing;
    EXPECT_EQ(VybratUzivateleMoney(empty.path(), QString(), failing), QString());
    ASSERT_EQ(failing.boxes().size(), 1u);
    EXPECT_EQ(failing.boxes()[0].kind, QStringLiteral("error"));
    EXPECT_TRUE(std::none_of(failing.calls.begin(), failing.calls.end(),
                             [](const Call& c) { return c.kind == QStringLiteral("window"); }));
}

TEST(HostUserPickList, KindSevenComesFromTheHostOthersFromTheWizard) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString root = dir.path() + u'/';
    createTable(root, pristupDef(),
                {{{QStringLiteral("ID"), 4}, {QStringLiteral("Jmeno"), QStringLiteral("Čtyři")}}});
    ScriptedPrompts prompts;
    ScriptedLists wizard;
    wizard.pickedCodes = {QStringLiteral("ZAK1")};
    wizard.editedLists = {QStringLiteral("A;")};
    TSeznamySUzivateliMoney lists(wizard, root, prompts);
    prompts.steps.push_back(
        [](QDialog& d) { d.findChild<QPushButton*>(QStringLiteral("btnOK"))->click(); });
    EXPECT_EQ(lists.VybratZeSeznamu(7, QString()), QStringLiteral("4\rČtyři"));
    EXPECT_TRUE(wizard.pickRequests.empty());
    EXPECT_EQ(lists.VybratZeSeznamu(3, QString()), QStringLiteral("ZAK1"));
    EXPECT_EQ(wizard.pickRequests, std::vector<int>{3});
    EXPECT_EQ(lists.UpravitSeznam(QString(), 1), QStringLiteral("A;"));
}

TEST(HostUserPickList, WindowStartsOnTheStartCodeAndNeedsRecordsForOk) {
    TfrmSeznamUzivatelu none({}, QString());
    EXPECT_FALSE(child<QPushButton>(none, "btnOK")->isEnabled());
    EXPECT_EQ(none.Vysledek(), QString());

    const std::vector<TPolozkaSeznamu> users = {{QStringLiteral("1"), QStringLiteral("Jedna")},
                                                {QStringLiteral("2"), QStringLiteral("Dva")}};
    TfrmSeznamUzivatelu start(users, QStringLiteral("2"));
    EXPECT_TRUE(child<QPushButton>(start, "btnOK")->isEnabled());
    EXPECT_EQ(start.Vysledek(), QStringLiteral("2\rDva"));
    TfrmSeznamUzivatelu unknown(users, QStringLiteral("99"));
    EXPECT_EQ(unknown.Vysledek(), QStringLiteral("1\rJedna"));
    auto* tree = child<QTreeWidget>(start, "grSeznam");
    EXPECT_EQ(tree->headerItem()->text(0), QStringLiteral("Zkratka"));
    EXPECT_EQ(tree->headerItem()->text(1), QStringLiteral("Název"));
}

TEST(RightsWindows, ScreenshotsShowEveryControlWhole) {
    ScriptedPrompts prompts;
    ScriptedLists lists;
    std::vector<TUzivatelPrav> list = {user(1, "Správce"), user(2, "Účetní"),
                                       user(3, "Ing. Jaroslava Nováková")};
    TfrmPristupovaPrava admin(list, true, prompts, lists);
    expectNothingTruncated(admin);
    saveScreenshot(admin, "frmPristupovaPrava.png");

    TUzivatelPrav u = user(2, "Účetní");
    u.Omezeni.Cinn = {true, true, QStringLiteral("OBCHOD;VYROBA;"), false};
    u.Omezeni.Ucty = {true, true, QStringLiteral("501100;518;"), true};
    u.Omezeni.Ovliv = {true, true};
    TfrmUzivatel userWindow(u, prompts, lists);
    expectNothingTruncated(userWindow);
    saveScreenshot(userWindow, "frmUzivatel.png");
}
