#pragma once

#include "report/barcode/carovy_kod.h"
#include "vzorek.h"

namespace arvelo::report::test {

// A two-page sample of every kind the writers handle: texts in several fonts and styles with
// a firm name full of markup characters, a multi-line memo, lines, frames and a bar code.
struct TUkazka : TVzorek {
    TUkazka() {
        r.PageSetup().sirkaPapiru = 826;
        r.PageSetup().vyskaPapiru = 1169;
        r.PageSetup().levyOkraj = 50;
        r.PageSetup().horniOkraj = 50;
        r.PageSetup().pravyOkraj = 50;
        r.PageSetup().dolniOkraj = 50;
        r.Popis = QStringLiteral("Výkaz zisku a ztráty");
        for (int strana = 0; strana < 2; ++strana) {
            TKolbraReportElement& nadpis = Prvek(pkGrafickyText, QString(), 16);
            nadpis.Font.Style = fsBold;
            nadpis.Font.Color = 0x800000;
            Umisti(strana, nadpis, 0, 0, 700, 40,
                   QStringLiteral("Firma <b>& \"Syn\" s.r.o. – strana %1").arg(strana + 1));
            TKolbraReportElement& cara = Prvek(pkUsecka);
            cara.Flags = pfDolniOkraj;
            cara.SetPenWidth(2);
            Umisti(strana, cara, 0, 40, 700, 5);
            for (int i = 0; i < 8; ++i) {
                TKolbraReportElement& ucet = Prvek(pkPolozka, QString(), 10);
                ucet.Font.Name =
                    i % 2 ? QStringLiteral("Times New Roman") : QStringLiteral("Courier New");
                Umisti(strana, ucet, 0, 60 + i * 20, 400, 18,
                       QStringLiteral("Účet %1 – Čárový kód žluťoučký").arg(500 + i));
                TKolbraReportElement& castka = Prvek(pkPolozka, QString(), 10);
                castka.Alignment = 1;
                castka.Font.Style = i == 7 ? fsBold : 0;
                Umisti(strana, castka, 450, 60 + i * 20, 200, 18,
                       QStringLiteral("%1 234,50").arg(i + 1));
            }
            TKolbraReportElement& ramecek = Prvek(pkRamecek);
            ramecek.FillColor = 0xC0C0C0;
            ramecek.SetPenWidth(1);
            Umisti(strana, ramecek, 0, 240, 300, 60);
            TKolbraReportElement& elipsa = Prvek(pkElipsa);
            elipsa.FillColor = 0x00FFFF;
            Umisti(strana, elipsa, 320, 240, 150, 60);
            TKolbraReportElement& zaobleny = Prvek(pkZaoblenyRamecek);
            zaobleny.Param = 1;
            zaobleny.SetPenWidth(3);
            zaobleny.PenColor = 0x0000FF;
            Umisti(strana, zaobleny, 500, 240, 200, 60);
            TKolbraReportElement& kod = Prvek(pkCarovyKod);
            kod.SetPenStyle(barcode::syCode128B);
            kod.Flags = pfZachovatPomer;
            Umisti(strana, kod, 0, 320, 300, 60, QStringLiteral("ARVELO-%1").arg(strana + 1));
        }
    }
};

} // namespace arvelo::report::test
