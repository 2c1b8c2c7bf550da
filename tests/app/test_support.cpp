#include "test_support.h"

#include "host/host_table.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <memory>

namespace arvelo::test {

app::SystemFormats czech() {
    return app::SystemFormats(QLocale(QLocale::Czech, QLocale::Czechia));
}

app::SystemFormats english() {
    return app::SystemFormats(QLocale(QLocale::English, QLocale::UnitedStates));
}

namespace {
// The widget tests' QApplication lives from the first test that needs it to
// the end of the test run; it must be gone before the process exits, while Qt
// is still whole.
class ApplicationEnvironment : public ::testing::Environment {
public:
    void TearDown() override { s_app.reset(); }
    static inline std::unique_ptr<QApplication> s_app;
};
[[maybe_unused]] const auto* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment);
} // namespace

void ensureApplication() {
    static int argc = 1;
    static char name[] = "test_app";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) {
        ApplicationEnvironment::s_app = std::make_unique<QApplication>(argc, argv);
    }
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        return {};
    }
    return f.readAll();
}

void writeText(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    f.write(bytes);
}

QByteArray iniText(const char* section, Keys keys) {
    QByteArray text = QByteArray("[") + section + "]\r\n";
    for (const auto& [k, v] : keys) {
        text += QByteArray(k) + '=' + v + "\r\n";
    }
    return text;
}

HostData::HostData() {
    EXPECT_TRUE(m_dir.isValid());
}

QString HostData::addYear(const QString& agendaName, const QString& year, Keys global) {
    const QString folder = agenda(agendaName) + "ROK." + year + u'/';
    QDir().mkpath(folder);
    writeText(folder + "ROK.INI", iniText("Global", global));
    return folder;
}

void HostData::setAgenda(const QString& agendaName, Keys firm) {
    QDir().mkpath(agenda(agendaName));
    writeText(agenda(agendaName) + "AGENDA.INI", iniText("Údaje o firmě", firm));
}

host::TableDef settingsTable() {
    host::TableDef def;
    def.name = "ROK";
    def.fields = {{"Section1", host::FieldType::Text, 60},
                  {"Variable", host::FieldType::Text, 60},
                  {"TypeVar", host::FieldType::Text, 10},
                  {"Value", host::FieldType::Text, 255}};
    def.indexes = {{"Section1+Variable", {"Section1", "Variable"}}};
    return def;
}

void makeSettingsTable(const QString& base) {
    QString error;
    ASSERT_EQ(host::CreateTable(base, settingsTable(), true, &error), host::result::Ok)
        << error.toStdString();
}

void addSetting(const QString& base, const QString& section, const QString& key,
                const host::Variant& value) {
    auto t = host::TBFTable::create();
    ASSERT_EQ(t->Open(base), host::result::Ok);
    host::OpenTable guard(*t);
    ASSERT_EQ(t->Append(), host::result::Ok);
    t->SetValue("Section1", section);
    t->SetValue("Variable", key);
    t->SetValue("TypeVar", QString("S"));
    t->SetValue("Value", value);
    ASSERT_EQ(t->Post(), host::result::Ok);
}

} // namespace arvelo::test
