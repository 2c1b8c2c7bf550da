#include "app/file_io.h"
#include "app/ini_file.h"
#include "app/s3_ini_file.h"
#include "host/day_date.h"
#include "host/host_table.h"
#include "test_support.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace arvelo;
using namespace arvelo::app;
using arvelo::test::readAll;
using arvelo::test::writeText;

namespace {

class IniFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const char* name) const { return dir.path() + u'/' + name; }
};

TEST_F(IniFileTest, ReadsKeysWithoutRegardToCaseAndKeepsQuotes) {
    writeText(path("a.ini"),
              "; comment\r\n[Global]\r\n Účetní rok = 2026 \r\nSeznam=\"501;518;\"\r\n"
              "Cislo=42\r\nHex=$1F\r\nSpatne=4x\r\nAno=1\r\n");
    TIniFile ini(path("a.ini"), TIniFile::Writes::Immediate, test::czech());
    EXPECT_EQ(ini.ReadString("GLOBAL", "účetní ROK", "---"), "2026");
    EXPECT_EQ(ini.ReadString("Global", "Seznam", ""), "\"501;518;\"");
    EXPECT_EQ(ini.ReadString("Global", "Chybi", "---"), "---");
    EXPECT_EQ(ini.ReadString("Jina", "Cislo", "x"), "x");
    EXPECT_EQ(ini.ReadInteger("Global", "Cislo", 0), 42);
    EXPECT_EQ(ini.ReadInteger("Global", "Hex", 0), 31);
    EXPECT_EQ(ini.ReadInteger("Global", "Spatne", 7), 7);
    EXPECT_TRUE(ini.ReadBool("Global", "Ano", false));
    EXPECT_TRUE(ini.ReadBool("Global", "Chybi", true));
    EXPECT_EQ(ini.ReadSections(), QStringList{"Global"});
    EXPECT_EQ(ini.ReadSection("global").size(), 6);
    EXPECT_TRUE(ini.ReadSectionValues("Global").contains("Cislo=42"));
}

TEST_F(IniFileTest, WritesTypedValuesAndReadsThemBack) {
    const QDateTime when(QDate(2026, 12, 10), QTime(8, 30, 5));
    {
        TIniFile ini(path("b.ini"), TIniFile::Writes::Immediate, test::czech());
        EXPECT_TRUE(ini.WriteBool("S", "B", true));
        EXPECT_TRUE(ini.WriteInteger("S", "I", -12));
        EXPECT_TRUE(ini.WriteFloat("S", "F", 10.5));
        EXPECT_TRUE(ini.WriteDate("S", "D", when.date()));
        EXPECT_TRUE(ini.WriteDateTime("S", "DT", when));
        EXPECT_TRUE(ini.WriteTime("S", "T", when.time()));
        EXPECT_TRUE(ini.WriteBinaryStream("S", "Bin", QByteArray("\x01\xAB", 2)));
        EXPECT_TRUE(ini.WriteString("S", "Text", "řádek\r\ndruhý"));
    }
    const QByteArray bytes = readAll(path("b.ini"));
    EXPECT_TRUE(bytes.contains("B=1\r\n"));
    EXPECT_TRUE(bytes.contains("F=10,5\r\n"));
    EXPECT_TRUE(bytes.contains("D=10.12.2026\r\n"));

    TIniFile ini(path("b.ini"), TIniFile::Writes::Immediate, test::czech());
    EXPECT_TRUE(ini.ReadBool("s", "b", false));
    EXPECT_EQ(ini.ReadInteger("S", "I", 0), -12);
    EXPECT_DOUBLE_EQ(ini.ReadFloat("S", "F", 0), 10.5);
    EXPECT_EQ(ini.ReadDate("S", "D", {}), when.date());
    EXPECT_EQ(ini.ReadDateTime("S", "DT", {}), when);
    EXPECT_EQ(ini.ReadTime("S", "T", {}), when.time());
    QByteArray bin;
    EXPECT_EQ(ini.ReadBinaryStream("S", "Bin", bin), 2);
    EXPECT_EQ(bin, QByteArray("\x01\xAB", 2));
    EXPECT_EQ(ini.ReadString("S", "Text", ""), "řádek  druhý"); // one value stays one line
    EXPECT_EQ(ini.ReadDate("S", "Text", QDate(2000, 1, 1)), QDate(2000, 1, 1));
}

TEST_F(IniFileTest, DeletesKeysAndSectionsAndKeepsComments) {
    writeText(path("c.ini"), "; keep me\r\n[A]\r\nx=1\r\ny=2\r\n\r\n[B]\r\nz=3\r\n");
    TIniFile ini(path("c.ini"));
    EXPECT_TRUE(ini.DeleteKey("a", "X"));
    EXPECT_TRUE(ini.EraseSection("b"));
    EXPECT_TRUE(ini.WriteString("A", "w", "4"));
    EXPECT_EQ(readAll(path("c.ini")), "; keep me\r\n[A]\r\ny=2\r\nw=4\r\n\r\n");
}

TEST_F(IniFileTest, OnUpdateWritesOnlyWhenAsked) {
    TIniFile ini(path("d.ini"), TIniFile::Writes::OnUpdate);
    ini.WriteString("S", "k", "v");
    EXPECT_FALSE(QFile::exists(path("d.ini")));
    EXPECT_TRUE(ini.UpdateFile());
    EXPECT_EQ(TIniFile(path("d.ini")).ReadString("S", "k", ""), "v");
}

TEST_F(IniFileTest, Windows1250FileIsReadAndWrittenBackInItsEncoding) {
    writeText(path("e.ini"),
              encodeWindows1250("[Údaje o firmě]\r\nNázev-obchodní=Žluťoučký kůň\r\n"));
    TIniFile ini(path("e.ini"));
    EXPECT_EQ(ini.ReadString("Údaje o firmě", "Název-obchodní", ""), "Žluťoučký kůň");
    ini.WriteString("Údaje o firmě", "IČO", "12345678");
    const QByteArray bytes = readAll(path("e.ini"));
    EXPECT_EQ(bytes, encodeWindows1250("[Údaje o firmě]\r\nNázev-obchodní=Žluťoučký kůň\r\n"
                                       "IČO=12345678\r\n"));
}

TEST_F(IniFileTest, WriteFailureKeepsTheOldFile) {
    QDir(dir.path()).mkdir("ro");
    writeText(path("ro/f.ini"), "[S]\r\nk=old\r\n");
    QFile::setPermissions(path("ro"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    if (QFileInfo(path("ro")).isWritable()) {
        GTEST_SKIP() << "running with rights that ignore folder permissions";
    }
    TIniFile ini(path("ro/f.ini"));
    EXPECT_FALSE(ini.WriteString("S", "k", "new"));
    EXPECT_FALSE(ini.LastError().isEmpty());
    EXPECT_EQ(readAll(path("ro/f.ini")), "[S]\r\nk=old\r\n");
    QFile::setPermissions(path("ro"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

// --- TS3IniFile -------------------------------------------------------------

class S3IniFileTest : public IniFileTest {
protected:
    void makeTable() { test::makeSettingsTable(path("ROK")); }
};

TEST_F(S3IniFileTest, TableBesideTheIniWinsOverTheText) {
    writeText(path("ROK.INI"), "[Global]\r\nÚčetní rok=z textu\r\nJen v textu=1\r\n");
    makeTable();
    test::addSetting(path("ROK"), "Global", "Účetní rok", QString("2026"));
    test::addSetting(path("ROK"), "Global", "Hospodářský rok od", 46022);
    test::addSetting(path("ROK"), "Global", "Podvojné", true);
    test::addSetting(path("ROK"), "Global", "Sazba", 21.5);
    test::addSetting(path("ROK"), "Global", "Den", host::Variant::date(46022.5));

    TS3IniFile ini(path("rok.ini"), test::czech()); // any letter case
    ASSERT_TRUE(ini.IsTableMode());
    EXPECT_EQ(ini.ReadString("Global", "Účetní rok", "---"), "2026");
    EXPECT_EQ(ini.ReadString("global", "účetní rok", "---"), "2026"); // keys ignore case
    EXPECT_EQ(ini.ReadString("Global", "Jen v textu", "default"), "default");
    EXPECT_EQ(ini.ReadInteger("Global", "Hospodářský rok od", 0), 46022);
    EXPECT_TRUE(ini.ReadBool("Global", "Podvojné", false));
    EXPECT_DOUBLE_EQ(ini.ReadFloat("Global", "Sazba", 0), 21.5);
    EXPECT_EQ(ini.ReadDate("Global", "Den", {}), daydate::toDate(46022));
    EXPECT_EQ(ini.ReadDateTime("Global", "Den", {}).time(), QTime(12, 0));
    EXPECT_EQ(ini.ReadInteger("Global", "Chybi", -1), -1);
    // The section-wide operations do nothing in table mode.
    EXPECT_TRUE(ini.ReadSections().isEmpty());
    EXPECT_TRUE(ini.ReadSection("Global").isEmpty());
    QByteArray data("x");
    EXPECT_EQ(ini.ReadBinaryStream("Global", "Účetní rok", data), 0);
}

TEST_F(S3IniFileTest, TableModeWritesUpdatesAndDeletes) {
    makeTable();
    {
        TS3IniFile ini(path("ROK.INI"));
        ini.WriteString("Global", "Nový", "a");
        ini.WriteString("Global", "Nový", "b"); // updates, no second record
        ini.WriteInteger("Global", "Číslo", 5);
        ini.DeleteKey("Global", "Číslo");
        ini.EraseSection("Global"); // nothing
    }
    EXPECT_FALSE(QFile::exists(path("ROK.INI"))); // the text file is never written
    TS3IniFile ini(path("ROK.INI"));
    EXPECT_EQ(ini.ReadString("Global", "Nový", ""), "b");
    EXPECT_EQ(ini.ReadInteger("Global", "Číslo", -1), -1);
    auto t = host::TBFTable::create();
    ASSERT_EQ(t->Open(path("ROK")), host::result::Ok);
    EXPECT_EQ(t->RecordCount(), 1);
    t->First();
    EXPECT_EQ(t->Value("TypeVar").toString(), "");
    t->Close();
}

TEST_F(S3IniFileTest, WithoutTableReadsTheTextFile) {
    writeText(path("ROK.INI"), "[Global]\r\nÚčetní rok=z textu\r\n");
    TS3IniFile ini(path("ROK.INI"));
    EXPECT_FALSE(ini.IsTableMode());
    EXPECT_EQ(ini.ReadString("Global", "Účetní rok", "---"), "z textu");
    EXPECT_EQ(ini.ReadSections(), QStringList{"Global"});
}

TEST_F(S3IniFileTest, TableThatDoesNotOpenGivesDefaults) {
    writeText(path("ROK.DAT"), "this is not a table");
    writeText(path("ROK.INI"), "[Global]\r\nÚčetní rok=z textu\r\n");
    TS3IniFile ini(path("ROK.INI"));
    EXPECT_TRUE(ini.IsTableMode());
    EXPECT_EQ(ini.ReadString("Global", "Účetní rok", "---"), "---");
    EXPECT_EQ(ini.ReadInteger("Global", "x", 3), 3);
    EXPECT_TRUE(ini.WriteString("Global", "x", "y")); // ignored, no crash
    EXPECT_EQ(readAll(path("ROK.DAT")), "this is not a table");
}

} // namespace
