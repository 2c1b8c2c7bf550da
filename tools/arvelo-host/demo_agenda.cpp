#include "arvelo-host/demo_agenda.h"

#include "host/currency.h"
#include "host/day_date.h"
#include "host/host_paths.h"
#include "host/host_schema.h"
#include "host/host_table.h"
#include "rights/rights_file.h"
#include "rights/rights_list.h"
#include "rights/scramble.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <algorithm>
#include <array>
#include <map>
#include <memory>
#include <vector>

namespace arvelo::demo {

using host::Variant;

namespace {

// A small generator whose output is the same on every platform and library
// version (splitmix64), so a seed always gives the same data.
class Random {
public:
    explicit Random(std::uint64_t seed) : m_state(seed) {}

    std::uint64_t next() {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // 0 .. n-1
    int below(int n) { return n <= 0 ? 0 : int(next() % std::uint64_t(n)); }
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }
    // true in `perMille` cases of a thousand
    bool chance(int perMille) { return below(1000) < perMille; }
    template <typename T, std::size_t N> const T& pick(const std::array<T, N>& a) {
        return a[std::size_t(below(int(N)))];
    }
    template <typename T> const T& pick(const std::vector<T>& v) {
        return v[std::size_t(below(int(v.size())))];
    }
    // An amount in crowns with two decimals, spread over several magnitudes.
    Currency amount(int minUnits, int maxUnits) {
        const int magnitude = below(4);
        std::int64_t hi = maxUnits;
        for (int i = 3; i > magnitude && hi / 10 >= minUnits; --i) {
            hi /= 10;
        }
        const std::int64_t cents =
            minUnits * 100LL + std::int64_t(next() % std::uint64_t((hi - minUnits) * 100 + 1));
        return Currency::fromRaw(cents * 100);
    }

private:
    std::uint64_t m_state;
};

QString str(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// Writes the records of one new host table in one transaction.
class TableWriter {
public:
    TableWriter() : m_table(host::TBFTable::create()) {}
    ~TableWriter() {
        if (m_table->IsOpen()) {
            m_table->RollbackUpdate();
            m_table->Close();
        }
    }
    TableWriter(const TableWriter&) = delete;
    TableWriter& operator=(const TableWriter&) = delete;

    bool create(const QString& folder, const char* tableName, QString* error) {
        const host::TableDef* def = host::schema::find(QString::fromLatin1(tableName));
        m_path = folder + QString::fromLatin1(tableName);
        if (!def) {
            *error =
                QStringLiteral("Tabulka %1 není v katalogu").arg(QString::fromLatin1(tableName));
            return false;
        }
        QString message;
        if (host::CreateTable(m_path, *def, true, &message) != host::result::Ok) {
            *error = message;
            return false;
        }
        if (m_table->Open(m_path) != host::result::Ok ||
            m_table->BeginUpdate() != host::result::Ok) {
            *error = m_table->LastError();
            return false;
        }
        return true;
    }

    void append() {
        m_table->Append();
        ++m_count;
    }
    void set(const QString& field, const Variant& value) { m_table->SetValue(field, value); }
    void post() {
        if (m_table->Post() != host::result::Ok && m_firstError.isEmpty()) {
            m_firstError = m_table->LastError();
        }
    }

    bool finish(QString* error, QStringList* made, const QString& root) {
        if (m_firstError.isEmpty() && m_table->CommitUpdate() != host::result::Ok) {
            m_firstError = m_table->LastError();
        }
        if (!m_firstError.isEmpty()) {
            m_table->RollbackUpdate();
            m_table->Close();
            *error = m_firstError;
            return false;
        }
        m_table->Close();
        if (made) {
            *made << QStringLiteral("%1: %2 záznamů").arg(m_path.mid(root.size())).arg(m_count);
        }
        return true;
    }

    long long count() const { return m_count; }

private:
    std::unique_ptr<host::TBFTable> m_table;
    QString m_path;
    QString m_firstError;
    long long m_count = 0;
};

bool writeTextFile(const QString& path, const QString& text, QString* error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0 || !file.commit()) {
        *error = QStringLiteral("Soubor %1 nelze zapsat").arg(path);
        return false;
    }
    return true;
}

double dayNumber(const QDate& date) {
    return daydate::fromDate(date);
}

// --- the firms of the address book -------------------------------------------------

struct Firm {
    int cislo = 0;
    QString name;
    QString person;
    QString street;
    QString city;
    QString psc;
    QString country;
    QString ico; // without blanks
    QString dic;
    bool foreign = false;
};

const std::array<const char*, 40> Surnames = {
    "Novák",   "Svoboda", "Novotný", "Dvořák",   "Černý",   "Procházka", "Kučera", "Veselý",
    "Horák",   "Němec",   "Marek",   "Pospíšil", "Pokorný", "Hájek",     "Král",   "Jelínek",
    "Růžička", "Beneš",   "Fiala",   "Sedláček", "Doležal", "Zeman",     "Kolář",  "Navrátil",
    "Čermák",  "Vaněk",   "Urban",   "Blažek",   "Kříž",    "Kovář",     "Bartoš", "Vlček",
    "Polák",   "Musil",   "Kopecký", "Šimek",    "Konečný", "Malý",      "Holub",  "Štěpánek"};
const std::array<const char*, 20> Trades = {
    "Stavby",         "Dřevostav",       "Kovovýroba",   "Elektro",    "Agro",
    "Textil",         "Pekařství",       "Autodoprava",  "Tiskárna",   "Truhlářství",
    "Instalatérství", "Účetní kancelář", "Zahradnictví", "Strojírna",  "Obchod",
    "Chladírenství",  "Sklenářství",     "Projekce",     "Kamenictví", "Servis"};
const std::array<const char*, 5> LegalForms = {" s.r.o.", " a.s.", ", spol. s r.o.", " v.o.s.", ""};
const std::array<const char*, 24> Cities = {"Praha",
                                            "Brno",
                                            "Ostrava",
                                            "Plzeň",
                                            "Liberec",
                                            "Olomouc",
                                            "České Budějovice",
                                            "Hradec Králové",
                                            "Ústí nad Labem",
                                            "Pardubice",
                                            "Zlín",
                                            "Kladno",
                                            "Opava",
                                            "Jihlava",
                                            "Teplice",
                                            "Karlovy Vary",
                                            "Mladá Boleslav",
                                            "Prostějov",
                                            "Přerov",
                                            "Třebíč",
                                            "Tábor",
                                            "Znojmo",
                                            "Příbram",
                                            "Kolín"};
const std::array<const char*, 20> Streets = {
    "Masarykova", "Husova",   "Nádražní", "Palackého",  "Komenského", "Jiráskova", "Smetanova",
    "Školní",     "Zahradní", "Krátká",   "Tyršova",    "Dlouhá",     "Polní",     "Lesní",
    "Žižkova",    "Riegrova", "Sokolská", "Havlíčkova", "Národní",    "Čechova"};
const std::array<const char*, 12> FirstNames = {"Jan",    "Petr", "Jana", "Marie", "Tomáš", "Lucie",
                                                "Martin", "Eva",  "Jiří", "Hana",  "Pavel", "Věra"};

// A company number with the check digit of the register (weights 8..2, mod 11).
QString companyNumber(Random& rnd) {
    std::array<int, 7> d{};
    int sum = 0;
    for (int i = 0; i < 7; ++i) {
        d[std::size_t(i)] = i == 0 ? rnd.between(1, 9) : rnd.below(10);
        sum += d[std::size_t(i)] * (8 - i);
    }
    const int check = (11 - sum % 11) % 10;
    QString s;
    for (int v : d) {
        s += QChar(u'0' + v);
    }
    return s + QChar(u'0' + check);
}

// "255 96 641": how IČ is often typed into documents by hand.
QString withBlanks(const QString& ico) {
    return ico.size() == 8 ? ico.left(3) + u' ' + ico.mid(3, 2) + u' ' + ico.mid(5) : ico;
}

std::vector<Firm> makeFirms(Random& rnd, int count) {
    std::vector<Firm> firms;
    for (int i = 1; i <= count; ++i) {
        Firm f;
        f.cislo = i;
        const QString surname = str(rnd.pick(Surnames));
        switch (rnd.below(3)) {
        case 0:
            f.name = str(rnd.pick(Trades)) + u' ' + surname + str(rnd.pick(LegalForms));
            break;
        case 1:
            f.name = surname + QStringLiteral(" a syn") + str(rnd.pick(LegalForms));
            break;
        default:
            f.name =
                str(rnd.pick(Trades)) + u' ' + str(rnd.pick(Cities)) + str(rnd.pick(LegalForms));
            break;
        }
        f.person = str(rnd.pick(FirstNames)) + u' ' + surname;
        f.street = str(rnd.pick(Streets)) + u' ' + QString::number(rnd.between(1, 2500));
        f.city = str(rnd.pick(Cities));
        f.psc = QStringLiteral("%1 %2")
                    .arg(rnd.between(100, 799))
                    .arg(rnd.below(100), 2, 10, QChar(u'0'));
        f.country = str("Česká republika");
        f.ico = companyNumber(rnd);
        f.dic = QStringLiteral("CZ") + f.ico;
        firms.push_back(f);
    }
    // A few foreign partners (they invoice in euros) and names that need escaping.
    const std::array<std::pair<const char*, const char*>, 3> foreign = {
        {{"Müller & Söhne GmbH", "Deutschland"},
         {"Tatra Trade, s.r.o.", "Slovensko"},
         {"Wiener Bau <AG>", "Österreich"}}};
    for (std::size_t i = 0; i < foreign.size() && i < firms.size(); ++i) {
        Firm& f = firms[firms.size() - 1 - i];
        f.name = str(foreign[i].first);
        f.country = str(foreign[i].second);
        f.dic = (i == 1 ? QStringLiteral("SK")
                        : (i == 0 ? QStringLiteral("DE") : QStringLiteral("ATU"))) +
                f.ico;
        f.foreign = true;
    }
    if (!firms.empty()) {
        firms.front().name = str("Novák & syn, s.r.o.");
    }
    return firms;
}

bool writeAddressBook(const QString& folder, const std::vector<Firm>& firms, QString* error,
                      QStringList* made, const QString& root) {
    TableWriter w;
    if (!w.create(folder, "ADRESARF", error)) {
        return false;
    }
    for (const Firm& f : firms) {
        w.append();
        w.set(QStringLiteral("Cislo"), f.cislo);
        w.set(QStringLiteral("ObchNazev"), f.name);
        w.set(QStringLiteral("Jmeno"), f.person);
        w.set(QStringLiteral("Ulice"), f.street);
        w.set(QStringLiteral("Mesto"), f.city);
        w.set(QStringLiteral("PSC"), f.psc);
        w.set(QStringLiteral("Stat"), f.country);
        w.set(QStringLiteral("ICO"), f.ico);
        w.set(QStringLiteral("DIC"), f.dic);
        w.post();
    }
    return w.finish(error, made, root);
}

// --- the chart of accounts ------------------------------------------------------------

struct Account {
    QString ucet;
    QString nazev;
    int druh = 0;   // 1 balance sheet, 2 income statement, 3 closing
    int typ = 0;    // 1 active, 2 passive; 3 cost, 4 revenue
    int podTyp = 0; // balance sheet: 1 = watch balances; income statement: 3 tax, 4 not tax
};

struct Synthetic {
    const char* code;
    const char* name;
    bool taxAffecting;
};

const Synthetic CostSynthetics[] = {
    {"501", "Spotřeba materiálu", true},
    {"502", "Spotřeba energie", true},
    {"503", "Spotřeba ostatních neskladovatelných dodávek", true},
    {"504", "Prodané zboží", true},
    {"511", "Opravy a udržování", true},
    {"512", "Cestovné", true},
    {"513", "Náklady na reprezentaci", false},
    {"518", "Ostatní služby", true},
    {"521", "Mzdové náklady", true},
    {"522", "Příjmy společníků ze závislé činnosti", true},
    {"523", "Odměny členům orgánů společnosti", true},
    {"524", "Zákonné sociální pojištění", true},
    {"525", "Ostatní sociální pojištění", true},
    {"527", "Zákonné sociální náklady", true},
    {"528", "Ostatní sociální náklady", false},
    {"531", "Daň silniční", true},
    {"532", "Daň z nemovitých věcí", true},
    {"538", "Ostatní daně a poplatky", true},
    {"541", "Zůstatková cena prodaného dlouhodobého majetku", true},
    {"542", "Prodaný materiál", true},
    {"543", "Dary", false},
    {"544", "Smluvní pokuty a úroky z prodlení", true},
    {"545", "Ostatní pokuty a penále", false},
    {"546", "Odpis pohledávky", true},
    {"548", "Ostatní provozní náklady", true},
    {"549", "Manka a škody z provozní činnosti", false},
    {"551", "Odpisy dlouhodobého majetku", true},
    {"552", "Tvorba a zúčtování rezerv", true},
    {"554", "Tvorba a zúčtování ostatních rezerv", false},
    {"555", "Tvorba a zúčtování komplexních nákladů příštích období", true},
    {"557", "Zúčtování oprávky k opravné položce", true},
    {"558", "Tvorba a zúčtování zákonných opravných položek", true},
    {"559", "Tvorba a zúčtování ostatních opravných položek", false},
    {"561", "Prodané cenné papíry a podíly", true},
    {"562", "Úroky", true},
    {"563", "Kurzové ztráty", true},
    {"564", "Náklady z přecenění cenných papírů", true},
    {"566", "Náklady z finančního majetku", true},
    {"567", "Náklady z derivátových operací", true},
    {"568", "Ostatní finanční náklady", true},
    {"569", "Manka a škody na finančním majetku", false},
    {"591", "Daň z příjmů - splatná", false},
    {"592", "Daň z příjmů - odložená", false},
    {"595", "Dodatečné odvody daně z příjmů", false},
    {"597", "Převod provozních nákladů", true},
    {"598", "Převod finančních nákladů", true},
};

const Synthetic RevenueSynthetics[] = {
    {"601", "Tržby za vlastní výrobky", true},
    {"602", "Tržby z prodeje služeb", true},
    {"604", "Tržby za zboží", true},
    {"611", "Změna stavu nedokončené výroby", true},
    {"612", "Změna stavu polotovarů", true},
    {"613", "Změna stavu výrobků", true},
    {"621", "Aktivace materiálu a zboží", true},
    {"622", "Aktivace vnitropodnikových služeb", true},
    {"623", "Aktivace dlouhodobého nehmotného majetku", true},
    {"624", "Aktivace dlouhodobého hmotného majetku", true},
    {"641", "Tržby z prodeje dlouhodobého majetku", true},
    {"642", "Tržby z prodeje materiálu", true},
    {"644", "Smluvní pokuty a úroky z prodlení", true},
    {"646", "Výnosy z odepsaných pohledávek", true},
    {"648", "Ostatní provozní výnosy", true},
    {"661", "Tržby z prodeje cenných papírů a podílů", true},
    {"662", "Úroky", true},
    {"663", "Kurzové zisky", true},
    {"664", "Výnosy z přecenění cenných papírů", true},
    {"665", "Výnosy z dlouhodobého finančního majetku", false},
    {"666", "Výnosy z krátkodobého finančního majetku", true},
    {"667", "Výnosy z derivátových operací", true},
    {"668", "Ostatní finanční výnosy", true},
    {"697", "Převod provozních výnosů", true},
    {"698", "Převod finančních výnosů", true},
};

const std::array<const char*, 9> AnalyticNames = {"provoz",  "správa", "výroba", "obchod", "sklad",
                                                  "doprava", "servis", "vývoj",  "ostatní"};

struct BalanceAccount {
    const char* ucet;
    const char* name;
    int typ;
    int podTyp;
};

const BalanceAccount BalanceSheet[] = {
    {"013100", "Software", 1, 0},
    {"021100", "Stavby", 1, 0},
    {"022100", "Hmotné movité věci a jejich soubory", 1, 0},
    {"042100", "Pořízení dlouhodobého hmotného majetku", 1, 0},
    {"073100", "Oprávky k softwaru", 2, 0},
    {"081100", "Oprávky ke stavbám", 2, 0},
    {"082100", "Oprávky k hmotným movitým věcem", 2, 0},
    {"111100", "Pořízení materiálu", 1, 0},
    {"112100", "Materiál na skladě", 1, 0},
    {"131100", "Pořízení zboží", 1, 0},
    {"132100", "Zboží na skladě", 1, 0},
    {"211100", "Pokladna CZK", 1, 0},
    {"211200", "Pokladna EUR", 1, 0},
    {"213100", "Ceniny", 1, 0},
    {"221100", "Bankovní účet CZK", 1, 0},
    {"221200", "Bankovní účet EUR", 1, 0},
    {"231100", "Krátkodobé úvěry", 2, 0},
    {"261100", "Peníze na cestě", 1, 0},
    {"311100", "Odběratelé", 1, 1},
    {"314100", "Poskytnuté zálohy", 1, 1},
    {"315100", "Ostatní pohledávky", 1, 1},
    {"321100", "Dodavatelé", 2, 1},
    {"324100", "Přijaté zálohy", 2, 1},
    {"325100", "Ostatní závazky", 2, 1},
    {"331100", "Zaměstnanci", 2, 0},
    {"333100", "Ostatní závazky vůči zaměstnancům", 2, 0},
    {"336100", "Zúčtování s institucemi sociálního a zdravotního pojištění", 2, 0},
    {"341100", "Daň z příjmů", 2, 0},
    {"342100", "Ostatní přímé daně", 2, 0},
    {"343100", "Daň z přidané hodnoty", 2, 0},
    {"345100", "Ostatní daně a poplatky", 2, 0},
    {"378100", "Jiné pohledávky", 1, 1},
    {"379100", "Jiné závazky", 2, 1},
    {"381100", "Náklady příštích období", 1, 0},
    {"383100", "Výdaje příštích období", 2, 0},
    {"395100", "Vnitřní zúčtování", 1, 0},
    {"411100", "Základní kapitál", 2, 0},
    {"421100", "Rezervní fond", 2, 0},
    {"428100", "Nerozdělený zisk minulých let", 2, 0},
    {"429100", "Neuhrazená ztráta minulých let", 1, 0},
    {"431100", "Výsledek hospodaření ve schvalovacím řízení", 2, 0},
};

struct Chart {
    std::vector<Account> accounts;                       // in account order
    std::map<QString, std::vector<QString>> bySynthetic; // income-statement analytics per synthetic
    std::vector<QString> costs;                          // every typed cost account
    std::vector<QString> revenues;                       // every typed revenue account

    const std::vector<QString>& of(const char* synthetic) const {
        static const std::vector<QString> none;
        auto it = bySynthetic.find(QString::fromLatin1(synthetic));
        return it == bySynthetic.end() ? none : it->second;
    }
    bool isIncomeStatement(const QString& ucet) const {
        return ucet.startsWith(u'5') || ucet.startsWith(u'6');
    }
};

Chart makeChart(Random& rnd) {
    Chart chart;
    for (const BalanceAccount& b : BalanceSheet) {
        chart.accounts.push_back(
            Account{QString::fromLatin1(b.ucet), str(b.name), 1, b.typ, b.podTyp});
    }
    auto addIncome = [&](const Synthetic& s, int typ) {
        const int analytics = 5 + rnd.below(5);
        for (int i = 1; i <= analytics; ++i) {
            Account a;
            a.ucet = QString::fromLatin1(s.code) + QString::number(i) + QStringLiteral("00");
            a.nazev = str(s.name) + QStringLiteral(" - ") + str(AnalyticNames[std::size_t(i - 1)]);
            a.druh = 2;
            a.typ = typ;
            // Every fourth analytic of a tax-affecting account is kept out of the tax base.
            a.podTyp = (s.taxAffecting && i % 4 != 0) ? 3 : 4;
            chart.accounts.push_back(a);
            chart.bySynthetic[QString::fromLatin1(s.code)].push_back(a.ucet);
            (typ == 3 ? chart.costs : chart.revenues).push_back(a.ucet);
        }
    };
    for (const Synthetic& s : CostSynthetics) {
        addIncome(s, 3);
    }
    chart.accounts.push_back(Account{QString::fromLatin1(edge::UntypedAccount),
                                     str("Ostatní provozní náklady - nezařazené"), 2, 0, 3});
    for (const Synthetic& s : RevenueSynthetics) {
        addIncome(s, 4);
    }
    chart.accounts.push_back(
        Account{QStringLiteral("701000"), str("Počáteční účet rozvažný"), 3, 0, 0});
    chart.accounts.push_back(
        Account{QStringLiteral("702000"), str("Konečný účet rozvažný"), 3, 0, 0});
    chart.accounts.push_back(Account{QStringLiteral("710000"), str("Účet zisků a ztrát"), 3, 0, 5});
    std::sort(chart.accounts.begin(), chart.accounts.end(),
              [](const Account& a, const Account& b) { return a.ucet < b.ucet; });
    return chart;
}

bool writeChart(const QString& folder, const Chart& chart, QString* error, QStringList* made,
                const QString& root) {
    TableWriter w;
    if (!w.create(folder, "UCOSNOVA", error)) {
        return false;
    }
    for (const Account& a : chart.accounts) {
        w.append();
        w.set(QStringLiteral("Ucet"), a.ucet);
        w.set(QStringLiteral("Nazev"), a.nazev);
        w.set(QStringLiteral("DruhUctu"), a.druh);
        w.set(QStringLiteral("UcetTyp"), a.typ);
        w.set(QStringLiteral("UcetPodTyp"), a.podTyp);
        if (a.ucet == QLatin1String(edge::UntypedAccount)) {
            w.set(QStringLiteral("Pozn"), str("Typ účtu nebyl při zakládání vyplněn."));
        }
        w.post();
    }
    return w.finish(error, made, root);
}

// --- code lists ---------------------------------------------------------------------------

struct CodeLists {
    std::vector<QString>
        orders; // codes the journal uses (with both spellings, and the missing one)
    std::vector<QString> centres;
    std::vector<QString> activities;
};

const std::array<std::pair<const char*, const char*>, 12> Centres = {{
    {"ŘEDITEL", "Ředitelství"},
    {"VÝROBA", "Výroba"},
    {"OBCHOD", "Obchodní oddělení"},
    {"SKLAD", "Sklad"},
    {"DOPRAVA", "Doprava"},
    {"SERVIS", "Servisní středisko"},
    {"IT", "Informační technologie"},
    {"EKONOM", "Ekonomický úsek"},
    {"BRNO", "Pobočka Brno"},
    {"OSTRAVA", "Pobočka Ostrava"},
    {"PLZEŇ", "Pobočka Plzeň"},
    {"ČB", "Pobočka České Budějovice"},
}};
const std::array<std::pair<const char*, const char*>, 10> Activities = {{
    {"VÝR", "Výroba"},
    {"PRODEJ", "Prodej zboží"},
    {"MONTÁŽ", "Montáže"},
    {"PROJEKCE", "Projekce"},
    {"ÚDRŽBA", "Údržba"},
    {"ŠKOLENÍ", "Školení"},
    {"NÁJEM", "Pronájem"},
    {"DOPRAVA", "Doprava"},
    {"SERVIS", "Servis"},
    {"REŽIE", "Režie"},
}};
const std::array<const char*, 10> OrderWords = {"Rekonstrukce", "Dodávka", "Montáž",   "Servis",
                                                "Projekt",      "Oprava",  "Výstavba", "Revize",
                                                "Modernizace",  "Údržba"};
const std::array<const char*, 10> OrderObjects = {
    "kotelny",        "střechy", "výrobní linky", "skladu", "kanceláří",
    "vozového parku", "serveru", "haly",          "fasády", "rozvodny"};
const std::array<const char*, 4> OrderStates = {"P", "S", "K", "Z"};
const std::array<const char*, 4> OrderKinds = {"Stavba", "Servis", "Dodávka", "Projekt"};

bool writeCodeList(const QString& folder, const char* table,
                   const std::vector<std::pair<QString, QString>>& items, QString* error,
                   QStringList* made, const QString& root) {
    TableWriter w;
    if (!w.create(folder, table, error)) {
        return false;
    }
    for (const auto& [code, name] : items) {
        w.append();
        w.set(QStringLiteral("Zkrat"), code);
        w.set(QStringLiteral("Nazev"), name);
        w.set(QStringLiteral("Pozn"), QStringLiteral("Vedoucí: ") + name);
        w.post();
    }
    return w.finish(error, made, root);
}

bool writeOrders(const QString& folder, int year, int count, Random& rnd,
                 const std::vector<Firm>& firms, CodeLists* lists, QString* error,
                 QStringList* made, const QString& root) {
    TableWriter w;
    if (!w.create(folder, "ZAKAZKY", error)) {
        return false;
    }
    const QDate yearStart(year, 1, 1);
    auto add = [&](const QString& code, const QString& name) {
        w.append();
        w.set(QStringLiteral("Zkrat"), code);
        w.set(QStringLiteral("Nazev"), name);
        w.set(QStringLiteral("CObjednavk"), QStringLiteral("OBJ%1").arg(rnd.between(1000, 99999)));
        w.set(QStringLiteral("StavZak"), QString::fromLatin1(rnd.pick(OrderStates)));
        w.set(QStringLiteral("DruhZak"), str(rnd.pick(OrderKinds)));
        w.set(QStringLiteral("OdpOs"), str(rnd.pick(FirstNames)) + u' ' + str(rnd.pick(Surnames)));
        const QDate planStart = yearStart.addDays(rnd.below(300));
        const QDate start = planStart.addDays(rnd.below(20));
        w.set(QStringLiteral("DatPlZah"), Variant::date(dayNumber(planStart)));
        w.set(QStringLiteral("DatZah"), Variant::date(dayNumber(start)));
        w.set(QStringLiteral("DatPlPred"), Variant::date(dayNumber(planStart.addDays(60))));
        if (rnd.chance(600)) {
            w.set(QStringLiteral("DatPred"),
                  Variant::date(dayNumber(start.addDays(rnd.between(30, 90)))));
        }
        const bool warranty = rnd.chance(400);
        w.set(QStringLiteral("Zaruka"), warranty);
        if (warranty) {
            w.set(QStringLiteral("ZarukaDo"), Variant::date(dayNumber(start.addYears(2))));
        }
        w.set(QStringLiteral("Hodnoceni"),
              rnd.chance(500) ? str("Bez výhrad") : str("Drobné vady odstraněny"));
        w.set(QStringLiteral("Pozn"), str("Zákazník: ") + rnd.pick(firms).name);
        w.post();
        lists->orders.push_back(code);
    };
    lists->orders.clear();
    const int yy = year % 100;
    for (int i = 1; i <= count; ++i) {
        add(QStringLiteral("Z%1-%2").arg(yy, 2, 10, QChar(u'0')).arg(i, 4, 10, QChar(u'0')),
            str(rnd.pick(OrderWords)) + u' ' + str(rnd.pick(OrderObjects)));
    }
    // Codes that differ only in letter case: the host keeps both.
    add(str(edge::CasePairUpper), str("Servisní smlouva A"));
    add(str(edge::CasePairLower), str("Servisní smlouva a (zadáno malými písmeny)"));
    add(str(edge::CasePair2Upper), str("Říjnová údržba Čechy"));
    add(str(edge::CasePair2Lower), str("Říjnová údržba čechy (malými písmeny)"));
    lists->orders.push_back(str(edge::MissingOrder)); // used, never listed
    return w.finish(error, made, root);
}

// --- documents and the journal --------------------------------------------------------------

// None marks the opening and closing lines, which no register owns.
enum class Register { FV, FP, BK, PK, ID, KZ, KP, SK, None };

const char* code(Register r) {
    switch (r) {
    case Register::FV:
        return "FV";
    case Register::FP:
        return "FP";
    case Register::BK:
        return "BK";
    case Register::PK:
        return "PK";
    case Register::ID:
        return "ID";
    case Register::KZ:
        return "KZ";
    case Register::KP:
        return "KP";
    case Register::SK:
        return "SK";
    case Register::None:
        return "";
    }
    return "";
}

// One journal line of a document before it is written.
struct Posting {
    QString md;
    QString d;
    Currency castka;
    QString popis;
    QString stred;
    QString zakazka;
    QString cinnost;
};

// One item or distribution line of a document.
struct DocLine {
    QString popis;
    Currency base;    // in crowns
    Currency foreign; // in the document's currency (0 for crowns)
    int rate = 21;    // VAT percent; 0 for the zero rate
    int rateRow = 2;  // VAT breakdown row: 0 zero, 1 reduced, 2 basic, 3 second reduced
    QString md;
    QString d;
    QString stred;
    QString zakazka;
    QString cinnost;
    Currency count = Currency::fromUnits(1);
    QString unit;
};

struct Vat {
    Currency base[7];
    Currency vat[7];
    Currency foreignBase[7];
    Currency foreignVat[7];
    int rate[7] = {0, 12, 21, 10, 0, 0, 0};
};

// The VAT of a base, rounded to hellers as the host's documents are.
Currency vatOf(Currency base, int rate) {
    return base.mulDiv(rate, 100).rounded(2);
}

struct AgendaPlan {
    QString agendaFolder;
    bool tableSettings = false; // AGENDA.DAT / ROK.DAT instead of ini files
    bool multiRate = false;     // VAT rows 3 to 6 in use
    QString tradeName;
    QString ico;
    int years = 1;
    long long lines = 0;
    int orders = 0;
    bool extendedRights = false; // ORBPRA.TLD with a user list and fixed filters
};

// Writes the journal and all registers of one accounting year.
class YearWriter {
public:
    YearWriter(const QString& root, const QString& folder, int year, bool multiRate, Random& rnd,
               const Chart& chart, const CodeLists& lists, const std::vector<Firm>& firms)
        : m_root(root), m_folder(folder), m_year(year), m_multiRate(multiRate), m_rnd(rnd),
          m_chart(chart), m_lists(lists), m_firms(firms) {}

    bool run(long long lines, QString* error, QStringList* made);

private:
    bool open(QString* error);
    bool finish(QString* error, QStringList* made);

    void openingBalances(long long budget);
    void closingTransfers(long long count);
    void document(Register r);
    void journalLine(const Posting& p, Register r, const QString& doklad, double datum, int zRadek,
                     const Firm* firm);

    void writeBookHeader(Register r, TableWriter& w, int cislo, const QString& doklad,
                         const QString& popis, double datum, const Firm* firm, const Vat& vat,
                         const QString& mena, Currency kurs, int units, bool vydej,
                         const DocLine& first);
    void writeInvoiceHeader(Register r, int cislo, const QString& doklad, const QString& popis,
                            double datum, const Firm& firm, const Vat& vat, const QString& mena,
                            Currency kurs, int units, const DocLine& first);
    void writeVatFields(TableWriter& w, Register r, const Vat& vat, const QString& mena,
                        Currency kurs, int units);

    double dateOfDocument() const;
    QString pickOrder();
    QString pickCentre() { return m_rnd.chance(700) ? m_rnd.pick(m_lists.centres) : QString(); }
    QString pickActivity() {
        return m_rnd.chance(500) ? m_rnd.pick(m_lists.activities) : QString();
    }
    const QString& cost(const char* synthetic) { return m_rnd.pick(m_chart.of(synthetic)); }
    const QString& revenue(const char* synthetic) { return m_rnd.pick(m_chart.of(synthetic)); }
    QString docNumber(Register r, int n) const {
        return QString::fromLatin1(code(r)) + QStringLiteral("%1%2")
                                                  .arg(m_year % 100, 2, 10, QChar(u'0'))
                                                  .arg(n, 6, 10, QChar(u'0'));
    }

    QString m_root;
    QString m_folder;
    int m_year;
    bool m_multiRate;
    Random& m_rnd;
    const Chart& m_chart;
    const CodeLists& m_lists;
    const std::vector<Firm>& m_firms;

    TableWriter m_journal;
    std::map<Register, std::unique_ptr<TableWriter>> m_headers;
    std::map<Register, std::unique_ptr<TableWriter>> m_items;
    std::map<Register, std::unique_ptr<TableWriter>> m_distributions;
    std::map<Register, int> m_docCount;

    long long m_cislo = 0; // journal line number
    long long m_regularTarget = 1;
    long long m_regularDone = 0;
    int m_undatedLeft = 3;
    std::map<QString, Currency> m_balance; // debit minus credit of income-statement accounts
};

bool YearWriter::open(QString* error) {
    if (!m_journal.create(m_folder, "UCDENIK", error)) {
        return false;
    }
    struct Tables {
        Register r;
        const char* header;
        const char* items;
        const char* distribution;
    };
    const Tables tables[] = {
        {Register::FV, "VFAKTURY", "VFAKTPOL", nullptr},
        {Register::FP, "PFAKTURY", "PFAKTPOL", nullptr},
        {Register::BK, "BANKKNIH", "POLUCDBK", "ROZPUBK"},
        {Register::PK, "POKLKNIH", "POLUCDPK", "ROZPUPK"},
        {Register::ID, "INTDOKL", "POLUCDID", "ROZPUID"},
        {Register::KZ, "KNIHZAV", "POLUCDKZ", "ROZPUKZ"},
        {Register::KP, "KNIHPOHL", "POLUCDKP", "ROZPUKP"},
        {Register::SK, "SKSEZDOK", "SKSEZPOL", nullptr},
    };
    for (const Tables& t : tables) {
        m_headers[t.r] = std::make_unique<TableWriter>();
        m_items[t.r] = std::make_unique<TableWriter>();
        if (!m_headers[t.r]->create(m_folder, t.header, error) ||
            !m_items[t.r]->create(m_folder, t.items, error)) {
            return false;
        }
        if (t.distribution) {
            m_distributions[t.r] = std::make_unique<TableWriter>();
            if (!m_distributions[t.r]->create(m_folder, t.distribution, error)) {
                return false;
            }
        }
    }
    return true;
}

bool YearWriter::finish(QString* error, QStringList* made) {
    if (!m_journal.finish(error, made, m_root)) {
        return false;
    }
    for (auto* group : {&m_headers, &m_items, &m_distributions}) {
        for (auto& [r, writer] : *group) {
            if (!writer->finish(error, made, m_root)) {
                return false;
            }
        }
    }
    return true;
}

double YearWriter::dateOfDocument() const {
    // Documents follow the year in the order they are made, a few days apart at most.
    const QDate start(m_year, 1, 1);
    const int days = start.daysInYear();
    const long long target = std::max<long long>(m_regularTarget, 1);
    int day = int((m_regularDone * days) / target);
    day = std::clamp(day + m_rnd.between(-3, 3), 1, days - 2); // XP on day 0, XZ on the last day
    return dayNumber(start.addDays(day));
}

QString YearWriter::pickOrder() {
    const int r = m_rnd.below(1000);
    if (r < 450) {
        return QString();
    }
    if (r < 460) {
        return str(edge::MissingOrder);
    }
    if (r < 475) {
        return str(m_rnd.chance(500) ? edge::CasePairUpper : edge::CasePairLower);
    }
    if (r < 490) {
        return str(m_rnd.chance(500) ? edge::CasePair2Upper : edge::CasePair2Lower);
    }
    return m_rnd.pick(m_lists.orders);
}

void YearWriter::journalLine(const Posting& p, Register r, const QString& doklad, double datum,
                             int zRadek, const Firm* firm) {
    // Of the regular lines a few are deleted or free (never counted) and a few have no date.
    // Their places are fixed so that even a small journal has each kind.
    const bool regular = r != Register::None;
    bool deleted = false;
    bool freeLine = false;
    if (regular) {
        deleted = m_cislo % 401 == 200;
        freeLine = m_cislo % 809 == 400;
        if (m_undatedLeft > 0 && m_cislo % 997 == 500) {
            datum = 0;
            --m_undatedLeft;
        }
    }
    TableWriter& w = m_journal;
    w.append();
    w.set(QStringLiteral("Cislo"), std::int64_t(++m_cislo));
    if (datum != 0) {
        w.set(QStringLiteral("Datum"), Variant::date(datum));
    }
    w.set(QStringLiteral("Zdroj"), regular ? QString::fromLatin1(code(r)) : doklad.left(2));
    w.set(QStringLiteral("Doklad"), doklad);
    w.set(QStringLiteral("Popis"), p.popis);
    w.set(QStringLiteral("UcMD"), p.md);
    w.set(QStringLiteral("UcD"), p.d);
    w.set(QStringLiteral("Castka"), p.castka);
    if (!p.stred.isEmpty()) {
        w.set(QStringLiteral("Stred"), p.stred);
    }
    if (!p.zakazka.isEmpty()) {
        w.set(QStringLiteral("Zakazka"), p.zakazka);
    }
    if (!p.cinnost.isEmpty()) {
        w.set(QStringLiteral("Cinnost"), p.cinnost);
    }
    if (firm) {
        w.set(QStringLiteral("ParSym"), doklad.mid(2));
        w.set(QStringLiteral("ParICO"), m_rnd.chance(100) ? withBlanks(firm->ico) : firm->ico);
        w.set(QStringLiteral("AdCislo"), QString::number(firm->cislo));
    } else if (regular) {
        // Lines without a partner carry the address number 0 or none at all.
        w.set(QStringLiteral("AdCislo"), m_rnd.chance(500) ? QStringLiteral("0") : QString());
    }
    w.set(QStringLiteral("ZRadek"), zRadek);
    if (deleted) {
        w.set(QStringLiteral("Del"), true);
    }
    if (freeLine) {
        w.set(QStringLiteral("Free"), true);
    }
    w.post();
    if (!deleted && !freeLine) {
        if (m_chart.isIncomeStatement(p.md)) {
            m_balance[p.md] += p.castka;
        }
        if (m_chart.isIncomeStatement(p.d)) {
            m_balance[p.d] -= p.castka;
        }
    }
}

void YearWriter::openingBalances(long long budget) {
    const double day = dayNumber(QDate(m_year, 1, 1));
    const QString doklad = QStringLiteral("XP%1").arg(m_year);
    const QString opening = QString::fromLatin1(edge::OpeningBalance);
    const char* assets[] = {"211100", "221100", "311100", "112100", "132100", "022100"};
    const char* liabilities[] = {"321100", "411100", "428100", "082100", "331100"};
    long long made = 0;
    for (const char* a : assets) {
        if (made++ >= budget) {
            return;
        }
        journalLine(Posting{QString::fromLatin1(a),
                            opening,
                            m_rnd.amount(10000, 5000000),
                            str("Počáteční stav"),
                            {},
                            {},
                            {}},
                    Register::None, doklad, day, 0, nullptr);
    }
    for (const char* l : liabilities) {
        if (made++ >= budget) {
            return;
        }
        journalLine(Posting{opening,
                            QString::fromLatin1(l),
                            m_rnd.amount(10000, 5000000),
                            str("Počáteční stav"),
                            {},
                            {},
                            {}},
                    Register::None, doklad, day, 0, nullptr);
    }
    // Balances of income-statement accounts taken over with the agenda.
    for (int i = 0; i < 6 && made < budget; ++i, ++made) {
        const bool costSide = i % 2 == 0;
        const QString acc = costSide ? m_rnd.pick(m_chart.costs) : m_rnd.pick(m_chart.revenues);
        journalLine(Posting{costSide ? acc : opening,
                            costSide ? opening : acc,
                            m_rnd.amount(1000, 200000),
                            str("Převzatý stav účtu"),
                            pickCentre(),
                            {},
                            {}},
                    Register::None, doklad, day, 0, nullptr);
    }
}

void YearWriter::closingTransfers(long long count) {
    const QDate last(m_year, 12, 31);
    const QString doklad = QStringLiteral("XZ%1").arg(m_year);
    const QString pl = QString::fromLatin1(edge::ProfitAndLoss);
    long long made = 0;
    for (const auto& [acc, balance] : std::map<QString, Currency>(m_balance)) {
        if (made >= count || balance.isZero()) {
            continue;
        }
        ++made;
        const bool debit = balance > Currency();
        journalLine(Posting{debit ? pl : acc,
                            debit ? acc : pl,
                            debit ? balance : -balance,
                            str("Převod na účet zisků a ztrát"),
                            {},
                            {},
                            {}},
                    Register::None, doklad, dayNumber(last), 0, nullptr);
    }
}

void YearWriter::writeVatFields(TableWriter& w, Register r, const Vat& vat, const QString& mena,
                                Currency kurs, int units) {
    const bool invoice = r == Register::FV || r == Register::FP;
    const bool stock = r == Register::SK;
    auto setIf = [&](const QString& name, Currency v) {
        if (!v.isZero()) {
            w.set(name, v);
        }
    };
    // Row 0: the zero rate.
    setIf(invoice ? QStringLiteral("Zaklad_0")
          : stock ? QStringLiteral("Zaklad0")
                  : QStringLiteral("Zakl0"),
          vat.base[0]);
    setIf(QStringLiteral("ValutyZak0"), vat.foreignBase[0]);
    for (int n = 1; n <= 6; ++n) {
        if (vat.base[n].isZero() && vat.vat[n].isZero()) {
            continue;
        }
        QString rate, base, tax;
        if (invoice) {
            rate = QStringLiteral("SazbaDPH%1").arg(n);
            base = QStringLiteral("Zaklad_%1").arg(n);
            tax = QStringLiteral("DPH_%1").arg(n);
        } else if (stock) {
            rate = QStringLiteral("SazbaDPH%1").arg(n);
            base = n == 1   ? QStringLiteral("Zaklad5")
                   : n == 2 ? QStringLiteral("Zaklad22")
                            : QStringLiteral("Zaklad_%1").arg(n);
            tax = n == 1   ? QStringLiteral("DPH5")
                  : n == 2 ? QStringLiteral("DPH22")
                           : QStringLiteral("DPH_%1").arg(n);
        } else {
            rate = n == 1   ? QStringLiteral("SSazba")
                   : n == 2 ? QStringLiteral("ZSazba")
                            : QStringLiteral("SazbaDPH_%1").arg(n);
            base = n == 1   ? QStringLiteral("ZaklSS")
                   : n == 2 ? QStringLiteral("ZaklZS")
                            : QStringLiteral("Zaklad_%1").arg(n);
            tax = n == 1   ? QStringLiteral("DPHSS")
                  : n == 2 ? QStringLiteral("DPHZS")
                           : QStringLiteral("DPH_%1").arg(n);
        }
        w.set(rate, Currency::fromUnits(vat.rate[n]));
        w.set(base, vat.base[n]);
        w.set(tax, vat.vat[n]);
        setIf(QStringLiteral("ValutyZak%1").arg(n), vat.foreignBase[n]);
        setIf(QStringLiteral("ValutyDPH%1").arg(n), vat.foreignVat[n]);
        if (n >= 3) {
            w.set(QStringLiteral("PovahDPH_%1").arg(n), 1);
        }
    }
    if (m_multiRate) {
        // The basic rates are shown after the zero rate in some documents, last in others.
        const bool placed = m_rnd.chance(500);
        w.set(QStringLiteral("PorDPH_1"), placed ? 1 : 0);
        w.set(QStringLiteral("PorDPH_2"), placed ? 2 : 0);
    }
    if (!mena.isEmpty()) {
        w.set(QStringLiteral("Mena"), mena);
    }
    w.set(QStringLiteral("PocetJedn"), units);
    w.set(QStringLiteral("Kurs"), kurs);
}

void YearWriter::writeBookHeader(Register r, TableWriter& w, int cislo, const QString& doklad,
                                 const QString& popis, double datum, const Firm* firm,
                                 const Vat& vat, const QString& mena, Currency kurs, int units,
                                 bool vydej, const DocLine& first) {
    w.append();
    w.set(QStringLiteral("Cislo"), cislo);
    if (r == Register::BK || r == Register::PK) {
        w.set(QStringLiteral("Vydej"), vydej);
    }
    w.set(QStringLiteral("Doklad"), doklad);
    w.set(QStringLiteral("Popis"), popis);
    if (firm) {
        w.set(QStringLiteral("AdNazev"), firm->name);
        w.set(QStringLiteral("AdUlice"), firm->street);
        w.set(QStringLiteral("AdMesto"), firm->city);
        w.set(QStringLiteral("AdPSC"), firm->psc);
        w.set(QStringLiteral("AdStat"), firm->country);
        w.set(QStringLiteral("AdICO"), firm->ico);
        w.set(QStringLiteral("AdDIC"), firm->dic);
    }
    const Variant date = Variant::date(datum);
    if (r != Register::ID) {
        w.set(QStringLiteral("DatVyst"), date);
    }
    w.set(QStringLiteral("DatUcPr"), date);
    w.set(QStringLiteral("DatPln"), date);
    if (r == Register::BK || r == Register::PK) {
        w.set(QStringLiteral("DatPlat"), date);
        w.set(r == Register::BK ? QStringLiteral("Ucet") : QStringLiteral("Pokl"),
              mena.isEmpty() ? QStringLiteral("BANKA") : QStringLiteral("BANKA-EUR"));
    }
    if (r == Register::KZ || r == Register::KP) {
        w.set(QStringLiteral("DatSpl"), Variant::date(datum + 14));
        if (m_rnd.chance(700)) {
            w.set(QStringLiteral("UhDatum"), Variant::date(datum + m_rnd.between(3, 40)));
        }
        w.set(QStringLiteral("UcPokl"), QStringLiteral("BANKA"));
        w.set(r == Register::KP ? QStringLiteral("CObjed") : QStringLiteral("PrDokl"),
              QStringLiteral("%1").arg(m_rnd.between(100000, 999999)));
    }
    w.set(QStringLiteral("Cleneni"),
          first.rate == 0 ? QStringLiteral("19Ř01") : QStringLiteral("19Ř40"));
    w.set(QStringLiteral("PrKont"), QString::fromLatin1(code(r)) + QStringLiteral("001"));
    w.set(QStringLiteral("VarSym"), doklad.mid(2));
    w.set(QStringLiteral("ParSym"), doklad.mid(2));
    w.set(QStringLiteral("Stred"), first.stred);
    w.set(QStringLiteral("Zakazka"), first.zakazka);
    w.set(QStringLiteral("Cinnost"), first.cinnost);
    w.set(QStringLiteral("Pozn"),
          m_rnd.chance(200) ? str("Kontrolováno při inventuře") : QString());
    w.set(QStringLiteral("Vyst"), str("Jana Svobodová"));
    writeVatFields(w, r, vat, mena, kurs, units);
    w.post();
}

void YearWriter::writeInvoiceHeader(Register r, int cislo, const QString& doklad,
                                    const QString& popis, double datum, const Firm& firm,
                                    const Vat& vat, const QString& mena, Currency kurs, int units,
                                    const DocLine& first) {
    TableWriter& w = *m_headers[r];
    const QString p = r == Register::FV ? QStringLiteral("O_") : QStringLiteral("D_");
    w.append();
    w.set(QStringLiteral("Cislo"), cislo);
    w.set(QStringLiteral("Doklad"), doklad);
    w.set(QStringLiteral("Popis"), popis);
    w.set(p + QStringLiteral("NazevOb"), firm.name);
    w.set(p + QStringLiteral("Jmeno"), firm.person);
    w.set(p + QStringLiteral("UliceOb"), firm.street);
    w.set(p + QStringLiteral("MestoOb"), firm.city);
    w.set(p + QStringLiteral("PscOb"), firm.psc);
    w.set(p + QStringLiteral("StatOb"), firm.country);
    w.set(p + QStringLiteral("ICO"), firm.ico);
    w.set(p + QStringLiteral("DIC"), firm.dic);
    const Variant date = Variant::date(datum);
    w.set(QStringLiteral("Vystaveno"), date);
    w.set(QStringLiteral("DatUcPr"), date);
    w.set(QStringLiteral("PlnenoDPH"), date);
    w.set(QStringLiteral("Splatno"), Variant::date(datum + 14));
    if (m_rnd.chance(750)) {
        w.set(QStringLiteral("Uhrazeno"), Variant::date(datum + m_rnd.between(1, 45)));
    }
    w.set(QStringLiteral("Ucet"), QStringLiteral("BANKA"));
    w.set(QStringLiteral("KodDPH"),
          first.rate == 0 ? QStringLiteral("UDA5") : QStringLiteral("UD"));
    w.set(QStringLiteral("PredKontac"), QString::fromLatin1(code(r)) + QStringLiteral("001"));
    w.set(QStringLiteral("VarSymbol"), doklad.mid(2));
    w.set(QStringLiteral("ParSymbol"), doklad.mid(2));
    w.set(QStringLiteral("Stredisko"), first.stred);
    w.set(QStringLiteral("Zakazka"), first.zakazka);
    w.set(QStringLiteral("Cinnost"), first.cinnost);
    if (r == Register::FV) {
        w.set(QStringLiteral("CObjednavk"),
              QStringLiteral("OBJ%1").arg(m_rnd.between(1000, 99999)));
        w.set(QStringLiteral("ZpDopravy"),
              m_rnd.chance(500) ? str("Vlastní") : str("Přepravní služba"));
        w.set(QStringLiteral("TextPredFa"), str("Fakturujeme Vám za dodané zboží a služby:"));
        w.set(QStringLiteral("TextZaFa"), str("Děkujeme za Vaši objednávku."));
    } else {
        w.set(QStringLiteral("PrijatDokl"),
              QStringLiteral("%1").arg(m_rnd.between(10000000, 99999999)));
        w.set(QStringLiteral("Poznamka"),
              m_rnd.chance(200) ? str("Reklamace vyřízena dobropisem") : QString());
    }
    w.set(QStringLiteral("Uhrada"), m_rnd.chance(800) ? str("příkazem") : str("hotově"));
    w.set(QStringLiteral("Vystavil"), str("Petr Dvořák"));
    if (m_rnd.chance(300)) {
        w.set(QStringLiteral("DatSkPoh"), date);
    }
    writeVatFields(w, r, vat, mena, kurs, units);
    w.post();
}

const std::array<const char*, 12> ItemTexts = {"Materiál dle dodacího listu",
                                               "Montážní práce",
                                               "Doprava",
                                               "Projektové práce",
                                               "Kancelářské potřeby",
                                               "Náhradní díly",
                                               "Servisní zásah",
                                               "Licence software",
                                               "Stavební práce",
                                               "Spojovací materiál",
                                               "Pronájem techniky",
                                               "Konzultace"};
const std::array<const char*, 4> Units = {"ks", "hod", "kg", "m"};

void YearWriter::document(Register r) {
    const int number = ++m_docCount[r];
    const QString doklad = docNumber(r, number);
    const double datum = dateOfDocument();
    const bool needsPartner = r != Register::ID && r != Register::PK;
    const Firm* firm = (needsPartner || m_rnd.chance(300)) ? &m_rnd.pick(m_firms) : nullptr;

    // Currency: most documents in crowns, some in euros, a few in forints per 100 units.
    QString mena;
    Currency kurs = Currency::fromUnits(1);
    int units = 1;
    if ((r == Register::FV || r == Register::FP || r == Register::BK || r == Register::SK) &&
        (m_rnd.chance(60) || (firm && firm->foreign))) {
        if (m_rnd.chance(850)) {
            mena = QStringLiteral("EUR");
            kurs = Currency::fromRaw(245000 + m_rnd.below(12000)); // 24.5000 .. 25.6999
        } else {
            mena = QStringLiteral("HUF");
            units = 100;
            kurs = Currency::fromRaw(62000 + m_rnd.below(4000)); // 6.2000 .. 6.5999 per 100
        }
    }

    // The lines of the document.
    const int count =
        r == Register::BK || r == Register::PK ? m_rnd.between(1, 2) : m_rnd.between(1, 3);
    std::vector<DocLine> lines;
    bool vydej = false;
    QString popis;
    const QString order = pickOrder();
    const QString centre = pickCentre();
    const QString activity = pickActivity();
    for (int i = 0; i < count; ++i) {
        DocLine l;
        l.stred = centre;
        l.zakazka = i == 0 ? order : (m_rnd.chance(300) ? pickOrder() : order);
        l.cinnost = activity;
        l.unit = str(m_rnd.pick(Units));
        l.count = Currency::fromUnits(m_rnd.between(1, 20));
        l.popis = str(m_rnd.pick(ItemTexts));
        const int rateDraw = m_rnd.below(100);
        l.rateRow = rateDraw < 70   ? 2
                    : rateDraw < 88 ? 1
                    : rateDraw < 95 ? 0
                                    : (m_multiRate ? 3 : 2);
        l.rate = l.rateRow == 0 ? 0 : l.rateRow == 1 ? 12 : l.rateRow == 2 ? 21 : 10;
        // Sales carry the business: issued invoices run larger than purchases,
        // so that the demo company makes a profit like most real ones.
        const int scale = r == Register::FV ? 11 : 5;
        if (!mena.isEmpty()) {
            l.foreign = m_rnd.amount(10, 20000).mulDiv(scale, 5).rounded(2);
            l.base = l.foreign.mulDiv(kurs.raw(), Currency::Scale * units).rounded(2);
        } else {
            l.base = m_rnd.amount(50, 250000).mulDiv(scale, 5).rounded(2);
        }
        switch (r) {
        case Register::FV:
            l.md = QStringLiteral("311100");
            l.d = revenue(m_rnd.pick(std::array<const char*, 4>{"601", "602", "604", "648"}));
            popis = str("Faktura za zboží a služby");
            break;
        case Register::FP:
            l.md = cost(m_rnd.pick(
                std::array<const char*, 7>{"501", "502", "504", "511", "518", "512", "538"}));
            l.d = QStringLiteral("321100");
            popis = str("Přijatá faktura");
            break;
        case Register::KZ:
            l.md = cost(m_rnd.pick(std::array<const char*, 4>{"518", "502", "548", "544"}));
            l.d = QStringLiteral("325100");
            popis = str("Závazek - nájem a služby");
            break;
        case Register::KP:
            l.md = QStringLiteral("315100");
            l.d = revenue(m_rnd.pick(std::array<const char*, 4>{"644", "648", "662", "641"}));
            popis = str("Pohledávka - přefakturace");
            break;
        case Register::BK: {
            vydej = (number % 2) == 0;
            const QString bank =
                mena.isEmpty() ? QStringLiteral("221100") : QStringLiteral("221200");
            if (vydej) {
                const bool fee = m_rnd.chance(350);
                l.md = fee ? cost(m_rnd.pick(std::array<const char*, 3>{"568", "562", "563"}))
                           : QStringLiteral("321100");
                l.d = bank;
                popis = fee ? str("Bankovní poplatky a úroky") : str("Úhrada závazku");
            } else {
                const bool interest = m_rnd.chance(250);
                l.md = bank;
                l.d = interest ? revenue(m_rnd.pick(std::array<const char*, 2>{"662", "663"}))
                               : QStringLiteral("311100");
                popis = interest ? str("Připsané úroky") : str("Úhrada pohledávky");
            }
            l.rate = 0;
            l.rateRow = 0;
            break;
        }
        case Register::PK:
            vydej = m_rnd.chance(800);
            if (vydej) {
                l.md =
                    cost(m_rnd.pick(std::array<const char*, 5>{"501", "512", "513", "518", "543"}));
                l.d = QStringLiteral("211100");
                popis = str("Výdej z pokladny");
            } else {
                l.md = QStringLiteral("211100");
                l.d = revenue(m_rnd.pick(std::array<const char*, 2>{"602", "604"}));
                popis = str("Tržba za hotové");
            }
            break;
        case Register::ID: {
            const int kind = m_rnd.below(100);
            l.rate = 0;
            l.rateRow = 0;
            if (kind < 30) {
                l.md = cost(m_rnd.pick(std::array<const char*, 2>{"521", "524"}));
                l.d = l.md.startsWith(QStringLiteral("524")) ? QStringLiteral("336100")
                                                             : QStringLiteral("331100");
                popis = str("Mzdy - zaúčtování");
            } else if (kind < 50) {
                l.md = cost("551");
                l.d = QStringLiteral("082100");
                popis = str("Odpisy majetku");
            } else if (kind < 80) {
                // Both sides on income-statement accounts.
                l.md = cost(m_rnd.pick(std::array<const char*, 3>{"518", "501", "548"}));
                l.d = revenue(m_rnd.pick(std::array<const char*, 3>{"622", "621", "648"}));
                popis = str("Vnitropodnikové přeúčtování");
            } else if (kind < 85) {
                l.md = QString::fromLatin1(edge::UntypedAccount);
                l.d = QStringLiteral("395100");
                popis = str("Nezařazené provozní náklady");
            } else {
                l.md = QStringLiteral("591100");
                l.d = QStringLiteral("341100");
                popis = str("Záloha na daň z příjmů");
            }
            break;
        }
        case Register::None:
            break;
        case Register::SK: {
            const bool sale = m_rnd.chance(500);
            l.md = sale ? cost("504") : cost("501");
            l.d = sale ? QStringLiteral("132100") : QStringLiteral("112100");
            popis =
                sale ? str("Prodejka - vyskladnění zboží") : str("Výdejka materiálu do spotřeby");
            break;
        }
        }
        lines.push_back(l);
    }
    if (r == Register::ID && lines.size() > 1) {
        lines.resize(1); // internal documents carry one case each
    }

    // VAT breakdown.
    Vat vat;
    for (const DocLine& l : lines) {
        vat.base[l.rateRow] += l.base;
        vat.foreignBase[l.rateRow] += l.foreign;
        if (l.rateRow != 0) {
            vat.vat[l.rateRow] += vatOf(l.base, l.rate);
            vat.foreignVat[l.rateRow] += vatOf(l.foreign, l.rate);
        }
    }
    // Bank and internal documents carry no VAT; stock documents show it but
    // post their movements at cost, without VAT lines.
    const bool vatCharged = r == Register::FV || r == Register::FP || r == Register::KZ ||
                            r == Register::KP || (r == Register::PK);
    if (r == Register::BK || r == Register::ID) {
        for (int n = 1; n <= 6; ++n) {
            vat.vat[n] = Currency();
            vat.foreignVat[n] = Currency();
            vat.base[0] += vat.base[n];
            vat.foreignBase[0] += vat.foreignBase[n];
            vat.base[n] = Currency();
            vat.foreignBase[n] = Currency();
        }
    }

    // Journal lines: one per document line, one per VAT rate.
    // ZRadek: the document's number in its register (Cislo, or CDokladu for stock documents).
    const int key = number;
    for (const DocLine& l : lines) {
        journalLine(Posting{l.md, l.d, l.base, l.popis.isEmpty() ? popis : l.popis, l.stred,
                            l.zakazka, l.cinnost},
                    r, doklad, datum, key, firm);
        ++m_regularDone;
    }
    if (vatCharged) {
        for (int n = 1; n <= 6; ++n) {
            if (vat.vat[n].isZero()) {
                continue;
            }
            const bool input =
                r == Register::FP || r == Register::KZ || (r == Register::PK && vydej);
            const QString partner = r == Register::FV   ? QStringLiteral("311100")
                                    : r == Register::FP ? QStringLiteral("321100")
                                    : r == Register::KZ ? QStringLiteral("325100")
                                    : r == Register::KP ? QStringLiteral("315100")
                                                        : QStringLiteral("211100");
            journalLine(Posting{input ? QStringLiteral("343100") : partner,
                                input ? partner : QStringLiteral("343100"),
                                vat.vat[n],
                                QStringLiteral("DPH %1 %").arg(vat.rate[n]),
                                centre,
                                {},
                                {}},
                        r, doklad, datum, key, firm);
            ++m_regularDone;
        }
    }

    // The document itself, with its item or distribution lines.
    switch (r) {
    case Register::FV:
    case Register::FP: {
        writeInvoiceHeader(r, number, doklad, popis, datum, *firm, vat, mena, kurs, units,
                           lines.front());
        TableWriter& items = *m_items[r];
        int poradi = 0;
        for (const DocLine& l : lines) {
            items.append();
            items.set(QStringLiteral("Cislo"), number);
            items.set(QStringLiteral("Poradi"), ++poradi);
            items.set(QStringLiteral("Popis"), l.popis);
            items.set(QStringLiteral("CisloKat"),
                      QStringLiteral("KAT-%1").arg(m_rnd.between(1000, 9999)));
            items.set(QStringLiteral("TextMJ"), l.unit);
            items.set(QStringLiteral("PocetMJ"), l.count);
            items.set(QStringLiteral("SazbaDPH"), Currency::fromUnits(l.rate));
            items.set(QStringLiteral("Cena"),
                      l.base.mulDiv(1, l.count.raw() / Currency::Scale).rounded(2));
            items.set(QStringLiteral("CenaTyp"), 0);
            if (m_rnd.chance(100)) {
                items.set(QStringLiteral("Sleva"), Currency::fromUnits(5));
            }
            items.set(QStringLiteral("Stredisko"), l.stred);
            items.set(QStringLiteral("Zakazka"), l.zakazka);
            items.set(QStringLiteral("Cinnost"), l.cinnost);
            items.set(QStringLiteral("KodDPH"),
                      l.rate == 0 ? QStringLiteral("UDA5") : QStringLiteral("UD"));
            items.set(QStringLiteral("PredKontac"),
                      QString::fromLatin1(code(r)) + QStringLiteral("001"));
            if (!l.foreign.isZero()) {
                items.set(QStringLiteral("Valuty"), l.foreign);
            }
            items.post();
        }
        break;
    }
    case Register::SK: {
        static const std::array<const char*, 7> kinds = {"P", "S", "V", "R", "Z", "A", "D"};
        const QString typ = QString::fromLatin1(kinds[std::size_t(number % 7)]);
        // Every tenth stock document is filed under the invoice that settled it.
        const int itemKey = number % 10 == 0 ? 900000 + number : number;
        TableWriter& h = *m_headers[r];
        h.append();
        h.set(QStringLiteral("CDokladu"), number);
        h.set(QStringLiteral("Typ"), typ);
        h.set(QStringLiteral("DSkamaPohy"), typ);
        if (itemKey != number) {
            h.set(QStringLiteral("CFaktury"), itemKey);
            h.set(QStringLiteral("VyrizFaktu"), docNumber(Register::FV, itemKey - 900000));
        }
        h.set(QStringLiteral("CisloDokla"), doklad);
        h.set(QStringLiteral("PopisX"), popis);
        if (firm) {
            h.set(QStringLiteral("O_NazevOb"), firm->name);
            h.set(QStringLiteral("A_Jmeno"), firm->person);
            h.set(QStringLiteral("O_UliceOb"), firm->street);
            h.set(QStringLiteral("O_MestoOb"), firm->city);
            h.set(QStringLiteral("O_PscOb"), firm->psc);
            h.set(QStringLiteral("O_StatOb"), firm->country);
            h.set(QStringLiteral("A_ICO"), firm->ico);
            h.set(QStringLiteral("A_DIC"), firm->dic);
        }
        h.set(QStringLiteral("Datum"), Variant::date(datum));
        h.set(QStringLiteral("ParSymbol"), doklad.mid(2));
        h.set(QStringLiteral("Stredisko"), centre);
        h.set(QStringLiteral("Zakazka"), order);
        h.set(QStringLiteral("Cinnost"), activity);
        h.set(QStringLiteral("PrimDoklad"), QStringLiteral("DL%1").arg(number));
        h.set(QStringLiteral("Popis"), str("Skladový pohyb dle požadavku"));
        h.set(QStringLiteral("Vystavil"), str("Skladník Pavel Malý"));
        h.set(QStringLiteral("TextPredPo"), str("Vydáváme:"));
        h.set(QStringLiteral("TextZaPol"), str("Převzal:"));
        h.set(QStringLiteral("DatSkPoh"), Variant::date(datum));
        writeVatFields(h, r, vat, mena, kurs, units);
        h.post();
        TableWriter& items = *m_items[r];
        int poradi = 0;
        for (const DocLine& l : lines) {
            const bool set = m_rnd.chance(150);
            const int parent = ++poradi;
            for (int part = 0; part < (set ? 3 : 1); ++part) {
                items.append();
                items.set(QStringLiteral("TypDokladu"), typ);
                items.set(QStringLiteral("CDokladu"), itemKey);
                items.set(QStringLiteral("CisloPoloz"), part == 0 ? parent : parent * 100 + part);
                // Parts of a set point to their set and are not shown on their own.
                items.set(QStringLiteral("MasterCisl"), part == 0 ? 0 : parent);
                items.set(QStringLiteral("Poradi"), part == 0 ? parent : parent * 100 + part);
                items.set(QStringLiteral("Nazev"),
                          part == 0 ? l.popis : str("Součást sady %1").arg(part));
                items.set(QStringLiteral("Katalog"),
                          QStringLiteral("SK-%1").arg(m_rnd.between(100, 999)));
                items.set(QStringLiteral("MJ"), l.unit);
                items.set(QStringLiteral("PocetMJ"), l.count);
                items.set(QStringLiteral("DPH"), Currency::fromUnits(l.rate));
                items.set(QStringLiteral("Cena"), part == 0 ? l.base : Currency());
                items.set(QStringLiteral("CenaTyp"), 0);
                items.set(QStringLiteral("Stredisko"), l.stred);
                items.set(QStringLiteral("Zakazka"), l.zakazka);
                items.set(QStringLiteral("Cinnost"), l.cinnost);
                if (!l.foreign.isZero() && part == 0) {
                    items.set(QStringLiteral("Valuty"), l.foreign);
                }
                items.set(QStringLiteral("UcetMD"), l.md);
                items.set(QStringLiteral("UcetD"), l.d);
                items.post();
            }
        }
        break;
    }
    default: {
        writeBookHeader(r, *m_headers[r], number, doklad, popis, datum, firm, vat, mena, kurs,
                        units, vydej, lines.front());
        // Bank and internal documents mostly carry distribution lines with accounts,
        // the others mostly items.
        const bool distributed =
            (r == Register::BK || r == Register::ID) ? !m_rnd.chance(150) : m_rnd.chance(250);
        int poradi = 0;
        for (const DocLine& l : lines) {
            ++poradi;
            if (distributed) {
                TableWriter& d = *m_distributions[r];
                d.append();
                d.set(QStringLiteral("CisDokladu"), number);
                d.set(QStringLiteral("Popis"), l.popis);
                d.set(QStringLiteral("SazbaDPH"), Currency::fromUnits(l.rate));
                d.set(QStringLiteral("Castka"), l.base);
                d.set(QStringLiteral("TypCena"), false);
                d.set(QStringLiteral("Stred"), l.stred);
                d.set(QStringLiteral("Zakazka"), l.zakazka);
                d.set(QStringLiteral("Cinnost"), l.cinnost);
                if (!l.foreign.isZero()) {
                    d.set(QStringLiteral("CastkaCM"), l.foreign);
                }
                d.set(QStringLiteral("UcMD"), l.md);
                d.set(QStringLiteral("UcD"), l.d);
                d.post();
            } else {
                TableWriter& it = *m_items[r];
                it.append();
                it.set(QStringLiteral("CISLO"), number);
                it.set(QStringLiteral("Poradi"), poradi);
                it.set(QStringLiteral("Popis"), l.popis);
                it.set(QStringLiteral("TextMJ"), l.unit);
                it.set(QStringLiteral("PocetMJ"), l.count);
                it.set(QStringLiteral("SazbaDPH"), Currency::fromUnits(l.rate));
                it.set(QStringLiteral("Cena"),
                       l.base.mulDiv(1, l.count.raw() / Currency::Scale).rounded(2));
                it.set(QStringLiteral("CenaTyp"), m_rnd.chance(200) ? 1 : 0);
                it.set(QStringLiteral("Stred"), l.stred);
                it.set(QStringLiteral("Zakazka"), l.zakazka);
                it.set(QStringLiteral("Cinnost"), l.cinnost);
                it.set(QStringLiteral("Cleneni"), QStringLiteral("19Ř40"));
                it.set(QStringLiteral("PrKont"),
                       QString::fromLatin1(code(r)) + QStringLiteral("001"));
                if (!l.foreign.isZero()) {
                    it.set(QStringLiteral("Valuty"), l.foreign);
                }
                it.post();
            }
        }
        break;
    }
    }
}

bool YearWriter::run(long long lines, QString* error, QStringList* made) {
    if (!open(error)) {
        return false;
    }
    // The opening lines, the closing transfers (at most one per income-statement
    // account) and the documents in between share the year's lines.
    const long long opening = std::min<long long>(lines, 17);
    openingBalances(opening);
    const long long rest = lines - m_cislo;
    const long long accounts =
        static_cast<long long>(m_chart.costs.size() + m_chart.revenues.size()) + 1;
    const long long closingReserve = std::min(accounts, rest / 10);
    m_regularTarget = rest - closingReserve;
    // The source codes in the proportions of a trading company.
    static const std::array<Register, 20> mix = {
        Register::FV, Register::FV, Register::FV, Register::FV, Register::FP,
        Register::FP, Register::FP, Register::FP, Register::BK, Register::BK,
        Register::BK, Register::BK, Register::PK, Register::PK, Register::ID,
        Register::ID, Register::KZ, Register::KP, Register::SK, Register::SK};
    // Every source appears at least once when there is room for it.
    std::size_t firstRound = 0;
    const std::array<Register, 8> all = {Register::FV, Register::FP, Register::BK, Register::PK,
                                         Register::ID, Register::KZ, Register::KP, Register::SK};
    // A document writes up to six lines; stop early enough to land on the target.
    while (m_regularDone + 6 <= m_regularTarget) {
        document(firstRound < all.size() ? all[firstRound++] : m_rnd.pick(mix));
    }
    // Fill the last few lines with single-line internal documents, then transfer.
    auto transferable = [this] {
        long long n = 0;
        for (const auto& [acc, balance] : m_balance) {
            n += balance.isZero() ? 0 : 1;
        }
        return n;
    };
    while (lines - m_cislo > transferable()) {
        document(Register::ID);
    }
    closingTransfers(lines - m_cislo);
    return finish(error, made);
}

// --- settings -------------------------------------------------------------------------------

struct Setting {
    QString section;
    QString key;
    QString value;
};

QString iniText(const std::vector<Setting>& settings) {
    QString text;
    QString section;
    for (const Setting& s : settings) {
        if (s.section != section) {
            if (!section.isEmpty()) {
                text += QStringLiteral("\r\n");
            }
            section = s.section;
            text += u'[' + section + QStringLiteral("]\r\n");
        }
        text += s.key + u'=' + s.value + QStringLiteral("\r\n");
    }
    return text;
}

bool writeSettings(const QString& folder, const char* name, bool tableForm,
                   const std::vector<Setting>& settings, QString* error, QStringList* made,
                   const QString& root) {
    if (!tableForm) {
        const QString path = folder + QString::fromLatin1(name) + QStringLiteral(".INI");
        if (!writeTextFile(path, iniText(settings), error)) {
            return false;
        }
        if (made) {
            *made << path.mid(root.size());
        }
        return true;
    }
    TableWriter w;
    if (!w.create(folder, name, error)) {
        return false;
    }
    for (const Setting& s : settings) {
        w.append();
        w.set(QStringLiteral("Section1"), s.section);
        w.set(QStringLiteral("Variable"), s.key);
        w.set(QStringLiteral("TypeVar"), QString());
        w.set(QStringLiteral("Value"), s.value);
        w.post();
    }
    return w.finish(error, made, root);
}

std::vector<Setting> yearSettings(int year) {
    const QString g = QStringLiteral("Global");
    // Fiscal bounds are stored one lower than the day number.
    const auto bound = [](const QDate& d) { return QString::number(qint64(dayNumber(d)) - 1); };
    return {
        {g, str("Účetní rok"), QString::number(year)},
        {g, str("Hospodářský rok od"), bound(QDate(year, 1, 1))},
        {g, str("Hospodářský rok do"), bound(QDate(year, 12, 31))},
        {g, str("Podvojné účetnictví"), QStringLiteral("Y")},
        {g, str("Snížená sazba DPH"), QStringLiteral("12")},
        {g, str("Základní sazba DPH"), QStringLiteral("21")},
    };
}

bool writeVatPeriods(const QString& folder, QString* error, QStringList* made,
                     const QString& root) {
    TableWriter w;
    if (!w.create(folder, "UCDPHOBD", error)) {
        return false;
    }
    struct Period {
        QDate from, to;
        int reduced, basic, second;
    };
    const Period periods[] = {{QDate(2013, 1, 1), QDate(2014, 12, 31), 15, 21, 0},
                              {QDate(2015, 1, 1), QDate(2023, 12, 31), 15, 21, 10},
                              {QDate(2024, 1, 1), QDate(2099, 12, 31), 12, 21, 0}};
    for (const Period& p : periods) {
        w.append();
        w.set(QStringLiteral("DatumOd"), Variant::date(dayNumber(p.from)));
        w.set(QStringLiteral("DatumDo"), Variant::date(dayNumber(p.to)));
        w.set(QStringLiteral("SSazba"), Currency::fromUnits(p.reduced));
        w.set(QStringLiteral("ZSazba"), Currency::fromUnits(p.basic));
        w.set(QStringLiteral("SazbaDPH_3"), Currency::fromUnits(p.second));
        w.post();
    }
    return w.finish(error, made, root);
}

// --- rights -----------------------------------------------------------------------------------

// The access levels ("A", "R", "N": one-letter texts) and the flags of a
// users table, as the catalogue lists them.
QStringList fieldsOf(const char* table, host::FieldType type, int size) {
    QStringList names;
    for (const host::FieldDef& f : host::schema::find(QString::fromLatin1(table))->fields) {
        if (f.type == type && (size == 0 || f.size == size)) {
            names << f.name;
        }
    }
    return names;
}
QStringList levelsOf(const char* table) {
    return fieldsOf(table, host::FieldType::Text, 1);
}
QStringList flagsOf(const char* table) {
    return fieldsOf(table, host::FieldType::Boolean, 0);
}

struct DemoUser {
    int id;
    const char* name;
    const char* config;
    const char* password;
    const char* level; // every right
    const char* vysledovka;
    bool flags;
    const char* note;
    const char* osUser; // the older layout's operating-system login
};
const DemoUser DemoUsers[] = {
    {1, "Správce", "Spravce", "", "A", "A", true, "Všechna práva, bez hesla", "spravce"},
    {2, "Petr Novák", "Novak", "novak", "A", "N", true, "Bez práva na výsledovku", "novak"},
    {3, "Jana Dvořáková", "Dvorakova", "jana", "R", "R", false, "Jen pro čtení", "jana"},
};

// The newer layout: PRISTUP with scrambled passwords and most rights, PRISTUP2
// with the rest.
bool writeNewerRights(const QString& root, QString* error, QStringList* made) {
    TableWriter first;
    TableWriter second;
    if (!first.create(root, "PRISTUP", error) || !second.create(root, "PRISTUP2", error)) {
        return false;
    }
    for (const DemoUser& u : DemoUsers) {
        const QString stored = rights::Scramble(QString::fromLatin1(u.password));
        first.append();
        first.set(QStringLiteral("ID"), u.id);
        first.set(QStringLiteral("KonfigName"), QString::fromLatin1(u.config));
        first.set(QStringLiteral("Jmeno"), str(u.name));
        first.set(QStringLiteral("Poznamka"), str(u.note));
        first.set(QStringLiteral("Password"), stored);
        for (const QString& right : levelsOf("PRISTUP")) {
            const bool module = right == u"Vysledovka";
            first.set(right, QString::fromLatin1(module ? u.vysledovka : u.level));
        }
        for (const QString& flag : flagsOf("PRISTUP")) {
            first.set(flag, u.flags);
        }
        first.post();
        second.append();
        second.set(QStringLiteral("ID"), u.id);
        second.set(QStringLiteral("Password"), stored);
        for (const QString& right : levelsOf("PRISTUP2")) {
            second.set(right, QString::fromLatin1(u.level));
        }
        second.post();
    }
    return first.finish(error, made, root) && second.finish(error, made, root);
}

// The older layout: PRISUZIV with plain passwords and the operating-system
// login, PRISPOL with one row per user and restricted right (a right without
// a row is granted).
bool writeOlderRights(const QString& root, QString* error, QStringList* made) {
    TableWriter users;
    TableWriter items;
    if (!users.create(root, "PRISUZIV", error) || !items.create(root, "PRISPOL", error)) {
        return false;
    }
    for (const DemoUser& u : DemoUsers) {
        users.append();
        users.set(QStringLiteral("ID_Pristup"), u.id);
        users.set(QStringLiteral("KonfigName"), QString::fromLatin1(u.config));
        users.set(QStringLiteral("Jmeno"), str(u.name));
        users.set(QStringLiteral("Poznamka"), str(u.note));
        users.set(QStringLiteral("Password"), QString::fromLatin1(u.password));
        users.set(QStringLiteral("UzivOS"), QString::fromLatin1(u.osUser));
        users.set(QStringLiteral("PrihlZp"), 1);
        for (const QString& flag : flagsOf("PRISUZIV")) {
            users.set(flag, u.flags);
        }
        users.post();
        const std::pair<const char*, const char*> restricted[] = {{"Vysledovka", u.vysledovka},
                                                                  {"PristupovaPrava", u.level}};
        for (const auto& [item, value] : restricted) {
            if (qstrcmp(value, "A") != 0) {
                items.append();
                items.set(QStringLiteral("FL_Pristup"), u.id);
                items.set(QStringLiteral("Polozka"), QString::fromLatin1(item));
                items.set(QStringLiteral("Hodnota"), QString::fromLatin1(value));
                items.post();
            }
        }
    }
    return users.finish(error, made, root) && items.finish(error, made, root);
}

// Extended rights of an agenda: the administrator without restrictions and
// Jana with fixed filters (only lines with an order, both tax switches on);
// Petr is not listed and so may not run the module there.
bool writeExtendedRights(const QString& agenda, QString* error, QStringList* made,
                         const QString& root) {
    rights::TObsahPrav prava;
    prava.RozsirenaPrava = true;
    rights::TUzivatelPrav spravce;
    spravce.ID = 1;
    spravce.Jmeno = str("Správce");
    prava.Uzivatele.push_back(spravce);
    rights::TUzivatelPrav jana;
    jana.ID = 3;
    jana.Jmeno = str("Jana Dvořáková");
    jana.Omezeni.Zak = {true, true, QString(), true};
    jana.Omezeni.Ovliv = {true, true};
    jana.Omezeni.NeOvliv = {true, true};
    prava.Uzivatele.push_back(jana);
    const QString file = agenda + QStringLiteral("ORBPRA.TLD");
    if (rights::UlozSoubor(rights::SestavitRadky(prava), file, nullptr, rights::KlicPrav()) != 0) {
        *error = QStringLiteral("Nelze zapsat soubor %1").arg(file);
        return false;
    }
    if (made) {
        *made << QStringLiteral("%1: %2 uživatelé")
                     .arg(QDir(root).relativeFilePath(file))
                     .arg(prava.Uzivatele.size());
    }
    return true;
}

// --- agendas
// --------------------------------------------------------------------------------------

bool writeAgenda(const QString& root, const AgendaPlan& plan, std::uint64_t seed, QString* error,
                 QStringList* made) {
    const QString agenda = root + plan.agendaFolder + u'/';
    if (!QDir().mkpath(agenda)) {
        *error = QStringLiteral("Nelze vytvořit adresář %1").arg(agenda);
        return false;
    }
    Random rnd(seed);
    const std::vector<Setting> agendaSettings = {
        {str("Údaje o firmě"), str("Název-obchodní"), plan.tradeName},
        {str("Údaje o firmě"), str("IČO"), plan.ico},
        {str("Údaje o firmě"), str("DIČ"), QStringLiteral("CZ") + plan.ico},
        {str("Údaje o firmě"), str("Obec"), str("Olomouc")},
    };
    if (!writeSettings(agenda, "AGENDA", plan.tableSettings, agendaSettings, error, made, root)) {
        return false;
    }
    const std::vector<Firm> firms = makeFirms(rnd, 300);
    if (!writeAddressBook(agenda, firms, error, made, root)) {
        return false;
    }
    if (plan.multiRate && !writeVatPeriods(agenda, error, made, root)) {
        return false;
    }
    if (plan.extendedRights && !writeExtendedRights(agenda, error, made, root)) {
        return false;
    }
    const Chart chart = makeChart(rnd);
    CodeLists lists;
    for (const auto& [c, n] : Centres) {
        lists.centres.push_back(str(c));
    }
    for (const auto& [c, n] : Activities) {
        lists.activities.push_back(str(c));
    }
    for (int y = 0; y < plan.years; ++y) {
        const int year = 2024 + y;
        const QString folder = agenda + QStringLiteral("ROK.%1/").arg(y + 1, 3, 10, QChar(u'0'));
        if (!QDir().mkpath(folder)) {
            *error = QStringLiteral("Nelze vytvořit adresář %1").arg(folder);
            return false;
        }
        std::vector<std::pair<QString, QString>> centres;
        std::vector<std::pair<QString, QString>> activities;
        for (const auto& [c, n] : Centres) {
            centres.emplace_back(str(c), str(n));
        }
        for (const auto& [c, n] : Activities) {
            activities.emplace_back(str(c), str(n));
        }
        const long long yearLines =
            plan.lines / plan.years + (y == 0 ? plan.lines % plan.years : 0);
        if (!writeSettings(folder, "ROK", plan.tableSettings, yearSettings(year), error, made,
                           root) ||
            !writeChart(folder, chart, error, made, root) ||
            !writeCodeList(folder, "SZSTRED", centres, error, made, root) ||
            !writeCodeList(folder, "SZCINN", activities, error, made, root) ||
            !writeOrders(folder, year, plan.orders, rnd, firms, &lists, error, made, root)) {
            return false;
        }
        YearWriter writer(root, folder, year, plan.multiRate, rnd, chart, lists, firms);
        if (!writer.run(yearLines, error, made)) {
            return false;
        }
    }
    return true;
}

} // namespace

bool createDemoDataRoot(const QString& rootFolder, const DemoOptions& options, QString* error,
                        QStringList* made) {
    QString ignored;
    QString& message = error ? *error : ignored;
    if (options.lines < 0 || options.years < 1 || options.years > 99) {
        message = QStringLiteral("Počet řádků musí být nezáporný a počet let 1 až 99");
        return false;
    }
    const QString root = QDir(rootFolder).absolutePath() + u'/';
    if (!QDir().mkpath(root)) {
        message = QStringLiteral("Nelze vytvořit adresář %1").arg(root);
        return false;
    }
    // A data root keeps one layout of the host's rights; the file PRISUZIV of
    // the older one is how the readers tell them apart, so the other
    // layout's tables must not stay behind from an earlier demo.
    for (const char* stale : {"PRISTUP", "PRISTUP2", "PRISUZIV", "PRISPOL"}) {
        QFile::remove(
            host::paths::resolve(root + QString::fromLatin1(stale) + QStringLiteral(".DAT")));
    }
    if (options.olderRights ? !writeOlderRights(root, &message, made)
                            : !writeNewerRights(root, &message, made)) {
        return false;
    }
    AgendaPlan main;
    main.agendaFolder = QStringLiteral("AGENDA.001");
    main.tradeName = str("Stavby a montáže Haná, s.r.o.");
    main.ico = QStringLiteral("25596641");
    main.years = options.years;
    main.lines = options.lines;
    main.orders = int(std::clamp<long long>(options.lines / 20, 50, 3000));
    if (!writeAgenda(root, main, options.seed, &message, made)) {
        return false;
    }
    AgendaPlan small;
    small.agendaFolder = QStringLiteral("AGENDA.002");
    small.tableSettings = true;
    small.multiRate = true;
    small.tradeName = str("Účetní kancelář Říha & Čechová");
    small.ico = QStringLiteral("27082440");
    small.years = 1;
    small.lines = std::min<long long>(options.lines, 2000);
    small.orders = 50;
    small.extendedRights = true;
    return writeAgenda(root, small, options.seed ^ 0x5A5A5A5AULL, &message, made);
}

} // namespace arvelo::demo
