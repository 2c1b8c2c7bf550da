#include "ui/mem_filter.h"

#include "host/day_date.h"
#include "ui/value_compare.h"

#include <QDate>
#include <algorithm>

namespace arvelo::ui {

namespace {

enum class Op { Eq, Ne, Lt, Le, Gt, Ge, Like };

enum class Tok { End, Name, Text, Number, LParen, RParen, Op, And, Or, Not, True, False };

struct Token {
    Tok kind = Tok::End;
    QString text; // name, text literal (quotes undone) or number as written
    Op op = Op::Eq;
    qsizetype pos = 0; // 1-based position in the expression, for messages
};

struct ParseError {
    QString message;
};

[[noreturn]] void fail(qsizetype pos, const QString& what) {
    throw ParseError{QStringLiteral("Chyba ve filtru na pozici %1: %2").arg(pos).arg(what)};
}

bool isNameStart(QChar c) {
    return c.isLetter() || c == u'_';
}

bool isNameChar(QChar c) {
    return c.isLetterOrNumber() || c == u'_';
}

class Lexer {
public:
    explicit Lexer(const QString& text) : m_s(text) {}

    Token next() {
        while (m_i < m_s.size() && m_s[m_i].isSpace()) {
            ++m_i;
        }
        Token t;
        t.pos = m_i + 1;
        if (m_i >= m_s.size()) {
            return t;
        }
        const QChar c = m_s[m_i];
        if (c == u'(' || c == u')') {
            ++m_i;
            t.kind = c == u'(' ? Tok::LParen : Tok::RParen;
            return t;
        }
        if (c == u'=') {
            ++m_i;
            t.kind = Tok::Op;
            t.op = Op::Eq;
            return t;
        }
        if (c == u'<' || c == u'>') {
            ++m_i;
            t.kind = Tok::Op;
            const QChar d = m_i < m_s.size() ? m_s[m_i] : QChar();
            if (c == u'<' && d == u'>') {
                ++m_i;
                t.op = Op::Ne;
            } else if (d == u'=') {
                ++m_i;
                t.op = c == u'<' ? Op::Le : Op::Ge;
            } else {
                t.op = c == u'<' ? Op::Lt : Op::Gt;
            }
            return t;
        }
        if (c == u'\'') {
            ++m_i;
            t.kind = Tok::Text;
            for (;;) {
                if (m_i >= m_s.size()) {
                    fail(t.pos, QStringLiteral("text není ukončen apostrofem"));
                }
                if (m_s[m_i] == u'\'') {
                    if (m_i + 1 < m_s.size() && m_s[m_i + 1] == u'\'') {
                        t.text += u'\'';
                        m_i += 2;
                        continue;
                    }
                    ++m_i;
                    return t;
                }
                t.text += m_s[m_i++];
            }
        }
        if (c == u'[') {
            const qsizetype close = m_s.indexOf(u']', m_i + 1);
            if (close < 0) {
                fail(t.pos, QStringLiteral("název pole není ukončen znakem ]"));
            }
            t.kind = Tok::Name;
            t.text = m_s.mid(m_i + 1, close - m_i - 1).trimmed();
            m_i = close + 1;
            return t;
        }
        if (c.isDigit() || c == u'-' || c == u'+' || c == u'.') {
            qsizetype j = m_i + 1;
            while (j < m_s.size() && (m_s[j].isDigit() || m_s[j] == u'.')) {
                ++j;
            }
            t.kind = Tok::Number;
            t.text = m_s.mid(m_i, j - m_i);
            m_i = j;
            return t;
        }
        if (isNameStart(c)) {
            qsizetype j = m_i + 1;
            while (j < m_s.size() && isNameChar(m_s[j])) {
                ++j;
            }
            t.text = m_s.mid(m_i, j - m_i);
            m_i = j;
            const QString up = t.text.toUpper();
            if (up == u"AND") {
                t.kind = Tok::And;
            } else if (up == u"OR") {
                t.kind = Tok::Or;
            } else if (up == u"NOT") {
                t.kind = Tok::Not;
            } else if (up == u"LIKE") {
                t.kind = Tok::Op;
                t.op = Op::Like;
            } else if (up == u"TRUE") {
                t.kind = Tok::True;
            } else if (up == u"FALSE") {
                t.kind = Tok::False;
            } else {
                t.kind = Tok::Name;
            }
            return t;
        }
        fail(t.pos, QStringLiteral("nečekaný znak „%1“").arg(c));
    }

private:
    const QString& m_s;
    qsizetype m_i = 0;
};

} // namespace

struct TFilterExpr::Node {
    enum class Kind { Or, And, Not, Cmp } kind = Kind::Cmp;
    std::unique_ptr<Node> left;
    std::unique_ptr<Node> right;
    int field = -1;
    FieldType type = FieldType::Text;
    Op op = Op::Eq;
    Value literal;

    bool eval(const TMemTable& table, RecId id, bool caseSensitive) const {
        switch (kind) {
        case Kind::Or:
            return left->eval(table, id, caseSensitive) || right->eval(table, id, caseSensitive);
        case Kind::And:
            return left->eval(table, id, caseSensitive) && right->eval(table, id, caseSensitive);
        case Kind::Not:
            return !left->eval(table, id, caseSensitive);
        case Kind::Cmp:
            break;
        }
        const Value& v = table.valueAt(id, field);
        if (op == Op::Like) {
            QString s1;
            QString s2;
            return fold::like(values::textOf(v, s1), values::textOf(literal, s2), !caseSensitive);
        }
        if (op == Op::Eq) {
            return values::equal(type, v, literal, !caseSensitive);
        }
        if (op == Op::Ne) {
            return !values::equal(type, v, literal, !caseSensitive);
        }
        const int c = values::compare(type, v, literal, !caseSensitive);
        switch (op) {
        case Op::Lt:
            return c < 0;
        case Op::Le:
            return c <= 0;
        case Op::Gt:
            return c > 0;
        case Op::Ge:
            return c >= 0;
        default:
            return false;
        }
    }
};

namespace {

class Parser {
public:
    Parser(const QString& text, const std::vector<TMemField>& fields, std::vector<int>& used)
        : m_lex(text), m_fields(fields), m_used(used) {
        m_tok = m_lex.next();
    }

    std::unique_ptr<TFilterExpr::Node> parseAll() {
        auto n = expr();
        if (m_tok.kind != Tok::End) {
            fail(m_tok.pos, m_tok.kind == Tok::RParen ? QStringLiteral("přebývá pravá závorka")
                                                      : QStringLiteral("očekává se AND nebo OR"));
        }
        return n;
    }

private:
    using Node = TFilterExpr::Node;

    void advance() { m_tok = m_lex.next(); }

    std::unique_ptr<Node> binary(Node::Kind kind, std::unique_ptr<Node> l,
                                 std::unique_ptr<Node> r) {
        auto n = std::make_unique<Node>();
        n->kind = kind;
        n->left = std::move(l);
        n->right = std::move(r);
        return n;
    }

    std::unique_ptr<Node> expr() {
        auto n = term();
        while (m_tok.kind == Tok::Or) {
            advance();
            n = binary(Node::Kind::Or, std::move(n), term());
        }
        return n;
    }

    std::unique_ptr<Node> term() {
        auto n = factor();
        while (m_tok.kind == Tok::And) {
            advance();
            n = binary(Node::Kind::And, std::move(n), factor());
        }
        return n;
    }

    std::unique_ptr<Node> factor() {
        if (++m_depth > 200) {
            fail(m_tok.pos, QStringLiteral("výraz je příliš hluboko vnořený"));
        }
        std::unique_ptr<Node> n;
        if (m_tok.kind == Tok::Not) {
            advance();
            n = std::make_unique<Node>();
            n->kind = Node::Kind::Not;
            n->left = factor();
        } else if (m_tok.kind == Tok::LParen) {
            const qsizetype open = m_tok.pos;
            advance();
            n = expr();
            if (m_tok.kind != Tok::RParen) {
                fail(m_tok.kind == Tok::End ? open : m_tok.pos,
                     QStringLiteral("chybí pravá závorka"));
            }
            advance();
        } else {
            n = comparison();
        }
        --m_depth;
        return n;
    }

    std::unique_ptr<Node> comparison() {
        // Evaluation recurses along AND/OR chains; a bound keeps it off the
        // end of the stack for any text.
        if (++m_comparisons > MaxComparisons) {
            fail(m_tok.pos, QStringLiteral("výraz má příliš mnoho porovnání"));
        }
        if (m_tok.kind != Tok::Name) {
            fail(m_tok.pos, QStringLiteral("očekává se název pole"));
        }
        const auto it = std::find_if(m_fields.begin(), m_fields.end(), [&](const TMemField& f) {
            return f.name.compare(m_tok.text, Qt::CaseInsensitive) == 0;
        });
        if (it == m_fields.end()) {
            fail(m_tok.pos, QStringLiteral("neznámé pole „%1“").arg(m_tok.text));
        }
        auto n = std::make_unique<Node>();
        n->field = int(it - m_fields.begin());
        n->type = it->type;
        if (std::find(m_used.begin(), m_used.end(), n->field) == m_used.end()) {
            m_used.push_back(n->field);
        }
        advance();
        if (m_tok.kind != Tok::Op) {
            fail(m_tok.pos, QStringLiteral("očekává se =, <> nebo LIKE"));
        }
        n->op = m_tok.op;
        const qsizetype opPos = m_tok.pos;
        advance();
        if (n->op == Op::Like && n->type != FieldType::Text) {
            fail(opPos, QStringLiteral("LIKE lze použít jen u textového pole „%1“").arg(it->name));
        }
        n->literal = literal(*it);
        advance();
        return n;
    }

    // The literal at the current token, converted to the field's type.
    Value literal(const TMemField& f) {
        const Token& t = m_tok;
        const auto wrong = [&]() { wrongValue(t.pos, f); };
        if (t.kind != Tok::Text && t.kind != Tok::Number && t.kind != Tok::True &&
            t.kind != Tok::False) {
            fail(t.pos, QStringLiteral("očekává se hodnota"));
        }
        const bool isBool = t.kind == Tok::True || t.kind == Tok::False;
        switch (f.type) {
        case FieldType::Text:
            if (isBool) {
                wrong();
            }
            return Value(t.text);
        case FieldType::Boolean:
            if (isBool) {
                return Value(t.kind == Tok::True);
            }
            if (t.text.compare(u"true", Qt::CaseInsensitive) == 0) {
                return Value(true);
            }
            if (t.text.compare(u"false", Qt::CaseInsensitive) == 0) {
                return Value(false);
            }
            wrong();
            break;
        case FieldType::Integer: {
            bool ok = false;
            const qlonglong v = t.text.trimmed().toLongLong(&ok);
            if (isBool || !ok) {
                wrong();
            }
            return Value(std::int64_t(v));
        }
        case FieldType::Amount: {
            const auto c = isBool ? std::nullopt : Currency::parse(t.text);
            if (!c) {
                wrong();
            }
            return Value(*c);
        }
        case FieldType::Float: {
            bool ok = false;
            const double d = t.text.trimmed().toDouble(&ok);
            if (isBool || !ok) {
                wrong();
            }
            return Value(d);
        }
        case FieldType::Date: {
            if (isBool) {
                wrong();
            }
            bool ok = false;
            const double d = t.text.trimmed().toDouble(&ok);
            if (t.kind == Tok::Number && ok) {
                return Value::date(d);
            }
            // A quoted date as 2024-03-31 or 31.3.2024.
            QDate date = QDate::fromString(t.text.trimmed(), Qt::ISODate);
            if (!date.isValid()) {
                date = QDate::fromString(t.text.trimmed(), QStringLiteral("d.M.yyyy"));
            }
            if (!date.isValid()) {
                wrong();
            }
            return Value::date(daydate::fromDate(date));
        }
        }
        wrongValue(t.pos, f);
    }

    [[noreturn]] static void wrongValue(qsizetype pos, const TMemField& f) {
        fail(pos, QStringLiteral("hodnotu nelze porovnat s polem „%1“").arg(f.name));
    }

    Lexer m_lex;
    const std::vector<TMemField>& m_fields;
    std::vector<int>& m_used;
    Token m_tok;
    int m_depth = 0;
    int m_comparisons = 0;
    static constexpr int MaxComparisons = 1000;
};

} // namespace

TFilterExpr::~TFilterExpr() = default;

std::unique_ptr<TFilterExpr>
TFilterExpr::parse(const QString& text, const std::vector<TMemField>& fields, QString* error) {
    std::unique_ptr<TFilterExpr> result(new TFilterExpr);
    try {
        Parser p(text, fields, result->m_fields);
        result->m_root = p.parseAll();
    } catch (const ParseError& e) {
        if (error) {
            *error = e.message;
        }
        return nullptr;
    }
    return result;
}

std::vector<std::pair<int, Value>> TFilterExpr::requiredEqualities() const {
    std::vector<std::pair<int, Value>> out;
    std::vector<const Node*> pending{m_root.get()};
    while (!pending.empty()) {
        const Node* n = pending.back();
        pending.pop_back();
        if (n->kind == Node::Kind::And) {
            pending.push_back(n->left.get());
            pending.push_back(n->right.get());
        } else if (n->kind == Node::Kind::Cmp && n->op == Op::Eq) {
            out.emplace_back(n->field, n->literal);
        }
    }
    return out;
}

bool TFilterExpr::matches(const TMemTable& table, RecId id, bool caseSensitive) const {
    return m_root->eval(table, id, caseSensitive);
}

} // namespace arvelo::ui
