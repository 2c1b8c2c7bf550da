#pragma once

#include <QString>

class QDialog;

namespace arvelo::rights {

// What the rights code needs from the program's message seam: the four kinds
// of message box (no confirmation is asked here), the working notice and the
// running of a modal window. The program maps it onto its own seam; tests
// script it, so that no test waits on a modal window.
class TRightsPrompts {
public:
    virtual ~TRightsPrompts() = default;

    virtual void Chyba(const QString& text) = 0;
    virtual void Varovani(const QString& text) = 0;
    virtual void Informace(const QString& text) = 0;

    // The borderless "Pracuji..." notice, without the interrupt link.
    virtual void ZobrazitPracuji(const QString& text) = 0;
    virtual void SkrytPracuji() = 0;

    // Runs a prepared modal window; true when it was closed with OK.
    virtual bool Spustit(QDialog& okno) = 0;
};

// Hides the working notice on every way out of a block.
class TPracujiGuard {
public:
    TPracujiGuard(TRightsPrompts& prompts, const QString& text) : m_prompts(prompts) {
        m_prompts.ZobrazitPracuji(text);
    }
    ~TPracujiGuard() { m_prompts.SkrytPracuji(); }
    TPracujiGuard(const TPracujiGuard&) = delete;
    TPracujiGuard& operator=(const TPracujiGuard&) = delete;

private:
    TRightsPrompts& m_prompts;
};

// The pick lists of the wizard that the rights windows use: the item-list
// editor of the four filter families (kinds 1, 2, 3 and 6) and the host user
// pick list (kind 7), whose result is the user's ID, "\r" and the name.
class TVyberySeznamu {
public:
    virtual ~TVyberySeznamu() = default;

    // The edited list, or the given one unchanged when the editor was cancelled.
    virtual QString UpravitSeznam(const QString& seznam, int druh) = 0;
    // The chosen code (kind 7: ID + "\r" + name), empty when nothing was chosen.
    virtual QString VybratZeSeznamu(int druh, const QString& pocatecniKod) = 0;
};

namespace druh_seznamu {
constexpr int Cinnosti = 1;
constexpr int Strediska = 2;
constexpr int Zakazky = 3;
constexpr int Ucty = 6;
constexpr int UzivateleMoney = 7;
} // namespace druh_seznamu

} // namespace arvelo::rights
