#include "rights_fixture.h"

#include "host/host_schema.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace arvelo::rights::test {

using host::FieldDef;
using host::FieldType;
using host::TableDef;

// The rights tables as the host keeps them: straight from the catalogue, so
// the tests read exactly what the demo agenda and imports create.
namespace {
TableDef catalogued(const char* name) {
    const TableDef* def = host::schema::find(QString::fromLatin1(name));
    if (!def) {
        throw std::logic_error(std::string("the host schema has no table ") + name);
    }
    return *def;
}
} // namespace

TableDef pristupDef() {
    return catalogued("PRISTUP");
}

TableDef pristup2Def() {
    return catalogued("PRISTUP2");
}

TableDef prisuzivDef() {
    return catalogued("PRISUZIV");
}

TableDef prispolDef() {
    return catalogued("PRISPOL");
}

void dropIndex(TableDef& def, const QString& indexName) {
    std::erase_if(def.indexes, [&](const host::IndexDef& i) {
        return i.name.compare(indexName, Qt::CaseInsensitive) == 0;
    });
}

Row allLevels(const host::TableDef& def, const QString& value) {
    Row row;
    for (const FieldDef& f : def.fields) {
        if (f.type == FieldType::Text && f.size == 1) {
            row[f.name] = value;
        }
    }
    return row;
}

void createTable(const QString& folder, const host::TableDef& def, const std::vector<Row>& rows) {
    const QString path = folder + def.name;
    QString error;
    ASSERT_EQ(host::CreateTable(path, def, true, &error), host::result::Ok) << error.toStdString();
    auto table = host::TBFTable::create();
    const host::OpenTable close(*table);
    ASSERT_EQ(table->Open(path), host::result::Ok);
    for (const Row& row : rows) {
        ASSERT_EQ(table->Append(), host::result::Ok);
        for (const auto& [field, value] : row) {
            ASSERT_EQ(table->SetValue(field, value), host::result::Ok) << field.toStdString();
        }
        ASSERT_EQ(table->Post(), host::result::Ok) << table->LastError().toStdString();
    }
}

bool ScriptedPrompts::Spustit(QDialog& okno) {
    calls.push_back({"window", okno.objectName()});
    if (steps.empty()) {
        return false;
    }
    Step step = std::move(steps.front());
    steps.erase(steps.begin());
    okno.setResult(QDialog::Rejected);
    step(okno);
    return okno.result() == QDialog::Accepted;
}

std::vector<Call> ScriptedPrompts::boxes() const {
    std::vector<Call> out;
    for (const Call& c : calls) {
        if (c.kind == "error" || c.kind == "warning" || c.kind == "information") {
            out.push_back(c);
        }
    }
    return out;
}

QString ScriptedLists::UpravitSeznam(const QString& seznam, int druh) {
    editRequests.emplace_back(seznam, druh);
    return editedLists.isEmpty() ? seznam : editedLists.takeFirst();
}

QString ScriptedLists::VybratZeSeznamu(int druh, const QString&) {
    pickRequests.push_back(druh);
    return pickedCodes.isEmpty() ? QString() : pickedCodes.takeFirst();
}

} // namespace arvelo::rights::test
