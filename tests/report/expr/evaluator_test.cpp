#include "report/expr/evaluator.h"
#include "test_context.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <optional>

namespace arvelo::report {
namespace {

using test::TTestKontext;

// A report with fields of each kind, parameters, two functions and one group.
TTestKontext Kontext() {
    TTestKontext k;
    k.Pole = {
        {"Ucet", fieldtype::String, "501100", 501100},
        {"Castka", fieldtype::Float, "1234.5", 1234.5},
        {"Datum", fieldtype::Date, "5.1.2024", 45296},
        {"Poznamka", fieldtype::String, "", 0, true},
        {"Pocet", fieldtype::Integer, "3", 3},
        {"Vadne", fieldtype::Float, "", 0, false, true},
    };
    k.Parametry = {"12.5", "abc", "1E-3", " 7"};
    TRadekFunkce& f1 = k.Funkce.Add();
    f1.Nazev = "Soucet";
    f1.Hodnota = {TCalcType::kCislo, 10, "10", 0};
    TRadekFunkce& f2 = k.Funkce.Add();
    f2.Nazev = "Nazev";
    f2.Hodnota = {TCalcType::kText, 0, "Firma", 0};
    k.Systemove.DatumCasTisku = 45296.5;
    k.Systemove.CisloRadku = 7;
    k.Systemove.CisloStrany = 2;
    k.Systemove.PocetStran = 5;
    k.Systemove.Skupiny = {{3, 4}};
    return k;
}

struct TPripad {
    const char* Vyraz;
    int Chyba;
    int Pozice;
    int Druh = TCalcType::kCislo;
    double Cislo = 0;
    std::optional<QString> Text = std::nullopt; // not compared when absent
    int Null = 0;
};

void Over(const std::vector<TPripad>& pripady, const TKontextVypoctu* kontext) {
    for (const TPripad& p : pripady) {
        SCOPED_TRACE(p.Vyraz);
        const TVysledekVyrazu v = Evaluate(QString::fromUtf8(p.Vyraz), kontext);
        EXPECT_EQ(v.Chyba, p.Chyba);
        EXPECT_EQ(v.Pozice, p.Pozice);
        if (p.Chyba != 0) {
            // A failed expression gives the initialised value.
            EXPECT_EQ(v.Hodnota, TCalcType());
            continue;
        }
        EXPECT_EQ(v.Hodnota.Kind, p.Druh);
        EXPECT_NEAR(v.Hodnota.Number, p.Cislo, 1e-12 * std::max(1.0, std::fabs(p.Cislo)));
        if (p.Text) {
            EXPECT_EQ(v.Hodnota.Text, *p.Text);
        }
        EXPECT_EQ(v.Hodnota.Null, p.Null);
    }
}

constexpr int N = TCalcType::kCislo;
constexpr int T = TCalcType::kText;

TEST(Vyraz, OperatorsAndStrength) {
    const TTestKontext k = Kontext();
    Over(
        {
            {"1+2", 0, 0, N, 3, "12"},
            {"'a'+'b'", 0, 0, T, 0, "ab"},
            {"'1'+'2'", 0, 0, T, 3, "12"},
            {"'a'+1", 0, 0, N, 1, "a1"},
            {"2*3+4", 0, 0, N, 10, "64"},
            {"2+3*4", 0, 0, N, 14, "212"},
            {"(2+3)*4", 0, 0, N, 20, "20"},
            {"10-4-3", 0, 0, N, 3, "3"},
            {"12/4/3", 0, 0, N, 1, "1"},
            {"7/2", 0, 0, N, 3.5, "3.5"},
            {"2^3^2", 0, 0, N, 64, "64"},
            {"2^-1", 2, 2},
            {"2*-3", 2, 2},
            {"2*(-3)", 0, 0, N, -6, "-6"},
            {"-(2+3)", 0, 0, N, -5, "-5"},
            {"-2^2", 6, 2},
            {"1/0", 6, 1},
            {"0^2", 6, 1},
            {"1 < 2", 0, 0, N, 1, "1"},
            {"2 <= 2", 0, 0, N, 1},
            {"3 >= 4", 0, 0, N, 0, "0"},
            {"2 > 1", 0, 0, N, 1},
            {"1 <> 1", 0, 0, N, 0},
            {"'abc' = 'abc'", 0, 0, N, 1},
            {"'abc' = 'ABC'", 0, 0, N, 0},
            {"'abc' <> 'ABC'", 0, 0, N, 1},
            {"'5' = 5", 0, 0, N, 1},
            {"'a' < 'b'", 0, 0, N, 0},
            {"NOT 0 = 1", 0, 0, N, 1},
            {"NOT 1", 0, 0, N, 0},
            {"not not 3", 0, 0, N, 1},
            {"NOT -1", 2, 4},
            {"2 AND 3", 0, 0, N, 1},
            {"1 AND 0", 0, 0, N, 0},
            {"1 OR 0", 0, 0, N, 1},
            {"-1 OR 0", 0, 0, N, 0},
            {"1 + 2 = 3 AND 1", 0, 0, N, 0},
            {"(1 + 2 = 3) AND 1", 0, 0, N, 1},
            {"2 * NOT 0", 0, 0, N, 2},
            {"2 IN [1,2,3]", 0, 0, N, 1},
            {"4 IN [1,2,3]", 0, 0, N, 0},
            {"'b' IN ['a','b']", 0, 0, N, 1},
            {"'b' IN [a, b ]", 0, 0, N, 1},
            {"'x' IN [a, b]", 0, 0, N, 0},
            {"5 IN [05]", 0, 0, N, 1},
            {"0 IN [0]", 0, 0, N, 1},
            {"#1 IN [1, 501100]", 0, 0, N, 1},
            {"10 IN [&1, @1]", 0, 0, N, 1},
            {"'Firma' IN [@Nazev]", 0, 0, N, 1},
            {"1 IN [#Neni, 1]", 0, 0, N, 1},
            {"1 IN 2", 0, 0, N, 0},
            {"2 IN '1,2'", 0, 0, N, 1},
            {"1 + 2 IN [3]", 0, 0, N, 1},
            {"1 + 2 IN [12]", 0, 0, N, 1},
            {"1 + 2 IN [4]", 0, 0, N, 0},
        },
        &k);
}

TEST(Vyraz, LiteralsAndSyntaxErrors) {
    const TTestKontext k = Kontext();
    Over(
        {
            {"", 0, 0, TCalcType::kJiny, 0, ""},
            {"   ", 0, 0, TCalcType::kJiny, 0, ""},
            {"1E-3", 0, 0, N, 0.001, "1E-3"},
            {"1.5e+2", 0, 0, N, 150, "1.5e+2"},
            {"12.", 0, 0, N, 12, "12."},
            {"1E123", 7, 4},
            {"1E", 7, 2},
            {"12a", 7, 2},
            {"1.2.3", 2, 3},
            {"'abc", 12, 0},
            {"1+[abc", 13, 2},
            {"[abc]", 0, 0, TCalcType::kZavorka, 0, "abc"},
            {"'12,5'", 0, 0, T, 12.5, "12,5"},
            {"'x'", 0, 0, T, 0, "x"},
            {"''", 0, 0, T, 0, ""},
            {"--1", 2, 1},
            {"1 +", 2, 3},
            {"1 NOT 2", 2, 2},
            {"1 2", 2, 2},
            {"1 $ 2", 2, 2},
            {"(1", 5, 2},
            {"((1)", 5, 4},
            {"1)", 4, 1},
            {"()", 2, 1},
            {"1,2", 11, 1},
            {"(1,2)", 11, 2},
            {"FOO(1)", 1, 0},
            {"1+foo", 1, 2},
            {"ABS", 2, 3},
            {"ABS 1", 2, 4},
            {"ABS(1", 5, 5},
            {"ABS()", 10, 4},
            {"LEFT('abc')", 10, 10},
            {"MAX(1,2,3)", 11, 7},
            {"MAX(1,)", 2, 6},
            {"MAX(,1)", 2, 4},
            {"1(2)", 2, 1},
        },
        &k);
}

TEST(Vyraz, StackLimit) {
    const TTestKontext k = Kontext();
    const QString ctyricet = QString(40, '(') + "1" + QString(40, ')');
    const TVysledekVyrazu ok = Evaluate(ctyricet, &k);
    EXPECT_EQ(ok.Chyba, 0);
    EXPECT_EQ(ok.Hodnota.Number, 1);
    const TVysledekVyrazu plno = Evaluate(QString(41, '(') + "1" + QString(41, ')'), &k);
    EXPECT_EQ(plno.Chyba, kChybaPlnyZasobnik);
    EXPECT_EQ(plno.Pozice, 40);
    // A long flat sum never fills the stacks.
    QString soucet = "1";
    for (int i = 0; i < 2000; ++i)
        soucet += "+1";
    EXPECT_EQ(Evaluate(soucet, &k).Hodnota.Number, 2001);
}

TEST(Vyraz, BuiltInFunctions) {
    const TTestKontext k = Kontext();
    Over(
        {
            {"ABS(-3)", 0, 0, N, 3, "3"},
            {"abs(-1.5)", 0, 0, N, 1.5, "1.5"},
            {"INT(-2.7)", 0, 0, N, -2},
            {"INT(2.7)", 0, 0, N, 2},
            {"SGN(-5)", 0, 0, N, -1},
            {"SGN(0)", 0, 0, N, 0},
            {"SGN(2)", 0, 0, N, 1},
            {"Max(2,5)", 0, 0, N, 5, "5"},
            {"MIN(2,5)", 0, 0, N, 2},
            {"IIF(1,'a','b')", 0, 0, T, 0, "a"},
            {"IIF(0,'a','b')", 0, 0, T, 0, "b"},
            {"IIF(0,1,2)", 0, 0, N, 2, "2"},
            {"IIF(1,'7',2)", 0, 0, N, 7, "7"},
            {"LEFT('abcdef',2.5)", 0, 0, T, 0, "ab"},
            {"LEFT('abc',-1)", 0, 0, T, 0, ""},
            {"LEFT('abc',1E99)", 0, 0, T, 0, "abc"},
            {"LEFT('123',2)", 0, 0, T, 12, "12"},
            {"RIGHT('abcdef',2)", 0, 0, T, 0, "ef"},
            {"SUBSTR('abcdef',2,3)", 0, 0, T, 0, "bcd"},
            {"SUBSTR('abc',5,1)", 0, 0, T, 0, ""},
            {"SUBSTR('abc',0,2)", 0, 0, T, 0, "ab"},
            {"UPPER('žluťoučký')", 0, 0, T, 0, "ŽLUŤOUČKÝ"},
            {"UPPER(5)", 0, 0, T, 5, "5"},
            {"LOWER('ABC')", 0, 0, T, 0, "abc"},
            {"LTRIM('  12 ')", 0, 0, T, 0, "12 "},
            {"LTRIM('  12')", 0, 0, T, 12, "12"},
            {"RTRIM(' 12  ')", 0, 0, T, 12, " 12"},
            {"ALLTRIM('  a b  ')", 0, 0, T, 0, "a b"},
            {"FORMAT(1234.5,'#,##0.00')", 0, 0, T, 1234.5, "1,234.50"},
            {"SIN(0)", 0, 0, N, 0},
            {"COS(0)", 0, 0, N, 1},
            {"TAN(0)", 0, 0, N, 0},
            {"TAN(1)", 0, 0, N, std::tan(1.0)},
            {"COTG(0)", 6, 0},
            {"COTG(1)", 0, 0, N, 1 / std::tan(1.0)},
            {"EXP(0)", 0, 0, N, 1},
            {"EXP(1000)", 6, 0},
            {"LOG(1)", 0, 0, N, 0},
            {"LOG(0)", 6, 0},
            {"1+LOG(-1)", 6, 2},
            {"ASIN(1)", 0, 0, N, std::numbers::pi / 2},
            {"ASIN(2)", 6, 0},
            {"ACOS(1)", 0, 0, N, 0},
            {"ACOS(-1.5)", 6, 0},
            {"ATAN(1)", 0, 0, N, std::numbers::pi / 4},
            {"ACOTG(0)", 0, 0, N, std::numbers::pi / 2},
            {"CHR(65)", 0, 0, T, 0, "A"},
            {"CHR(64.6)", 0, 0, T, 0, "A"},
            {"CHR(138)", 0, 0, T, 0, "Š"},
            {"CHR(0)", 0, 0, T, 0, ""},
            {"CHR(256)", 0, 0, T, 0, ""},
            {"ORD('A')", 0, 0, N, 65},
            {"ORD('š')", 0, 0, N, 154},
            {"ORD('')", 0, 0, N, 0},
            {"LENGTH('abcd')", 0, 0, N, 4, ""},
            {"POS('b','abc')", 0, 0, N, 2},
            {"POS('xb','abc')", 0, 0, N, 0},
            {"POS('bx','abc')", 0, 0, N, 2},
            {"POS('','abc')", 0, 0, N, 0},
            {"ISNULL(#4)", 0, 0, N, 1, ""},
            {"ISNULL(1)", 0, 0, N, 0, ""},
            {"YEAR(45296)", 0, 0, N, 2024},
            {"MONTH(45296)", 0, 0, N, 1},
            {"DAY(45296.9)", 0, 0, N, 5},
            {"YEAR(1E10)", 6, 0},
            {"HOUR(0.75)", 0, 0, N, 18},
            {"MINUTE(0.5+1/1440)", 0, 0, N, 1},
            {"SECUNDE(2/86400)", 0, 0, N, 2},
            {"FORMATDT(45296.5,'dd.mm.yyyy hh:nn')", 0, 0, T, 45296.5, "05.01.2024 12:00"},
            {"FORMATDT(1E20,'dd')", 6, 0},
            {"STRTONUM('12.5')", 0, 0, N, 12.5, "12.5"},
            {"STRTONUM('1E-3')", 0, 0, N, 0, "1E-3"},
            {"STRTONUM('abc')", 0, 0, N, 0, "abc"},
            {"NUMTOSTR(2.5)", 0, 0, T, 2.5, "2.5"},
            {"ROUND(2.5)", 0, 0, N, 2},
            {"ROUND(3.5)", 0, 0, N, 4},
            {"ROUND(-2.5)", 0, 0, N, -2},
            {"ROUND(2.6)", 0, 0, N, 3},
            {"MAX(ABS(-7), 2^3)", 0, 0, N, 8},
        },
        &k);
}

TEST(Vyraz, References) {
    const TTestKontext k = Kontext();
    Over(
        {
            {"#1", 0, 0, T, 501100, "501100"},
            {"#Ucet", 0, 0, T, 501100, "501100"},
            {"#ucet", 0, 0, T, 501100, "501100"},
            {"#2", 0, 0, N, 1234.5, "1234.5"},
            {"#Castka * 2", 0, 0, N, 2469, "2469"},
            {"#Datum", 0, 0, TCalcType::kJiny, 45296, "5.1.2024"},
            {"#4", 0, 0, T, 0, "", 1},
            {"#Poznamka + 1", 0, 0, N, 1, "1", 1},
            {"ISNULL(#4) + 1", 0, 0, N, 2, "1", 0},
            {"#Neni", 1, 0},
            {"1+#Neni", 1, 2},
            {"#9", 0, 0, TCalcType::kJiny, 0, "", 1},
            {"#0", 0, 0, TCalcType::kJiny, 0, "", 1},
            {"#6", 0, 0, TCalcType::kJiny, 0, "", 1},
            {"#1234", 2, 4},
            {"#", 1, 0},
            {"1 + #", 1, 4},
            {"1 #1", 2, 2},
            {"&1", 0, 0, T, 12.5, "12.5"},
            {"&2", 0, 0, T, 0, "abc"},
            {"&3", 0, 0, T, 0, "1E-3"},
            {"&4 * 2", 0, 0, N, 14, "14"},
            {"&9", 0, 0, TCalcType::kJiny, 0, "", 1},
            {"&abc", 1, 0},
            {"@1", 0, 0, N, 10, "10"},
            {"@Soucet", 0, 0, N, 10, "10"},
            {"@SOUCET + 1", 0, 0, N, 11},
            {"@2", 0, 0, T, 0, "Firma"},
            {"@Nazev = 'Firma'", 0, 0, N, 1},
            {"@Neni", 1, 0},
            {"@5", 0, 0, TCalcType::kJiny, 0, "", 1},
            {"%3", 0, 0, N, 7, "7"},
            {"%4", 0, 0, N, 2, "2"},
            {"%5", 0, 0, N, 5, "5"},
            {"%6", 0, 0, N, 3, "3"},
            {"%7", 0, 0, N, 4, "4"},
            {"%1", 0, 0, N, 45296.5},
            {"%2 - %1", 0, 0, N, 0},
            {"%8", 0, 0, TCalcType::kJiny, 0, "", 1},
            {"%abc", 1, 0},
        },
        &k);
}

TEST(Vyraz, WithoutContext) {
    Over(
        {
            {"#1", 0, 0, TCalcType::kJiny, 0, "", 1},
            {"#Ucet", 1, 0},
            {"1/2", 0, 0, N, 0.5},
        },
        nullptr);
}

TEST(Vyraz, NumberTextsFollowTheLocale) {
    TTestKontext k = Kontext();
    k.Jazyk = QLocale(QLocale::Czech, QLocale::CzechRepublic);
    k.Parametry = {"12.5", "12,5"};
    Over(
        {
            {"7/2", 0, 0, N, 3.5, "3,5"},
            {"&1 + &2", 0, 0, T, 25, "12.512,5"},
            {"STRTONUM('1,5')", 0, 0, N, 1.5, "1,5"},
            {"NUMTOSTR(0.25)", 0, 0, T, 0.25, "0,25"},
        },
        &k);
}

TEST(Vyraz, Kontrola) {
    const TTestKontext k = Kontext();
    const TKontrolaVyrazu ok = KontrolaVyrazu("ABS(#Castka)", &k);
    EXPECT_TRUE(ok.Ok);
    EXPECT_EQ(ok.Titulek, "Informace");
    EXPECT_EQ(ok.Zprava, "Výraz je v pořádku.");

    const TKontrolaVyrazu chyba = KontrolaVyrazu("1 + #Neni", &k);
    EXPECT_FALSE(chyba.Ok);
    EXPECT_EQ(chyba.Titulek, "Chyba");
    EXPECT_EQ(chyba.Zprava, "Chyba : \"\" na pozici 5");
    EXPECT_EQ(chyba.PoziceKurzoru, 4);
}

TEST(Vyraz, BuiltInTable) {
    int pocet = 0;
    const TVestavenaFunkce* f = VestaveneFunkce(&pocet);
    ASSERT_EQ(pocet, 40);
    for (int i = 0; i < pocet; ++i) {
        SCOPED_TRACE(f[i].Nazev);
        EXPECT_EQ(f[i].Kod, i + 1);
        EXPECT_EQ(KodVestaveneFunkce(QString(f[i].Nazev).toLower()), i + 1);
        // The template has one comma fewer than arguments.
        EXPECT_EQ(QString(f[i].Sablona).count(','), f[i].PocetArgumentu - 1);
    }
    EXPECT_EQ(KodVestaveneFunkce("FORMATDT"), 37);
    EXPECT_EQ(KodVestaveneFunkce("NIC"), 0);
}

} // namespace
} // namespace arvelo::report
