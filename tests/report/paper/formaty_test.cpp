#include "report/model/text_codec.h"
#include "report/paper/formaty_papiru.h"
#include "report/paper/ini_soubor.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace arvelo::report {
namespace {

QByteArray Obsah(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void Zapis(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

TEST(Formaty, VestaveneFormaty) {
    const TListFormatu list;
    ASSERT_EQ(list.Count(), 18);
    EXPECT_EQ(list[0].nazev, QStringLiteral("Uživat. (210 x 297 mm)"));
    EXPECT_EQ(list[8], (TFormatPapiru{QStringLiteral("A4 (210 x 297 mm)"), 826, 1169}));
    EXPECT_EQ(list[3], (TFormatPapiru{QStringLiteral("Letter (8.5 x 11\")"), 850, 1100}));
    EXPECT_EQ(list[15].nazev, QStringLiteral("Obálka otoč.(114 x 162 mm)"));
    EXPECT_EQ(list[17].vyska, 896);
    for (int i = 0; i < list.Count(); ++i)
        EXPECT_LE(list[i].nazev.size(), kMaxDelkaNazvuFormatu) << i;
}

TEST(Formaty, IniSDvemaUzivatelskymiSeZapiseBezZmeny) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("SestDLL.ini"));
    // Other sections, a comment, odd spacing and the Windows-1250 encoding must all survive.
    const QByteArray original = EncodeWindows1250(QStringLiteral(
        "[Navrhar]\r\nMrizka=1\r\n\r\n; uživatelské formáty\r\n[FormatyPapiru]\r\n"
        "PocetFormatu=2\r\nFormat1=Štítky,400,300\r\nFormat2 = Obálka C6 ,  637,458\r\n"
        "[Jine]\r\nKlic=Hodnota\r\n"));
    Zapis(path, original);

    TListFormatu list = TListFormatu::ZIniSouboru(path);
    ASSERT_EQ(list.Count(), 20);
    EXPECT_EQ(list[18], (TFormatPapiru{QStringLiteral("Štítky"), 400, 300}));
    EXPECT_EQ(list[19], (TFormatPapiru{QStringLiteral("Obálka C6 "), 637, 458}));
    EXPECT_TRUE(list.JeUzivatelsky(18));
    EXPECT_FALSE(list.JeUzivatelsky(17));

    ASSERT_TRUE(list.UlozDoIni(path));
    EXPECT_EQ(Obsah(path), original);

    // Adding a format changes exactly the count and appends its key to the section.
    list.Pridej({QStringLiteral("Etikety, velké"), 500, 250});
    ASSERT_TRUE(list.UlozDoIni(path));
    const QString changed = DecodeWindows1250(Obsah(path));
    EXPECT_TRUE(changed.contains(QStringLiteral("PocetFormatu=3\r\n")));
    EXPECT_TRUE(changed.contains(
        QStringLiteral("Format2 = Obálka C6 ,  637,458\r\nFormat3=\"Etikety, velké\",500,250\r\n"
                       "[Jine]")));
    EXPECT_EQ(TListFormatu::ZIniSouboru(path)[20].nazev, QStringLiteral("Etikety, velké"));

    // Removing one rewrites the keys after it and drops the last.
    EXPECT_FALSE(list.Odeber(3));
    ASSERT_TRUE(list.Odeber(18));
    ASSERT_TRUE(list.UlozDoIni(path));
    const TListFormatu reread = TListFormatu::ZIniSouboru(path);
    ASSERT_EQ(reread.Count(), 20);
    EXPECT_EQ(reread[18].nazev, QStringLiteral("Obálka C6 "));
    EXPECT_FALSE(DecodeWindows1250(Obsah(path)).contains(QStringLiteral("Format3")));
}

TEST(Formaty, ChybejiciKlicANecitelnaCisla) {
    TIniSoubor ini;
    ini.NastavText(QStringLiteral("[formatypapiru]\npocetformatu=3\nFormat1=Jen jméno\n"
                                  "Format3=Dlouhé jméno formátu které přesahuje limit,x,12\n"));
    TListFormatu list;
    list.NactiUzivatelske(ini);
    ASSERT_EQ(list.Count(), 21);
    EXPECT_EQ(list[18], (TFormatPapiru{QStringLiteral("Jen jméno"), 0, 0}));
    EXPECT_EQ(list[19], (TFormatPapiru{QStringLiteral("Uživat. (210 x 297 mm)"), 0, 0}));
    EXPECT_EQ(list[20].nazev.size(), 31);
    EXPECT_EQ(list[20].sirka, 0);
    EXPECT_EQ(list[20].vyska, 12);
}

TEST(Formaty, HledaniPodleRozmeru) {
    TListFormatu list;
    struct Case {
        int w;
        int h;
        const char* name;
    };
    const Case cases[] = {
        {828, 1170, "A4 (210 x 297 mm)"},   {826, 1169, "A4 (210 x 297 mm)"},
        {850, 1100, "Letter (8.5 x 11\")"}, {858, 1111, "Letter (8.5 x 11\")"}, // +0.94 %, +1 %
        {1169, 1652, "A3 (297 x 420 mm)"},
    };
    for (const auto& c : cases) {
        const int i = list.NajdiPodleRozmeru(c.w, c.h);
        EXPECT_EQ(list[i].nazev, QString::fromUtf8(c.name)) << c.w << "x" << c.h;
    }
    EXPECT_EQ(list.Count(), 18);
    const int user = list.NajdiPodleRozmeru(500, 500);
    EXPECT_EQ(user, 18);
    EXPECT_EQ(list[18], (TFormatPapiru{QStringLiteral("uživ. formát"), 500, 500}));
    EXPECT_EQ(list.NajdiPodleRozmeru(859, 1100), 19); // +1.06 %: none fits
}

TEST(Ini, ZmenaJedineHodnotyANovaSekce) {
    TIniSoubor ini;
    ini.NastavText(QStringLiteral("a=1\n[S]\nx = 1 \n\n[T]\ny=2\n"));
    EXPECT_EQ(ini.Hodnota(QStringLiteral("s"), QStringLiteral("X"), QString()),
              QStringLiteral("1"));
    ini.Nastav(QStringLiteral("S"), QStringLiteral("x"), QStringLiteral("1"));
    EXPECT_FALSE(ini.Zmeneno());
    ini.Nastav(QStringLiteral("S"), QStringLiteral("z"), QStringLiteral("3"));
    ini.Nastav(QStringLiteral("N"), QStringLiteral("k"), QStringLiteral("v"));
    EXPECT_EQ(ini.Text(), QStringLiteral("a=1\n[S]\nx = 1 \nz=3\n\n[T]\ny=2\n\n[N]\nk=v\n"));
    EXPECT_EQ(ini.CeleCislo(QStringLiteral("T"), QStringLiteral("y"), 0), 2);
    EXPECT_EQ(ini.CeleCislo(QStringLiteral("T"), QStringLiteral("q"), 5), 5);
}

} // namespace
} // namespace arvelo::report
