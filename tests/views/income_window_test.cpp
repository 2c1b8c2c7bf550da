#include "app/main_data.h"
#include "app/scripted_prompts.h"
#include "support/test_application.h"
#include "views/income_window.h"
#include "views/other_views.h"
#include "views/print_scope.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
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

Currency kc(const char* text) {
    return *Currency::parse(QString::fromLatin1(text));
}

// Records what the window asked of the other views.
class RecordedViews final : public views::TDalsiPohledy {
public:
    QStringList calls;
    void NacistPohyby(const QString& z, const QString& u, const QString& n, int t) override {
        calls << QStringLiteral("Pohyby %1|%2|%3|%4").arg(z, u, n).arg(t);
    }
    void PodilUctu() override { calls << "Podil"; }
    void PorovnaniUctu(const QString& t) override { calls << "Porovnani " + t; }
    void KartaUctu(const QString& u, const QString&) override { calls << "Karta " + u; }
    void DetailSkupiny(const views::TDetailSkupiny& d) override {
        calls << "Detail " + d.Zkratka + " " + d.SoucetNakladyOB.format(0, QLocale::c());
    }
    void TabulkaSkupin() override { calls << "Tabulka"; }
    void Graf() override { calls << "Graf"; }
    void TiskSestavy(int u) override { calls << QStringLiteral("Tisk %1").arg(u); }
    void ExportSestavy(int u) override { calls << QStringLiteral("Export %1").arg(u); }
    void VyberSablonyExportu(int u, bool s) override {
        calls << QStringLiteral("Sablona %1 %2").arg(u).arg(s);
    }
};

class IncomeWindow : public ::testing::Test {
protected:
    app::ScriptedPrompts prompts;
    app::THlavniData data{prompts};
    RecordedViews views;
    std::unique_ptr<views::TfrmVysledovka> window;
    compute::TNastaveniBehu split;

    void SetUp() override {
        split.Seskupit = true;
        split.SeskupitDle = 0;
        data.Volby.TypZobrazeni = 0;
        data.Volby.RezimSestavy = 0;
        // Three orders; Z2 only has revenues.
        turnover("Z1", "518300", true, "100");
        turnover("Z1", "602100", false, "300");
        turnover("Z2", "602100", false, "50");
        turnover("Z3", "501100", true, "70");
        group("Z1", "Stavba Brno", "100", "300", "200");
        group("Z2", "Oprava Praha", "0", "50", "50");
        group("Z3", "Údržba", "70", "0", "-70");
        data.SoucetNakladyOB = kc("170");
        data.SoucetVynosyOB = kc("350");
        data.SoucetHospVysl = kc("180");
        data.Zaneprazdneno = true; // as the wizard keeps it between showings
        window = std::make_unique<views::TfrmVysledovka>(data, views);
        window->NastavitDotazRozsahu([this](const QString& text, bool all) {
            scopeAsked << text + (all ? " all" : " one");
            return scopeAnswer;
        });
    }
    void open(const compute::TNastaveniBehu& n) {
        data.Zaneprazdneno = false;
        window->Pripravit(n);
        window->resize(1000, 700);
        window->show();
    }

    void turnover(const char* key, const char* ucet, bool cost, const char* amount) {
        data.mtObraty.appendRecord({QString::fromUtf8(key), QString::fromLatin1(ucet),
                                    cost ? kc(amount) : Currency(), cost ? Currency() : kc(amount),
                                    Currency(), Currency(), cost,
                                    QStringLiteral("Účet %1").arg(ucet)});
    }
    void group(const char* key, const char* name, const char* costs, const char* revenues,
               const char* result) {
        ui::TMemTable& s = data.mtSkupiny;
        s.append();
        s.setValue(u"Zkratka", QString::fromUtf8(key));
        s.setValue(u"Nazev", QString::fromUtf8(name));
        s.setValue(u"NakladyOB", kc(costs));
        s.setValue(u"VynosyOB", kc(revenues));
        s.setValue(u"HospVysl", kc(result));
        s.setValue(u"HospVyslKS", kc(result));
        s.post();
    }

    QString current() const { return data.mtSkupiny.value(u"Zkratka").toString(); }
    // Ucet or Nazev of every visible line.
    QStringList lines() const {
        QStringList out;
        const ui::TMemTable& t = data.mtSestava;
        for (ui::RecId id : t.viewIds()) {
            const QString u = t.textAt(id, t.fieldIndex(u"Ucet"));
            out << (u.isEmpty() ? t.textAt(id, t.fieldIndex(u"Nazev")) : u);
        }
        return out;
    }
    // Moves the lines' cursor to the line whose Ucet or Nazev is the text.
    void gotoLine(const QString& text) {
        ui::TMemTable& t = data.mtSestava;
        for (int row = 0; row < t.recordCount(); ++row) {
            const ui::RecId id = t.idAtRow(row);
            if (t.textAt(id, t.fieldIndex(u"Ucet")) == text ||
                t.textAt(id, t.fieldIndex(u"Nazev")) == text) {
                t.setRecNo(row + 1);
                return;
            }
        }
        ADD_FAILURE() << "no line " << text.toStdString();
    }
    template <class T> T* w(const char* name) {
        T* c = window->findChild<T*>(name);
        EXPECT_NE(c, nullptr) << name;
        return c;
    }

    std::optional<bool> scopeAnswer = true;
    QStringList scopeAsked;
};

TEST_F(IncomeWindow, OpensOnTheFirstGroupWithItsHeadings) {
    open(split);
    EXPECT_EQ(w<QLabel>("lblNadpis")->text(), "Zakázky");
    EXPECT_EQ(w<QLabel>("lblPocetZaznamu")->text(), "počet záznamů: 3");
    EXPECT_EQ(w<QLabel>("lblZkratka")->text(), "Z1");
    EXPECT_EQ(w<QLabel>("lblNazev")->text(), "Stavba Brno");
    EXPECT_EQ(w<QPushButton>("btnDetail")->text(), "Detail Zakázky");
    EXPECT_EQ(lines(), (QStringList{"Náklady", "518300", "518xxx", "51xxxx", "5xxxxx", "xxxxxx",
                                    "Výnosy", "602100", "602xxx", "60xxxx", "6xxxxx", "xxxxxx",
                                    "Hospodářský výsledek", ">>>"}));
    EXPECT_TRUE(w<QToolButton>("btnNajit")->isEnabled());
    EXPECT_FALSE(w<QPushButton>("btnOdstranit")->isHidden());
    // As many cards as trunc(height / 90) share the list's height, at any size.
    auto* cards = w<QListView>("cgrSkupiny");
    for (int height : {700, 480, 1000}) {
        window->resize(1000, height);
        QCoreApplication::processEvents();
        const int visible = cards->viewport()->height() / 90;
        EXPECT_EQ(window->PocetKaret(), visible) << height;
        EXPECT_EQ(cards->visualRect(cards->model()->index(0, 0)).height(),
                  cards->viewport()->height() / visible)
            << height;
    }
}

TEST_F(IncomeWindow, NotSplitHasNoGroupButtons) {
    group("", "", "0", "0", "0");
    open(compute::TNastaveniBehu{});
    EXPECT_EQ(w<QLabel>("lblNadpis")->text(), "Součet za celou sestavu");
    EXPECT_EQ(w<QLabel>("lblPocetZaznamu")->text(), "");
    EXPECT_TRUE(w<QPushButton>("btnDetail")->isHidden());
    EXPECT_TRUE(w<QPushButton>("btnPorovnani")->isHidden());
    EXPECT_TRUE(w<QPushButton>("btnOdstranit")->isHidden());
    EXPECT_FALSE(w<QToolButton>("btnNajit")->isEnabled());
    window->Detail();
    EXPECT_TRUE(views.calls.isEmpty());
}

TEST_F(IncomeWindow, CaptionsFollowTheCurrentLine) {
    open(split);
    struct Case {
        const char* line;
        const char* pohyby;
        const char* porovnani;
        bool accountCard;
    };
    const Case cases[] = {
        {"Náklady", "Pohyby nákladů", "Porovnání nákladů", false},
        {"518300", "Pohyby 518300", "Porovnání 518300", true},
        {"518xxx", "Pohyby 518xxx", "Porovnání 518xxx", false},
        {"Výnosy", "Pohyby výnosů", "Porovnání výnosů", false},
        {"Výnosy celkem", "Pohyby výnosů", "Porovnání výnosů", false},
        {"Hospodářský výsledek", "Pohyby HV", "Porovnání HV", false},
        {">>>", "Pohyby HV", "Porovnání HV", false},
    };
    for (const Case& c : cases) {
        gotoLine(QString::fromUtf8(c.line));
        EXPECT_EQ(window->TextPohyby(), QString::fromUtf8(c.pohyby)) << c.line;
        EXPECT_EQ(window->TextPorovnani(), QString::fromUtf8(c.porovnani)) << c.line;
        EXPECT_EQ(!w<QPushButton>("btnDetailUcetnihoUctu")->isHidden(), c.accountCard) << c.line;
    }
    gotoLine("518300");
    EXPECT_EQ(w<QPushButton>("btnDetailUcetnihoUctu")->text(), "Detail účtu 518300");
    window->Pohyby();
    window->DetailUctu();
    EXPECT_EQ(views.calls, (QStringList{"Pohyby Z1|518300|Pohyby 518300 za Z1 - Stavba Brno|1",
                                        "Karta 518300"}));
    // "% podíl" on a heading: only the hint.
    gotoLine("Náklady");
    window->NastavitRezim(1);
    window->Podil();
    EXPECT_EQ(prompts.texts(app::MessageKind::Information),
              QStringList{"Označte nejprve kurzorem nějaký konkrétní účet."});
    EXPECT_EQ(views.calls.size(), 2);
}

TEST_F(IncomeWindow, AnotherGroupRebuildsItsLinesInTheSameMode) {
    open(split);
    window->ZmenitTypZobrazeni(3); // "jen základní součty"
    EXPECT_EQ(data.Volby.TypZobrazeni, 3);
    w<QListView>("cgrSkupiny")->setCurrentIndex(w<QListView>("cgrSkupiny")->model()->index(2, 0));
    EXPECT_EQ(current(), "Z3");
    EXPECT_EQ(w<QLabel>("lblZkratka")->text(), "Z3");
    EXPECT_EQ(lines(), (QStringList{"Náklady", "501xxx", "xxxxxx", "Hospodářský výsledek", ">>>"}));
}

TEST_F(IncomeWindow, BusyFlagBlocksRefilteringAndRebuilding) {
    open(split);
    const QStringList before = lines();
    data.Zaneprazdneno = true;
    window->ZmenitTypZobrazeni(2);
    EXPECT_EQ(lines(), before);
    EXPECT_EQ(data.Volby.TypZobrazeni, 0);
    data.mtSkupiny.last(); // a bulk walk moving the groups
    EXPECT_EQ(w<QLabel>("lblZkratka")->text(), "Z1");
    EXPECT_EQ(lines(), before);
    data.Zaneprazdneno = false;
    window->ZmenitTypZobrazeni(2);
    EXPECT_NE(lines(), before);
}

TEST_F(IncomeWindow, SearchFindsAGroupByItsNameIgnoringCase) {
    open(split);
    struct Case {
        const char* text;
        const char* group; // the current group afterwards
        bool found;
    };
    const Case cases[] = {
        {"praha", "Z2", true}, // only in the name
        {"z3", "Z3", true},
        {"nic takového", "Z3", false}, // the group before stays current
        {"z", "Z1", true},             // always from the first group
    };
    for (const Case& c : cases) {
        prompts.messages.clear();
        prompts.inputs.push_back(QString::fromUtf8(c.text));
        window->Hledat();
        EXPECT_EQ(current(), c.group) << c.text;
        EXPECT_EQ(w<QLabel>("lblZkratka")->text(), c.group) << c.text;
        EXPECT_EQ(prompts.texts(app::MessageKind::Information),
                  c.found ? QStringList{} : QStringList{"Hledaný text nebyl nalezen"});
    }
    EXPECT_FALSE(data.Zaneprazdneno);
    prompts.inputs.push_back(std::nullopt); // cancelled
    window->Hledat();
    EXPECT_EQ(current(), "Z1");
}

TEST_F(IncomeWindow, RemovingGroupsLowersTheTotalsButKeepsTheLastOne) {
    open(split);
    data.mtSkupiny.setRecNo(2);
    prompts.answers = {app::Answer::No};
    window->Odstranit();
    EXPECT_EQ(data.mtSkupiny.recordCount(), 3);
    EXPECT_EQ(prompts.messages.back().text, "Opravdu chcete odstranit záznam Z2?");

    prompts.answers = {app::Answer::Yes};
    window->Odstranit();
    EXPECT_EQ(data.mtSkupiny.recordCount(), 2);
    EXPECT_EQ(data.SoucetVynosyOB, kc("300"));
    EXPECT_EQ(data.SoucetHospVysl, kc("130"));
    EXPECT_EQ(current(), "Z3"); // the next group, with its lines
    EXPECT_EQ(lines().value(1), "501100");
    EXPECT_EQ(w<QLabel>("lblPocetZaznamu")->text(), "počet záznamů: 2");
    prompts.answers = {app::Answer::Yes};
    window->Odstranit();
    EXPECT_EQ(data.SoucetNakladyOB, kc("100"));

    prompts.messages.clear();
    prompts.answers = {app::Answer::Yes};
    window->Odstranit();
    EXPECT_EQ(data.mtSkupiny.recordCount(), 1);
    EXPECT_EQ(prompts.texts(app::MessageKind::Warning),
              QStringList{"Záznam nelze odstranit: v tabulce musí zůstat alespoň jeden záznam."});
    EXPECT_EQ(data.SoucetNakladyOB, kc("100"));
    window->Detail();
    EXPECT_EQ(views.calls, QStringList{"Detail Z1 100"});
}

TEST_F(IncomeWindow, PrintAsksTheScopeAndRestoresTheWindow) {
    open(split);
    data.mtSkupiny.setRecNo(2);
    const QStringList before = lines();
    scopeAnswer = false;
    window->Tisk();
    EXPECT_EQ(scopeAsked, QStringList{"Z2 - Oprava Praha all"});
    EXPECT_EQ(views.calls, QStringList{"Tisk 1"});
    EXPECT_FALSE(data.Volby.TisknoutVse);
    EXPECT_FALSE(data.Zaneprazdneno);
    EXPECT_EQ(current(), "Z2");
    EXPECT_EQ(data.mtSkupiny.recordCount(), 3);
    EXPECT_EQ(lines(), before);
    EXPECT_TRUE(w<QTableView>("grSestava")->isVisible());

    scopeAnswer = std::nullopt; // cancelled: nothing exported
    window->Export();
    EXPECT_EQ(views.calls, QStringList{"Tisk 1"});
    EXPECT_EQ(current(), "Z2");
    EXPECT_EQ(lines(), before);
}

TEST_F(IncomeWindow, WindowModeShowsTheButtonStrips) {
    open(split);
    window->NastavitRezim(0);
    EXPECT_FALSE(w<QWidget>("panTlacitkaSkupin")->isVisible());
    EXPECT_FALSE(w<QWidget>("panTlacitkaSestavy")->isVisible());
    EXPECT_EQ(w<QWidget>("panNadpisSkupin")->height(), 21);
    EXPECT_EQ(w<QWidget>("panNadpisSestavy")->height(), 21);
    window->NastavitRezim(1);
    EXPECT_TRUE(w<QWidget>("panTlacitkaSkupin")->isVisible());
    EXPECT_TRUE(w<QWidget>("panTlacitkaSestavy")->isVisible());
    EXPECT_GE(w<QWidget>("panNadpisSkupin")->height(), 49);
}

TEST_F(IncomeWindow, DoubleClicksAndEnterOpenTheDrillDowns) {
    open(split);
    auto* cards = w<QListView>("cgrSkupiny");
    emit cards->doubleClicked(cards->model()->index(0, 0));
    EXPECT_EQ(views.calls, QStringList{"Detail Z1 170"});
    gotoLine("602100");
    auto* grid = w<QTableView>("grSestava");
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(grid, &enter);
    EXPECT_EQ(views.calls.value(1), "Pohyby Z1|602100|Pohyby 602100 za Z1 - Stavba Brno|2");
}

TEST_F(IncomeWindow, ToolBarOptionsHelpAndExportTemplates) {
    open(split);
    auto* mode = w<QComboBox>("cbxRezimSestavy");
    EXPECT_EQ(mode->itemText(0), "standardní režim");
    EXPECT_EQ(mode->itemText(1), "pokročilý režim");
    emit mode->activated(1);
    EXPECT_EQ(data.Volby.RezimSestavy, 1);
    EXPECT_TRUE(w<QWidget>("panTlacitkaSestavy")->isVisible());

    auto* excel = w<QToolButton>("btnExportExcel");
    ASSERT_EQ(excel->actions().size(), 2);
    EXPECT_EQ(excel->actions()[0]->text(), "Výběr šablony pro export");
    EXPECT_EQ(excel->actions()[1]->text(), "Nastavit standardní šablonu");
    excel->actions()[0]->trigger();
    excel->actions()[1]->trigger();
    EXPECT_EQ(views.calls, (QStringList{"Sablona 1 0", "Sablona 1 1"}));

    QTemporaryDir dir;
    data.Kontext.SouborNapovedy = dir.path() + "/Arvelo.chm";
    window->Napoveda();
    QFile page(dir.path() + "/pgMain.htm");
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.close();
    window->Napoveda();
    EXPECT_EQ(prompts.openedDocuments,
              (std::vector<QString>{dir.path() + "/Arvelo.chm", dir.path() + "/pgMain.htm"}));
}

TEST(IncomeWindowPaint, ResultColoursAndLineSuffixes) {
    EXPECT_EQ(views::BarvaVysledku(kc("0.01")), QColor(0, 128, 0));
    EXPECT_EQ(views::BarvaVysledku(Currency()), QColor(128, 128, 128));
    EXPECT_EQ(views::BarvaVysledku(kc("-5")), QColor(255, 0, 0));
    EXPECT_EQ(views::PriponaRadku("518300", 1), "518300");
    EXPECT_EQ(views::PriponaRadku("xxxxxx", 2), "výnosů");
    EXPECT_EQ(views::PriponaRadku("", 3), "HV");
    EXPECT_EQ(views::PriponaRadku("", 0), "");
}

TEST_F(IncomeWindow, ScopeQuestionPresetAndGroupClick) {
    for (bool all : {true, false}) {
        views::TfrmDotazTisku dotaz("Z1 - Stavba", all);
        EXPECT_EQ(dotaz.windowTitle(), "Dotaz");
        EXPECT_EQ(dotaz.Vse(), all);
    }
    views::TfrmDotazTisku dotaz("Z1 - Stavba", true);
    auto* text = dotaz.findChild<QLabel*>("lblSkupina");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->text(), "Z1 - Stavba");
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(text, &press);
    EXPECT_FALSE(dotaz.Vse());
}

} // namespace
