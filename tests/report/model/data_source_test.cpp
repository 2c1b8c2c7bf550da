#include "test_sestava.h"

#include <gtest/gtest.h>

namespace arvelo::report {
namespace {

using test::TPametovaData;
using test::TTestDialogy;
using test::TTestSestava;

TPametovaData Data() {
    TPametovaData d;
    d.sloupce = {{QStringLiteral("Ucet"), QStringLiteral("Účet"), fieldtype::String},
                 {QStringLiteral("Castka"), QStringLiteral("Částka"), fieldtype::Float},
                 {QStringLiteral("Plati"), QStringLiteral("Platí"), fieldtype::Boolean},
                 {QStringLiteral("Datum"), QStringLiteral("Datum"), fieldtype::Date},
                 {QStringLiteral("Pozn"), QStringLiteral("Poznámka"), fieldtype::Memo},
                 {QStringLiteral("Blob"), QStringLiteral("Blob"), fieldtype::Blob},
                 {QStringLiteral("Cislo"), QStringLiteral("Číslo"), fieldtype::AutoInc},
                 {QStringLiteral("Kod"), QStringLiteral("Kód"), fieldtype::String}};
    d.radky = {{QStringLiteral("501"), 12.5, true, 45000.0, QStringLiteral("dlouhý text"),
                QByteArray("obsah\0zbytek", 12), 7, QStringLiteral("12,5")},
               {QStringLiteral("602"), QVariant(), false, 45001.0, QString(), QByteArray(), 8,
                QStringLiteral("x1")}};
    return d;
}

TEST(Most, HodnotyPoliPodleTypu) {
    TPametovaData data = Data();
    TTestSestava r;
    r.DataSource = &data;
    ASSERT_TRUE(r.ReadFieldList());
    EXPECT_EQ(r.FieldCount(), 8);
    EXPECT_EQ(r.FieldLabel(1), QStringLiteral("Částka"));

    EXPECT_EQ(r.FieldText(0), QStringLiteral("501"));
    EXPECT_DOUBLE_EQ(r.FieldNumber(0), 501.0); // string read as a number
    EXPECT_DOUBLE_EQ(r.FieldNumber(1), 12.5);
    EXPECT_DOUBLE_EQ(r.FieldNumber(2), 1.0);
    EXPECT_DOUBLE_EQ(r.FieldNumber(3), 45000.0);
    EXPECT_DOUBLE_EQ(r.FieldNumber(4), 0.0); // memo: no number
    EXPECT_DOUBLE_EQ(r.FieldNumber(6), 7.0);
    EXPECT_EQ(r.FieldMemo(5), QStringLiteral("obsah")); // up to the zero byte
    EXPECT_EQ(r.FieldMemo(4), QStringLiteral("dlouhý text"));
    EXPECT_EQ(r.FieldAlignment(1), 1);
    EXPECT_EQ(r.FieldWidth(1), 12);

    const TCalcType memo = r.FieldValue(4);
    EXPECT_EQ(memo.Text, QStringLiteral("dlouhý text"));
    EXPECT_EQ(memo.Kind, TCalcType::kJiny);
    EXPECT_EQ(r.FieldValue(1).Kind, TCalcType::kCislo);
    EXPECT_EQ(r.FieldValue(0).Kind, TCalcType::kText);

    EXPECT_EQ(r.Step(TStepDir::sdNext), 0);
    EXPECT_TRUE(r.FieldIsNull(1));
    EXPECT_FALSE(r.FieldIsNull(0));
    EXPECT_DOUBLE_EQ(r.FieldNumber(7), 0.0); // "x1" is no number
    EXPECT_EQ(r.Step(TStepDir::sdNext), srEnd);

    // A field the bridge cannot read gives 0, an empty text, not null.
    data.throwField = 1;
    EXPECT_DOUBLE_EQ(r.FieldNumber(1), 0.0);
    EXPECT_EQ(r.FieldText(1), QString());
    EXPECT_FALSE(r.FieldIsNull(1));
    // Out of range never reaches the bridge.
    EXPECT_DOUBLE_EQ(r.FieldNumber(42), 0.0);

    r.OnGetDataType = [](const TSestavaD&, int index, int& type) {
        if (index == 0)
            type = fieldtype::Integer;
    };
    EXPECT_EQ(r.FieldType(0), fieldtype::Integer);
}

TEST(Most, KontrolaZdrojeDat) {
    TTestDialogy dialogy;
    TTestSestava r;
    r.Dialogy = &dialogy;
    EXPECT_FALSE(r.CheckDataSource());
    EXPECT_EQ(dialogy.zpravy.value(0), QStringLiteral("Chyba|Není definován zdroj dat."));

    struct TBezTabulky : TPametovaData {
        bool HasDataSet() const override { return false; }
    } bez;
    r.DataSource = &bez;
    EXPECT_FALSE(r.CheckDataSource());
    EXPECT_EQ(dialogy.zpravy.value(1),
              QStringLiteral("Chyba|Ke zdroji dat není připojena žádná tabulka."));

    TPametovaData data = Data();
    data.aktivni = false;
    r.DataSource = &data;
    dialogy.odpoved = TSestDialogy::TOdpoved::Ne;
    EXPECT_FALSE(r.CheckDataSource());
    EXPECT_EQ(dialogy.otazky.value(0),
              QStringLiteral("Potvrzení|Připojená tabulka není aktivní. Zkusit otevřít?"));
    EXPECT_EQ(dialogy.zpravy.size(), 2); // No: no message

    data.lzeOtevrit = false;
    dialogy.odpoved = TSestDialogy::TOdpoved::Ano;
    EXPECT_FALSE(r.CheckDataSource());
    EXPECT_EQ(dialogy.zpravy.value(2),
              QStringLiteral("Chyba|Připojenou tabulku se nepodařilo otevřít."));

    data.lzeOtevrit = true;
    EXPECT_TRUE(r.CheckDataSource());
    EXPECT_TRUE(data.aktivni);
    r.ZavritOtevrene();
    EXPECT_FALSE(data.aktivni); // what the engine opened, it closes

    // A detail without data fails its master.
    data.aktivni = true;
    TTestSestava detail;
    detail.SetMasterSestava(&r);
    EXPECT_FALSE(r.CheckDataSource());
    EXPECT_EQ(dialogy.zpravy.last(), QStringLiteral("Chyba|Není definován zdroj dat."));
}

TEST(DataZUdalosti, OnGetDataAOnStepData) {
    TTestSestava r;
    r.SetFieldNames({QStringLiteral("A"), QStringLiteral("B")});
    int krok = 0;
    int nacteni = 0;
    r.OnGetData = [&](TSestavaD& s) {
        ++nacteni;
        s.HodnotyZaznamu = QStringList({QString::number(krok), QStringLiteral("x")});
    };
    // Without OnStepData and without a data source every step is at the beginning and end.
    EXPECT_EQ(r.Step(TStepDir::sdFirst), srBeginning | srEnd);
    EXPECT_EQ(nacteni, 1);
    EXPECT_TRUE(r.CheckDataSource()); // event data need no data source

    r.OnStepData = [&](TSestavaD&, TStepDir dir) -> TStepResult {
        krok = dir == TStepDir::sdFirst ? 1 : krok + 1;
        return krok >= 3 ? srEnd : 0;
    };
    EXPECT_EQ(r.Step(TStepDir::sdFirst), 0);
    EXPECT_EQ(r.FieldText(0), QStringLiteral("1"));
    EXPECT_DOUBLE_EQ(r.FieldNumber(0), 1.0);
    EXPECT_EQ(r.Step(TStepDir::sdNext), 0);
    EXPECT_EQ(r.Step(TStepDir::sdNext), srEnd);
    EXPECT_EQ(r.FieldText(0), QStringLiteral("3"));
    EXPECT_EQ(nacteni, 4);
    EXPECT_EQ(r.FieldText(5), QStringLiteral("Položka ?"));
}

TEST(Most, KrokBezZdrojeAPoleDetailu) {
    TTestSestava r;
    EXPECT_EQ(r.Step(TStepDir::sdFirst), srBeginning | srEnd);
    TPametovaData data = Data();
    TPametovaData detailData = Data();
    detailData.sloupce.resize(2);
    r.DataSource = &data;
    TTestSestava detail;
    detail.DataSource = &detailData;
    detail.SetMasterSestava(&r);
    EXPECT_TRUE(r.ReadFieldList());
    EXPECT_EQ(detail.FieldCount(), 2);
    EXPECT_TRUE(r.HasDetails());
    EXPECT_EQ(r.Step(TStepDir::sdLast), 0);
    EXPECT_EQ(r.FieldText(0), QStringLiteral("602"));
}

} // namespace
} // namespace arvelo::report
