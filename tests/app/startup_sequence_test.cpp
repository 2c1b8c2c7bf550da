#include "app/main_data.h"
#include "app/scripted_prompts.h"
#include "app/startup.h"
#include "test_support.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

using namespace arvelo;
using namespace arvelo::app;

namespace {

// A host data root with one double-entry agenda and a program folder with
// its shipped files.
class StartupSequence : public ::testing::Test {
protected:
    test::HostData host;
    ScriptedPrompts prompts;
    THlavniData data{prompts, test::czech()};
    QString program() const { return host.root() + "program/"; }
    QString yearFolder;

    void SetUp() override {
        yearFolder =
            host.addYear("001", "001", {{"Účetní rok", "2026"}, {"Podvojné účetnictví", "Y"}});
        host.setAgenda("001", {{"Název-obchodní", "Pila s.r.o."}, {"IČO", "27074358"}});
        test::writeText(program() + "SetupDat/setup.ini", "[INSTALL]\r\nSIGN=7\r\n");
        test::writeText(program() + "SetupDat/PrintFrm/_VYSLED.PTS", "t");
        test::writeText(
            program() + "InsMon.ini",
            "[COPY]\r\nSource1=PrintFrm\r\nDest1=%MONEYDATA%\\Nvk\\Arvelo\\PrintFrm\r\n");
    }

    QStringList arguments(const QString& version = "11,06 build 1",
                          const QString& year = QString()) const {
        // As the host passes them: the folder with a blank splits into arguments.
        return {"?MAIN=" + host.root() + "Money",
                "S3/?MAIN",
                "?AKTROK=" + (year.isEmpty() ? yearFolder : year) + "?AKTROK",
                "?MVERZE=" + version + "?MVERZE",
                "?AKTDATUMM=10.12.2026?AKTDATUMM",
                "?AKTHESLO=?AKTHESLO",
                "?AKTCFGNAME=Jan/Novák?AKTCFGNAME"};
    }
    bool userFolderExists() const { return QFileInfo::exists(host.root() + "Nvk"); }
};

TEST_F(StartupSequence, SucceedsOnADoubleEntryAgenda) {
    ASSERT_TRUE(SpustitModul(data, arguments(), program()));
    EXPECT_TRUE(prompts.messages.empty());
    const TKontextSpusteni& k = data.Kontext;
    EXPECT_EQ(k.AdresarProgramu, program());
    EXPECT_EQ(k.AdresarHlavni, host.root() + "Money S3/");
    EXPECT_EQ(k.AdresarAgendy, host.agenda("001"));
    EXPECT_EQ(k.AdresarDat, host.root());
    EXPECT_EQ(k.NazevKonfigurace, "Jan_Novák");
    EXPECT_EQ(k.DatumMoney, QDate(2026, 12, 10));
    EXPECT_EQ(k.SouborVoleb, host.root() + "Nvk/Arvelo/Setting/Jan_Novák.ini");
    EXPECT_TRUE(QFileInfo(k.AdresarNastaveni).isDir());
    EXPECT_TRUE(QFileInfo(k.AdresarTemp).isDir());
    EXPECT_EQ(test::readAll(k.AdresarFormularu + "_VYSLED.PTS"), "t");
    EXPECT_EQ(data.NazevAgendy, "Pila s.r.o.");
    EXPECT_EQ(data.ICOAgendy, "27074358");
    EXPECT_FALSE(data.MaObdobiDPH());
    EXPECT_TRUE(data.Zaneprazdneno);
    EXPECT_EQ(data.Parametr("aktcfgname"), std::optional<QString>("Jan/Novák"));
    EXPECT_EQ(data.mtParametry.recordCount(), 6);
    // The working notice was hidden at the end.
    EXPECT_FALSE(prompts.workingVisible);
}

TEST_F(StartupSequence, WithoutParametersReportsMainAndOffersHelp) {
    prompts.answers = {Answer::Yes};
    EXPECT_FALSE(SpustitModul(data, {}, program()));
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(prompts.messages[0].buttons, Buttons::YesNo);
    EXPECT_TRUE(prompts.messages[0].text.contains("Chybějící parametr: ?MAIN=<Main>?MAIN\r\r"));
    EXPECT_EQ(prompts.openedDocuments, std::vector<QString>{program() + "insmon.html"});
    EXPECT_FALSE(userFolderExists());
}

TEST_F(StartupSequence, HelpIsNotOpenedWhenDeclined) {
    EXPECT_FALSE(SpustitModul(data, {"?MAIN=/x/?MAIN"}, program()));
    EXPECT_TRUE(prompts.messages[0].text.contains("?AKTROK=<AktRok>?AKTROK"));
    EXPECT_TRUE(prompts.openedDocuments.empty());
}

TEST_F(StartupSequence, NonDoubleEntryAgendaIsRefusedAndLeavesNothing) {
    test::writeText(yearFolder + "ROK.INI",
                    test::iniText("Global", {{"Podvojné účetnictví", "N"}}));
    EXPECT_FALSE(SpustitModul(data, arguments(), program()));
    EXPECT_EQ(prompts.texts(MessageKind::Warning),
              QStringList{"Litujeme, ale tento doplněk je možné spustit pouze v agendě, která je "
                          "vedena v podvojném účetnictví."});
    EXPECT_FALSE(userFolderExists());
}

TEST_F(StartupSequence, OldHostVersionIsRefusedAndLeavesNothing) {
    EXPECT_FALSE(SpustitModul(data, arguments("10,50 build 7"), program()));
    const QStringList errors = prompts.texts(MessageKind::Error);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith("Tato verze Money není v tomto programu podporována."));
    EXPECT_TRUE(errors[0].contains("Aktuálně nainstalovaná verze Money: 10,5\r"));
    EXPECT_FALSE(userFolderExists());
}

TEST_F(StartupSequence, UncreatableDataFolderIsReported) {
    // A file stands where the user's folder would go.
    test::writeText(host.root() + "Nvk", "not a folder");
    EXPECT_FALSE(SpustitModul(data, arguments(), program()));
    EXPECT_EQ(prompts.texts(MessageKind::Error),
              QStringList{"Nelze vytvořit adresář " + host.root() + "Nvk/Arvelo/Setting/"});
}

TEST_F(StartupSequence, UnwritableDataRootIsReported) {
    QFile::setPermissions(host.root(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const bool writable = QFileInfo(host.root()).isWritable();
    if (!writable) {
        EXPECT_FALSE(SpustitModul(data, arguments(), program()));
        EXPECT_EQ(prompts.texts(MessageKind::Error),
                  QStringList{"Nelze vytvořit adresář " + host.root() + "Nvk/Arvelo/Setting/"});
    }
    QFile::setPermissions(host.root(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (writable) {
        GTEST_SKIP() << "running with rights that ignore folder permissions";
    }
}

TEST_F(StartupSequence, YearFolderOfAnotherShapeCreatesNothingRelative) {
    const QString cwd = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(host.root()));
    EXPECT_FALSE(
        SpustitModul(data, arguments("11,06", host.root() + "AGENDA.001/2026"), program()));
    QDir::setCurrent(cwd);
    EXPECT_EQ(prompts.texts(MessageKind::Error),
              QStringList{"Nelze vytvořit adresář Nvk/Arvelo/Setting/"});
    EXPECT_FALSE(userFolderExists());
}

TEST_F(StartupSequence, FailedInstallationCopyLeavesNoFolders) {
    test::writeText(program() + "InsMon.ini",
                    "[COPY]\r\nSource1=PrintFrm\r\nDest1=%MONEYDATA%\\blocker\\x\r\n");
    test::writeText(host.root() + "blocker", "file");
    EXPECT_FALSE(SpustitModul(data, arguments(), program()));
    EXPECT_EQ(prompts.texts(MessageKind::Error),
              QStringList{"Nelze vytvořit adresář " + host.root() + "blocker/x/"});
    EXPECT_FALSE(userFolderExists());
}

// The real program: without parameters it reports the missing "MAIN" and ends
// with a non-zero status; without a display the report goes to the error output.
TEST(Program, WithoutParametersEndsWithAFailureStatus) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    process.setProcessEnvironment(env);
    process.start(ARVELO_PROGRAM, {});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_NE(process.exitCode(), 0);
    EXPECT_TRUE(QString::fromUtf8(process.readAllStandardError())
                    .contains("Chybějící parametr: ?MAIN=<Main>?MAIN"));
}

} // namespace
