#pragma once

#include <QByteArray>
#include <QString>

namespace arvelo::app {

// Writes the whole file to a temporary file beside it and renames it over the
// old one, so that a crash or a full disk never leaves half a file. On failure
// the old file is untouched and error (when given) says why.
bool writeFileAtomic(const QString& path, const QByteArray& bytes, QString* error = nullptr);

// Host text files are UTF-8 when their bytes are valid UTF-8, else Windows-1250.
QString decodeHostText(const QByteArray& bytes, bool* wasUtf8 = nullptr);
QByteArray encodeWindows1250(const QString& text);

} // namespace arvelo::app
