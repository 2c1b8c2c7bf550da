#include "app/startup.h"
#include "test_support.h"

#include <gtest/gtest.h>

using namespace arvelo::app;

namespace {

struct ParseCase {
    const char* name;
    QStringList arguments;
    std::vector<std::pair<QString, QString>> expected;
};

class ParameterParser : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParameterParser, ReadsNamesAndValues) {
    const ParseCase& c = GetParam();
    const auto parsed = NacistParametry(SpojitArgumenty(c.arguments));
    ASSERT_EQ(parsed.size(), c.expected.size());
    for (size_t i = 0; i < parsed.size(); ++i) {
        EXPECT_EQ(parsed[i].Nazev, c.expected[i].first) << i;
        EXPECT_EQ(parsed[i].Hodnota, c.expected[i].second) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParameterParser,
    ::testing::Values(
        // The system split the folder at its blank; the value arrives whole.
        ParseCase{"blank_in_value",
                  {"?AKTROK=C:\\Money", "S3\\Data\\AGENDA.001\\ROK.001?AKTROK"},
                  {{"AKTROK", "C:\\Money S3\\Data\\AGENDA.001\\ROK.001"}}},
        ParseCase{"names_any_case",
                  {"?aktRok=x?AKTROK", "?Main=/m/?main"},
                  {{"AKTROK", "x"}, {"MAIN", "/m/"}}},
        ParseCase{
            "text_outside_markers",
            {"garbage", "?MVERZE=11.06?MVERZE", "between", "?AKTHESLO=tajne?AKTHESLO", "tail"},
            {{"MVERZE", "11.06"}, {"AKTHESLO", "tajne"}}},
        // The value runs to the same name's marker; another marker inside is text.
        ParseCase{"value_holds_other_marker", {"?A=1?B=2?A"}, {{"A", "1?B=2"}}},
        ParseCase{"empty_value", {"?AKTHESLO=?AKTHESLO"}, {{"AKTHESLO", ""}}},
        ParseCase{
            "unterminated_value_ends_parsing", {"?MAIN=/m/?MAIN", "?AKTROK=/x"}, {{"MAIN", "/m/"}}},
        // An "=" before the first "?" ends the parsing.
        ParseCase{"equals_before_marker", {"a=b", "?MAIN=/m/?MAIN"}, {}},
        ParseCase{"no_arguments", {}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ParameterParser, JoinsEveryArgumentWithOneBlankAfterIt) {
    EXPECT_EQ(SpojitArgumenty({"a", "b c"}), "a b c ");
    EXPECT_EQ(SpojitArgumenty({}), "");
}

TEST(AdresarZRoku, DerivesAgendaAndDataRoot) {
    struct Case {
        QString path;
        QString agenda;
        QString root;
    };
    const Case cases[] = {
        {"/data/AGENDA.001/ROK.001/", "/data/AGENDA.001/", "/data/"},
        {"  C:\\Money S3\\Data\\Agenda.002\\rok.003\\ ", "C:/Money S3/Data/Agenda.002/",
         "C:/Money S3/Data/"},
        {"/data/AGENDA.001/ROK.001", "/data/AGENDA.001/", "/data/"},
        {"/data/AGENDA.001/YEAR.001/", "", ""}, // last part not ROK...
        {"/data/FIRMA.001/ROK.001/", "", ""},   // parent not AGENDA...
        {"ROK.001", "", ""},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AdresarZRoku(c.path, 2), c.agenda) << c.path.toStdString();
        EXPECT_EQ(AdresarZRoku(c.path, 1), c.root) << c.path.toStdString();
    }
}

TEST(NahraditZnaky, ReplacesEveryForbiddenCharacter) {
    EXPECT_EQ(NahraditZnaky("a/b:c", u'_'), "a_b_c");
    EXPECT_EQ(NahraditZnaky("\"*/:<>?\\|", u'_'), "_________");
    EXPECT_EQ(NahraditZnaky("Účetní 2024.ini", u'_'), "Účetní 2024.ini");
}

std::vector<TParametr> full(const QString& cfg = "Jan", const QString& date = "15.03.2026") {
    return {{"MAIN", "C:\\Money S3\\"},  {"AKTROK", "/d/Data/AGENDA.007/ROK.002"},
            {"MVERZE", "11.06 build 1"}, {"AKTDATUMM", date},
            {"AKTHESLO", "heslo"},       {"AKTCFGNAME", cfg}};
}

TEST(StartupContext, FillsEveryField) {
    TKontextSpusteni k;
    ASSERT_EQ(NaplnitKontext(full(), k, arvelo::test::czech()), "");
    EXPECT_EQ(k.AdresarHlavni, "C:/Money S3/");
    EXPECT_EQ(k.AdresarRoku, "/d/Data/AGENDA.007/ROK.002/");
    EXPECT_EQ(k.AdresarAgendy, "/d/Data/AGENDA.007/");
    EXPECT_EQ(k.AdresarDat, "/d/Data/");
    EXPECT_EQ(k.PriponaAgendy, "007");
    EXPECT_EQ(k.AdresarUzivatele, "/d/Data/Nvk/Arvelo/");
    EXPECT_EQ(k.AdresarNastaveni, "/d/Data/Nvk/Arvelo/Setting/");
    EXPECT_EQ(k.AdresarFormularu, "/d/Data/Nvk/Arvelo/PrintFrm/");
    EXPECT_EQ(k.AdresarTemp, "/d/Data/Nvk/Arvelo/Temp/");
    EXPECT_EQ(k.SouborVoleb, "/d/Data/Nvk/Arvelo/Setting/Jan.ini");
    EXPECT_EQ(k.VerzeMoney, "11.06 build 1");
    EXPECT_EQ(k.DatumMoney, QDate(2026, 3, 15));
    EXPECT_EQ(k.HesloUzivatele, "heslo");
}

TEST(StartupContext, ConfigurationNameIsMadeSafe) {
    const std::pair<QString, QString> cases[] = {
        {"a/b:c", "a_b_c"}, {"   ", "Default"}, {"", "Default"}, {"Účetní", "Účetní"}};
    for (const auto& [given, expected] : cases) {
        TKontextSpusteni k;
        ASSERT_EQ(NaplnitKontext(full(given), k, arvelo::test::czech()), "");
        EXPECT_EQ(k.NazevKonfigurace, expected) << given.toStdString();
    }
}

TEST(StartupContext, DateThatDoesNotConvertIsToday) {
    TKontextSpusteni k;
    ASSERT_EQ(NaplnitKontext(full("Jan", "2026-03-15"), k, arvelo::test::czech()), "");
    EXPECT_EQ(k.DatumMoney, QDate::currentDate());
}

TEST(StartupContext, YearFolderOfAnotherShapeLeavesAgendaAndRootEmpty) {
    auto p = full();
    p[1].Hodnota = "/d/Data/AGENDA.007/2024";
    TKontextSpusteni k;
    ASSERT_EQ(NaplnitKontext(p, k, arvelo::test::czech()), "");
    EXPECT_EQ(k.AdresarAgendy, "");
    EXPECT_EQ(k.AdresarDat, "");
}

TEST(StartupContext, ReportsTheFirstMissingParameterInOrder) {
    const auto& required = PozadovaneParametry();
    ASSERT_EQ(required.size(), 6u);
    for (size_t missing = 0; missing < required.size(); ++missing) {
        auto p = full();
        p.erase(p.begin() + static_cast<long>(missing));
        TKontextSpusteni k;
        EXPECT_EQ(NaplnitKontext(p, k, arvelo::test::czech()), required[missing].sablona);
    }
    TKontextSpusteni k;
    EXPECT_EQ(NaplnitKontext({}, k, arvelo::test::czech()), "?MAIN=<Main>?MAIN");
    EXPECT_EQ(required[3].sablona, "?AKTDATUMM=<AktDatumM>?AKTDATUMM");
}

} // namespace
