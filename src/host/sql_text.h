#pragma once

#include <QString>

namespace arvelo::host {

// A name quoted for SQL: host field and index names may hold "+" and blanks.
inline QString quoteIdent(const QString& name) {
    QString q = name;
    q.replace(u'"', QStringLiteral("\"\""));
    return u'"' + q + u'"';
}

} // namespace arvelo::host
