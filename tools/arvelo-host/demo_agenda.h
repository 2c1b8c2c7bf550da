#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

namespace arvelo::demo {

struct DemoOptions {
    long long lines = 50000; // journal lines of AGENDA.001, spread over the years
    int years = 2; // accounting years of AGENDA.001 (ROK.001 ...), calendar years from 2024
    std::uint64_t seed = 1;
    // The host's older rights layout (PRISUZIV, PRISPOL) instead of the newer
    // one (PRISTUP, PRISTUP2).
    bool olderRights = false;
};

// Codes the demo journal is guaranteed to contain, so that tests and users
// can find the awkward cases.
namespace edge {
// Used in the journal of every year but missing from ZAKAZKY.
inline constexpr const char* MissingOrder = "X-ZRUSENA";
// Order codes listed twice in ZAKAZKY, differing only in letter case; the
// journal uses both spellings.
inline constexpr const char* CasePairUpper = "SERVIS-A";
inline constexpr const char* CasePairLower = "servis-a";
inline constexpr const char* CasePair2Upper = "ŘÍJEN-Č";
inline constexpr const char* CasePair2Lower = "říjen-č";
// An income-statement account without a cost/revenue type.
inline constexpr const char* UntypedAccount = "548900";
// The profit and loss account the closing transfers ("XZ") go to.
inline constexpr const char* ProfitAndLoss = "710000";
// The opening balance account of the opening lines ("XP").
inline constexpr const char* OpeningBalance = "701000";
} // namespace edge

// Writes a complete host data root into folder `root` (created when missing;
// the demo's own files in it are replaced): the rights tables of the newer
// layout with three users, AGENDA.001 with ini files and `years` accounting
// years holding the journal and every register, and the small AGENDA.002 with
// table-form settings and the VAT period table. The same options always give
// the same data. On failure returns false with a Czech message in `error`.
// `made`, when given, receives one line per table written ("path: n záznamů").
bool createDemoDataRoot(const QString& root, const DemoOptions& options, QString* error,
                        QStringList* made = nullptr);

} // namespace arvelo::demo
