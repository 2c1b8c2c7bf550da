#include "qt_tisk.h"
#include "report/model/text_codec.h"
#include "report/template/sestava.h"
#include "report/template/soubor_predlohy.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace arvelo::report {
namespace {

class TDialogy : public TSestDialogy {
public:
    QStringList zpravy;
    QStringList otazky;
    TOdpoved odpoved = TOdpoved::Ne;
    QString soubor;
    QString start;
    void Zprava(TDruh, const QString& caption, const QString& text) override {
        zpravy.append(caption + QLatin1Char('|') + text);
    }
    TOdpoved Otazka(const QString& caption, const QString& text, bool) override {
        otazky.append(caption + QLatin1Char('|') + text);
        return odpoved;
    }
    QString UlozitJako(const QString&, const QString&, const QString& s) override {
        start = s;
        return soubor;
    }
};

QByteArray Obsah(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void Zapis(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

class SouborPredlohy : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        r.Dialogy = &dialogy;
        r.SetReportDir(dir.path());
        r.ReportDirIgnore = false;
        r.SetReportName(QStringLiteral("faktura"));
        r.OnError = [this](TSestava&, TSestError e) {
            chyby.append(static_cast<int>(e));
            return true;
        };
    }
    QTemporaryDir dir;
    TDialogy dialogy;
    TSestava r;
    QList<int> chyby;
};

TEST(Umisteni, JmenoSlozkaACesta) {
    TSestava r;
    struct Case {
        const char* name;
        const char* stored;
    };
    const Case cases[] = {{"faktura", "faktura.pts"},
                          {"faktura.txt", "faktura.pts"},
                          {"a.b/faktura", "a.b/faktura.pts"},
                          {"x.PTS", "x.pts"},
                          {"", ""}};
    for (const auto& c : cases) {
        r.SetReportName(QString::fromLatin1(c.name));
        EXPECT_EQ(r.ReportName(), QString::fromLatin1(c.stored)) << c.name;
    }
    r.SetReportName(QStringLiteral("x"));
    r.SetReportDir(QStringLiteral("/data/sestavy"));
    EXPECT_EQ(r.ReportDir(), QStringLiteral("/data/sestavy/"));
    r.SetReportDir(QString());
    EXPECT_EQ(r.ReportDir(), QString());
    r.SetReportDir(QStringLiteral("C:\\Sestavy\\"));
    EXPECT_EQ(r.ReportDir(), QStringLiteral("C:\\Sestavy\\"));

    r.SetReportDir(QStringLiteral("/data/sestavy"));
    r.SlozkaProgramu = QStringLiteral("/opt/arvelo");
    EXPECT_TRUE(r.ReportDirIgnore); // the default
    EXPECT_EQ(r.TemplatePath(), QStringLiteral("/opt/arvelo/x.pts"));
    r.ReportDirIgnore = false;
    EXPECT_EQ(r.TemplatePath(), QStringLiteral("/data/sestavy/x.pts"));
    r.SetReportAlias(QStringLiteral("alias"));
    EXPECT_EQ(r.ReportAlias(), QString());
}

TEST_F(SouborPredlohy, UlozitDvakratDrziJednuZalohu) {
    const QString path = r.TemplatePath();
    r.SetPredloha({QStringLiteral("I,0,\"první\"")});
    ASSERT_EQ(r.SaveTemplate(), TSestError::seOK);
    EXPECT_FALSE(QFile::exists(JmenoZalohy(path)));
    r.SetPredloha({QStringLiteral("I,0,\"druhá\"")});
    ASSERT_EQ(r.SaveTemplate(), TSestError::seOK);
    r.SetPredloha({QStringLiteral("I,0,\"třetí\"")});
    ASSERT_EQ(r.SaveTemplate(), TSestError::seOK);

    EXPECT_EQ(Obsah(path), EncodeWindows1250(QStringLiteral("I,0,\"třetí\"\r\n")));
    EXPECT_EQ(Obsah(dir.filePath(QStringLiteral("faktura.BAK"))),
              EncodeWindows1250(QStringLiteral("I,0,\"druhá\"\r\n")));
    QStringList files = QDir(dir.path()).entryList(QDir::Files);
    files.sort();
    EXPECT_EQ(files, QStringList({QStringLiteral("faktura.BAK"), QStringLiteral("faktura.pts")}));
    EXPECT_TRUE(chyby.isEmpty());
}

TEST_F(SouborPredlohy, NacteniUtf8I1250) {
    const QString path = r.TemplatePath();
    Zapis(path, QStringLiteral("I,0,\"Účty\"\r\nI,3,2,1,20\r\n").toUtf8());
    EXPECT_EQ(r.LoadTemplate(false), TSestError::seOK);
    EXPECT_EQ(r.Popis, QStringLiteral("Účty"));
    EXPECT_TRUE(r.PevnyOddil(okTelo).Visible);
    Zapis(path, EncodeWindows1250(QStringLiteral("I,0,\"Žluťoučký\"\nT\n")));
    EXPECT_EQ(r.LoadTemplate(false), TSestError::seOK);
    EXPECT_EQ(r.Popis, QStringLiteral("Žluťoučký"));
    EXPECT_EQ(r.Predloha(), TPredloha({QStringLiteral("I,0,\"Žluťoučký\""), QStringLiteral("T")}));
}

TEST_F(SouborPredlohy, ChybejiciSouborPriTiskuANavrhu) {
    const QString path = r.TemplatePath();
    EXPECT_EQ(r.LoadTemplate(false), TSestError::seLoadTemplate);
    EXPECT_EQ(
        dialogy.zpravy.value(0),
        QStringLiteral("Chyba|Nebyl nalezen soubor s předlohou tiskové sestavy \"%1\"").arg(path));
    EXPECT_EQ(chyby, QList<int>({4}));

    dialogy.odpoved = TSestDialogy::TOdpoved::Ne;
    EXPECT_EQ(r.LoadTemplate(true), TSestError::seLoadTemplate);
    EXPECT_EQ(dialogy.otazky.value(0),
              QStringLiteral("Potvrzení|Nebyl nalezen soubor s předlohou tiskové sestavy "
                             "\"%1\". Založit nový?")
                  .arg(path));
    EXPECT_FALSE(QFile::exists(path));

    dialogy.odpoved = TSestDialogy::TOdpoved::Ano;
    EXPECT_EQ(r.LoadTemplate(true), TSestError::seOK);
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(Obsah(path), QByteArray());

    r.SetReportDir(dir.filePath(QStringLiteral("neni")));
    EXPECT_EQ(r.LoadTemplate(true), TSestError::seLoadTemplate);
    EXPECT_TRUE(dialogy.zpravy.last().startsWith(
        QStringLiteral("Chyba|Soubor s předlohou se nepodařilo vytvořit. \"")));
}

TEST_F(SouborPredlohy, NeuspesneUlozeni) {
    r.SetReportDir(dir.filePath(QStringLiteral("neni")));
    r.OnError = nullptr;
    EXPECT_EQ(r.SaveTemplate(), TSestError::seSaveTemplate);
    EXPECT_EQ(dialogy.zpravy.value(0),
              QStringLiteral("Chyba|Soubor s předlohou se nepodařilo uložit."));
    int reported = 0;
    r.OnError = [&](TSestava&, TSestError e) {
        reported = static_cast<int>(e);
        return true;
    };
    EXPECT_EQ(r.SaveTemplate(), TSestError::seSaveTemplate);
    EXPECT_EQ(reported, 5);
    EXPECT_EQ(dialogy.zpravy.size(), 1); // OnError instead of the message
}

TEST_F(SouborPredlohy, UlozenaVKomponenteAUdalosti) {
    r.IsStored = true;
    r.SetPredloha({QStringLiteral("I,0,\"uvnitř\"")});
    r.Popis = QStringLiteral("jiný");
    EXPECT_EQ(r.LoadTemplate(false), TSestError::seOK);
    EXPECT_EQ(r.Popis, QStringLiteral("uvnitř")); // re-parsed
    EXPECT_EQ(r.SaveTemplate(), TSestError::seOK);
    EXPECT_FALSE(QFile::exists(r.TemplatePath()));

    int set = 0;
    r.OnSetPredloha = [&](TSestava&) { ++set; };
    r.OnNactiPredlohu = [](TSestava& s) {
        s.SetPredloha({QStringLiteral("I,0,\"z události\"")});
        return false; // the answer does not matter
    };
    EXPECT_EQ(r.LoadTemplate(false), TSestError::seOK);
    EXPECT_EQ(r.Popis, QStringLiteral("z události"));
    EXPECT_EQ(set, 1);

    r.OnUlozPredlohu = [](TSestava&) { return false; };
    EXPECT_EQ(r.SaveTemplate(), TSestError::seSaveTemplate);
    EXPECT_EQ(chyby, QList<int>({5}));
    r.OnUlozPredlohu = [](TSestava&) { return true; };
    EXPECT_EQ(r.SaveTemplate(), TSestError::seOK);

    QString offered;
    r.OnUlozPredlohuJako = [&](TSestava&, QString& soubor) {
        offered = soubor;
        soubor = QStringLiteral("jinde/nova.txt");
        return true;
    };
    const QString before = r.TemplatePath();
    EXPECT_EQ(r.SaveTemplateAs(), TSestError::seOK);
    EXPECT_EQ(offered, before);
    EXPECT_EQ(r.ReportName(), QStringLiteral("jinde/nova.pts"));
}

TEST_F(SouborPredlohy, UlozitJakoTriPripady) {
    r.SetPredloha({QStringLiteral("I,0,\"kopie\"")});
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("Podsl")));
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("jinde")));

    // Cancelled: 5, no message.
    dialogy.soubor.clear();
    EXPECT_EQ(r.SaveTemplateAs(), TSestError::seSaveTemplate);
    EXPECT_EQ(dialogy.start, r.TemplatePath());
    EXPECT_TRUE(dialogy.zpravy.isEmpty());

    // Under ReportDir: the name becomes relative to it.
    dialogy.soubor = dir.filePath(QStringLiteral("Podsl/Nova.pts"));
    EXPECT_EQ(r.SaveTemplateAs(), TSestError::seOK);
    EXPECT_EQ(r.ReportName(), QStringLiteral("Podsl/Nova.pts"));
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("Podsl/Nova.pts"))));

    // Elsewhere: the full path, ReportDir cleared.
    QTemporaryDir other;
    dialogy.soubor = other.filePath(QStringLiteral("cizi.pts"));
    r.ReportDirIgnore = true;
    EXPECT_EQ(r.SaveTemplateAs(), TSestError::seOK);
    EXPECT_EQ(r.ReportDir(), QString());
    EXPECT_FALSE(r.ReportDirIgnore);
    EXPECT_EQ(r.ReportName(), QDir::cleanPath(other.filePath(QStringLiteral("cizi.pts"))));
    EXPECT_TRUE(QFile::exists(other.filePath(QStringLiteral("cizi.pts"))));

    // No ReportDir: the chosen folder becomes it.
    dialogy.soubor = dir.filePath(QStringLiteral("jinde/treti.pts"));
    r.ReportDirIgnore = true;
    EXPECT_EQ(r.SaveTemplateAs(), TSestError::seOK);
    EXPECT_EQ(r.ReportDir(), QDir::cleanPath(dir.filePath(QStringLiteral("jinde"))) + "/");
    EXPECT_EQ(r.ReportName(), QStringLiteral("treti.pts"));
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("jinde/treti.pts"))));
    EXPECT_EQ(r.TemplatePath(), QDir::cleanPath(dir.filePath(QStringLiteral("jinde/treti.pts"))));
}

TEST(ChybaSablony, PrazdnaPredlohaBezCesty) {
    TDialogy dialogy;
    TSestava r;
    r.Dialogy = &dialogy;
    r.OnGetData = [](TSestavaD&) {};
    r.SlozkaProgramu = QStringLiteral("/opt");
    r.SetReportName(QString());
    r.ReportDirIgnore = false;
    EXPECT_FALSE(r.CheckDataSource());
    EXPECT_EQ(dialogy.zpravy.value(0),
              QStringLiteral("Chyba|Není definována cesta a název souboru s předlohou."));
    r.SetReportName(QStringLiteral("x"));
    EXPECT_TRUE(r.CheckDataSource());
}

} // namespace
} // namespace arvelo::report
