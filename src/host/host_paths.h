#pragma once

#include <QString>
#include <QStringList>

namespace arvelo::host {

// Host file and folder names match without regard to letter case, as on the
// host's file system, and may be written with "\" or "/".
namespace paths {

// "/" for every "\"; nothing else changes.
QString normalize(const QString& path);

// A folder path with exactly one trailing "/".
QString folder(const QString& path);

// The path with every component that exists on disk under another letter case
// replaced by its real spelling; components that do not exist stay as given.
QString resolve(const QString& path);

// True when the resolved path exists.
bool exists(const QString& path);

// Entries of a folder whose names match a wildcard pattern ("Rok.*") without
// regard to case, sorted by name without regard to case. Names only.
QStringList list(const QString& folderPath, const QString& pattern, bool foldersOnly);

} // namespace paths
} // namespace arvelo::host
