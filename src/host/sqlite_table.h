#pragma once

#include "host/host_table.h"

#include <QHash>
#include <map>
#include <memory>

struct sqlite3;
struct sqlite3_stmt;

namespace arvelo::host {

// A host table kept in a SQLite 3 file: one table whose columns are the host's
// fields, one SQLite index per host index. The cursor streams records from one
// prepared statement in index order, so a seek and a walk of m records cost
// O(log n + m). After a write or an index change the walk resumes from the
// current record's key.
class SqliteTable final : public TBFTable {
public:
    SqliteTable();
    ~SqliteTable() override;
    SqliteTable(const SqliteTable&) = delete;
    SqliteTable& operator=(const SqliteTable&) = delete;

    int Open(const QString& path) override;
    void Close() override;
    bool IsOpen() const override { return m_db != nullptr; }
    QString Path() const override { return m_path; }

    int SetIndex(const QString& indexName) override;
    QString IndexName() const override;

    long long RecordCount() override;
    int First() override;
    int Next() override;
    bool Eof() const override { return !m_hasRow; }
    long long RecNo() const override;

    int Seek(const Variant& key) override;
    int Seek2(const Variant& key1, const Variant& key2) override;
    int SeekKeys(const std::vector<Variant>& keys) override;

    host::Variant Value(const QString& fieldName) const override;
    int FieldIndex(const QString& fieldName) const override;
    host::Variant Value(int fieldIndex) const override;
    bool TextEquals(int fieldIndex, const QString& text) const override;
    const std::vector<FieldDef>& Fields() const override { return m_fields; }
    std::vector<IndexDef> Indexes() const override { return m_indexes; }

    int Append() override;
    int SetValue(const QString& fieldName, const Variant& value) override;
    int Post() override;
    void Cancel() override;
    int Delete() override;

    int BeginUpdate() override;
    int CommitUpdate() override;
    void RollbackUpdate() override;

    QString LastError() const override { return m_lastError; }

private:
    struct StmtDeleter {
        void operator()(sqlite3_stmt* s) const;
    };
    using Stmt = std::unique_ptr<sqlite3_stmt, StmtDeleter>;

    sqlite3_stmt* prepare(const QString& sql);
    sqlite3_stmt* writeStatement();
    int fail(int code, const QString& message);
    int failSqlite(int rc, const QString& what);
    QString orderBy() const;
    QString resumeSql(const QString& comparison) const;
    QString selectList() const;
    int stepCurrent();
    int positionOnRowid(long long rowid);
    int resumeAfterCurrent(bool inclusive = false);
    void bindKey(sqlite3_stmt* stmt, int param, int column, const Variant& value);
    bool keyEquals(int column, const Variant& value) const;
    void requireField(int index, const QString& name) const;
    void resetPosition();

    QString m_path;
    QString m_file;
    QString m_table;
    sqlite3* m_db = nullptr;
    std::vector<FieldDef> m_fields;
    QHash<QString, int> m_fieldByName; // upper-cased name -> index
    std::vector<IndexDef> m_indexes;
    std::vector<int> m_indexColumns; // field indexes of the current index
    int m_currentIndex = -1;

    std::map<QString, Stmt> m_cache;                        // prepared statements by SQL text
    std::map<std::vector<int>, sqlite3_stmt*> m_writeStmts; // owned by m_cache
    sqlite3_stmt* m_stmt = nullptr;                         // the statement whose row is current
    bool m_hasRow = false;
    bool m_streaming = false; // stepping m_stmt gives the next record in index order

    bool m_appending = false;
    std::map<int, Variant> m_edit; // field index -> new value
    bool m_inUpdate = false;

    QString m_lastError;
};

} // namespace arvelo::host
