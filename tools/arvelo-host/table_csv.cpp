#include "arvelo-host/table_csv.h"

#include "host/currency.h"
#include "host/day_date.h"
#include "host/host_paths.h"
#include "host/host_schema.h"
#include "host/host_table.h"

#include <QFile>
#include <QFileInfo>
#include <cmath>
#include <memory>

namespace arvelo::hosttool {

using host::FieldType;
using host::Variant;

namespace {

constexpr qint64 MsecsPerDay = 86400000;

QString formatDate(double days) {
    if (days == 0.0) {
        return QString();
    }
    const QDate date = daydate::toDate(days);
    // The time of day is the fraction's size on either side of the epoch.
    const qint64 msecs = std::llround(std::abs(days - std::trunc(days)) * double(MsecsPerDay));
    if (msecs == 0) {
        return date.toString(Qt::ISODate);
    }
    const QTime time = QTime::fromMSecsSinceStartOfDay(int(std::min(msecs, MsecsPerDay - 1)));
    return date.toString(Qt::ISODate) + u'T' +
           time.toString(time.msec() == 0 ? QStringLiteral("HH:mm:ss")
                                          : QStringLiteral("HH:mm:ss.zzz"));
}

std::optional<double> parseDate(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty() || t == u"0") {
        return 0.0;
    }
    QString datePart = t;
    QString timePart;
    if (const qsizetype sep = t.indexOf(u'T'); sep >= 0) {
        datePart = t.left(sep);
        timePart = t.mid(sep + 1);
    }
    QDate date = QDate::fromString(datePart, Qt::ISODate);
    if (!date.isValid()) {
        date = QDate::fromString(datePart, QStringLiteral("d.M.yyyy"));
    }
    if (!date.isValid()) {
        return std::nullopt;
    }
    qint64 msecs = 0;
    if (!timePart.isEmpty()) {
        QTime time = QTime::fromString(timePart, QStringLiteral("HH:mm:ss.zzz"));
        if (!time.isValid()) {
            time = QTime::fromString(timePart, QStringLiteral("HH:mm:ss"));
        }
        if (!time.isValid()) {
            return std::nullopt;
        }
        msecs = time.msecsSinceStartOfDay();
    }
    const double day = daydate::fromDate(date);
    const double fraction = double(msecs) / double(MsecsPerDay);
    return day < 0 ? day - fraction : day + fraction;
}

std::optional<bool> parseBool(const QString& text) {
    const QString t = text.trimmed().toLower();
    if (t.isEmpty() || t == u"0" || t == u"false" || t == u"ne" || t == u"n" || t == u"no") {
        return false;
    }
    if (t == u"1" || t == u"true" || t == u"ano" || t == u"y" || t == u"yes" || t == u"-1") {
        return true;
    }
    return std::nullopt;
}

QString typeText(FieldType type) {
    switch (type) {
    case FieldType::Text:
        return QStringLiteral("text");
    case FieldType::Integer:
        return QStringLiteral("celé číslo");
    case FieldType::Amount:
        return QStringLiteral("částka");
    case FieldType::Date:
        return QStringLiteral("datum");
    case FieldType::Boolean:
        return QStringLiteral("logická hodnota");
    case FieldType::Float:
        return QStringLiteral("číslo");
    }
    return QString();
}

QString quoteCell(const QString& cell) {
    const bool needs = cell.contains(u',') || cell.contains(u'"') || cell.contains(u'\n') ||
                       cell.contains(u'\r') || cell.startsWith(u' ') || cell.endsWith(u' ');
    if (!needs) {
        return cell;
    }
    QString q = cell;
    q.replace(u'"', QStringLiteral("\"\""));
    return u'"' + q + u'"';
}

bool writeRow(QIODevice& out, const QStringList& cells) {
    QString line;
    for (qsizetype i = 0; i < cells.size(); ++i) {
        if (i > 0) {
            line += u',';
        }
        line += quoteCell(cells[i]);
    }
    line += QStringLiteral("\r\n");
    const QByteArray bytes = line.toUtf8();
    return out.write(bytes) == bytes.size();
}

} // namespace

QString formatValue(FieldType type, const Variant& value) {
    switch (type) {
    case FieldType::Text:
        return value.toString();
    case FieldType::Integer:
        return QString::number(value.toInt());
    case FieldType::Amount:
        return value.toCurrency().toPlainString();
    case FieldType::Date:
        return formatDate(value.toDate());
    case FieldType::Boolean:
        return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    case FieldType::Float:
        return QString::number(value.toDouble(), 'g', 17);
    }
    return value.toString();
}

std::optional<Variant> parseValue(FieldType type, const QString& text) {
    const QString t = text.trimmed();
    switch (type) {
    case FieldType::Text:
        return Variant(text);
    case FieldType::Integer: {
        if (t.isEmpty()) {
            return Variant(std::int64_t(0));
        }
        bool ok = false;
        const qlonglong v = t.toLongLong(&ok);
        return ok ? std::optional<Variant>(Variant(std::int64_t(v))) : std::nullopt;
    }
    case FieldType::Amount: {
        if (t.isEmpty()) {
            return Variant(Currency());
        }
        const std::optional<Currency> c = Currency::parse(t);
        return c ? std::optional<Variant>(Variant(*c)) : std::nullopt;
    }
    case FieldType::Date: {
        const std::optional<double> d = parseDate(t);
        return d ? std::optional<Variant>(Variant::date(*d)) : std::nullopt;
    }
    case FieldType::Boolean: {
        const std::optional<bool> b = parseBool(t);
        return b ? std::optional<Variant>(Variant(*b)) : std::nullopt;
    }
    case FieldType::Float: {
        if (t.isEmpty()) {
            return Variant(0.0);
        }
        bool ok = false;
        const double v = t.toDouble(&ok);
        return ok && std::isfinite(v) ? std::optional<Variant>(Variant(v)) : std::nullopt;
    }
    }
    return std::nullopt;
}

bool CsvReader::next(QStringList* cells, long long* line, QString* error) {
    cells->clear();
    QByteArray raw = m_in.readLine();
    if (raw.isEmpty()) {
        return false;
    }
    ++m_line;
    if (!m_started) {
        m_started = true;
        if (raw.startsWith("\xEF\xBB\xBF")) {
            raw.remove(0, 3);
        }
    }
    *line = m_line;
    QString text = QString::fromUtf8(raw);
    QString cell;
    bool quoted = false;    // inside a quoted cell
    bool wasQuoted = false; // the current cell began with a quote
    qsizetype i = 0;
    for (;;) {
        if (i >= text.size()) {
            if (!quoted) {
                break;
            }
            // A quoted cell goes on over the line break.
            raw = m_in.readLine();
            if (raw.isEmpty()) {
                *error = QStringLiteral("Řádek %1: uvozovky nejsou uzavřeny").arg(*line);
                return false;
            }
            ++m_line;
            text = QString::fromUtf8(raw);
            i = 0;
            continue;
        }
        const QChar c = text.at(i);
        if (quoted) {
            if (c == u'"') {
                if (i + 1 < text.size() && text.at(i + 1) == u'"') {
                    cell += u'"';
                    i += 2;
                    continue;
                }
                quoted = false;
            } else {
                cell += c;
            }
            ++i;
            continue;
        }
        if (c == u'"' && cell.isEmpty() && !wasQuoted) {
            quoted = true;
            wasQuoted = true;
        } else if (c == u',') {
            *cells << cell;
            cell.clear();
            wasQuoted = false;
        } else if (c == u'\r' || c == u'\n') {
            // the record's end
        } else {
            cell += c;
        }
        ++i;
    }
    *cells << cell;
    return true;
}

bool dumpTable(const QString& tablePath, const QString& indexName, QIODevice& out, QString* error) {
    const std::unique_ptr<host::TBFTable> table = host::TBFTable::create();
    const host::OpenTable closer(*table);
    if (table->Open(tablePath) != host::result::Ok) {
        *error = table->LastError();
        return false;
    }
    if (!indexName.isEmpty() && table->SetIndex(indexName) != host::result::Ok) {
        *error = table->LastError();
        return false;
    }
    const std::vector<host::FieldDef>& fields = table->Fields();
    QStringList cells;
    for (const host::FieldDef& f : fields) {
        cells << f.name;
    }
    if (!writeRow(out, cells)) {
        *error = QStringLiteral("Výstup nelze zapsat");
        return false;
    }
    if (table->RecordCount() <= 0) {
        return true;
    }
    for (int rc = table->First(); rc == host::result::Ok; rc = table->Next()) {
        cells.clear();
        for (std::size_t i = 0; i < fields.size(); ++i) {
            cells << formatValue(fields[i].type, table->Value(int(i)));
        }
        if (!writeRow(out, cells)) {
            *error = QStringLiteral("Výstup nelze zapsat");
            return false;
        }
    }
    return true;
}

bool importCsv(const QString& tablePath, QIODevice& csv, ImportResult* result, QString* error) {
    *result = ImportResult{};
    const QString name = QFileInfo(host::paths::normalize(tablePath)).fileName();
    const host::TableDef* def = host::schema::find(name);
    const QString file = host::paths::resolve(tablePath + QStringLiteral(".DAT"));
    if (!QFileInfo::exists(file)) {
        if (!def) {
            *error =
                QStringLiteral("Soubor %1 neexistuje a tabulka %2 není v katalogu").arg(file, name);
            return false;
        }
        // A new file gets the host's spelling of the table name. Its folder must
        // exist: a mistyped path should not leave new folders behind.
        const QString folder =
            host::paths::resolve(QFileInfo(host::paths::normalize(tablePath)).path());
        if (!QFileInfo(folder).isDir()) {
            *error = QStringLiteral("Adresář %1 neexistuje").arg(folder);
            return false;
        }
        QString message;
        if (host::CreateTable(folder + u'/' + def->name, *def, false, &message) !=
            host::result::Ok) {
            *error = message;
            return false;
        }
        result->created = true;
    }
    const std::unique_ptr<host::TBFTable> table = host::TBFTable::create();
    // A table made for this import disappears again when the import fails.
    auto failWith = [&](const QString& message) {
        *error = message;
        table->Close(); // also undoes the rows written so far
        if (result->created) {
            QFile::remove(host::paths::resolve(tablePath + QStringLiteral(".DAT")));
        }
        result->rows = 0;
        return false;
    };

    {
        const host::OpenTable closer(*table);
        if (table->Open(tablePath) != host::result::Ok) {
            return failWith(table->LastError());
        }
        CsvReader reader(csv);
        QStringList cells;
        long long line = 0;
        QString message;
        if (!reader.next(&cells, &line, &message)) {
            return failWith(message.isEmpty()
                                ? QStringLiteral("Soubor CSV je prázdný, chybí řádek se jmény polí")
                                : message);
        }
        // The header: every name a field of the table, none twice.
        struct Column {
            int field;
            host::FieldType type;
            int size; // characters a text may have; 0 = not limited
            QString name;
        };
        std::vector<Column> columns;
        for (const QString& cell : cells) {
            const QString fieldName = cell.trimmed();
            const int index = table->FieldIndex(fieldName);
            if (index < 0) {
                return failWith(QStringLiteral("Řádek %1: tabulka %2 nemá pole „%3“")
                                    .arg(line)
                                    .arg(name, fieldName));
            }
            for (const Column& c : columns) {
                if (c.field == index) {
                    return failWith(QStringLiteral("Řádek %1: pole „%2“ je v záhlaví dvakrát")
                                        .arg(line)
                                        .arg(fieldName));
                }
            }
            const host::FieldDef& field = table->Fields()[std::size_t(index)];
            const host::FieldDef* known = def ? def->field(field.name) : nullptr;
            columns.push_back(Column{index, field.type, known ? known->size : 0, field.name});
        }
        if (table->BeginUpdate() != host::result::Ok) {
            return failWith(table->LastError());
        }
        while (reader.next(&cells, &line, &message)) {
            if (cells.size() == 1 && cells.front().isEmpty() && columns.size() > 1) {
                continue; // an empty line
            }
            if (cells.size() != qsizetype(columns.size())) {
                table->RollbackUpdate();
                return failWith(QStringLiteral("Řádek %1: %2 hodnot, záhlaví jich uvádí %3")
                                    .arg(line)
                                    .arg(cells.size())
                                    .arg(columns.size()));
            }
            table->Append();
            for (std::size_t i = 0; i < columns.size(); ++i) {
                const Column& c = columns[i];
                const QString& cell = cells[qsizetype(i)];
                const std::optional<Variant> value = parseValue(c.type, cell);
                if (!value) {
                    table->RollbackUpdate();
                    return failWith(QStringLiteral("Řádek %1, pole %2: „%3“ není %4")
                                        .arg(line)
                                        .arg(c.name, cell, typeText(c.type)));
                }
                if (c.type == FieldType::Text && c.size > 0 && cell.size() > c.size) {
                    table->RollbackUpdate();
                    return failWith(QStringLiteral("Řádek %1, pole %2: text je delší než %3 znaků")
                                        .arg(line)
                                        .arg(c.name)
                                        .arg(c.size));
                }
                table->SetValue(c.name, *value);
            }
            if (table->Post() != host::result::Ok) {
                const QString why = table->LastError();
                table->RollbackUpdate();
                return failWith(QStringLiteral("Řádek %1: %2").arg(line).arg(why));
            }
            ++result->rows;
        }
        if (!message.isEmpty()) {
            table->RollbackUpdate();
            return failWith(message);
        }
        if (table->CommitUpdate() != host::result::Ok) {
            const QString why = table->LastError();
            table->RollbackUpdate();
            return failWith(why);
        }
    }
    return true;
}

} // namespace arvelo::hosttool
