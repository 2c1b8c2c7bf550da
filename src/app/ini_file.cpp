#include "app/ini_file.h"

#include "app/file_io.h"
#include "host/host_paths.h"

#include <QFile>
#include <algorithm>
#include <cctype>

namespace arvelo::app {

TIniFile::TIniFile(const QString& fileName, Writes writes, const SystemFormats& formats)
    : m_fileName(host::paths::resolve(fileName)), m_writes(writes), m_formats(formats) {
    load();
}

void TIniFile::load() {
    m_sections.clear();
    m_sections.push_back({});
    QFile file(m_fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        return;
    }
    const QString text = decodeHostText(file.readAll(), &m_utf8);
    const QStringList lines = text.split(u'\n');
    for (int i = 0; i < lines.size(); ++i) {
        QString raw = lines[i];
        if (raw.endsWith(u'\r')) {
            raw.chop(1);
        }
        if (i == lines.size() - 1 && raw.isEmpty()) {
            break; // the final line break
        }
        const QString t = raw.trimmed();
        if (t.startsWith(u'[') && t.endsWith(u']')) {
            m_sections.push_back({t.mid(1, t.size() - 2).trimmed(), {}});
            continue;
        }
        const int eq = raw.indexOf(u'=');
        if (eq > 0 && !t.startsWith(u';') && !raw.left(eq).trimmed().isEmpty()) {
            m_sections.back().lines.push_back(
                {raw.left(eq).trimmed(), raw.mid(eq + 1).trimmed(), QString()});
        } else {
            m_sections.back().lines.push_back({QString(), QString(), raw});
        }
    }
}

TIniFile::Section* TIniFile::findSection(const QString& name) {
    for (size_t i = 1; i < m_sections.size(); ++i) {
        if (m_sections[i].name.compare(name, Qt::CaseInsensitive) == 0) {
            return &m_sections[i];
        }
    }
    return nullptr;
}

TIniFile::Line* TIniFile::findKey(const QString& section, const QString& key) {
    Section* s = findSection(section);
    if (!s) {
        return nullptr;
    }
    for (Line& l : s->lines) {
        if (!l.key.isEmpty() && l.key.compare(key, Qt::CaseInsensitive) == 0) {
            return &l;
        }
    }
    return nullptr;
}

bool TIniFile::changed() {
    return m_writes == Writes::OnUpdate || UpdateFile();
}

bool TIniFile::UpdateFile() {
    QString text;
    bool first = true;
    for (const Section& s : m_sections) {
        if (!first) {
            text += u'[' + s.name + QStringLiteral("]\r\n");
        }
        first = false;
        for (const Line& l : s.lines) {
            text += (l.key.isEmpty() ? l.raw : l.key + u'=' + l.value) + QStringLiteral("\r\n");
        }
    }
    const QByteArray bytes = m_utf8 ? text.toUtf8() : encodeWindows1250(text);
    m_lastError.clear();
    if (!writeFileAtomic(m_fileName, bytes, &m_lastError)) {
        return false;
    }
    return true;
}

QString TIniFile::ReadString(const QString& section, const QString& key, const QString& def) {
    const Line* l = findKey(section, key);
    return l ? l->value : def;
}

int TIniFile::ReadInteger(const QString& section, const QString& key, int def) {
    QString t = ReadString(section, key, QString()).trimmed();
    if (t.isEmpty()) {
        return def;
    }
    bool ok = false;
    int v = 0;
    if (t.startsWith(u'$')) {
        v = t.mid(1).toInt(&ok, 16);
    } else if (t.startsWith(QStringLiteral("0x"), Qt::CaseInsensitive)) {
        v = t.mid(2).toInt(&ok, 16);
    } else {
        v = t.toInt(&ok, 10);
    }
    return ok ? v : def;
}

bool TIniFile::ReadBool(const QString& section, const QString& key, bool def) {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

double TIniFile::ReadFloat(const QString& section, const QString& key, double def) {
    const QString t = ReadString(section, key, QString());
    bool ok = false;
    const double v = m_formats.parseNumber(t, &ok);
    return ok ? v : def;
}

QDate TIniFile::ReadDate(const QString& section, const QString& key, const QDate& def) {
    const QDate d = m_formats.parseDate(ReadString(section, key, QString()));
    return d.isValid() ? d : def;
}

QDateTime TIniFile::ReadDateTime(const QString& section, const QString& key, const QDateTime& def) {
    const QDateTime d = m_formats.parseDateTime(ReadString(section, key, QString()));
    return d.isValid() ? d : def;
}

QTime TIniFile::ReadTime(const QString& section, const QString& key, const QTime& def) {
    const QTime t = m_formats.parseTime(ReadString(section, key, QString()));
    return t.isValid() ? t : def;
}

bool TIniFile::WriteString(const QString& section, const QString& key, const QString& value) {
    // A line break inside a value would split it into two lines of the file.
    QString v = value;
    v.replace(u'\r', u' ').replace(u'\n', u' ');
    if (Line* l = findKey(section, key)) {
        l->value = v;
        return changed();
    }
    Section* s = findSection(section);
    if (!s) {
        m_sections.push_back({section, {}});
        s = &m_sections.back();
    }
    // New keys go after the section's last key, before trailing blank lines.
    auto pos = s->lines.end();
    while (pos != s->lines.begin() && std::prev(pos)->key.isEmpty() &&
           std::prev(pos)->raw.trimmed().isEmpty()) {
        --pos;
    }
    s->lines.insert(pos, {key, v, QString()});
    return changed();
}

bool TIniFile::WriteInteger(const QString& section, const QString& key, int value) {
    return WriteString(section, key, QString::number(value));
}

bool TIniFile::WriteBool(const QString& section, const QString& key, bool value) {
    return WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool TIniFile::WriteFloat(const QString& section, const QString& key, double value) {
    return WriteString(section, key, m_formats.numberText(value));
}

bool TIniFile::WriteDate(const QString& section, const QString& key, const QDate& value) {
    return WriteString(section, key, m_formats.dateText(value));
}

bool TIniFile::WriteDateTime(const QString& section, const QString& key, const QDateTime& value) {
    return WriteString(section, key, m_formats.dateTimeText(value));
}

bool TIniFile::WriteTime(const QString& section, const QString& key, const QTime& value) {
    return WriteString(section, key, m_formats.timeText(value));
}

bool TIniFile::DeleteKey(const QString& section, const QString& key) {
    Section* s = findSection(section);
    if (!s) {
        return true;
    }
    const auto before = s->lines.size();
    std::erase_if(s->lines, [&](const Line& l) {
        return !l.key.isEmpty() && l.key.compare(key, Qt::CaseInsensitive) == 0;
    });
    return s->lines.size() == before || changed();
}

QStringList TIniFile::ReadSection(const QString& section) {
    QStringList keys;
    if (const Section* s = findSection(section)) {
        for (const Line& l : s->lines) {
            if (!l.key.isEmpty()) {
                keys << l.key;
            }
        }
    }
    return keys;
}

QStringList TIniFile::ReadSections() {
    QStringList names;
    for (size_t i = 1; i < m_sections.size(); ++i) {
        names << m_sections[i].name;
    }
    return names;
}

QStringList TIniFile::ReadSectionValues(const QString& section) {
    QStringList values;
    if (const Section* s = findSection(section)) {
        for (const Line& l : s->lines) {
            if (!l.key.isEmpty()) {
                values << l.key + u'=' + l.value;
            }
        }
    }
    return values;
}

bool TIniFile::EraseSection(const QString& section) {
    const auto before = m_sections.size();
    // The first entry holds the lines before any section and is never erased.
    m_sections.erase(std::remove_if(m_sections.begin() + 1, m_sections.end(),
                                    [&](const Section& s) {
                                        return s.name.compare(section, Qt::CaseInsensitive) == 0;
                                    }),
                     m_sections.end());
    return m_sections.size() == before || changed();
}

qint64 TIniFile::ReadBinaryStream(const QString& section, const QString& key, QByteArray& data) {
    const QString t = ReadString(section, key, QString()).trimmed();
    const QByteArray hex = t.toLatin1();
    if (t.size() % 2 != 0 ||
        !std::all_of(hex.begin(), hex.end(), [](char c) { return std::isxdigit(uchar(c)); })) {
        data.clear();
        return 0;
    }
    data = QByteArray::fromHex(hex);
    return data.size();
}

bool TIniFile::WriteBinaryStream(const QString& section, const QString& key,
                                 const QByteArray& data) {
    return WriteString(section, key, QString::fromLatin1(data.toHex().toUpper()));
}

bool TIniFile::SectionExists(const QString& section) {
    return findSection(section) != nullptr;
}

bool TIniFile::ValueExists(const QString& section, const QString& key) {
    return findKey(section, key) != nullptr;
}

} // namespace arvelo::app
