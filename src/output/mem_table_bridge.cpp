#include "output/mem_table_bridge.h"

#include "host/day_date.h"
#include "report/expr/eval_context.h"

#include <stdexcept>

namespace arvelo::output {

namespace ft = report::fieldtype;

TMemTableBridge::TMemTableBridge(ui::TMemTable& table, const QLocale& locale)
    : m_table(table), m_locale(locale) {}

void TMemTableBridge::SetLabel(const QString& field, const QString& label) {
    m_labels.insert(field.toUpper(), label);
}

bool TMemTableBridge::Open() {
    m_active = true;
    return true;
}

QStringList TMemTableBridge::FieldNames() const {
    QStringList names;
    for (const ui::TMemField& f : m_table.fields()) {
        names << f.name;
    }
    return names;
}

QStringList TMemTableBridge::FieldLabels() const {
    QStringList labels;
    for (const ui::TMemField& f : m_table.fields()) {
        labels << m_labels.value(f.name.toUpper(), f.name);
    }
    return labels;
}

// The step results follow the engine's convention: a move reports the end it
// could not pass; an empty view is at both ends.
report::TStepResult TMemTableBridge::First() {
    m_table.first();
    return m_table.recordCount() == 0 ? (report::srBeginning | report::srEnd) : 0;
}

report::TStepResult TMemTableBridge::Prior() {
    const int before = m_table.recNo();
    m_table.prior();
    return (m_table.recordCount() == 0 || m_table.recNo() == before) ? report::srBeginning : 0;
}

report::TStepResult TMemTableBridge::Next() {
    m_table.next();
    return m_table.eof() ? report::srEnd : 0;
}

report::TStepResult TMemTableBridge::Last() {
    m_table.last();
    return m_table.recordCount() == 0 ? (report::srBeginning | report::srEnd) : 0;
}

// A bookmark carries the record and the table's emptying count, packed in one number.
report::TBridge::TBookmark TMemTableBridge::Bookmark() const {
    const ui::TBookmark mark = m_table.bookmark();
    return QVariant::fromValue((quint64(mark.generation) << 32) | mark.id);
}

void TMemTableBridge::GotoBookmark(const TBookmark& bookmark) {
    const quint64 packed = bookmark.toULongLong();
    m_table.gotoBookmark(ui::TBookmark{static_cast<ui::RecId>(packed & 0xFFFFFFFFu),
                                       static_cast<std::uint32_t>(packed >> 32)});
}

const ui::TMemField& TMemTableBridge::pole(int field) const {
    if (field < 0 || field >= m_table.fieldCount()) {
        throw std::out_of_range("the table has no such field");
    }
    return m_table.fields()[std::size_t(field)];
}

ui::Value TMemTableBridge::hodnota(int field) const {
    pole(field);
    if (m_table.recordCount() == 0) {
        throw std::runtime_error("no current record");
    }
    return m_table.value(field);
}

int TMemTableBridge::DataType(int field) const {
    const ui::TMemField& f = pole(field);
    switch (f.type) {
    case host::FieldType::Text:
        return ft::String;
    case host::FieldType::Integer:
        return f.autoIncrement ? ft::AutoInc : ft::Integer;
    case host::FieldType::Amount:
        return ft::Currency;
    case host::FieldType::Date:
        return ft::DateTime;
    case host::FieldType::Boolean:
        return ft::Boolean;
    case host::FieldType::Float:
        return ft::Float;
    }
    return ft::Unknown;
}

int TMemTableBridge::Alignment(int field) const {
    switch (pole(field).type) {
    case host::FieldType::Integer:
    case host::FieldType::Amount:
    case host::FieldType::Float:
        return 1;
    default:
        return 0;
    }
}

int TMemTableBridge::DisplayWidth(int field) const {
    const ui::TMemField& f = pole(field);
    switch (f.type) {
    case host::FieldType::Text:
        return f.size > 0 ? f.size : 20;
    case host::FieldType::Amount:
        return 18; // "-999 999 999 999,99"
    case host::FieldType::Date:
        return 10;
    case host::FieldType::Boolean:
        return 5;
    default:
        return 12;
    }
}

bool TMemTableBridge::AsBoolean(int field) const {
    return hodnota(field).toBool();
}

double TMemTableBridge::AsFloat(int field) const {
    return hodnota(field).toDouble();
}

QString TMemTableBridge::AsString(int field) const {
    const ui::Value v = hodnota(field);
    switch (pole(field).type) {
    case host::FieldType::Amount:
        return v.isNull() ? QString() : v.toCurrency().format(2, m_locale).remove(u' ');
    case host::FieldType::Date:
        return v.isNull() ? QString()
                          : m_locale.toString(daydate::toDate(v.toDate()), QLocale::ShortFormat);
    default:
        return v.toString();
    }
}

QString TMemTableBridge::DisplayText(int field) const {
    const ui::Value v = hodnota(field);
    switch (pole(field).type) {
    case host::FieldType::Amount:
        return v.isNull() ? QString() : v.toCurrency().format(2, m_locale);
    case host::FieldType::Boolean:
        return v.toBool() ? QStringLiteral("Ano") : QStringLiteral("Ne");
    default:
        return AsString(field);
    }
}

bool TMemTableBridge::IsNull(int field) const {
    return hodnota(field).isNull();
}

// The program's tables hold no blobs or pictures.
QByteArray TMemTableBridge::BlobContent(int field) const {
    pole(field);
    return {};
}

QImage TMemTableBridge::Picture(int field) const {
    pole(field);
    return {};
}

} // namespace arvelo::output
