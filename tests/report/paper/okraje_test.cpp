#include "report/paper/okraje_tiskarny.h"

#include <QPrinterInfo>
#include <gtest/gtest.h>

namespace arvelo::report {
namespace {

class TOdpovedi : public TSestDialogy {
public:
    TOdpoved odpoved = TOdpoved::Ano;
    QStringList otazky;
    void Zprava(TDruh, const QString&, const QString&) override {}
    TOdpoved Otazka(const QString& caption, const QString& text, bool cancel) override {
        EXPECT_TRUE(cancel);
        otazky.append(caption + QLatin1Char('|') + text);
        return odpoved;
    }
    QString UlozitJako(const QString&, const QString&, const QString&) override { return {}; }
};

// A 600 dpi printer with a quarter-inch border on every side of A4.
TMetrikyTiskarny Tiskarna() {
    TMetrikyTiskarny m;
    m.tiskarna = true;
    m.dpiX = 600;
    m.dpiY = 600;
    m.offsetX = 150;
    m.offsetY = 150;
    m.fyzickaSirka = 4956; // 826 / 100 * 600
    m.fyzickaVyska = 7014;
    m.tisknutelnaSirka = 4956 - 300;
    m.tisknutelnaVyska = 7014 - 300;
    return m;
}

TEST(Okraje, BezTiskarnyPlatiVychoziHodnoty) {
    TPageSetup setup;
    setup.nasirko = true;
    const TMetrikyTiskarny m = MetrikyBezTiskarny(setup);
    EXPECT_FALSE(m.tiskarna);
    EXPECT_EQ(m.dpiX, 100);
    EXPECT_EQ(m.offsetX, 50);
    EXPECT_EQ(m.offsetY, 72);
    EXPECT_EQ(m.fyzickaSirka, 1169);
    EXPECT_EQ(m.fyzickaVyska, 826);
    EXPECT_TRUE(m.nasirko);
    EXPECT_DOUBLE_EQ(m.MeritkoX(), 1.0);
    EXPECT_TRUE(OkrajeStaci(setup, m));
    TOdpovedi d;
    EXPECT_EQ(ZkontrolujOkraje(setup, m, d), TVysledekOkraju::Zavrit);
    EXPECT_TRUE(d.otazky.isEmpty());
}

TEST(Okraje, MalyOkrajVyvolaOtazku) {
    const TMetrikyTiskarny m = Tiskarna();
    const TMinimalniOkraje o = MinimalniOkraje(m);
    EXPECT_EQ(o.levy, 25);
    EXPECT_EQ(o.horni, 25);
    EXPECT_EQ(o.pravy, 25);
    EXPECT_EQ(o.dolni, 25);
    EXPECT_DOUBLE_EQ(m.MeritkoX(), 6.0);

    struct Case {
        TSestDialogy::TOdpoved odpoved;
        TVysledekOkraju vysledek;
        int levy;
    };
    const Case cases[] = {{TSestDialogy::TOdpoved::Ano, TVysledekOkraju::Zavrit, 25},
                          {TSestDialogy::TOdpoved::Ne, TVysledekOkraju::Zavrit, 0},
                          {TSestDialogy::TOdpoved::Zrusit, TVysledekOkraju::NechatOtevreno, 0}};
    for (const auto& c : cases) {
        TPageSetup setup;
        setup.levyOkraj = 0;
        setup.pravyOkraj = 40;
        setup.horniOkraj = 25;
        setup.dolniOkraj = 30;
        TOdpovedi d;
        d.odpoved = c.odpoved;
        EXPECT_EQ(ZkontrolujOkraje(setup, m, d), c.vysledek);
        ASSERT_EQ(d.otazky.size(), 1);
        EXPECT_EQ(d.otazky[0],
                  QStringLiteral("Potvrzení|Nastavené okraje tisku jsou menší, než umožňuje "
                                 "připojená tiskárna. Upravit velikost okrajů podle možností "
                                 "tiskárny?"));
        EXPECT_EQ(setup.levyOkraj, c.levy);
        EXPECT_EQ(setup.pravyOkraj, 40); // a sufficient margin is never lowered
        EXPECT_EQ(setup.horniOkraj, 25);
    }

    TPageSetup enough;
    enough.levyOkraj = enough.pravyOkraj = enough.horniOkraj = enough.dolniOkraj = 25;
    EXPECT_TRUE(OkrajeStaci(enough, m));
}

TEST(Okraje, SkutecnaTiskarnaKdyzJe) {
    TPageSetup setup;
    const TMetrikyTiskarny m = MetrikyVychoziTiskarny(setup);
    const int count = static_cast<int>(QPrinterInfo::availablePrinters().size());
    EXPECT_FALSE(MetrikyTiskarnyPodleIndexu(count, setup).has_value());
    EXPECT_FALSE(MetrikyTiskarnyPodleIndexu(-1, setup).has_value());
    if (count == 0) {
        EXPECT_FALSE(m.tiskarna);
        EXPECT_EQ(m.offsetY, 72);
        return;
    }
    EXPECT_TRUE(m.tiskarna);
    EXPECT_GT(m.dpiX, 0);
    EXPECT_GE(m.fyzickaSirka, m.tisknutelnaSirka);
}

} // namespace
} // namespace arvelo::report
