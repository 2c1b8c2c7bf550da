#include "report/expr/system_vars.h"
#include "report/template/sestava.h"
#include "sestava_behu.h"

#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace arvelo::report::test {
namespace {

std::vector<QVariant> Zaznam(const QString& skup, const QString& pod, double n,
                             const QString& memo = QString()) {
    return {skup, pod, n, memo};
}

QString DlouhyText(int radku) {
    QStringList l;
    for (int i = 1; i <= radku; ++i)
        l << QStringLiteral("řádek %1").arg(i);
    return l.join(QLatin1Char('\n'));
}

// Answers "Přerušit" at the n-th message pump and records the window's texts.
class TTestInformace : public TInformace {
public:
    int prerusitPo = -1;
    int pumpy = 0;
    QStringList texty;
    bool otevreno = false;
    void Otevri(const QString& caption, const QString& text, const QString& tlacitko,
                bool) override {
        otevreno = true;
        texty << caption + QLatin1Char('|') + text + QLatin1Char('|') + tlacitko;
    }
    void Text(const QString& text) override { texty << text; }
    void Zavri() override { otevreno = false; }
    bool ZpracujZpravy() override { return prerusitPo >= 0 && ++pumpy > prerusitPo; }
};

TEST(Beh, EmptyDataSetPrintsEverySectionAndTheBodyOnce) {
    TMalaSestava s;
    s.Radky(0, nullptr);
    s.Oddil(okZacatek, 50, QStringLiteral("Z"));
    s.Oddil(okHlava, 30, QStringLiteral("H"));
    TPolSkup& g = s.r.AddGroup(QStringLiteral("0"), false, 20, true, 20, true);
    s.Oddil(*g.Header, 20, QStringLiteral("S"));
    s.Oddil(*g.Footer, 20, QStringLiteral("U"));
    s.Pole(s.Oddil(okTelo, 10, QString()), 0, 0, 0, 100, 10);
    s.Oddil(okKonec, 40, QStringLiteral("K"));
    s.Oddil(okPata, 30, QStringLiteral("P"));
    EXPECT_EQ(s.Spust(), TSestError::seOK);
    ASSERT_EQ(s.vystup.PocetStran(), 1);
    EXPECT_EQ(s.Strana(0), (QStringList{"Z@0", "H@50", "S@80", "@100", "U@110", "K@130", "P@970"}));
}

TEST(Beh, MaxRecordsAndOneRecord) {
    TMalaSestava s;
    s.Radky(10, [](int i) { return Zaznam(QStringLiteral("r%1").arg(i), {}, i); });
    s.Pole(s.Oddil(okTelo, 10, QString()), 0, 0, 0, 100, 10);
    s.r.MaxRecords = 3;
    s.Spust();
    EXPECT_EQ(s.Strana(0, pkPolozka), (QStringList{"r0@0", "r1@10", "r2@20"}));
    s.r.MaxRecords = 0;
    s.r.TiskJedenZaznam = true;
    s.data.pozice = 4;
    s.Spust();
    EXPECT_EQ(s.Strana(0, pkPolozka), QStringList{"r4@0"});
}

TEST(Beh, EndPageKeepsTwoPagesAndTheCountOfPagesProduced) {
    TMalaSestava s;
    s.Radky(45, [](int i) { return Zaznam(QStringLiteral("r%1").arg(i), {}, i); });
    s.Pole(s.Oddil(okTelo, 100, QString()), 0, 0, 0, 100, 10);
    TOddilSestavy& p = s.Oddil(okPata, 20, QString());
    s.Promenna(p, kPromCisloStrany, 0, 0);
    s.Promenna(p, kPromPocetStran, 100, 0);
    // Nine bodies a page make five pages without a limit.
    s.Spust();
    EXPECT_EQ(s.vystup.PocetStran(), 5);
    EXPECT_EQ(s.Strana(4, pkPromenna), (QStringList{"5@980", "5@980"}));
    s.r.EndPage = 2;
    s.Spust();
    ASSERT_EQ(s.vystup.PocetStran(), 2);
    EXPECT_EQ(s.Strana(0, pkPromenna), (QStringList{"1@980", "3@980"}));
    EXPECT_EQ(s.Strana(1, pkPromenna), (QStringList{"2@980", "3@980"}));
    EXPECT_EQ(s.Strana(1, pkPolozka).size(), 9);
}

TEST(Beh, GroupBreakingOnEveryRecordRestartsItsNumber) {
    TMalaSestava s;
    const char* klice[][2] = {{"a", "1"}, {"a", "2"}, {"a", "3"}, {"b", "4"}, {"b", "5"}};
    s.Radky(5, [&](int i) {
        return Zaznam(QString::fromLatin1(klice[i][0]), QString::fromLatin1(klice[i][1]), i);
    });
    TPolSkup& vnejsi = s.r.AddGroup(QStringLiteral("0"), false, 10, true, 10, true);
    TPolSkup& vnitrni = s.r.AddGroup(QStringLiteral("1"), false, 10, true, 10, true);
    s.Oddil(*vnejsi.Header, 10, QStringLiteral("S0"));
    s.Oddil(*vnejsi.Footer, 10, QStringLiteral("U0"));
    // Variables per group g: 5 + 2g line in the group, 6 + 2g group number.
    s.Promenna(s.Oddil(*vnitrni.Header, 10, QString()), kPromSkupiny + 2 * 1 + 1, 0, 0);
    s.Oddil(*vnitrni.Footer, 10, QStringLiteral("U1"));
    s.Pole(s.Oddil(okTelo, 10, QString()), 1, 0, 0, 100, 10);
    s.Spust();
    QStringList sekvence;
    for (const QString& t : s.Strana(0))
        sekvence << t.section(QLatin1Char('@'), 0, 0);
    EXPECT_EQ(sekvence, (QStringList{"S0", "1", "1", "U1", "2", "2", "U1", "3", "3", "U1", "U0",
                                     "S0", "1", "4", "U1", "2", "5", "U1", "U0"}));
    EXPECT_EQ(s.Strana(0).constLast(), QStringLiteral("U0@180"));
}

TEST(Beh, GrowingTextContinuesUnderTheNextPageHeader) {
    TMalaSestava s;
    s.Radky(1, [](int) { return Zaznam({}, {}, 1, DlouhyText(80)); });
    s.Oddil(okHlava, 50, QStringLiteral("H"));
    s.Oddil(okPata, 50, QStringLiteral("P"));
    TOddilSestavy& t = s.Oddil(okTelo, 50, QString());
    s.Pole(t, 3, 0, 10, 300, 20).TextFlags = tfPromennaVyska | tfViceRadku;
    TKolbraReportElement& pod = t.AddElement();
    pod.Kind = pkGrafickyText;
    pod.Text = QStringLiteral("pod");
    pod.Top = 40;
    pod.Width = 100;
    pod.Height = 10;
    s.Spust();
    ASSERT_EQ(s.vystup.PocetStran(), 2);
    auto memo = [&](int strana) {
        for (const TVystPrvek& v : s.vystup.strany[static_cast<std::size_t>(strana)].Prvky()) {
            if (v.prvek->Kind == pkPolozka)
                return v;
        }
        return TVystPrvek();
    };
    const TVystPrvek prvni = memo(0);
    const TVystPrvek druhy = memo(1);
    ASSERT_TRUE(prvni.radky && druhy.radky);
    EXPECT_EQ(prvni.y, 60);
    EXPECT_EQ(prvni.prvniRadek, 0);
    EXPECT_LE(prvni.y + prvni.height, 950);
    // The next line would not have fitted above the footer.
    EXPECT_GT(prvni.y + prvni.height + prvni.radky->radky[prvni.posledniRadek + 1].height / 72,
              950 - 1);
    EXPECT_EQ(druhy.y, 50);
    EXPECT_EQ(druhy.prvniRadek, prvni.posledniRadek + 1);
    EXPECT_EQ(druhy.posledniRadek, 79);
    EXPECT_EQ(s.Strana(0, pkGrafickyText), (QStringList{"H@0", "P@950"}));
    EXPECT_EQ(
        s.Strana(1, pkGrafickyText),
        (QStringList{"H@0", QStringLiteral("pod@%1").arg(druhy.y + druhy.height + 10), "P@950"}));
}

TEST(Beh, ThreeColumnBodyRowClosedByAGroupBreak) {
    TMalaSestava s;
    s.Radky(5, [](int i) { return Zaznam(i < 4 ? "a" : "b", {}, i + 1); });
    s.r.Columns = 3;
    TPolSkup& g = s.r.AddGroup(QStringLiteral("0"), false, 20, true, 20, true);
    s.Oddil(*g.Header, 20, QStringLiteral("S"));
    s.Oddil(*g.Footer, 20, QStringLiteral("U"));
    s.Pole(s.Oddil(okTelo, 30, QString()), 2, 5, 0, 100, 10);
    s.Spust();
    EXPECT_EQ(s.Strana(0), (QStringList{"S@0", "1@20", "2@20", "3@20", "4@50", "U@80", "S@100",
                                        "5@120", "U@150"}));
    std::vector<int> x;
    for (const TVystPrvek& v : s.vystup.strany[0].Prvky()) {
        if (v.prvek->Kind == pkPolozka)
            x.push_back(v.x);
    }
    std::sort(x.begin(), x.end());
    EXPECT_EQ(x, (std::vector<int>{5, 5, 5, 5 + 800 / 3, 5 + 1600 / 3}));
}

TEST(Beh, ANewPageStartsANewRowOfColumns) {
    TMalaSestava s;
    s.Radky(3, [](int i) { return Zaznam(QStringLiteral("r%1").arg(i), {}, i); });
    s.r.Columns = 3;
    s.r.Strankovani.teloNaNovouStranku = true;
    s.Pole(s.Oddil(okTelo, 30, QString()), 0, 5, 0, 100, 10);
    s.Spust();
    ASSERT_EQ(s.vystup.PocetStran(), 3);
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(s.vystup.strany[static_cast<std::size_t>(i)].Prvky().size(), 1u);
        EXPECT_EQ(s.vystup.strany[static_cast<std::size_t>(i)].Prvky()[0].x, 5) << i;
    }
}

TEST(Beh, PageBreakAfterTheReportHeader) {
    TMalaSestava s;
    s.Radky(3, [](int i) { return Zaznam(QStringLiteral("r%1").arg(i), {}, i); });
    s.Oddil(okZacatek, 100, QStringLiteral("Z"));
    s.Oddil(okHlava, 30, QStringLiteral("H"));
    s.Oddil(okPata, 30, QStringLiteral("P"));
    s.Pole(s.Oddil(okTelo, 10, QString()), 0, 0, 0, 100, 10);
    s.r.Strankovani.poZacatkuSestavy = true;
    s.Spust();
    ASSERT_EQ(s.vystup.PocetStran(), 2);
    EXPECT_EQ(s.Strana(0), (QStringList{"Z@0", "P@970"}));
    EXPECT_EQ(s.Strana(1), (QStringList{"H@0", "r0@30", "r1@40", "r2@50", "P@970"}));
}

TEST(Beh, PageSumRestartsBetweenRecordsButNotInsideAGrowingText) {
    TMalaSestava s;
    s.Radky(15, [](int i) { return Zaznam({}, {}, 1, i == 1 ? DlouhyText(80) : QString()); });
    TRadekFunkce& f = s.r.Funkce().Add();
    f.Vyraz = QStringLiteral("#N");
    f.Agregace = kAgrSoucet;
    f.UrovenNulovani = kNulovatStranka;
    f.DesetinnaMista = 0;
    TOddilSestavy& t = s.Oddil(okTelo, 100, QString());
    s.Pole(t, 3, 0, 0, 300, 10).TextFlags = tfPromennaVyska | tfViceRadku;
    TKolbraReportElement& soucet = t.AddElement();
    soucet.Kind = pkFunkce;
    soucet.Source = 0;
    soucet.Left = 400;
    soucet.Top = 50;
    soucet.Width = 100;
    soucet.Height = 10;
    s.Spust();
    ASSERT_GE(s.vystup.PocetStran(), 3);
    auto texty = [&](int strana) {
        QStringList l;
        for (const QString& t : s.Strana(strana, pkFunkce))
            l << t.section(QLatin1Char('@'), 0, 0);
        return l;
    };
    EXPECT_EQ(texty(0), QStringList{"1"});
    const QStringList druha = texty(1);
    ASSERT_FALSE(druha.isEmpty());
    for (int i = 0; i < druha.size(); ++i)
        EXPECT_EQ(druha[i], QString::number(i + 2));   // the growing record's page kept counting
    EXPECT_EQ(texty(2).value(0), QStringLiteral("1")); // a page begun between records restarts
}

TEST(Beh, DetailReportPrintsInsideTheMasterBody) {
    TMalaSestava s;
    s.Radky(2, [](int i) { return Zaznam(QStringLiteral("m%1").arg(i), {}, i); });
    TPametovaData detailData;
    detailData.sloupce = {{QStringLiteral("D"), QStringLiteral("D"), fieldtype::String}};
    detailData.radky = {{QStringLiteral("d0")}, {QStringLiteral("d1")}, {QStringLiteral("d2")}};
    TTestSestava detail(s.r.SharedPageSetup());
    detail.DataSource = &detailData;
    detail.ReadFieldList();
    detail.SetMasterSestava(&s.r);
    TOddilSestavy& dt = s.Oddil(detail.PevnyOddil(okTelo), 10, QString());
    s.Pole(dt, 0, 0, 0, 100, 10);
    s.Promenna(dt, kPromPocetStran, 200, 0);

    TOddilSestavy& t = s.Oddil(okTelo, 50, QStringLiteral("M"));
    TKolbraReportElement& d = t.AddElement();
    d.Kind = pkDetail;
    d.Source = 0;
    d.Top = 10;
    d.Height = 10;
    d.Width = 300;
    TKolbraReportElement& po = t.AddElement();
    po.Kind = pkGrafickyText;
    po.Text = QStringLiteral("po");
    po.Top = 30;
    po.Width = 100;
    po.Height = 10;
    s.Spust();
    QStringList bezPromennych = s.Strana(0);
    bezPromennych.removeIf([](const QString& t) { return t.startsWith(QLatin1Char('1')); });
    EXPECT_EQ(bezPromennych, (QStringList{"M@0", "d0@10", "d1@20", "d2@30", "po@50", "M@70",
                                          "d0@80", "d1@90", "d2@100", "po@120"}));
    // The detail's total-page elements get the master's count too.
    EXPECT_EQ(s.Strana(0, pkPromenna),
              (QStringList{"1@10", "1@20", "1@30", "1@80", "1@90", "1@100"}));
    detail.SetMasterSestava(nullptr);
}

TEST(Beh, PageFlagsOfTheFixedSections) {
    struct Pripad {
        const char* nazev;
        std::function<void(TStrankovani&)> nastav;
        std::vector<QStringList> strany;
    };
    const std::vector<Pripad> pripady = {
        {"none", [](TStrankovani&) {}, {{"H@0", "r0@30", "r1@40", "K@50", "P@970"}}},
        {"body on a new page",
         [](TStrankovani& s) { s.teloNaNovouStranku = true; },
         {{"H@0", "r0@30", "P@970"}, {"H@0", "r1@30", "K@40", "P@970"}}},
        {"end aligned to the footer",
         [](TStrankovani& s) { s.konecKPate = true; },
         {{"H@0", "r0@30", "r1@40", "K@930", "P@970"}}},
        {"no footer on the last page",
         [](TStrankovani& s) {
             s.konecKPate = true;
             s.bezPatyNaPosledni = true;
         },
         {{"H@0", "r0@30", "r1@40", "K@960"}}},
        {"no header on the first page",
         [](TStrankovani& s) { s.bezHlavyNaPrvni = true; },
         {{"r0@0", "r1@10", "K@20", "P@970"}}},
        {"page break before the end",
         [](TStrankovani& s) { s.predKoncemSestavy = true; },
         {{"H@0", "r0@30", "r1@40", "P@970"}, {"H@0", "K@30", "P@970"}}},
    };
    for (const Pripad& p : pripady) {
        TMalaSestava s;
        s.Radky(2, [](int i) { return Zaznam(QStringLiteral("r%1").arg(i), {}, i); });
        s.Oddil(okHlava, 30, QStringLiteral("H"));
        s.Oddil(okPata, 30, QStringLiteral("P"));
        s.Oddil(okKonec, 40, QStringLiteral("K"));
        s.Pole(s.Oddil(okTelo, 10, QString()), 0, 0, 0, 100, 10);
        p.nastav(s.r.Strankovani);
        s.Spust();
        ASSERT_EQ(s.vystup.PocetStran(), static_cast<int>(p.strany.size())) << p.nazev;
        for (int i = 0; i < s.vystup.PocetStran(); ++i)
            EXPECT_EQ(s.Strana(i), p.strany[static_cast<std::size_t>(i)]) << p.nazev;
    }
}

TEST(Beh, CancelKeepsThePagesAndSkipsTheEnd) {
    TMalaSestava s;
    s.Radky(10, [](int i) { return Zaznam(QStringLiteral("r%1").arg(i), {}, i); });
    s.Pole(s.Oddil(okTelo, 10, QString()), 0, 0, 0, 100, 10);
    s.Oddil(okKonec, 10, QStringLiteral("K"));
    TTestInformace info;
    info.prerusitPo = 3;
    EXPECT_EQ(s.Spust(&info), TSestError::seCancelled);
    EXPECT_FALSE(info.otevreno);
    EXPECT_EQ(info.texty.value(0),
              QStringLiteral("Informace|Připravuji tisk položky číslo: 1|Přerušit"));
    const QStringList strana = s.Strana(0);
    EXPECT_FALSE(strana.isEmpty());
    EXPECT_LT(strana.size(), 10);
    EXPECT_FALSE(strana.join(QLatin1Char(' ')).contains(QLatin1Char('K')));
}

TEST(Beh, TotalPagesWithAFormatAndCharacterGridRounding) {
    TMalaSestava s;
    s.Radky(2, [](int i) { return Zaznam(QStringLiteral("r%1").arg(i), {}, i); });
    s.Pole(s.Oddil(okTelo, 20, QString()), 0, 0, 0, 100, 10);
    s.Promenna(s.Oddil(okPata, 20, QString()), kPromPocetStran, 0, 0).Text =
        QStringLiteral("z %.3d");
    s.r.Mrizka.typ = 1; // six lines per inch: 16.67
    s.Spust();
    EXPECT_EQ(s.Strana(0), (QStringList{"r0@0", "r1@17", "z 001@980"}));
}

TEST(Tisk, SecondStartWhileRunningAndMissingDataSource) {
    TSestava r;
    TTestDialogy dialogy;
    r.Dialogy = &dialogy;
    TTiskSestavy tisk(r);
    TSestError vnitrni = TSestError::seOK;
    r.BeforePrint = [&](TSestava&) { vnitrni = tisk.Priprav(nullptr, false); };
    EXPECT_EQ(tisk.Priprav(nullptr, false), TSestError::seNotDone);
    EXPECT_EQ(vnitrni, TSestError::seBusy);
    EXPECT_FALSE(tisk.Bezi());
    EXPECT_EQ(dialogy.zpravy.value(0), QStringLiteral("Chyba|Není definován zdroj dat."));
}

TEST(Tisk, PreviewOpensAfterACancelledRunToo) {
    TSestava r;
    TPametovaData data;
    data.sloupce = {{QStringLiteral("T"), QStringLiteral("T"), fieldtype::String}};
    for (int i = 0; i < 50; ++i)
        data.radky.push_back({QStringLiteral("%1").arg(i)});
    r.DataSource = &data;
    r.OnNactiPredlohu = [](TSestava&) { return true; };
    r.PevnyOddil(okTelo).Visible = true;
    r.PevnyOddil(okTelo).Height = 10;
    r.PevnyOddil(okTelo).AddElement().Kind = pkPolozka;
    QStringList udalosti;
    r.BeforePreview = [&](TSestava&) { udalosti << QStringLiteral("before"); };
    r.AfterPreview = [&](TSestava&) { udalosti << QStringLiteral("after"); };
    TTiskSestavy tisk(r);
    TTestInformace info;
    info.prerusitPo = 5;
    int stran = -1;
    TSestError vnitrni = TSestError::seOK;
    EXPECT_EQ(tisk.Nahled(&info,
                          [&](TSestVystup& v) {
                              stran = v.PocetStran();
                              vnitrni = tisk.Priprav(nullptr, true);
                              udalosti << QStringLiteral("window");
                          }),
              TSestError::seCancelled);
    EXPECT_EQ(stran, 1);
    EXPECT_EQ(vnitrni, TSestError::seBusy); // no second run while the preview is open
    EXPECT_EQ(udalosti, (QStringList{"before", "window", "after"}));
}

TEST(Tisk, BackgroundFromTheReportOrTheTemplate) {
    TSestava r;
    r.PageSetup().levyOkraj = 40;
    r.PageSetup().horniOkraj = 30;
    TPametovaData data;
    data.sloupce = {{QStringLiteral("T"), QStringLiteral("T"), fieldtype::String}};
    r.DataSource = &data;
    r.OnNactiPredlohu = [](TSestava&) { return true; };
    QStringList nacteno;
    r.OnNactiObraz = [&](const TSestava&, const QString& nazev, QImage& obraz) {
        nacteno << nazev;
        obraz = QImage(10, 10, QImage::Format_RGB32);
        obraz.fill(QColor(40, 40, 40));
        return true;
    };
    r.PrintBackground = true;
    r.Background = QStringLiteral("pozadi.png");
    TTiskSestavy tisk(r);
    TSestVystup* vystup = nullptr;
    ASSERT_EQ(tisk.Nahled(nullptr, [&](TSestVystup& v) { vystup = &v; }), TSestError::seOK);
    ASSERT_NE(vystup, nullptr);
    EXPECT_EQ(nacteno, QStringList{"pozadi.png"});
    EXPECT_TRUE(vystup->tisknoutPozadi);
    EXPECT_EQ(vystup->obdelnikPozadi, QRect(-40, -30, 826, 1169));
    EXPECT_EQ(qGray(vystup->Obraz(0, 0.5).pixel(100, 100)), 40); // under an empty page

    // The template's own settings win: its own picture, placed, and not printed.
    r.PozadiPredlohy.vlastniNastaveni = true;
    r.PozadiPredlohy.tisknout = false;
    r.PozadiPredlohy.vlastniUmisteni = true;
    r.PozadiPredlohy.left = 100;
    r.PozadiPredlohy.top = 200;
    r.PozadiPredlohy.soubor = QStringLiteral("vlastni.png");
    ASSERT_EQ(tisk.Nahled(nullptr, [&](TSestVystup& v) { vystup = &v; }), TSestError::seOK);
    EXPECT_EQ(nacteno.constLast(), QStringLiteral("vlastni.png"));
    EXPECT_FALSE(vystup->tisknoutPozadi);
    EXPECT_EQ(vystup->obdelnikPozadi, QRect(60, 170, 826, 1169));
    EXPECT_EQ(qGray(vystup->Obraz(0, 0.5).pixel(100, 100)), 255);
}

TEST(Tisk, PrintRunsPrintsAndRestoresTheDataSet) {
    TSestava r;
    TTestDialogy dialogy;
    r.Dialogy = &dialogy;
    r.PageSetup().levyOkraj = r.PageSetup().horniOkraj = 50;
    TPametovaData data;
    data.sloupce = {{QStringLiteral("T"), QStringLiteral("T"), fieldtype::String}};
    for (int i = 0; i < 120; ++i)
        data.radky.push_back({QStringLiteral("řádek %1").arg(i)});
    data.pozice = 7;
    r.DataSource = &data;
    // The definition is built here; the template hook keeps it instead of reading a file.
    r.OnNactiPredlohu = [](TSestava&) { return true; };
    TOddilSestavy& t = r.PevnyOddil(okTelo);
    t.Visible = true;
    t.Height = 20;
    TKolbraReportElement& e = t.AddElement();
    e.Kind = pkPolozka;
    e.Width = 300;
    e.Height = 18;
    QStringList udalosti;
    r.BeforePrint = [&](TSestava&) { udalosti << QStringLiteral("before"); };
    r.AfterPrint = [&](TSestava&) { udalosti << QStringLiteral("after"); };
    r.OnError = [&](TSestava&, TSestError chyba) {
        udalosti << QStringLiteral("error %1").arg(static_cast<int>(chyba));
        return true;
    };
    QTemporaryDir tmp;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(tmp.filePath(QStringLiteral("tisk.pdf")));
    printer.setPageSize(QPageSize(QPageSize::A4));
    TTestInformace info;
    TTiskSestavy tisk(r);
    EXPECT_EQ(tisk.Tiskni(&info, printer, TParametryTisku()), TSestError::seOK);
    EXPECT_EQ(udalosti, (QStringList{"before", "after"}));
    EXPECT_EQ(tisk.Vystup().PocetStran(), 3); // 1069 / 20 = 53 bodies a page
    EXPECT_TRUE(
        info.texty.contains(QStringLiteral("Informace|Odesílám data do tiskárny ...|Přerušit")));
    EXPECT_EQ(data.pozice, 7);
    EXPECT_EQ(data.zakazano, 0);
    QFile pdf(tmp.filePath(QStringLiteral("tisk.pdf")));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_GT(pdf.size(), 1000);

    r.DataSource = nullptr;
    udalosti.clear();
    EXPECT_EQ(tisk.Tiskni(&info, printer, TParametryTisku()), TSestError::seNotDone);
    EXPECT_EQ(udalosti, (QStringList{"before", "after", "error 8"}));
}

} // namespace
} // namespace arvelo::report::test
