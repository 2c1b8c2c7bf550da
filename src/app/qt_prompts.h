#pragma once

#include "app/prompts.h"

#include <memory>

class QWidget;

namespace arvelo::app {

class TfrmWorking;
class TfrmFreeText;

// The prompt seam on Qt widgets: message boxes, input box, file dialogs, the
// working notice and the information window, the desktop's file opener.
class QtPrompts final : public Prompts {
public:
    QtPrompts();
    ~QtPrompts() override;

    // Message boxes and dialogs are centred on this window when set.
    void setParentWindow(QWidget* window) { m_parent = window; }

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

    TfrmWorking& working() { return *m_working; }
    TfrmFreeText& information() { return *m_information; }

private:
    QWidget* m_parent = nullptr;
    std::unique_ptr<TfrmWorking> m_working;
    std::unique_ptr<TfrmFreeText> m_information;
};

// The prompt seam without a display: messages go to the error output, every
// question gets its safe answer (No, Cancel), dialogs are cancelled.
class ConsolePrompts final : public Prompts {
public:
    Answer message(MessageKind kind, const QString& text, Buttons buttons,
                   const QString& caption) override;
    std::optional<QString> inputBox(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    std::optional<QString> openFileName(const FileRequest&) override { return std::nullopt; }
    std::optional<QString> saveFileName(const FileRequest&) override { return std::nullopt; }
    void showWorking(const QString&, std::function<void()>) override {}
    void hideWorking() override {}
    void processEvents() override {}
    void showInformation(const QStringList& lines, const QString& saveFolder) override;
    bool runDialog(QDialog& dialog) override;
    bool openDocument(const QString&) override { return false; }
};

} // namespace arvelo::app
