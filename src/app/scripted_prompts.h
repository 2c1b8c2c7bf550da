#pragma once

#include "app/prompts.h"

#include <deque>
#include <vector>

namespace arvelo::app {

// Answers every prompt from a script and records what was asked, so that tests
// never wait on a modal window. An unscripted message box is answered with the
// safe choice (Ok for a single button, else No, or Cancel where offered) and an
// unscripted dialog as cancelled.
class ScriptedPrompts final : public Prompts {
public:
    struct Message {
        MessageKind kind;
        QString text;
        Buttons buttons;
        QString caption;
    };

    // Script.
    std::deque<Answer> answers;
    std::deque<std::optional<QString>> inputs;
    std::deque<std::optional<QString>> fileNames;
    bool openDocumentResult = true;

    // Record.
    std::vector<Message> messages;
    std::vector<FileRequest> fileRequests;
    std::vector<QString> openedDocuments;
    QStringList workingMessages; // every notice shown, in order
    bool workingVisible = false;
    bool interruptOffered = false;
    std::function<void()> interrupt; // the notice's "Přerušit", while offered
    int processEventsCalls = 0;
    QStringList informationLines;
    QString informationFolder;
    int informationShown = 0;

    // Called from processEvents: lets a test act "during" a long operation,
    // for example press "Přerušit" after the n-th call.
    std::function<void(int call)> onProcessEvents;

    // Plays the user in a modal window; without it the window is cancelled.
    std::function<bool(QDialog&)> onDialog;
    QStringList dialogsRun; // object names of the windows run

    Answer message(MessageKind kind, const QString& text, Buttons buttons,
                   const QString& caption) override;
    std::optional<QString> inputBox(const QString& caption, const QString& prompt,
                                    const QString& value) override;
    std::optional<QString> openFileName(const FileRequest& request) override;
    std::optional<QString> saveFileName(const FileRequest& request) override;
    void showWorking(const QString& message, std::function<void()> onInterrupt) override;
    void hideWorking() override;
    void processEvents() override;
    void showInformation(const QStringList& lines, const QString& saveFolder) override;
    bool runDialog(QDialog& dialog) override;
    bool openDocument(const QString& path) override;

    // The texts of the recorded messages of one kind.
    QStringList texts(MessageKind kind) const;
};

} // namespace arvelo::app
