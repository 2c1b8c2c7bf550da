#pragma once

#include "app/locale_format.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QTime>
#include <vector>

namespace arvelo::app {

// A plain ini text file with the usual operations: section and key names match
// without regard to letter case, values are kept as written (no quote is
// removed). Booleans are 0/1, numbers and dates in the system's notation.
//
// With write-through (the default) every write rewrites the file at once, as
// the classic ini file does; otherwise writes stay in memory until
// UpdateFile. The file is read as UTF-8 when its bytes are valid UTF-8, else as
// Windows-1250, and written back in the same encoding; a new file is UTF-8.
class TIniFile {
public:
    enum class Writes { Immediate, OnUpdate };

    explicit TIniFile(const QString& fileName, Writes writes = Writes::Immediate,
                      const SystemFormats& formats = SystemFormats());
    virtual ~TIniFile() = default;
    TIniFile(const TIniFile&) = delete;
    TIniFile& operator=(const TIniFile&) = delete;

    QString FileName() const { return m_fileName; }

    virtual QString ReadString(const QString& section, const QString& key, const QString& def);
    virtual int ReadInteger(const QString& section, const QString& key, int def);
    virtual bool ReadBool(const QString& section, const QString& key, bool def);
    virtual double ReadFloat(const QString& section, const QString& key, double def);
    virtual QDate ReadDate(const QString& section, const QString& key, const QDate& def);
    virtual QDateTime ReadDateTime(const QString& section, const QString& key,
                                   const QDateTime& def);
    virtual QTime ReadTime(const QString& section, const QString& key, const QTime& def);

    // False when the file could not be written (the old file then stays).
    virtual bool WriteString(const QString& section, const QString& key, const QString& value);
    virtual bool WriteInteger(const QString& section, const QString& key, int value);
    virtual bool WriteBool(const QString& section, const QString& key, bool value);
    virtual bool WriteFloat(const QString& section, const QString& key, double value);
    virtual bool WriteDate(const QString& section, const QString& key, const QDate& value);
    virtual bool WriteDateTime(const QString& section, const QString& key, const QDateTime& value);
    virtual bool WriteTime(const QString& section, const QString& key, const QTime& value);
    virtual bool DeleteKey(const QString& section, const QString& key);

    virtual QStringList ReadSection(const QString& section);       // the keys
    virtual QStringList ReadSections();                            // the section names
    virtual QStringList ReadSectionValues(const QString& section); // "key=value"
    virtual bool EraseSection(const QString& section);
    virtual bool UpdateFile();
    // Bytes read into data; 0 when the key is missing or not hexadecimal.
    virtual qint64 ReadBinaryStream(const QString& section, const QString& key, QByteArray& data);
    virtual bool WriteBinaryStream(const QString& section, const QString& key,
                                   const QByteArray& data);

    bool SectionExists(const QString& section);
    bool ValueExists(const QString& section, const QString& key);

    // The last write failure, for messages.
    QString LastError() const { return m_lastError; }

protected:
    const SystemFormats& formats() const { return m_formats; }

private:
    struct Line {
        QString key; // empty for a comment or blank line
        QString value;
        QString raw;
    };
    struct Section {
        QString name;
        std::vector<Line> lines;
    };

    void load();
    Section* findSection(const QString& name);
    Line* findKey(const QString& section, const QString& key);
    bool changed();

    QString m_fileName;
    Writes m_writes;
    SystemFormats m_formats;
    bool m_utf8 = true;
    std::vector<Section> m_sections; // the first one, named "", holds lines before any section
    QString m_lastError;
};

} // namespace arvelo::app
