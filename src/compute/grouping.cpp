#include "compute/grouping.h"

#include "app/main_data.h"
#include "app/prompts.h"
#include "compute/progress.h"
#include "compute/run_settings.h"
#include "host/day_date.h"
#include "host/host_paths.h"

namespace arvelo::compute {

namespace {
struct TPopisDruhu {
    const char16_t* text;
    const char16_t* nadpis;
    const char16_t* prazdna;
    const char16_t* pole;
    const char16_t* seznam;
};

const TPopisDruhu kDruhy[kPocetDruhu] = {
    {u"zakázky", u"Zakázky", u"[záznamy bez zakázky]", u"Zakazka", u"ZAKAZKY"},
    {u"střediska", u"Střediska", u"[záznamy bez střediska]", u"Stred", u"SZSTRED"},
    {u"činnosti", u"Činnosti", u"[záznamy bez činnosti]", u"Cinnost", u"SZCINN"},
    {u"měsíce", u"Měsíce", u"", u"", u""},
    {u"čtvrtletí", u"Čtvrtletí", u"", u"", u""},
    {u"pololetí", u"Pololetí", u"", u"", u""},
    {u"roky", u"Roky", u"", u"", u""},
    {u"firmy (dle IČ)", u"Firmy (dle IČ)", u"[záznamy bez IČ]", u"ParICO", u""},
    {u"firmy (dle čísla firmy)", u"Firmy (dle čísla firmy)", u"[záznamy bez vazby na adresář]",
     u"AdCislo", u""},
};

const TPopisDruhu* popis(int druh) {
    return (druh >= 0 && druh < kPocetDruhu) ? &kDruhy[druh] : nullptr;
}

QString text(const char16_t* s) {
    return QString::fromUtf16(s);
}
} // namespace

QString TextDruhu(int druh) {
    const auto* p = popis(druh);
    return p ? text(p->text) : QString();
}

QString NadpisDruhu(int druh) {
    const auto* p = popis(druh);
    return p ? text(p->nadpis) : QStringLiteral("Součet za celou sestavu");
}

QString NazevPrazdneSkupiny(int druh) {
    const auto* p = popis(druh);
    return p ? text(p->prazdna) : QString();
}

QString PoleSkupiny(int druh) {
    const auto* p = popis(druh);
    return p ? text(p->pole) : QString();
}

QString SeznamSkupiny(int druh) {
    const auto* p = popis(druh);
    return p ? text(p->seznam) : QString();
}

QString KlicSkupiny(int druh, const QString& hodnota) {
    if (druh == FirmyICO) {
        QString klic = hodnota;
        klic.removeIf([](QChar c) { return c.isSpace(); });
        return klic;
    }
    if (druh == FirmyCislo && hodnota == u"0") {
        return QString();
    }
    return hodnota;
}

app::TRozsah RozsahBehu(const app::THlavniData& data, const TNastaveniBehu& nastaveni) {
    if (nastaveni.DleDatumu) {
        return {nastaveni.DatumOd, nastaveni.DatumDo};
    }
    return app::RozsahRoku(data.Kontext.AdresarRoku, data.Formaty());
}

QString ZkratkaObdobi(int druh, const QDate& den) {
    const QString rok = QStringLiteral("%1").arg(den.year(), 4, 10, QChar(u'0'));
    switch (druh) {
    case Mesice:
        return rok + u'/' + QStringLiteral("%1").arg(den.month(), 2, 10, QChar(u'0'));
    case Ctvrtleti: {
        static const char* const kCtvrtleti[] = {"I", "II", "III", "IV"};
        return rok + u'/' + QLatin1String(kCtvrtleti[(den.month() - 1) / 3]);
    }
    case Pololeti:
        return rok + u'/' + (den.month() <= 6 ? QStringLiteral("I") : QStringLiteral("II"));
    default:
        return rok;
    }
}

QDate KonecObdobi(int druh, const QDate& den) {
    int posledniMesic = 12;
    switch (druh) {
    case Mesice:
        posledniMesic = den.month();
        break;
    case Ctvrtleti:
        posledniMesic = ((den.month() - 1) / 3 + 1) * 3;
        break;
    case Pololeti:
        posledniMesic = den.month() <= 6 ? 6 : 12;
        break;
    default:
        break;
    }
    const QDate prvni(den.year(), posledniMesic, 1);
    return QDate(den.year(), posledniMesic, prvni.daysInMonth());
}

void NaplnitDatumSkupiny(app::THlavniData& data, const TNastaveniBehu& nastaveni) {
    ui::TMemTable& t = data.mtDatumSkupiny;
    t.emptyTable(false);
    const int druh = nastaveni.DruhSkupiny();
    if (!JeDatumovy(druh)) {
        return;
    }
    const app::TRozsah rozsah = RozsahBehu(data, nastaveni);
    if (!rozsah.od.isValid() || !rozsah.do_.isValid()) {
        return;
    }
    QDate d = rozsah.od;
    for (;;) {
        QDate e = KonecObdobi(druh, d);
        const bool posledni = e >= rozsah.do_;
        if (posledni) {
            e = rozsah.do_;
        }
        const QString nazev = QStringLiteral("od ") + data.Formaty().dateText(d) +
                              QStringLiteral(" do ") + data.Formaty().dateText(e);
        t.appendRecord({host::Variant(ZkratkaObdobi(druh, d)), host::Variant(nazev),
                        host::Variant::date(daydate::fromDate(d)),
                        host::Variant::date(daydate::fromDate(e))});
        if (posledni) {
            break;
        }
        d = e.addDays(1);
    }
    t.first();
}

bool NaplnitNazvyFirem(app::THlavniData& data, int druh, TPrubeh& prubeh) {
    if (druh != FirmyICO && druh != FirmyCislo) {
        return true;
    }
    host::TBFTable& adresar = *data.Tabulka;
    host::OpenTable zavrit(adresar);
    if (adresar.IsOpen()) {
        adresar.Close();
    }
    const QString cesta =
        host::paths::folder(data.Kontext.AdresarAgendy) + QStringLiteral("ADRESARF");
    if (adresar.Open(cesta) != host::result::Ok) {
        showError(data.Vyzvy(),
                  QStringLiteral("Nastala chyba při otevírání databáze ") + cesta + ".DAT");
        return false;
    }
    const QString index = druh == FirmyICO ? QStringLiteral("ICO") : QStringLiteral("Cislo");
    if (adresar.SetIndex(index) != host::result::Ok) {
        showError(data.Vyzvy(),
                  QStringLiteral("Nastala chyba při nastavení indexu v ") + cesta + ".DAT");
        return false;
    }
    const int obchNazev = adresar.FieldIndex(QStringLiteral("ObchNazev"));
    if (obchNazev < 0) {
        showError(data.Vyzvy(), QStringLiteral("Tabulka %1.DAT nemá pole ObchNazev").arg(cesta));
        return false;
    }
    prubeh.Stav(QStringLiteral("Načtení adres... [prosím čekejte]"));
    ui::TMemTable& skupiny = data.mtSkupiny;
    const int zkratka = skupiny.fieldIndex(u"Zkratka");
    const int nazev = skupiny.fieldIndex(u"Nazev");
    for (const ui::RecId id : std::vector<ui::RecId>(skupiny.viewIds())) {
        const QString klic = skupiny.textAt(id, zkratka);
        if (klic.isEmpty()) {
            continue;
        }
        const host::Variant hledany =
            druh == FirmyICO ? host::Variant(klic) : host::Variant(std::int64_t(klic.toLongLong()));
        if (adresar.Seek(hledany) == host::result::Found) {
            skupiny.setValueAt(id, nazev, adresar.Value(obchNazev).toString());
        }
    }
    return true;
}

void PripravitVysledky(app::THlavniData& data, const TNastaveniBehu& nastaveni) {
    ui::TMemTable& skupiny = data.mtSkupiny;
    skupiny.setFiltered(false);
    skupiny.sortBy(QStringLiteral("Zkratka"));
    const int druh = nastaveni.DruhSkupiny();
    const QString prazdna = NazevPrazdneSkupiny(druh);
    if (!prazdna.isEmpty()) {
        const ui::RecId id =
            skupiny.find(skupiny.indexNumber(u"Zkratka"), {host::Variant(QString())});
        if (id != ui::NoRecord) {
            skupiny.setValueAt(id, skupiny.fieldIndex(u"Nazev"), prazdna);
        }
    }
    const app::TRozsah rozsah = RozsahBehu(data, nastaveni);
    data.ObdobiText = QStringLiteral("od ") + data.Formaty().dateText(rozsah.od) +
                      QStringLiteral(" do ") + data.Formaty().dateText(rozsah.do_);
    skupiny.first();
}

QString TextPoctuZaznamu(const app::THlavniData& data, const TNastaveniBehu& nastaveni) {
    if (nastaveni.DruhSkupiny() < 0) {
        return QString();
    }
    return QStringLiteral("počet záznamů: ") + QString::number(data.mtSkupiny.recordCount());
}

} // namespace arvelo::compute
