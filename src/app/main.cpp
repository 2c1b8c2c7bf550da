// The program entry: the application, the locale's date format, the windows,
// then the start-up sequence; any start-up failure ends the process with a
// non-zero status and no window left.

#include "app/batch.h"
#include "app/locale_format.h"
#include "app/main_data.h"
#include "app/qt_prompts.h"
#include "app/startup.h"
#include "compute/main_form.h"
#include "views/income_window.h"
#include "views/other_views.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QTimer>
#include <cstdio>
#include <memory>

int main(int argc, char* argv[]) {
    using namespace arvelo;

    // The help and the batch mode need no display.
    const QByteArray prvni = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    if (prvni == "--help") {
        std::fputs(qUtf8Printable(app::batch::Napoveda()), stdout);
        return 0;
    }
    if (prvni == "--batch") {
        QCoreApplication core(argc, argv);
        QCoreApplication::setApplicationName(app::kNazevProgramu);
        QLocale::setDefault(app::programLocale());
        return app::batch::Spustit(QCoreApplication::arguments().mid(2),
                                   QCoreApplication::applicationDirPath());
    }

    QApplication application(argc, argv);
    QApplication::setApplicationName(app::kNazevProgramu);
    QGuiApplication::setApplicationDisplayName(app::kNazevProgramu);

    // The process locale (Czech when the environment names none), with the
    // date separator reduced to one character.
    QLocale::setDefault(app::programLocale());
    const app::SystemFormats formats{QLocale()};

    // Without a display nobody could answer a message box: messages go to the
    // error output instead.
    const QString platform = QGuiApplication::platformName();
    const bool headless = platform == u"offscreen" || platform == u"minimal";
    std::unique_ptr<app::QtPrompts> qtPrompts;
    std::unique_ptr<app::Prompts> consolePrompts;
    if (headless) {
        consolePrompts = std::make_unique<app::ConsolePrompts>();
    } else {
        qtPrompts = std::make_unique<app::QtPrompts>();
    }
    app::Prompts& prompts = qtPrompts ? static_cast<app::Prompts&>(*qtPrompts) : *consolePrompts;

    compute::TfrmMain wizard(prompts, formats);
    // The result window lives as long as the wizard; the views it opens come
    // with their own windows.
    views::TNedostupnePohledy pohledy(prompts);
    views::TfrmVysledovka vysledovka(wizard.Data(), pohledy, &wizard);
    wizard.NastavitZobrazeniVysledku(
        [&vysledovka](const compute::TNastaveniBehu& n) { vysledovka.Zobrazit(n); });
    prompts.showWorking(QStringLiteral("Spouštění zásuvného modulu\rčekejte prosím..."), {});

    if (!app::SpustitModul(wizard.Data(), QCoreApplication::arguments().mid(1),
                           QCoreApplication::applicationDirPath())) {
        return 1;
    }

    if (qtPrompts) {
        qtPrompts->setParentWindow(&wizard);
    }
    wizard.ZobrazitStranku(0);
    wizard.show();
    QTimer::singleShot(2000, &wizard, [&wizard] { wizard.PrenestDoPopredi(); });
    return QApplication::exec();
}
