#include "../test_context.h"
#include "report/expr/evaluator.h"
#include "report/expr/format.h"
#include "report/expr/number_text.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

using namespace arvelo::report;

namespace {

const test::TTestKontext& Kontext() {
    static const test::TTestKontext k = [] {
        test::TTestKontext k;
        k.Pole = {
            {"Ucet", fieldtype::String, "501100", 501100},
            {"Castka", fieldtype::Float, "1234.5", 1234.5},
            {"Poznamka", fieldtype::String, "", 0, true},
            {"Vadne", fieldtype::Float, "", 0, false, true},
        };
        k.Parametry = {"12.5", "abc"};
        k.Funkce.Add().Nazev = "Soucet";
        k.Systemove.Skupiny = {{1, 1}};
        k.Jazyk = QLocale(QLocale::Czech, QLocale::CzechRepublic);
        return k;
    }();
    return k;
}

void Over(bool podminka) {
    if (!podminka)
        std::abort();
}

} // namespace

// The first byte chooses what the rest feeds: an expression, a function list, a
// number format, a date-time format or text to number.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const std::uint8_t volba = data[0];
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    const test::TTestKontext& k = Kontext();
    double x = 0;
    if (size >= 9)
        std::memcpy(&x, data + 1, sizeof x);
    switch (volba % 5) {
    case 0: {
        const TVysledekVyrazu v = Evaluate(text, &k);
        Over(v.Pozice >= 0 && v.Pozice <= text.size());
        Over(v.Chyba == 0 ? std::isfinite(v.Hodnota.Number) : v.Hodnota == TCalcType());
        break;
    }
    case 1: {
        test::TTestKontext kopie = k;
        const QStringList vyrazy = text.split(QChar('\n'));
        for (const QString& vyraz : vyrazy) {
            TRadekFunkce& f = kopie.Funkce.Add();
            f.Vyraz = vyraz;
            f.Agregace = kopie.Funkce.Count() % 9;
        }
        kopie.Funkce.RequestReset(-1);
        for (int i = 0; i < 3; ++i) {
            kopie.Funkce.ComputeAll(kopie);
            for (int j = 0; j < kopie.Funkce.Count(); ++j)
                Over(std::isfinite(kopie.Funkce.Get(j)->Hodnota.Number));
        }
        break;
    }
    case 2:
        (void)FormatFloat(text, x, k.Jazyk);
        (void)FormatFloat(text, double(volba) - 100.5, k.Jazyk);
        (void)FloatToStrF(x, TFloatFormat(volba % 5), volba % 20, volba % 19, k.Jazyk);
        break;
    case 3: {
        QString s;
        (void)FormatDateTime(text, x, k.Jazyk, &s);
        (void)FormatDateTime(text, 45296.123, k.Jazyk, &s);
        (void)FormatInteger(text, std::fabs(x) < 1e18 ? std::int64_t(x) : 0, &s);
        break;
    }
    default: {
        double y = 0;
        (void)TextNaCislo(text, k.Jazyk);
        (void)PrevodNaCislo(text, k.Jazyk, &y);
        break;
    }
    }
    return 0;
}
