#include "report/expr/eval_context.h"
#include "report/expr/format.h"
#include "report/expr/number_text.h"
#include "report/expr/system_vars.h"
#include "test_context.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace arvelo::report {
namespace {

const QLocale kEn(QLocale::English, QLocale::UnitedStates);
const QLocale kCs(QLocale::Czech, QLocale::CzechRepublic);
const QString kNbsp(QChar(0x00A0));

TEST(Format, FloatToStrF) {
    using F = TFloatFormat;
    struct TPripad {
        double Hodnota;
        F Format;
        int Presnost;
        int Cislic;
        QLocale Jazyk;
        QString Text;
    };
    const std::vector<TPripad> pripady = {
        {3, F::General, 15, 0, kEn, "3"},
        {0.5, F::General, 15, 0, kEn, "0.5"},
        {0.5, F::General, 15, 0, kCs, "0,5"},
        {-2.5, F::General, 15, 0, kEn, "-2.5"},
        {0, F::General, 15, 0, kEn, "0"},
        {1.0 / 3, F::General, 15, 0, kEn, "0.333333333333333"},
        {0.1 + 0.2, F::General, 15, 0, kEn, "0.3"},
        {1e20, F::General, 15, 0, kEn, "1E20"},
        {1e14, F::General, 15, 0, kEn, "100000000000000"},
        {1e15, F::General, 15, 0, kEn, "1E15"},
        {1.5e-5, F::General, 15, 0, kEn, "1.5E-5"},
        {1.5e-5, F::General, 15, 3, kEn, "1.5E-005"},
        {0.0001, F::General, 15, 0, kEn, "0.0001"},
        {123456789012345678.0, F::General, 15, 0, kEn, "1.23456789012346E17"},
        {1234.5, F::General, 3, 0, kEn, "1.23E3"},
        {1234.5, F::Exponent, 5, 2, kEn, "1.2345E+03"},
        {-0.00012, F::Exponent, 3, 0, kEn, "-1.20E-4"},
        {0, F::Exponent, 3, 2, kEn, "0.00E+00"},
        {1234.567, F::Fixed, 15, 2, kEn, "1234.57"},
        {1234.567, F::Fixed, 15, 2, kCs, "1234,57"},
        {0.005, F::Fixed, 15, 2, kEn, "0.01"},
        {-0.001, F::Fixed, 15, 2, kEn, "0.00"},
        {2.675, F::Fixed, 15, 2, kEn, "2.68"},
        {-7, F::Fixed, 15, 0, kEn, "-7"},
        {1.23456789, F::Fixed, 4, 6, kEn, "1.235000"},
        {1e20, F::Fixed, 15, 2, kEn, "1E20"},
        {1234567.891, F::Number, 15, 2, kEn, "1,234,567.89"},
        {-1234567.891, F::Number, 15, 0, kCs, "-1" + kNbsp + "234" + kNbsp + "568"},
        {999.999, F::Number, 15, 2, kEn, "1,000.00"},
        {-1234.5, F::Currency, 15, 2, kCs, "-1" + kNbsp + "234,50" + kNbsp + "Kč"},
        {1234.5, F::Currency, 15, 2, kEn, "$1,234.50"},
        {std::numeric_limits<double>::quiet_NaN(), F::Fixed, 15, 2, kEn, "NAN"},
        {-std::numeric_limits<double>::infinity(), F::General, 15, 0, kEn, "-INF"},
    };
    for (const TPripad& p : pripady) {
        SCOPED_TRACE(testing::Message() << p.Hodnota << " format " << int(p.Format) << " "
                                        << p.Presnost << "," << p.Cislic);
        EXPECT_EQ(FloatToStrF(p.Hodnota, p.Format, p.Presnost, p.Cislic, p.Jazyk), p.Text);
    }
    EXPECT_EQ(FloatToStr(2.5, kCs), "2,5");
}

TEST(Format, FormatFloat) {
    struct TPripad {
        const char* Format;
        double Hodnota;
        QLocale Jazyk;
        QString Text;
    };
    const std::vector<TPripad> pripady = {
        {"0.00", 3.14159, kEn, "3.14"},
        {"0.00", 3.14159, kCs, "3,14"},
        {"0.00", -3.14159, kEn, "-3.14"},
        {"0.00", 2.675, kEn, "2.68"},
        {"0.00", -0.001, kEn, "0.00"},
        {"#,##0.00", 1234567.5, kEn, "1,234,567.50"},
        {"#,##0.00", 1234567.5, kCs, "1" + kNbsp + "234" + kNbsp + "567,50"},
        {"#,##0", -1234, kEn, "-1,234"},
        {"#,##0.00", 5, kEn, "5.00"},
        {"# ##0.00", 1234567.5, kCs, "1 234 567,50"},
        {"# ##0.00", 12.5, kCs, "12,50"},
        {"# ##0.00", 0.5, kCs, "0,50"},
        {"# ### ##0", 1234567, kEn, "1 234 567"},
        {"#.##", 0.5, kEn, ".5"},
        {"0.##", 1, kEn, "1"},
        {"0.##", 1.5, kEn, "1.5"},
        {"0.0#", 1.5, kEn, "1.5"},
        {"0.0#", 1, kEn, "1.0"},
        {"000", 7, kEn, "007"},
        {"0", 1234, kEn, "1234"},
        {"#", 0, kEn, ""},
        {".00", 12.5, kEn, "12.50"},
        {"0.00;(0.00)", -5, kEn, "(5.00)"},
        {"0.00;(0.00)", 5, kEn, "5.00"},
        {"0.00;;'nula'", 0, kEn, "nula"},
        {"0.00;;'nula'", 0.001, kEn, "nula"},
        {"0.00;;'nula'", -2, kEn, "-2.00"},
        {"0.00E+00", 1234.5, kEn, "1.23E+03"},
        {"0.0E-0", 0.00012, kEn, "1.2E-4"},
        {"0.0E+00", -1234.5, kEn, "-1.2E+03"},
        {"0.0E+00", 0, kEn, "0.0E+00"},
        {"'Kč' 0", 5, kEn, "Kč 5"},
        {"0 \"ks\"", 5, kEn, "5 ks"},
        {"0 %", 5, kEn, "5 %"},
        {"", 1.5, kEn, "1.5"},
        {"abc", 5, kEn, "abc"},
        {"0.00", std::numeric_limits<double>::infinity(), kEn, "INF"},
    };
    for (const TPripad& p : pripady) {
        SCOPED_TRACE(testing::Message() << p.Format << " " << p.Hodnota);
        EXPECT_EQ(FormatFloat(QString::fromUtf8(p.Format), p.Hodnota, p.Jazyk), p.Text);
    }
}

TEST(Format, FormatDateTime) {
    // 5 January 2024, a Friday.
    const double den = 45296;
    struct TPripad {
        const char* Format;
        double Hodnota;
        QString Text;
    };
    const std::vector<TPripad> pripady = {
        {"dd.mm.yyyy", den + 0.5, "05.01.2024"},
        {"d.m.yy", den, "5.1.24"},
        {"hh:nn:ss", den + 0.5 + 7.0 / 86400, "12:00:07"},
        {"h:n:s", den + 0.25, "6:0:0"},
        {"d. mmmm yyyy", den, "5. ledna 2024"},
        {"D. MMMM YYYY", den + 180, "3. července 2024"},
        {"dddd", den, "pátek"},
        {"ddd d", den, "pá 5"},
        {"mmm", den, "led"},
        {"h:mm", den + 0.5 + 5.0 / 1440, "12:05"},
        {"yyyy-mm-dd", den, "2024-01-05"},
        {"hh:nn am/pm", den + 0.75, "06:00 pm"},
        {"h A/P", den + 0.25, "6 A"},
        {"'den' d", den, "den 5"},
        {"\"d\" d", den, "d 5"},
        {"d/m/yyyy", den, "5.1.2024"},
        {"hh:nn:ss.zzz", den + 0.5 + 0.123 / 86400, "12:00:00.123"},
        {"dd.mm.yyyy", -1.25, "29.12.1899"},
        {"hh:nn", -1.25, "06:00"},
        {"hh:nn:ss", den + 0.9999999999, "00:00:00"},
        {"dd", den + 0.9999999999, "06"},
    };
    for (const TPripad& p : pripady) {
        SCOPED_TRACE(p.Format);
        QString text;
        ASSERT_TRUE(FormatDateTime(QString::fromUtf8(p.Format), p.Hodnota, kCs, &text));
        EXPECT_EQ(text, p.Text);
    }
    QString text;
    EXPECT_FALSE(FormatDateTime("dd", 1e7, kCs, &text));
    EXPECT_FALSE(FormatDateTime("dd", -1e7, kCs, &text));
    EXPECT_FALSE(FormatDateTime("dd", std::numeric_limits<double>::quiet_NaN(), kCs, &text));
    ASSERT_TRUE(FormatDateTime("dd.mm.yyyy", -693593, kCs, &text));
    EXPECT_EQ(text, "01.01.0001");
}

TEST(Format, DayNumbers) {
    EXPECT_EQ(DateToDayNumber(QDate(1899, 12, 30)), 0);
    EXPECT_EQ(DateToDayNumber(QDate(2024, 1, 5)), 45296);
    EXPECT_EQ(DateTimeToDayNumber(QDateTime(QDate(2024, 1, 5), QTime(18, 0))), 45296.75);
    EXPECT_EQ(DateTimeToDayNumber(QDateTime(QDate(1899, 12, 29), QTime(6, 0))), -1.25);
    QDateTime dt;
    ASSERT_TRUE(DayNumberToDateTime(45296.75, &dt));
    EXPECT_EQ(dt, QDateTime(QDate(2024, 1, 5), QTime(18, 0)));
    ASSERT_TRUE(DayNumberToDateTime(-1.25, &dt));
    EXPECT_EQ(dt, QDateTime(QDate(1899, 12, 29), QTime(6, 0)));
}

TEST(Format, FormatInteger) {
    struct TPripad {
        const char* Format;
        qint64 Hodnota;
        bool Ok;
        QString Text;
    };
    const std::vector<TPripad> pripady = {
        {"%d", 42, true, "42"},
        {"Strana %d", 3, true, "Strana 3"},
        {"%5d", 42, true, "   42"},
        {"%-5d|", 42, true, "42   |"},
        {"%.3d", 7, true, "007"},
        {"%.3d", -7, true, "-007"},
        {"%x", 255, true, "FF"},
        {"%%%d", 5, true, "%5"},
        {"%0:d/%0:d", 1, true, "1/1"},
        {"abc", 1, true, "abc"},
        {"%d", -9223372036854775807LL - 1, true, "-9223372036854775808"},
        {"%s", 1, false, ""},
        {"%d %d", 1, false, ""},
        {"%1:d", 1, false, ""},
        {"%", 1, false, ""},
        {"%5", 1, false, ""},
    };
    for (const TPripad& p : pripady) {
        SCOPED_TRACE(p.Format);
        QString text;
        EXPECT_EQ(FormatInteger(p.Format, p.Hodnota, &text), p.Ok);
        if (p.Ok) {
            EXPECT_EQ(text, p.Text);
        }
    }
}

TEST(TextNaCislo, Rules) {
    struct TPripad {
        const char* Text;
        QLocale Jazyk;
        double Cislo;
    };
    const std::vector<TPripad> pripady = {
        {"12.5", kEn, 12.5}, {"12,5", kEn, 12.5}, {"  7", kEn, 7},   {"7 ", kEn, 0},
        {"1E-3", kEn, 0},    {"1E3", kEn, 1000},  {"2e2", kEn, 200}, {"-5", kEn, -5},
        {"+5", kEn, 0},      {"", kEn, 0},        {"abc", kEn, 0},   {"1.2.3", kEn, 0},
        {"-", kEn, 0},       {"1E999", kEn, 0},   {".5", kEn, 0},    {"12,5", kCs, 12.5},
        {"12.5", kCs, 12.5}, {"1 000", kCs, 0},   {"1,2,3", kCs, 0}, {"٣", kEn, 0},
    };
    for (const TPripad& p : pripady) {
        SCOPED_TRACE(p.Text);
        EXPECT_EQ(TextNaCislo(QString::fromUtf8(p.Text), p.Jazyk), p.Cislo);
    }
}

TEST(TextNaCislo, StrictConversion) {
    struct TPripad {
        const char* Text;
        QLocale Jazyk;
        bool Ok;
        double Cislo;
    };
    const std::vector<TPripad> pripady = {
        {"1,5", kCs, true, 1.5},   {"1.5", kCs, false, 0}, {" 2 ", kCs, true, 2},
        {"+3", kEn, true, 3},      {"-3", kEn, true, -3},  {"1e3", kEn, true, 1000},
        {"1E+3", kEn, true, 1000}, {"abc", kEn, false, 0}, {"", kEn, false, 0},
        {"+-3", kEn, false, 0},    {"1,5", kEn, false, 0},
    };
    for (const TPripad& p : pripady) {
        SCOPED_TRACE(p.Text);
        double x = 0;
        EXPECT_EQ(PrevodNaCislo(p.Text, p.Jazyk, &x), p.Ok);
        if (p.Ok) {
            EXPECT_EQ(x, p.Cislo);
        }
    }
}

TEST(SystemovePromenne, NamesValuesAndRenumbering) {
    EXPECT_EQ(PocetSystemovychPromennych(0), 5);
    EXPECT_EQ(PocetSystemovychPromennych(2), 9);
    const std::vector<QString> nazvy = {"Datum tisku",          "Čas tisku",
                                        "Pořadové číslo řádku", "Číslo strany",
                                        "Celkový počet stran",  "Číslo řádku ve skupině 1",
                                        "Číslo skupiny 1",      "Číslo řádku ve skupině 2"};
    for (int i = 0; i < int(nazvy.size()); ++i)
        EXPECT_EQ(NazevSystemovePromenne(i), nazvy[size_t(i)]);

    TSystemoveHodnoty h;
    h.DatumCasTisku = 45296.5;
    h.CisloRadku = 7;
    h.CisloStrany = 2;
    h.PocetStran = 5;
    h.Skupiny = {{3, 4}, {1, 9}};
    const std::vector<double> cisla = {45296.5, 45296.5, 7, 2, 5, 3, 4, 1, 9};
    for (int i = 0; i < int(cisla.size()); ++i) {
        SCOPED_TRACE(i);
        TCalcType v;
        ASSERT_TRUE(HodnotaSystemovePromenne(i, h, kCs, &v));
        EXPECT_EQ(v.Number, cisla[size_t(i)]);
        EXPECT_EQ(v.Kind, TCalcType::kCislo);
        if (i >= 2) {
            EXPECT_EQ(v.Text, QString::number(cisla[size_t(i)]));
        }
    }
    TCalcType v;
    ASSERT_TRUE(HodnotaSystemovePromenne(0, h, kCs, &v));
    EXPECT_EQ(v.Text, kCs.toString(QDate(2024, 1, 5), QLocale::ShortFormat));
    ASSERT_TRUE(HodnotaSystemovePromenne(1, h, kCs, &v));
    EXPECT_EQ(v.Text, "12:00:00");
    EXPECT_FALSE(HodnotaSystemovePromenne(9, h, kCs, &v));
    EXPECT_FALSE(HodnotaSystemovePromenne(-1, h, kCs, &v));

    struct TVerze {
        int Index, Major, Minor, Release, Vysledek;
    };
    for (const TVerze& p : std::vector<TVerze>{{5, 1, 0, 2, 6},
                                               {4, 1, 7, 2, 5},
                                               {3, 1, 0, 2, 3},
                                               {4, 0, 0, 0, 5},
                                               {4, 1, 0, 3, 4},
                                               {4, 2, 0, 0, 4},
                                               {4, 6, 40, 27, 4}}) {
        EXPECT_EQ(PrecislovatPromennou(p.Index, p.Major, p.Minor, p.Release), p.Vysledek)
            << p.Index << " " << p.Major << "." << p.Minor << "." << p.Release;
    }
}

TEST(PoleDat, KindOfFieldType) {
    EXPECT_EQ(CalcKindOfFieldType(fieldtype::String), TCalcType::kText);
    EXPECT_EQ(CalcKindOfFieldType(fieldtype::WideString), TCalcType::kText);
    for (const int typ :
         {fieldtype::Integer, fieldtype::Smallint, fieldtype::Float, fieldtype::Currency,
          fieldtype::BCD, fieldtype::AutoInc, fieldtype::FMTBcd, fieldtype::Largeint})
        EXPECT_EQ(CalcKindOfFieldType(typ), TCalcType::kCislo) << typ;
    for (const int typ : {fieldtype::Date, fieldtype::DateTime, fieldtype::Boolean, fieldtype::Memo,
                          fieldtype::Unknown, 99})
        EXPECT_EQ(CalcKindOfFieldType(typ), TCalcType::kJiny) << typ;
}

} // namespace
} // namespace arvelo::report
