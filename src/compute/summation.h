#pragma once

#include "host/currency.h"

namespace arvelo::app {
class THlavniData;
}

namespace arvelo::compute {

class TPrubeh;

// Profit as a percentage of costs, four decimals rounded half to even; 0 when
// there are no costs. The percentage takes the sign of the result whenever
// both are non-zero, so a loss never shows as a positive percentage, whatever
// the sign of the costs.
Currency ProcentZisku(Currency hospVysl, Currency nakladyOB);

// Sums mtObraty into the amounts of every mtSkupiny record and the three report
// totals. One pass over the turnover rows, then one step per group (with the
// panel showing n/N and window messages let run). False when interrupted.
bool SecistSkupiny(app::THlavniData& data, TPrubeh& prubeh);

} // namespace arvelo::compute
