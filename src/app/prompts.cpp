#include "app/prompts.h"

#include <QFileInfo>

namespace arvelo::app {

QString displayText(const QString& text) {
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(u'\r', u'\n');
    return t;
}

QString qtFilter(const QString& hostFilter) {
    const QStringList parts = hostFilter.split(u'|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(u';', u' ');
        // The description usually repeats the patterns; Qt reads the patterns
        // from the last parentheses, so give it exactly the host's patterns.
        QString description = parts[i];
        const int open = description.lastIndexOf(u'(');
        if (open > 0 && description.endsWith(u')')) {
            description = description.left(open).trimmed();
        }
        filters << QStringLiteral("%1 (%2)").arg(description, patterns);
    }
    if (parts.size() % 2 == 1 && !parts.last().isEmpty()) {
        filters << parts.last();
    }
    return filters.join(QStringLiteral(";;"));
}

QString withDefaultExtension(const QString& fileName, const QString& extension) {
    if (fileName.isEmpty() || extension.isEmpty() || !QFileInfo(fileName).suffix().isEmpty()) {
        return fileName;
    }
    QString ext = extension;
    if (ext.startsWith(u'.')) {
        ext.remove(0, 1);
    }
    return fileName + u'.' + ext.toLower();
}

} // namespace arvelo::app
