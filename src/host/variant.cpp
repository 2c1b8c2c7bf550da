#include "host/variant.h"

#include <cmath>

namespace arvelo::host {

namespace {
template <class... Ts> struct Overloaded : Ts... { using Ts::operator()...; };
template <class... Ts> Overloaded(Ts...) -> Overloaded<Ts...>;

QString doubleText(double d) {
    return QString::number(d, 'g', 15);
}
} // namespace

QString Variant::toString() const {
    return std::visit(
        Overloaded{
            [](std::monostate) { return QString(); },
            [](const QString& s) { return s; },
            [](std::int64_t i) { return QString::number(i); },
            [](Currency c) {
                // Like the host's variant: no trailing zero decimals.
                QString t = c.toPlainString();
                while (t.endsWith(u'0')) {
                    t.chop(1);
                }
                if (t.endsWith(u'.')) {
                    t.chop(1);
                }
                return t;
            },
            [](DateValue d) { return doubleText(d.days); },
            [](bool b) { return b ? QStringLiteral("True") : QStringLiteral("False"); },
            [](double d) { return doubleText(d); },
        },
        m_v);
}

std::int64_t Variant::toInt() const {
    return std::visit(Overloaded{
                          [](std::monostate) -> std::int64_t { return 0; },
                          [](const QString& s) -> std::int64_t {
                              bool ok = false;
                              const qlonglong v = s.trimmed().toLongLong(&ok);
                              if (ok) {
                                  return v;
                              }
                              const double d = s.trimmed().toDouble(&ok);
                              return ok ? static_cast<std::int64_t>(std::llround(d)) : 0;
                          },
                          [](std::int64_t i) { return i; },
                          [](Currency c) { return c.rounded(0).raw() / Currency::Scale; },
                          [](DateValue d) { return static_cast<std::int64_t>(d.days); },
                          [](bool b) -> std::int64_t { return b ? 1 : 0; },
                          [](double d) { return static_cast<std::int64_t>(std::llround(d)); },
                      },
                      m_v);
}

Currency Variant::toCurrency() const {
    return std::visit(Overloaded{
                          [](std::monostate) { return Currency(); },
                          [](const QString& s) { return Currency::parse(s).value_or(Currency()); },
                          [](std::int64_t i) { return Currency::fromUnits(i); },
                          [](Currency c) { return c; },
                          [](DateValue d) { return Currency::fromDouble(d.days); },
                          [](bool b) { return Currency::fromUnits(b ? 1 : 0); },
                          [](double d) { return Currency::fromDouble(d); },
                      },
                      m_v);
}

double Variant::toDouble() const {
    return std::visit(Overloaded{
                          [](std::monostate) { return 0.0; },
                          [](const QString& s) {
                              bool ok = false;
                              QString t = s.trimmed();
                              t.replace(u',', u'.');
                              const double d = t.toDouble(&ok);
                              return ok ? d : 0.0;
                          },
                          [](std::int64_t i) { return static_cast<double>(i); },
                          [](Currency c) { return c.toDouble(); },
                          [](DateValue d) { return d.days; },
                          [](bool b) { return b ? 1.0 : 0.0; },
                          [](double d) { return d; },
                      },
                      m_v);
}

double Variant::toDate() const {
    return toDouble();
}

bool Variant::toBool() const {
    return std::visit(Overloaded{
                          [](std::monostate) { return false; },
                          [](const QString& s) {
                              const QString t = s.trimmed();
                              return t.compare(u"true", Qt::CaseInsensitive) == 0 ||
                                     t.compare(u"y", Qt::CaseInsensitive) == 0 ||
                                     t.compare(u"yes", Qt::CaseInsensitive) == 0 ||
                                     (t.toLongLong() != 0);
                          },
                          [](std::int64_t i) { return i != 0; },
                          [](Currency c) { return !c.isZero(); },
                          [](DateValue d) { return d.days != 0.0; },
                          [](bool b) { return b; },
                          [](double d) { return d != 0.0; },
                      },
                      m_v);
}

} // namespace arvelo::host
