#pragma once

#include "host/variant.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace arvelo::host {

struct FieldDef {
    QString name;
    FieldType type = FieldType::Text;
    int size = 0; // characters of a text field; informative for the others
};

struct IndexDef {
    QString name;       // the host's index name, e.g. "Cislo+Poradi"
    QStringList fields; // the fields in key order
};

// Where a host table lives.
enum class FolderLevel { DataRoot, Agenda, Year };

// The layout of one host table: what creating the file needs.
struct TableDef {
    QString name; // file name without extension, upper case ("UCDENIK")
    FolderLevel level = FolderLevel::Year;
    std::vector<FieldDef> fields;
    std::vector<IndexDef> indexes;

    const FieldDef* field(const QString& fieldName) const;
};

QString fieldTypeName(FieldType type);
bool parseFieldType(const QString& name, FieldType* type);

} // namespace arvelo::host
