#pragma once

#include "rights/rights_prompts.h"

namespace arvelo::app {

class Prompts;

// The rights code's boxes, working notice and modal windows on the program's
// one prompt seam.
class TVyzvyPrav final : public rights::TRightsPrompts {
public:
    explicit TVyzvyPrav(Prompts& prompts) : m_prompts(prompts) {}

    void Chyba(const QString& text) override;
    void Varovani(const QString& text) override;
    void Informace(const QString& text) override;
    void ZobrazitPracuji(const QString& text) override;
    void SkrytPracuji() override;
    bool Spustit(QDialog& okno) override;

private:
    Prompts& m_prompts;
};

// The wizard's pick lists as the rights windows reach them. The rights object
// is created at start-up, before any window exists; the wizard plugs its lists
// in when it has them. Until then (and in the batch mode, which has no
// windows) an edited list stays as it was and nothing is picked.
class TSeznamyPruvodce final : public rights::TVyberySeznamu {
public:
    void NastavitSeznamy(rights::TVyberySeznamu* seznamy) { m_seznamy = seznamy; }

    QString UpravitSeznam(const QString& seznam, int druh) override;
    QString VybratZeSeznamu(int druh, const QString& pocatecniKod) override;

private:
    rights::TVyberySeznamu* m_seznamy = nullptr;
};

} // namespace arvelo::app
