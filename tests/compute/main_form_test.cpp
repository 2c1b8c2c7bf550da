#include "app/main_data.h"
#include "app/scripted_prompts.h"
#include "compute/main_form.h"
#include "support/test_application.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

using namespace arvelo;

namespace {

[[maybe_unused]] const auto* const kApp = test::kTestApplication<QApplication>;

class MainForm : public ::testing::Test {
protected:
    app::ScriptedPrompts prompts;
    const app::SystemFormats cs{QLocale(QLocale::Czech, QLocale::Czechia)};

    static QString text(QWidget& w, const char* name) {
        auto* l = w.findChild<QLabel*>(name);
        return l ? l->text() : QStringLiteral("<missing %1>").arg(name);
    }
};

TEST_F(MainForm, ShowsTheWelcomePage) {
    compute::TfrmMain form(prompts, cs);
    EXPECT_EQ(form.windowTitle(), "Průvodce sestavy \"Arvelo\"");
    EXPECT_EQ(form.AktualniStranka(), 0);
    ASSERT_NE(form.findChild<QWidget*>("tsVitejte"), nullptr);
    EXPECT_EQ(text(form, "lblNazevProgramu"), "Arvelo");
    EXPECT_EQ(text(form, "lblPodtitul"), "(zásuvný modul pro Money S3)");
    EXPECT_TRUE(text(form, "lblPopis").startsWith("Pomocí tohoto externího modulu Money"));
    EXPECT_TRUE(text(form, "lblPopis").endsWith("k určitému datu."));
    EXPECT_EQ(text(form, "lblPokracovat"),
              "Chcete-li pokračovat, klepněte myší na tlačítko [Další]");
    EXPECT_EQ(text(form, "lblVerzeModulu"), "Verze modulu");
    EXPECT_EQ(text(form, "lblVerze"), "2.13");
    EXPECT_EQ(text(form, "lblPristupovaPrava"), "Přístupová práva");
    EXPECT_EQ(text(form, "lblPristupNastavite"), "přístup k tomuto doplňku nastavíte");
    EXPECT_TRUE(text(form, "lblKlepnutimZde").contains(">klepnutím zde</a>"));

    auto* back = form.findChild<QPushButton*>("btnZpet");
    auto* next = form.findChild<QPushButton*>("btnDalsi");
    auto* close = form.findChild<QPushButton*>("btnZavrit");
    auto* interrupt = form.findChild<QPushButton*>("btnPrerusit");
    ASSERT_TRUE(back && next && close && interrupt);
    EXPECT_FALSE(back->isEnabled()); // never on the first page
    EXPECT_EQ(next->text(), "Další >");
    EXPECT_EQ(close->text(), "Zavřít");
    form.show();
    EXPECT_FALSE(interrupt->isVisible());

    form.ZobrazitStranku(7); // outside the pages: ignored
    EXPECT_EQ(form.AktualniStranka(), 0);

    const QByteArray dir = qgetenv("ARVELO_SCREENSHOTS");
    if (!dir.isEmpty()) {
        form.grab().save(QString::fromLocal8Bit(dir) + "/welcome_page.png");
    }
}

TEST_F(MainForm, ClosingSavesTheOptions) {
    QTemporaryDir dir;
    compute::TfrmMain form(prompts, cs);
    app::THlavniData& data = form.Data();
    data.Kontext.SouborVoleb = dir.path() + "/Jan.ini";
    data.Kontext.PriponaAgendy = "001";
    data.Volby.UctyText = "501;";
    data.Volby.SeskupitDle = 3;
    form.show();
    form.findChild<QPushButton*>("btnZavrit")->click();
    EXPECT_FALSE(form.isVisible());
    QFile file(dir.path() + "/Jan.ini");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.contains("[MAIN001]"));
    EXPECT_TRUE(bytes.contains("UctyText=\"501;\""));
    EXPECT_TRUE(bytes.contains("SeskupitDle=3"));
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(MainForm, MinimisingTheWizardMinimisesTheWholeApplication) {
    compute::TfrmMain form(prompts, cs);
    QWidget other;
    other.setWindowTitle("Informace");
    form.show();
    other.show();
    form.showMinimized();
    QCoreApplication::processEvents();
    EXPECT_TRUE(form.isMinimized());
    EXPECT_TRUE(other.isMinimized());
}

} // namespace
