#include "test_support.h"

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

void ensureApplication() {
    static int argc = 1;
    static char name[] = "test_app";
    static char* argv[] = {name, nullptr};
    static std::unique_ptr<QApplication> app;
    if (!QCoreApplication::instance()) {
        app = std::make_unique<QApplication>(argc, argv);
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

} // namespace arvelo::test
