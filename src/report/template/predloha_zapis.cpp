#include "report/template/predloha_zapis.h"

#include "report/template/tokeny.h"

namespace arvelo::report {

namespace {

QString Radek(std::initializer_list<QString> tokens) {
    QStringList list(tokens);
    return list.join(QLatin1Char(','));
}

QString N(int value) {
    return QString::number(value);
}
QString B(bool value) {
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

// Names are written unquoted; one that would not read back as a single token (a comma, or a
// leading quote) is quoted instead, so that a save never splits a record.
QString Jmeno(const QString& name) {
    if (name.contains(QLatin1Char(',')) || name.startsWith(QLatin1Char('"')))
        return UvozenyText(name);
    return name;
}

QString JmenoSouboru(const QString& name) {
    qsizetype cut = -1;
    for (QChar delimiter : {QLatin1Char('\\'), QLatin1Char('/'), QLatin1Char(':')})
        cut = std::max(cut, name.lastIndexOf(delimiter));
    return name.mid(cut + 1);
}

} // namespace

QString JmenaSouboruObrazku(const QString& text) {
    QStringList out;
    for (const QString& candidate : TSestavaTyp::KandidatiObrazku(text)) {
        if (candidate.startsWith(QLatin1Char('\'')) && candidate.size() >= 2 &&
            candidate.endsWith(QLatin1Char('\''))) {
            out.append(QLatin1Char('\'') + JmenoSouboru(candidate.mid(1, candidate.size() - 2)) +
                       QLatin1Char('\''));
        } else if (candidate.startsWith(QLatin1Char('#')) ||
                   candidate.startsWith(QLatin1Char('&')) ||
                   candidate.startsWith(QLatin1Char('@'))) {
            out.append(candidate); // a reference has no path to reduce
        } else {
            out.append(JmenoSouboru(candidate));
        }
    }
    return out.join(QLatin1Char(','));
}

QString ZapisPrvek(const TKolbraReportElement& e, const QString& letter) {
    const bool named = (e.Kind == pkPolozka || e.Kind == pkPopisPolozky || e.Kind == pkFunkce) &&
                       !e.SourceName().isEmpty();
    const QString source = named ? Jmeno(e.SourceName()) : N(e.Source);
    const QString head =
        Radek({letter, N(e.Kind), source, N(e.Left), N(e.Top), N(e.Width), N(e.Height)});
    if (e.Kind == pkDetail)
        return head;
    if (e.IsTextKind()) {
        return Radek({head, Jmeno(e.Font.Name), N(e.Font.Size), N(BarvaNaIndex(e.Font.Color)),
                      N(e.Font.Style), N((e.Alignment & 0x03) | (e.TextFlags & 0x78)), N(e.Flags),
                      N(e.Font.Charset), UvozenyText(e.Text), N(e.CharPitch), N(e.Angle),
                      N(e.Extra)});
    }
    const QString graphic =
        Radek({head, QString(), N(e.PenWidth()), N(BarvaNaIndex(e.PenColor)), N(e.PenStyle()),
               N(e.Flags), N(BarvaNaIndex(e.FillColor)), N(e.Param)});
    switch (e.Kind) {
    case pkUsecka:
    case pkRamecek:
    case pkZaoblenyRamecek:
    case pkElipsa:
    case pkKresliciPlocha:
        return graphic;
    case pkObrazek:
        return Radek({graphic, UvozenyText(JmenaSouboruObrazku(e.Text))});
    default:
        // Bar codes keep their whole text (a path-like code must survive a save); an element
        // of an unknown kind keeps every field.
        return Radek({graphic, UvozenyText(e.Text), N(e.CharPitch), N(e.Angle), N(e.Extra)});
    }
}

TPredloha ZapisPredlohu(const TSestavaTyp& r) {
    TPredloha out;
    const TPageSetup& p = r.PageSetup();
    out.append(Radek({QStringLiteral("I"), N(0), UvozenyText(r.Popis)}));
    out.append(QStringLiteral("I,1,6,40,27"));
    out.append(Radek({QStringLiteral("I"), N(2), N(p.KodOrientace()), N(p.sirkaPapiru),
                      N(p.vyskaPapiru), N(p.levyOkraj), N(p.pravyOkraj), N(p.horniOkraj),
                      N(p.dolniOkraj), N(r.Columns), N(r.ColumnGap)}));
    for (int kind = 0; kind < kPocetPevnychOddilu; ++kind) {
        const TOddilSestavy& s = r.PevnyOddil(kind);
        out.append(Radek({QStringLiteral("I"), N(3), N(kind), B(s.Visible), N(s.Height),
                          N(r.Strankovani.Bity(kind))}));
    }
    const TListSkupin& groups = r.Skupiny();
    for (int g = 0; g < groups.Count(); ++g) {
        const TPolSkup& s = groups[g];
        const QString field = s.FieldName.isEmpty() ? N(s.FieldIndex) : Jmeno(s.FieldName);
        out.append(
            Radek({QStringLiteral("I"), N(4), N(g), field, B(s.Header->Visible),
                   N(s.Header->Height), B(s.Footer->Visible), N(s.Footer->Height), B(s.NewPage)}));
    }
    out.append(Radek({QStringLiteral("I"), N(5), N(r.NastaveniNavrhare)}));
    TMrizka m = r.Mrizka;
    // A report that never read a grid has 0 here; written as it would read back.
    if (m.x < 1)
        m.x = 8;
    if (m.y < 1)
        m.y = 8;
    out.append(Radek({QStringLiteral("I"), N(6), N(m.typ), N(m.x), N(m.y), N(m.radkovani),
                      N(m.roztec), B(p.zobrazitMrizku), B(p.pritahovatKMrizce)}));
    const TPozadiPredlohy& b = r.PozadiPredlohy;
    out.append(Radek({QStringLiteral("I"), N(7), B(b.vlastniNastaveni), B(b.tisknout),
                      B(b.vlastniUmisteni), N(b.left), N(b.top), N(b.width), N(b.height),
                      UvozenyText(b.soubor)}));

    const TListFunkci& functions = r.Funkce();
    for (int i = 0; i < functions.Count(); ++i) {
        const TRadekFunkce& f = *functions.Get(i);
        out.append(Radek({QStringLiteral("F"), N(i), Jmeno(f.Nazev), UvozenyText(f.Popis),
                          N(f.TypVysledku), UvozenyText(f.PocatecniHodnota), N(f.UrovenNulovani),
                          UvozenyText(f.Vyraz), N(f.Agregace), N(f.Presnost), N(f.DesetinnaMista),
                          N(f.FormatCisla)}));
    }

    for (int i = 0; i < r.Oddily().Count(); ++i) {
        const TOddilSestavy& s = r.Oddily()[i];
        const QString letter = s.Letter();
        for (int j = 0; j < s.ElementCount(); ++j)
            out.append(ZapisPrvek(s.Element(j), letter));
    }

    const auto& details = r.Detaily();
    for (std::size_t n = 0; n < details.size(); ++n) {
        const QString prefix = QStringLiteral("D%1,").arg(n);
        for (const QString& line : ZapisPredlohu(*details[n]))
            out.append(prefix + line);
    }
    return out;
}

} // namespace arvelo::report
