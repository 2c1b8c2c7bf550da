#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QDialog;

namespace arvelo::app {

// The four kinds of modal message box the program shows.
enum class MessageKind { Error, Warning, Information, Confirmation };

enum class Buttons { Ok, YesNo, YesNoCancel, OkCancel };

enum class Answer { Ok, Yes, No, Cancel };

// A file dialog as the program asks for it. The filter is written in the
// host's notation, "Textové soubory (*.txt)|*.txt|Všechny soubory (*.*)|*.*".
struct FileRequest {
    QString title;
    QString filter;
    QString folder;           // where the dialog starts
    QString fileName;         // preset name, may be empty
    QString defaultExtension; // added when the chosen name has none ("TXT")
};

// Every message box, input box, file dialog, the working notice, the
// information window and the shell's "open with the associated program" go
// through this one seam. The windows use the Qt implementation; tests script
// the answers; runs without a display print the messages.
class Prompts {
public:
    virtual ~Prompts() = default;

    // Caption empty: the program title.
    virtual Answer message(MessageKind kind, const QString& text, Buttons buttons = Buttons::Ok,
                           const QString& caption = {}) = 0;

    // Empty optional when the user cancelled.
    virtual std::optional<QString> inputBox(const QString& caption, const QString& prompt,
                                            const QString& value) = 0;
    virtual std::optional<QString> openFileName(const FileRequest& request) = 0;
    virtual std::optional<QString> saveFileName(const FileRequest& request) = 0;

    // The working notice "Pracuji...". With onInterrupt set it offers the link
    // "Přerušit", whose click calls it. Both let pending window messages run
    // first.
    virtual void showWorking(const QString& message, std::function<void()> onInterrupt = {}) = 0;
    virtual void hideWorking() = 0;
    // Lets pending window messages (a click on "Přerušit") run.
    virtual void processEvents() = 0;

    // The information window "Informace" with the given lines; its "Uložit"
    // starts in saveFolder.
    virtual void showInformation(const QStringList& lines, const QString& saveFolder) = 0;

    // Runs a prepared modal window (an administration dialog); true when it
    // was closed with OK. Without a display the window cannot be shown.
    virtual bool runDialog(QDialog& dialog) = 0;

    // Opens a file (a help page, an exported workbook) with the desktop's
    // associated program. False when that failed.
    virtual bool openDocument(const QString& path) = 0;
};

// Convenience wrappers for the usual boxes.
inline void showError(Prompts& p, const QString& text) {
    p.message(MessageKind::Error, text);
}
inline void showWarning(Prompts& p, const QString& text) {
    p.message(MessageKind::Warning, text);
}
inline void showInfo(Prompts& p, const QString& text) {
    p.message(MessageKind::Information, text);
}
inline bool confirm(Prompts& p, const QString& text) {
    return p.message(MessageKind::Confirmation, text, Buttons::YesNo) == Answer::Yes;
}

// The message texts use "\r" for line breaks as the host's boxes do; shown
// and printed text uses "\n".
QString displayText(const QString& text);

// The dialog filter in Qt's notation: "Textové soubory (*.txt);;Všechny soubory (*.*)".
QString qtFilter(const QString& hostFilter);

// The chosen name with the default extension added when it has none.
QString withDefaultExtension(const QString& fileName, const QString& extension);

} // namespace arvelo::app
