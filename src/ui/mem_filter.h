#pragma once

#include "ui/mem_table.h"

#include <QString>
#include <memory>
#include <utility>
#include <vector>

namespace arvelo::ui {

// A filter expression of an in-memory table, parsed once when the filter is
// set and evaluated per record. Literals are converted to the type of the
// field they are compared with at parse time, so evaluation never parses text.
//
// Grammar (keywords in any case):
//   expr    := term { OR term }
//   term    := factor { AND factor }
//   factor  := NOT factor | "(" expr ")" | field op literal
//   op      := "=" | "<>" | "<" | "<=" | ">" | ">=" | LIKE
//   literal := 'text' (a quote inside doubled) | number | True | False
// A field is a name or a name in brackets ([Nazev uctu]). LIKE applies to
// text fields; "*" in its pattern matches any run of characters.
class TFilterExpr {
public:
    ~TFilterExpr();

    // Nothing and a message (Czech, with the position) when malformed.
    static std::unique_ptr<TFilterExpr> parse(const QString& text,
                                              const std::vector<TMemField>& fields, QString* error);

    bool matches(const TMemTable& table, RecId id, bool caseSensitive) const;
    // The "field = literal" comparisons joined to the rest by AND only, which
    // every passing record satisfies: an index over such fields can name the
    // candidates instead of a scan of the table.
    std::vector<std::pair<int, Value>> requiredEqualities() const;
    // The fields the expression reads.
    const std::vector<int>& fieldsUsed() const { return m_fields; }

    struct Node;

private:
    TFilterExpr() = default;
    std::unique_ptr<Node> m_root;
    std::vector<int> m_fields;
};

} // namespace arvelo::ui
