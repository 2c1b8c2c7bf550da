#pragma once

#include "report/model/bridge.h"
#include "ui/mem_table.h"

#include <QHash>
#include <QLocale>

namespace arvelo::output {

// A report reads one of the program's in-memory tables (mtSestava, mtSkupiny,
// ...) through this adapter: the engine sees the table's view (filter, sort
// and master link in force) with the host's field kinds. Amounts show as
// "# ### ### ##0.00", dates in the short date format.
class TMemTableBridge final : public report::TBridge {
public:
    explicit TMemTableBridge(ui::TMemTable& table, const QLocale& locale = QLocale());

    // Captions of fields as the report's field list shows them; a field
    // without one is labelled with its name.
    void SetLabel(const QString& field, const QString& label);

    bool Active() const override { return m_active; }
    bool Open() override;
    void Close() override { m_active = false; }

    QStringList FieldNames() const override;
    QStringList FieldLabels() const override;

    report::TStepResult First() override;
    report::TStepResult Prior() override;
    report::TStepResult Next() override;
    report::TStepResult Last() override;

    void DisableControls() override { m_table.disableControls(); }
    void EnableControls() override { m_table.enableControls(); }

    TBookmark Bookmark() const override;
    void GotoBookmark(const TBookmark& bookmark) override;

    int DataType(int field) const override;
    int Alignment(int field) const override;
    int DisplayWidth(int field) const override;
    bool AsBoolean(int field) const override;
    double AsFloat(int field) const override;
    QString AsString(int field) const override;
    QString DisplayText(int field) const override;
    bool IsNull(int field) const override;
    QByteArray BlobContent(int field) const override;
    QImage Picture(int field) const override;

private:
    // The current record's value; throws for a field the table does not have
    // or when there is no current record, as the engine expects.
    ui::Value hodnota(int field) const;
    const ui::TMemField& pole(int field) const;

    ui::TMemTable& m_table;
    QLocale m_locale;
    QHash<QString, QString> m_labels; // upper-cased field name -> caption
    bool m_active = false;
};

} // namespace arvelo::output
