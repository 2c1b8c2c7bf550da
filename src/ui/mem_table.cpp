#include "ui/mem_table.h"

#include "ui/flat_hash.h"
#include "ui/mem_filter.h"
#include "ui/value_compare.h"

#include <QMetaMethod>
#include <algorithm>

namespace arvelo::ui {

// A hashed index: the hash of a record's key fields to the record. Records
// with equal keys (or colliding hashes) share a hash; lookups compare fields.
struct TMemTable::HashIndex {
    QString name;
    std::vector<int> fields;
    bool caseInsensitive = true;
    TFlatHash map;
};

TMemTable::TMemTable(QObject* parent) : QObject(parent) {}

TMemTable::TMemTable(std::vector<TMemField> fields, QObject* parent) : QObject(parent) {
    setFields(std::move(fields));
}

TMemTable::~TMemTable() = default;

// --- structure ----------------------------------------------------------------

void TMemTable::setFields(std::vector<TMemField> fields) {
    clearMasterLink();
    m_fields = std::move(fields);
    m_autoField = -1;
    for (int f = 0; f < fieldCount(); ++f) {
        if (m_fields[f].autoIncrement && m_fields[f].type == FieldType::Integer) {
            m_autoField = f;
            break;
        }
    }
    m_indexes.clear();
    m_sortKeys.clear();
    m_sortFields.clear();
    m_filterText.clear();
    m_filter.reset();
    m_filtered = false;
    emptyTable(true);
    emit fieldsReplaced();
}

int TMemTable::fieldIndex(QStringView name) const {
    for (int f = 0; f < fieldCount(); ++f) {
        if (name.compare(m_fields[f].name, Qt::CaseInsensitive) == 0) {
            return f;
        }
    }
    return -1;
}

void TMemTable::emptyTable(bool keepSettings) {
    cancel();
    m_values.clear();
    m_alive.clear();
    m_liveCount = 0;
    m_nextAuto = 1;
    ++m_generation;
    for (auto& index : m_indexes) {
        index->map.clear();
    }
    if (m_linkHash) {
        m_linkHash->map.clear();
    }
    if (!keepSettings) {
        m_sortKeys.clear();
        m_sortFields.clear();
        m_filterText.clear();
        m_filter.reset();
        m_filtered = false;
        clearMasterLink();
    }
    m_rowOf.clear();
    updateFieldRoles();
    rebuildView(false);
}

void TMemTable::updateFieldRoles() {
    m_fieldIndexed.assign(m_fields.size(), 0);
    m_affectsView.assign(m_fields.size(), 0);
    for (const auto& index : m_indexes) {
        for (int f : index->fields) {
            m_fieldIndexed[f] = 1;
        }
    }
    for (int f : m_linkFields) {
        m_fieldIndexed[f] = 1;
        m_affectsView[f] = 1;
    }
    for (int f : m_sortFields) {
        m_affectsView[f] = 1;
    }
    if (m_filtered && m_filter) {
        for (int f : m_filter->fieldsUsed()) {
            m_affectsView[f] = 1;
        }
    }
}

RecId TMemTable::allocate() {
    const auto id = static_cast<RecId>(m_alive.size());
    m_alive.push_back(1);
    m_values.resize(m_values.size() + m_fields.size());
    ++m_liveCount;
    return id;
}

Value TMemTable::convert(int field, const Value& v) const {
    if (v.isNull()) {
        return {};
    }
    const TMemField& f = m_fields[field];
    switch (f.type) {
    case FieldType::Text: {
        if (v.isText()) {
            const auto& s = std::get<QString>(v.storage());
            return (f.size > 0 && s.size() > f.size) ? Value(s.left(f.size)) : v;
        }
        const QString s = v.toString();
        return Value(f.size > 0 ? s.left(f.size) : s);
    }
    case FieldType::Integer:
        return Value(values::intOf(v));
    case FieldType::Amount:
        return Value(values::currencyOf(v));
    case FieldType::Float:
        return Value(v.toDouble());
    case FieldType::Date:
        return Value::date(v.toDate());
    case FieldType::Boolean:
        return Value(v.toBool());
    }
    return v;
}

// --- indexes --------------------------------------------------------------------

std::uint64_t TMemTable::hashRecord(RecId id, const HashIndex& index) const {
    const Value* rec = record(id);
    std::uint64_t h = 0;
    for (int f : index.fields) {
        h = values::hash(m_fields[f].type, rec[f], index.caseInsensitive, h);
    }
    return h;
}

RecId TMemTable::findIn(const HashIndex& index, std::span<const Value> keys,
                        std::vector<RecId>* all) const {
    if (keys.size() != index.fields.size()) {
        return NoRecord;
    }
    std::uint64_t h = 0;
    for (std::size_t k = 0; k < keys.size(); ++k) {
        h = values::hash(m_fields[index.fields[k]].type, keys[k], index.caseInsensitive, h);
    }
    RecId best = NoRecord;
    index.map.forEach(h, [&](RecId id) {
        const Value* rec = record(id);
        bool same = true;
        for (std::size_t k = 0; k < keys.size() && same; ++k) {
            const int f = index.fields[k];
            same = values::equal(m_fields[f].type, rec[f], keys[k], index.caseInsensitive);
        }
        if (same) {
            best = std::min(best, id);
            if (all) {
                all->push_back(id);
            }
        }
        return true;
    });
    if (all) {
        std::sort(all->begin(), all->end());
    }
    return best;
}

void TMemTable::indexInsert(RecId id) {
    for (auto& index : m_indexes) {
        index->map.insert(hashRecord(id, *index), id);
    }
    if (m_linkHash) {
        m_linkHash->map.insert(hashRecord(id, *m_linkHash), id);
    }
}

void TMemTable::indexRemove(RecId id) {
    auto removeFrom = [&](HashIndex& index) { index.map.erase(hashRecord(id, index), id); };
    for (auto& index : m_indexes) {
        removeFrom(*index);
    }
    if (m_linkHash) {
        removeFrom(*m_linkHash);
    }
}

int TMemTable::addIndex(const TIndexDef& def) {
    auto index = std::make_unique<HashIndex>();
    index->name = def.name;
    index->caseInsensitive = def.caseInsensitive;
    for (const QString& name : def.fields) {
        const int f = fieldIndex(name);
        if (f < 0) {
            return -1;
        }
        index->fields.push_back(f);
    }
    if (index->fields.empty()) {
        return -1;
    }
    index->map.reserve(m_liveCount);
    for (RecId id = 0; id < m_alive.size(); ++id) {
        if (m_alive[id]) {
            index->map.insert(hashRecord(id, *index), id);
        }
    }
    int number = indexNumber(def.name);
    if (number >= 0) {
        m_indexes[number] = std::move(index);
    } else {
        m_indexes.push_back(std::move(index));
        number = int(m_indexes.size()) - 1;
    }
    updateFieldRoles();
    return number;
}

int TMemTable::indexNumber(QStringView name) const {
    for (std::size_t i = 0; i < m_indexes.size(); ++i) {
        if (name.compare(m_indexes[i]->name, Qt::CaseInsensitive) == 0) {
            return int(i);
        }
    }
    return -1;
}

bool TMemTable::setIndexName(const QString& name) {
    if (name.isEmpty()) {
        return setSort({});
    }
    const int number = indexNumber(name);
    if (number < 0) {
        return false;
    }
    std::vector<TSortKey> keys;
    for (int f : m_indexes[number]->fields) {
        keys.push_back({m_fields[f].name, false, m_indexes[number]->caseInsensitive});
    }
    return setSort(keys);
}

RecId TMemTable::find(int index, std::span<const Value> keys) const {
    if (index < 0 || index >= int(m_indexes.size())) {
        return NoRecord;
    }
    return findIn(*m_indexes[index], keys, nullptr);
}

RecId TMemTable::find(int index, std::initializer_list<Value> keys) const {
    return find(index, std::span<const Value>(keys.begin(), keys.size()));
}

RecId TMemTable::findText(int index, std::initializer_list<QStringView> keys) const {
    if (index < 0 || index >= int(m_indexes.size()) ||
        keys.size() != m_indexes[index]->fields.size()) {
        return NoRecord;
    }
    const HashIndex& ix = *m_indexes[index];
    for (int f : ix.fields) {
        if (m_fields[f].type != FieldType::Text) {
            // Numbers and dates compare by value: take the general way.
            std::vector<Value> values;
            for (QStringView k : keys) {
                values.emplace_back(k.toString());
            }
            return findIn(ix, values, nullptr);
        }
    }
    std::uint64_t h = 0;
    for (QStringView k : keys) {
        h = fold::hash(k, ix.caseInsensitive, h);
    }
    RecId best = NoRecord;
    ix.map.forEach(h, [&](RecId id) {
        const Value* rec = record(id);
        auto key = keys.begin();
        for (int f : ix.fields) {
            QString scratch;
            if (!fold::equal(values::textOf(rec[f], scratch), *key++, ix.caseInsensitive)) {
                return true;
            }
        }
        best = std::min(best, id);
        return true;
    });
    return best;
}

std::vector<RecId> TMemTable::findAll(int index, std::span<const Value> keys) const {
    std::vector<RecId> all;
    if (index >= 0 && index < int(m_indexes.size())) {
        findIn(*m_indexes[index], keys, &all);
    }
    return all;
}

// --- sort and filter -----------------------------------------------------------

bool TMemTable::setSort(const std::vector<TSortKey>& keys) {
    std::vector<int> fields;
    for (const TSortKey& key : keys) {
        const int f = fieldIndex(key.field);
        if (f < 0) {
            return false;
        }
        fields.push_back(f);
    }
    autoPost();
    m_sortKeys = keys;
    m_sortFields = std::move(fields);
    updateFieldRoles();
    rebuildView(true);
    return true;
}

bool TMemTable::sortBy(const QString& field, bool descending) {
    return setSort({TSortKey{field, descending, true}});
}

bool TMemTable::setFilter(const QString& expression, QString* error) {
    std::unique_ptr<TFilterExpr> parsed;
    if (!expression.trimmed().isEmpty()) {
        parsed = TFilterExpr::parse(expression, m_fields, error);
        if (!parsed) {
            return false;
        }
    }
    autoPost();
    m_filterText = expression;
    m_filter = std::move(parsed);
    updateFieldRoles();
    if (m_filtered) {
        rebuildView(false);
    }
    return true;
}

QString TMemTable::quoted(const QString& text) {
    QString out = text;
    out.replace(u'\'', QStringLiteral("''"));
    return u'\'' + out + u'\'';
}

void TMemTable::setFiltered(bool on) {
    if (on == m_filtered) {
        return;
    }
    autoPost();
    m_filtered = on;
    updateFieldRoles();
    rebuildView(false);
}

void TMemTable::setFilterCaseSensitive(bool caseSensitive) {
    if (caseSensitive == m_filterCaseSensitive) {
        return;
    }
    m_filterCaseSensitive = caseSensitive;
    if (m_filtered && m_filter) {
        autoPost();
        rebuildView(false);
    }
}

// --- master-detail -------------------------------------------------------------

void TMemTable::clearMasterLink() {
    for (const auto& c : m_masterConnections) {
        disconnect(c);
    }
    m_masterConnections.clear();
    m_master = nullptr;
    m_masterFields.clear();
    m_linkFields.clear();
    m_linkHash.reset();
}

bool TMemTable::setMasterLink(TMemTable* master, const QStringList& masterFields,
                              const QStringList& detailFields, bool caseSensitive) {
    if (master == this) {
        return false;
    }
    std::vector<int> mf;
    std::vector<int> df;
    if (master) {
        if (masterFields.size() != detailFields.size() || masterFields.isEmpty()) {
            return false;
        }
        for (qsizetype k = 0; k < masterFields.size(); ++k) {
            mf.push_back(master->fieldIndex(masterFields[k]));
            df.push_back(fieldIndex(detailFields[k]));
            if (mf.back() < 0 || df.back() < 0) {
                return false;
            }
        }
    }
    autoPost();
    clearMasterLink();
    if (master) {
        m_master = master;
        m_masterFields = std::move(mf);
        m_linkFields = df;
        m_linkHash = std::make_unique<HashIndex>();
        m_linkHash->fields = std::move(df);
        m_linkHash->caseInsensitive = !caseSensitive;
        for (RecId id = 0; id < m_alive.size(); ++id) {
            if (m_alive[id]) {
                m_linkHash->map.insert(hashRecord(id, *m_linkHash), id);
            }
        }
        m_masterConnections.push_back(
            connect(master, &TMemTable::currentChanged, this, &TMemTable::onMasterMoved));
        m_masterConnections.push_back(
            connect(master, &TMemTable::recordChanged, this, [this](RecId id) {
                if (m_master && id == m_master->currentId()) {
                    onMasterMoved();
                }
            }));
        // The master is going away or changes its fields: show every record,
        // as without a link.
        m_masterConnections.push_back(connect(master, &TMemTable::fieldsReplaced, this, [this]() {
            clearMasterLink();
            updateFieldRoles();
            rebuildView(false);
        }));
        m_masterConnections.push_back(connect(master, &QObject::destroyed, this, [this]() {
            m_masterConnections.clear();
            m_master = nullptr;
            m_masterFields.clear();
            m_linkFields.clear();
            m_linkHash.reset();
            updateFieldRoles();
            rebuildView(false);
        }));
    }
    updateFieldRoles();
    rebuildView(false);
    return true;
}

void TMemTable::onMasterMoved() {
    autoPost();
    rebuildView(false);
}

bool TMemTable::linkMatches(RecId id) const {
    if (!m_master) {
        return true;
    }
    const RecId masterId = m_master->currentId();
    if (masterId == NoRecord) {
        return false;
    }
    const Value* rec = record(id);
    for (std::size_t k = 0; k < m_linkFields.size(); ++k) {
        const int f = m_linkFields[k];
        if (!values::equal(m_fields[f].type, rec[f], m_master->valueAt(masterId, m_masterFields[k]),
                           m_linkHash->caseInsensitive)) {
            return false;
        }
    }
    return true;
}

// --- the view ---------------------------------------------------------------------

bool TMemTable::passes(RecId id) const {
    if (!m_alive[id] || !linkMatches(id)) {
        return false;
    }
    return !(m_filtered && m_filter) || m_filter->matches(*this, id, m_filterCaseSensitive);
}

bool TMemTable::lessInView(RecId a, RecId b) const {
    const Value* ra = record(a);
    const Value* rb = record(b);
    for (std::size_t k = 0; k < m_sortFields.size(); ++k) {
        const int f = m_sortFields[k];
        int c = values::compare(m_fields[f].type, ra[f], rb[f], m_sortKeys[k].caseInsensitive);
        if (m_sortKeys[k].descending) {
            c = -c;
        }
        if (c != 0) {
            return c < 0;
        }
    }
    return a < b; // stable: equal keys keep their append order
}

void TMemTable::rebuildView(bool keepCurrent) {
    const RecId before = currentId();
    if (sendsRowSignals()) {
        emit aboutToReset();
    }
    m_view.clear();
    if (m_master) {
        const RecId masterId = m_master->currentId();
        if (masterId != NoRecord) {
            std::vector<Value> keys;
            for (int f : m_masterFields) {
                keys.push_back(m_master->valueAt(masterId, f));
            }
            findIn(*m_linkHash, keys, &m_view);
        }
    } else if (!candidatesFromIndex()) {
        m_view.reserve(m_liveCount);
        for (RecId id = 0; id < m_alive.size(); ++id) {
            if (m_alive[id]) {
                m_view.push_back(id);
            }
        }
    }
    if (m_filtered && m_filter) {
        std::erase_if(m_view, [this](RecId id) {
            return !m_filter->matches(*this, id, m_filterCaseSensitive);
        });
    }
    if (!m_sortFields.empty()) {
        std::sort(m_view.begin(), m_view.end(),
                  [this](RecId a, RecId b) { return lessInView(a, b); });
    }
    m_rowOfValid = false;
    int pos = m_view.empty() ? -1 : 0;
    if (keepCurrent && before != NoRecord && rowOf(before) >= 0) {
        pos = rowOf(before);
    }
    m_pos = pos;
    m_bof = pos <= 0;
    m_eof = m_view.empty();
    if (sendsRowSignals()) {
        emit resetDone();
    }
    if (currentId() != before) {
        emit currentChanged();
    }
}

// A filter that requires "field = value" for every field of an index takes
// its candidates from that index: filtering a large table to one group costs
// the group's records, not the table. The whole filter is applied to them
// afterwards. A case-insensitive index serves a case-sensitive filter too,
// since it names a superset.
bool TMemTable::candidatesFromIndex() {
    if (!m_filtered || !m_filter) {
        return false;
    }
    const auto required = m_filter->requiredEqualities();
    if (required.empty()) {
        return false;
    }
    for (const auto& index : m_indexes) {
        if (!index->caseInsensitive && !m_filterCaseSensitive) {
            continue;
        }
        std::vector<Value> keys;
        for (int f : index->fields) {
            const auto it = std::find_if(required.begin(), required.end(),
                                         [f](const auto& eq) { return eq.first == f; });
            if (it == required.end()) {
                break;
            }
            keys.push_back(it->second);
        }
        if (keys.size() == index->fields.size()) {
            findIn(*index, keys, &m_view);
            return true;
        }
    }
    return false;
}

int TMemTable::rowOf(RecId id) const {
    if (!m_rowOfValid) {
        m_rowOf.assign(m_alive.size(), -1);
        for (std::size_t r = 0; r < m_view.size(); ++r) {
            m_rowOf[m_view[r]] = int(r);
        }
        m_rowOfValid = true;
    }
    return id < m_rowOf.size() ? m_rowOf[id] : -1;
}

RecId TMemTable::idAtRow(int row) const {
    return (row >= 0 && row < int(m_view.size())) ? m_view[row] : NoRecord;
}

void TMemTable::insertIntoView(RecId id) {
    if (!passes(id)) {
        return;
    }
    const RecId current = currentId();
    int row = int(m_view.size());
    if (!m_view.empty() && !lessInView(m_view.back(), id)) {
        row = int(std::upper_bound(m_view.begin(), m_view.end(), id,
                                   [this](RecId a, RecId b) { return lessInView(a, b); }) -
                  m_view.begin());
    }
    if (sendsRowSignals()) {
        emit rowAboutToBeInserted(row);
    }
    m_view.insert(m_view.begin() + row, id);
    if (m_rowOfValid && row == int(m_view.size()) - 1) {
        if (m_rowOf.size() <= id) {
            m_rowOf.resize(std::size_t(id) + 1, -1);
        }
        m_rowOf[id] = row;
    } else {
        m_rowOfValid = false;
    }
    if (current != NoRecord) {
        m_pos = rowOf(current);
    }
    if (sendsRowSignals()) {
        emit rowInserted(row);
    }
    if (current == NoRecord) {
        // A view that had no current record gets one.
        m_pos = 0;
        m_bof = false;
        m_eof = false;
        emit currentChanged();
    }
}

void TMemTable::removeFromView(int row) {
    const RecId current = currentId();
    const RecId removed = m_view[row];
    if (sendsRowSignals()) {
        emit rowAboutToBeRemoved(row);
    }
    m_view.erase(m_view.begin() + row);
    if (m_rowOfValid && row == int(m_view.size())) {
        m_rowOf[removed] = -1;
    } else {
        m_rowOfValid = false;
    }
    if (current != removed) {
        m_pos = current == NoRecord ? -1 : rowOf(current);
    } else {
        // The next record takes the place of the removed one, or the last.
        m_pos = std::min(row, int(m_view.size()) - 1);
    }
    if (m_view.empty()) {
        m_eof = true;
        m_bof = true;
    }
    if (sendsRowSignals()) {
        emit rowRemoved(row);
    }
    if (current == removed) {
        emit currentChanged();
    }
}

void TMemTable::afterRecordChange(RecId id, int oldRow) {
    const bool now = passes(id);
    if (oldRow >= 0 && !now) {
        removeFromView(oldRow);
    } else if (oldRow < 0 && now) {
        insertIntoView(id);
    } else if (oldRow >= 0) {
        const int last = int(m_view.size()) - 1;
        const bool inPlace = (oldRow == 0 || lessInView(m_view[oldRow - 1], id)) &&
                             (oldRow == last || lessInView(id, m_view[oldRow + 1]));
        if (inPlace) {
            if (sendsRowSignals()) {
                emit rowChanged(oldRow);
            }
            return;
        }
        // The record moves to its sorted place; the cursor stays on the same record.
        const RecId current = currentId();
        if (sendsRowSignals()) {
            emit rowAboutToBeRemoved(oldRow);
        }
        m_view.erase(m_view.begin() + oldRow);
        m_rowOfValid = false;
        if (sendsRowSignals()) {
            emit rowRemoved(oldRow);
        }
        const int row =
            int(std::upper_bound(m_view.begin(), m_view.end(), id,
                                 [this](RecId a, RecId b) { return lessInView(a, b); }) -
                m_view.begin());
        if (sendsRowSignals()) {
            emit rowAboutToBeInserted(row);
        }
        m_view.insert(m_view.begin() + row, id);
        m_pos = rowOf(current);
        if (sendsRowSignals()) {
            emit rowInserted(row);
        }
    }
}

// --- cursor -----------------------------------------------------------------------

RecId TMemTable::currentId() const {
    return (m_pos >= 0 && m_pos < int(m_view.size())) ? m_view[m_pos] : NoRecord;
}

int TMemTable::recNo() const {
    return currentId() == NoRecord ? 0 : m_pos + 1;
}

void TMemTable::setPos(int pos) {
    const RecId before = currentId();
    m_pos = m_view.empty() ? -1 : std::clamp(pos, 0, int(m_view.size()) - 1);
    if (currentId() != before) {
        emit currentChanged();
    }
}

void TMemTable::autoPost() {
    if (m_state != State::Browse) {
        post();
    }
}

void TMemTable::first() {
    autoPost();
    m_bof = true;
    m_eof = m_view.empty();
    setPos(0);
}

void TMemTable::last() {
    autoPost();
    m_eof = true;
    m_bof = m_view.empty();
    setPos(int(m_view.size()) - 1);
}

void TMemTable::next() {
    autoPost();
    if (m_pos + 1 < int(m_view.size())) {
        m_bof = false;
        setPos(m_pos + 1);
    } else {
        m_eof = true;
    }
}

void TMemTable::prior() {
    autoPost();
    if (m_pos > 0) {
        m_eof = false;
        setPos(m_pos - 1);
    } else {
        m_bof = true;
    }
}

bool TMemTable::setRecNo(int recNo) {
    if (recNo < 1 || recNo > int(m_view.size())) {
        return false;
    }
    autoPost();
    m_eof = false;
    m_bof = false;
    setPos(recNo - 1);
    return true;
}

bool TMemTable::gotoBookmark(TBookmark mark) {
    if (!mark.isValid() || mark.generation != m_generation || mark.id >= m_alive.size()) {
        return false;
    }
    autoPost();
    const int row = rowOf(mark.id);
    if (row < 0) {
        return false;
    }
    m_eof = false;
    m_bof = false;
    setPos(row);
    return true;
}

bool TMemTable::locate(const QStringList& fieldNames, std::span<const Value> keys) {
    if (fieldNames.isEmpty() || std::size_t(fieldNames.size()) != keys.size()) {
        return false;
    }
    std::vector<int> fields;
    for (const QString& name : fieldNames) {
        fields.push_back(fieldIndex(name));
        if (fields.back() < 0) {
            return false;
        }
    }
    autoPost();
    int found = -1;
    // A case-insensitive index over exactly these fields answers without a scan.
    const auto index = std::find_if(m_indexes.begin(), m_indexes.end(), [&](const auto& ix) {
        return ix->caseInsensitive && ix->fields == fields;
    });
    if (index != m_indexes.end()) {
        std::vector<RecId> all;
        findIn(**index, keys, &all);
        for (RecId id : all) {
            const int row = rowOf(id);
            if (row >= 0 && (found < 0 || row < found)) {
                found = row;
            }
        }
    } else {
        for (std::size_t row = 0; row < m_view.size() && found < 0; ++row) {
            const Value* rec = record(m_view[row]);
            bool same = true;
            for (std::size_t k = 0; k < fields.size() && same; ++k) {
                same = values::equal(m_fields[fields[k]].type, rec[fields[k]], keys[k], true);
            }
            if (same) {
                found = int(row);
            }
        }
    }
    if (found < 0) {
        return false;
    }
    m_eof = false;
    m_bof = false;
    setPos(found);
    return true;
}

bool TMemTable::locatePrefix(const QString& field, QStringView prefix) {
    const int f = fieldIndex(field);
    if (f < 0) {
        return false;
    }
    autoPost();
    for (std::size_t row = 0; row < m_view.size(); ++row) {
        QString scratch;
        if (fold::startsWith(values::textOf(record(m_view[row])[f], scratch), prefix, true)) {
            m_eof = false;
            m_bof = false;
            setPos(int(row));
            return true;
        }
    }
    return false;
}

bool TMemTable::locate(const QString& field, const Value& value) {
    return locate(QStringList{field}, std::span<const Value>(&value, 1));
}

// --- reading ------------------------------------------------------------------------

Value TMemTable::value(int field) const {
    if (field < 0 || field >= fieldCount()) {
        return {};
    }
    if (m_state != State::Browse) {
        return m_buffer[field];
    }
    const RecId id = currentId();
    return id == NoRecord ? Value() : record(id)[field];
}

Value TMemTable::value(QStringView field) const {
    return value(fieldIndex(field));
}

bool TMemTable::isAlive(RecId id) const {
    return id < m_alive.size() && m_alive[id];
}

const Value& TMemTable::valueAt(RecId id, int field) const {
    Q_ASSERT(isAlive(id) && field >= 0 && field < fieldCount());
    return record(id)[field];
}

QString TMemTable::textAt(RecId id, int field) const {
    return valueAt(id, field).toString();
}

std::int64_t TMemTable::intAt(RecId id, int field) const {
    return values::intOf(valueAt(id, field));
}

Currency TMemTable::currencyAt(RecId id, int field) const {
    return values::currencyOf(valueAt(id, field));
}

bool TMemTable::boolAt(RecId id, int field) const {
    return valueAt(id, field).toBool();
}

// --- writing --------------------------------------------------------------------------

void TMemTable::append() {
    autoPost();
    m_state = State::Insert;
    m_buffer.assign(m_fields.size(), Value());
    m_editId = NoRecord;
}

bool TMemTable::edit() {
    if (m_state == State::Edit) {
        return true;
    }
    autoPost();
    const RecId id = currentId();
    if (id == NoRecord) {
        return false;
    }
    m_buffer.assign(record(id), record(id) + m_fields.size());
    m_editId = id;
    m_state = State::Edit;
    return true;
}

bool TMemTable::setValue(int field, const Value& v) {
    if (m_state == State::Browse || field < 0 || field >= fieldCount() || field == m_autoField) {
        return false;
    }
    m_buffer[field] = convert(field, v);
    return true;
}

bool TMemTable::setValue(QStringView field, const Value& v) {
    return setValue(fieldIndex(field), v);
}

bool TMemTable::post() {
    const State state = m_state;
    if (state == State::Browse) {
        return false;
    }
    m_state = State::Browse;
    std::vector<Value> buffer = std::move(m_buffer);
    m_buffer.clear();
    if (state == State::Insert) {
        const RecId id = appendRecord(buffer);
        const int row = rowOf(id);
        if (row >= 0) {
            m_eof = false;
            m_bof = false;
            setPos(row);
        }
        return true;
    }
    const RecId id = m_editId;
    m_editId = NoRecord;
    if (!isAlive(id)) {
        return false;
    }
    const int oldRow = rowOf(id);
    indexRemove(id);
    std::move(buffer.begin(), buffer.end(), record(id));
    indexInsert(id);
    afterRecordChange(id, oldRow);
    emit recordChanged(id);
    return true;
}

void TMemTable::cancel() {
    m_state = State::Browse;
    m_buffer.clear();
    m_editId = NoRecord;
}

bool TMemTable::deleteRecord() {
    cancel();
    const RecId id = currentId();
    return id != NoRecord && deleteAt(id);
}

RecId TMemTable::appendRecord(std::span<const Value> vals) {
    const RecId id = allocate();
    Value* rec = record(id);
    for (int f = 0; f < fieldCount(); ++f) {
        if (f == m_autoField) {
            rec[f] = Value(m_nextAuto++);
        } else if (std::size_t(f) < vals.size()) {
            rec[f] = convert(f, vals[f]);
        }
    }
    indexInsert(id);
    insertIntoView(id);
    emit recordChanged(id);
    return id;
}

RecId TMemTable::appendRecord(std::initializer_list<Value> vals) {
    return appendRecord(std::span<const Value>(vals.begin(), vals.size()));
}

bool TMemTable::setValueAt(RecId id, int field, const Value& v) {
    if (!isAlive(id) || field < 0 || field >= fieldCount() || field == m_autoField) {
        return false;
    }
    Value converted = convert(field, v);
    if (!m_fieldIndexed[field] && !m_affectsView[field]) {
        // The common case of the hot loops: no index, order or filter to keep.
        record(id)[field] = std::move(converted);
        if (sendsRowSignals() && m_rowChangedListened) {
            const int row = rowOf(id);
            if (row >= 0) {
                emit rowChanged(row);
            }
        }
        emit recordChanged(id);
        return true;
    }
    const int oldRow = rowOf(id);
    indexRemove(id);
    record(id)[field] = std::move(converted);
    indexInsert(id);
    afterRecordChange(id, oldRow);
    emit recordChanged(id);
    return true;
}

bool TMemTable::addCurrencyAt(RecId id, int field, Currency amount) {
    if (!isAlive(id) || field < 0 || field >= fieldCount() ||
        m_fields[field].type != FieldType::Amount) {
        return false;
    }
    return setValueAt(id, field, Value(values::currencyOf(valueAt(id, field)) + amount));
}

bool TMemTable::deleteAt(RecId id) {
    if (!isAlive(id)) {
        return false;
    }
    if (m_state == State::Edit && m_editId == id) {
        cancel();
    }
    const int row = rowOf(id);
    indexRemove(id);
    std::fill(record(id), record(id) + m_fields.size(), Value());
    m_alive[id] = 0;
    --m_liveCount;
    if (row >= 0) {
        removeFromView(row);
    }
    emit recordChanged(id);
    return true;
}

// Asking Qt whether rowChanged has receivers costs more than the rest of a
// direct edit, so the table remembers that it ever had one. (Qt holds a lock
// while notifying, so the answer cannot be asked again on a disconnect.)
void TMemTable::connectNotify(const QMetaMethod& signal) {
    if (signal == QMetaMethod::fromSignal(&TMemTable::rowChanged)) {
        m_rowChangedListened = true;
    }
}

// --- display updates ----------------------------------------------------------------

void TMemTable::disableControls() {
    ++m_disabled;
}

void TMemTable::enableControls() {
    if (m_disabled == 0) {
        return;
    }
    if (--m_disabled == 0) {
        emit aboutToReset();
        emit resetDone();
    }
}

} // namespace arvelo::ui
