#pragma once

#include "app/ini_file.h"
#include "host/host_table.h"

#include <memory>
#include <optional>

namespace arvelo::host {
class TBFTable;
}

namespace arvelo::app {

// The host's settings (ROK.INI, AGENDA.INI) as an ini text file or, in newer
// host data, as a host table of the same name with the extension ".DAT". When
// the table exists it wins and the text file is ignored. The program only
// reads host settings; the writes exist for completeness.
//
// In table mode every read that fails for any reason (a table that did not
// open, a missing key, a value of the wrong kind) gives the default, and every
// write that fails is ignored; the section-wide operations and UpdateFile do
// nothing there.
class TS3IniFile final : public TIniFile {
public:
    explicit TS3IniFile(const QString& fileName, const SystemFormats& formats = SystemFormats());
    ~TS3IniFile() override;

    bool IsTableMode() const { return m_table != nullptr; }
    QString TablePath() const { return m_tablePath; }

    QString ReadString(const QString& section, const QString& key, const QString& def) override;
    int ReadInteger(const QString& section, const QString& key, int def) override;
    bool ReadBool(const QString& section, const QString& key, bool def) override;
    double ReadFloat(const QString& section, const QString& key, double def) override;
    QDate ReadDate(const QString& section, const QString& key, const QDate& def) override;
    QDateTime ReadDateTime(const QString& section, const QString& key,
                           const QDateTime& def) override;
    QTime ReadTime(const QString& section, const QString& key, const QTime& def) override;

    bool WriteString(const QString& section, const QString& key, const QString& value) override;
    bool WriteInteger(const QString& section, const QString& key, int value) override;
    bool WriteBool(const QString& section, const QString& key, bool value) override;
    bool WriteFloat(const QString& section, const QString& key, double value) override;
    bool WriteDate(const QString& section, const QString& key, const QDate& value) override;
    bool WriteDateTime(const QString& section, const QString& key, const QDateTime& value) override;
    bool WriteTime(const QString& section, const QString& key, const QTime& value) override;
    bool DeleteKey(const QString& section, const QString& key) override;

    QStringList ReadSection(const QString& section) override;
    QStringList ReadSections() override;
    QStringList ReadSectionValues(const QString& section) override;
    bool EraseSection(const QString& section) override;
    bool UpdateFile() override;
    qint64 ReadBinaryStream(const QString& section, const QString& key, QByteArray& data) override;
    bool WriteBinaryStream(const QString& section, const QString& key,
                           const QByteArray& data) override;

private:
    // The record's value when (section, key) is found.
    std::optional<host::Variant> lookUp(const QString& section, const QString& key);
    void store(const QString& section, const QString& key, const host::Variant& value);

    QString m_tablePath;
    std::unique_ptr<host::TBFTable> m_table;
};

} // namespace arvelo::app
