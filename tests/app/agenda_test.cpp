#include "app/agenda.h"
#include "app/main_data.h"
#include "app/scripted_prompts.h"
#include "host/day_date.h"
#include "host/host_table.h"
#include "test_support.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace arvelo;
using namespace arvelo::app;

namespace {

class AgendaTest : public ::testing::Test {
protected:
    test::HostData host;
    ScriptedPrompts prompts;
    THlavniData data{prompts, test::czech()};

    std::vector<std::tuple<QString, QString, bool>> years() {
        std::vector<std::tuple<QString, QString, bool>> out;
        ui::TMemTable& t = data.mtYear;
        for (t.first(); !t.eof(); t.next()) {
            out.emplace_back(t.value(u"YearName").toString(), t.value(u"YearNumber").toString(),
                             t.value(u"Zpracovano").toBool());
        }
        return out;
    }
};

// Day numbers of 2025-01-01 etc., stored one lower as the host keeps them.
QByteArray stored(const QDate& d) {
    return QByteArray::number(static_cast<qlonglong>(daydate::fromDate(d)) - 1);
}

TEST_F(AgendaTest, ListsYearFoldersInNameOrderWithTheirNames) {
    host.addYear("001", "002", {{"Účetní rok", "2025"}});
    host.addYear("001", "001", {{"Účetní rok", "2024"}});
    // A year without a name, a folder in other letter case, and a file that only looks like one.
    QDir().mkpath(host.agenda("001") + "rok.003");
    test::writeText(host.agenda("001") + "Rok.txt", "");
    ASSERT_TRUE(NacistRoky(data, host.agenda("001")));
    EXPECT_EQ(data.mtYear.recNo(), 1); // the cursor is on the first year
    using Y = std::tuple<QString, QString, bool>;
    EXPECT_EQ(years(), (std::vector<Y>{Y{"2024", "001", false}, Y{"2025", "002", false},
                                       Y{"---", "003", false}}));
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(AgendaTest, AgendaWithoutYearFoldersIsAnError) {
    QDir().mkpath(host.agenda("001"));
    test::writeText(host.agenda("001") + "Rok.001", "a file, not a folder");
    ASSERT_FALSE(NacistRoky(data, host.agenda("001")));
    EXPECT_EQ(prompts.texts(MessageKind::Error),
              QStringList{"Chyba: vybraná agenda neobsahuje žádný účetní rok."});
    EXPECT_EQ(data.mtYear.recordCount(), 0);
}

TEST_F(AgendaTest, FiscalBoundsAreStoredOneLower) {
    const QString year =
        host.addYear("001", "001",
                     {{"Hospodářský rok od", stored(QDate(2025, 1, 1)).constData()},
                      {"Hospodářský rok do", stored(QDate(2025, 12, 31)).constData()}});
    const TRozsah r = RozsahRoku(year, test::czech());
    EXPECT_EQ(r.od, QDate(2025, 1, 1));
    EXPECT_EQ(r.do_, QDate(2025, 12, 31));
    EXPECT_EQ(HraniceRoku(0), QDate(1899, 12, 31));
    const TRozsah empty = RozsahRoku(host.agenda("001") + "ROK.999/", test::czech());
    EXPECT_EQ(empty.od, QDate(1899, 12, 31));
}

TEST(YearOverlap, BoundsAreIncluded) {
    const TRozsah year{QDate(2025, 1, 1), QDate(2025, 12, 31)};
    struct Case {
        QDate od, do_;
        bool in;
    };
    const Case cases[] = {
        {QDate(2024, 12, 1), QDate(2024, 12, 31), false},
        {QDate(2024, 12, 1), QDate(2025, 1, 1), true},   // period ends on the first day
        {QDate(2025, 12, 31), QDate(2026, 1, 31), true}, // period starts on the last day
        {QDate(2026, 1, 1), QDate(2026, 1, 31), false},
        {QDate(2025, 3, 1), QDate(2025, 3, 31), true},  // inside
        {QDate(2024, 1, 1), QDate(2026, 12, 31), true}, // around
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RokVObdobi(year, {c.od, c.do_}), c.in) << c.od.toString().toStdString();
    }
}

TEST_F(AgendaTest, MarksYearsOutsideThePeriod) {
    for (int y = 2023; y <= 2025; ++y) {
        host.addYear("001", QString("%1").arg(y - 2022, 3, 10, QChar('0')),
                     {{"Účetní rok", QByteArray::number(y).constData()},
                      {"Hospodářský rok od", stored(QDate(y, 1, 1)).constData()},
                      {"Hospodářský rok do", stored(QDate(y, 12, 31)).constData()}});
    }
    data.Kontext.AdresarAgendy = host.agenda("001");
    data.Kontext.AdresarRoku = host.agenda("001") + "ROK.002/";
    ASSERT_TRUE(NacistRoky(data, data.Kontext.AdresarAgendy));

    using Y = std::tuple<QString, QString, bool>;
    OznacitRoky(data, {QDate(2023, 12, 31), QDate(2024, 1, 1)});
    EXPECT_EQ(years(), (std::vector<Y>{Y{"2023", "001", false}, Y{"2024", "002", false},
                                       Y{"2025", "003", true}}));

    // Without the date filter the period is the current year.
    data.Volby.Datum = false;
    OznacitRoky(data);
    EXPECT_EQ(years(), (std::vector<Y>{Y{"2023", "001", true}, Y{"2024", "002", false},
                                       Y{"2025", "003", true}}));

    data.Volby.Datum = true;
    data.Volby.DatumOd = QDateTime(QDate(2025, 12, 31), QTime(0, 0));
    data.Volby.DatumDo = QDateTime(QDate(2026, 6, 30), QTime(0, 0));
    OznacitRoky(data);
    EXPECT_EQ(years(), (std::vector<Y>{Y{"2023", "001", true}, Y{"2024", "002", true},
                                       Y{"2025", "003", false}}));
}

TEST_F(AgendaTest, DoubleEntryTest) {
    const std::pair<const char*, bool> cases[] = {
        {"Y", true}, {"y", true}, {"N", false}, {"Ano", false}, {"", false}};
    for (const auto& [value, expected] : cases) {
        const QString year = host.addYear("001", "001", {{"Podvojné účetnictví", value}});
        EXPECT_EQ(JePodvojne(year, test::czech()), expected) << value;
    }
    const QString noKey = host.addYear("001", "002", {{"Účetní rok", "2025"}});
    EXPECT_TRUE(JePodvojne(noKey, test::czech()));

    // Settings kept as a table: the table decides, the text file is ignored.
    const QString table = host.addYear("001", "003", {{"Podvojné účetnictví", "Y"}});
    test::makeSettingsTable(table + "ROK");
    EXPECT_TRUE(JePodvojne(table, test::czech())); // missing key counts as "Y"
    test::addSetting(table + "ROK", "Global", "Podvojné účetnictví", QString("N"));
    EXPECT_FALSE(JePodvojne(table, test::czech()));
}

TEST_F(AgendaTest, ReadsTheAgendaIdentity) {
    host.setAgenda("001", {{"Název-obchodní", "Pila Dolní Lhota s.r.o."}, {"IČO", "12345678"}});
    data.Kontext.AdresarAgendy = host.agenda("001");
    NacistAgendu(data);
    EXPECT_EQ(data.NazevAgendy, "Pila Dolní Lhota s.r.o.");
    EXPECT_EQ(data.ICOAgendy, "12345678");
    EXPECT_EQ(data.PublikovanaVlastnost("nazevagendy"),
              std::optional<QString>("Pila Dolní Lhota s.r.o."));
    EXPECT_EQ(data.PublikovanaVlastnost("Neznama"), std::nullopt);

    data.Kontext.AdresarAgendy = host.agenda("002");
    NacistAgendu(data);
    EXPECT_EQ(data.NazevAgendy, "");
    EXPECT_EQ(data.ICOAgendy, "");
}

TEST_F(AgendaTest, VatPeriodsNeedTheTableAndItsIndex) {
    QDir().mkpath(host.agenda("001"));
    TMoneySazbyDPHAgendy model;
    model.Nacist(host.agenda("001"));
    EXPECT_FALSE(model.MaObdobiDPH()); // no table

    host::TableDef def;
    def.name = "UCDPHOBD";
    def.level = host::FolderLevel::Agenda;
    def.fields = {{"DatumOd", host::FieldType::Date, 0}, {"DatumDo", host::FieldType::Date, 0}};
    ASSERT_EQ(host::CreateTable(host.agenda("001") + "UCDPHOBD", def, true), host::result::Ok);
    model.Nacist(host.agenda("001"));
    EXPECT_FALSE(model.MaObdobiDPH()); // no index "DatumOd"

    def.indexes = {{"DatumOd", {"DatumOd"}}};
    ASSERT_EQ(host::CreateTable(host.agenda("001") + "UCDPHOBD", def, true), host::result::Ok);
    model.Nacist(host.agenda("001"));
    EXPECT_TRUE(model.MaObdobiDPH());
}

} // namespace
