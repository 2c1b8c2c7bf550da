#pragma once

#include <QDir>
#include <QFileInfo>
#include <QString>

namespace arvelo::testing {

// A template for QTemporaryDir in memory where the system has one: the demo
// data root is many small SQLite files, and every commit's sync to disk would
// otherwise dominate the tests' time.
inline QString scratchTemplate() {
    const QFileInfo shm(QStringLiteral("/dev/shm"));
    const QString base =
        shm.isDir() && shm.isWritable() ? shm.absoluteFilePath() : QDir::tempPath();
    return base + QStringLiteral("/arvelo-test-XXXXXX");
}

} // namespace arvelo::testing
