#pragma once

#include <QString>

namespace arvelo::report {

// The engine's questions and messages go through this seam instead of message boxes, so that
// the library never opens a window of its own and tests can answer for the user.
class TSestDialogy {
public:
    enum class TDruh { Chyba, Varovani, Informace };
    enum class TOdpoved { Ano, Ne, Zrusit };

    virtual ~TSestDialogy() = default;

    // A message box with an OK button.
    virtual void Zprava(TDruh druh, const QString& caption, const QString& text) = 0;
    // A Yes/No question (Yes/No/Cancel when cancel is offered).
    virtual TOdpoved Otazka(const QString& caption, const QString& text, bool nabidnoutZrusit) = 0;
    // The save dialog of "save as": returns the chosen file or an empty text on cancel.
    virtual QString UlozitJako(const QString& title, const QString& filter,
                               const QString& startFile) = 0;
};

} // namespace arvelo::report
