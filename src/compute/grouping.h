#pragma once

#include "app/agenda.h"

#include <QDate>
#include <QString>

namespace arvelo::app {
class THlavniData;
class SystemFormats;
} // namespace arvelo::app

namespace arvelo::compute {

class TPrubeh;
struct TNastaveniBehu;

// The group kinds: the item index of the wizard's grouping list.
enum DruhSkupiny : int {
    Zakazky = 0,
    Strediska = 1,
    Cinnosti = 2,
    Mesice = 3,
    Ctvrtleti = 4,
    Pololeti = 5,
    Roky = 6,
    FirmyICO = 7,
    FirmyCislo = 8,
};
inline constexpr int kPocetDruhu = 9;

// The item text of the grouping list ("zakázky", ...).
QString TextDruhu(int druh);
// The heading of the result window; "Součet za celou sestavu" when not split (-1).
QString NadpisDruhu(int druh);
// The name of the group with the empty key; empty for date periods and the
// report that is not split.
QString NazevPrazdneSkupiny(int druh);
// The journal field that gives the group key; empty for date periods and -1.
QString PoleSkupiny(int druh);
// The code list of kinds 0-2 ("ZAKAZKY", "SZSTRED", "SZCINN"); empty otherwise.
QString SeznamSkupiny(int druh);
inline bool JeDatumovy(int druh) {
    return druh >= Mesice && druh <= Roky;
}

// The group key of a journal line from its field's text: for company numbers
// (IČ) every blank is removed, the address number "0" means no address.
QString KlicSkupiny(int druh, const QString& hodnota);

// The date range of a run: the wizard's dates when its date filter is on,
// otherwise the current accounting year.
app::TRozsah RozsahBehu(const app::THlavniData& data, const TNastaveniBehu& nastaveni);

// Fills mtDatumSkupiny with the months ... years of the range; empty when the
// report is not split by a date kind. The first and last period may be partial.
void NaplnitDatumSkupiny(app::THlavniData& data, const TNastaveniBehu& nastaveni);

// The period code of the day for a date kind: 2018/03, 2018/I, 2018/II, 2018.
QString ZkratkaObdobi(int druh, const QDate& den);
// The last day of the month, quarter, half-year or year that holds the day.
QDate KonecObdobi(int druh, const QDate& den);

// Company names of the groups from the address book ADRESARF (kinds 7 and 8);
// false, with the message shown, when the address book cannot be used.
bool NaplnitNazvyFirem(app::THlavniData& data, int druh, TPrubeh& prubeh);

// After a successful run: mtSkupiny sorted by key, the empty-key group named,
// ObdobiText set and the first group current.
void PripravitVysledky(app::THlavniData& data, const TNastaveniBehu& nastaveni);

// "počet záznamů: " + number of groups when split, empty otherwise.
QString TextPoctuZaznamu(const app::THlavniData& data, const TNastaveniBehu& nastaveni);

} // namespace arvelo::compute
