#pragma once

#include "../run/sestava_behu.h"
#include "report/writers/nastaveni_exportu.h"

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace arvelo::report::test {

// Output pages built by hand: elements of one report placed straight on pages, so a writer's
// text can be predicted exactly.
struct TVzorek {
    TTestSestava r;
    TSestVystup vystup;

    TVzorek() {
        r.PageSetup() = TPageSetup();
        r.PageSetup().sirkaPapiru = 800;
        r.PageSetup().vyskaPapiru = 1000;
    }

    TKolbraReportElement& Prvek(int kind, const QString& text = {}, int size = 10) {
        TKolbraReportElement& e = r.PevnyOddil(okTelo).AddElement();
        e.Kind = kind;
        e.Text = text;
        e.Font.Size = size;
        return e;
    }

    TVystPrvek& Umisti(int strana, const TKolbraReportElement& e, int x, int y, int w, int h,
                       const QString& text = {}) {
        TVystPrvek v;
        v.prvek = &e;
        v.x = x;
        v.y = y;
        v.width = w;
        v.height = h;
        v.text = text.isNull() ? e.Text : text;
        TStranaPrvku& s = vystup.Strana(strana);
        s.Vloz(std::move(v));
        vystup.tisknutelnaSirka = r.PageSetup().TisknutelnaSirka();
        vystup.tisknutelnaVyska = r.PageSetup().TisknutelnaVyska();
        for (TVystPrvek& p : s.Prvky()) {
            if (p.prvek == &e && p.x == x && p.y == y)
                return p;
        }
        throw std::logic_error("element not placed");
    }

    writers::TNastaveniExportu Nastaveni() const { return writers::NastaveniExportu(r); }
};

inline QByteArray Obsah(const QString& soubor) {
    QFile f(soubor);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// An external program of the test machine, or empty when it is not installed.
inline QString Program(const QString& jmeno) {
    return QStandardPaths::findExecutable(jmeno);
}

} // namespace arvelo::report::test
