#pragma once

#include "host/table_def.h"
#include "host/variant.h"

#include <QString>
#include <memory>
#include <stdexcept>
#include <vector>

namespace arvelo::host {

// Result codes of the host table interface.
namespace result {
constexpr int Ok = 0;
constexpr int NoMore = 1;    // Next: there was no further record
constexpr int Failed = 2;    // Open/SetIndex/...: generic failure
constexpr int NotFound = 3;  // Open: no such file
constexpr int NotATable = 4; // Open: the file is not a host table
constexpr int Locked = 5;    // the file is locked by another writer
constexpr int NoIndex = 6;   // SetIndex: the table has no such index
constexpr int Found = 7;     // Seek: a record is current
constexpr int NotOpen = 8;   // an operation on a cursor without an open table
constexpr int NoRecord = 9;  // an operation that needs a current record
constexpr int Invalid = 10;  // a value or field that does not fit the table
} // namespace result

// Raised for a failed call where the host's automation server raises an error:
// reading or writing a field that the table does not have, or reading without
// a current record. Callers with a sensible default catch it.
class HostError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One cursor on one open host table. A table is named by its path without the
// ".DAT" extension; file and folder names match without regard to letter case.
// Text keys compare without regard to letter case, Czech letters included.
//
// Records are walked in the order of the current index (record-number order
// when none is set). Seek positions on the first record, in index order, whose
// first k index fields equal the k values given.
class TBFTable {
public:
    virtual ~TBFTable() = default;

    // The default backend: host tables in local files.
    static std::unique_ptr<TBFTable> create();

    virtual int Open(const QString& path) = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    virtual QString Path() const = 0; // as given to Open

    virtual int SetIndex(const QString& indexName) = 0;
    virtual QString IndexName() const = 0;

    virtual long long RecordCount() = 0;
    virtual int First() = 0;
    virtual int Next() = 0; // Ok, or NoMore past the last record
    virtual bool Eof() const = 0;
    virtual long long RecNo() const = 0; // 0 when no record is current

    virtual int Seek(const Variant& key) = 0;
    virtual int Seek2(const Variant& key1, const Variant& key2) = 0;
    virtual int SeekKeys(const std::vector<Variant>& keys) = 0;

    virtual host::Variant Value(const QString& fieldName) const = 0; // throws HostError
    // Field access by position for hot loops; FieldIndex is -1 for an unknown field.
    virtual int FieldIndex(const QString& fieldName) const = 0;
    virtual host::Variant Value(int fieldIndex) const = 0;
    // True when the field of the current record, as text, equals the text
    // without regard to letter case (as the indexes compare keys). Walks that
    // stop at the end of a key use it instead of building a text per record.
    virtual bool TextEquals(int fieldIndex, const QString& text) const = 0;
    virtual const std::vector<FieldDef>& Fields() const = 0;
    virtual std::vector<IndexDef> Indexes() const = 0;

    // Writing: Append begins a new record, SetValue changes a field of the new
    // or the current record, Post writes it in one transaction, Delete removes
    // the current record (the next one in index order becomes current).
    virtual int Append() = 0;
    virtual int SetValue(const QString& fieldName, const Variant& value) = 0; // throws HostError
    virtual int Post() = 0;
    virtual void Cancel() = 0;
    virtual int Delete() = 0;

    // Groups many writes into one transaction: all of them land, or none.
    virtual int BeginUpdate() = 0;
    virtual int CommitUpdate() = 0;
    virtual void RollbackUpdate() = 0;

    // The text of the last failure, for messages and logs.
    virtual QString LastError() const = 0;
};

// Creates an empty host table file at path + ".DAT" with the given layout.
// An existing file is replaced only when replace is true.
int CreateTable(const QString& path, const TableDef& def, bool replace, QString* error = nullptr);

// Closes the table when it is open: the "open mark" rule of the host interface.
class OpenTable {
public:
    explicit OpenTable(TBFTable& table) : m_table(table) {}
    ~OpenTable() {
        if (m_table.IsOpen()) {
            m_table.Close();
        }
    }
    OpenTable(const OpenTable&) = delete;
    OpenTable& operator=(const OpenTable&) = delete;

private:
    TBFTable& m_table;
};

} // namespace arvelo::host
