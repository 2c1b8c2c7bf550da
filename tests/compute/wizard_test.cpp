#include "agenda_fixture.h"
#include "app/main_data.h"
#include "app/scripted_prompts.h"
#include "compute/main_form.h"
#include "rights/rights_file.h"
#include "rights/rights_list.h"
#include "rights/scramble.h"
#include "support/test_application.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
QT_END_NAMESPACE

using namespace arvelo;

namespace {

[[maybe_unused]] const auto* const kApp = test::kTestApplication<QApplication>;

const QString kChyba =
    "Při zpracování sestavy došlo k chybě nebo byla operace přerušena uživatelem.";

class Wizard : public ::testing::Test {
protected:
    app::ScriptedPrompts prompts;
    QDate today{2019, 3, 15};
    std::unique_ptr<compute::TfrmMain> form;
    int resultsShown = 0;
    bool busyWhileShown = true;

    void SetUp() override { makeForm(); }

    void makeForm() {
        form = std::make_unique<compute::TfrmMain>(prompts, test::czechFormats());
        form->NastavitDnes([this] { return today; });
        form->NastavitZobrazeniVysledku([this](const compute::TNastaveniBehu&) {
            ++resultsShown;
            busyWhileShown = form->Data().Zaneprazdneno;
        });
    }

    template <class T> T* w(const char* name) {
        T* c = form->findChild<T*>(name);
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    QPushButton* button(const char* name) { return w<QPushButton>(name); }
    QLineEdit* edit(const char* name) { return w<QLineEdit>(name); }
    QCheckBox* check(const char* name) { return w<QCheckBox>(name); }
    QString status() { return w<QLabel>("lblStatus")->text(); }
    void next() { button("btnDalsi")->click(); }
    QStringList warnings() const { return prompts.texts(app::MessageKind::Warning); }
};

TEST_F(Wizard, PagesFollowTheButtons) {
    form->show();
    QPushButton* back = button("btnZpet");
    QPushButton* nextButton = button("btnDalsi");
    EXPECT_EQ(form->AktualniStranka(), 0);
    EXPECT_FALSE(back->isEnabled());
    const char* const names[] = {"tsVitejte", "tsDatumFiltr", "tsFiltr", "tsFinal"};
    for (int page = 1; page <= 3; ++page) {
        next();
        EXPECT_EQ(form->AktualniStranka(), page);
        EXPECT_TRUE(w<QWidget>(names[page])->isVisible());
        EXPECT_TRUE(back->isEnabled());
    }
    EXPECT_EQ(nextButton->text(), "Dokončit");
    EXPECT_EQ(status(), "Chcete-li zpracovat sestavu, klepněte na tlačítko [Dokončit]");
    EXPECT_FALSE(w<QWidget>("panLoop")->isVisible());
    EXPECT_FALSE(button("btnPrerusit")->isVisible());
    for (int page = 2; page >= 0; --page) {
        back->click();
        EXPECT_EQ(form->AktualniStranka(), page);
        EXPECT_EQ(nextButton->text(), "Další >");
    }
    EXPECT_FALSE(back->isEnabled());
    back->click();
    EXPECT_EQ(form->AktualniStranka(), 0);
    EXPECT_TRUE(warnings().isEmpty());
}

TEST_F(Wizard, DatesAreCheckedOnlyWithTheDateFilter) {
    struct Case {
        bool dleData;
        const char* od;
        const char* do_;
        const char* warning; // empty: page 2 follows
    };
    const Case cases[] = {
        {true, "", "31.03.2019", "Datum OD nebyl zadán nebo má chybný formát."},
        {true, "32.01.2019", "31.03.2019", "Datum OD nebyl zadán nebo má chybný formát."},
        {true, "01.01.2019", "", "Datum DO nebyl zadán nebo má chybný formát."},
        {true, "01.01.2019", "x", "Datum DO nebyl zadán nebo má chybný formát."},
        {true, "02.01.2019", "01.01.2019", "Datum DO nesmí být nižší než datum OD."},
        {true, "01.01.2019", "01.01.2019", ""},
        {false, "garbage", "", ""},
    };
    form->show();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.od) + " - " + c.do_);
        prompts.messages.clear();
        form->ZobrazitStranku(1);
        check("chckDleDatumu")->setChecked(true);
        w<QComboBox>("cbxDatObdobi")->setCurrentIndex(compute::ObdobiOdDo);
        edit("edtDatumOd")->setText(c.od);
        edit("edtDatumDo")->setText(c.do_);
        check("chckDleDatumu")->setChecked(c.dleData);
        next();
        if (*c.warning) {
            EXPECT_EQ(warnings(), QStringList{c.warning});
            EXPECT_EQ(form->AktualniStranka(), 1);
        } else {
            EXPECT_TRUE(prompts.messages.empty());
            EXPECT_EQ(form->AktualniStranka(), 2);
        }
    }
}

TEST_F(Wizard, OneTaxSwitchMustStayOn) {
    form->show();
    form->ZobrazitStranku(2);
    const bool states[][2] = {{false, false}, {true, false}, {false, true}, {true, true}};
    for (const auto& s : states) {
        prompts.messages.clear();
        form->ZobrazitStranku(2);
        check("chckUctyOvlDan")->setChecked(s[0]);
        check("chckUctyNEOvlDan")->setChecked(s[1]);
        next();
        if (!s[0] && !s[1]) {
            EXPECT_EQ(warnings(), QStringList{"Alespoň jeden přepínač \"jen pohyby na účtech "
                                              "Ovlivňujících nebo Neovlivňujících daň z příjmů\" "
                                              "musí zůstat aktivní."});
            EXPECT_EQ(form->AktualniStranka(), 2);
        } else {
            EXPECT_TRUE(prompts.messages.empty());
            EXPECT_EQ(form->AktualniStranka(), 3);
        }
    }
}

TEST_F(Wizard, QuickPeriodsCountFromToday) {
    struct Case {
        int index;
        QDate od, do_;
    };
    // Friday 15 March 2019.
    const Case cases[] = {
        {compute::Dnes, {2019, 3, 15}, {2019, 3, 15}},
        {compute::Vcera, {2019, 3, 14}, {2019, 3, 14}},
        {compute::TentoTyden, {2019, 3, 11}, {2019, 3, 17}},
        {compute::MinulyTyden, {2019, 3, 4}, {2019, 3, 10}},
        {compute::TentoMesic, {2019, 3, 1}, {2019, 3, 31}},
        {compute::MinulyMesic, {2019, 2, 1}, {2019, 2, 28}},
        {compute::TentoRok, {2019, 1, 1}, {2019, 12, 31}},
        {compute::MinulyRok, {2018, 1, 1}, {2018, 12, 31}},
    };
    for (const Case& c : cases) {
        const auto [od, do_] = compute::DatumyObdobi(c.index, today);
        EXPECT_EQ(od, c.od) << c.index;
        EXPECT_EQ(do_, c.do_) << c.index;
    }
    EXPECT_FALSE(compute::DatumyObdobi(compute::ObdobiOdDo, today).first.isValid());
    // Last month of 1 January is December of the year before.
    EXPECT_EQ(compute::DatumyObdobi(compute::MinulyMesic, QDate(2020, 1, 1)).first,
              QDate(2019, 12, 1));

    // Through the window: choosing "minulý měsíc" on 15 March.
    form->show();
    form->ZobrazitStranku(1);
    check("chckDleDatumu")->setChecked(true);
    auto* combo = w<QComboBox>("cbxDatObdobi");
    combo->setCurrentIndex(compute::MinulyMesic);
    EXPECT_EQ(combo->currentText(), "minulý měsíc");
    EXPECT_EQ(edit("edtDatumOd")->text(), "01.02.2019");
    EXPECT_EQ(edit("edtDatumDo")->text(), "28.02.2019");
}

TEST_F(Wizard, SavedQuickPeriodIsRecomputedOnAnotherDay) {
    app::TVolby& v = form->Data().Volby;
    v.Datum = true;
    v.DatObdobi = compute::TentoMesic;
    v.DatumOd = QDateTime(QDate(2018, 5, 1), QTime(0, 0));
    v.DatumDo = QDateTime(QDate(2018, 5, 31), QTime(0, 0));
    today = QDate(2019, 7, 10);
    form->show();
    form->ZobrazitStranku(1);
    EXPECT_EQ(edit("edtDatumOd")->text(), "01.07.2019");
    EXPECT_EQ(edit("edtDatumDo")->text(), "31.07.2019");
    today = QDate(2019, 8, 2);
    form->ZobrazitStranku(2); // the filter page recomputes it too
    EXPECT_EQ(edit("edtDatumOd")->text(), "01.08.2019");
    EXPECT_EQ(edit("edtDatumDo")->text(), "31.08.2019");
}

TEST_F(Wizard, EditingADateResetsTheQuickPeriodAndSpacePutsToday) {
    form->show();
    form->ZobrazitStranku(1);
    check("chckDleDatumu")->setChecked(true);
    auto* combo = w<QComboBox>("cbxDatObdobi");
    combo->setCurrentIndex(compute::TentoRok);
    QLineEdit* od = edit("edtDatumOd");
    od->setFocus();
    QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ");
    QCoreApplication::sendEvent(od, &space);
    EXPECT_EQ(od->text(), "15.03.2019");
    EXPECT_EQ(combo->currentIndex(), compute::ObdobiOdDo);
    EXPECT_EQ(edit("edtDatumDo")->text(), "31.12.2019"); // the other date stays

    combo->setCurrentIndex(compute::Dnes);
    od->selectAll();
    QKeyEvent digit(QEvent::KeyPress, Qt::Key_1, Qt::NoModifier, "1");
    QCoreApplication::sendEvent(od, &digit);
    EXPECT_EQ(od->text(), "1");
    EXPECT_EQ(combo->currentIndex(), compute::ObdobiOdDo);
}

TEST_F(Wizard, SwitchesEnableTheirControls) {
    form->show();
    form->ZobrazitStranku(1);
    check("chckDleDatumu")->setChecked(false);
    for (const char* name : {"cbxDatObdobi", "edtDatumOd", "edtDatumDo"}) {
        EXPECT_FALSE(w<QWidget>(name)->isEnabled()) << name;
    }
    check("chckDleDatumu")->setChecked(true);
    for (const char* name : {"cbxDatObdobi", "edtDatumOd", "edtDatumDo"}) {
        EXPECT_TRUE(w<QWidget>(name)->isEnabled()) << name;
    }
    check("chckSeskupit")->setChecked(false);
    EXPECT_FALSE(w<QWidget>("cbxSeskupitDle")->isEnabled());
    check("chckSeskupit")->setChecked(true);
    EXPECT_TRUE(w<QWidget>("cbxSeskupitDle")->isEnabled());

    form->ZobrazitStranku(2);
    for (const char* family : {"Cinnosti", "Strediska", "Zakazky", "Ucty"}) {
        const QString f = QString::fromLatin1(family);
        QCheckBox* on = form->findChild<QCheckBox*>("chck" + f);
        ASSERT_NE(on, nullptr) << family;
        for (bool state : {false, true}) {
            on->setChecked(state);
            EXPECT_EQ(form->findChild<QLineEdit*>("edt" + f)->isEnabled(), state) << family;
            EXPECT_EQ(form->findChild<QToolButton*>("btnVyber" + f)->isEnabled(), state);
            EXPECT_EQ(form->findChild<QCheckBox*>("chck" + f + "Neg")->isEnabled(), state);
        }
    }
}

// Edits a list by appending a code and remembers what it was asked.
class AppendingLists final : public rights::TVyberySeznamu {
public:
    QStringList asked;
    QString UpravitSeznam(const QString& seznam, int druh) override {
        asked << QStringLiteral("%1 %2").arg(seznam).arg(druh);
        return seznam + QStringLiteral("N%1;").arg(druh);
    }
    QString VybratZeSeznamu(int, const QString&) override { return QString(); }
};

TEST_F(Wizard, TheDotsButtonEditsTheFamilysList) {
    AppendingLists lists;
    form->NastavitSeznamy(lists);
    form->show();
    form->ZobrazitStranku(2);
    struct Case {
        const char* family;
        int kind;
    };
    const Case cases[] = {{"Cinnosti", 1}, {"Strediska", 2}, {"Zakazky", 3}, {"Ucty", 6}};
    for (const Case& c : cases) {
        const QString f = QString::fromLatin1(c.family);
        form->findChild<QCheckBox*>("chck" + f)->setChecked(true);
        form->findChild<QLineEdit*>("edt" + f)->setText("A;");
        form->findChild<QToolButton*>("btnVyber" + f)->click();
        EXPECT_EQ(form->findChild<QLineEdit*>("edt" + f)->text(),
                  QStringLiteral("A;N%1;").arg(c.kind));
    }
    EXPECT_EQ(lists.asked, (QStringList{"A; 1", "A; 2", "A; 3", "A; 6"}));
    // The rights windows reach the same lists.
    EXPECT_EQ(form->Data().SeznamyPruvodce.UpravitSeznam("B;", 3), "B;N3;");
}

// A run over an agenda: 2019 with order-coded lines.
class WizardRun : public Wizard {
protected:
    test::TestAgenda agenda;

    void SetUp() override {
        Wizard::SetUp();
        agenda.standardYears();
        agenda.attach(form->Data(), "002");
        std::vector<test::Radek> lines;
        for (int i = 0; i < 600; ++i) {
            test::Radek r{i + 1, QDate(2019, 1 + i % 12, 10), i % 2 ? "518300" : "211000",
                          i % 2 ? "211000" : "602100", "10.00"};
            r.zakazka = i % 3 ? "Z1" : "Z2";
            lines.push_back(r);
        }
        agenda.journal("002", lines);
        form->Data().Volby.Seskupit = true;
        form->Data().Volby.SeskupitDle = 0;
        form->show();
        form->ZobrazitStranku(3);
    }
    void expectUsable() {
        EXPECT_TRUE(button("btnDalsi")->isEnabled());
        EXPECT_TRUE(button("btnZpet")->isEnabled());
        EXPECT_TRUE(button("btnZavrit")->isEnabled());
        EXPECT_FALSE(button("btnPrerusit")->isVisible());
        EXPECT_FALSE(w<QWidget>("panLoop")->isVisible());
    }
};

TEST_F(WizardRun, SuccessShowsTheResultsAndKeepsTheWizard) {
    bool visibleDuringRun = false;
    bool closedDuringRun = true;
    prompts.onProcessEvents = [&](int) {
        visibleDuringRun = button("btnPrerusit")->isVisible() && !button("btnDalsi")->isEnabled() &&
                           !button("btnZavrit")->isEnabled();
        closedDuringRun = form->close();
    };
    next();
    EXPECT_TRUE(visibleDuringRun);
    EXPECT_FALSE(closedDuringRun); // the window's close button waits for the run
    EXPECT_EQ(resultsShown, 1);
    EXPECT_FALSE(busyWhileShown);
    EXPECT_TRUE(form->Data().Zaneprazdneno);
    EXPECT_EQ(status(), "Dokončeno.");
    EXPECT_EQ(form->Data().mtSkupiny.recordCount(), 2);
    EXPECT_TRUE(form->isVisible());
    expectUsable();
    next(); // and again
    EXPECT_EQ(resultsShown, 2);
}

TEST_F(WizardRun, InterruptEndsTheRunAsFailed) {
    for (bool closeAfter : {false, true}) {
        SCOPED_TRACE(closeAfter);
        check("chckZavritOkno")->setChecked(closeAfter);
        prompts.onProcessEvents = [&](int) { button("btnPrerusit")->click(); };
        next();
        EXPECT_EQ(status(), kChyba);
        EXPECT_EQ(resultsShown, 0);
        EXPECT_TRUE(form->isVisible()); // a failed run keeps the wizard open
        expectUsable();
        EXPECT_FALSE(form->Data().Tabulka->IsOpen());
    }
    // Without the interrupt the same settings succeed.
    prompts.onProcessEvents = nullptr;
    next();
    EXPECT_EQ(status(), "Dokončeno.");
    EXPECT_EQ(resultsShown, 1);
    EXPECT_FALSE(form->isVisible()); // "zavřít" still ticked
}

TEST_F(WizardRun, AFailedOpenKeepsTheWizard) {
    check("chckZavritOkno")->setChecked(true);
    form->Data().Kontext.AdresarAgendy = agenda.root() + "CHYBI/";
    form->Data().Kontext.AdresarRoku = agenda.root() + "CHYBI/ROK.002/";
    next();
    EXPECT_EQ(status(), kChyba);
    EXPECT_EQ(resultsShown, 0);
    EXPECT_TRUE(form->isVisible());
    expectUsable();
}

// "Další" on the welcome page runs the rights check of the start-up's rights object.
class WizardRights : public Wizard {
protected:
    test::TestAgenda agenda;

    void SetUp() override {
        Wizard::SetUp();
        agenda.standardYears();
        agenda.hostUser(2, QStringLiteral("Petr Novák"), QStringLiteral("novak"), false);
        agenda.hostUser(3, QStringLiteral("Jana Dvořáková"), QStringLiteral("jana"), true);
        agenda.attach(form->Data(), "002");
        form->Data().KlicPrav = rights::KlicPrav();
    }
    void user(const QString& password) {
        form->Data().Kontext.HesloUzivatele = password;
        form->Data().VytvoritPristupPrava();
        form->show();
        form->ZobrazitStranku(0);
    }
};

TEST_F(WizardRights, AUserWithoutTheModuleRightStaysOnTheWelcomePage) {
    user(QStringLiteral("novak"));
    next();
    EXPECT_EQ(form->AktualniStranka(), 0);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_TRUE(prompts.messages[0].text.contains("nemáte dostatečná oprávnění"));
}

TEST_F(WizardRights, FixedFiltersArePresetAndStayLocked) {
    rights::TObsahPrav prava;
    prava.RozsirenaPrava = true;
    rights::TUzivatelPrav jana;
    jana.ID = 3;
    jana.Jmeno = QStringLiteral("Jana Dvořáková");
    jana.Omezeni.Zak = {true, true, QStringLiteral("Z1;"), true};
    jana.Omezeni.IgPrev = {true, false};
    prava.Uzivatele.push_back(jana);
    ASSERT_EQ(rights::UlozSoubor(rights::SestavitRadky(prava), agenda.agenda() + "ORBPRA.TLD",
                                 nullptr, rights::KlicPrav()),
              0);
    user(QStringLiteral("jana"));
    next();
    ASSERT_EQ(form->AktualniStranka(), 1);
    EXPECT_TRUE(prompts.messages.empty());
    next();
    ASSERT_EQ(form->AktualniStranka(), 2);
    EXPECT_TRUE(check("chckZakazky")->isChecked());
    EXPECT_EQ(edit("edtZakazky")->text(), "Z1;");
    EXPECT_TRUE(check("chckZakazkyNeg")->isChecked());
    EXPECT_FALSE(check("chckIgnorovatPrevod")->isChecked());
    // The enabling rules leave the locked controls alone.
    check("chckCinnosti")->setChecked(true);
    for (const char* name : {"chckZakazky", "edtZakazky", "btnVyberZakazky", "chckZakazkyNeg",
                             "chckIgnorovatPrevod"}) {
        EXPECT_FALSE(w<QWidget>(name)->isEnabled()) << name;
    }
    EXPECT_TRUE(edit("edtCinnosti")->isEnabled());
    const compute::TNastaveniBehu n = form->Nastaveni();
    EXPECT_TRUE(n.Zakazky.zapnuto && n.Zakazky.negace);
    EXPECT_EQ(n.Zakazky.seznam, "Z1;");
}

} // namespace
