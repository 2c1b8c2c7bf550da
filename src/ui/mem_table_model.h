#pragma once

#include "ui/mem_table.h"

#include <QAbstractTableModel>
#include <QLocale>
#include <QPointer>
#include <vector>

namespace arvelo::ui {

// One column of a grid over an in-memory table.
struct TMemColumn {
    QString field;
    QString title = {};           // the field's name when empty
    Qt::Alignment alignment = {}; // none: numbers right, the rest left
    int decimals = 2;             // currency and float
};

// A Qt item model over the view of a TMemTable (filtered, sorted, linked):
// one row per visible record, one column per field or per chosen column.
// Display texts: currency "# ### ### ##0.00", dates in the short date format,
// booleans "Ano"/"Ne"; EditRole gives the raw value. It follows the table's
// signals; while the table's display updates are suspended the model keeps
// its row count and shows what the rows hold, and resuming resets it.
class TMemTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TMemTableModel(TMemTable* table, QObject* parent = nullptr);

    // An empty list shows every field under its own name.
    void setColumns(std::vector<TMemColumn> columns);
    const std::vector<TMemColumn>& columns() const { return m_columns; }
    void setLocale(const QLocale& locale);

    TMemTable* table() const { return m_table.data(); }
    int fieldOfColumn(int column) const;
    // The display text of a value of a field, as the grid shows it.
    QString displayText(const Value& v, const TMemField& field, int decimals) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    // Clicking a column title: sorts the table by the column's field; the
    // current record stays current.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
    // The row of the table's current record, -1 when none.
    int currentRow() const;

signals:
    // The table's cursor moved; a grid follows it with its current index.
    void currentRowChanged(int row);

private:
    void resolveColumns();

    QPointer<TMemTable> m_table;
    std::vector<TMemColumn> m_requested;
    std::vector<TMemColumn> m_columns;
    std::vector<int> m_fieldOf;
    QLocale m_locale;
    int m_rows = 0;
    bool m_resetting = false;
};

} // namespace arvelo::ui
