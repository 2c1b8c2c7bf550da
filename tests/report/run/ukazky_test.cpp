#include "report/expr/system_vars.h"
#include "sestava_behu.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Renders sample reports to PNG pages (into $ARVELO_PNG_DIR when set, so they can be looked
// at) and checks that ink lands where the output elements are.
namespace arvelo::report::test {
namespace {

class Ukazky : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    QString Slozka() const {
        const QString env = qEnvironmentVariable("ARVELO_PNG_DIR");
        if (!env.isEmpty()) {
            QDir().mkpath(env);
            return env;
        }
        return tmp.path();
    }

    // Saves every page and returns the images.
    std::vector<QImage> Uloz(const TSestVystup& v, const QString& jmeno) {
        std::vector<QImage> obrazy;
        for (int i = 0; i < v.PocetStran(); ++i) {
            const QImage o = v.Obraz(i, 1.0);
            EXPECT_TRUE(o.save(QStringLiteral("%1/%2-%3.png").arg(Slozka(), jmeno).arg(i + 1)));
            obrazy.push_back(o);
        }
        return obrazy;
    }

    // Dark pixels inside a rectangle of the page (1/100 in at scale 1).
    static int Inkoust(const QImage& o, const QRect& r) {
        int n = 0;
        for (int y = std::max(0, r.top()); y <= r.bottom() && y < o.height(); ++y)
            for (int x = std::max(0, r.left()); x <= r.right() && x < o.width(); ++x)
                n += qGray(o.pixel(x, y)) < 128 ? 1 : 0;
        return n;
    }
    static int Inkoust(const QImage& o, const TVystPrvek& v) {
        return Inkoust(o, QRect(v.x, v.y, v.width, v.height));
    }

    static TKolbraReportElement& Text(TOddilSestavy& o, const QString& t, int left, int top, int w,
                                      int h, int size = 10, int style = 0) {
        TKolbraReportElement& e = o.AddElement();
        e.Kind = pkGrafickyText;
        e.Text = t;
        e.Left = left;
        e.Top = top;
        e.Width = w;
        e.Height = h;
        e.Font.Size = size;
        e.Font.Style = style;
        return e;
    }
    static TKolbraReportElement& Cara(TOddilSestavy& o, int left, int top, int w) {
        TKolbraReportElement& e = o.AddElement();
        e.Kind = pkUsecka;
        e.Flags = 0x02;
        e.Left = left;
        e.Top = top;
        e.Width = w;
        e.Height = 2;
        return e;
    }
};

TEST_F(Ukazky, GroupsAndSums) {
    TMalaSestava s;
    s.Radky(24, [](int i) {
        return std::vector<QVariant>{QStringLiteral("Středisko %1").arg(i / 8 + 1),
                                     QStringLiteral("Zakázka %1").arg(i / 3 + 1), (i + 1) * 10.5,
                                     QString()};
    });
    TOddilSestavy& h = s.Oddil(okHlava, 40, QString());
    Text(h, QStringLiteral("Přehled nákladů podle středisek"), 0, 0, 600, 25, 14, fsBold);
    Cara(h, 0, 30, 800);
    TOddilSestavy& p = s.Oddil(okPata, 30, QString());
    Text(p, QStringLiteral("Strana"), 600, 10, 60, 15);
    s.Promenna(p, kPromCisloStrany, 660, 10);
    s.Promenna(p, kPromPocetStran, 700, 10).Text = QStringLiteral("z %d");
    TPolSkup& g0 = s.r.AddGroup(QStringLiteral("0"), false, 30, true, 25, true);
    TPolSkup& g1 = s.r.AddGroup(QStringLiteral("1"), false, 25, true, 20, true);
    s.Pole(*g0.Header, 0, 0, 5, 400, 18).Font.Style = fsBold;
    g0.Header->Visible = true;
    s.Pole(*g1.Header, 1, 30, 2, 400, 16).Font.Style = fsItalic;
    g1.Header->Visible = true;
    TOddilSestavy& t = s.Oddil(okTelo, 18, QString());
    s.Pole(t, 1, 60, 1, 300, 16);
    TKolbraReportElement& castka = s.Pole(t, 2, 500, 1, 150, 16);
    castka.Alignment = 1;
    for (int uroven : {int(kNulovatSkupina0) + 1, int(kNulovatSkupina0), int(kNulovatSestava)}) {
        TRadekFunkce& f = s.r.Funkce().Add();
        f.Vyraz = QStringLiteral("#N");
        f.Agregace = kAgrSoucet;
        f.UrovenNulovani = uroven;
    }
    auto soucet = [&](TOddilSestavy& o, int funkce, const QString& popis) {
        o.Visible = true;
        Cara(o, 400, 2, 250);
        Text(o, popis, 200, 5, 250, 16, 10, fsBold);
        TKolbraReportElement& e = o.AddElement();
        e.Kind = pkFunkce;
        e.Source = funkce;
        e.Left = 500;
        e.Top = 5;
        e.Width = 150;
        e.Height = 16;
        e.Alignment = 1;
        e.Font.Style = fsBold;
    };
    soucet(*g1.Footer, 0, QStringLiteral("Součet zakázky"));
    soucet(*g0.Footer, 1, QStringLiteral("Součet střediska"));
    soucet(s.Oddil(okKonec, 30, QString()), 2, QStringLiteral("Celkem"));
    s.Spust();
    const auto obrazy = Uloz(s.vystup, QStringLiteral("skupiny"));
    ASSERT_FALSE(obrazy.empty());
    int funkci = 0;
    for (std::size_t i = 0; i < obrazy.size(); ++i) {
        for (const TVystPrvek& v : s.vystup.strany[i].Prvky()) {
            if (!v.text.isEmpty()) {
                EXPECT_GT(Inkoust(obrazy[i], v), 0) << v.text.toStdString();
            }
            funkci += v.prvek->Kind == pkFunkce ? 1 : 0;
        }
    }
    EXPECT_EQ(funkci, 10 + 3 + 1); // orders per centre 3 + 4 + 3, centres, total
}

TEST_F(Ukazky, GrowingMemoThreeColumnsAndDetail) {
    // A growing memo over two pages.
    TMalaSestava memo;
    QStringList odstavce;
    for (int i = 1; i <= 30; ++i)
        odstavce << QStringLiteral("Odstavec %1: dlouhý text poznámky, který se zalamuje do šířky "
                                   "prvku a pokračuje na další stránce pod její hlavou.")
                        .arg(i);
    memo.Radky(1, [&](int) {
        return std::vector<QVariant>{QString(), QString(), 1, odstavce.join(QLatin1Char('\n'))};
    });
    Text(memo.Oddil(okHlava, 40, QString()), QStringLiteral("Hlava stránky"), 0, 5, 400, 25, 14,
         fsBold);
    TOddilSestavy& mp = memo.Oddil(okPata, 30, QString());
    memo.Promenna(mp, kPromCisloStrany, 700, 10);
    TOddilSestavy& mt = memo.Oddil(okTelo, 60, QString());
    memo.Pole(mt, 3, 50, 10, 500, 20).TextFlags = tfPromennaVyska | tfViceRadku | tfDoBloku;
    Text(mt, QStringLiteral("Pod poznámkou"), 50, 40, 300, 16, 10, fsBold);
    memo.Spust();
    const auto m = Uloz(memo.vystup, QStringLiteral("memo"));
    ASSERT_EQ(m.size(), 2u);
    EXPECT_GT(Inkoust(m[1], QRect(50, 40, 500, 100)), 0);

    // Three columns.
    TMalaSestava sloupce;
    sloupce.Radky(14, [](int i) {
        return std::vector<QVariant>{i < 10 ? QStringLiteral("A") : QStringLiteral("B"),
                                     QStringLiteral("Položka %1").arg(i + 1), i, QString()};
    });
    sloupce.r.Columns = 3;
    TPolSkup& g = sloupce.r.AddGroup(QStringLiteral("0"), false, 20, true, 25, true);
    sloupce.Pole(*g.Header, 0, 0, 5, 200, 18).Font.Style = fsBold;
    g.Header->Visible = true;
    Cara(*g.Footer, 0, 5, 800);
    g.Footer->Visible = true;
    TOddilSestavy& st = sloupce.Oddil(okTelo, 30, QString());
    TKolbraReportElement& ram = st.AddElement();
    ram.Kind = pkZaoblenyRamecek;
    ram.Left = 5;
    ram.Top = 2;
    ram.Width = 250;
    ram.Height = 26;
    ram.FillColor = 0xE0E0E0;
    sloupce.Pole(st, 1, 15, 6, 200, 18);
    sloupce.Spust();
    const auto c = Uloz(sloupce.vystup, QStringLiteral("sloupce"));
    ASSERT_EQ(c.size(), 1u);
    // The third column of the first row holds a body.
    EXPECT_GT(Inkoust(c[0], QRect(533 + 15, 25 + 6, 200, 18)), 0);

    // A detail report inside the master's body.
    TMalaSestava master;
    master.Radky(3, [](int i) {
        return std::vector<QVariant>{QStringLiteral("Doklad %1").arg(i + 1), QString(), i,
                                     QString()};
    });
    TPametovaData polozky;
    polozky.sloupce = {{QStringLiteral("Text"), QStringLiteral("Text"), fieldtype::String}};
    polozky.radky = {{QStringLiteral("položka a")}, {QStringLiteral("položka b")}};
    TTestSestava detail(master.r.SharedPageSetup());
    detail.DataSource = &polozky;
    detail.ReadFieldList();
    detail.SetMasterSestava(&master.r);
    master.Pole(master.Oddil(detail.PevnyOddil(okTelo), 18, QString()), 0, 80, 1, 300, 16);
    TOddilSestavy& dt = master.Oddil(okTelo, 50, QString());
    master.Pole(dt, 0, 0, 2, 300, 18).Font.Style = fsBold;
    TKolbraReportElement& d = dt.AddElement();
    d.Kind = pkDetail;
    d.Top = 22;
    d.Height = 18;
    d.Width = 400;
    Cara(dt, 0, 45, 800);
    master.Spust();
    const auto dd = Uloz(master.vystup, QStringLiteral("detail"));
    ASSERT_EQ(dd.size(), 1u);
    // Second detail line of the first record, and the line moved below the detail.
    EXPECT_GT(Inkoust(dd[0], QRect(80, 22 + 18, 300, 18)), 0);
    EXPECT_GT(Inkoust(dd[0], QRect(0, 45 + 18, 800, 3)), 0);
    detail.SetMasterSestava(nullptr);
}

TEST_F(Ukazky, RtfTextTabsAndRotatedText) {
    TMalaSestava s;
    s.Radky(1, [](int) {
        return std::vector<QVariant>{
            QString(), QString(), 0,
            QStringLiteral("{\\rtf1{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\fmodern Courier New;}}"
                           "{\\colortbl;\\red200\\green0\\blue0;}\\f0\\fs20 Obyčejný text, "
                           "\\b tučné slovo\\b0  a zase obyčejný.\\par "
                           "\\tab Tabulátor\\tab druhý\\par "
                           "\\li720 Odsazený odstavec s levým odsazením, dost dlouhý na to, aby "
                           "se zalomil na další řádek.\\par\\pard "
                           "\\qc\\cf1\\i Červená kurzíva na střed\\par\\pard "
                           "\\qr\\f1\\fs24 Courier vpravo\\par}")};
    });
    TOddilSestavy& t = s.Oddil(okTelo, 300, QString());
    s.Pole(t, 3, 20, 20, 500, 200).TextFlags = tfViceRadku | tfRtf;
    TKolbraReportElement& ram = t.AddElement();
    ram.Kind = pkRamecek;
    ram.Left = 20;
    ram.Top = 20;
    ram.Width = 500;
    ram.Height = 200;
    ram.Param = 1; // clear brush
    TKolbraReportElement& otoceny = Text(t, QStringLiteral("Otočený text"), 600, 20, 100, 200, 14);
    otoceny.Angle = 90;
    s.Spust();
    const auto o = Uloz(s.vystup, QStringLiteral("rtf"));
    ASSERT_EQ(o.size(), 1u);
    EXPECT_GT(Inkoust(o[0], QRect(640, 40, 30, 160)), 0); // the turned text stands upright
    EXPECT_EQ(Inkoust(o[0], QRect(560, 20, 70, 10)), 0);
}

} // namespace
} // namespace arvelo::report::test
