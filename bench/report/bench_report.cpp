// Speed of a report run: 10 000 records in two group levels with sums and a page-count
// placeholder; the run alone, then the run with every page rendered.
#include "report/expr/system_vars.h"
#include "report/model/sestava_d.h"
#include "report/run/beh.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPainter>
#include <cstdio>
#include <sys/resource.h>

using namespace arvelo::report;

namespace {

long PeakKiB() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

// Dark pixels in the heading's corner of a page.
int Inkoust(const QImage& o) {
    int n = 0;
    for (int y = 0; y < 20 && y < o.height(); ++y)
        for (int x = 0; x < 150 && x < o.width(); ++x)
            n += qGray(o.pixel(x, y)) < 128 ? 1 : 0;
    return n;
}

// Generated records: centre, order, amount, text.
class TGenerovanaData : public TBridge {
public:
    explicit TGenerovanaData(int n) : n_(n) {}
    bool Active() const override { return true; }
    bool Open() override { return true; }
    void Close() override {}
    QStringList FieldNames() const override {
        return {QStringLiteral("Stredisko"), QStringLiteral("Zakazka"), QStringLiteral("Castka"),
                QStringLiteral("Popis")};
    }
    QStringList FieldLabels() const override { return FieldNames(); }
    TStepResult First() override {
        i_ = 0;
        return n_ == 0 ? (srBeginning | srEnd) : 0;
    }
    TStepResult Prior() override { return i_ > 0 ? (--i_, 0) : srBeginning; }
    TStepResult Next() override { return i_ + 1 < n_ ? (++i_, 0) : srEnd; }
    TStepResult Last() override {
        i_ = n_ - 1;
        return 0;
    }
    void DisableControls() override {}
    void EnableControls() override {}
    TBookmark Bookmark() const override { return i_; }
    void GotoBookmark(const TBookmark& b) override { i_ = b.toInt(); }
    int DataType(int f) const override { return f == 2 ? fieldtype::Float : fieldtype::String; }
    int Alignment(int f) const override { return f == 2 ? 1 : 0; }
    int DisplayWidth(int) const override { return 20; }
    bool AsBoolean(int) const override { return false; }
    double AsFloat(int f) const override { return f == 2 ? (i_ % 97) * 12.5 : 0.0; }
    QString AsString(int f) const override { return DisplayText(f); }
    QString DisplayText(int f) const override {
        switch (f) {
        case 0:
            return QStringLiteral("Středisko %1").arg(i_ / 1000 + 1);
        case 1:
            return QStringLiteral("Zakázka %1").arg(i_ / 50 + 1);
        case 2:
            return QString::number((i_ % 97) * 12.5, 'f', 2);
        default:
            return QStringLiteral("Položka číslo %1 zakázky").arg(i_ + 1);
        }
    }
    bool IsNull(int) const override { return false; }
    QByteArray BlobContent(int) const override { return {}; }
    QImage Picture(int) const override { return {}; }

private:
    int n_;
    int i_ = 0;
};

class TBenchSestava : public TSestavaD {
public:
    bool IsDetail() const override { return false; }

protected:
    void ParsePredloha() override {}
};

TKolbraReportElement& Prvek(TOddilSestavy& o, int kind, int source, int left, int top, int w) {
    TKolbraReportElement& e = o.AddElement();
    e.Kind = kind;
    e.Source = source;
    e.Left = left;
    e.Top = top;
    e.Width = w;
    e.Height = 16;
    return e;
}

void Sestav(TBenchSestava& r) {
    r.PageSetup().levyOkraj = r.PageSetup().pravyOkraj = 50;
    r.PageSetup().horniOkraj = r.PageSetup().dolniOkraj = 50;
    TOddilSestavy& h = r.PevnyOddil(okHlava);
    h.Visible = true;
    h.Height = 30;
    Prvek(h, pkGrafickyText, 0, 0, 0, 500).Text = QStringLiteral("Přehled zakázek");
    TOddilSestavy& p = r.PevnyOddil(okPata);
    p.Visible = true;
    p.Height = 25;
    Prvek(p, pkPromenna, kPromCisloStrany, 500, 5, 60);
    Prvek(p, pkPromenna, kPromPocetStran, 600, 5, 100).Text = QStringLiteral("z %d");
    TOddilSestavy& t = r.PevnyOddil(okTelo);
    t.Visible = true;
    t.Height = 18;
    Prvek(t, pkPolozka, 3, 20, 1, 400);
    Prvek(t, pkPolozka, 2, 500, 1, 150).Alignment = 1;
    for (int g = 0; g < 2; ++g) {
        TPolSkup& s = r.AddGroup(QString::number(g), false, 24, true, 22, true);
        Prvek(*s.Header, pkPolozka, g, g * 20, 3, 400).Font.Style = fsBold;
        TRadekFunkce& f = r.Funkce().Add();
        f.Vyraz = QStringLiteral("#Castka");
        f.Agregace = kAgrSoucet;
        f.UrovenNulovani = kNulovatSkupina0 + g;
        Prvek(*s.Footer, pkUsecka, 0, 400, 2, 250).Flags = 0x02;
        Prvek(*s.Footer, pkFunkce, g, 500, 5, 150).Alignment = 1;
    }
    TRadekFunkce& celkem = r.Funkce().Add();
    celkem.Vyraz = QStringLiteral("#Castka");
    celkem.Agregace = kAgrSoucet;
    TOddilSestavy& k = r.PevnyOddil(okKonec);
    k.Visible = true;
    k.Height = 30;
    Prvek(k, pkFunkce, 2, 500, 5, 150).Alignment = 1;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    constexpr int kZaznamu = 10000;
    TGenerovanaData data(kZaznamu);
    TBenchSestava r;
    r.DataSource = &data;
    r.ReadFieldList();
    Sestav(r);
    TSestVystup vystup;

    QElapsedTimer t;
    t.start();
    TBehSestavy beh(r, vystup, nullptr);
    const TSestError e = beh.Spust();
    const double behS = t.nsecsElapsed() / 1e9;
    const int stran = vystup.PocetStran();
    std::printf("run:              %d records, %d pages, result %d\n", kZaznamu, stran,
                static_cast<int>(e));
    std::printf("run:              %.3f s, %.0f records/s, %.1f pages/s, peak %ld KiB\n", behS,
                kZaznamu / behS, stran / behS, PeakKiB());

    // Every page drawn as preview and printing draw it, at 100 dpi.
    t.restart();
    long inkoust = 0;
    for (int i = 0; i < stran; ++i)
        inkoust += Inkoust(vystup.Obraz(i, 1.0)) > 0;
    const double kresleniS = t.nsecsElapsed() / 1e9;
    std::printf("render:           %.3f s, %.1f pages/s (every page drawn at 100 dpi)\n", kresleniS,
                stran / kresleniS);
    std::printf("run + render:     %.3f s, %.0f records/s, %.1f pages/s, peak %ld KiB\n",
                behS + kresleniS, kZaznamu / (behS + kresleniS), stran / (behS + kresleniS),
                PeakKiB());
    // The vector recording of every page, as the metafile exports use it.
    t.restart();
    for (int i = 0; i < stran; ++i)
        inkoust += vystup.Metafile(i).size() > 0;
    const double zaznamS = t.nsecsElapsed() / 1e9;
    std::printf("page metafiles:   %.3f s, %.1f pages/s, peak %ld KiB\n", zaznamS, stran / zaznamS,
                PeakKiB());
    std::printf("(%ld of %d pages with ink in the heading)\n", inkoust - stran, stran);
    if (!qEnvironmentVariable("ARVELO_PNG_DIR").isEmpty())
        vystup.Obraz(1, 1.0).save(qEnvironmentVariable("ARVELO_PNG_DIR") + "/bench-2.png");
    return e == TSestError::seOK && stran > 0 ? 0 : 1;
}
