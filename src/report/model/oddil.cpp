#include "report/model/oddil.h"

#include <algorithm>

namespace arvelo::report {

TKolbraReportElement& TOddilSestavy::AddElement() {
    elements_.push_back(std::make_unique<TKolbraReportElement>(report_, this));
    return *elements_.back();
}

void TOddilSestavy::RemoveElement(int index) {
    if (index >= 0 && index < ElementCount())
        elements_.erase(elements_.begin() + index);
}

QString TOddilSestavy::PismenoOddilu(int kind) {
    static const char* const kPismena[] = {"Z", "H", "T", "K", "P"};
    if (kind >= 0 && kind < kPocetPevnychOddilu)
        return QString::fromLatin1(kPismena[kind]);
    if (kind < 0)
        return QString();
    const int g = (kind - kPocetPevnychOddilu) / 2;
    return ((kind - kPocetPevnychOddilu) % 2 == 0 ? QStringLiteral("S") : QStringLiteral("U")) +
           QString::number(g);
}

QString TOddilSestavy::NazevOddilu(int kind) {
    switch (kind) {
    case okZacatek:
        return QStringLiteral("Začátek sestavy");
    case okHlava:
        return QStringLiteral("Hlava stránky");
    case okTelo:
        return QStringLiteral("Tělo sestavy");
    case okKonec:
        return QStringLiteral("Konec sestavy");
    case okPata:
        return QStringLiteral("Pata stránky");
    default:
        if (kind < 0)
            return QString();
        return (kind - kPocetPevnychOddilu) % 2 == 0 ? QStringLiteral("Začátek skupiny")
                                                     : QStringLiteral("Konec skupiny");
    }
}

TListOddilu::TListOddilu(TSestavaTyp* report) : report_(report) {
    Reset();
}

TOddilSestavy* TListOddilu::PodleDruhu(int kind) {
    for (auto& s : oddily_) {
        if (s->SectionKind == kind)
            return s.get();
    }
    return nullptr;
}

const TOddilSestavy* TListOddilu::PodleDruhu(int kind) const {
    return const_cast<TListOddilu*>(this)->PodleDruhu(kind);
}

TOddilSestavy& TListOddilu::Pridej(int kind) {
    oddily_.push_back(std::make_unique<TOddilSestavy>(report_, kind));
    return *oddily_.back();
}

void TListOddilu::Odeber(const TOddilSestavy* section) {
    // The five fixed sections always exist.
    auto it = std::find_if(oddily_.begin() + kPocetPevnychOddilu, oddily_.end(),
                           [section](const auto& s) { return s.get() == section; });
    if (it != oddily_.end())
        oddily_.erase(it);
}

void TListOddilu::Reset() {
    oddily_.clear();
    for (int kind = 0; kind < kPocetPevnychOddilu; ++kind)
        Pridej(kind);
}

TPolSkup& TListSkupin::Pridej() {
    skupiny_.push_back(std::make_unique<TPolSkup>());
    skupiny_.back()->Index = Count() - 1;
    return *skupiny_.back();
}

void TListSkupin::Odeber(int i) {
    if (i < 0 || i >= Count())
        return;
    skupiny_.erase(skupiny_.begin() + i);
    for (int j = 0; j < Count(); ++j)
        skupiny_[static_cast<std::size_t>(j)]->Index = j;
}

} // namespace arvelo::report
