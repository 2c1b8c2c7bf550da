#include "compute/computation.h"

#include "app/agenda.h"
#include "app/main_data.h"
#include "app/prompts.h"
#include "compute/grouping.h"
#include "compute/progress.h"
#include "compute/summation.h"
#include "host/day_date.h"
#include "host/host_paths.h"

#include <QHash>
#include <algorithm>
#include <array>

namespace arvelo::compute {

namespace {
constexpr int kKrokUdalosti = 200;

// Releases the main form's host cursors on every way out of a run.
class TZavritTabulky {
public:
    explicit TZavritTabulky(app::THlavniData& data) : m_data(data) {}
    ~TZavritTabulky() { m_data.ZavritTabulky(); }
    TZavritTabulky(const TZavritTabulky&) = delete;
    TZavritTabulky& operator=(const TZavritTabulky&) = delete;

private:
    app::THlavniData& m_data;
};

// One date period of the run; a run without periods has one pass without bounds.
struct TObdobi {
    bool pouzito = false;
    QString zkratka;
    QString nazev;
    long long od = 0; // whole days
    long long do_ = 0;
};

long long den(const QDate& d) {
    return static_cast<long long>(daydate::fromDate(d));
}

bool stejnyText(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}
} // namespace

QString TVypocet::nadpisInformaci() {
    return QStringLiteral("Během zpracování sestavy došlo k těmto chybovým stavům:");
}

// The state of one computation: the settings in the form the line loop needs,
// the field positions of the open tables, the counters.
struct TVypocet::TBeh {
    app::THlavniData& data;
    const TNastaveniBehu& n;
    TPrubeh& prubeh;
    int druh = -1;
    QString poleSkupiny;
    QString seznamSkupiny;
    QString referencniRok = QStringLiteral("000");
    long long datumOd = 0;
    long long datumDo = 0;
    TObdobi obdobi;
    TTocitko tocitko;
    long long pocitadlo = 0;

    // The year being read.
    QString nazevRoku;
    bool jeReferencni = false;

    // Journal fields.
    int jUcMD = -1, jUcD = -1, jDel = -1, jFree = -1, jZdroj = -1, jCinnost = -1, jStred = -1,
        jZakazka = -1, jDatum = -1, jCastka = -1, jCislo = -1, jSkupina = -1;
    // mtObraty / mtSkupiny fields and indexes.
    int oPSMD = -1, oPSD = -1, oObratMD = -1, oObratD = -1;
    int lZkrat = -1, lNazev = -1;

    // Keys and accounts that are equal without regard to letter case get one
    // number, the first time a spelling is met; the turnover row of (key,
    // account) and the group of a key are then found by number, so that a
    // journal line costs two hash lookups of its exact spelling.
    QHash<QString, int> cisloKlice;          // exact spelling -> key number
    QHash<QString, int> cisloSlozenehoKlice; // case-folded -> key number
    std::vector<ui::RecId> skupinaKlice;     // key number -> mtSkupiny record
    QHash<QString, int> cisloUctu;           // case-folded account -> number
    QHash<quint64, ui::RecId> radekObratu;   // (key, account) -> mtObraty record
    int cisloAktualnihoUctu = 0;

    // All date periods in one pass: a line dated in period k is turnover of k
    // and opening balance of every later period, a line before the first
    // period is opening balance of all of them, and a line after period k's
    // end does not reach period k's pass at all. So each account keeps, per
    // side, the turnover of each period and a difference array of opening
    // balances; its rows are written once the account's lines of a year are
    // read. The periods' passes see the same data problems, so the year's
    // error lines are kept and repeated per period at the end, in the order the
    // passes would list them.
    bool jedenPruchod = false;
    std::vector<TObdobi> obdobiVse;
    std::vector<int> cisloKliceObdobi;
    std::vector<Currency> obratObdobi[2];   // side 0 debit, 1 credit
    std::vector<Currency> rozdilPocatku[2]; // opening balance from period p on
    std::size_t radkyOd = 0;                // first period with a row of the account
    std::size_t skupinyOd = 0;              // first period with a group
    QStringList chybyRoku;
    std::vector<QStringList> chybyPodleRoku;

    void pripravitObdobi(std::vector<TObdobi> vse) {
        obdobiVse = std::move(vse);
        jedenPruchod = true;
        for (const TObdobi& o : obdobiVse) {
            cisloKliceObdobi.push_back(cislo(o.zkratka));
        }
        for (int strana = 0; strana < 2; ++strana) {
            obratObdobi[strana].assign(obdobiVse.size(), Currency());
            rozdilPocatku[strana].assign(obdobiVse.size() + 1, Currency());
        }
        radkyOd = obdobiVse.size();
        skupinyOd = obdobiVse.size();
    }
    void radekObdobi(host::TBFTable& denik, double datum, long long denRadku, bool pocatecniRadek,
                     bool md);
    void zapsatUcetObdobi(const QString& ucet, const QString& nazevUctu, bool nakladovy);
    void dokoncitObdobi();

    ui::RecId radek(int cisloKlice, const QString& klic, const QString& ucet,
                    const QString& nazevUctu, bool nakladovy) {
        const quint64 klicRadku =
            (quint64(quint32(cisloKlice)) << 32) | quint32(cisloAktualnihoUctu);
        auto it = radekObratu.constFind(klicRadku);
        if (it == radekObratu.constEnd()) {
            const Currency nula;
            it = radekObratu.insert(
                klicRadku, data.mtObraty.appendRecord(
                               {host::Variant(klic), host::Variant(ucet), nula, nula, nula, nula,
                                host::Variant(nakladovy), host::Variant(nazevUctu)}));
        }
        return *it;
    }

    int cislo(const QString& klic) {
        const auto it = cisloKlice.constFind(klic);
        if (it != cisloKlice.constEnd()) {
            return *it;
        }
        const QString slozeny = klic.toCaseFolded();
        auto jt = cisloSlozenehoKlice.constFind(slozeny);
        if (jt == cisloSlozenehoKlice.constEnd()) {
            jt = cisloSlozenehoKlice.insert(slozeny, int(skupinaKlice.size()));
            skupinaKlice.push_back(ui::NoRecord);
        }
        cisloKlice.insert(klic, *jt);
        return *jt;
    }

    TBeh(app::THlavniData& d, const TNastaveniBehu& nastaveni, TPrubeh& p)
        : data(d), n(nastaveni), prubeh(p) {}

    void krok() {
        if (++pocitadlo % kKrokUdalosti == 0) {
            prubeh.Panel(tocitko.dalsi());
            prubeh.Udalosti();
        }
    }

    void chyba(const QString& radek) {
        (jedenPruchod ? chybyRoku : data.Informace) << radek;
        data.ChybovyStav = true;
    }
    QString chybaData(host::TBFTable& denik) const {
        return QStringLiteral("Řádek v účetním deníku číslo ") + denik.Value(jCislo).toString() +
               QStringLiteral(" v roce ") + nazevRoku +
               QStringLiteral(" nemá vyplněný datum. Tento řádek nebyl do sestavy zařazen.");
    }

    bool otevrit(host::TBFTable& t, const QString& cesta, const QString& index) {
        if (t.Open(cesta) != host::result::Ok) {
            app::showError(data.Vyzvy(), QStringLiteral("Nastala chyba při otevírání databáze ") +
                                             cesta + ".DAT");
            return false;
        }
        if (!index.isEmpty() && t.SetIndex(index) != host::result::Ok) {
            app::showError(data.Vyzvy(), QStringLiteral("Nastala chyba při nastavení indexu v ") +
                                             cesta + ".DAT");
            return false;
        }
        return true;
    }

    bool pole(host::TBFTable& t, std::initializer_list<std::pair<int*, const char16_t*>> seznam) {
        for (const auto& [cil, nazev] : seznam) {
            *cil = t.FieldIndex(QString::fromUtf16(nazev));
            if (*cil < 0) {
                app::showError(data.Vyzvy(), QStringLiteral("Tabulka %1.DAT nemá pole %2")
                                                 .arg(t.Path(), QString::fromUtf16(nazev)));
                return false;
            }
        }
        return true;
    }

    bool zpracovatRok(const QString& slozka);
    void zpracovatStranu(host::TBFTable& denik, const QString& cestaDeniku, int poleUctu,
                         const QString& ucet, const QString& nazevUctu, bool nakladovy, bool md,
                         bool* selhani);
    void zpracovatRadek(host::TBFTable& denik, const QString& ucet, const QString& nazevUctu,
                        bool nakladovy, bool md);
    QString nazevSkupiny(const QString& klic);
};

QString TVypocet::TBeh::nazevSkupiny(const QString& klic) {
    if (klic.isEmpty() || druh < 0) {
        return QString();
    }
    if (JeDatumovy(druh)) {
        return obdobi.nazev;
    }
    if (seznamSkupiny.isEmpty()) {
        return QString(); // companies: named from the address book at the end
    }
    host::TBFTable& seznam = *data.TabulkaSkupin;
    if (seznam.Seek(klic) != host::result::Found) {
        return QString();
    }
    for (;;) {
        if (stejnyText(seznam.Value(lZkrat).toString(), klic)) {
            return seznam.Value(lNazev).toString();
        }
        if (seznam.Next() != host::result::Ok) {
            return QString();
        }
    }
}

void TVypocet::TBeh::zpracovatRadek(host::TBFTable& denik, const QString& ucet,
                                    const QString& nazevUctu, bool nakladovy, bool md) {
    if (denik.Value(jDel).toBool() || denik.Value(jFree).toBool()) {
        return;
    }
    if (n.IgnorovatPrevod && denik.TextEquals(jZdroj, QStringLiteral("XZ"))) {
        return;
    }
    if (n.Cinnosti.zapnuto && !n.Cinnosti.propousti(denik.Value(jCinnost).toString())) {
        return;
    }
    if (n.Strediska.zapnuto && !n.Strediska.propousti(denik.Value(jStred).toString())) {
        return;
    }
    if (n.Zakazky.zapnuto && !n.Zakazky.propousti(denik.Value(jZakazka).toString())) {
        return;
    }
    // Lines carry a time of day; they are compared with the bounds as whole days.
    const double datum = denik.Value(jDatum).toDate();
    const long long denRadku = daydate::wholeDay(datum);
    if (n.DleDatumu && datum != 0 && denRadku > datumDo) {
        return;
    }
    if (obdobi.pouzito && datum != 0 && denRadku > obdobi.do_) {
        return;
    }

    if (jedenPruchod) {
        radekObdobi(denik, datum, denRadku, denik.TextEquals(jZdroj, QStringLiteral("XP")), md);
        return;
    }

    QString klic;
    if (jSkupina >= 0) {
        klic = KlicSkupiny(druh, denik.Value(jSkupina).toString());
    } else if (JeDatumovy(druh)) {
        klic = obdobi.zkratka;
    }

    ui::TMemTable& obraty = data.mtObraty;
    const int cisloRadku = cislo(klic);
    const ui::RecId radekObratu = radek(cisloRadku, klic, ucet, nazevUctu, nakladovy);

    bool pocatecni = false;
    if (denik.TextEquals(jZdroj, QStringLiteral("XP"))) {
        if (n.DleDatumu && !jeReferencni) {
            return;
        }
        pocatecni = true;
    } else if (datum == 0) {
        chyba(chybaData(denik));
        return;
    } else if (obdobi.pouzito) {
        pocatecni = obdobi.od > denRadku;
    } else {
        pocatecni = n.DleDatumu && datumOd > denRadku;
    }

    const int sloupec = pocatecni ? (md ? oPSMD : oPSD) : (md ? oObratMD : oObratD);
    obraty.addCurrencyAt(radekObratu, sloupec, denik.Value(jCastka).toCurrency());

    ui::RecId& skupina = skupinaKlice[std::size_t(cisloRadku)];
    if (skupina == ui::NoRecord) {
        std::array<host::Variant, 13> zaznam;
        zaznam.fill(host::Variant(Currency()));
        zaznam[0] = host::Variant(klic);
        zaznam[1] = host::Variant(nazevSkupiny(klic));
        zaznam[11] = host::Variant(); // ID: set by the table
        skupina = data.mtSkupiny.appendRecord(zaznam);
    }
}

void TVypocet::TBeh::radekObdobi(host::TBFTable& denik, double datum, long long denRadku,
                                 bool pocatecniRadek, bool md) {
    // s: the first period whose pass takes the line in; k: the period that
    // holds its day, -1 for a day before the first period.
    std::size_t s = 0;
    long long k = -1;
    if (datum != 0) {
        const auto it =
            std::lower_bound(obdobiVse.begin(), obdobiVse.end(), denRadku,
                             [](const TObdobi& o, long long den) { return o.do_ < den; });
        if (it == obdobiVse.end()) {
            return; // after the last period: no pass takes it in
        }
        s = std::size_t(it - obdobiVse.begin());
        if (it->od <= denRadku) {
            k = (long long)s;
        }
    }
    radkyOd = std::min(radkyOd, s);
    const int strana = md ? 0 : 1;
    if (pocatecniRadek) {
        if (n.DleDatumu && !jeReferencni) {
            return;
        }
        rozdilPocatku[strana][s] += denik.Value(jCastka).toCurrency();
        skupinyOd = std::min(skupinyOd, s);
        return;
    }
    if (datum == 0) {
        chyba(chybaData(denik));
        return;
    }
    const Currency castka = denik.Value(jCastka).toCurrency();
    if (k < 0) {
        rozdilPocatku[strana][s] += castka;
    } else {
        obratObdobi[strana][std::size_t(k)] += castka;
        rozdilPocatku[strana][std::size_t(k) + 1] += castka;
    }
    skupinyOd = std::min(skupinyOd, s);
}

void TVypocet::TBeh::zapsatUcetObdobi(const QString& ucet, const QString& nazevUctu,
                                      bool nakladovy) {
    const std::size_t pocet = obdobiVse.size();
    if (radkyOd < pocet) {
        ui::TMemTable& obraty = data.mtObraty;
        Currency pocatek[2];
        for (std::size_t p = 0; p < pocet; ++p) {
            pocatek[0] += rozdilPocatku[0][p];
            pocatek[1] += rozdilPocatku[1][p];
            if (p < radkyOd) {
                continue;
            }
            const ui::RecId r =
                radek(cisloKliceObdobi[p], obdobiVse[p].zkratka, ucet, nazevUctu, nakladovy);
            const Currency hodnoty[4] = {pocatek[0], pocatek[1], obratObdobi[0][p],
                                         obratObdobi[1][p]};
            const int pole[4] = {oPSMD, oPSD, oObratMD, oObratD};
            for (int i = 0; i < 4; ++i) {
                if (!hodnoty[i].isZero()) {
                    obraty.addCurrencyAt(r, pole[i], hodnoty[i]);
                }
            }
        }
    }
    for (int strana = 0; strana < 2; ++strana) {
        std::fill(obratObdobi[strana].begin(), obratObdobi[strana].end(), Currency());
        std::fill(rozdilPocatku[strana].begin(), rozdilPocatku[strana].end(), Currency());
    }
    radkyOd = pocet;
}

void TVypocet::TBeh::dokoncitObdobi() {
    // Groups in the order the passes would have made them, then the error
    // lines of every year once per period.
    for (std::size_t p = skupinyOd; p < obdobiVse.size(); ++p) {
        ui::RecId& skupina = skupinaKlice[std::size_t(cisloKliceObdobi[p])];
        if (skupina == ui::NoRecord) {
            std::array<host::Variant, 13> zaznam;
            zaznam.fill(host::Variant(Currency()));
            zaznam[0] = host::Variant(obdobiVse[p].zkratka);
            zaznam[1] = host::Variant(obdobiVse[p].nazev);
            zaznam[11] = host::Variant();
            skupina = data.mtSkupiny.appendRecord(zaznam);
        }
    }
    for (std::size_t p = 0; p < obdobiVse.size(); ++p) {
        for (const QStringList& chyby : chybyPodleRoku) {
            data.Informace << chyby;
        }
    }
}

void TVypocet::TBeh::zpracovatStranu(host::TBFTable& denik, const QString& cestaDeniku,
                                     int poleUctu, const QString& ucet, const QString& nazevUctu,
                                     bool nakladovy, bool md, bool* selhani) {
    if (denik.SetIndex(md ? QStringLiteral("UcMD") : QStringLiteral("UcD")) != host::result::Ok) {
        app::showError(data.Vyzvy(), QStringLiteral("Nastala chyba při nastavení indexu v ") +
                                         cestaDeniku + ".DAT");
        *selhani = true;
        return;
    }
    if (denik.Seek(ucet) != host::result::Found) {
        return;
    }
    for (;;) {
        if (!denik.TextEquals(poleUctu, ucet)) {
            return;
        }
        zpracovatRadek(denik, ucet, nazevUctu, nakladovy, md);
        krok();
        if (data.Preruseno) {
            return;
        }
        if (denik.Next() != host::result::Ok) {
            return;
        }
    }
}

bool TVypocet::TBeh::zpracovatRok(const QString& slozka) {
    host::TBFTable& denik = *data.Tabulka;
    host::TBFTable& osnova = *data.TabulkaOsnova;
    const QString cestaDeniku = slozka + QStringLiteral("UCDENIK");
    if (!otevrit(denik, cestaDeniku, QString()) ||
        !otevrit(osnova, slozka + QStringLiteral("UCOSNOVA"), QStringLiteral("Ucet"))) {
        return false;
    }
    if (!seznamSkupiny.isEmpty() &&
        !otevrit(*data.TabulkaSkupin, slozka + seznamSkupiny, QStringLiteral("Zkrat"))) {
        return false;
    }
    if (!pole(denik, {{&jUcMD, u"UcMD"},
                      {&jUcD, u"UcD"},
                      {&jDel, u"Del"},
                      {&jFree, u"Free"},
                      {&jZdroj, u"Zdroj"},
                      {&jCinnost, u"Cinnost"},
                      {&jStred, u"Stred"},
                      {&jZakazka, u"Zakazka"},
                      {&jDatum, u"Datum"},
                      {&jCastka, u"Castka"},
                      {&jCislo, u"Cislo"}})) {
        return false;
    }
    jSkupina = -1;
    if (!poleSkupiny.isEmpty()) {
        jSkupina = denik.FieldIndex(poleSkupiny);
        if (jSkupina < 0) {
            app::showError(
                data.Vyzvy(),
                QStringLiteral("Tabulka %1.DAT nemá pole %2").arg(cestaDeniku, poleSkupiny));
            return false;
        }
    }
    int uUcet = -1, uNazev = -1, uDruh = -1, uTyp = -1, uPodTyp = -1;
    if (!pole(osnova, {{&uUcet, u"Ucet"},
                       {&uNazev, u"Nazev"},
                       {&uDruh, u"DruhUctu"},
                       {&uTyp, u"UcetTyp"},
                       {&uPodTyp, u"UcetPodTyp"}})) {
        return false;
    }
    if (!seznamSkupiny.isEmpty() &&
        !pole(*data.TabulkaSkupin, {{&lZkrat, u"Zkrat"}, {&lNazev, u"Nazev"}})) {
        return false;
    }

    if (osnova.RecordCount() <= 0 || osnova.First() != host::result::Ok) {
        return true;
    }
    for (;;) {
        const QString ucet = osnova.Value(uUcet).toString();
        const int typ = int(osnova.Value(uTyp).toInt());
        bool prijat = n.Ucty.propousti(ucet) && osnova.Value(uDruh).toInt() == 2;
        if (prijat) {
            prijat = osnova.Value(uPodTyp).toInt() == 4 ? n.UctyNEOvlDan : n.UctyOvlDan;
        }
        if (prijat && typ != 3 && typ != 4) {
            chyba(QStringLiteral("U účtu ") + ucet + QStringLiteral(" není v účtové osnově ") +
                  nazevRoku +
                  QStringLiteral(" definováno, zda jde o nákladový nebo výnosový účet. Záznamy "
                                 "s tímto účtem nebudou do sestavy zařazeny."));
            prijat = false;
        }
        if (prijat) {
            const QString slozenyUcet = ucet.toCaseFolded();
            auto cisloIt = cisloUctu.constFind(slozenyUcet);
            if (cisloIt == cisloUctu.constEnd()) {
                cisloIt = cisloUctu.insert(slozenyUcet, int(cisloUctu.size()));
            }
            cisloAktualnihoUctu = *cisloIt;
            const QString nazevUctu = osnova.Value(uNazev).toString();
            const bool nakladovy = typ == 3;
            bool selhani = false;
            zpracovatStranu(denik, cestaDeniku, jUcMD, ucet, nazevUctu, nakladovy, true, &selhani);
            if (selhani) {
                return false;
            }
            zpracovatStranu(denik, cestaDeniku, jUcD, ucet, nazevUctu, nakladovy, false, &selhani);
            if (selhani) {
                return false;
            }
            if (jedenPruchod) {
                zapsatUcetObdobi(ucet, nazevUctu, nakladovy);
            }
        }
        krok();
        if (data.Preruseno) {
            return true; // the caller ends the run after closing the tables
        }
        if (osnova.Next() != host::result::Ok) {
            return true;
        }
    }
}

TVypocet::TVypocet(app::THlavniData& data, TNastaveniBehu nastaveni, TPrubeh& prubeh)
    : m_data(data), m_nastaveni(std::move(nastaveni)), m_prubeh(prubeh) {}

TVypocet::~TVypocet() = default;

bool TVypocet::Spustit() {
    TZavritTabulky zavrit(m_data);
    m_data.Preruseno = false;
    // The years of the period and the date periods, as the wizard prepares
    // them before the computation.
    if (!app::NacistRoky(m_data, m_data.Kontext.AdresarAgendy)) {
        return false;
    }
    app::OznacitRoky(m_data, RozsahBehu(m_data, m_nastaveni));
    NaplnitDatumSkupiny(m_data, m_nastaveni);
    try {
        return vypocet();
    } catch (const host::HostError& e) {
        app::showError(m_data.Vyzvy(), QString::fromUtf8(e.what()));
        return false;
    }
}

bool TVypocet::vypocet() {
    TZavritTabulky zavrit(m_data);
    app::THlavniData& data = m_data;
    const TNastaveniBehu& n = m_nastaveni;

    data.Informace = QStringList{nadpisInformaci(), QString()};
    data.ChybovyStav = false;
    data.SoucetNakladyOB = Currency();
    data.SoucetVynosyOB = Currency();
    data.SoucetHospVysl = Currency();
    data.mtObraty.emptyTable(false);
    data.mtSkupiny.emptyTable(false);
    ui::TControlsDisabled bezObratu(data.mtObraty);
    ui::TControlsDisabled bezSkupin(data.mtSkupiny);

    TBeh beh(data, n, m_prubeh);
    beh.druh = n.DruhSkupiny();
    beh.poleSkupiny = PoleSkupiny(beh.druh);
    beh.seznamSkupiny = SeznamSkupiny(beh.druh);
    beh.datumOd = den(n.DatumOd);
    beh.datumDo = den(n.DatumDo);
    beh.oPSMD = data.mtObraty.fieldIndex(u"PSMD");
    beh.oPSD = data.mtObraty.fieldIndex(u"PSD");
    beh.oObratMD = data.mtObraty.fieldIndex(u"ObratMD");
    beh.oObratD = data.mtObraty.fieldIndex(u"ObratD");

    ui::TMemTable& roky = data.mtYear;
    const int yName = roky.fieldIndex(u"YearName");
    const int yNumber = roky.fieldIndex(u"YearNumber");
    const int yDone = roky.fieldIndex(u"Zpracovano");

    // The reference year of the opening-balance lines: the last of an
    // ascending run of year names.
    {
        long long predchozi = 0;
        for (const ui::RecId id : roky.viewIds()) {
            if (roky.boolAt(id, yDone)) {
                continue;
            }
            bool ok = false;
            long long cislo = roky.textAt(id, yName).trimmed().toLongLong(&ok);
            if (!ok) {
                cislo = 0;
            }
            if (cislo > predchozi) {
                beh.referencniRok = roky.textAt(id, yNumber);
            }
            predchozi = cislo;
        }
    }

    // One pass per date period, or one pass without periods.
    std::vector<TObdobi> obdobi;
    {
        ui::TMemTable& t = data.mtDatumSkupiny;
        const int z = t.fieldIndex(u"Zkratka");
        const int nz = t.fieldIndex(u"Nazev");
        const int od = t.fieldIndex(u"DatumOd");
        const int d = t.fieldIndex(u"DatumDo");
        for (const ui::RecId id : t.viewIds()) {
            obdobi.push_back({true, t.textAt(id, z), t.textAt(id, nz),
                              daydate::wholeDay(t.valueAt(id, od).toDate()),
                              daydate::wholeDay(t.valueAt(id, d).toDate())});
        }
        if (obdobi.empty()) {
            obdobi.push_back(TObdobi());
        }
    }

    const QString agenda = host::paths::folder(data.Kontext.AdresarAgendy);
    // Every period's pass reads the same years; one pass serves them all
    // unless the passes are asked for one by one.
    const bool jedenPruchod = obdobi.front().pouzito && !m_pruchodPoObdobich;
    if (jedenPruchod) {
        beh.pripravitObdobi(std::move(obdobi));
        obdobi = {TObdobi()};
    }
    for (const TObdobi& o : obdobi) {
        beh.obdobi = o;
        if (!app::NacistRoky(data, agenda)) {
            return false;
        }
        app::OznacitRoky(data, RozsahBehu(data, n));
        for (const ui::RecId id : std::vector<ui::RecId>(roky.viewIds())) {
            if (roky.boolAt(id, yDone)) {
                continue;
            }
            data.ZavritTabulky();
            const QString cislo = roky.textAt(id, yNumber);
            beh.nazevRoku = roky.textAt(id, yName);
            beh.jeReferencni = cislo == beh.referencniRok;
            m_prubeh.Stav(QStringLiteral("Účetní deník ") +
                          (o.pouzito ? o.zkratka : beh.nazevRoku) +
                          QStringLiteral("... [prosím čekejte]"));
            beh.chybyRoku.clear();
            if (!beh.zpracovatRok(agenda + QStringLiteral("ROK.") + cislo + u'/')) {
                return false;
            }
            beh.chybyPodleRoku.push_back(beh.chybyRoku);
            data.ZavritTabulky();
            if (data.Preruseno) {
                return false;
            }
        }
    }
    if (jedenPruchod) {
        beh.dokoncitObdobi();
    }

    if (!SecistSkupiny(data, m_prubeh)) {
        return false;
    }
    data.ZavritTabulky();
    if (!NaplnitNazvyFirem(data, beh.druh, m_prubeh)) {
        return false;
    }
    if (data.Preruseno) {
        return false;
    }
    if (data.ChybovyStav && m_dotazNaChyby &&
        app::confirm(data.Vyzvy(),
                     QStringLiteral("Vyskytly se chybové stavy, chcete zobrazit podrobnosti?"))) {
        data.ZobrazitInformace();
    }
    return true;
}

} // namespace arvelo::compute
