#include "views/other_views.h"

#include "app/prompts.h"

namespace arvelo::views {

void TNedostupnePohledy::nedostupne(const QString& pohled) {
    app::showInfo(m_prompts, QStringLiteral("Pohled \"") + pohled +
                                 QStringLiteral("\" zatím není v této verzi k dispozici."));
}

} // namespace arvelo::views
