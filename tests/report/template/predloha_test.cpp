#include "qt_tisk.h"
#include "report/template/predloha_cteni.h"
#include "report/template/predloha_zapis.h"
#include "report/template/sestava.h"

#include <gtest/gtest.h>
#include <limits>

namespace arvelo::report {
namespace {

// A template as the writer puts it: every record kind, quoted texts with quotes inside,
// named and numbered sources, groups, all element kinds.
const char* const kKanonicka[] = {
    R"(I,0,"Přehled ""účtů""")",
    "I,1,6,40,27",
    "I,2,3,850,1100,40,30,50,60,2,10",
    "I,3,0,1,96,1",
    "I,3,1,1,50,1",
    "I,3,2,1,20,1",
    "I,3,3,0,16,3",
    "I,3,4,1,32,1",
    "I,4,0,Ucet,1,30,1,25,1",
    "I,4,1,2,0,10,1,12,0",
    "I,5,3",
    "I,6,0,5,6,0,1,1,0",
    R"(I,7,1,1,1,10,20,300,400,"pozadí, nové.png")",
    R"(F,0,Soucet,"Součet ""částek""",0,"0",2,"#2*2",2,15,2,2)",
    R"(F,1,Popis,"",1,"",0,"'a'+'b'",0,10,0,4)",
    R"(Z,1,0,0,40,800,40,Arial CE,24,0,1,18,5,238,"Nadpis ""sestavy""",0,0,0)",
    R"(Z,5,4,0,0,100,20,Arial,10,12,2,66,0,238,"",0,90,7)",
    R"(H,3,Castka,10,0,100,20,Times New Roman,8,1,0,0,15,0,"",5,0,0)",
    R"(T,2,Ucet,0,0,100,20,Roman 17cpi,10,0,0,1,0,238,"",0,0,0)",
    R"(T,6,Soucet,100,0,100,20,Arial,10,0,0,1,0,238,"",0,0,0)",
    R"(T,2,1,200,0,100,20,Arial,10,0,0,1,0,238,"a,b",0,0,0)",
    "T,7,0,0,20,800,0,,2,0,0,1,0,0",
    "T,8,8,0,0,800,20,,1,4,2,15,8,3",
    R"(T,11,11,0,0,50,50,,1,0,0,48,15,0,"'logo.png',&1")",
    R"(T,12,12,0,0,200,50,,2,0,3,48,15,0,"C:\kody\123",0,90,0)",
    "T,13,13,0,0,100,100,,1,0,0,16,15,4",
    "T,15,0,0,30,800,20",
    R"(K,4,0,0,0,100,20,Arial,10,0,0,0,0,238,"",0,0,0)",
    R"(P,5,3,0,0,100,20,Arial,10,0,1,0,0,238,"Strana %d",0,0,0)",
    R"(S0,3,0,0,0,100,20,Arial,10,0,0,0,0,238,"",0,0,0)",
    R"(U0,5,5,0,0,100,20,Arial,10,0,0,0,0,238,"",0,0,0)",
    R"(S1,1,0,0,0,100,20,Arial,10,0,0,0,0,238,"x",0,0,0)",
};

TPredloha Kanonicka() {
    TPredloha lines;
    for (const char* line : kKanonicka)
        lines.append(QString::fromUtf8(line));
    return lines;
}

TEST(Predloha, CteniVsechZaznamu) {
    TSestava r;
    r.SetFieldNames({QStringLiteral("Ucet"), QStringLiteral("Castka")});
    r.SetPredloha(Kanonicka());

    EXPECT_EQ(r.Popis, QStringLiteral("Přehled \"účtů\""));
    EXPECT_EQ(r.Verze.minor, 40);
    const TPageSetup& p = r.PageSetup();
    EXPECT_TRUE(p.nasirko);
    EXPECT_TRUE(p.zmenitelnaOrientace);
    EXPECT_EQ(p.sirkaPapiru, 850);
    EXPECT_EQ(p.vyskaPapiru, 1100);
    EXPECT_EQ(p.levyOkraj, 40);
    EXPECT_EQ(p.dolniOkraj, 60);
    EXPECT_EQ(p.TisknutelnaSirka(), 1100 - 70);
    EXPECT_EQ(r.Columns, 2);
    EXPECT_EQ(r.ColumnGap, 10);
    EXPECT_TRUE(r.PevnyOddil(okZacatek).Visible);
    EXPECT_EQ(r.PevnyOddil(okZacatek).Height, 96);
    EXPECT_EQ(r.PevnyOddil(okZacatek).Columns, 2);
    EXPECT_FALSE(r.PevnyOddil(okKonec).Visible);
    EXPECT_TRUE(r.Strankovani.poZacatkuSestavy);
    EXPECT_TRUE(r.Strankovani.predKoncemSestavy);
    EXPECT_TRUE(r.Strankovani.konecKPate);
    EXPECT_TRUE(r.Strankovani.bezPatyNaPosledni);
    ASSERT_EQ(r.Skupiny().Count(), 2);
    EXPECT_EQ(r.Skupiny()[0].FieldName, QStringLiteral("Ucet"));
    EXPECT_TRUE(r.Skupiny()[0].NewPage);
    EXPECT_EQ(r.Skupiny()[0].Header->Height, 30);
    EXPECT_EQ(r.Skupiny()[1].FieldIndex, 2);
    EXPECT_TRUE(r.PageSetup().zobrazitMrizku);
    EXPECT_EQ(r.Mrizka.x, 5);
    EXPECT_EQ(r.PozadiPredlohy.soubor, QStringLiteral("pozadí, nové.png"));
    EXPECT_EQ(r.PozadiPredlohy.height, 400);

    ASSERT_EQ(r.Funkce().Count(), 2);
    const TRadekFunkce& f = *r.Funkce().Get(0);
    EXPECT_EQ(f.Nazev, QStringLiteral("Soucet"));
    EXPECT_EQ(f.Popis, QStringLiteral("Součet \"částek\""));
    EXPECT_EQ(f.UrovenNulovani, 2);
    EXPECT_EQ(f.Vyraz, QStringLiteral("#2*2"));
    EXPECT_EQ(f.Agregace, 2);
    EXPECT_EQ(r.Funkce().Get(1)->TypVysledku, 1);
    EXPECT_EQ(r.Funkce().Get(1)->FormatCisla, 4);

    const TOddilSestavy& z = r.PevnyOddil(okZacatek);
    ASSERT_EQ(z.ElementCount(), 2);
    const TKolbraReportElement& title = z.Element(0);
    EXPECT_EQ(title.Kind, pkGrafickyText);
    EXPECT_EQ(title.Font.Name, QStringLiteral("Arial CE"));
    EXPECT_EQ(title.Font.Size, 24);
    EXPECT_EQ(title.Font.Style, fsBold);
    EXPECT_EQ(title.Alignment, 2);
    EXPECT_EQ(title.TextFlags, tfViceRadku);
    EXPECT_EQ(title.Flags, 5);
    EXPECT_EQ(title.Text, QStringLiteral("Nadpis \"sestavy\""));
    const TKolbraReportElement& var = z.Element(1);
    EXPECT_EQ(var.Source, 4); // version 6: the total page count
    EXPECT_EQ(var.Font.Color, IndexNaBarvu(12));
    EXPECT_EQ(var.TextFlags, tfPromennaVyska);
    EXPECT_EQ(var.Angle, 90);
    EXPECT_EQ(var.Extra, 7);

    EXPECT_EQ(r.PevnyOddil(okHlava).Element(0).Source, 1); // "Castka"
    const TOddilSestavy& t = r.PevnyOddil(okTelo);
    ASSERT_EQ(t.ElementCount(), 9);
    EXPECT_EQ(t.Element(0).SourceName(), QStringLiteral("Ucet"));
    EXPECT_EQ(t.Element(1).Source, 0); // function "Soucet"
    EXPECT_EQ(t.Element(2).Text, QStringLiteral("a,b"));
    EXPECT_EQ(t.Element(3).PenWidth(), 2);
    EXPECT_EQ(t.Element(4).PenColor, IndexNaBarvu(4));
    EXPECT_EQ(t.Element(4).PenStyle(), 2);
    EXPECT_EQ(t.Element(4).FillColor, IndexNaBarvu(8));
    EXPECT_EQ(t.Element(4).Param, 3);
    EXPECT_EQ(t.Element(6).Text, QStringLiteral("C:\\kody\\123"));
    EXPECT_EQ(t.Element(6).Angle, 90);
    EXPECT_EQ(t.Element(7).Param, 4);
    EXPECT_EQ(t.Element(8).Kind, pkDetail);
    EXPECT_EQ(t.Element(8).Height, 20);
    EXPECT_EQ(r.Skupiny()[1].Header->Element(0).Text, QStringLiteral("x"));
}

TEST(Predloha, ZapisCteniZapisJeTotozny) {
    TSestava r;
    r.SetFieldNames({QStringLiteral("Ucet"), QStringLiteral("Castka")});
    r.SetPredloha(Kanonicka());
    const TPredloha first = ZapisPredlohu(r);
    EXPECT_EQ(first, Kanonicka());

    TSestava again;
    again.SetFieldNames(r.FieldNames());
    again.SetPredloha(first);
    EXPECT_EQ(ZapisPredlohu(again), first);
}

TEST(Predloha, StarsiZapisSeSjednoti) {
    // Foreign spellings read once and are written in the one fixed form from then on.
    const TPredloha odd = {
        QStringLiteral("T,1,0,0,0,10,10,Arial,-14,99,1,4,0,238,\"abc\"de,1"),
        QStringLiteral("T,11,0,0,0,10,10,,1,0,0,0,15,0,\"'C:\\obr\\logo.bmp', 'x/y.png',#1\""),
        QStringLiteral("T,13,0,0,0,10,10,,1,0,0,0,15,9"),
        QStringLiteral("T,8,0,0,0,10,10,,-5,0,0,0,0,0"),
        QStringLiteral("F,7,,,0,,0,,9,,,9"),
        QStringLiteral("I,6,3,0,-2"),
        QStringLiteral("X,1,2,3"),
        QStringLiteral("I,9,1"),
        QStringLiteral("Q"),
        QString(),
    };
    TSestava r;
    r.SetPredloha(odd);
    const TOddilSestavy& t = r.PevnyOddil(okTelo);
    ASSERT_EQ(t.ElementCount(), 4);
    EXPECT_EQ(t.Element(0).Text, QStringLiteral("abcde"));
    EXPECT_EQ(t.Element(0).Font.Size, 10);
    EXPECT_EQ(t.Element(0).Font.Color, kCerna); // index 99 is no palette colour
    EXPECT_EQ(t.Element(0).Alignment, 0);       // bit 2 is ignored
    EXPECT_EQ(t.Element(0).CharPitch, 1);
    EXPECT_EQ(t.Element(2).Param, 6);
    EXPECT_EQ(t.Element(3).PenWidth(), 1);
    const TRadekFunkce& f = *r.Funkce().Get(0);
    EXPECT_EQ(f.Nazev, QStringLiteral("Funkce1"));
    EXPECT_EQ(f.Agregace, 0);
    EXPECT_EQ(f.Presnost, 15);
    EXPECT_EQ(f.DesetinnaMista, 2);
    EXPECT_EQ(f.FormatCisla, 2);
    EXPECT_EQ(r.Mrizka.typ, 0);
    EXPECT_EQ(r.Mrizka.x, 8);
    EXPECT_EQ(r.Mrizka.y, 8);

    const TPredloha written = ZapisPredlohu(r);
    EXPECT_TRUE(written.contains(
        QStringLiteral("T,11,0,0,0,10,10,,1,0,0,0,15,0,\"'logo.bmp','y.png',#1\"")));
    EXPECT_TRUE(written.contains(QStringLiteral("T,13,0,0,0,10,10,,1,0,0,0,15,6")));
    EXPECT_TRUE(
        written.contains(QStringLiteral("T,1,0,0,0,10,10,Arial,10,0,1,0,0,238,\"abcde\",1,0,0")));
    TSestava again;
    again.SetPredloha(written);
    EXPECT_EQ(ZapisPredlohu(again), written);
}

TEST(Predloha, BarvaMimoPaletuSeZapiseCerne) {
    TSestava r;
    TKolbraReportElement& e = r.PevnyOddil(okTelo).AddElement();
    e.Kind = pkRamecek;
    e.PenColor = 0x123456;
    e.FillColor = IndexNaBarvu(15);
    EXPECT_EQ(ZapisPrvek(e, QStringLiteral("T")), QStringLiteral("T,8,0,0,0,0,0,,1,0,0,0,15,0"));
}

TEST(Predloha, VerzeNulaNemaRozmerPapiru) {
    TSestava r;
    r.SetPredloha({QStringLiteral("I,1,0,9,0"), QStringLiteral("I,2,1,40,30,50,60,2,10")});
    const TPageSetup& p = r.PageSetup();
    EXPECT_EQ(p.sirkaPapiru, 826); // unchanged
    EXPECT_EQ(p.vyskaPapiru, 1169);
    EXPECT_EQ(p.levyOkraj, 40);
    EXPECT_EQ(p.pravyOkraj, 30);
    EXPECT_EQ(p.horniOkraj, 50);
    EXPECT_EQ(p.dolniOkraj, 60);
    EXPECT_EQ(r.Columns, 2);
    EXPECT_TRUE(p.nasirko);
}

TEST(Predloha, PrecislovaniPromennychStarychVerzi) {
    struct Case {
        const char* version; // empty: no I,1 record
        int stored;
        int read;
    };
    const Case cases[] = {
        {"I,1,1,5,2", 5, 6}, {"I,1,1,5,2", 4, 5}, {"I,1,1,5,2", 3, 3}, {"I,1,0,0,0", 7, 8},
        {"I,1,1,0,3", 5, 5}, {"I,1,2,0,0", 5, 5}, {"", 4, 4},
    };
    for (const auto& c : cases) {
        TSestava r;
        TPredloha lines;
        if (*c.version)
            lines.append(QString::fromLatin1(c.version));
        lines.append(QStringLiteral("T,5,%1,0,0,10,10,Arial,10,0,0,0,0,238,\"\"").arg(c.stored));
        r.SetPredloha(lines);
        EXPECT_EQ(r.PevnyOddil(okTelo).Element(0).Source, c.read) << c.version << " " << c.stored;
    }
}

TEST(Predloha, PrazdnaPredlohaAChybejiciSkupina) {
    TSestava r;
    r.SetPredloha({QStringLiteral("I,3,2,1,50"), QStringLiteral("S5,1,0,0,0,1,1,A,1")});
    EXPECT_TRUE(r.PevnyOddil(okTelo).Visible);
    for (int i = 0; i < r.Oddily().Count(); ++i)
        EXPECT_EQ(r.Oddily()[i].ElementCount(), 0);

    r.SetPredloha(TPredloha());
    ASSERT_EQ(r.Oddily().Count(), 5);
    for (int k = 0; k < 5; ++k) {
        EXPECT_FALSE(r.Oddily()[k].Visible);
        EXPECT_EQ(r.Oddily()[k].Height, 0);
        EXPECT_EQ(r.Oddily()[k].ElementCount(), 0);
    }
    EXPECT_EQ(r.Verze.major, 6);
}

TEST(Predloha, ZnakovaMrizka) {
    struct Case {
        int pitch;
        int spacing;
        int x;
        int y;
    };
    const Case cases[] = {{0, 1, 10, 25}, {1, 2, 8, 33}, {2, 0, 6, 16}, {2, 9, 6, 16}};
    for (const auto& c : cases) {
        TSestava r;
        r.SetPredloha({QStringLiteral("I,6,1,3,3,%1,%2,0,1").arg(c.spacing).arg(c.pitch)});
        EXPECT_TRUE(r.IsCharacterGrid());
        EXPECT_EQ(r.Mrizka.x, c.x);
        EXPECT_EQ(r.Mrizka.y, c.y);
        EXPECT_TRUE(r.PageSetup().pritahovatKMrizce);
    }
}

TEST(Predloha, IndexPoleMimoSeznamJeNula) {
    TSestava r;
    r.SetFieldNames({QStringLiteral("A"), QStringLiteral("B")});
    r.SetPredloha({QStringLiteral("T,2,5,0,0,1,1,Arial,10,0,0,0,0,238,\"\""),
                   QStringLiteral("T,2,Neni,0,0,1,1,Arial,10,0,0,0,0,238,\"\""),
                   QStringLiteral("T,6,nic,0,0,1,1,Arial,10,0,0,0,0,238,\"\"")});
    EXPECT_EQ(r.PevnyOddil(okTelo).Element(0).Source, 0);
    EXPECT_EQ(r.PevnyOddil(okTelo).Element(1).Source, 0);
    EXPECT_EQ(r.PevnyOddil(okTelo).Element(1).SourceName(), QStringLiteral("Neni"));
    EXPECT_EQ(r.PevnyOddil(okTelo).Element(2).Source, 0);
}

TEST(Predloha, DetailyAJejichZaznamy) {
    auto setup = std::make_shared<TPageSetup>();
    TSestava master(setup);
    TSestDetail detail;
    detail.SetMasterSestava(&master);
    master.SetPredloha({
        QStringLiteral("I,2,0,826,1169,10,10,10,10,1,0"),
        QStringLiteral("D0,I,0,\"Položky\""),
        QStringLiteral("D0,I,2,1,500,500,1,2,3,4,3,5"),
        QStringLiteral("D0,H,1,0,0,0,1,1,Arial,10,0,0,0,0,238,\"hlava\""),
        QStringLiteral("D0,T,1,0,0,0,1,1,Arial,10,0,0,0,0,238,\"řádek\""),
        QStringLiteral("D1,T,1,0,0,0,1,1,Arial,10,0,0,0,0,238,\"cizí\""),
        QStringLiteral("D,T,1"),
    });
    EXPECT_EQ(detail.Popis, QStringLiteral("Položky"));
    EXPECT_EQ(detail.Columns, 3);
    EXPECT_EQ(detail.ColumnGap, 5);
    EXPECT_EQ(master.PageSetup().sirkaPapiru, 826); // a detail leaves the page setup alone
    EXPECT_EQ(master.PageSetup().levyOkraj, 10);
    EXPECT_EQ(detail.PevnyOddil(okHlava).ElementCount(), 0);
    ASSERT_EQ(detail.PevnyOddil(okTelo).ElementCount(), 1);
    EXPECT_EQ(detail.PevnyOddil(okTelo).Element(0).Text, QStringLiteral("řádek"));
    EXPECT_EQ(master.PevnyOddil(okTelo).ElementCount(), 0);

    const TPredloha written = ZapisPredlohu(master);
    EXPECT_TRUE(written.contains(QStringLiteral("D0,I,0,\"Položky\"")));
    EXPECT_FALSE(written.join(QLatin1Char('\n')).contains(QStringLiteral("cizí")));
    TSestava master2;
    TSestDetail detail2;
    detail2.SetMasterSestava(&master2);
    master2.SetPredloha(written);
    EXPECT_EQ(ZapisPredlohu(master2), written);
}

TEST(Predloha, SdilenaStrankaMeziSestavami) {
    auto setup = std::make_shared<TPageSetup>();
    TSestava a(setup);
    TSestava b(setup);
    a.SetPredloha({QStringLiteral("I,2,0,850,1100,1,2,3,4")});
    EXPECT_EQ(b.PageSetup().sirkaPapiru, 850);
    TSestava own;
    EXPECT_EQ(own.PageSetup().sirkaPapiru, 826);

    // Hostile numbers stay sound.
    own.SetPredloha({QStringLiteral("I,2,0,100,100,2147483647,2147483647,0,0,0,0")});
    EXPECT_EQ(own.Columns, 1);
    EXPECT_EQ(own.PageSetup().TisknutelnaSirka(), std::numeric_limits<int>::min());
}

} // namespace
} // namespace arvelo::report
