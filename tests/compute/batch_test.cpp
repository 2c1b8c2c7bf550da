#include "agenda_fixture.h"
#include "rights/rights_file.h"
#include "rights/rights_list.h"
#include "rights/scramble.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace arvelo;

namespace {

struct Result {
    int exitCode = -1;
    QString out;
    QString err;
};

class Batch : public ::testing::Test {
protected:
    test::TestAgenda agenda;

    void SetUp() override {
        agenda.standardYears();
        agenda.codes("002", "ZAKAZKY", {{"Z1", "Stavba \"Most\""}});
        agenda.journal("001", {{1, {2018, 5, 1}, "518300", "211000", "1000.00", "ID", "Z1"}});
        agenda.journal("002", {{1, {2019, 1, 1}, "518300", "701000", "10.00", "XP", "Z1"},
                               {2, {2019, 3, 1}, "518300", "602100", "1000.00", "ID", "Z1"},
                               {3, {2019, 3, 2}, "211000", "602100", "250.50", "ID", "z1"},
                               {4, {2019, 4, 2}, "521000", "211000", "99.99", "ID", ""},
                               {5, {2019, 4, 3}, "211000", "604000", "0.01", "XZ", ""},
                               {6, QDate(), "521000", "211000", "5.00", "ID", ""}});
    }

    Result run(QStringList options, const QString& password = {}) {
        QProcess p;
        QStringList args{QStringLiteral("--batch")};
        args << agenda.hostArguments("002", password) << options;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("LC_ALL", "cs_CZ.UTF-8");
        env.insert("LANG", "cs_CZ.UTF-8");
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(ARVELO_PROGRAM), args);
        EXPECT_TRUE(p.waitForFinished(60000));
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                QString::fromUtf8(p.readAllStandardOutput()),
                QString::fromUtf8(p.readAllStandardError())};
    }
};

TEST_F(Batch, JsonHasEveryGroupFieldAndTheDetailedLinesWithExactAmounts) {
    const Result r = run({"--seskupit", "zakazky", "--format", "json"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    // The data problem of the run goes to the error output.
    EXPECT_TRUE(r.err.contains("Řádek v účetním deníku číslo 6 v roce 2019 nemá vyplněný datum."))
        << r.err.toStdString();
    QJsonParseError error;
    const QJsonObject o = QJsonDocument::fromJson(r.out.toUtf8(), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << r.out.toStdString();
    EXPECT_EQ(o.value("ObdobiText").toString(), "od 01.01.2019 do 31.12.2019");
    EXPECT_EQ(o.value("SoucetNakladyOB").toString(), "1099.9900");
    EXPECT_EQ(o.value("SoucetVynosyOB").toString(), "1250.5000");
    EXPECT_EQ(o.value("SoucetHospVysl").toString(), "150.5100");
    const QJsonArray skupiny = o.value("skupiny").toArray();
    ASSERT_EQ(skupiny.size(), 2);
    const QJsonObject bez = skupiny[0].toObject();
    EXPECT_EQ(bez.value("Zkratka").toString(), "");
    EXPECT_EQ(bez.value("Nazev").toString(), "[záznamy bez zakázky]");
    EXPECT_EQ(bez.value("HospVysl").toString(), "-99.9900");
    EXPECT_EQ(bez.value("ProcentZisk").toString(), "-100.0000");
    const QJsonObject z1 = skupiny[1].toObject();
    EXPECT_EQ(z1.keys().size(), 14);
    EXPECT_EQ(z1.value("Zkratka").toString(), "Z1");
    EXPECT_EQ(z1.value("Nazev").toString(), "Stavba \"Most\"");
    EXPECT_EQ(z1.value("NakladyPS").toString(), "10.0000");
    EXPECT_EQ(z1.value("NakladyOB").toString(), "1000.0000");
    EXPECT_EQ(z1.value("NakladyKS").toString(), "1010.0000");
    EXPECT_EQ(z1.value("VynosyOB").toString(), "1250.5000");
    EXPECT_EQ(z1.value("HospVyslPS").toString(), "-10.0000");
    EXPECT_EQ(z1.value("HospVysl").toString(), "250.5000");
    EXPECT_EQ(z1.value("ProcentZisk").toString(), "25.0500");
    EXPECT_TRUE(z1.value("ID").isDouble());
    const QJsonArray radky = z1.value("radky").toArray();
    ASSERT_EQ(radky.size(), 14); // detailed: every line
    const QJsonObject ucet = radky[1].toObject();
    EXPECT_EQ(ucet.value("Ucet").toString(), "518300");
    EXPECT_EQ(ucet.value("Nazev").toString(), "Nájemné");
    EXPECT_EQ(ucet.value("PS").toString(), "10.0000");
    EXPECT_EQ(ucet.value("Obrat").toString(), "1000.0000");
    EXPECT_EQ(ucet.value("KS").toString(), "1010.0000");
    EXPECT_EQ(ucet.value("Typ").toInt(), 1);
    EXPECT_EQ(ucet.value("TypUctu").toInt(), 1);
    const QJsonObject vysledek = radky[13].toObject();
    EXPECT_EQ(vysledek.value("Nazev").toString(), ">>>");
    EXPECT_EQ(vysledek.value("Obrat").toString(), "250.5000");
}

TEST_F(Batch, CsvAndTextWithTheWizardsOptions) {
    const Result csv = run({"--od", "2019-03-01", "--do", "31.03.2019", "--ucty", "518300;",
                            "--vcetne-prevodu", "--format", "csv"});
    ASSERT_EQ(csv.exitCode, 0) << csv.err.toStdString();
    const QStringList lines = csv.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 1 + 8);
    EXPECT_EQ(lines[0], "Zkratka;NazevSkupiny;Poradi;Typ;TypUctu;Ucet;Nazev;PS;Obrat;KS");
    EXPECT_EQ(lines[2], ";;2;1;1;518300;Nájemné;10.0000;1000.0000;1010.0000");
    EXPECT_EQ(lines[8], ";;8;5;3;;>>>;-10.0000;-1000.0000;-1010.0000");

    QTemporaryDir dir;
    const QString file = dir.path() + "/vysledovka.txt";
    const Result text = run({"--vystup", file});
    ASSERT_EQ(text.exitCode, 0) << text.err.toStdString();
    EXPECT_TRUE(text.out.isEmpty());
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString written = QString::fromUtf8(f.readAll());
    EXPECT_TRUE(written.contains("Období: od 01.01.2019 do 31.12.2019")) << written.toStdString();
    EXPECT_TRUE(written.contains("Součet za celou sestavu"));
    EXPECT_TRUE(written.contains("Náklady celkem")) << written.toStdString();
    EXPECT_TRUE(written.contains("1 250,50")) << written.toStdString();
}

TEST_F(Batch, ExitStatusOfFailures) {
    struct Case {
        const char* name;
        QStringList options;
        int exitCode;
        const char* message;
    } cases[] = {
        {"unknown option", {"--nic"}, 2, "Neznámá volba: --nic"},
        {"option without value", {"--format"}, 2, "Volba --format vyžaduje hodnotu."},
        {"unknown kind", {"--seskupit", "tydny"}, 2, "Neznámý druh seskupení: tydny"},
        {"bad date",
         {"--od", "32.13.2019", "--do", "2019-12-31"},
         2,
         "Datum OD nebyl zadán nebo má chybný formát."},
        {"date to missing",
         {"--od", "2019-01-01"},
         2,
         "Datum DO nebyl zadán nebo má chybný formát."},
        {"dates reversed",
         {"--od", "2019-02-01", "--do", "2019-01-01"},
         2,
         "Datum DO nesmí být nižší než datum OD."},
        {"both tax switches off",
         {"--bez-ovlivnujicich", "--bez-neovlivnujicich"},
         2,
         "musí zůstat aktivní"},
        {"output not writable",
         {"--vystup", "/nonexistent-folder/x.json"},
         3,
         "Výstup nelze zapsat"},
    };
    for (const Case& c : cases) {
        const Result r = run(c.options);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.name;
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.message)))
            << c.name << ": " << r.err.toStdString();
    }

    // A start-up failure: the parameters are missing.
    QProcess p;
    p.start(QStringLiteral(ARVELO_PROGRAM), {"--batch", "--format", "json"});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 1);
    EXPECT_TRUE(QString::fromUtf8(p.readAllStandardError()).contains("?MAIN=<Main>?MAIN"));
    EXPECT_TRUE(p.readAllStandardOutput().isEmpty());

    // A run failure: the journal is missing.
    QFile::remove(agenda.yearFolder("002") + "UCDENIK.DAT");
    const Result r = run({});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("Nastala chyba při otevírání databáze")) << r.err.toStdString();
}

TEST_F(Batch, HonoursTheHostRightsAndTheFixedFiltersOfExtendedRights) {
    agenda.hostUser(2, QStringLiteral("Petr Novák"), QStringLiteral("novak"), false);
    agenda.hostUser(3, QStringLiteral("Jana Dvořáková"), QStringLiteral("jana"), true);

    // Without the module's right the user is refused as in the wizard.
    const Result refused = run({"--format", "json"}, QStringLiteral("novak"));
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains("nemáte dostatečná oprávnění")) << refused.err.toStdString();
    EXPECT_TRUE(refused.out.isEmpty());

    // A password that matches nobody is refused too.
    EXPECT_EQ(run({"--format", "json"}, QStringLiteral("nikdo")).exitCode, 1);

    // Jana's orders filter is fixed to the empty list with negation: only lines
    // with an order count, whatever the command line asks for.
    rights::TObsahPrav prava;
    prava.RozsirenaPrava = true;
    rights::TUzivatelPrav jana;
    jana.ID = 3;
    jana.Jmeno = QStringLiteral("Jana Dvořáková");
    jana.Omezeni.Zak = {true, true, QString(), true};
    prava.Uzivatele.push_back(jana);
    ASSERT_EQ(rights::UlozSoubor(rights::SestavitRadky(prava), agenda.agenda() + "ORBPRA.TLD",
                                 nullptr, rights::KlicPrav()),
              0);
    const Result fixed = run({"--zakazky", "Z9;", "--format", "json"}, QStringLiteral("jana"));
    ASSERT_EQ(fixed.exitCode, 0) << fixed.err.toStdString();
    const QJsonObject omezena = QJsonDocument::fromJson(fixed.out.toUtf8()).object();
    // Lines with an order: 518300 1 000.00 (cost) and 602100 1 000.00 + 250.50 (revenue).
    EXPECT_EQ(omezena.value("SoucetNakladyOB").toString(), "1000.0000");
    EXPECT_EQ(omezena.value("SoucetVynosyOB").toString(), "1250.5000");

    // With extended rights the list alone decides: the unlisted administrator
    // is refused despite his host right, a listed user without it may run.
    EXPECT_EQ(run({"--format", "json"}).exitCode, 1);
    rights::TUzivatelPrav petr;
    petr.ID = 2;
    petr.Jmeno = QStringLiteral("Petr Novák");
    prava.Uzivatele.push_back(petr);
    ASSERT_EQ(rights::UlozSoubor(rights::SestavitRadky(prava), agenda.agenda() + "ORBPRA.TLD",
                                 nullptr, rights::KlicPrav()),
              0);
    const Result volny = run({"--zakazky", "Z9;", "--format", "json"}, QStringLiteral("novak"));
    ASSERT_EQ(volny.exitCode, 0) << volny.err.toStdString();
    const QJsonObject volna = QJsonDocument::fromJson(volny.out.toUtf8()).object();
    EXPECT_EQ(volna.value("SoucetNakladyOB").toString(), "0.0000"); // no line has order Z9
}

TEST(BatchHelp, DescribesTheOptions) {
    QProcess p;
    p.start(QStringLiteral(ARVELO_PROGRAM), {"--help"});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 0);
    const QString text = QString::fromUtf8(p.readAllStandardOutput());
    for (const char* option :
         {"--batch", "--od", "--do", "--seskupit", "--cinnosti-neg", "--strediska", "--zakazky",
          "--ucty", "--bez-ovlivnujicich", "--bez-neovlivnujicich", "--vcetne-prevodu", "--format",
          "--vystup", "firmy-cislo"}) {
        EXPECT_TRUE(text.contains(QLatin1String(option))) << option;
    }
}

} // namespace
