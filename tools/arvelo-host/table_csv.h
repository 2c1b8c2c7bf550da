#pragma once

#include "host/table_def.h"
#include "host/variant.h"

#include <QIODevice>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace arvelo::hosttool {

// A host table as CSV text (RFC 4180, UTF-8, CRLF line ends): a header row of
// field names, then one row per record. Values are written so that reading
// them back gives the same value: amounts as exact decimals ("-1234.5000"),
// dates as ISO dates ("2024-03-15", with "T10:30:00" when they carry a time,
// empty for day 0), booleans as 1 or 0.
QString formatValue(host::FieldType type, const host::Variant& value);

// The value of one CSV cell for a field of that type; nothing when the text is
// not a value of the type. Besides the forms formatValue writes, dates may be
// written as d.M.yyyy and booleans as true/false, ano/ne or Y/N; an empty cell
// is the empty value of the type.
std::optional<host::Variant> parseValue(host::FieldType type, const QString& text);

// Writes the table at `tablePath` (without ".DAT") to `out` in the order of the
// index `indexName` (record order when empty). False with a message on failure.
bool dumpTable(const QString& tablePath, const QString& indexName, QIODevice& out, QString* error);

struct ImportResult {
    long long rows = 0;
    bool created = false; // the table file was made from the schema catalogue
};

// Appends the rows of CSV text to the table at `tablePath`, creating it from
// the schema catalogue (by the path's file name) when it does not exist; its
// folder must exist. The
// header row names the fields; fields it leaves out get their empty value. All
// rows land or none: a bad row stops the import with a message naming its line
// and nothing is written (a table created for it is removed again).
bool importCsv(const QString& tablePath, QIODevice& csv, ImportResult* result, QString* error);

// Reads CSV records one by one from a device (RFC 4180: quoted cells may hold
// commas, doubled quotes and line breaks; a UTF-8 byte order mark is skipped).
class CsvReader {
public:
    explicit CsvReader(QIODevice& in) : m_in(in) {}

    // The next record's cells and the line it starts on (1-based). False at the
    // end, or with a message in `error` for a quote that is never closed.
    bool next(QStringList* cells, long long* line, QString* error);

private:
    QIODevice& m_in;
    long long m_line = 0;
    bool m_started = false;
};

} // namespace arvelo::hosttool
