#include "compute/progress.h"

#include "app/prompts.h"

namespace arvelo::compute {

void TPrubehVyzvy::Udalosti() {
    m_prompts.processEvents();
}

} // namespace arvelo::compute
