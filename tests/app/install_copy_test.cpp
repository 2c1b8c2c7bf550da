#include "app/ini_file.h"
#include "app/install_copy.h"
#include "app/startup.h"
#include "test_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace arvelo;
using namespace arvelo::app;
using test::readAll;
using test::writeText;

namespace {

class InstallCopyTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString program() const { return dir.path() + "/program/"; }
    QString data() const { return dir.path() + "/data/"; }
    QString user() const { return data() + "Nvk/Arvelo/"; }

    void SetUp() override {
        QDir().mkpath(user());
        writeText(program() + "SetupDat/setup.ini", "[INSTALL]\r\nSIGN=2\r\n");
        writeText(program() + "SetupDat/PrintFrm/_VYSLED.PTS", "report");
        writeText(program() + "SetupDat/PrintFrm/_SKUPTAB.XL", "workbook");
        writeText(program() + "SetupDat/PrintFrm/Sub/inner.txt", "not copied");
        writeText(program() + "SetupDat/Help/a.html", "help");
    }
    void list(const QByteArray& entries) {
        writeText(program() + "InsMon.ini", "[COPY]\r\n" + entries);
    }
    QString userMark() {
        return TIniFile(user() + "setup.ini").ReadString("INSTALL", "SIGN", "<none>");
    }
};

TEST_F(InstallCopyTest, FirstStartCopiesFilesAndWritesTheMark) {
    list("Source1=PrintFrm\r\nDest1=%MONEYDATA%\\Nvk\\Arvelo\\PrintFrm\r\n");
    EXPECT_EQ(KopirovatInstalaci(program(), user(), data()), std::nullopt);
    EXPECT_EQ(readAll(user() + "PrintFrm/_VYSLED.PTS"), "report");
    EXPECT_EQ(readAll(user() + "PrintFrm/_SKUPTAB.XL"), "workbook");
    EXPECT_FALSE(QFileInfo::exists(user() + "PrintFrm/Sub")); // folders are not copied
    EXPECT_EQ(userMark(), "2");
    // No temporary file is left beside the copies.
    EXPECT_EQ(QDir(user() + "PrintFrm").entryList(QDir::Files | QDir::Hidden).size(), 2);
}

TEST_F(InstallCopyTest, EqualMarksCopyNothing) {
    list("Source1=PrintFrm\r\nDest1=%MONEYDATA%\\Nvk\\Arvelo\\PrintFrm\r\n");
    writeText(user() + "setup.ini", "[INSTALL]\r\nSIGN=2\r\n");
    EXPECT_EQ(KopirovatInstalaci(program(), user(), data()), std::nullopt);
    EXPECT_FALSE(QFileInfo::exists(user() + "PrintFrm"));
}

TEST_F(InstallCopyTest, NewerSetOverwritesReadOnlyFiles) {
    list("Source1=PrintFrm\r\nDest1=%MONEYDATA%\\Nvk\\Arvelo\\PrintFrm\r\n");
    writeText(user() + "setup.ini", "[INSTALL]\r\nSIGN=1\r\n");
    writeText(user() + "PrintFrm/_VYSLED.PTS", "old");
    QFile::setPermissions(user() + "PrintFrm/_VYSLED.PTS", QFileDevice::ReadOwner);
    writeText(user() + "PrintFrm/mine.PTS", "user's own");
    EXPECT_EQ(KopirovatInstalaci(program(), user(), data()), std::nullopt);
    EXPECT_EQ(readAll(user() + "PrintFrm/_VYSLED.PTS"), "report");
    EXPECT_TRUE(QFileInfo(user() + "PrintFrm/_VYSLED.PTS").isWritable());
    EXPECT_EQ(readAll(user() + "PrintFrm/mine.PTS"), "user's own");
    EXPECT_EQ(userMark(), "2");
}

TEST_F(InstallCopyTest, SourceWithoutDestEndsTheList) {
    list("Source1=Help\r\nDest1=%moneydata%/Nvk/Arvelo/Help\r\n"
         "Source2=PrintFrm\r\n"
         "Source3=PrintFrm\r\nDest3=%MONEYDATA%\\Later\r\n");
    EXPECT_EQ(KopirovatInstalaci(program(), user(), data()), std::nullopt);
    EXPECT_EQ(readAll(user() + "Help/a.html"), "help");
    EXPECT_FALSE(QFileInfo::exists(data() + "Later"));
    EXPECT_EQ(userMark(), "2");
}

TEST_F(InstallCopyTest, LowerCaseMarkerWithSubfolderResolvesUnderTheDataRoot) {
    list("Source1=PrintFrm\r\nDest1=%moneydata%Sablony\r\n");
    EXPECT_EQ(KopirovatInstalaci(program(), user(), data()), std::nullopt);
    EXPECT_EQ(readAll(data() + "Sablony/_VYSLED.PTS"), "report");
}

TEST_F(InstallCopyTest, MissingSourceFolderCopiesNothingButCounts) {
    list("Source1=Chybi\r\nDest1=%MONEYDATA%\\Nvk\\Arvelo\\Chybi\r\n");
    EXPECT_EQ(KopirovatInstalaci(program(), user(), data()), std::nullopt);
    EXPECT_TRUE(QFileInfo(user() + "Chybi").isDir());
    EXPECT_EQ(userMark(), "2");
}

TEST_F(InstallCopyTest, UncreatableDestinationFailsAndLeavesNothing) {
    writeText(data() + "blocker", "a file where a folder should be");
    list("Source1=Help\r\nDest1=%MONEYDATA%\\Nvk\\Arvelo\\Help\r\n"
         "Source2=PrintFrm\r\nDest2=%MONEYDATA%\\blocker\\PrintFrm\r\n");
    const auto error = KopirovatInstalaci(program(), user(), data());
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(*error, "Nelze vytvořit adresář " + data() + "blocker/PrintFrm/");
    EXPECT_EQ(userMark(), "<none>");
    // The first entry's folder and staged file are gone again.
    EXPECT_FALSE(QFileInfo::exists(user() + "Help"));
}

TEST_F(InstallCopyTest, UnreadableSourceFileFailsWithTheCopyMessage) {
    list("Source1=PrintFrm\r\nDest1=%MONEYDATA%\\Nvk\\Arvelo\\PrintFrm\r\n");
    QFile::setPermissions(program() + "SetupDat/PrintFrm/_VYSLED.PTS", QFileDevice::WriteOwner);
    if (QFileInfo(program() + "SetupDat/PrintFrm/_VYSLED.PTS").isReadable()) {
        GTEST_SKIP() << "running with rights that ignore file permissions";
    }
    const auto error = KopirovatInstalaci(program(), user(), data());
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(*error,
              QString("Při kopírování souboru %1 do %2 došlo k chybě.")
                  .arg(QFileInfo(program() + "SetupDat/PrintFrm/_VYSLED.PTS").absoluteFilePath(),
                       user() + "PrintFrm/_VYSLED.PTS"));
    EXPECT_EQ(userMark(), "<none>");
    EXPECT_FALSE(QFileInfo::exists(user() + "PrintFrm"));
}

// The files the build ships next to the program form a working installation.
TEST(ShippedFiles, LieNextToTheProgramAndInstall) {
    const QString program = QFileInfo(ARVELO_PROGRAM).absolutePath() + u'/';
    EXPECT_TRUE(test::readAll(program + "insmon.html").contains("?MAIN=&lt;Main&gt;?MAIN"));
    const QString shipped =
        TIniFile(program + "SetupDat/setup.ini").ReadString("INSTALL", "SIGN", "");
    ASSERT_FALSE(shipped.isEmpty());
    ASSERT_FALSE(TIniFile(program + "InsMon.ini").ReadString("COPY", "Dest1", "").isEmpty());

    QTemporaryDir dir;
    const QString data = dir.path() + "/data/";
    const QString user = data + "Nvk/Arvelo/";
    EXPECT_EQ(KopirovatInstalaci(program, user, data), std::nullopt);
    EXPECT_EQ(TIniFile(user + "setup.ini").ReadString("INSTALL", "SIGN", ""), shipped);
    EXPECT_TRUE(QFileInfo(user + "PrintFrm").isDir());
}

} // namespace
