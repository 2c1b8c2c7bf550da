#include "app/ini_file.h"
#include "app/main_data.h"
#include "app/options.h"
#include "app/scripted_prompts.h"
#include "test_support.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace arvelo;
using namespace arvelo::app;

namespace {

const TVolby::Vychozi kDefaults{QDateTime(QDate(2026, 12, 10), QTime(9, 15)), "/m/"};

TEST(Options, MissingFileGivesTheDefaults) {
    QTemporaryDir dir;
    TVolby v;
    v.Datum = true;
    v.SeskupitDle = 5;
    CistVolby(v, dir.path() + "/none.ini", "001", kDefaults, test::czech());
    EXPECT_TRUE(v.Maximized);
    EXPECT_FALSE(v.Datum);
    EXPECT_EQ(v.DatObdobi, 0);
    EXPECT_EQ(v.DatumOd, kDefaults.dnes);
    EXPECT_EQ(v.DatumDo, kDefaults.dnes);
    EXPECT_TRUE(v.IgnorovatPrevod);
    EXPECT_TRUE(v.Seskupit);
    EXPECT_EQ(v.SeskupitDle, 0);
    EXPECT_EQ(v.TypZobrazeni, 1);
    EXPECT_TRUE(v.UctyOvlDan && v.UctyNEOvlDan && v.TisknoutVse);
    EXPECT_EQ(v.LastIndexPohyby, "Datum");
    EXPECT_TRUE(v.GrafNaklady && v.GrafVynosy && v.GrafHospVysl && v.GrafLegenda);
    EXPECT_EQ(v.GrafMaxPocetSkupin, 4);
    EXPECT_EQ(v.ExportInitialDir, "/m/Print");
    EXPECT_EQ(v.UctyText, "");
}

TEST(Options, RoundTripPerAgendaWithQuotedLists) {
    QTemporaryDir dir;
    const QString file = dir.path() + "/Jan.ini";
    TVolby a;
    a.Maximized = false;
    a.Datum = true;
    a.DatObdobi = 6;
    a.DatumOd = QDateTime(QDate(2026, 1, 1), QTime(0, 0));
    a.DatumDo = QDateTime(QDate(2026, 3, 31), QTime(23, 59, 59));
    a.Ucty = true;
    a.UctyText = "501100;518;";
    a.UctyNeg = true;
    a.ZakazkyText = "Z-1;\"quoted\";";
    a.SeskupitDle = 7;
    a.LastIndexPohyby = "Castka";
    a.ExportInitialDir = "/home/jan/Export";
    ASSERT_TRUE(ZapsatVolby(a, file, "001", test::czech()));

    TVolby b;
    b.UctyText = "other agenda;";
    b.SeskupitDle = 2;
    ASSERT_TRUE(ZapsatVolby(b, file, "002", test::czech()));

    const QByteArray bytes = test::readAll(file);
    EXPECT_TRUE(bytes.contains("[MAIN001]\r\n"));
    EXPECT_TRUE(bytes.contains("[VYSLEDOVKA002]\r\n"));
    EXPECT_TRUE(bytes.contains("UctyText=\"501100;518;\"\r\n"));
    EXPECT_TRUE(bytes.contains("Datum=1\r\n"));
    EXPECT_TRUE(bytes.contains("Maximized=0\r\n"));
    EXPECT_TRUE(bytes.contains("DatumDo=31.03.2026 23:59:59\r\n"));

    TVolby ra;
    CistVolby(ra, file, "001", kDefaults, test::czech());
    EXPECT_FALSE(ra.Maximized);
    EXPECT_TRUE(ra.Datum);
    EXPECT_EQ(ra.DatObdobi, 6);
    EXPECT_EQ(ra.DatumOd, a.DatumOd);
    EXPECT_EQ(ra.DatumDo, a.DatumDo);
    EXPECT_TRUE(ra.Ucty);
    EXPECT_EQ(ra.UctyText, "501100;518;");
    EXPECT_TRUE(ra.UctyNeg);
    EXPECT_EQ(ra.ZakazkyText, "Z-1;\"quoted\";");
    EXPECT_EQ(ra.SeskupitDle, 7);
    EXPECT_EQ(ra.LastIndexPohyby, "Castka");
    EXPECT_EQ(ra.ExportInitialDir, "/home/jan/Export");

    TVolby rb;
    CistVolby(rb, file, "002", kDefaults, test::czech());
    EXPECT_EQ(rb.UctyText, "other agenda;");
    EXPECT_EQ(rb.SeskupitDle, 2);
    EXPECT_FALSE(rb.Datum);
}

TEST(Options, QuotesAndUnconvertibleValues) {
    EXPECT_EQ(OdstranitUvozovky("\"501;\""), "501;");
    EXPECT_EQ(OdstranitUvozovky("\""), "\"");
    EXPECT_EQ(OdstranitUvozovky("\"\""), "");
    EXPECT_EQ(OdstranitUvozovky("\"a"), "\"a");
    EXPECT_EQ(OdstranitUvozovky("501;"), "501;");

    QTemporaryDir dir;
    const QString file = dir.path() + "/x.ini";
    test::writeText(file,
                    "[MAIN001]\r\nDatumOd=zítra\r\nDatObdobi=x\r\nUctyText=bez uvozovek;\r\n");
    TVolby v;
    CistVolby(v, file, "001", kDefaults, test::czech());
    EXPECT_EQ(v.DatumOd, kDefaults.dnes);
    EXPECT_EQ(v.DatObdobi, 0);
    EXPECT_EQ(v.UctyText, "bez uvozovek;");
}

TEST(HostVersion, ReadWithTheSystemDecimalSeparator) {
    struct Case {
        const char* text;
        bool czech;
        double number;
    };
    const Case cases[] = {
        {"10,50 build 7", true, 10.5},
        {"11,06", true, 11.06},
        {"11.06", false, 11.06},
        {"v12,1a", true, 12.1},
        {"10,50 build 7", false, 0},
        {"build", true, 0},
        {" 10,5", true, 0},
        {"", true, 0},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(CisloVerze(c.text, c.czech ? test::czech() : test::english()), c.number)
            << c.text;
    }
    EXPECT_EQ(TextNepodporovaneVerze(10.5, test::czech()),
              "Tato verze Money není v tomto programu podporována. Proveďte upgrade na novější "
              "verzi Money.\r\rAktuálně nainstalovaná verze Money: 10,5\rPodporovaná verze "
              "Money: 11,06 a vyšší");
}

class LoadOptions : public ::testing::Test {
protected:
    test::HostData host;
    ScriptedPrompts prompts;
    THlavniData data{prompts, test::czech()};
    void SetUp() override {
        host.setAgenda("001", {{"Název-obchodní", "Firma"}, {"IČO", "1"}});
        data.Kontext.AdresarAgendy = host.agenda("001");
        data.Kontext.AdresarNastaveni = host.root() + "Nvk/Arvelo/Setting/";
        data.Kontext.NazevKonfigurace = "Jan";
        data.Kontext.PriponaAgendy = "001";
        data.Kontext.AdresarHlavni = "/m/";
    }
};

TEST_F(LoadOptions, RefusesAnOldHostVersion) {
    data.Kontext.VerzeMoney = "10,50 build 7";
    EXPECT_FALSE(NacistVolby(data));
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].kind, MessageKind::Error);
    EXPECT_TRUE(prompts.messages[0].text.contains("Aktuálně nainstalovaná verze Money: 10,5\r"));
    EXPECT_EQ(data.NazevAgendy, "");
}

TEST_F(LoadOptions, AcceptsSupportedAndUnreadableVersions) {
    for (const char* version : {"11,06", "12,0 build 3", "neznámá"}) {
        data.Kontext.VerzeMoney = version;
        EXPECT_TRUE(NacistVolby(data)) << version;
    }
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(data.Kontext.SouborVoleb, host.root() + "Nvk/Arvelo/Setting/Jan.ini");
    EXPECT_EQ(data.NazevAgendy, "Firma");
    EXPECT_EQ(data.Volby.ExportInitialDir, "/m/Print");
}

TEST_F(LoadOptions, SaveFailureIsShownAndKeepsNothingHalfWritten) {
    data.Kontext.VerzeMoney = "11,06";
    ASSERT_TRUE(NacistVolby(data));
    // The settings folder does not exist: the file cannot be written.
    EXPECT_FALSE(UlozitVolby(data));
    ASSERT_EQ(prompts.texts(MessageKind::Warning).size(), 1);
    EXPECT_TRUE(prompts.texts(MessageKind::Warning)[0].startsWith(
        "Volby se nepodařilo uložit do souboru " + data.Kontext.SouborVoleb));
    QDir().mkpath(data.Kontext.AdresarNastaveni);
    data.Volby.UctyText = "5;";
    EXPECT_TRUE(UlozitVolby(data));
    EXPECT_TRUE(test::readAll(data.Kontext.SouborVoleb).contains("UctyText=\"5;\""));
}

} // namespace
