#pragma once

#include "ui/mem_table.h"

#include <vector>

namespace arvelo::ui::test {

// The values of an integer field over the table's view, in view order.
inline std::vector<int> column(const TMemTable& t, const char* field) {
    const int f = t.fieldIndex(QString::fromUtf8(field));
    std::vector<int> out;
    for (RecId id : t.viewIds()) {
        out.push_back(int(t.intAt(id, f)));
    }
    return out;
}

// The same by walking the cursor, so that first/next/eof are exercised too.
inline std::vector<int> walk(TMemTable& t, const char* field) {
    std::vector<int> out;
    for (t.first(); !t.eof(); t.next()) {
        out.push_back(int(t.value(QString::fromUtf8(field)).toInt()));
    }
    return out;
}

} // namespace arvelo::ui::test
