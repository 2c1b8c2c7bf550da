#include "ui/mem_table_model.h"

#include "host/day_date.h"

namespace arvelo::ui {

TMemTableModel::TMemTableModel(TMemTable* table, QObject* parent)
    : QAbstractTableModel(parent), m_table(table) {
    resolveColumns();
    if (!table) {
        return;
    }
    m_rows = table->controlsDisabled() ? 0 : table->recordCount();
    connect(table, &TMemTable::aboutToReset, this, [this]() {
        if (!m_resetting) {
            m_resetting = true;
            beginResetModel();
        }
    });
    connect(table, &TMemTable::resetDone, this, [this]() {
        // The fields may have changed with the table's structure.
        resolveColumns();
        m_rows = m_table ? m_table->recordCount() : 0;
        if (m_resetting) {
            m_resetting = false;
            endResetModel();
        }
    });
    connect(table, &TMemTable::rowAboutToBeInserted, this,
            [this](int row) { beginInsertRows(QModelIndex(), row, row); });
    connect(table, &TMemTable::rowInserted, this, [this](int) {
        ++m_rows;
        endInsertRows();
    });
    connect(table, &TMemTable::rowAboutToBeRemoved, this,
            [this](int row) { beginRemoveRows(QModelIndex(), row, row); });
    connect(table, &TMemTable::rowRemoved, this, [this](int) {
        --m_rows;
        endRemoveRows();
    });
    connect(table, &TMemTable::rowChanged, this, [this](int row) {
        if (row < m_rows && !m_columns.empty()) {
            emit dataChanged(index(row, 0), index(row, int(m_columns.size()) - 1));
        }
    });
    connect(table, &TMemTable::currentChanged, this, [this]() {
        if (m_table && !m_table->controlsDisabled()) {
            emit currentRowChanged(currentRow());
        }
    });
    connect(table, &TMemTable::resetDone, this, [this]() { emit currentRowChanged(currentRow()); });
    connect(table, &QObject::destroyed, this, [this]() {
        beginResetModel();
        m_rows = 0;
        m_columns.clear();
        m_fieldOf.clear();
        endResetModel();
    });
}

void TMemTableModel::setColumns(std::vector<TMemColumn> columns) {
    beginResetModel();
    m_requested = std::move(columns);
    resolveColumns();
    endResetModel();
}

void TMemTableModel::setLocale(const QLocale& locale) {
    m_locale = locale;
    if (m_rows > 0 && !m_columns.empty()) {
        emit dataChanged(index(0, 0), index(m_rows - 1, int(m_columns.size()) - 1));
    }
}

void TMemTableModel::resolveColumns() {
    m_columns.clear();
    m_fieldOf.clear();
    if (!m_table) {
        return;
    }
    if (m_requested.empty()) {
        for (const TMemField& f : m_table->fields()) {
            m_columns.push_back({f.name, f.name, {}, 2});
            m_fieldOf.push_back(m_table->fieldIndex(f.name));
        }
        return;
    }
    // Columns of fields the table does not have are left out.
    for (TMemColumn c : m_requested) {
        const int f = m_table->fieldIndex(c.field);
        if (f < 0) {
            continue;
        }
        if (c.title.isEmpty()) {
            c.title = m_table->fields()[f].name;
        }
        m_columns.push_back(c);
        m_fieldOf.push_back(f);
    }
}

int TMemTableModel::fieldOfColumn(int column) const {
    return (column >= 0 && column < int(m_fieldOf.size())) ? m_fieldOf[column] : -1;
}

int TMemTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows;
}

int TMemTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_columns.size());
}

QString TMemTableModel::displayText(const Value& v, const TMemField& field, int decimals) const {
    switch (field.type) {
    case FieldType::Text:
        return v.toString();
    case FieldType::Integer:
        return v.isNull() ? QString() : m_locale.toString(qlonglong(v.toInt()));
    case FieldType::Amount:
        return v.toCurrency().format(decimals, m_locale);
    case FieldType::Float:
        return v.isNull() ? QString() : m_locale.toString(v.toDouble(), 'f', decimals);
    case FieldType::Date: {
        const double d = v.toDate();
        return d == 0.0 ? QString() : m_locale.toString(daydate::toDate(d), QLocale::ShortFormat);
    }
    case FieldType::Boolean:
        return v.toBool() ? QStringLiteral("Ano") : QStringLiteral("Ne");
    }
    return {};
}

namespace {
QVariant rawValue(const Value& v) {
    return std::visit(
        [](const auto& x) -> QVariant {
            using T = std::decay_t<decltype(x)>;
            if constexpr (std::is_same_v<T, std::monostate>) {
                return {};
            } else if constexpr (std::is_same_v<T, QString>) {
                return x;
            } else if constexpr (std::is_same_v<T, std::int64_t>) {
                return QVariant::fromValue(qlonglong(x));
            } else if constexpr (std::is_same_v<T, Currency>) {
                // Exact decimal text: a double would lose cents of large amounts.
                return x.toPlainString();
            } else if constexpr (std::is_same_v<T, host::DateValue>) {
                return x.days;
            } else {
                return x; // bool, double
            }
        },
        v.storage());
}
} // namespace

QVariant TMemTableModel::data(const QModelIndex& index, int role) const {
    if (!m_table || !index.isValid() || index.row() >= m_rows ||
        index.column() >= int(m_columns.size())) {
        return {};
    }
    // While the table's updates are suspended its view may be shorter than
    // the rows the model still shows.
    const RecId id = m_table->idAtRow(index.row());
    const int f = m_fieldOf[index.column()];
    if (f >= m_table->fieldCount()) {
        return {}; // the table's fields were replaced while its updates were suspended
    }
    const TMemField& field = m_table->fields()[f];
    const TMemColumn& column = m_columns[index.column()];
    switch (role) {
    case Qt::DisplayRole:
        return id == NoRecord ? QString()
                              : displayText(m_table->valueAt(id, f), field, column.decimals);
    case Qt::EditRole:
        return id == NoRecord ? QVariant() : rawValue(m_table->valueAt(id, f));
    case Qt::TextAlignmentRole: {
        if (column.alignment) {
            return QVariant::fromValue(column.alignment);
        }
        const bool number = field.type == FieldType::Integer || field.type == FieldType::Amount ||
                            field.type == FieldType::Float;
        return QVariant::fromValue(Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft));
    }
    default:
        return {};
    }
}

QVariant TMemTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (orientation == Qt::Horizontal) {
        return (section >= 0 && section < int(m_columns.size()))
                   ? QVariant(m_columns[section].title)
                   : QVariant();
    }
    return section + 1;
}

void TMemTableModel::sort(int column, Qt::SortOrder order) {
    const int f = fieldOfColumn(column);
    if (m_table && f >= 0) {
        m_table->sortBy(m_table->fields()[f].name, order == Qt::DescendingOrder);
    }
}

int TMemTableModel::currentRow() const {
    return m_table ? m_table->recNo() - 1 : -1;
}

} // namespace arvelo::ui
