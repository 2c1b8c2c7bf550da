#include "report/expr/user_functions.h"

#include "report/expr/eval_context.h"
#include "report/expr/evaluator.h"
#include "report/expr/format.h"
#include "report/expr/number_text.h"

#include <algorithm>
#include <cmath>

namespace arvelo::report {

int TRadekFunkce::PlatnyFormatCisla() const {
    return FormatCisla < 0 || FormatCisla > 4 ? 2 : FormatCisla;
}

std::uint8_t TRadekFunkce::DruhHodnoty() const {
    return TypVysledku == kVysledekText ? TCalcType::kText : TCalcType::kCislo;
}

void TRadekFunkce::Vypocitat(const TKontextVypoctu& kontext) {
    const std::uint8_t druh = DruhHodnoty();
    if (NulovatPriste) {
        double cislo = 0.0;
        if (PrevodNaCislo(PocatecniHodnota, kontext.Locale(), &cislo)) {
            Hodnota.Number = cislo;
            Hodnota.Text = PocatecniHodnota;
            Hodnota.Null = 0;
        } else {
            Hodnota.Init();
        }
        Hodnota.Kind = druh;
        Pocet = 0;
        Soucet = 0.0;
        SoucetCtvercu = 0.0;
        NulovatPriste = false;
    }

    TCalcType x;
    try {
        const TVysledekVyrazu v = Evaluate(Vyraz, &kontext);
        if (v.Chyba == kVyrazOk)
            x = v.Hodnota;
    } catch (...) {
        x.Init(); // a run never stops for an expression
    }
    if (!std::isfinite(x.Number))
        x.Init();

    const bool zapocitat = !VynechatNull || !x.IsNull();
    // A null that is counted counts as 0.
    const double cislo = x.IsNull() ? 0.0 : x.Number;
    auto hodnotaJe = [&](const TCalcType& h) {
        Hodnota = h;
        Hodnota.Kind = druh;
    };
    auto nulovaHodnota = [&] {
        Hodnota.Init();
        Hodnota.Kind = druh;
    };
    auto odchylka = [&]() -> double {
        const double rozptyl = (SoucetCtvercu - Soucet * Soucet / Pocet) / (Pocet - 1);
        // Rounding may leave a tiny negative variance for equal values.
        return std::sqrt(std::max(0.0, rozptyl));
    };
    switch (Agregace) {
    case kAgrPocet:
        if (zapocitat)
            ++Pocet;
        Hodnota.Number = Pocet;
        break;
    case kAgrSoucet:
    case kAgrPrumer:
        if (zapocitat) {
            ++Pocet;
            Soucet += cislo;
        }
        Hodnota.Number = Agregace == kAgrSoucet || Pocet == 0 ? Soucet : Soucet / Pocet;
        break;
    case kAgrMinimum:
    case kAgrMaximum:
        if (zapocitat) {
            ++Pocet;
            const bool mensi = Hodnota.Number > cislo;
            const bool vetsi = Hodnota.Number < cislo;
            if (Pocet == 1 || (Agregace == kAgrMinimum ? mensi : vetsi))
                hodnotaJe(x);
        }
        break;
    case kAgrSmerOdch:
    case kAgrRelSmerOdch:
        if (zapocitat) {
            ++Pocet;
            Soucet += cislo;
            SoucetCtvercu += cislo * cislo;
        }
        if (Agregace == kAgrSmerOdch) {
            if (Pocet > 1)
                Hodnota.Number = odchylka();
            else
                nulovaHodnota();
        } else {
            if (Pocet > 1 && Soucet != 0.0)
                Hodnota.Number = odchylka() * Pocet / Soucet;
            else
                nulovaHodnota();
        }
        break;
    default:
        ++Pocet;
        hodnotaJe(x);
        break;
    }
    if (!std::isfinite(Hodnota.Number))
        nulovaHodnota();
    // Counts, sums, averages and deviations change only the number; their text
    // follows it, so that a text function or a reference never shows a stale one.
    const bool jenCislo = Agregace == kAgrPocet || Agregace == kAgrSoucet ||
                          Agregace == kAgrPrumer || Agregace == kAgrSmerOdch ||
                          Agregace == kAgrRelSmerOdch;
    if (jenCislo)
        Hodnota.Text = FloatToStr(Hodnota.Number, kontext.Locale());
}

QString TRadekFunkce::Text(const QLocale& locale) const {
    if (VynechatNull && Hodnota.IsNull())
        return QString();
    if (TypVysledku == kVysledekText)
        return Hodnota.Text;
    return FloatToStrF(Hodnota.Number, TFloatFormat(PlatnyFormatCisla()), Presnost, DesetinnaMista,
                       locale);
}

// ---------------------------------------------------------------------------

TListFunkci::TListFunkci(const TListFunkci& other) {
    *this = other;
}

TListFunkci& TListFunkci::operator=(const TListFunkci& other) {
    if (this == &other)
        return *this;
    std::vector<std::unique_ptr<TRadekFunkce>> kopie;
    kopie.reserve(other.m_funkce.size());
    for (const auto& f : other.m_funkce)
        kopie.push_back(std::make_unique<TRadekFunkce>(*f));
    m_funkce = std::move(kopie);
    return *this;
}

TRadekFunkce& TListFunkci::Add() {
    return Insert(Count());
}

TRadekFunkce& TListFunkci::Insert(int index) {
    index = std::clamp(index, 0, Count());
    auto f = std::make_unique<TRadekFunkce>();
    f->Nazev = QStringLiteral("Funkce%1").arg(index + 1);
    f->Popis = f->Nazev;
    TRadekFunkce& vysledek = *f;
    m_funkce.insert(m_funkce.begin() + index, std::move(f));
    return vysledek;
}

void TListFunkci::Delete(int index) {
    if (index >= 0 && index < Count())
        m_funkce.erase(m_funkce.begin() + index);
}

void TListFunkci::Move(int from, int to) {
    if (from < 0 || from >= Count() || to < 0 || to >= Count() || from == to)
        return;
    auto f = std::move(m_funkce[size_t(from)]);
    m_funkce.erase(m_funkce.begin() + from);
    m_funkce.insert(m_funkce.begin() + to, std::move(f));
}

void TListFunkci::Clear() {
    m_funkce.clear();
}

TRadekFunkce* TListFunkci::Get(int index) {
    return index >= 0 && index < Count() ? m_funkce[size_t(index)].get() : nullptr;
}

const TRadekFunkce* TListFunkci::Get(int index) const {
    return index >= 0 && index < Count() ? m_funkce[size_t(index)].get() : nullptr;
}

int TListFunkci::Find(const QString& nazev) const {
    for (int i = 0; i < Count(); ++i)
        if (m_funkce[size_t(i)]->Nazev.compare(nazev, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void TListFunkci::RequestReset(int uroven) {
    for (const auto& f : m_funkce)
        if (uroven < 0 || f->UrovenNulovani == uroven)
            f->NulovatPriste = true;
}

void TListFunkci::SetSkipNulls(bool vynechat) {
    for (const auto& f : m_funkce)
        f->VynechatNull = vynechat;
}

void TListFunkci::ComputeAll(const TKontextVypoctu& kontext) {
    // By index: an expression never changes the list, but a context may hand out
    // this very list, so no iterator is held across the computation.
    for (int i = 0; i < Count(); ++i)
        m_funkce[size_t(i)]->Vypocitat(kontext);
}

QString TListFunkci::FunctionText(int index, const QLocale& locale) const {
    const TRadekFunkce* f = Get(index);
    return f ? f->Text(locale) : QString();
}

QString TListFunkci::CaptionAt(int index) const {
    const TRadekFunkce* f = Get(index);
    if (!f)
        return QString();
    // Left-aligned so that the reference "@n" reads at the start of every line.
    return QStringLiteral("@") + QString::number(index + 1).leftJustified(3, QChar(' ')) + f->Nazev;
}

QString TListFunkci::ListCaption(int index) const {
    const TRadekFunkce* f = Get(index);
    if (!f)
        return QStringLiteral("Funkce ") + QString::number(index) + QStringLiteral("  ???");
    return QStringLiteral("Funkce ") + f->Nazev + QStringLiteral(" - ") + f->Popis;
}

} // namespace arvelo::report
