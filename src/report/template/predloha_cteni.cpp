#include "report/template/predloha_cteni.h"

#include "report/expr/system_vars.h"
#include "report/template/tokeny.h"

#include <QHash>
#include <algorithm>
#include <limits>

namespace arvelo::report {

namespace {

int CtiKodMrizky(int pitchCode) {
    switch (pitchCode) {
    case 0:
        return 10; // 10 characters per inch
    case 2:
        return 6; // 17 characters per inch
    default:
        return 8; // 12 characters per inch (8.333333 cut to whole units)
    }
}

int CtiRadkovani(int lineSpacingCode) {
    switch (lineSpacingCode) {
    case 1:
        return 25;
    case 2:
        return 33;
    default:
        return 16;
    }
}

void CtiNastaveni(TSestavaTyp& r, const QString& line) {
    TCtecTokenu t(line);
    t.Text(); // "I"
    const int number = t.Cislo(-1);
    const bool detail = r.IsDetail();
    switch (number) {
    case 0:
        r.Popis = t.Text();
        break;
    case 1:
        r.Verze.major = t.Cislo();
        r.Verze.minor = t.Cislo();
        r.Verze.release = t.Cislo();
        break;
    case 2: {
        const int orientation = t.Cislo();
        TPageSetup setup = r.PageSetup();
        setup.NastavKodOrientace(orientation);
        // Version 0 templates carry no paper size.
        if (r.Verze.major > 0) {
            setup.sirkaPapiru = t.Cislo();
            setup.vyskaPapiru = t.Cislo();
        }
        setup.levyOkraj = t.Cislo();
        setup.pravyOkraj = t.Cislo();
        setup.horniOkraj = t.Cislo();
        setup.dolniOkraj = t.Cislo();
        // A column count below 1 would divide by zero when the body is laid out.
        r.Columns = std::max(1, t.Cislo(1));
        r.ColumnGap = t.Cislo();
        r.NeznamaHodnotaStranky = t.Cislo();
        if (!detail)
            r.PageSetup() = setup;
        break;
    }
    case 3: {
        const int kind = t.Cislo(-1);
        if (kind < 0 || kind >= kPocetPevnychOddilu)
            break;
        TOddilSestavy& s = r.PevnyOddil(kind);
        s.Visible = t.Priznak();
        s.Height = t.Cislo();
        r.Strankovani.NastavBity(kind, t.Cislo());
        s.Columns = r.Columns;
        s.ColumnGap = r.ColumnGap;
        break;
    }
    case 4: {
        t.Text(); // the group's index: groups take the order of their records
        const QString field = t.Text();
        const bool headerVisible = t.Priznak();
        const int headerHeight = t.Cislo();
        const bool footerVisible = t.Priznak();
        const int footerHeight = t.Cislo();
        const bool newPage = t.Priznak();
        r.AddGroup(field, newPage, footerHeight, footerVisible, headerHeight, headerVisible);
        break;
    }
    case 5:
        r.NastaveniNavrhare = t.Cislo();
        break;
    case 6: {
        TMrizka m;
        m.typ = t.Cislo() == 1 ? 1 : 0;
        m.x = t.Cislo(8);
        m.y = t.Cislo(8);
        m.radkovani = t.Cislo(0);
        m.roztec = t.Cislo(1);
        if (m.x < 1)
            m.x = 8;
        if (m.y < 1)
            m.y = 8;
        if (m.typ == 1) {
            m.x = CtiKodMrizky(m.roztec);
            m.y = CtiRadkovani(m.radkovani);
        }
        r.Mrizka = m;
        const bool show = t.Priznak();
        const bool snap = t.Priznak();
        if (!detail) {
            r.PageSetup().zobrazitMrizku = show;
            r.PageSetup().pritahovatKMrizce = snap;
        }
        break;
    }
    case 7: {
        TPozadiPredlohy p;
        p.vlastniNastaveni = t.Priznak();
        p.tisknout = t.Priznak();
        p.vlastniUmisteni = t.Priznak();
        p.left = t.Cislo();
        p.top = t.Cislo();
        p.width = t.Cislo();
        p.height = t.Cislo();
        p.soubor = t.Text();
        r.PozadiPredlohy = p;
        break;
    }
    default:
        break; // unknown settings are ignored
    }
}

void CtiFunkci(TSestavaTyp& r, const QString& line) {
    TCtecTokenu t(line);
    t.Text(); // "F"
    t.Text(); // position: functions take the order of their lines
    TRadekFunkce& f = r.Funkce().Add();
    const QString name = t.Text();
    if (!name.isEmpty())
        f.Nazev = name;
    f.Popis = t.Text();
    f.TypVysledku = t.Cislo() == 1 ? kVysledekText : kVysledekCislo;
    f.PocatecniHodnota = t.Text();
    f.UrovenNulovani = t.Cislo();
    f.Vyraz = t.Text();
    f.Agregace = t.Cislo();
    if (f.Agregace < kAgrZadna || f.Agregace > kAgrRelSmerOdch)
        f.Agregace = kAgrZadna; // an unknown aggregation aggregates nothing
    f.Presnost = t.Cislo(15);
    f.DesetinnaMista = t.Cislo(2);
    f.FormatCisla = t.Cislo(2);
    if (f.FormatCisla < 0 || f.FormatCisla > 4)
        f.FormatCisla = 2;
}

bool JeJmeno(const QString& token) {
    return !token.isEmpty() && !token[0].isDigit();
}

} // namespace

QString PrvniToken(const QString& line) {
    return TCtecTokenu(line).Text();
}

TKolbraReportElement& PridejPrvekZRadku(TSestavaTyp& r, TOddilSestavy& section,
                                        const QString& line) {
    TKolbraReportElement& e = section.AddElement();
    TCtecTokenu t(line);
    t.Text(); // section letter
    e.Kind = t.Cislo();
    const QString source = t.Text();
    e.Left = t.Cislo();
    e.Top = t.Cislo();
    e.Width = t.Cislo();
    e.Height = t.Cislo();

    const bool named =
        (e.Kind == pkPolozka || e.Kind == pkPopisPolozky || e.Kind == pkFunkce) && JeJmeno(source);
    if (named) {
        e.SetSourceName(source);
        if (e.Kind == pkFunkce)
            e.Source = std::max(0, r.Funkce().Find(e.SourceName()));
        else
            e.Source = std::max(0, r.FieldIndex(e.SourceName()));
    } else {
        e.Source = CtiCeleCislo(source);
    }

    if (e.IsTextKind()) {
        e.Font.Name = t.Text();
        e.Font.Size = VelikostPismaZPredlohy(t.Cislo());
        e.Font.Color = IndexNaBarvu(t.Cislo());
        e.Font.Style = t.Cislo() & 0x0F;
        const int alignment = t.Cislo();
        e.Alignment = alignment & 0x03;
        e.TextFlags = alignment & 0x78;
        e.Flags = t.Cislo();
        e.Font.Charset = t.Cislo();
        e.Text = t.Text();
        e.CharPitch = t.Cislo();
        e.Angle = t.Cislo();
        e.Extra = t.Cislo();
        if (e.Kind == pkPromenna && e.Source < std::numeric_limits<int>::max())
            e.Source =
                PrecislovatPromennou(e.Source, r.Verze.major, r.Verze.minor, r.Verze.release);
    } else if (e.Kind != pkDetail) {
        t.Text(); // the font-name position stays empty
        e.SetPenWidth(t.Cislo());
        e.PenColor = IndexNaBarvu(t.Cislo());
        e.SetPenStyle(t.Cislo());
        e.Flags = t.Cislo();
        e.FillColor = IndexNaBarvu(t.Cislo());
        e.Param = t.Cislo();
        e.Text = t.Text();
        e.CharPitch = t.Cislo();
        e.Angle = t.Cislo();
        e.Extra = t.Cislo();
        if (e.Kind == pkKresliciPlocha)
            e.Param = std::clamp(e.Param, 1, 6);
        if (e.Kind == pkObrazek)
            r.NajdiObrazek(e);
    }
    // A field index the data source does not have shows field 0; without a field list (a
    // template read outside a run) the index is kept as written.
    if (e.Kind == pkPolozka && r.FieldCount() > 0 && e.Source >= r.FieldCount())
        e.Source = 0;
    return e;
}

void CtiPredlohu(TSestavaTyp& r, const TPredloha& lines) {
    // One scan sorts the records by their first token; the passes then take them in file order.
    // This keeps parsing linear however many groups or sections a template names.
    QHash<QString, QStringList> records;
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.size() <= 1)
            continue;
        records[PrvniToken(line)].append(line);
    }

    for (const QString& line : records.value(QStringLiteral("I")))
        CtiNastaveni(r, line);

    r.Funkce().Clear();
    for (const QString& line : records.value(QStringLiteral("F")))
        CtiFunkci(r, line);

    const bool detail = r.IsDetail();
    // The section list is in pass order: Z, H, T, K, P, then S0, U0, S1, U1, ...
    for (int i = 0; i < r.Oddily().Count(); ++i) {
        TOddilSestavy& section = r.Oddily()[i];
        if (detail && (section.SectionKind == okHlava || section.SectionKind == okPata))
            continue;
        for (const QString& line : records.value(section.Letter()))
            PridejPrvekZRadku(r, section, line);
    }

    const auto& details = r.Detaily();
    for (std::size_t n = 0; n < details.size(); ++n) {
        TPredloha own;
        for (const QString& line : records.value(QStringLiteral("D%1").arg(n))) {
            const auto comma = line.indexOf(QLatin1Char(','));
            own.append(comma < 0 ? QString() : line.mid(comma + 1));
        }
        details[n]->SetPredloha(own);
    }
}

} // namespace arvelo::report
