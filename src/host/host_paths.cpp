#include "host/host_paths.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

namespace arvelo::host::paths {

QString normalize(const QString& path) {
    QString p = path;
    p.replace(u'\\', u'/');
    return p;
}

QString folder(const QString& path) {
    QString p = normalize(path);
    while (p.size() > 1 && p.endsWith(u"//")) {
        p.chop(1);
    }
    if (!p.endsWith(u'/')) {
        p += u'/';
    }
    return p;
}

QString resolve(const QString& path) {
    const QString p = normalize(path);
    if (p.isEmpty() || QFileInfo::exists(p)) {
        return p;
    }
    const bool absolute = p.startsWith(u'/');
    const QStringList parts = p.split(u'/', Qt::KeepEmptyParts);
    QString current = absolute ? QStringLiteral("/") : QString();
    bool resolving = true;
    for (int i = absolute ? 1 : 0; i < parts.size(); ++i) {
        const QString& part = parts[i];
        const bool last = i == parts.size() - 1;
        if (part.isEmpty()) {
            if (last) {
                break; // trailing "/"
            }
            continue;
        }
        QString chosen = part;
        if (resolving && part != u"." && part != u"..") {
            const QString base = current.isEmpty() ? QStringLiteral(".") : current;
            if (!QFileInfo::exists(current + part)) {
                const QStringList entries = QDir(base).entryList(
                    QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
                auto it = std::find_if(entries.begin(), entries.end(), [&](const QString& e) {
                    return e.compare(part, Qt::CaseInsensitive) == 0;
                });
                if (it != entries.end()) {
                    chosen = *it;
                } else {
                    resolving = false;
                }
            }
        }
        current += chosen;
        if (!last) {
            current += u'/';
        }
    }
    if (p.endsWith(u'/') && !current.endsWith(u'/')) {
        current += u'/';
    }
    return current;
}

bool exists(const QString& path) {
    return QFileInfo::exists(resolve(path));
}

QStringList list(const QString& folderPath, const QString& pattern, bool foldersOnly) {
    const QDir dir(resolve(folder(folderPath)));
    const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(pattern),
                                QRegularExpression::CaseInsensitiveOption);
    QStringList result;
    const auto filters = (foldersOnly ? QDir::Dirs : QDir::AllEntries) | QDir::Hidden |
                         QDir::System | QDir::NoDotAndDotDot;
    for (const QFileInfo& info : dir.entryInfoList(filters)) {
        if (re.match(info.fileName()).hasMatch()) {
            result.push_back(info.fileName());
        }
    }
    std::sort(result.begin(), result.end(), [](const QString& a, const QString& b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return result;
}

} // namespace arvelo::host::paths
