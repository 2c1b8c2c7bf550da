#include "agenda_fixture.h"
#include "app/main_data.h"
#include "app/scripted_prompts.h"
#include "compute/computation.h"
#include "compute/grouping.h"
#include "compute/progress.h"
#include "compute/run_settings.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace arvelo;
using test::Radek;

namespace {

Currency kc(const char* text) {
    return *Currency::parse(QString::fromLatin1(text));
}

struct Obrat {
    Currency psmd, psd, omd, od;
    bool exists = false;
};

class Computation : public ::testing::Test {
protected:
    test::TestAgenda agenda;
    app::ScriptedPrompts prompts;
    app::THlavniData data{prompts, test::czechFormats()};
    compute::TNastaveniBehu settings;
    compute::TPrubehVyzvy progress{prompts};

    void SetUp() override {
        agenda.standardYears();
        agenda.attach(data, "002");
    }

    bool run() {
        compute::TVypocet vypocet(data, settings, progress);
        const bool ok = vypocet.Spustit();
        EXPECT_FALSE(data.Tabulka->IsOpen());
        EXPECT_FALSE(data.TabulkaOsnova->IsOpen());
        EXPECT_FALSE(data.TabulkaSkupin->IsOpen());
        return ok;
    }

    void dates(QDate od, QDate do_) {
        settings.DleDatumu = true;
        settings.DatumOd = od;
        settings.DatumDo = do_;
    }

    void group(int kind) {
        settings.Seskupit = true;
        settings.SeskupitDle = kind;
    }

    Obrat obrat(const QString& key, const QString& ucet) {
        ui::TMemTable& t = data.mtObraty;
        const ui::RecId id = t.find(t.indexNumber(u"ZkratkaUcet"), {key, ucet});
        if (id == ui::NoRecord) {
            return {};
        }
        return {t.currencyAt(id, t.fieldIndex(u"PSMD")), t.currencyAt(id, t.fieldIndex(u"PSD")),
                t.currencyAt(id, t.fieldIndex(u"ObratMD")),
                t.currencyAt(id, t.fieldIndex(u"ObratD")), true};
    }

    ui::RecId skupina(const QString& key) {
        return data.mtSkupiny.find(data.mtSkupiny.indexNumber(u"Zkratka"), {key});
    }
    Currency amount(const QString& key, const char16_t* field) {
        const ui::RecId id = skupina(key);
        EXPECT_NE(id, ui::NoRecord) << key.toStdString();
        return id == ui::NoRecord ? Currency()
                                  : data.mtSkupiny.currencyAt(id, data.mtSkupiny.fieldIndex(field));
    }
    QString name(const QString& key) {
        const ui::RecId id = skupina(key);
        return id == ui::NoRecord ? QStringLiteral("<none>")
                                  : data.mtSkupiny.textAt(id, data.mtSkupiny.fieldIndex(u"Nazev"));
    }
    QStringList keys() {
        QStringList k;
        for (const ui::RecId id : data.mtSkupiny.viewIds()) {
            k << data.mtSkupiny.textAt(id, data.mtSkupiny.fieldIndex(u"Zkratka"));
        }
        return k;
    }
    QStringList problems() const { return data.Informace.mid(2); }
};

TEST_F(Computation, CountsALineBetweenTwoIncomeStatementAccountsOnBothSides) {
    agenda.journal("002", {{1, {2019, 3, 1}, "518300", "602100", "100.00"},
                           {2, {2019, 3, 2}, "211000", "602100", "50.00"}});
    ASSERT_TRUE(run());
    const Obrat naklad = obrat("", "518300");
    EXPECT_EQ(naklad.omd, kc("100"));
    EXPECT_EQ(naklad.od, Currency());
    const Obrat vynos = obrat("", "602100");
    EXPECT_EQ(vynos.od, kc("150"));
    EXPECT_EQ(vynos.omd, Currency());
    EXPECT_FALSE(obrat("", "211000").exists); // not an income-statement account
    EXPECT_EQ(amount("", u"NakladyOB"), kc("100"));
    EXPECT_EQ(amount("", u"VynosyOB"), kc("150"));
    EXPECT_EQ(amount("", u"HospVysl"), kc("50"));
    EXPECT_EQ(amount("", u"ProcentZisk"), kc("50"));
    EXPECT_EQ(data.SoucetNakladyOB, kc("100"));
    EXPECT_EQ(data.SoucetVynosyOB, kc("150"));
    EXPECT_EQ(data.SoucetHospVysl, kc("50"));
    EXPECT_FALSE(data.ChybovyStav);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(Computation, OpeningBalanceAndTurnoverWithAndWithoutTheDateFilter) {
    agenda.journal("002", {{1, {2019, 2, 15}, "518300", "211000", "10.00"},
                           {2, {2019, 3, 10}, "518300", "211000", "20.00"},
                           {3, {2019, 4, 5}, "518300", "211000", "40.00"},
                           {4, {2019, 1, 1}, "518300", "701000", "5.00", "XP"}});
    dates({2019, 3, 1}, {2019, 3, 31});
    ASSERT_TRUE(run());
    Obrat o = obrat("", "518300");
    EXPECT_EQ(o.psmd, kc("15")); // before the period, and the opening line
    EXPECT_EQ(o.omd, kc("20"));  // after the period: left out
    EXPECT_EQ(amount("", u"NakladyPS"), kc("15"));
    EXPECT_EQ(amount("", u"NakladyKS"), kc("35"));

    settings.DleDatumu = false; // the current year: every dated line is turnover
    ASSERT_TRUE(run());
    o = obrat("", "518300");
    EXPECT_EQ(o.psmd, kc("5"));
    EXPECT_EQ(o.omd, kc("70"));
}

TEST_F(Computation, OpeningLinesCountOnlyInTheReferenceYear) {
    agenda.journal("001", {{1, {2018, 1, 1}, "518300", "701000", "7.00", "XP"},
                           {2, {2018, 6, 1}, "518300", "211000", "100.00"}});
    agenda.journal("002", {{1, {2019, 1, 1}, "518300", "701000", "9.00", "XP"},
                           {2, {2019, 2, 1}, "518300", "211000", "200.00"}});
    dates({2018, 7, 1}, {2019, 12, 31});
    ASSERT_TRUE(run());
    const Obrat o = obrat("", "518300");
    // 2018's line before the period is an opening balance; only 2019's "XP" counts.
    EXPECT_EQ(o.psmd, kc("109"));
    EXPECT_EQ(o.omd, kc("200"));
}

TEST_F(Computation, OrderFilterWithAnEmptyList) {
    agenda.journal("002", {{1, {2019, 3, 1}, "518300", "211000", "1.00", "ID", ""},
                           {2, {2019, 3, 1}, "518300", "211000", "2.00", "ID", "Z1"},
                           {3, {2019, 3, 1}, "518300", "211000", "4.00", "ID", "Z2"}});
    struct Case {
        QString list;
        bool negation;
        const char* expected;
    } cases[] = {{"", false, "1"},
                 {"", true, "6"},
                 {"z1;", false, "2"},
                 {"Z1;", true, "5"},
                 {"Z;", false, "0"}};
    for (const Case& c : cases) {
        settings.Zakazky = {true, c.list, c.negation};
        ASSERT_TRUE(run());
        EXPECT_EQ(obrat("", "518300").omd, kc(c.expected))
            << c.list.toStdString() << " " << c.negation;
    }
}

TEST_F(Computation, AccountRulesListsTaxSwitchesAndLineFlags) {
    agenda.accounts("002", {{"518900", "Neovlivňující", 3, 4}});
    agenda.journal(
        "002",
        {{1, {2019, 3, 1}, "518300", "211000", "1.00"},
         {2, {2019, 3, 1}, "518400", "211000", "2.00"},
         {3, {2019, 3, 1}, "518900", "211000", "4.00"},
         {4, {2019, 3, 1}, "518300", "211000", "8.00", "XZ"},
         {5, {2019, 3, 1}, "518300", "211000", "16.00", "ID", "", "", "", "", "", true},
         {6, {2019, 3, 1}, "518300", "211000", "32.00", "ID", "", "", "", "", "", false, true}});
    struct Case {
        const char* name;
        compute::TFiltr ucty;
        bool ovl, neovl, ignorovat;
        const char* expected;
    } cases[] = {
        {"all", {}, true, true, true, "7"},
        {"transfers counted", {}, true, true, false, "15"},
        {"only tax-affecting", {}, true, false, true, "3"},
        {"only non-tax-affecting", {}, false, true, true, "4"},
        {"listed account", {true, "518300;", false}, true, true, true, "1"},
        {"prefix is no match", {true, "518;", false}, true, true, true, "0"},
        {"listed account negated", {true, "518300;", true}, true, true, true, "6"},
    };
    for (const Case& c : cases) {
        settings.Ucty = c.ucty;
        settings.UctyOvlDan = c.ovl;
        settings.UctyNEOvlDan = c.neovl;
        settings.IgnorovatPrevod = c.ignorovat;
        ASSERT_TRUE(run()) << c.name;
        EXPECT_EQ(data.SoucetNakladyOB, kc(c.expected)) << c.name;
    }
}

TEST_F(Computation, AnAccountWithoutTypeIsListedOncePerYearAndPeriod) {
    agenda.accounts("001", {{"548900", "Bez typu", 0}});
    agenda.accounts("002", {{"548900", "Bez typu", 0}});
    agenda.journal("002", {{1, {2019, 1, 5}, "548900", "211000", "3.00"}});
    dates({2018, 12, 1}, {2019, 1, 31});
    group(compute::Mesice);
    prompts.answers = {app::Answer::Yes};
    ASSERT_TRUE(run());
    const QString y18 = QStringLiteral(
        "U účtu 548900 není v účtové osnově 2018 definováno, zda jde o nákladový nebo výnosový "
        "účet. Záznamy s tímto účtem nebudou do sestavy zařazeny.");
    QString y19 = y18;
    y19.replace("2018", "2019");
    EXPECT_EQ(data.Informace.value(0), "Během zpracování sestavy došlo k těmto chybovým stavům:");
    EXPECT_EQ(data.Informace.value(1), "");
    EXPECT_EQ(problems(), (QStringList{y18, y19, y18, y19}));
    EXPECT_TRUE(data.ChybovyStav);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, "Vyskytly se chybové stavy, chcete zobrazit podrobnosti?");
    EXPECT_EQ(prompts.informationShown, 1);
    EXPECT_EQ(prompts.informationLines, data.Informace);
    EXPECT_FALSE(obrat("2019/01", "548900").exists);
}

TEST_F(Computation, ALineWithoutDateIsListedAndLeftOut) {
    agenda.journal("002", {{7, QDate(), "518300", "211000", "3.00"},
                           {8, {2019, 5, 1}, "518300", "211000", "4.00"}});
    ASSERT_TRUE(run()); // the question is answered "No"
    EXPECT_EQ(problems(), QStringList{"Řádek v účetním deníku číslo 7 v roce 2019 nemá vyplněný "
                                      "datum. Tento řádek nebyl do sestavy zařazen."});
    EXPECT_EQ(obrat("", "518300").omd, kc("4"));
    EXPECT_EQ(prompts.informationShown, 0);
}

TEST_F(Computation, GroupKeysIgnoreLetterCaseAndNamesComeFromTheCodeList) {
    agenda.codes("002", "ZAKAZKY", {{"ABC", "Stavba A"}, {"O'Neil", "Zakázka s apostrofem"}});
    agenda.journal("002", {{1, {2019, 3, 1}, "518300", "602100", "10.00", "ID", "ABC"},
                           {2, {2019, 3, 2}, "518300", "602100", "20.00", "ID", "abc"},
                           {3, {2019, 3, 3}, "521000", "211000", "5.00", "ID", "aBc"},
                           {4, {2019, 3, 4}, "518300", "602100", "1.00", "ID", "O'Neil"},
                           {5, {2019, 3, 5}, "518300", "211000", "2.00", "ID", "CHYBI"},
                           {6, {2019, 3, 6}, "518300", "211000", "4.00", "ID", ""}});
    agenda.journal("001", {{9, {2018, 3, 1}, "518300", "211000", "64.00", "ID", "ŘÍJEN"}});
    agenda.journal("002", {{9, {2019, 3, 1}, "518300", "211000", "128.00", "ID", "říjen"}});
    group(compute::Zakazky);
    dates({2018, 1, 1}, {2019, 12, 31});
    ASSERT_TRUE(run());
    EXPECT_EQ(data.mtSkupiny.recordCount(), 5);
    EXPECT_EQ(obrat("Říjen", "518300").omd, kc("192"));
    EXPECT_EQ(data.SoucetNakladyOB, kc("234"));
    EXPECT_EQ(obrat("abc", "518300").omd, kc("30"));
    EXPECT_EQ(data.mtObraty
                  .findAll(data.mtObraty.indexNumber(u"ZkratkaUcet"),
                           std::vector<host::Variant>{"ABC", "518300"})
                  .size(),
              1u);
    EXPECT_EQ(amount("Abc", u"NakladyOB"), kc("35"));
    EXPECT_EQ(amount("Abc", u"VynosyOB"), kc("30"));
    EXPECT_EQ(amount("O'Neil", u"NakladyOB"), kc("1"));
    EXPECT_EQ(amount("O'Neil", u"HospVysl"), Currency());
    EXPECT_EQ(name("abc"), "Stavba A");
    EXPECT_EQ(name("O'Neil"), "Zakázka s apostrofem");
    EXPECT_EQ(name("CHYBI"), "");

    compute::PripravitVysledky(data, settings);
    EXPECT_EQ(keys(), (QStringList{"", "ABC", "CHYBI", "O'Neil", "ŘÍJEN"}));
    EXPECT_EQ(name(""), "[záznamy bez zakázky]");
    EXPECT_EQ(data.ObdobiText, "od 01.01.2018 do 31.12.2019");
    EXPECT_EQ(compute::TextPoctuZaznamu(data, settings), "počet záznamů: 5");
}

TEST_F(Computation, CompaniesByIcoAndByAddressNumber) {
    agenda.addresses({{5, "12345678", "Alfa s.r.o."}, {6, "87654321", "Beta a.s."}});
    agenda.journal(
        "002", {{1, {2019, 3, 1}, "518300", "211000", "1.00", "ID", "", "", "", "123 45 678", "5"},
                {2, {2019, 3, 1}, "518300", "211000", "2.00", "ID", "", "", "", "12345678", "0"},
                {3, {2019, 3, 1}, "518300", "211000", "4.00", "ID", "", "", "", "", ""},
                {4, {2019, 3, 1}, "518300", "211000", "8.00", "ID", "", "", "", "87654321", "6"}});
    group(compute::FirmyICO);
    ASSERT_TRUE(run());
    EXPECT_EQ(amount("12345678", u"NakladyOB"), kc("3"));
    EXPECT_EQ(name("12345678"), "Alfa s.r.o.");
    EXPECT_EQ(name("87654321"), "Beta a.s.");
    compute::PripravitVysledky(data, settings);
    EXPECT_EQ(name(""), "[záznamy bez IČ]");

    group(compute::FirmyCislo);
    ASSERT_TRUE(run());
    EXPECT_EQ(amount("", u"NakladyOB"), kc("6")); // number 0 and no number
    EXPECT_EQ(name("5"), "Alfa s.r.o.");
    EXPECT_EQ(name("6"), "Beta a.s.");
    EXPECT_EQ(skupina("0"), ui::NoRecord);
    compute::PripravitVysledky(data, settings);
    EXPECT_EQ(name(""), "[záznamy bez vazby na adresář]");
}

TEST_F(Computation, DatePeriodsAreOnePassEachWithTheirOwnOpeningBalance) {
    agenda.journal("001", {{1, {2018, 12, 20}, "518300", "211000", "1.00"}});
    agenda.journal("002", {{1, {2019, 1, 14}, "518300", "211000", "2.00"},
                           // on the last day of the range, late in the evening
                           {2,
                            {2019, 2, 10},
                            "518300",
                            "211000",
                            "4.00",
                            "ID",
                            "",
                            "",
                            "",
                            "",
                            "",
                            false,
                            false,
                            0.75},
                           {3, {2019, 2, 11}, "518300", "211000", "8.00"}});
    dates({2019, 1, 15}, {2019, 2, 10});
    group(compute::Mesice);
    ASSERT_TRUE(run());
    EXPECT_EQ(keys(), (QStringList{"2019/01", "2019/02"}));
    EXPECT_EQ(name("2019/01"), "od 15.01.2019 do 31.01.2019");
    EXPECT_EQ(name("2019/02"), "od 01.02.2019 do 10.02.2019");
    // 2018 does not overlap the range and is not read at all.
    EXPECT_EQ(obrat("2019/01", "518300").psmd, kc("2"));
    EXPECT_EQ(obrat("2019/01", "518300").omd, Currency());
    EXPECT_EQ(obrat("2019/02", "518300").psmd, kc("2"));
    EXPECT_EQ(obrat("2019/02", "518300").omd, kc("4"));
    EXPECT_EQ(data.SoucetNakladyOB, kc("4"));
}

TEST_F(Computation, AnInterruptEndsTheRunAsFailed) {
    std::vector<Radek> lines;
    for (int i = 1; i <= 450; ++i) {
        lines.push_back({i, {2019, 3, 1}, "518300", "211000", "1.00"});
    }
    agenda.journal("002", lines);
    int calls = 0;
    prompts.onProcessEvents = [&](int) {
        ++calls;
        data.Preruseno = true;
    };
    EXPECT_FALSE(run());
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(progress.panel(), "|");
    // Stopped right after the 200th step: the accounts 211000, 501100 and
    // 518300 before it, then 198 lines of 518300.
    EXPECT_EQ(obrat("", "518300").omd, kc("198"));
    EXPECT_EQ(data.mtSkupiny.recordCount(), 1);

    data.Preruseno = false;
    prompts.onProcessEvents = nullptr;
    ASSERT_TRUE(run());
    EXPECT_EQ(obrat("", "518300").omd, kc("450"));
    EXPECT_EQ(progress.stav(), "Sumace skupin... [prosím čekejte]");
}

TEST_F(Computation, TableFailuresEndTheRunWithTheirMessage) {
    agenda.codes("002", "ZAKAZKY", {{"A", "A"}});
    QFile::remove(agenda.yearFolder("002") + "UCDENIK.DAT");
    EXPECT_FALSE(run());
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].kind, app::MessageKind::Error);
    EXPECT_EQ(prompts.messages[0].text,
              "Nastala chyba při otevírání databáze " + agenda.yearFolder("002") + "UCDENIK.DAT");

    // An agenda without year folders.
    prompts.messages.clear();
    QDir(agenda.yearFolder("001")).removeRecursively();
    QDir(agenda.yearFolder("002")).removeRecursively();
    EXPECT_FALSE(run());
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, "Chyba: vybraná agenda neobsahuje žádný účetní rok.");
}

TEST_F(Computation, ANewRunStartsFromEmptyTables) {
    agenda.journal("002", {{1, {2019, 3, 1}, "518300", "211000", "1.00", "ID", "A"}});
    group(compute::Zakazky);
    ASSERT_TRUE(run());
    ASSERT_TRUE(run());
    EXPECT_EQ(data.mtSkupiny.recordCount(), 1);
    EXPECT_EQ(data.mtObraty.recordCount(), 1);
    EXPECT_EQ(amount("A", u"NakladyOB"), kc("1"));
    EXPECT_EQ(data.SoucetNakladyOB, kc("1"));
    EXPECT_EQ(data.mtSkupiny.intAt(skupina("A"), data.mtSkupiny.fieldIndex(u"ID")), 1);
}

} // namespace

namespace {

TEST_F(Computation, PeriodsBeforeTheFirstLineHaveNoGroup) {
    agenda.journal("002", {{1, {2019, 2, 1}, "518300", "701000", "5.00", "XP"},
                           {2, {2019, 3, 10}, "518300", "211000", "7.00"},
                           {3, {2019, 5, 10}, "518300", "211000", "9.00"}});
    dates({2019, 1, 1}, {2019, 4, 30});
    group(compute::Mesice);
    for (const bool periodByPeriod : {false, true}) {
        compute::TVypocet vypocet(data, settings, progress);
        vypocet.setPruchodPoObdobich(periodByPeriod);
        ASSERT_TRUE(vypocet.Spustit());
        EXPECT_EQ(keys(), (QStringList{"2019/02", "2019/03", "2019/04"})) << periodByPeriod;
        EXPECT_EQ(data.mtSkupiny.intAt(skupina("2019/02"), data.mtSkupiny.fieldIndex(u"ID")), 1);
        EXPECT_FALSE(obrat("2019/01", "518300").exists);
        EXPECT_EQ(obrat("2019/02", "518300").psmd, kc("5"));
        EXPECT_EQ(obrat("2019/03", "518300").omd, kc("7"));
        EXPECT_EQ(obrat("2019/04", "518300").psmd, kc("12"));
        EXPECT_EQ(data.SoucetNakladyOB, kc("7"));
    }
}

} // namespace
