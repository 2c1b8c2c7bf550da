#include "host/table_def.h"

#include "host/host_collation.h"
#include "host/host_paths.h"
#include "host/host_table.h"
#include "host/sql_text.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

namespace arvelo::host {

namespace {

QString columnSql(const FieldDef& f) {
    const QString name = quoteIdent(f.name);
    switch (f.type) {
    case FieldType::Text:
        return name + QStringLiteral(" TEXT COLLATE %1 NOT NULL DEFAULT ''")
                          .arg(QLatin1String(HostCollationName));
    case FieldType::Float:
    case FieldType::Date:
        return name + u' ' + fieldTypeName(f.type) + QStringLiteral(" NOT NULL DEFAULT 0.0");
    default:
        return name + u' ' + fieldTypeName(f.type) + QStringLiteral(" NOT NULL DEFAULT 0");
    }
}

} // namespace

const FieldDef* TableDef::field(const QString& fieldName) const {
    for (const FieldDef& f : fields) {
        if (f.name.compare(fieldName, Qt::CaseInsensitive) == 0) {
            return &f;
        }
    }
    return nullptr;
}

QString fieldTypeName(FieldType type) {
    switch (type) {
    case FieldType::Text:
        return QStringLiteral("TEXT");
    case FieldType::Integer:
        return QStringLiteral("INTEGER");
    case FieldType::Amount:
        return QStringLiteral("AMOUNT");
    case FieldType::Date:
        return QStringLiteral("DATE");
    case FieldType::Boolean:
        return QStringLiteral("BOOLEAN");
    case FieldType::Float:
        return QStringLiteral("FLOAT");
    }
    return QStringLiteral("TEXT");
}

bool parseFieldType(const QString& name, FieldType* type) {
    static const FieldType all[] = {FieldType::Text, FieldType::Integer, FieldType::Amount,
                                    FieldType::Date, FieldType::Boolean, FieldType::Float};
    for (FieldType t : all) {
        if (fieldTypeName(t).compare(name.trimmed(), Qt::CaseInsensitive) == 0) {
            *type = t;
            return true;
        }
    }
    return false;
}

namespace {
QStringList createTableSql(const TableDef& def) {
    QStringList columns;
    for (const FieldDef& f : def.fields) {
        columns << columnSql(f);
    }
    QStringList sql;
    sql << QStringLiteral("CREATE TABLE %1 (%2)").arg(quoteIdent(def.name), columns.join(u','));
    for (const IndexDef& idx : def.indexes) {
        QStringList cols;
        for (const QString& f : idx.fields) {
            cols << quoteIdent(f);
        }
        sql << QStringLiteral("CREATE INDEX %1 ON %2 (%3)")
                   .arg(quoteIdent(idx.name), quoteIdent(def.name), cols.join(u','));
    }
    return sql;
}
} // namespace

int CreateTable(const QString& path, const TableDef& def, bool replace, QString* error) {
    auto failWith = [error](int code, const QString& text) {
        if (error) {
            *error = text;
        }
        return code;
    };
    if (def.fields.empty()) {
        return failWith(result::Invalid, QStringLiteral("Tabulka %1 nemá pole").arg(def.name));
    }
    for (const IndexDef& idx : def.indexes) {
        for (const QString& f : idx.fields) {
            if (!def.field(f)) {
                return failWith(result::Invalid,
                                QStringLiteral("Index %1 tabulky %2 uvádí neznámé pole %3")
                                    .arg(idx.name, def.name, f));
            }
        }
    }
    const QString file = paths::resolve(path + QStringLiteral(".DAT"));
    if (QFileInfo::exists(file) && !replace) {
        return failWith(result::Failed, QStringLiteral("Soubor %1 již existuje").arg(file));
    }
    const QFileInfo info(file);
    if (!QDir().mkpath(info.absolutePath())) {
        return failWith(result::Failed,
                        QStringLiteral("Nelze vytvořit adresář %1").arg(info.absolutePath()));
    }
    // Built beside the target and renamed over it, so that no half-made table is ever seen.
    const QString temp =
        info.absolutePath() +
        QStringLiteral("/.%1.%2.tmp").arg(info.fileName()).arg(QCoreApplication::applicationPid());
    QFile::remove(temp);
    sqlite3* db = nullptr;
    const QByteArray tempName = temp.toUtf8();
    int rc = sqlite3_open_v2(tempName.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                             nullptr);
    QString message;
    if (rc == SQLITE_OK) {
        registerHostCollation(db);
        rc = sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        for (const QString& statement : createTableSql(def)) {
            if (rc != SQLITE_OK) {
                break;
            }
            rc = sqlite3_exec(db, statement.toUtf8().constData(), nullptr, nullptr, nullptr);
        }
        if (rc == SQLITE_OK) {
            rc = sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        }
        if (rc != SQLITE_OK) {
            message = QString::fromUtf8(sqlite3_errmsg(db));
        }
    } else {
        message = QString::fromUtf8(sqlite3_errstr(rc));
    }
    sqlite3_close_v2(db);
    if (rc != SQLITE_OK) {
        QFile::remove(temp);
        return failWith(result::Failed,
                        QStringLiteral("Nelze vytvořit tabulku %1: %2").arg(file, message));
    }
    if (QFileInfo::exists(file) && !QFile::remove(file)) {
        QFile::remove(temp);
        return failWith(result::Failed, QStringLiteral("Soubor %1 nelze nahradit").arg(file));
    }
    if (!QFile::rename(temp, file)) {
        QFile::remove(temp);
        return failWith(result::Failed, QStringLiteral("Soubor %1 nelze zapsat").arg(file));
    }
    return result::Ok;
}

} // namespace arvelo::host
