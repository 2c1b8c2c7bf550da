#include "app/rights_adapter.h"

#include "app/prompts.h"

namespace arvelo::app {

void TVyzvyPrav::Chyba(const QString& text) {
    showError(m_prompts, text);
}

void TVyzvyPrav::Varovani(const QString& text) {
    showWarning(m_prompts, text);
}

void TVyzvyPrav::Informace(const QString& text) {
    showInfo(m_prompts, text);
}

void TVyzvyPrav::ZobrazitPracuji(const QString& text) {
    m_prompts.showWorking(text);
}

void TVyzvyPrav::SkrytPracuji() {
    m_prompts.hideWorking();
}

bool TVyzvyPrav::Spustit(QDialog& okno) {
    return m_prompts.runDialog(okno);
}

QString TSeznamyPruvodce::UpravitSeznam(const QString& seznam, int druh) {
    return m_seznamy ? m_seznamy->UpravitSeznam(seznam, druh) : seznam;
}

QString TSeznamyPruvodce::VybratZeSeznamu(int druh, const QString& pocatecniKod) {
    return m_seznamy ? m_seznamy->VybratZeSeznamu(druh, pocatecniKod) : QString();
}

} // namespace arvelo::app
