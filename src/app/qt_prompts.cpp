#include "app/qt_prompts.h"

#include "app/free_text_form.h"
#include "app/startup.h"
#include "app/working_form.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>
#include <cstdio>

namespace arvelo::app {

namespace {
QString defaultCaption(MessageKind kind) {
    switch (kind) {
    case MessageKind::Error:
        return QStringLiteral("Chyba");
    case MessageKind::Warning:
        return QStringLiteral("Varování");
    case MessageKind::Information:
        return QStringLiteral("Informace");
    case MessageKind::Confirmation:
        return QStringLiteral("Potvrzení");
    }
    return kNazevProgramu;
}
} // namespace

QtPrompts::QtPrompts()
    : m_working(std::make_unique<TfrmWorking>()),
      m_information(std::make_unique<TfrmFreeText>(*this)) {}

QtPrompts::~QtPrompts() = default;

Answer QtPrompts::message(MessageKind kind, const QString& text, Buttons buttons,
                          const QString& caption) {
    QMessageBox box(m_parent);
    box.setWindowTitle(caption.isEmpty() ? defaultCaption(kind) : caption);
    box.setText(displayText(text));
    switch (kind) {
    case MessageKind::Error:
        box.setIcon(QMessageBox::Critical);
        break;
    case MessageKind::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case MessageKind::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MessageKind::Confirmation:
        box.setIcon(QMessageBox::Question);
        break;
    }
    struct Choice {
        Answer answer;
        QString text;
        QMessageBox::ButtonRole role;
    };
    std::vector<Choice> choices;
    switch (buttons) {
    case Buttons::Ok:
        choices = {{Answer::Ok, QStringLiteral("OK"), QMessageBox::AcceptRole}};
        break;
    case Buttons::OkCancel:
        choices = {{Answer::Ok, QStringLiteral("OK"), QMessageBox::AcceptRole},
                   {Answer::Cancel, QStringLiteral("Storno"), QMessageBox::RejectRole}};
        break;
    case Buttons::YesNo:
        choices = {{Answer::Yes, QStringLiteral("&Ano"), QMessageBox::YesRole},
                   {Answer::No, QStringLiteral("&Ne"), QMessageBox::NoRole}};
        break;
    case Buttons::YesNoCancel:
        choices = {{Answer::Yes, QStringLiteral("&Ano"), QMessageBox::YesRole},
                   {Answer::No, QStringLiteral("&Ne"), QMessageBox::NoRole},
                   {Answer::Cancel, QStringLiteral("Storno"), QMessageBox::RejectRole}};
        break;
    }
    std::vector<QAbstractButton*> added;
    for (const Choice& c : choices) {
        added.push_back(box.addButton(c.text, c.role));
    }
    box.setDefaultButton(qobject_cast<QPushButton*>(added.front()));
    // The notice stays on top and sits in the middle of the screen, where the
    // box appears too: it steps aside while the box is up.
    const bool noticeShown = m_working->isVisible();
    if (noticeShown) {
        m_working->hide();
    }
    box.exec();
    if (noticeShown) {
        m_working->show();
    }
    for (size_t i = 0; i < added.size(); ++i) {
        if (box.clickedButton() == added[i]) {
            return choices[i].answer;
        }
    }
    // Closed with Esc or the close box: the last choice is the safe one.
    return choices.back().answer;
}

std::optional<QString> QtPrompts::inputBox(const QString& caption, const QString& prompt,
                                           const QString& value) {
    bool ok = false;
    const QString text =
        QInputDialog::getText(m_parent, caption, prompt, QLineEdit::Normal, value, &ok);
    if (!ok) {
        return std::nullopt;
    }
    return text;
}

std::optional<QString> QtPrompts::openFileName(const FileRequest& r) {
    const QString name =
        QFileDialog::getOpenFileName(m_parent, r.title, r.folder + r.fileName, qtFilter(r.filter));
    if (name.isEmpty()) {
        return std::nullopt;
    }
    return name;
}

std::optional<QString> QtPrompts::saveFileName(const FileRequest& r) {
    QFileDialog dialog(m_parent, r.title, r.folder, qtFilter(r.filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    QString ext = r.defaultExtension;
    if (ext.startsWith(u'.')) {
        ext.remove(0, 1);
    }
    dialog.setDefaultSuffix(ext.toLower());
    if (!r.fileName.isEmpty()) {
        dialog.selectFile(r.fileName);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().front();
}

void QtPrompts::showWorking(const QString& message, std::function<void()> onInterrupt) {
    m_working->ZobrazitPracuji(message, std::move(onInterrupt));
}

void QtPrompts::hideWorking() {
    m_working->SkrytPracuji();
}

void QtPrompts::processEvents() {
    QCoreApplication::processEvents();
}

void QtPrompts::showInformation(const QStringList& lines, const QString& saveFolder) {
    m_information->NastavitText(lines);
    m_information->NastavitAdresarUlozeni(saveFolder);
    m_information->show();
    m_information->raise();
    m_information->activateWindow();
}

bool QtPrompts::runDialog(QDialog& dialog) {
    return dialog.exec() == QDialog::Accepted;
}

bool QtPrompts::openDocument(const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

Answer ConsolePrompts::message(MessageKind kind, const QString& text, Buttons buttons,
                               const QString& caption) {
    const QString title = caption.isEmpty() ? defaultCaption(kind) : caption;
    std::fprintf(stderr, "%s: %s\n", qUtf8Printable(title), qUtf8Printable(displayText(text)));
    switch (buttons) {
    case Buttons::Ok:
        return Answer::Ok;
    case Buttons::YesNo:
        return Answer::No;
    case Buttons::OkCancel:
    case Buttons::YesNoCancel:
        return Answer::Cancel;
    }
    return Answer::Cancel;
}

void ConsolePrompts::showInformation(const QStringList& lines, const QString&) {
    for (const QString& line : lines) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(line));
    }
}

} // namespace arvelo::app

namespace arvelo::app {

bool ConsolePrompts::runDialog(QDialog& dialog) {
    message(MessageKind::Error,
            QStringLiteral("Okno „%1“ nelze zobrazit bez grafického prostředí.")
                .arg(dialog.windowTitle()),
            Buttons::Ok, QString());
    return false;
}

} // namespace arvelo::app
