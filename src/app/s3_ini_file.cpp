#include "app/s3_ini_file.h"

#include "host/day_date.h"
#include "host/host_paths.h"

#include <cmath>

namespace arvelo::app {

namespace {
const QString kIndex = QStringLiteral("Section1+Variable");

// The same path with ".DAT" in place of ".INI"; empty for any other name.
QString tableBase(const QString& fileName) {
    if (!fileName.endsWith(QStringLiteral(".INI"), Qt::CaseInsensitive)) {
        return {};
    }
    return fileName.left(fileName.size() - 4);
}
} // namespace

TS3IniFile::TS3IniFile(const QString& fileName, const SystemFormats& formats)
    : TIniFile(fileName, Writes::Immediate, formats) {
    const QString base = tableBase(host::paths::normalize(fileName));
    if (!base.isEmpty() && host::paths::exists(base + QStringLiteral(".DAT"))) {
        m_tablePath = base;
        m_table = host::TBFTable::create();
        // A table that does not open makes every later call fail, which the
        // readers turn into their defaults.
        if (m_table->Open(base) == host::result::Ok) {
            m_table->SetIndex(kIndex);
        }
    }
}

TS3IniFile::~TS3IniFile() {
    if (m_table && m_table->IsOpen()) {
        m_table->Close();
    }
}

std::optional<host::Variant> TS3IniFile::lookUp(const QString& section, const QString& key) {
    try {
        m_table->First();
        if (m_table->Seek2(section, key) != host::result::Found) {
            return std::nullopt;
        }
        return m_table->Value(QStringLiteral("Value"));
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

void TS3IniFile::store(const QString& section, const QString& key, const host::Variant& value) {
    try {
        m_table->First();
        if (m_table->Seek2(section, key) == host::result::Found) {
            if (m_table->SetValue(QStringLiteral("Value"), value) == host::result::Ok) {
                m_table->Post();
            } else {
                m_table->Cancel();
            }
            return;
        }
        if (m_table->Append() != host::result::Ok) {
            return;
        }
        const bool ok =
            m_table->SetValue(QStringLiteral("Section1"), section) == host::result::Ok &&
            m_table->SetValue(QStringLiteral("Variable"), key) == host::result::Ok &&
            m_table->SetValue(QStringLiteral("TypeVar"), QString()) == host::result::Ok &&
            m_table->SetValue(QStringLiteral("Value"), value) == host::result::Ok;
        if (ok) {
            m_table->Post();
        } else {
            m_table->Cancel();
        }
    } catch (const std::exception&) {
        m_table->Cancel();
    }
}

QString TS3IniFile::ReadString(const QString& section, const QString& key, const QString& def) {
    if (!m_table) {
        return TIniFile::ReadString(section, key, def);
    }
    const auto v = lookUp(section, key);
    return v ? v->toString() : def;
}

int TS3IniFile::ReadInteger(const QString& section, const QString& key, int def) {
    if (!m_table) {
        return TIniFile::ReadInteger(section, key, def);
    }
    const auto v = lookUp(section, key);
    return v ? static_cast<int>(v->toInt()) : def;
}

bool TS3IniFile::ReadBool(const QString& section, const QString& key, bool def) {
    if (!m_table) {
        return TIniFile::ReadBool(section, key, def);
    }
    const auto v = lookUp(section, key);
    return v ? v->toBool() : def;
}

double TS3IniFile::ReadFloat(const QString& section, const QString& key, double def) {
    if (!m_table) {
        return TIniFile::ReadFloat(section, key, def);
    }
    const auto v = lookUp(section, key);
    return v ? v->toDouble() : def;
}

QDate TS3IniFile::ReadDate(const QString& section, const QString& key, const QDate& def) {
    if (!m_table) {
        return TIniFile::ReadDate(section, key, def);
    }
    const auto v = lookUp(section, key);
    return v ? daydate::toDate(v->toDate()) : def;
}

QDateTime TS3IniFile::ReadDateTime(const QString& section, const QString& key,
                                   const QDateTime& def) {
    if (!m_table) {
        return TIniFile::ReadDateTime(section, key, def);
    }
    const auto v = lookUp(section, key);
    if (!v) {
        return def;
    }
    const double days = v->toDate();
    const double fraction = days - static_cast<double>(daydate::wholeDay(days));
    return QDateTime(daydate::toDate(days),
                     QTime(0, 0).addMSecs(static_cast<int>(std::abs(fraction) * 86400000.0 + 0.5)));
}

QTime TS3IniFile::ReadTime(const QString& section, const QString& key, const QTime& def) {
    if (!m_table) {
        return TIniFile::ReadTime(section, key, def);
    }
    const auto v = lookUp(section, key);
    if (!v) {
        return def;
    }
    const double days = v->toDate();
    const double fraction = days - static_cast<double>(daydate::wholeDay(days));
    return QTime(0, 0).addMSecs(static_cast<int>(std::abs(fraction) * 86400000.0 + 0.5));
}

bool TS3IniFile::WriteString(const QString& section, const QString& key, const QString& value) {
    if (!m_table) {
        return TIniFile::WriteString(section, key, value);
    }
    store(section, key, value);
    return true;
}

bool TS3IniFile::WriteInteger(const QString& section, const QString& key, int value) {
    if (!m_table) {
        return TIniFile::WriteInteger(section, key, value);
    }
    store(section, key, value);
    return true;
}

bool TS3IniFile::WriteBool(const QString& section, const QString& key, bool value) {
    if (!m_table) {
        return TIniFile::WriteBool(section, key, value);
    }
    store(section, key, value);
    return true;
}

bool TS3IniFile::WriteFloat(const QString& section, const QString& key, double value) {
    if (!m_table) {
        return TIniFile::WriteFloat(section, key, value);
    }
    store(section, key, value);
    return true;
}

bool TS3IniFile::WriteDate(const QString& section, const QString& key, const QDate& value) {
    if (!m_table) {
        return TIniFile::WriteDate(section, key, value);
    }
    store(section, key, host::Variant::date(daydate::fromDate(value)));
    return true;
}

bool TS3IniFile::WriteDateTime(const QString& section, const QString& key, const QDateTime& value) {
    if (!m_table) {
        return TIniFile::WriteDateTime(section, key, value);
    }
    store(section, key, host::Variant::date(daydate::fromDateTime(value)));
    return true;
}

bool TS3IniFile::WriteTime(const QString& section, const QString& key, const QTime& value) {
    if (!m_table) {
        return TIniFile::WriteTime(section, key, value);
    }
    store(section, key, host::Variant::date(value.msecsSinceStartOfDay() / 86400000.0));
    return true;
}

bool TS3IniFile::DeleteKey(const QString& section, const QString& key) {
    if (!m_table) {
        return TIniFile::DeleteKey(section, key);
    }
    try {
        m_table->First();
        if (m_table->Seek2(section, key) == host::result::Found) {
            m_table->Delete();
        }
    } catch (const std::exception&) {
    }
    return true;
}

QStringList TS3IniFile::ReadSection(const QString& section) {
    return m_table ? QStringList() : TIniFile::ReadSection(section);
}

QStringList TS3IniFile::ReadSections() {
    return m_table ? QStringList() : TIniFile::ReadSections();
}

QStringList TS3IniFile::ReadSectionValues(const QString& section) {
    return m_table ? QStringList() : TIniFile::ReadSectionValues(section);
}

bool TS3IniFile::EraseSection(const QString& section) {
    return m_table ? true : TIniFile::EraseSection(section);
}

bool TS3IniFile::UpdateFile() {
    return m_table ? true : TIniFile::UpdateFile();
}

qint64 TS3IniFile::ReadBinaryStream(const QString& section, const QString& key, QByteArray& data) {
    if (m_table) {
        data.clear();
        return 0;
    }
    return TIniFile::ReadBinaryStream(section, key, data);
}

bool TS3IniFile::WriteBinaryStream(const QString& section, const QString& key,
                                   const QByteArray& data) {
    return m_table ? true : TIniFile::WriteBinaryStream(section, key, data);
}

} // namespace arvelo::app
