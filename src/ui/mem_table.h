#pragma once

#include "host/currency.h"
#include "host/variant.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <span>
#include <vector>

namespace arvelo::ui {

// Field values are host::Variant: the in-memory tables are filled from host
// cursors, which hand out that type, so values move between them without a
// conversion, and it keeps amounts as exact Currency. Text shares its buffer
// (QString is implicitly shared), so copying a value never allocates.
using Value = host::Variant;
using FieldType = host::FieldType; // Text, Integer, Amount (currency), Date, Boolean, Float

struct TMemField {
    QString name;
    FieldType type = FieldType::Text;
    int size = 0;               // text: the longest value kept (longer text is cut); 0 = any
    bool autoIncrement = false; // integer: set on post to 1, 2, 3, ...; callers cannot set it
};

// A record's identity. It never changes while the record exists and is not
// reused until the table is emptied, so it doubles as a bookmark.
using RecId = std::uint32_t;
inline constexpr RecId NoRecord = 0xFFFFFFFFu;

struct TBookmark {
    RecId id = NoRecord;
    std::uint32_t generation = 0; // the table's emptying count when taken
    bool isValid() const { return id != NoRecord; }
};

// Text sorts by the code points of its case-folded form, as the host's
// indexes compare keys: digits before letters, "Č" after "Z" (there is no
// Czech alphabet order such as "ch" after "h").
struct TSortKey {
    QString field;
    bool descending = false;
    bool caseInsensitive = true;
};

// A hashed index over one or several fields. Text compares without regard to
// letter case (Czech letters included) unless the index says otherwise.
struct TIndexDef {
    QString name;
    QStringList fields;
    bool caseInsensitive = true;
};

class TFilterExpr; // the parsed filter (mem_filter.h)

// A table of records with named, typed fields, held in memory.
//
// Records are kept in the order they were appended. What the cursor walks and
// a grid shows is the view: the records that satisfy the filter (when it is
// on) and, in a detail table, the master's link, in the sort order (append
// order when none is set). The sort order and the filter stay in force as
// records are appended and edited: a posted record takes its sorted place, and
// a record that no longer satisfies the filter leaves the view.
//
// Two kinds of access:
// - the cursor (first/next/eof, value(), append/edit/post, locate) as the
//   forms and reports use it;
// - direct access by RecId and field index (find, valueAt, setValueAt) for
//   hot loops that must not move the cursor or convert names.
//
// Signals serve grids and master-detail links. While display updates are
// suspended no per-record signal is sent; resuming sends one reset.
class TMemTable : public QObject {
    Q_OBJECT
public:
    explicit TMemTable(QObject* parent = nullptr);
    TMemTable(std::vector<TMemField> fields, QObject* parent = nullptr);
    ~TMemTable() override;

    // --- structure --------------------------------------------------------
    // Replaces the fields; empties the table and drops indexes, sort, filter
    // and master link.
    void setFields(std::vector<TMemField> fields);
    const std::vector<TMemField>& fields() const { return m_fields; }
    int fieldCount() const { return int(m_fields.size()); }
    // -1 for an unknown field; names match without regard to case.
    int fieldIndex(QStringView name) const;

    // Removes every record and resets the auto-increment counter; with
    // keepSettings false also drops the filter, sort order and master link.
    // Bookmarks taken before no longer lead anywhere.
    void emptyTable(bool keepSettings = true);

    // --- named indexes ----------------------------------------------------
    // Adds (or replaces) a hashed index; returns its number for find(), or -1
    // when a field is unknown.
    int addIndex(const TIndexDef& def);
    int indexNumber(QStringView name) const; // -1 when absent
    // Sorts the view by the fields of a named index (ascending); an empty
    // name returns to append order. False for an unknown name.
    bool setIndexName(const QString& name);

    // --- sorting ----------------------------------------------------------
    // Stable: records with equal keys keep their append order. An empty list
    // returns to append order. False when a field is unknown (order unchanged).
    bool setSort(const std::vector<TSortKey>& keys);
    bool sortBy(const QString& field, bool descending = false);
    const std::vector<TSortKey>& sortKeys() const { return m_sortKeys; }

    // --- filter -----------------------------------------------------------
    // Parses an expression such as "(Zkratka = 'O''Neil') AND (Nakladovy = True)":
    // comparisons "=", "<>" and LIKE (with "*" matching any run of characters)
    // of a field with a quoted text, a number or True/False, joined by AND, OR
    // and parentheses. An empty expression passes every record. A malformed
    // expression leaves the previous filter in place, returns false and puts
    // the reason into *error. Setting a filter does not switch it on.
    // A filter that requires "field = value" (joined by AND) for every field
    // of a named index starts from that index instead of testing every record,
    // so filtering a large table to one group key costs that group's records.
    bool setFilter(const QString& expression, QString* error = nullptr);
    // A text as a filter literal: in single quotes, quotes inside doubled
    // ("O'Neil" gives 'O''Neil').
    static QString quoted(const QString& text);
    QString filter() const { return m_filterText; }
    void setFiltered(bool on);
    bool isFiltered() const { return m_filtered; }
    // Text comparisons of the filter ignore letter case unless set otherwise.
    void setFilterCaseSensitive(bool caseSensitive);
    bool filterCaseSensitive() const { return m_filterCaseSensitive; }

    // --- master-detail ----------------------------------------------------
    // This table shows only the records whose detailFields equal the
    // masterFields of the master's current record (text without regard to
    // case unless caseSensitive). Follows the master's cursor and the edits of
    // its current record. A null master removes the link. False when a field
    // is unknown or the lists differ in length.
    bool setMasterLink(TMemTable* master, const QStringList& masterFields,
                       const QStringList& detailFields, bool caseSensitive = false);
    TMemTable* master() const { return m_master.data(); }

    // --- cursor -----------------------------------------------------------
    void first();
    void next();
    void prior();
    void last();
    bool eof() const { return m_eof || m_view.empty(); }
    bool bof() const { return m_bof || m_view.empty(); }
    int recordCount() const { return int(m_view.size()); } // records in the view
    int totalCount() const { return int(m_liveCount); }    // every record
    int recNo() const;                                     // 1-based view position, 0 when none
    bool setRecNo(int recNo);
    RecId currentId() const; // NoRecord when the view is empty

    TBookmark bookmark() const { return {currentId(), m_generation}; }
    // False (cursor unchanged) when the record was deleted or is not in the view.
    bool gotoBookmark(TBookmark mark);
    bool gotoRecord(RecId id) { return gotoBookmark({id, m_generation}); }

    // Moves to the first record of the view whose fields equal the values,
    // text without regard to case (ř = Ř). False leaves the cursor unchanged.
    bool locate(const QStringList& fields, std::span<const Value> values);
    bool locate(const QString& field, const Value& value);
    // Moves to the first record of the view whose field, as text, begins with
    // the prefix without regard to case (the grids' quick search).
    bool locatePrefix(const QString& field, QStringView prefix);

    // --- reading ----------------------------------------------------------
    // Values of the current record (the edit buffer while editing); a null
    // value when there is no record or the field is unknown.
    Value value(int field) const;
    Value value(QStringView field) const;

    // Direct access; the record must exist (isAlive).
    bool isAlive(RecId id) const;
    const Value& valueAt(RecId id, int field) const;
    QString textAt(RecId id, int field) const;
    std::int64_t intAt(RecId id, int field) const;
    Currency currencyAt(RecId id, int field) const;
    bool boolAt(RecId id, int field) const;
    // The visible records in view order.
    const std::vector<RecId>& viewIds() const { return m_view; }
    RecId idAtRow(int row) const; // NoRecord outside the view
    int rowOf(RecId id) const;    // -1 when not in the view

    // --- hashed lookups ---------------------------------------------------
    // The first record (append order) whose index fields equal the keys, over
    // every record of the table regardless of filter, master link and cursor.
    // Costs one hash of the keys, no allocation for text keys held in QString.
    RecId find(int index, std::span<const Value> keys) const;
    RecId find(int index, std::initializer_list<Value> keys) const;
    // The same for text keys given as views: nothing is copied or counted, the
    // fastest lookup for keys read from another table or a host cursor.
    RecId findText(int index, std::initializer_list<QStringView> keys) const;
    // Every such record, in append order.
    std::vector<RecId> findAll(int index, std::span<const Value> keys) const;

    // --- writing through the cursor ------------------------------------------
    enum class State { Browse, Insert, Edit };
    State state() const { return m_state; }
    // Starts a new record (every field null); post() adds it and makes it current.
    void append();
    // Starts editing the current record; false when there is none.
    bool edit();
    // Sets a field of the record being appended or edited (converted to the
    // field's type, text cut to the field's size). False in Browse state, for
    // an unknown field and for the auto-increment field.
    bool setValue(int field, const Value& v);
    bool setValue(QStringView field, const Value& v);
    // Stores the record being appended or edited. False in Browse state.
    bool post();
    void cancel();
    // Deletes the current record; the next one (or the last) becomes current.
    bool deleteRecord();

    // --- writing directly (hot loops) ---------------------------------------
    // Adds a record from values in field order (missing ones null); returns
    // its id. The cursor stays where it was.
    RecId appendRecord(std::span<const Value> values);
    RecId appendRecord(std::initializer_list<Value> values);
    bool setValueAt(RecId id, int field, const Value& v);
    // Adds an amount to a currency field (exact).
    bool addCurrencyAt(RecId id, int field, Currency amount);
    bool deleteAt(RecId id);

    // --- display updates ------------------------------------------------------
    // Nested: every disableControls() needs its enableControls(). While
    // suspended no per-record signal is sent; the outermost enableControls()
    // sends one reset. The data, the cursor and master links work as usual.
    void disableControls();
    void enableControls();
    bool controlsDisabled() const { return m_disabled > 0; }

signals:
    // For grids: the view changes. "About to" comes before the change.
    void aboutToReset();
    void resetDone();
    void rowAboutToBeInserted(int row);
    void rowInserted(int row);
    void rowAboutToBeRemoved(int row);
    void rowRemoved(int row);
    void rowChanged(int row);
    // The cursor moved to another record (also to none); sent while
    // suspended too, since it is a data event (detail links, handlers).
    void currentChanged();
    // A record was posted, edited directly or deleted (data event).
    void recordChanged(RecId id);
    // The fields were replaced (setFields): field numbers taken before are void.
    void fieldsReplaced();

protected:
    void connectNotify(const QMetaMethod& signal) override;

private:
    struct HashIndex;

    Value* record(RecId id) { return &m_values[std::size_t(id) * m_fields.size()]; }
    const Value* record(RecId id) const { return &m_values[std::size_t(id) * m_fields.size()]; }
    RecId allocate();
    Value convert(int field, const Value& v) const;
    std::uint64_t hashRecord(RecId id, const HashIndex& index) const;
    RecId findIn(const HashIndex& index, std::span<const Value> keys,
                 std::vector<RecId>* all) const;
    void indexInsert(RecId id);
    void indexRemove(RecId id);
    void updateFieldRoles();

    bool linkMatches(RecId id) const;
    bool passes(RecId id) const;
    bool lessInView(RecId a, RecId b) const;
    void rebuildView(bool keepCurrent);
    bool candidatesFromIndex();
    void insertIntoView(RecId id);
    void removeFromView(int row);
    void afterRecordChange(RecId id, int oldRow);
    void setPos(int pos);
    void autoPost();
    void clearMasterLink();
    void onMasterMoved();
    bool sendsRowSignals() const { return m_disabled == 0; }

    std::vector<TMemField> m_fields;
    std::vector<Value> m_values; // record-major: id * fieldCount + field
    std::vector<std::uint8_t> m_alive;
    std::uint32_t m_liveCount = 0;
    std::int64_t m_nextAuto = 1;
    int m_autoField = -1;
    std::vector<std::uint8_t> m_fieldIndexed; // in some hashed index (or the link)
    std::vector<std::uint8_t> m_affectsView;  // sort, filter or link field

    std::vector<std::unique_ptr<HashIndex>> m_indexes;
    std::vector<TSortKey> m_sortKeys;
    std::vector<int> m_sortFields;

    QString m_filterText;
    std::unique_ptr<TFilterExpr> m_filter;
    bool m_filtered = false;
    bool m_filterCaseSensitive = false;

    QPointer<TMemTable> m_master;
    std::vector<int> m_masterFields;
    std::vector<int> m_linkFields;
    std::unique_ptr<HashIndex> m_linkHash;
    std::vector<QMetaObject::Connection> m_masterConnections;

    std::vector<RecId> m_view;
    mutable std::vector<int> m_rowOf;
    mutable bool m_rowOfValid = false;
    int m_pos = -1;
    bool m_eof = true;
    bool m_bof = true;

    State m_state = State::Browse;
    std::vector<Value> m_buffer;
    RecId m_editId = NoRecord;

    int m_disabled = 0;
    bool m_rowChangedListened = false; // rowChanged ever had a receiver
    std::uint32_t m_generation = 0;
};

// Suspends a table's display updates for a scope.
class TControlsDisabled {
public:
    explicit TControlsDisabled(TMemTable& table) : m_table(table) { m_table.disableControls(); }
    ~TControlsDisabled() { m_table.enableControls(); }
    TControlsDisabled(const TControlsDisabled&) = delete;
    TControlsDisabled& operator=(const TControlsDisabled&) = delete;

private:
    TMemTable& m_table;
};

// Remembers a table's current record and suspends its display updates for a
// scope (a walk that must not move the grid); restores both at the end.
class TKeepPosition {
public:
    explicit TKeepPosition(TMemTable& table)
        : m_table(table), m_mark(table.bookmark()), m_disabled(table) {}
    ~TKeepPosition() {
        if (!m_table.gotoBookmark(m_mark)) {
            m_table.first();
        }
    }
    TKeepPosition(const TKeepPosition&) = delete;
    TKeepPosition& operator=(const TKeepPosition&) = delete;

private:
    TMemTable& m_table;
    TBookmark m_mark;
    TControlsDisabled m_disabled;
};

} // namespace arvelo::ui
