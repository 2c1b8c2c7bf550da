#pragma once

#include "host/table_def.h"

#include <QString>
#include <vector>

namespace arvelo::host {

// The catalogue of every host table the program reads: the host's field names
// and types, its index names with their fields, and the folder the table lives
// in. Creating tables (demo data, imports, tests) goes through it, so that a
// table made here is one the readers can open.
namespace schema {

// Text sizes used by more than one table, in characters.
namespace size {
inline constexpr int Account = 6; // Ucet, UcMD, UcD
inline constexpr int Code = 10;   // Zkrat, Stred, Zakazka, Cinnost, Doklad
inline constexpr int Source = 2;  // Zdroj
inline constexpr int Description = 50;
inline constexpr int Name = 100;     // account, firm and list names
inline constexpr int Symbol = 20;    // variable and pairing symbols
inline constexpr int CompanyId = 10; // IČ, also as written with blanks
inline constexpr int VatId = 14;     // DIČ
inline constexpr int Note = 255;
inline constexpr int Currency = 3; // Mena
inline constexpr int SettingValue = 255;
} // namespace size

// Every table of the catalogue, in a fixed order (by level, then by name).
const std::vector<TableDef>& tables();

// The table of that name, compared without regard to letter case; nullptr when
// the catalogue has none. A path is not a name: pass "UCDENIK", not a folder.
const TableDef* find(const QString& name);

} // namespace schema
} // namespace arvelo::host
