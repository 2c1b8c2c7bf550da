#pragma once

#include "app/locale_format.h"
#include "host/table_def.h"
#include "host/variant.h"

#include <QString>
#include <QTemporaryDir>
#include <initializer_list>
#include <utility>

namespace arvelo::test {

// Czech formats: decimal comma, "dd.MM.yyyy".
app::SystemFormats czech();
// English (US) formats: decimal point.
app::SystemFormats english();

// A QApplication for widget tests (offscreen), created once.
void ensureApplication();

QByteArray readAll(const QString& path);
void writeText(const QString& path, const QByteArray& bytes);

using Keys = std::initializer_list<std::pair<const char*, const char*>>;

// A host data root with agendas and years, in a temporary folder.
class HostData {
public:
    HostData();
    QString root() const { return m_dir.path() + u'/'; }
    // Creates root/AGENDA.<agenda>/ROK.<year>/ROK.INI with [Global] keys.
    QString addYear(const QString& agenda, const QString& year, Keys global);
    // root/AGENDA.<agenda>/AGENDA.INI with [Údaje o firmě] keys.
    void setAgenda(const QString& agenda, Keys firm);
    QString agenda(const QString& agenda) const { return root() + "AGENDA." + agenda + u'/'; }

private:
    QTemporaryDir m_dir;
};

// An ini file's text from sections and keys, UTF-8.
QByteArray iniText(const char* section, Keys keys);

// The layout of a host settings table (ROK.DAT, AGENDA.DAT).
host::TableDef settingsTable();
// Creates base + ".DAT" as a settings table holding the given values.
void makeSettingsTable(const QString& base);
void addSetting(const QString& base, const QString& section, const QString& key,
                const host::Variant& value);

} // namespace arvelo::test
