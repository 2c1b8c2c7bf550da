#pragma once

#include <QString>
#include <functional>
#include <optional>

namespace arvelo::app {
class THlavniData;
}
namespace arvelo::ui {
class TMemTable;
}

namespace arvelo::views {

// Line kinds of mtSestava (field Typ).
enum TypRadku : int {
    RadekUcet = 1,       // one account
    RadekSkupina = 2,    // subtotal of an account group or class (51xxxx, 5xxxxx)
    RadekNadpis = 3,     // section heading
    RadekSynteticky = 4, // subtotal of a synthetic account (518xxx), the section total
    RadekVysledek = 5,   // the result ">>>"
};

// Sections (field TypUctu).
enum TypUctu : int { UctyNakladove = 1, UctyVynosove = 2, UctyVysledek = 3 };

// The display modes: "detailní", "bez součtů", "jen součty", "jen základní součty".
inline constexpr int kPocetZobrazeni = 4;
QString TextZobrazeni(int index);

// The subtotal key of the first n characters: "518xxx", "5xxxxx", "xxxxxx".
QString KlicSouctu(const QString& ucet, int n);

// Builds the report lines of the current mtSkupiny record into mtSestava.
// With pridat false mtSestava is emptied first (unfiltered, unsorted, no
// master link) and afterwards sorted by Poradi with the selected display mode
// (THlavniData::Volby.TypZobrazeni); with pridat true the lines are appended.
// The group's turnovers are found without regard to the letter case of its
// key, so that rows spelt otherwise than the group still belong to it.
void NaplnitSestavu(app::THlavniData& data, bool pridat);

// Applies a display mode to the report lines: 0 removes the filter, 1-3 set
// and switch it on, any other index only switches the existing filter on.
void NastavitZobrazeni(ui::TMemTable& sestava, int index);

// The scope question of printing or exporting: given the current group's text
// (Zkratka + " - " + Nazev) and the preset "all groups", it answers all groups
// (true), the current group only (false) or nothing when cancelled.
using TDotazRozsahu = std::function<std::optional<bool>(const QString& skupina, bool vse)>;

// Prepares mtSestava for printing or exporting the whole statement: the lines
// of every group (or of the current one), the display mode, and mtSestava
// linked to mtSkupiny as detail (IDSkupiny) to master (ID). The question is
// asked only when the report is split and has more than one group; its answer
// is kept in Volby.TisknoutVse. False when the question was cancelled.
bool PripravitTiskExport(app::THlavniData& data, bool rozdelena, const TDotazRozsahu& dotaz);

} // namespace arvelo::views
