#pragma once

struct sqlite3;

namespace arvelo::host {

// The name of the collation every text column of a host table uses.
inline constexpr const char* HostCollationName = "HOSTCI";

// Compares two UTF-8 texts without regard to letter case, for every alphabet
// Unicode folds (ř/Ř, č/Č, ů/Ů, ...). Bytes that are not valid UTF-8 compare
// as themselves, so any content gives a total order.
int compareHostText(const char* a, int aLen, const char* b, int bLen);

// Makes the collation known to a connection; returns the SQLite result code.
int registerHostCollation(sqlite3* db);

} // namespace arvelo::host
