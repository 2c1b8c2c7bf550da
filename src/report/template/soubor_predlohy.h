#pragma once

#include "report/model/sest_typy.h"

#include <QString>
#include <optional>

namespace arvelo::report {

// Reads a template file: UTF-8 when the bytes are valid UTF-8, else Windows-1250; CR LF or LF
// line ends. Empty when the file does not exist or cannot be read.
std::optional<TPredloha> CtiSouborPredlohy(const QString& path);

// Writes the lines in Windows-1250 with CR LF through a temporary file renamed over the target.
bool ZapisSouborPredlohy(const QString& path, const TPredloha& lines);

// Saves with a backup: the old file becomes the ".BAK" of the same name (an older backup is
// deleted) and the lines are written in its place. The new text is written to a temporary file
// first, so a failed write leaves the old template where it was.
bool UlozSeZalohou(const QString& path, const TPredloha& lines);

// The backup name of a template: its extension replaced by ".BAK".
QString JmenoZalohy(const QString& path);

} // namespace arvelo::report
