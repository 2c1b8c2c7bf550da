#include "app/scripted_prompts.h"

#include <QDialog>

namespace arvelo::app {

Answer ScriptedPrompts::message(MessageKind kind, const QString& text, Buttons buttons,
                                const QString& caption) {
    messages.push_back({kind, text, buttons, caption});
    if (!answers.empty()) {
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    switch (buttons) {
    case Buttons::Ok:
        return Answer::Ok;
    case Buttons::YesNo:
        return Answer::No;
    case Buttons::YesNoCancel:
    case Buttons::OkCancel:
        return Answer::Cancel;
    }
    return Answer::Cancel;
}

std::optional<QString> ScriptedPrompts::inputBox(const QString&, const QString&, const QString&) {
    if (inputs.empty()) {
        return std::nullopt;
    }
    auto v = inputs.front();
    inputs.pop_front();
    return v;
}

std::optional<QString> ScriptedPrompts::openFileName(const FileRequest& request) {
    fileRequests.push_back(request);
    if (fileNames.empty()) {
        return std::nullopt;
    }
    auto v = fileNames.front();
    fileNames.pop_front();
    return v;
}

std::optional<QString> ScriptedPrompts::saveFileName(const FileRequest& request) {
    return openFileName(request);
}

void ScriptedPrompts::showWorking(const QString& message, std::function<void()> onInterrupt) {
    processEvents();
    workingMessages << message;
    workingVisible = true;
    interruptOffered = static_cast<bool>(onInterrupt);
    interrupt = std::move(onInterrupt);
}

void ScriptedPrompts::hideWorking() {
    processEvents();
    workingVisible = false;
    interruptOffered = false;
    interrupt = {};
}

void ScriptedPrompts::processEvents() {
    ++processEventsCalls;
    if (onProcessEvents) {
        onProcessEvents(processEventsCalls);
    }
}

void ScriptedPrompts::showInformation(const QStringList& lines, const QString& saveFolder) {
    informationLines = lines;
    informationFolder = saveFolder;
    ++informationShown;
}

bool ScriptedPrompts::runDialog(QDialog& dialog) {
    dialogsRun << dialog.objectName();
    return onDialog ? onDialog(dialog) : false;
}

bool ScriptedPrompts::openDocument(const QString& path) {
    openedDocuments.push_back(path);
    return openDocumentResult;
}

QStringList ScriptedPrompts::texts(MessageKind kind) const {
    QStringList result;
    for (const Message& m : messages) {
        if (m.kind == kind) {
            result << m.text;
        }
    }
    return result;
}

} // namespace arvelo::app
