#include "report/expr/user_functions.h"
#include "test_context.h"

#include <cmath>
#include <gtest/gtest.h>
#include <optional>

namespace arvelo::report {
namespace {

using test::TTestKontext;

// One numeric field "X" whose records the test steps through.
struct TBehy {
    TTestKontext Kontext;
    TBehy() { Kontext.Pole = {{"X", fieldtype::Float, "", 0}}; }
    void Zaznam(std::optional<double> x) {
        auto& pole = Kontext.Pole[0];
        pole.Null = !x.has_value();
        pole.Cislo = x.value_or(0);
        pole.Text = x ? QString::number(*x) : QString();
        Kontext.Funkce.ComputeAll(Kontext);
    }
};

TEST(Funkce, NewFunctionDefaults) {
    TListFunkci list;
    list.Add();
    const TRadekFunkce& f = list.Add();
    EXPECT_EQ(f.Nazev, "Funkce2");
    EXPECT_EQ(f.Popis, "Funkce2");
    EXPECT_EQ(f.Vyraz, "");
    EXPECT_EQ(f.TypVysledku, 0);
    EXPECT_EQ(f.PocatecniHodnota, "0");
    EXPECT_EQ(f.UrovenNulovani, 0);
    EXPECT_EQ(f.Agregace, 0);
    EXPECT_EQ(f.Presnost, 15);
    EXPECT_EQ(f.DesetinnaMista, 2);
    EXPECT_EQ(f.FormatCisla, 2);
    EXPECT_EQ(f.Hodnota, TCalcType());
    EXPECT_EQ(f.Pocet, 0);
    EXPECT_FALSE(f.NulovatPriste);
    EXPECT_FALSE(f.VynechatNull);
}

TEST(Funkce, ListOperations) {
    TListFunkci list;
    list.Add().Nazev = "Soucet";
    list.Add().Nazev = "Prumer";
    list.Add().Nazev = "Nazev";
    list.Get(1)->Popis = "průměr částky";
    EXPECT_EQ(list.Find("PRUMER"), 1);
    EXPECT_EQ(list.Find("soucet"), 0);
    EXPECT_EQ(list.Find("nic"), -1);
    EXPECT_EQ(list.Get(3), nullptr);
    EXPECT_EQ(list.Get(-1), nullptr);

    EXPECT_EQ(list.CaptionAt(0), "@1  Soucet");
    EXPECT_EQ(list.ListCaption(1), "Funkce Prumer - průměr částky");
    EXPECT_EQ(list.ListCaption(7), "Funkce 7  ???");
    EXPECT_EQ(list.CaptionAt(7), "");

    list.Move(2, 0);
    EXPECT_EQ(list.Get(0)->Nazev, "Nazev");
    list.Delete(0);
    list.Delete(9);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Insert(1).Nazev, "Funkce2");
    EXPECT_EQ(list.Get(2)->Nazev, "Prumer");

    // A copy owns records of its own.
    TListFunkci kopie = list;
    kopie.Get(0)->Nazev = "Jina";
    EXPECT_EQ(list.Get(0)->Nazev, "Soucet");

    list.SetSkipNulls(true);
    for (int i = 0; i < list.Count(); ++i)
        EXPECT_TRUE(list.Get(i)->VynechatNull);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.FunctionText(0, QLocale::c()), "");
}

// Records 2, null, 4, 6 through every aggregation, with and without skipping nulls.
TEST(Funkce, Aggregations) {
    struct TPripad {
        int Agregace;
        double SVynechanim;
        int NullSVynechanim;
        double BezVynechani;
        int NullBezVynechani;
    };
    const double odchylka4 = std::sqrt(20.0 / 3.0); // of 2, 0, 4, 6
    const std::vector<TPripad> pripady = {
        {kAgrZadna, 6, 0, 6, 0},
        {kAgrPocet, 3, 0, 4, 0},
        {kAgrSoucet, 12, 0, 12, 0},
        {kAgrPrumer, 4, 0, 3, 0},
        {kAgrMinimum, 2, 0, 0, 1}, // a counted null is 0 and becomes the minimum
        {kAgrMaximum, 6, 0, 6, 0},
        {kAgrSmerOdch, 2, 0, odchylka4, 0},
        {kAgrRelSmerOdch, 0.5, 0, odchylka4 * 4 / 12, 0},
    };
    for (const bool vynechat : {true, false}) {
        for (const TPripad& p : pripady) {
            SCOPED_TRACE(testing::Message()
                         << "agregace " << p.Agregace << " vynechat " << vynechat);
            TBehy b;
            TRadekFunkce& f = b.Kontext.Funkce.Add();
            f.Vyraz = "#X";
            f.Agregace = p.Agregace;
            b.Kontext.Funkce.SetSkipNulls(vynechat);
            b.Kontext.Funkce.RequestReset(-1);
            for (const std::optional<double> x :
                 {std::optional<double>(2), std::optional<double>(), std::optional<double>(4),
                  std::optional<double>(6)})
                b.Zaznam(x);
            EXPECT_NEAR(f.Hodnota.Number, vynechat ? p.SVynechanim : p.BezVynechani, 1e-12);
            EXPECT_EQ(f.Hodnota.Null, vynechat ? p.NullSVynechanim : p.NullBezVynechani);
            EXPECT_EQ(f.Hodnota.Kind, TCalcType::kCislo);
            // The text follows the number (the value of x for the others).
            EXPECT_EQ(f.Hodnota.Text,
                      f.Hodnota.Null ? QString() : QString::number(f.Hodnota.Number, 'g', 15));
        }
    }
}

TEST(Funkce, TextFunctionWithACount) {
    TBehy b;
    TRadekFunkce& f = b.Kontext.Funkce.Add();
    f.Vyraz = "#X";
    f.Agregace = kAgrPocet;
    f.TypVysledku = kVysledekText;
    b.Kontext.Funkce.RequestReset(-1);
    b.Zaznam(1);
    b.Zaznam(1);
    EXPECT_EQ(f.Text(b.Kontext.Jazyk), "2");
    EXPECT_EQ(f.Hodnota.Kind, TCalcType::kText);
}

TEST(Funkce, DeviationNeedsTwoValuesAndANonZeroTotal) {
    TBehy b;
    TRadekFunkce& odch = b.Kontext.Funkce.Add();
    odch.Vyraz = "#X";
    odch.Agregace = kAgrSmerOdch;
    TRadekFunkce& rel = b.Kontext.Funkce.Add();
    rel.Vyraz = "#X";
    rel.Agregace = kAgrRelSmerOdch;
    b.Kontext.Funkce.RequestReset(-1);
    b.Zaznam(5);
    EXPECT_EQ(odch.Hodnota.Number, 0);
    EXPECT_EQ(rel.Hodnota.Number, 0);
    b.Zaznam(-5);
    EXPECT_NEAR(odch.Hodnota.Number, std::sqrt(50.0), 1e-12);
    EXPECT_EQ(rel.Hodnota.Number, 0); // total 0
    // Equal values: no deviation, never the root of a rounding error below zero.
    TBehy c;
    TRadekFunkce& stejne = c.Kontext.Funkce.Add();
    stejne.Vyraz = "#X";
    stejne.Agregace = kAgrSmerOdch;
    c.Kontext.Funkce.RequestReset(-1);
    for (int i = 0; i < 3; ++i)
        c.Zaznam(0.1);
    EXPECT_EQ(stejne.Hodnota.Number, 0);
}

TEST(Funkce, ResetLevels) {
    TBehy b;
    auto soucet = [&](int uroven) -> TRadekFunkce& {
        TRadekFunkce& f = b.Kontext.Funkce.Add();
        f.Vyraz = "#X";
        f.Agregace = kAgrSoucet;
        f.UrovenNulovani = uroven;
        return f;
    };
    TRadekFunkce& sestava = soucet(kNulovatSestava);
    TRadekFunkce& stranka = soucet(kNulovatStranka);
    TRadekFunkce& skupina0 = soucet(kNulovatSkupina0);
    TRadekFunkce& skupina1 = soucet(kNulovatSkupina0 + 1);
    b.Kontext.Funkce.RequestReset(-1);
    b.Zaznam(1);
    b.Zaznam(2);
    b.Kontext.Funkce.RequestReset(kNulovatSkupina0);
    EXPECT_TRUE(skupina0.NulovatPriste);
    EXPECT_FALSE(skupina1.NulovatPriste);
    b.Zaznam(4);
    EXPECT_FALSE(skupina0.NulovatPriste);
    b.Kontext.Funkce.RequestReset(kNulovatStranka);
    b.Zaznam(8);
    EXPECT_EQ(sestava.Hodnota.Number, 15);
    EXPECT_EQ(stranka.Hodnota.Number, 8);
    EXPECT_EQ(skupina0.Hodnota.Number, 12);
    EXPECT_EQ(skupina1.Hodnota.Number, 15);
    EXPECT_EQ(sestava.Pocet, 4);
    EXPECT_EQ(stranka.Pocet, 1);
}

TEST(Funkce, InitialValueAndSelfReference) {
    struct TPripad {
        const char* Pocatek;
        QLocale Jazyk;
        std::vector<double> Ocekavane;
    };
    const QLocale en(QLocale::English, QLocale::UnitedStates);
    const QLocale cs(QLocale::Czech, QLocale::CzechRepublic);
    const std::vector<TPripad> pripady = {
        {"10", en, {11, 12, 13}}, {" 1.5 ", en, {2.5, 3.5, 4.5}}, {"1,5", cs, {2.5, 3.5, 4.5}},
        {"1.5", cs, {1, 2, 3}}, // not a number in that locale: starts from 0
        {"abc", en, {1, 2, 3}},
    };
    for (const TPripad& p : pripady) {
        SCOPED_TRACE(p.Pocatek);
        TBehy b;
        b.Kontext.Jazyk = p.Jazyk;
        TRadekFunkce& f = b.Kontext.Funkce.Add();
        f.Vyraz = "@1 + 1";
        f.PocatecniHodnota = p.Pocatek;
        b.Kontext.Funkce.RequestReset(-1);
        for (const double o : p.Ocekavane) {
            b.Zaznam(0);
            EXPECT_DOUBLE_EQ(f.Hodnota.Number, o);
        }
    }
}

TEST(Funkce, LaterFunctionsHoldThePreviousRecord) {
    TBehy b;
    TRadekFunkce& predchozi = b.Kontext.Funkce.Add();
    predchozi.Vyraz = "@2";
    TRadekFunkce& x = b.Kontext.Funkce.Add();
    x.Vyraz = "#X";
    b.Kontext.Funkce.RequestReset(-1);
    b.Zaznam(2);
    EXPECT_EQ(predchozi.Hodnota.Number, 0);
    b.Zaznam(4);
    EXPECT_EQ(predchozi.Hodnota.Number, 2);
    EXPECT_EQ(x.Hodnota.Number, 4);
}

TEST(Funkce, AnExpressionErrorGivesZero) {
    TBehy b;
    TRadekFunkce& f = b.Kontext.Funkce.Add();
    f.Vyraz = "#X / 0";
    f.PocatecniHodnota = "5";
    b.Kontext.Funkce.RequestReset(-1);
    b.Zaznam(3);
    EXPECT_EQ(f.Hodnota.Number, 0);
    EXPECT_EQ(f.Hodnota.Text, "");
    EXPECT_EQ(f.Hodnota.Null, 0);
    EXPECT_EQ(f.Hodnota.Kind, TCalcType::kCislo);
    TRadekFunkce& soucet = b.Kontext.Funkce.Add();
    soucet.Vyraz = "'";
    soucet.Agregace = kAgrPocet;
    b.Kontext.Funkce.RequestReset(-1);
    b.Zaznam(3);
    b.Zaznam(3);
    EXPECT_EQ(soucet.Hodnota.Number, 2); // an error value is no null and counts
}

TEST(Funkce, Text) {
    const QLocale en(QLocale::English, QLocale::UnitedStates);
    const QLocale cs(QLocale::Czech, QLocale::CzechRepublic);
    const QString nbsp(QChar(0x00A0));
    struct TPripad {
        const char* Vyraz;
        int Typ;
        int Format;
        int Presnost;
        int Desetinna;
        QLocale Jazyk;
        QString Text;
    };
    const std::vector<TPripad> pripady = {
        {"1+2", kVysledekText, 2, 15, 2, en, "12"},
        {"1+2", kVysledekCislo, 2, 15, 2, en, "3.00"},
        {"1+2", kVysledekCislo, 2, 15, 2, cs, "3,00"},
        {"1+2", kVysledekCislo, 9, 15, 1, en, "3.0"}, // an unknown format is Fixed
        {"1+2", kVysledekCislo, 0, 15, 2, en, "3"},
        {"1+2", kVysledekCislo, 1, 4, 2, en, "3.000E+00"},
        {"1234567.891", kVysledekCislo, 3, 15, 2, en, "1,234,567.89"},
        {"1234567.891", kVysledekCislo, 3, 15, 2, cs, "1" + nbsp + "234" + nbsp + "567,89"},
        {"3", kVysledekCislo, 4, 15, 2, cs, "3,00" + nbsp + "Kč"},
        {"UPPER('abc')", kVysledekText, 2, 15, 2, en, "ABC"},
        {"#X", kVysledekCislo, 2, 15, 2, en, "0.00"}, // null shown while nulls count
    };
    for (const TPripad& p : pripady) {
        SCOPED_TRACE(p.Vyraz);
        TBehy b;
        b.Kontext.Jazyk = p.Jazyk;
        TRadekFunkce& f = b.Kontext.Funkce.Add();
        f.Vyraz = p.Vyraz;
        f.TypVysledku = p.Typ;
        f.FormatCisla = p.Format;
        f.Presnost = p.Presnost;
        f.DesetinnaMista = p.Desetinna;
        b.Kontext.Funkce.RequestReset(-1);
        b.Zaznam(std::nullopt);
        EXPECT_EQ(b.Kontext.Funkce.FunctionText(0, p.Jazyk), p.Text);
        EXPECT_EQ(f.Hodnota.Kind, p.Typ == kVysledekText ? TCalcType::kText : TCalcType::kCislo);
    }
    // A skipped null shows nothing.
    TBehy b;
    TRadekFunkce& f = b.Kontext.Funkce.Add();
    f.Vyraz = "#X";
    b.Kontext.Funkce.SetSkipNulls(true);
    b.Kontext.Funkce.RequestReset(-1);
    b.Zaznam(std::nullopt);
    EXPECT_EQ(f.Text(en), "");
    b.Zaznam(2);
    EXPECT_EQ(f.Text(en), "2.00");
}

} // namespace
} // namespace arvelo::report
