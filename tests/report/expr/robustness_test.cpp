#include "report/expr/evaluator.h"
#include "report/expr/format.h"
#include "report/expr/number_text.h"
#include "test_context.h"

#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <set>

namespace arvelo::report {
namespace {

using test::TTestKontext;

// Random expressions built from the language's own pieces mixed with random
// characters: whatever comes in, the evaluator answers with a value or an error
// code, never a crash, a hang or an exception. The seed is fixed so that a
// failure repeats.
class TNahoda {
public:
    explicit TNahoda(std::uint32_t seed) : m_gen(seed) {}
    std::uint32_t Do(std::uint32_t n) { return m_gen() % n; }

    QString Vyraz() {
        static const char* const kKusy[] = {
            "1",     "2.5",   "0",     "1E5",   "1E123",   "3e-2", "12a",     "'a'",      "'12,5'",
            "'",     "[x,1]", "[",     "]",     "#1",      "#2",   "#3",      "#4",       "#9",
            "#Ucet", "#Neni", "&1",    "&2",    "&5",      "@1",   "@Soucet", "@9",       "%1",
            "%3",    "%8",    "#",     "&",     "@",       "%",    "(",       ")",        ",",
            "+",     "-",     "*",     "/",     "^",       "=",    "<",       ">",        "<>",
            "<=",    ">=",    " NOT ", " AND ", " OR ",    " IN ", " ",       "  ",       "$",
            "\"",    ";",     "-1",    "1E-3",  "45296.5", "1E99", "'1,2,3'", "[#1, @1]",
        };
        QString s;
        const std::uint32_t delka = Do(24);
        for (std::uint32_t i = 0; i < delka; ++i) {
            switch (Do(10)) {
            case 0: {
                int pocet = 0;
                const TVestavenaFunkce* f = VestaveneFunkce(&pocet);
                s += QString::fromLatin1(f[Do(std::uint32_t(pocet))].Nazev) + "(";
                break;
            }
            case 1:
                s += QChar(char16_t(1 + Do(0x17F)));
                break;
            default:
                s += QString::fromUtf8(kKusy[Do(std::size(kKusy))]);
                break;
            }
        }
        return s;
    }

    QString Format(const char* znaky) {
        QString s;
        const std::uint32_t delka = Do(16);
        const std::uint32_t pocet = std::uint32_t(std::strlen(znaky));
        for (std::uint32_t i = 0; i < delka; ++i)
            s += QChar(znaky[Do(pocet)]);
        return s;
    }

    double Cislo() {
        switch (Do(8)) {
        case 0:
            return 0.0;
        case 1:
            return -std::ldexp(double(m_gen()), int(Do(200)) - 100);
        case 2:
            return std::numeric_limits<double>::infinity();
        case 3:
            return std::numeric_limits<double>::quiet_NaN();
        case 4:
            return std::numeric_limits<double>::max();
        case 5:
            return std::numeric_limits<double>::denorm_min();
        default:
            return std::ldexp(double(m_gen()), int(Do(120)) - 80);
        }
    }

private:
    std::mt19937 m_gen;
};

TTestKontext Kontext() {
    TTestKontext k;
    k.Pole = {
        {"Ucet", fieldtype::String, "501100", 501100},
        {"Castka", fieldtype::Float, "1234.5", 1234.5},
        {"Poznamka", fieldtype::String, "", 0, true},
        {"Vadne", fieldtype::Float, "", 0, false, true},
    };
    k.Parametry = {"12.5", "abc"};
    k.Funkce.Add().Nazev = "Soucet";
    k.Systemove.Skupiny = {{1, 1}};
    return k;
}

TEST(Odolnost, RandomExpressions) {
    const TTestKontext k = Kontext();
    const std::set<int> kody = {0, 1, 2, 3, 4, 5, 6, 7, 10, 11, 12, 13};
    TNahoda nahoda(20261210);
    int uspechu = 0;
    for (int i = 0; i < 120000; ++i) {
        const QString vyraz = nahoda.Vyraz();
        const TVysledekVyrazu v = Evaluate(vyraz, &k);
        ASSERT_TRUE(kody.count(v.Chyba)) << vyraz.toStdString() << " -> " << v.Chyba;
        ASSERT_GE(v.Pozice, 0) << vyraz.toStdString();
        ASSERT_LE(v.Pozice, vyraz.size()) << vyraz.toStdString();
        if (v.Chyba != 0) {
            ASSERT_EQ(v.Hodnota, TCalcType()) << vyraz.toStdString();
            continue;
        }
        ++uspechu;
        ASSERT_EQ(v.Pozice, 0);
        ASSERT_TRUE(std::isfinite(v.Hodnota.Number)) << vyraz.toStdString();
        // The same text in parentheses means the same.
        const TVysledekVyrazu z = Evaluate("(" + vyraz + ")", &k);
        if (z.Chyba != kChybaPlnyZasobnik && !vyraz.trimmed().isEmpty()) {
            ASSERT_EQ(z.Chyba, 0) << vyraz.toStdString();
            ASSERT_EQ(z.Hodnota.Number, v.Hodnota.Number) << vyraz.toStdString();
            ASSERT_EQ(z.Hodnota.Text, v.Hodnota.Text) << vyraz.toStdString();
        }
    }
    // The generator must reach the evaluation, not only the error paths.
    EXPECT_GT(uspechu, 1000);
}

TEST(Odolnost, LongAndDeepExpressions) {
    const TTestKontext k = Kontext();
    const QString dlouhy = QString(100000, '(');
    EXPECT_EQ(Evaluate(dlouhy, &k).Chyba, kChybaPlnyZasobnik);
    EXPECT_EQ(Evaluate(QString(100000, ')'), &k).Chyba, kChybaZavorkaNavic);
    QString vnoreni;
    for (int i = 0; i < 5000; ++i)
        vnoreni += "ABS(";
    EXPECT_EQ(Evaluate(vnoreni + "1", &k).Chyba, kChybaPlnyZasobnik);
    const QString text = "'" + QString(200000, 'x') + "'";
    EXPECT_EQ(Evaluate("LENGTH(" + text + ")", &k).Hodnota.Number, 200000);
    EXPECT_EQ(Evaluate("1 IN [" + QString(100000, ',') + "1]", &k).Hodnota.Number, 1);
    // A literal beyond the range of a double is malformed.
    EXPECT_EQ(Evaluate(QString(300, '9'), &k).Chyba, 0);
    EXPECT_EQ(Evaluate(QString(100000, '1'), &k).Chyba, kChybaSpatneCislo);
}

TEST(Odolnost, RandomFunctionLists) {
    TNahoda nahoda(7);
    for (int beh = 0; beh < 300; ++beh) {
        TTestKontext k = Kontext();
        k.Funkce.Clear();
        for (int i = 0; i < 6; ++i) {
            TRadekFunkce& f = k.Funkce.Add();
            f.Vyraz = nahoda.Vyraz();
            f.Agregace = int(nahoda.Do(10)) - 1;
            f.TypVysledku = int(nahoda.Do(3));
            f.FormatCisla = int(nahoda.Do(7)) - 1;
            f.Presnost = int(nahoda.Do(40)) - 5;
            f.DesetinnaMista = int(nahoda.Do(40)) - 5;
            f.PocatecniHodnota = nahoda.Vyraz();
            f.UrovenNulovani = int(nahoda.Do(4));
        }
        k.Funkce.SetSkipNulls(nahoda.Do(2) == 0);
        k.Funkce.RequestReset(-1);
        for (int zaznam = 0; zaznam < 20; ++zaznam) {
            k.Pole[1].Cislo = nahoda.Cislo();
            k.Pole[2].Null = nahoda.Do(2) == 0;
            if (nahoda.Do(5) == 0)
                k.Funkce.RequestReset(int(nahoda.Do(4)));
            k.Funkce.ComputeAll(k);
            for (int i = 0; i < k.Funkce.Count(); ++i) {
                ASSERT_TRUE(std::isfinite(k.Funkce.Get(i)->Hodnota.Number));
                (void)k.Funkce.FunctionText(i, k.Jazyk);
            }
        }
    }
}

TEST(Odolnost, RandomFormats) {
    TNahoda nahoda(99);
    const QLocale cs(QLocale::Czech, QLocale::CzechRepublic);
    for (int i = 0; i < 30000; ++i) {
        const double x = nahoda.Cislo();
        (void)FormatFloat(nahoda.Format("0#.,;E+-e ' \"x%"), x, cs);
        QString text;
        (void)FormatDateTime(nahoda.Format("dmyhnszt/:ampAP '\"c. "), x, cs, &text);
        (void)FormatInteger(nahoda.Format("%d-.0123456789:xsu "), qint64(nahoda.Do(1000)) - 500,
                            &text);
        const QString f = FloatToStrF(x, TFloatFormat(nahoda.Do(5)), int(nahoda.Do(40)) - 5,
                                      int(nahoda.Do(40)) - 5, cs);
        ASSERT_FALSE(f.isEmpty());
        (void)TextNaCislo(nahoda.Format("0123456789.,-eE +"), cs);
    }
}

} // namespace
} // namespace arvelo::report
