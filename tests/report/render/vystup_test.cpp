#include "qt_prostredi.h"
#include "report/model/oddil.h"
#include "report/render/vystup.h"

#include <gtest/gtest.h>

using namespace arvelo::report;

namespace {

TVystPrvek Prvek(const TKolbraReportElement& e) {
    TVystPrvek v;
    v.prvek = &e;
    v.x = e.Left;
    v.y = e.Top;
    v.width = e.Width;
    v.height = e.Height;
    return v;
}

TEST(VystupTest, ShapesLieUnderTextsAndEqualElementsShareGroups) {
    TOddilSestavy o(nullptr, okTelo);
    TKolbraReportElement& text1 = o.AddElement();
    text1.Kind = pkGrafickyText;
    TKolbraReportElement& ramecek = o.AddElement();
    ramecek.Kind = pkRamecek;
    TKolbraReportElement& text2 = o.AddElement();
    text2.Kind = pkPolozka;
    text2.TextFlags = tfViceRadku;
    TKolbraReportElement& usecka = o.AddElement();
    usecka.Kind = pkUsecka;
    TKolbraReportElement& text3 = o.AddElement();
    text3.Kind = pkGrafickyText;

    TStranaPrvku s;
    // The run takes elements from the last to the first.
    for (const TKolbraReportElement* e : {&text3, &usecka, &text2, &ramecek, &text1})
        s.Vloz(Prvek(*e));
    std::vector<const TKolbraReportElement*> poradi;
    std::vector<int> skupiny;
    for (const TVystPrvek& v : s.Prvky()) {
        poradi.push_back(v.prvek);
        skupiny.push_back(v.skupina);
    }
    const std::vector<const TKolbraReportElement*> cekane = {&ramecek, &usecka, &text1, &text3,
                                                             &text2};
    EXPECT_EQ(poradi, cekane);
    EXPECT_EQ(skupiny, (std::vector<int>{0, 0, 1, 1, 2}));
    EXPECT_EQ(s.PocetSkupin(), 3);
}

TEST(VystupTest, PageRangeRemovesPagesAfterTheLast) {
    TSestVystup v;
    v.Strana(4);
    EXPECT_EQ(v.PocetStran(), 5);
    v.PouzijRozsah(1, 2);
    EXPECT_EQ(v.PocetStran(), 2);
    EXPECT_EQ(v.posledniStrana, 2);
    v.PouzijRozsah(1, 9999);
    EXPECT_EQ(v.posledniStrana, 2);
}

TEST(VystupTest, PicturePlacement) {
    struct Pripad {
        QSizeF obrazek;
        int flags;
        int alignment;
        QRectF cekane;
    };
    const QRectF r(10, 20, 100, 100);
    const Pripad pripady[] = {
        {{200, 100}, pfPodleOkna | pfZachovatPomer, 0, {10, 20, 100, 50}},
        {{50, 100}, pfPodleOkna | pfZachovatPomer, 0, {10, 20, 50, 100}},
        {{50, 100}, pfPodleOkna | pfZachovatPomer, 1, {60, 20, 50, 100}},
        {{50, 100}, pfPodleOkna | pfZachovatPomer, 2, {35, 20, 50, 100}},
        {{200, 100}, pfPodleOkna, 0, {10, 20, 100, 100}},
        {{30, 40}, 0, 0, {10, 20, 60, 80}},
        {{30, 40}, 0, 1, {50, 20, 60, 80}},
        {{0, 40}, pfPodleOkna, 0, {10, 20, 100, 100}},
    };
    for (const Pripad& p : pripady)
        EXPECT_EQ(UmisteniObrazku(r, p.obrazek, 2, 2, p.flags, p.alignment), p.cekane)
            << p.flags << " " << p.alignment;
}

TEST(VystupTest, ShapesOnTheCanvas) {
    TOddilSestavy o(nullptr, okTelo);
    TKolbraReportElement& usecka = o.AddElement();
    usecka.Kind = pkUsecka;
    usecka.Flags = 48;
    usecka.Width = 100;
    usecka.Height = 50;
    TKolbraReportElement& zaobleny = o.AddElement();
    zaobleny.Kind = pkZaoblenyRamecek;
    zaobleny.Width = 100;
    zaobleny.Height = 30;
    zaobleny.SetPenWidth(0);
    TMeric meric;
    TZaznamCanvas c;
    KresliPrvek(c, meric, Prvek(usecka), 1, 1, 0, 0);
    EXPECT_EQ(c.volani,
              (QStringList{QStringLiteral("Line 0,49,99,0"), QStringLiteral("Line 0,0,99,49")}));
    c.volani.clear();
    KresliPrvek(c, meric, Prvek(zaobleny), 1, 1, 0, 0);
    EXPECT_EQ(c.volani, QStringList{QStringLiteral("Round 0,0,100,30 15")});
    // Pen width at a scale: round((3 - 1) x 6) + 1.
    usecka.SetPenWidth(3);
    KresliPrvek(c, meric, Prvek(usecka), 6, 6, 0, 0);
    EXPECT_DOUBLE_EQ(c.penWidth, 13);
}

TEST(VystupTest, PrinterPageSmallerThanThePaper) {
    EXPECT_TRUE(TiskJednaKuJedne(826, 1169, 826, 1169));
    EXPECT_TRUE(TiskJednaKuJedne(818, 1158, 826, 1169));  // 99 %
    EXPECT_FALSE(TiskJednaKuJedne(809, 1169, 826, 1169)); // 98 %
    const TListyTisku zmensit =
        SpoctiListy(TVolbaTisku::Zmensit, 826, 1169, 1169, 1652, 50, 50, 50, 50);
    EXPECT_EQ(zmensit.zoom, 70);
    EXPECT_EQ(zmensit.napric, 1);
    const TListyTisku listy =
        SpoctiListy(TVolbaTisku::VicListu, 826, 1169, 1169, 1652, 50, 50, 50, 50);
    EXPECT_EQ(listy.napric, 2);
    EXPECT_EQ(listy.dolu, 2);
    EXPECT_EQ(listy.zoom, 100);
    const TListyTisku oriznout =
        SpoctiListy(TVolbaTisku::Oriznout, 826, 1169, 1169, 1652, 50, 50, 50, 50);
    EXPECT_EQ(oriznout.napric * oriznout.dolu * 100, oriznout.zoom);
    // A printer page not larger than its margins is raised just above them.
    EXPECT_EQ(SpoctiListy(TVolbaTisku::VicListu, 50, 50, 300, 300, 20, 30, 20, 30).napric, 300);
}

} // namespace
