#include "app/batch.h"

#include "app/locale_format.h"
#include "app/main_data.h"
#include "app/qt_prompts.h"
#include "app/startup.h"
#include "compute/computation.h"
#include "compute/grouping.h"
#include "compute/progress.h"
#include "rights/filter_controls.h"
#include "rights/pristup_prava.h"
#include "views/report_lines.h"

#include <QFile>
#include <QSaveFile>
#include <QTextStream>
#include <cstdio>

namespace arvelo::app::batch {

namespace {
const char* const kDruhy[] = {"zakazky",  "strediska", "cinnosti",  "mesice",     "ctvrtleti",
                              "pololeti", "roky",      "firmy-ico", "firmy-cislo"};

void chybovyVystup(const QString& text) {
    std::fprintf(stderr, "%s\n", qUtf8Printable(text));
}

// The four filter families: option name and the member it sets.
struct TRodina {
    const char* volba;
    compute::TFiltr compute::TNastaveniBehu::*filtr;
};
const TRodina kRodiny[] = {
    {"--cinnosti", &compute::TNastaveniBehu::Cinnosti},
    {"--strediska", &compute::TNastaveniBehu::Strediska},
    {"--zakazky", &compute::TNastaveniBehu::Zakazky},
    {"--ucty", &compute::TNastaveniBehu::Ucty},
};

// The wizard's filter controls, by their names, over the batch settings: a
// filter that the user's extended rights fix overrides the command line.
class TOvladaceNastaveni final : public rights::TOvladaceFiltru {
public:
    explicit TOvladaceNastaveni(compute::TNastaveniBehu& nastaveni) : m_n(nastaveni) {}

    void NastavitZaskrtnuti(const QString& ovladac, bool zaskrtnuto) override {
        for (rights::TFiltr f : rights::VsechnyFiltry) {
            const rights::TNazvyOvladacu nazvy = rights::NazvyOvladacu(f);
            if (ovladac == nazvy.Check) {
                if (compute::TFiltr* vyber = vyberFiltru(f)) {
                    vyber->zapnuto = zaskrtnuto;
                } else {
                    *prepinac(f) = zaskrtnuto;
                }
            } else if (!nazvy.Neg.isEmpty() && ovladac == nazvy.Neg) {
                vyberFiltru(f)->negace = zaskrtnuto;
            }
        }
    }
    void NastavitText(const QString& ovladac, const QString& text) override {
        for (rights::TFiltr f : rights::VsechnyFiltry) {
            const rights::TNazvyOvladacu nazvy = rights::NazvyOvladacu(f);
            if (!nazvy.Text.isEmpty() && ovladac == nazvy.Text) {
                vyberFiltru(f)->seznam = text;
            }
        }
    }
    // Without windows there is nothing to enable or disable.
    void Povolit(const QString&, bool) override {}

private:
    compute::TFiltr* vyberFiltru(rights::TFiltr f) {
        switch (f) {
        case rights::TFiltr::Cinnosti:
            return &m_n.Cinnosti;
        case rights::TFiltr::Strediska:
            return &m_n.Strediska;
        case rights::TFiltr::Zakazky:
            return &m_n.Zakazky;
        case rights::TFiltr::Ucty:
            return &m_n.Ucty;
        default:
            return nullptr;
        }
    }
    bool* prepinac(rights::TFiltr f) {
        switch (f) {
        case rights::TFiltr::UctyOvlDan:
            return &m_n.UctyOvlDan;
        case rights::TFiltr::UctyNEOvlDan:
            return &m_n.UctyNEOvlDan;
        default:
            return &m_n.IgnorovatPrevod;
        }
    }

    compute::TNastaveniBehu& m_n;
};

QString jsonText(const QString& s) {
    QString out;
    out.reserve(s.size() + 2);
    out += u'"';
    for (const QChar c : s) {
        switch (c.unicode()) {
        case u'"':
            out += QStringLiteral("\\\"");
            break;
        case u'\\':
            out += QStringLiteral("\\\\");
            break;
        case u'\n':
            out += QStringLiteral("\\n");
            break;
        case u'\r':
            out += QStringLiteral("\\r");
            break;
        case u'\t':
            out += QStringLiteral("\\t");
            break;
        default:
            if (c.unicode() < 0x20) {
                out += QStringLiteral("\\u%1").arg(int(c.unicode()), 4, 16, QChar(u'0'));
            } else {
                out += c;
            }
        }
    }
    out += u'"';
    return out;
}

// A field of an in-memory table as JSON: amounts as exact decimal text.
QString jsonHodnota(const ui::TMemTable& t, ui::RecId id, int pole) {
    const host::Variant& v = t.valueAt(id, pole);
    switch (t.fields()[std::size_t(pole)].type) {
    case host::FieldType::Amount:
        return jsonText(v.toCurrency().toPlainString());
    case host::FieldType::Integer:
        return QString::number(v.toInt());
    case host::FieldType::Boolean:
        return v.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    default:
        return jsonText(v.toString());
    }
}

QString csvPole(const QString& s) {
    if (!s.contains(u';') && !s.contains(u'"') && !s.contains(u'\n') && !s.contains(u'\r')) {
        return s;
    }
    QString q = s;
    q.replace(u'"', QStringLiteral("\"\""));
    return u'"' + q + u'"';
}

// Walks the groups in mtSkupiny order with their report lines (display mode 0).
template <typename FnSkupina, typename FnRadek>
void projitSestavu(THlavniData& data, FnSkupina skupina, FnRadek radek) {
    ui::TMemTable& skupiny = data.mtSkupiny;
    ui::TMemTable& sestava = data.mtSestava;
    for (skupiny.first(); !skupiny.eof(); skupiny.next()) {
        skupina(skupiny.currentId());
        for (const ui::RecId id : sestava.viewIds()) {
            radek(id);
        }
    }
}

QString vystupJson(THlavniData& data) {
    ui::TMemTable& skupiny = data.mtSkupiny;
    ui::TMemTable& sestava = data.mtSestava;
    QString out;
    out += QStringLiteral("{\n  \"ObdobiText\": ") + jsonText(data.ObdobiText);
    out += QStringLiteral(",\n  \"SoucetNakladyOB\": ") +
           jsonText(data.SoucetNakladyOB.toPlainString());
    out +=
        QStringLiteral(",\n  \"SoucetVynosyOB\": ") + jsonText(data.SoucetVynosyOB.toPlainString());
    out +=
        QStringLiteral(",\n  \"SoucetHospVysl\": ") + jsonText(data.SoucetHospVysl.toPlainString());
    out += QStringLiteral(",\n  \"skupiny\": [");
    const QStringList poleRadku = {"Ucet", "Nazev", "PS", "Obrat", "KS", "Typ", "TypUctu"};
    bool prvniSkupina = true;
    bool prvniRadek = true;
    const auto uzavritSkupinu = [&] {
        if (!prvniSkupina) {
            out += prvniRadek ? QStringLiteral("]\n    }") : QStringLiteral("\n      ]\n    }");
        }
    };
    projitSestavu(
        data,
        [&](ui::RecId g) {
            uzavritSkupinu();
            out += prvniSkupina ? QStringLiteral("\n    {") : QStringLiteral(",\n    {");
            prvniSkupina = false;
            prvniRadek = true;
            for (int f = 0; f < skupiny.fieldCount(); ++f) {
                out += QStringLiteral("\n      ") +
                       jsonText(skupiny.fields()[std::size_t(f)].name) + QStringLiteral(": ") +
                       jsonHodnota(skupiny, g, f) + u',';
            }
            out += QStringLiteral("\n      \"radky\": [");
        },
        [&](ui::RecId r) {
            out += prvniRadek ? QStringLiteral("\n        {") : QStringLiteral(",\n        {");
            prvniRadek = false;
            for (int i = 0; i < poleRadku.size(); ++i) {
                const int f = sestava.fieldIndex(poleRadku[i]);
                out += (i ? QStringLiteral(", ") : QString()) + jsonText(poleRadku[i]) +
                       QStringLiteral(": ") + jsonHodnota(sestava, r, f);
            }
            out += u'}';
        });
    uzavritSkupinu();
    out += prvniSkupina ? QStringLiteral("]\n}\n") : QStringLiteral("\n  ]\n}\n");
    return out;
}

QString vystupCsv(THlavniData& data) {
    ui::TMemTable& skupiny = data.mtSkupiny;
    ui::TMemTable& sestava = data.mtSestava;
    const int gZkratka = skupiny.fieldIndex(u"Zkratka");
    const int gNazev = skupiny.fieldIndex(u"Nazev");
    const QStringList poleRadku = {"Poradi", "Typ", "TypUctu", "Ucet",
                                   "Nazev",  "PS",  "Obrat",   "KS"};
    QString out = QStringLiteral("Zkratka;NazevSkupiny;") + poleRadku.join(u';') + u'\n';
    QString zacatek;
    projitSestavu(
        data,
        [&](ui::RecId g) {
            zacatek = csvPole(skupiny.textAt(g, gZkratka)) + u';' +
                      csvPole(skupiny.textAt(g, gNazev)) + u';';
        },
        [&](ui::RecId r) {
            QStringList pole;
            for (const QString& nazev : poleRadku) {
                const int f = sestava.fieldIndex(nazev);
                const host::Variant& v = sestava.valueAt(r, f);
                pole << (sestava.fields()[std::size_t(f)].type == host::FieldType::Amount
                             ? v.toCurrency().toPlainString()
                             : csvPole(v.toString()));
            }
            out += zacatek + pole.join(u';') + u'\n';
        });
    return out;
}

QString vystupText(THlavniData& data, const compute::TNastaveniBehu& n) {
    ui::TMemTable& skupiny = data.mtSkupiny;
    ui::TMemTable& sestava = data.mtSestava;
    const QLocale& loc = data.Formaty().locale();
    const auto castka = [&](Currency c) { return c.format(2, loc).rightJustified(18); };
    QString out = QStringLiteral("Výsledovka");
    if (!data.NazevAgendy.isEmpty()) {
        out += QStringLiteral(" - ") + data.NazevAgendy;
    }
    out += u'\n' + QStringLiteral("Období: ") + data.ObdobiText + u'\n';
    out += compute::NadpisDruhu(n.DruhSkupiny());
    const QString pocet = compute::TextPoctuZaznamu(data, n);
    if (!pocet.isEmpty()) {
        out += QStringLiteral(" (") + pocet + u')';
    }
    out += u'\n';
    const int fUcet = sestava.fieldIndex(u"Ucet");
    const int fNazev = sestava.fieldIndex(u"Nazev");
    const int fPS = sestava.fieldIndex(u"PS");
    const int fObrat = sestava.fieldIndex(u"Obrat");
    const int fKS = sestava.fieldIndex(u"KS");
    const int fTyp = sestava.fieldIndex(u"Typ");
    projitSestavu(
        data,
        [&](ui::RecId g) {
            out += u'\n';
            if (n.DruhSkupiny() >= 0) {
                out += skupiny.textAt(g, skupiny.fieldIndex(u"Zkratka")) + QStringLiteral(" - ") +
                       skupiny.textAt(g, skupiny.fieldIndex(u"Nazev")) + u'\n';
            }
            out += QStringLiteral("%1 %2 %3%4%5\n")
                       .arg(QStringLiteral("Účet"), -6)
                       .arg(QStringLiteral("Název"), -40)
                       .arg(QStringLiteral("PS"), 18)
                       .arg(QStringLiteral("Obrat"), 18)
                       .arg(QStringLiteral("KS"), 18);
        },
        [&](ui::RecId r) {
            const int typ = int(sestava.intAt(r, fTyp));
            if (typ == views::RadekNadpis) {
                out += sestava.textAt(r, fNazev) + u'\n';
                return;
            }
            out += QStringLiteral("%1 %2 ")
                       .arg(sestava.textAt(r, fUcet), -6)
                       .arg(sestava.textAt(r, fNazev).left(40), -40) +
                   castka(sestava.currencyAt(r, fPS)) + castka(sestava.currencyAt(r, fObrat)) +
                   castka(sestava.currencyAt(r, fKS)) + u'\n';
        });
    out += u'\n' + QStringLiteral("%1").arg(QStringLiteral("Náklady celkem (obrat)"), -47) +
           castka(data.SoucetNakladyOB) + u'\n';
    out += QStringLiteral("%1").arg(QStringLiteral("Výnosy celkem (obrat)"), -47) +
           castka(data.SoucetVynosyOB) + u'\n';
    out += QStringLiteral("%1").arg(QStringLiteral("Hospodářský výsledek (obrat)"), -47) +
           castka(data.SoucetHospVysl) + u'\n';
    return out;
}

bool zapsat(const QString& soubor, const QByteArray& obsah) {
    if (soubor.isEmpty()) {
        return std::fwrite(obsah.constData(), 1, std::size_t(obsah.size()), stdout) ==
                   std::size_t(obsah.size()) &&
               std::fflush(stdout) == 0;
    }
    // Written whole to a temporary file and renamed over the old one.
    QSaveFile f(soubor);
    return f.open(QIODevice::WriteOnly) && f.write(obsah) == obsah.size() && f.commit();
}
} // namespace

int DruhZTextu(const QString& text) {
    bool ok = false;
    const int cislo = text.toInt(&ok);
    if (ok) {
        return cislo >= 0 && cislo < compute::kPocetDruhu ? cislo : -1;
    }
    for (int i = 0; i < compute::kPocetDruhu; ++i) {
        if (text.compare(QLatin1String(kDruhy[i]), Qt::CaseInsensitive) == 0) {
            return i;
        }
    }
    return -1;
}

QDate CistDatum(const QString& text, const SystemFormats& formaty) {
    const QDate iso = QDate::fromString(text.trimmed(), Qt::ISODate);
    return iso.isValid() ? iso : formaty.parseDate(text);
}

std::optional<TDavka> NacistVolby(const QStringList& argumenty, QString* chyba) {
    TDavka d;
    // As the wizard starts: tax switches on, transfers ignored, no filter,
    // no grouping, no date filter.
    d.nastaveni.Seskupit = false;
    for (int i = 0; i < argumenty.size(); ++i) {
        const QString& a = argumenty[i];
        if (!a.startsWith(QStringLiteral("--"))) {
            d.hostArgumenty << a;
            continue;
        }
        const auto hodnota = [&]() -> std::optional<QString> {
            if (i + 1 >= argumenty.size()) {
                *chyba = QStringLiteral("Volba %1 vyžaduje hodnotu.").arg(a);
                return std::nullopt;
            }
            return argumenty[++i];
        };
        bool znama = true;
        if (a == u"--od" || a == u"--do") {
            const auto v = hodnota();
            if (!v) {
                return std::nullopt;
            }
            (a == u"--od" ? d.od : d.do_) = *v;
        } else if (a == u"--seskupit") {
            const auto v = hodnota();
            if (!v) {
                return std::nullopt;
            }
            const int druh = DruhZTextu(*v);
            if (druh < 0) {
                *chyba = QStringLiteral("Neznámý druh seskupení: %1").arg(*v);
                return std::nullopt;
            }
            d.nastaveni.Seskupit = true;
            d.nastaveni.SeskupitDle = druh;
        } else if (a == u"--bez-ovlivnujicich") {
            d.nastaveni.UctyOvlDan = false;
        } else if (a == u"--bez-neovlivnujicich") {
            d.nastaveni.UctyNEOvlDan = false;
        } else if (a == u"--vcetne-prevodu") {
            d.nastaveni.IgnorovatPrevod = false;
        } else if (a == u"--format") {
            const auto v = hodnota();
            if (!v) {
                return std::nullopt;
            }
            if (*v == u"text") {
                d.format = Format::Text;
            } else if (*v == u"csv") {
                d.format = Format::Csv;
            } else if (*v == u"json") {
                d.format = Format::Json;
            } else {
                *chyba = QStringLiteral("Neznámý formát výstupu: %1").arg(*v);
                return std::nullopt;
            }
        } else if (a == u"--vystup") {
            const auto v = hodnota();
            if (!v) {
                return std::nullopt;
            }
            d.vystup = *v;
        } else {
            znama = false;
            for (const TRodina& r : kRodiny) {
                const QString volba = QLatin1String(r.volba);
                if (a == volba) {
                    const auto v = hodnota();
                    if (!v) {
                        return std::nullopt;
                    }
                    (d.nastaveni.*r.filtr).zapnuto = true;
                    (d.nastaveni.*r.filtr).seznam = *v;
                    znama = true;
                } else if (a == volba + QStringLiteral("-neg")) {
                    (d.nastaveni.*r.filtr).negace = true;
                    znama = true;
                }
            }
        }
        if (!znama) {
            *chyba = QStringLiteral("Neznámá volba: %1").arg(a);
            return std::nullopt;
        }
    }
    return d;
}

QString Napoveda() {
    return QStringLiteral(
        "Použití:\n"
        "  arvelo PARAMETRY-MONEY\n"
        "      spustí průvodce sestavy (parametry, jak je předává plocha Money:\n"
        "      ?MAIN=...?MAIN ?AKTROK=...?AKTROK ?MVERZE=...?MVERZE ?AKTDATUMM=...?AKTDATUMM\n"
        "      ?AKTHESLO=...?AKTHESLO ?AKTCFGNAME=...?AKTCFGNAME)\n"
        "  arvelo --batch PARAMETRY-MONEY [VOLBY]\n"
        "      spočítá výsledovku bez oken a vypíše ji\n"
        "  arvelo --help\n"
        "      vypíše tuto nápovědu\n"
        "\n"
        "Volby dávkového režimu (bez nich: aktuální účetní rok, sestava nerozdělená,\n"
        "bez filtrů, oba daňové přepínače zapnuté, převod na účet zisků a ztrát ignorován):\n"
        "  --od DATUM --do DATUM   filtr dle data (RRRR-MM-DD nebo krátký formát data)\n"
        "  --seskupit DRUH         rozdělit sestavu: 0-8 nebo zakazky, strediska, cinnosti,\n"
        "                          mesice, ctvrtleti, pololeti, roky, firmy-ico, firmy-cislo\n"
        "  --cinnosti SEZNAM       jen činnosti ze seznamu (\"C1;C2;\"), --cinnosti-neg: kromě\n"
        "  --strediska SEZNAM      jen střediska, --strediska-neg: kromě\n"
        "  --zakazky SEZNAM        jen zakázky, --zakazky-neg: kromě\n"
        "  --ucty SEZNAM           jen účty (\"501100;518;\"), --ucty-neg: kromě\n"
        "  --bez-ovlivnujicich     bez účtů ovlivňujících daň z příjmů\n"
        "  --bez-neovlivnujicich   bez účtů neovlivňujících daň z příjmů\n"
        "  --vcetne-prevodu        započítat i řádky převodu na účet zisků a ztrát (XZ)\n"
        "  --format text|csv|json  formát výstupu (výchozí text)\n"
        "  --vystup SOUBOR         zapsat do souboru místo na standardní výstup\n"
        "\n"
        "Výstup: částky v CSV a JSON jako přesná desetinná čísla se čtyřmi desetinnými\n"
        "místy (\"-1234.5000\"). CSV: oddělovač \";\", jeden řádek na řádek sestavy\n"
        "(Zkratka;NazevSkupiny;Poradi;Typ;TypUctu;Ucet;Nazev;PS;Obrat;KS). JSON: ObdobiText,\n"
        "SoucetNakladyOB, SoucetVynosyOB, SoucetHospVysl a skupiny se všemi poli a řádky\n"
        "sestavy (detailní zobrazení). Chybové stavy zpracování jdou na standardní chybový\n"
        "výstup.\n"
        "\n"
        "Návratový kód: 0 úspěch, 1 chyba spuštění nebo zpracování, 2 chybná volba,\n"
        "3 výstup nelze zapsat.\n");
}

int Spustit(const QStringList& argumenty, const QString& adresarProgramu) {
    if (argumenty.contains(QStringLiteral("--help"))) {
        std::fputs(qUtf8Printable(Napoveda()), stdout);
        return kUspech;
    }
    QString chyba;
    const std::optional<TDavka> davka = NacistVolby(argumenty, &chyba);
    if (!davka) {
        chybovyVystup(chyba);
        chybovyVystup(QStringLiteral("Nápovědu vypíše: arvelo --help"));
        return kChybnaVolba;
    }
    ConsolePrompts vyzvy;
    const SystemFormats formaty{QLocale()};
    THlavniData data(vyzvy, formaty);
    if (!SpustitModul(data, davka->hostArgumenty, adresarProgramu)) {
        return kSelhani;
    }

    compute::TNastaveniBehu nastaveni = davka->nastaveni;
    // The same rights check as the wizard's "Další": a user who may not run
    // the module is refused, and fixed filters replace the command line's.
    TOvladaceNastaveni ovladace(nastaveni);
    if (!data.PristupPrava()->OveritProPruvodce(data.Kontext.HesloUzivatele, ovladace)) {
        return kSelhani;
    }
    if (!davka->od.isEmpty() || !davka->do_.isEmpty()) {
        nastaveni.DleDatumu = true;
        nastaveni.DatumOd = CistDatum(davka->od, formaty);
        nastaveni.DatumDo = CistDatum(davka->do_, formaty);
        if (!nastaveni.DatumOd.isValid()) {
            showWarning(vyzvy, QStringLiteral("Datum OD nebyl zadán nebo má chybný formát."));
            return kChybnaVolba;
        }
        if (!nastaveni.DatumDo.isValid()) {
            showWarning(vyzvy, QStringLiteral("Datum DO nebyl zadán nebo má chybný formát."));
            return kChybnaVolba;
        }
        if (nastaveni.DatumOd > nastaveni.DatumDo) {
            showWarning(vyzvy, QStringLiteral("Datum DO nesmí být nižší než datum OD."));
            return kChybnaVolba;
        }
    }
    if (!nastaveni.UctyOvlDan && !nastaveni.UctyNEOvlDan) {
        showWarning(vyzvy, QStringLiteral("Alespoň jeden přepínač \"jen pohyby na účtech "
                                          "Ovlivňujících nebo Neovlivňujících daň z příjmů\" "
                                          "musí zůstat aktivní."));
        return kChybnaVolba;
    }

    compute::TPrubehVyzvy prubeh(vyzvy);
    compute::TVypocet vypocet(data, nastaveni, prubeh);
    vypocet.setDotazNaChyby(false);
    if (!vypocet.Spustit()) {
        chybovyVystup(QStringLiteral(
            "Při zpracování sestavy došlo k chybě nebo byla operace přerušena uživatelem."));
        return kSelhani;
    }
    if (data.ChybovyStav) {
        for (const QString& radek : data.Informace) {
            chybovyVystup(radek);
        }
    }
    compute::PripravitVysledky(data, nastaveni);
    data.Volby.TypZobrazeni = 0;
    data.Volby.TisknoutVse = true;
    views::PripravitTiskExport(data, nastaveni.DruhSkupiny() >= 0,
                               [](const QString&, bool) { return std::optional<bool>(true); });

    QString text;
    switch (davka->format) {
    case Format::Json:
        text = vystupJson(data);
        break;
    case Format::Csv:
        text = vystupCsv(data);
        break;
    case Format::Text:
        text = vystupText(data, nastaveni);
        break;
    }
    if (!zapsat(davka->vystup, text.toUtf8())) {
        chybovyVystup(QStringLiteral("Výstup nelze zapsat: %1")
                          .arg(davka->vystup.isEmpty() ? QStringLiteral("standardní výstup")
                                                       : davka->vystup));
        return kChybaVystupu;
    }
    return kUspech;
}

} // namespace arvelo::app::batch
