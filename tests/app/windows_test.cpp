#include "app/free_text_form.h"
#include "app/main_data.h"
#include "app/qt_prompts.h"
#include "app/scripted_prompts.h"
#include "app/working_form.h"
#include "test_support.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using namespace arvelo;
using namespace arvelo::app;

namespace {

// With ARVELO_SCREENSHOTS set, widgets are also saved as pictures there.
void screenshot(QWidget& w, const char* name) {
    const QByteArray dir = qgetenv("ARVELO_SCREENSHOTS");
    if (!dir.isEmpty()) {
        w.grab().save(QString::fromLocal8Bit(dir) + u'/' + name + ".png");
    }
}

class Windows : public ::testing::Test {
protected:
    void SetUp() override { test::ensureApplication(); }
};

TEST_F(Windows, WorkingNoticeShowsTheMessageAndOffersInterrupt) {
    QtPrompts prompts;
    THlavniData data(prompts, test::czech());
    TfrmWorking& notice = prompts.working();
    EXPECT_EQ(notice.windowTitle(), "Pracuji...");
    EXPECT_TRUE(notice.windowFlags() & Qt::FramelessWindowHint);

    data.ZobrazitPracuji("Spouštění zásuvného modulu\rčekejte prosím...");
    EXPECT_TRUE(notice.isVisible());
    EXPECT_EQ(notice.lblInfo()->text(), "Spouštění zásuvného modulu\nčekejte prosím...");
    EXPECT_FALSE(notice.lblPrerusit()->isVisible());
    screenshot(notice, "working_notice");

    data.ZobrazitPracuji("Načítám účetní deník roku 2026...", true);
    EXPECT_TRUE(notice.lblPrerusit()->isVisible());
    EXPECT_TRUE(notice.lblPrerusit()->text().contains("Přerušit"));
    screenshot(notice, "working_notice_interrupt");
    EXPECT_FALSE(data.Preruseno);
    emit notice.lblPrerusit()->linkActivated("#");
    EXPECT_TRUE(data.Preruseno);

    data.SkrytPracuji();
    EXPECT_FALSE(notice.isVisible());
    // After hiding, the link no longer reaches the data.
    data.Preruseno = false;
    emit notice.lblPrerusit()->linkActivated("#");
    EXPECT_FALSE(data.Preruseno);
}

TEST_F(Windows, ScriptedNoticeRecordsAndInterrupts) {
    ScriptedPrompts prompts;
    THlavniData data(prompts, test::czech());
    data.ZobrazitPracuji("a", true);
    ASSERT_TRUE(prompts.interruptOffered);
    prompts.interrupt();
    EXPECT_TRUE(data.Preruseno);
    data.SkrytPracuji();
    EXPECT_FALSE(prompts.workingVisible);
    EXPECT_EQ(prompts.workingMessages, QStringList{"a"});
}

TEST_F(Windows, InformationWindowSavesThroughTheSeam) {
    QTemporaryDir dir;
    ScriptedPrompts prompts;
    TfrmFreeText window(prompts);
    EXPECT_EQ(window.windowTitle(), "Informace");
    ASSERT_NE(window.findChild<QPushButton*>("btnUlozit"), nullptr);
    EXPECT_EQ(window.findChild<QPushButton*>("btnUlozit")->text(), "Uložit");
    EXPECT_EQ(window.findChild<QPushButton*>("btnZavrit")->text(), "Zavřít");
    window.NastavitText({"Během zpracování sestavy došlo k těmto chybovým stavům:", "",
                         "Účet 518300 není v účtové osnově roku 2026 (doklad ID0042)."});
    window.NastavitAdresarUlozeni(dir.path() + u'/');
    window.show();
    screenshot(window, "information_window");

    // Cancelled: nothing written.
    EXPECT_FALSE(window.Ulozit());
    ASSERT_EQ(prompts.fileRequests.size(), 1u);
    const FileRequest& r = prompts.fileRequests[0];
    EXPECT_EQ(r.title, "Uložit do souboru");
    EXPECT_EQ(r.filter, "Textové soubory (*.txt)|*.txt|Všechny soubory (*.*)|*.*");
    EXPECT_EQ(r.folder, dir.path() + u'/');
    EXPECT_EQ(r.fileName, "");
    EXPECT_EQ(r.defaultExtension, "TXT");

    // The user edits the text; the saved file has the lines as they stand.
    window.memInfo()->appendPlainText("poznámka");
    prompts.fileNames = {dir.path() + "/chyby"};
    EXPECT_TRUE(window.Ulozit());
    EXPECT_EQ(QString::fromUtf8(test::readAll(dir.path() + "/chyby.txt")),
              "Během zpracování sestavy došlo k těmto chybovým stavům:\n\nÚčet 518300 není v "
              "účtové osnově roku 2026 (doklad ID0042).\npoznámka\n");
    EXPECT_TRUE(window.isVisible()); // the window stays open

    prompts.fileNames = {dir.path() + "/no/such/folder/x.txt"};
    EXPECT_FALSE(window.Ulozit());
    ASSERT_EQ(prompts.texts(MessageKind::Error).size(), 1);
    EXPECT_TRUE(prompts.texts(MessageKind::Error)[0].startsWith("Soubor " + dir.path() +
                                                                "/no/such/folder/x.txt"));
    window.findChild<QPushButton*>("btnZavrit")->click();
    EXPECT_FALSE(window.isVisible());
}

TEST_F(Windows, DataObjectOffersItsLinesInTheInformationWindow) {
    ScriptedPrompts prompts;
    THlavniData data(prompts, test::czech());
    data.Informace = {"a", "b"};
    data.Volby.ExportInitialDir = "/m/Print";
    data.ZobrazitInformace();
    EXPECT_EQ(prompts.informationShown, 1);
    EXPECT_EQ(prompts.informationLines, (QStringList{"a", "b"}));
    EXPECT_EQ(prompts.informationFolder, "/m/Print");
}

TEST(PromptHelpers, FiltersAndExtensions) {
    EXPECT_EQ(qtFilter("Textové soubory (*.txt)|*.txt|Všechny soubory (*.*)|*.*"),
              "Textové soubory (*.txt);;Všechny soubory (*.*)");
    EXPECT_EQ(qtFilter("Enhanced meta file (*.emf)|*.EMF|Windows meta file (*.wmf)|*.WMF"),
              "Enhanced meta file (*.EMF);;Windows meta file (*.WMF)");
    EXPECT_EQ(withDefaultExtension("/a/b", "TXT"), "/a/b.txt");
    EXPECT_EQ(withDefaultExtension("/a/b.log", "TXT"), "/a/b.log");
    EXPECT_EQ(withDefaultExtension("/a/b", ".rtf"), "/a/b.rtf");
    EXPECT_EQ(displayText("a\r\rb\r\nc"), "a\n\nb\nc");
}

// The Qt message box itself: the test presses a button as soon as the box is
// up, so nothing waits for a person.
TEST_F(Windows, QtMessageBoxMapsItsButtons) {
    QtPrompts prompts;
    struct Case {
        Buttons buttons;
        QString press; // empty: close with Esc
        Answer answer;
    };
    const Case cases[] = {{Buttons::YesNo, "&Ano", Answer::Yes},
                          {Buttons::YesNo, "&Ne", Answer::No},
                          {Buttons::YesNo, "", Answer::No},
                          {Buttons::Ok, "OK", Answer::Ok},
                          {Buttons::YesNoCancel, "", Answer::Cancel}};
    for (const Case& c : cases) {
        QString shownText;
        QString shownTitle;
        bool noticeWhileBox = true;
        QTimer press;
        QObject::connect(&press, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) {
                return;
            }
            press.stop();
            shownText = box->text();
            shownTitle = box->windowTitle();
            noticeWhileBox = prompts.working().isVisible();
            for (QAbstractButton* b : box->buttons()) {
                if (!c.press.isEmpty() && b->text() == c.press) {
                    b->click();
                    return;
                }
            }
            box->reject();
        });
        press.start(0);
        prompts.showWorking("a", {});
        EXPECT_EQ(static_cast<Prompts&>(prompts).message(MessageKind::Error, "a\rb", c.buttons),
                  c.answer)
            << c.press.toStdString();
        EXPECT_EQ(shownText, "a\nb");
        EXPECT_EQ(shownTitle, "Chyba");
        // The notice stepped aside while the box was up and is back afterwards.
        EXPECT_FALSE(noticeWhileBox);
        EXPECT_TRUE(prompts.working().isVisible());
    }
}

} // namespace
