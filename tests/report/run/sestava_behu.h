#pragma once

#include "../model/test_sestava.h"
#include "report/run/beh.h"
#include "support/test_application.h"

#include <QGuiApplication>
#include <gtest/gtest.h>
#include <memory>

// Readable texts in test failures.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace arvelo::report::test {

// Fonts need a GUI application; one lives for the whole test program.
[[maybe_unused]] inline const auto* const kQtProstredi =
    arvelo::test::kTestApplication<QGuiApplication>;

// A small report built in code over an in-memory data set; its page is 1000 high, 800 wide
// and has no margins, so positions in the output are easy to predict.
struct TMalaSestava {
    TPametovaData data;
    TTestSestava r;

    TMalaSestava() {
        r.PageSetup() = TPageSetup();
        r.PageSetup().sirkaPapiru = 800;
        r.PageSetup().vyskaPapiru = 1000;
        data.sloupce = {{QStringLiteral("Skup"), QStringLiteral("Skupina"), fieldtype::String},
                        {QStringLiteral("Pod"), QStringLiteral("Podskupina"), fieldtype::String},
                        {QStringLiteral("N"), QStringLiteral("Počet"), fieldtype::Float},
                        {QStringLiteral("Memo"), QStringLiteral("Poznámka"), fieldtype::Memo}};
        r.DataSource = &data;
    }

    void Radky(int n, const std::function<std::vector<QVariant>(int)>& radek) {
        data.radky.clear();
        for (int i = 0; i < n; ++i)
            data.radky.push_back(radek(i));
        r.ReadFieldList();
    }

    // A section made visible with its height and one caption element named after it.
    TOddilSestavy& Oddil(TOddilSestavy& o, int height, const QString& popis) {
        o.Visible = true;
        o.Height = height;
        if (!popis.isEmpty()) {
            TKolbraReportElement& e = o.AddElement();
            e.Kind = pkGrafickyText;
            e.Text = popis;
            e.Width = 100;
            e.Height = std::min(height, 10);
        }
        return o;
    }
    TOddilSestavy& Oddil(int kind, int height, const QString& popis) {
        return Oddil(r.PevnyOddil(kind), height, popis);
    }

    TKolbraReportElement& Pole(TOddilSestavy& o, int field, int left, int top, int w, int h) {
        TKolbraReportElement& e = o.AddElement();
        e.Kind = pkPolozka;
        e.Source = field;
        e.Left = left;
        e.Top = top;
        e.Width = w;
        e.Height = h;
        return e;
    }
    TKolbraReportElement& Promenna(TOddilSestavy& o, int index, int left, int top) {
        TKolbraReportElement& e = o.AddElement();
        e.Kind = pkPromenna;
        e.Source = index;
        e.Left = left;
        e.Top = top;
        e.Width = 50;
        e.Height = 10;
        return e;
    }

    TSestVystup vystup;
    TSestError Spust(TInformace* info = nullptr) {
        TBehSestavy beh(r, vystup, info);
        return beh.Spust();
    }

    // "text@y" of the page's elements of one definition element kind (all kinds when 0),
    // sorted by y then x.
    QStringList Strana(int i, int kind = 0) const {
        std::vector<const TVystPrvek*> p;
        for (const TVystPrvek& v : vystup.strany.at(static_cast<std::size_t>(i)).Prvky()) {
            if (kind == 0 || v.prvek->Kind == kind)
                p.push_back(&v);
        }
        std::stable_sort(p.begin(), p.end(), [](const TVystPrvek* a, const TVystPrvek* b) {
            return a->y != b->y ? a->y < b->y : a->x < b->x;
        });
        QStringList l;
        for (const TVystPrvek* v : p)
            l << QStringLiteral("%1@%2").arg(v->text).arg(v->y);
        return l;
    }
};

} // namespace arvelo::report::test
