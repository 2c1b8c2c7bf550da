#include "rights_fixture.h"

#include <gtest/gtest.h>

namespace arvelo::rights::test {

using host::FieldDef;
using host::FieldType;
using host::FolderLevel;
using host::TableDef;

namespace {

FieldDef text(const char* name, int size) {
    return {QString::fromLatin1(name), FieldType::Text, size};
}
FieldDef level(const char* name) {
    return {QString::fromLatin1(name), FieldType::Text, 1};
}
FieldDef flag(const char* name) {
    return {QString::fromLatin1(name), FieldType::Boolean, 0};
}

const char* const PristupLevels[] = {
    "VystaveneF", "SzSkladDok", "JUPDTisk",   "Elektronic", "Pristupova", "SeznamPrij",
    "SeznamNabi", "SeznamVyst", "SkPrehledo", "Verifikace", "SeznamPokl", "JUSzPkDok",
    "SeznamBank", "JUSeznamBa", "SeznamZava", "JUSeznamZa", "SeznamPohl", "JUSzPohled",
    "InterniDok", "PrijateFak", "Vysledovka", "KUhradDluz", "JUKUhradDl"};
const char* const Pristup2Levels[] = {"SeznamPPop", "SeznamVPop", "SeznamPNab", "JUInterniD",
                                      "KonfUdZas"};

} // namespace

TableDef pristupDef() {
    TableDef def;
    def.name = QStringLiteral("PRISTUP");
    def.level = FolderLevel::DataRoot;
    def.fields = {text("KonfigName", 30),
                  text("Jmeno", 40),
                  {QStringLiteral("ID"), FieldType::Integer, 0},
                  text("Poznamka", 255),
                  text("Password", 30)};
    for (const char* name : PristupLevels) {
        def.fields.push_back(level(name));
    }
    for (const char* name : {"VisPorCenu", "UzamceniDo", "ZobrAkce"}) {
        def.fields.push_back(flag(name));
    }
    def.indexes = {{QStringLiteral("Jmeno"), {QStringLiteral("Jmeno")}},
                   {QStringLiteral("Password"), {QStringLiteral("Password")}}};
    return def;
}

TableDef pristup2Def() {
    TableDef def;
    def.name = QStringLiteral("PRISTUP2");
    def.level = FolderLevel::DataRoot;
    def.fields = {text("Password", 30)};
    for (const char* name : Pristup2Levels) {
        def.fields.push_back(level(name));
    }
    return def;
}

TableDef prisuzivDef() {
    TableDef def;
    def.name = QStringLiteral("PRISUZIV");
    def.level = FolderLevel::DataRoot;
    def.fields = {text("KonfigName", 30),
                  text("Jmeno", 40),
                  {QStringLiteral("ID_Pristup"), FieldType::Integer, 0},
                  text("Poznamka", 255),
                  text("Password", 30),
                  text("UzivOS", 40),
                  {QStringLiteral("PrihlZp"), FieldType::Integer, 0},
                  flag("VisPorCenu"),
                  flag("UzamceniDo"),
                  flag("ZobrAkce")};
    def.indexes = {{QStringLiteral("Jmeno"), {QStringLiteral("Jmeno")}},
                   {QStringLiteral("Password"), {QStringLiteral("Password")}},
                   {QStringLiteral("UzivOS"), {QStringLiteral("UzivOS")}}};
    return def;
}

TableDef prispolDef() {
    TableDef def;
    def.name = QStringLiteral("PRISPOL");
    def.level = FolderLevel::DataRoot;
    def.fields = {{QStringLiteral("FL_Pristup"), FieldType::Integer, 0},
                  text("Polozka", 20),
                  text("Hodnota", 1)};
    def.indexes = {{QStringLiteral("FL_Pristup+Polozka"),
                    {QStringLiteral("FL_Pristup"), QStringLiteral("Polozka")}}};
    return def;
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
