#include "host/sqlite_table.h"

#include "host/host_collation.h"
#include "host/host_paths.h"
#include "host/sql_text.h"

#include <QFileInfo>
#include <cmath>
#include <sqlite3.h>

namespace arvelo::host {

namespace {

FieldType typeFromDeclared(const QString& declared) {
    FieldType t = FieldType::Text;
    if (parseFieldType(declared, &t)) {
        return t;
    }
    const QString d = declared.toUpper();
    if (d.contains(u"INT")) {
        return FieldType::Integer;
    }
    if (d.contains(u"REAL") || d.contains(u"FLOA") || d.contains(u"DOUB")) {
        return FieldType::Float;
    }
    return FieldType::Text;
}

// A value converted to what the column stores.
struct Stored {
    enum Kind { Null, Text, Int, Real } kind = Null;
    QByteArray text;
    sqlite3_int64 i = 0;
    double d = 0;
};

Stored toStored(FieldType type, const Variant& v) {
    Stored s;
    switch (type) {
    case FieldType::Text:
        s.kind = Stored::Text;
        s.text = v.toString().toUtf8();
        break;
    case FieldType::Integer:
        s.kind = Stored::Int;
        s.i = v.toInt();
        break;
    case FieldType::Amount:
        s.kind = Stored::Int;
        s.i = v.toCurrency().raw();
        break;
    case FieldType::Boolean:
        s.kind = Stored::Int;
        s.i = v.toBool() ? 1 : 0;
        break;
    case FieldType::Date:
    case FieldType::Float:
        s.kind = Stored::Real;
        s.d = v.toDouble();
        break;
    }
    return s;
}

void bindStored(sqlite3_stmt* stmt, int param, const Stored& s) {
    switch (s.kind) {
    case Stored::Null:
        sqlite3_bind_null(stmt, param);
        break;
    case Stored::Text:
        sqlite3_bind_text(stmt, param, s.text.constData(), int(s.text.size()), SQLITE_TRANSIENT);
        break;
    case Stored::Int:
        sqlite3_bind_int64(stmt, param, s.i);
        break;
    case Stored::Real:
        sqlite3_bind_double(stmt, param, s.d);
        break;
    }
}

struct ValueCopy {
    sqlite3_value* v = nullptr;
    explicit ValueCopy(sqlite3_value* from) : v(sqlite3_value_dup(from)) {}
    ~ValueCopy() { sqlite3_value_free(v); }
    ValueCopy(ValueCopy&& o) noexcept : v(o.v) { o.v = nullptr; }
    ValueCopy(const ValueCopy&) = delete;
};

} // namespace

void SqliteTable::StmtDeleter::operator()(sqlite3_stmt* s) const {
    sqlite3_finalize(s);
}

std::unique_ptr<TBFTable> TBFTable::create() {
    return std::make_unique<SqliteTable>();
}

SqliteTable::SqliteTable() = default;

SqliteTable::~SqliteTable() {
    Close();
}

int SqliteTable::fail(int code, const QString& message) {
    m_lastError = message;
    return code;
}

int SqliteTable::failSqlite(int rc, const QString& what) {
    const int primary = rc & 0xFF;
    const QString detail =
        m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString::fromUtf8(sqlite3_errstr(rc));
    m_lastError = what + QStringLiteral(": ") + detail;
    if (primary == SQLITE_BUSY || primary == SQLITE_LOCKED) {
        return result::Locked;
    }
    if (primary == SQLITE_NOTADB || primary == SQLITE_CORRUPT) {
        return result::NotATable;
    }
    return result::Failed;
}

int SqliteTable::Open(const QString& path) {
    Close();
    m_path = path;
    m_file = paths::resolve(path + QStringLiteral(".DAT"));
    const QFileInfo info(m_file);
    if (!info.exists()) {
        return fail(result::NotFound, QStringLiteral("Soubor %1 neexistuje").arg(m_file));
    }
    if (!info.isFile()) {
        return fail(result::NotATable, QStringLiteral("%1 není soubor").arg(m_file));
    }
    const QByteArray name = m_file.toUtf8();
    // A cursor is one connection used by one thread at a time: SQLite's own
    // locking of the connection is only overhead on every step.
    int rc = sqlite3_open_v2(name.constData(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX,
                             nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
        rc = sqlite3_open_v2(name.constData(), &m_db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX,
                             nullptr);
    }
    if (rc != SQLITE_OK) {
        const int code = failSqlite(rc, QStringLiteral("Nelze otevřít %1").arg(m_file));
        sqlite3_close_v2(m_db);
        m_db = nullptr;
        return code;
    }
    sqlite3_busy_timeout(m_db, 2000);
    sqlite3_extended_result_codes(m_db, 1);
    registerHostCollation(m_db);
    // Reads go through the operating system's page cache without copies.
    sqlite3_exec(m_db, "PRAGMA mmap_size=1073741824; PRAGMA cache_size=-32768;", nullptr, nullptr,
                 nullptr);

    auto closeWith = [this](int code) {
        Close();
        return code;
    };

    {
        sqlite3_stmt* raw = nullptr;
        rc = sqlite3_prepare_v2(
            m_db, "SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE 'sqlite_%'",
            -1, &raw, nullptr);
        Stmt stmt(raw);
        if (rc != SQLITE_OK) {
            return closeWith(failSqlite(rc, QStringLiteral("%1 není tabulka").arg(m_file)));
        }
        QStringList tables;
        while ((rc = sqlite3_step(raw)) == SQLITE_ROW) {
            tables << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(raw, 0)));
        }
        if (rc != SQLITE_DONE) {
            return closeWith(failSqlite(rc, QStringLiteral("%1 není tabulka").arg(m_file)));
        }
        if (tables.size() != 1) {
            return closeWith(fail(result::NotATable,
                                  QStringLiteral("%1 neobsahuje právě jednu tabulku").arg(m_file)));
        }
        m_table = tables.front();
    }

    auto pragmaRows = [this](const QString& sql, auto&& onRow) -> int {
        sqlite3_stmt* raw = nullptr;
        const QByteArray s = sql.toUtf8();
        int r = sqlite3_prepare_v2(m_db, s.constData(), -1, &raw, nullptr);
        Stmt stmt(raw);
        if (r != SQLITE_OK) {
            return r;
        }
        while ((r = sqlite3_step(raw)) == SQLITE_ROW) {
            onRow(raw);
        }
        return r == SQLITE_DONE ? SQLITE_OK : r;
    };
    auto text = [](sqlite3_stmt* s, int col) {
        const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(s, col));
        return p ? QString::fromUtf8(p) : QString();
    };

    rc = pragmaRows(QStringLiteral("PRAGMA table_info(%1)").arg(quoteIdent(m_table)),
                    [&](sqlite3_stmt* s) {
                        FieldDef f;
                        f.name = text(s, 1);
                        f.type = typeFromDeclared(text(s, 2));
                        m_fieldByName.insert(f.name.toUpper(), int(m_fields.size()));
                        m_fields.push_back(f);
                    });
    if (rc != SQLITE_OK || m_fields.empty()) {
        return closeWith(rc != SQLITE_OK
                             ? failSqlite(rc, m_file)
                             : fail(result::NotATable, QStringLiteral("%1 nemá pole").arg(m_file)));
    }
    QStringList indexNames;
    rc = pragmaRows(QStringLiteral("PRAGMA index_list(%1)").arg(quoteIdent(m_table)),
                    [&](sqlite3_stmt* s) { indexNames << text(s, 1); });
    if (rc != SQLITE_OK) {
        return closeWith(failSqlite(rc, m_file));
    }
    indexNames.sort(Qt::CaseInsensitive);
    for (const QString& idx : indexNames) {
        IndexDef def;
        def.name = idx;
        std::vector<std::pair<int, QString>> cols;
        rc = pragmaRows(
            QStringLiteral("PRAGMA index_info(%1)").arg(quoteIdent(idx)),
            [&](sqlite3_stmt* s) { cols.emplace_back(sqlite3_column_int(s, 0), text(s, 2)); });
        if (rc != SQLITE_OK) {
            return closeWith(failSqlite(rc, m_file));
        }
        std::sort(cols.begin(), cols.end());
        bool usable = !cols.empty();
        for (const auto& c : cols) {
            usable = usable && !c.second.isEmpty(); // expression indexes are not host indexes
            def.fields << c.second;
        }
        if (usable && !idx.startsWith(QStringLiteral("sqlite_autoindex"))) {
            m_indexes.push_back(def);
        }
    }
    m_lastError.clear();
    return result::Ok;
}

void SqliteTable::Close() {
    m_stmt = nullptr;
    m_writeStmts.clear();
    m_cache.clear();
    if (m_db) {
        if (m_inUpdate) {
            sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        }
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
    m_inUpdate = false;
    m_fields.clear();
    m_fieldByName.clear();
    m_indexes.clear();
    m_indexColumns.clear();
    m_currentIndex = -1;
    m_hasRow = false;
    m_streaming = false;
    m_appending = false;
    m_edit.clear();
    m_table.clear();
}

sqlite3_stmt* SqliteTable::prepare(const QString& sql) {
    auto it = m_cache.find(sql);
    if (it != m_cache.end()) {
        sqlite3_reset(it->second.get());
        sqlite3_clear_bindings(it->second.get());
        return it->second.get();
    }
    sqlite3_stmt* raw = nullptr;
    const QByteArray s = sql.toUtf8();
    const int rc = sqlite3_prepare_v2(m_db, s.constData(), int(s.size()), &raw, nullptr);
    if (rc != SQLITE_OK) {
        failSqlite(rc, QStringLiteral("Chyba dotazu nad %1").arg(m_file));
        sqlite3_finalize(raw);
        return nullptr;
    }
    m_cache.emplace(sql, Stmt(raw));
    return raw;
}

QString SqliteTable::selectList() const {
    return QStringLiteral("SELECT rowid, * FROM %1").arg(quoteIdent(m_table));
}

// The walk in index order from a record's key (index fields, then rowid).
QString SqliteTable::resumeSql(const QString& comparison) const {
    QStringList cols;
    for (int c : m_indexColumns) {
        cols << quoteIdent(m_fields[std::size_t(c)].name);
    }
    cols << QStringLiteral("rowid");
    if (cols.size() == 1) {
        return selectList() + QStringLiteral(" WHERE rowid %1 ?").arg(comparison) + orderBy();
    }
    const QStringList params(cols.size(), QStringLiteral("?"));
    return selectList() +
           QStringLiteral(" WHERE (%1) %2 (%3)")
               .arg(cols.join(u','), comparison, params.join(u',')) +
           orderBy();
}

QString SqliteTable::orderBy() const {
    QStringList cols;
    for (int c : m_indexColumns) {
        cols << quoteIdent(m_fields[c].name);
    }
    cols << QStringLiteral("rowid");
    return QStringLiteral(" ORDER BY ") + cols.join(u',');
}

void SqliteTable::resetPosition() {
    if (m_stmt) {
        sqlite3_reset(m_stmt);
    }
    m_stmt = nullptr;
    m_hasRow = false;
    m_streaming = false;
}

int SqliteTable::SetIndex(const QString& indexName) {
    if (!m_db) {
        return fail(result::NotOpen, QStringLiteral("Tabulka není otevřena"));
    }
    for (std::size_t i = 0; i < m_indexes.size(); ++i) {
        if (m_indexes[i].name.compare(indexName, Qt::CaseInsensitive) != 0) {
            continue;
        }
        std::vector<int> columns;
        for (const QString& f : m_indexes[i].fields) {
            const int c = FieldIndex(f);
            if (c < 0) {
                return fail(result::NoIndex,
                            QStringLiteral("Index %1 v %2 je poškozen").arg(indexName, m_file));
            }
            columns.push_back(c);
        }
        const long long current = m_hasRow ? RecNo() : 0;
        resetPosition();
        m_currentIndex = int(i);
        m_indexColumns = std::move(columns);
        if (current > 0) {
            positionOnRowid(current);
        }
        return result::Ok;
    }
    return fail(result::NoIndex, QStringLiteral("Tabulka %1 nemá index %2").arg(m_file, indexName));
}

QString SqliteTable::IndexName() const {
    return m_currentIndex >= 0 ? m_indexes[std::size_t(m_currentIndex)].name : QString();
}

long long SqliteTable::RecordCount() {
    if (!m_db) {
        return 0;
    }
    sqlite3_stmt* s = prepare(QStringLiteral("SELECT count(*) FROM %1").arg(quoteIdent(m_table)));
    if (!s || s == m_stmt) {
        return 0;
    }
    long long n = 0;
    if (sqlite3_step(s) == SQLITE_ROW) {
        n = sqlite3_column_int64(s, 0);
    }
    sqlite3_reset(s);
    return n;
}

int SqliteTable::stepCurrent() {
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW) {
        m_hasRow = true;
        return result::Ok;
    }
    m_hasRow = false;
    m_streaming = false;
    sqlite3_reset(m_stmt);
    m_stmt = nullptr;
    if (rc != SQLITE_DONE) {
        failSqlite(rc, QStringLiteral("Chyba čtení %1").arg(m_file));
    }
    return result::NoMore;
}

int SqliteTable::First() {
    if (!m_db) {
        return fail(result::NotOpen, QStringLiteral("Tabulka není otevřena"));
    }
    Cancel();
    resetPosition();
    m_stmt = prepare(selectList() + orderBy());
    if (!m_stmt) {
        return result::Failed;
    }
    m_streaming = true;
    return stepCurrent();
}

int SqliteTable::positionOnRowid(long long rowid) {
    resetPosition();
    m_stmt = prepare(selectList() + QStringLiteral(" WHERE rowid=?"));
    if (!m_stmt) {
        return result::Failed;
    }
    sqlite3_bind_int64(m_stmt, 1, rowid);
    const int rc = stepCurrent();
    m_streaming = false; // the next record must be found by key
    return rc;
}

// Continues the walk after the current record (or at it, when inclusive) in
// the order of the current index.
int SqliteTable::resumeAfterCurrent(bool inclusive) {
    if (!m_stmt || !m_hasRow) {
        return result::NoMore;
    }
    std::vector<ValueCopy> key;
    for (int c : m_indexColumns) {
        key.emplace_back(sqlite3_column_value(m_stmt, c + 1));
    }
    key.emplace_back(sqlite3_column_value(m_stmt, 0));
    const QString sql = resumeSql(inclusive ? QStringLiteral(">=") : QStringLiteral(">"));
    resetPosition();
    m_stmt = prepare(sql);
    if (!m_stmt) {
        return result::Failed;
    }
    for (std::size_t i = 0; i < key.size(); ++i) {
        sqlite3_bind_value(m_stmt, int(i) + 1, key[i].v);
    }
    m_streaming = true;
    return stepCurrent();
}

int SqliteTable::Next() {
    if (!m_db) {
        return fail(result::NotOpen, QStringLiteral("Tabulka není otevřena"));
    }
    if (!m_hasRow) {
        return result::NoMore;
    }
    Cancel();
    if (!m_streaming) {
        return resumeAfterCurrent();
    }
    return stepCurrent();
}

long long SqliteTable::RecNo() const {
    return (m_hasRow && m_stmt) ? sqlite3_column_int64(m_stmt, 0) : 0;
}

void SqliteTable::bindKey(sqlite3_stmt* stmt, int param, int column, const Variant& value) {
    bindStored(stmt, param, toStored(m_fields[std::size_t(column)].type, value));
}

bool SqliteTable::keyEquals(int column, const Variant& value) const {
    const FieldDef& f = m_fields[std::size_t(column)];
    const Stored want = toStored(f.type, value);
    switch (want.kind) {
    case Stored::Text: {
        const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column + 1));
        const int n = sqlite3_column_bytes(m_stmt, column + 1);
        return compareHostText(p ? p : "", n, want.text.constData(), int(want.text.size())) == 0;
    }
    case Stored::Int:
        return sqlite3_column_int64(m_stmt, column + 1) == want.i;
    case Stored::Real:
        return sqlite3_column_double(m_stmt, column + 1) == want.d;
    case Stored::Null:
        return sqlite3_column_type(m_stmt, column + 1) == SQLITE_NULL;
    }
    return false;
}

int SqliteTable::SeekKeys(const std::vector<Variant>& keys) {
    if (!m_db) {
        return fail(result::NotOpen, QStringLiteral("Tabulka není otevřena"));
    }
    Cancel();
    resetPosition();
    if (m_indexColumns.empty() || keys.empty() || keys.size() > m_indexColumns.size()) {
        fail(result::Invalid, QStringLiteral("Hledání v %1 neodpovídá indexu").arg(m_file));
        return result::Ok; // not found
    }
    QStringList cols;
    QStringList params;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        cols << quoteIdent(m_fields[std::size_t(m_indexColumns[i])].name);
        params << QStringLiteral("?");
    }
    const QString where =
        keys.size() == 1
            ? QStringLiteral(" WHERE %1 >= ?").arg(cols.front())
            : QStringLiteral(" WHERE (%1) >= (%2)").arg(cols.join(u','), params.join(u','));
    m_stmt = prepare(selectList() + where + orderBy());
    if (!m_stmt) {
        return result::Ok;
    }
    for (std::size_t i = 0; i < keys.size(); ++i) {
        bindKey(m_stmt, int(i) + 1, m_indexColumns[i], keys[i]);
    }
    m_streaming = true;
    if (stepCurrent() != result::Ok) {
        return result::Ok;
    }
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (!keyEquals(m_indexColumns[i], keys[i])) {
            resetPosition();
            return result::Ok;
        }
    }
    return result::Found;
}

int SqliteTable::Seek(const Variant& key) {
    return SeekKeys({key});
}

int SqliteTable::Seek2(const Variant& key1, const Variant& key2) {
    return SeekKeys({key1, key2});
}

int SqliteTable::FieldIndex(const QString& fieldName) const {
    return m_fieldByName.value(fieldName.toUpper(), -1);
}

void SqliteTable::requireField(int index, const QString& name) const {
    if (!m_db) {
        throw HostError(QStringLiteral("Tabulka %1 není otevřena").arg(m_path).toStdString());
    }
    if (index < 0 || index >= int(m_fields.size())) {
        throw HostError(QStringLiteral("Tabulka %1 nemá pole %2").arg(m_file, name).toStdString());
    }
}

host::Variant SqliteTable::Value(const QString& fieldName) const {
    const int index = FieldIndex(fieldName);
    requireField(index, fieldName);
    return Value(index);
}

host::Variant SqliteTable::Value(int fieldIndex) const {
    // The name is only spelled out for the error: this runs for every field of every record.
    if (!m_db || fieldIndex < 0 || fieldIndex >= int(m_fields.size())) {
        requireField(fieldIndex, QString::number(fieldIndex));
    }
    if (auto it = m_edit.find(fieldIndex); it != m_edit.end()) {
        return it->second;
    }
    if (m_appending) {
        return Variant();
    }
    if (!m_hasRow || !m_stmt) {
        throw HostError(
            QStringLiteral("Tabulka %1 nemá aktuální záznam").arg(m_file).toStdString());
    }
    const int col = fieldIndex + 1;
    if (sqlite3_column_type(m_stmt, col) == SQLITE_NULL) {
        return Variant();
    }
    switch (m_fields[std::size_t(fieldIndex)].type) {
    case FieldType::Text: {
        const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, col));
        return Variant(QString::fromUtf8(p, sqlite3_column_bytes(m_stmt, col)));
    }
    case FieldType::Integer:
        return Variant(std::int64_t(sqlite3_column_int64(m_stmt, col)));
    case FieldType::Amount:
        if (sqlite3_column_type(m_stmt, col) == SQLITE_INTEGER) {
            return Variant(Currency::fromRaw(sqlite3_column_int64(m_stmt, col)));
        }
        return Variant(Currency::fromRaw(std::llround(sqlite3_column_double(m_stmt, col))));
    case FieldType::Date:
        return Variant::date(sqlite3_column_double(m_stmt, col));
    case FieldType::Boolean:
        return Variant(sqlite3_column_int64(m_stmt, col) != 0);
    case FieldType::Float:
        return Variant(sqlite3_column_double(m_stmt, col));
    }
    return Variant();
}

bool SqliteTable::TextEquals(int fieldIndex, const QString& text) const {
    if (!m_db || fieldIndex < 0 || fieldIndex >= int(m_fields.size()) || !m_hasRow || !m_stmt ||
        m_appending || m_edit.count(fieldIndex) > 0) {
        return Value(fieldIndex).toString().compare(text, Qt::CaseInsensitive) == 0;
    }
    const int col = fieldIndex + 1;
    const auto* bytes = sqlite3_column_text(m_stmt, col);
    const int n = sqlite3_column_bytes(m_stmt, col);
    // ASCII on both sides (account numbers, source codes) compares in place;
    // anything else goes through the full case folding.
    bool ascii = true;
    for (int i = 0; i < n && ascii; ++i) {
        ascii = bytes[i] < 0x80;
    }
    for (int i = 0; i < text.size() && ascii; ++i) {
        ascii = text[i].unicode() < 0x80;
    }
    if (!ascii) {
        return QString::fromUtf8(reinterpret_cast<const char*>(bytes), n)
                   .compare(text, Qt::CaseInsensitive) == 0;
    }
    if (n != text.size()) {
        return false;
    }
    auto lower = [](unsigned c) { return (c >= 'A' && c <= 'Z') ? c + 32 : c; };
    for (int i = 0; i < n; ++i) {
        if (lower(bytes[i]) != lower(text[i].unicode())) {
            return false;
        }
    }
    return true;
}

int SqliteTable::Append() {
    if (!m_db) {
        return fail(result::NotOpen, QStringLiteral("Tabulka není otevřena"));
    }
    m_edit.clear();
    m_appending = true;
    return result::Ok;
}

int SqliteTable::SetValue(const QString& fieldName, const Variant& value) {
    const int index = FieldIndex(fieldName);
    requireField(index, fieldName);
    if (!m_appending && !m_hasRow) {
        return fail(result::NoRecord,
                    QStringLiteral("Tabulka %1 nemá aktuální záznam").arg(m_file));
    }
    m_edit[index] = value;
    return result::Ok;
}

void SqliteTable::Cancel() {
    m_appending = false;
    m_edit.clear();
}

// The INSERT or UPDATE for the fields being written, prepared once per set of
// fields: bulk loads post millions of records with the same fields.
sqlite3_stmt* SqliteTable::writeStatement() {
    std::vector<int> key;
    key.reserve(m_edit.size() + 1);
    key.push_back(m_appending ? 1 : 0);
    for (const auto& entry : m_edit) {
        key.push_back(entry.first);
    }
    if (auto it = m_writeStmts.find(key); it != m_writeStmts.end()) {
        sqlite3_reset(it->second);
        sqlite3_clear_bindings(it->second);
        return it->second;
    }
    QStringList cols;
    for (const auto& entry : m_edit) {
        cols << quoteIdent(m_fields[std::size_t(entry.first)].name);
    }
    QString sql;
    if (m_appending) {
        sql = cols.isEmpty()
                  ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quoteIdent(m_table))
                  : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                        .arg(quoteIdent(m_table), cols.join(u','),
                             QStringList(cols.size(), QStringLiteral("?")).join(u','));
    } else {
        QStringList sets;
        for (const QString& c : cols) {
            sets << c + QStringLiteral("=?");
        }
        sql = QStringLiteral("UPDATE %1 SET %2 WHERE rowid=?")
                  .arg(quoteIdent(m_table), sets.join(u','));
    }
    sqlite3_stmt* stmt = prepare(sql);
    if (stmt) {
        m_writeStmts.emplace(std::move(key), stmt);
    }
    return stmt;
}

int SqliteTable::Post() {
    if (!m_db) {
        return fail(result::NotOpen, QStringLiteral("Tabulka není otevřena"));
    }
    if (!m_appending && m_edit.empty()) {
        return result::Ok;
    }
    if (!m_appending && !m_hasRow) {
        return fail(result::NoRecord,
                    QStringLiteral("Tabulka %1 nemá aktuální záznam").arg(m_file));
    }
    const long long editedRow = m_appending ? 0 : RecNo();
    // A write may move records: the walk resumes from the record's key afterwards.
    resetPosition();
    sqlite3_stmt* s = writeStatement();
    if (!s) {
        return result::Failed;
    }
    int param = 1;
    for (const auto& [index, value] : m_edit) {
        bindStored(s, param++, toStored(m_fields[std::size_t(index)].type, value));
    }
    if (!m_appending) {
        sqlite3_bind_int64(s, param, editedRow);
    }
    const int rc = sqlite3_step(s);
    sqlite3_reset(s);
    if (rc != SQLITE_DONE) {
        const int code = failSqlite(rc, QStringLiteral("Zápis do %1 se nezdařil").arg(m_file));
        if (editedRow > 0) {
            positionOnRowid(editedRow);
        }
        return code;
    }
    const long long row = m_appending ? sqlite3_last_insert_rowid(m_db) : editedRow;
    Cancel();
    positionOnRowid(row);
    return result::Ok;
}

int SqliteTable::Delete() {
    if (!m_db) {
        return fail(result::NotOpen, QStringLiteral("Tabulka není otevřena"));
    }
    Cancel();
    if (!m_hasRow) {
        return fail(result::NoRecord,
                    QStringLiteral("Tabulka %1 nemá aktuální záznam").arg(m_file));
    }
    const long long row = RecNo();
    // Remember where the walk goes on before the record disappears.
    std::vector<ValueCopy> key;
    for (int c : m_indexColumns) {
        key.emplace_back(sqlite3_column_value(m_stmt, c + 1));
    }
    key.emplace_back(sqlite3_column_value(m_stmt, 0));
    resetPosition();
    sqlite3_stmt* s =
        prepare(QStringLiteral("DELETE FROM %1 WHERE rowid=?").arg(quoteIdent(m_table)));
    if (!s) {
        return result::Failed;
    }
    sqlite3_bind_int64(s, 1, row);
    const int rc = sqlite3_step(s);
    sqlite3_reset(s);
    if (rc != SQLITE_DONE) {
        const int code = failSqlite(rc, QStringLiteral("Mazání v %1 se nezdařilo").arg(m_file));
        positionOnRowid(row);
        return code;
    }
    const QString sql = resumeSql(QStringLiteral(">"));
    m_stmt = prepare(sql);
    if (!m_stmt) {
        return result::Failed;
    }
    for (std::size_t i = 0; i < key.size(); ++i) {
        sqlite3_bind_value(m_stmt, int(i) + 1, key[i].v);
    }
    m_streaming = true;
    stepCurrent();
    return result::Ok;
}

int SqliteTable::BeginUpdate() {
    if (!m_db) {
        return fail(result::NotOpen, QStringLiteral("Tabulka není otevřena"));
    }
    if (m_inUpdate) {
        return fail(result::Failed, QStringLiteral("Dávka zápisů již běží"));
    }
    const int rc = sqlite3_exec(m_db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        return failSqlite(rc, QStringLiteral("Tabulku %1 nelze zamknout pro zápis").arg(m_file));
    }
    m_inUpdate = true;
    return result::Ok;
}

int SqliteTable::CommitUpdate() {
    if (!m_db || !m_inUpdate) {
        return fail(result::Failed, QStringLiteral("Žádná dávka zápisů neběží"));
    }
    const int rc = sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        return failSqlite(rc, QStringLiteral("Zápis do %1 se nezdařil").arg(m_file));
    }
    m_inUpdate = false;
    return result::Ok;
}

void SqliteTable::RollbackUpdate() {
    if (!m_db || !m_inUpdate) {
        return;
    }
    Cancel();
    resetPosition();
    sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    m_inUpdate = false;
}

} // namespace arvelo::host
