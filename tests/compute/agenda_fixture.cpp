#include "agenda_fixture.h"

#include "host/day_date.h"
#include "host/host_schema.h"
#include "host/host_table.h"
#include "rights/scramble.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace arvelo::test {

namespace {
// Writes records into a new table of the catalogue.
class Writer {
public:
    Writer(const QString& folder, const QString& name) : m_table(host::TBFTable::create()) {
        const host::TableDef* def = host::schema::find(name);
        EXPECT_NE(def, nullptr) << name.toStdString();
        if (!def) {
            return;
        }
        const QString path = folder + def->name;
        if (!QFile::exists(path + ".DAT")) {
            QString error;
            EXPECT_EQ(host::CreateTable(path, *def, true, &error), host::result::Ok)
                << error.toStdString();
        }
        EXPECT_EQ(m_table->Open(path), host::result::Ok);
        m_table->BeginUpdate();
    }
    ~Writer() {
        if (m_table->IsOpen()) {
            m_table->CommitUpdate();
            m_table->Close();
        }
    }
    void addValues(const std::vector<std::pair<QString, host::Variant>>& values) {
        m_table->Append();
        for (const auto& [field, value] : values) {
            m_table->SetValue(field, value);
        }
        EXPECT_EQ(m_table->Post(), host::result::Ok);
    }
    void add(std::initializer_list<std::pair<const char*, host::Variant>> values) {
        std::vector<std::pair<QString, host::Variant>> named;
        for (const auto& [field, value] : values) {
            named.emplace_back(QString::fromLatin1(field), value);
        }
        addValues(named);
    }

private:
    std::unique_ptr<host::TBFTable> m_table;
};

int stored(const QDate& d) {
    return int(daydate::fromDate(d)) - 1;
}
} // namespace

app::SystemFormats czechFormats() {
    return app::SystemFormats(QLocale(QLocale::Czech, QLocale::Czechia));
}

TestAgenda::TestAgenda() {
    EXPECT_TRUE(m_dir.isValid());
    QDir().mkpath(agenda());
    QFile ini(agenda() + "AGENDA.INI");
    EXPECT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[Údaje o firmě]\r\nNázev-obchodní=Zkušební firma\r\nIČO=12345678\r\n");
    ini.close();
    hostUser(1, QStringLiteral("Správce"), QString(), true);
}

void TestAgenda::hostUser(int id, const QString& name, const QString& password, bool vysledovka) {
    const QString stored = rights::Scramble(password);
    for (const char* table : {"PRISTUP", "PRISTUP2"}) {
        const host::TableDef* def = host::schema::find(QString::fromLatin1(table));
        ASSERT_NE(def, nullptr);
        Writer w(root(), def->name);
        std::vector<std::pair<QString, host::Variant>> values = {{"ID", id}, {"Password", stored}};
        if (def->field(QStringLiteral("Jmeno"))) {
            values.push_back({QStringLiteral("Jmeno"), name});
        }
        // Every access level ("A" full, "R" read, "N" none) is a one-letter text.
        for (const host::FieldDef& f : def->fields) {
            if (f.type == host::FieldType::Text && f.size == 1) {
                const bool module = f.name == QLatin1String("Vysledovka");
                values.push_back(
                    {f.name, QStringLiteral("%1").arg(module && !vysledovka ? 'N' : 'A')});
            }
        }
        w.addValues(values);
    }
}

void TestAgenda::addYear(const QString& number, const QString& name, QDate od, QDate do_) {
    const QString folder = yearFolder(number);
    QDir().mkpath(folder);
    QFile ini(folder + "ROK.INI");
    EXPECT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write(QStringLiteral("[Global]\r\nÚčetní rok=%1\r\nHospodářský rok od=%2\r\n"
                             "Hospodářský rok do=%3\r\nPodvojné účetnictví=Y\r\n")
                  .arg(name)
                  .arg(stored(od))
                  .arg(stored(do_))
                  .toUtf8());
    for (const char* t : {"UCOSNOVA", "UCDENIK", "ZAKAZKY", "SZSTRED", "SZCINN"}) {
        Writer(folder, QString::fromLatin1(t));
    }
}

void TestAgenda::accounts(const QString& year, const std::vector<Ucet>& accounts) {
    Writer w(yearFolder(year), QStringLiteral("UCOSNOVA"));
    for (const Ucet& u : accounts) {
        w.add({{"Ucet", u.ucet},
               {"Nazev", u.nazev},
               {"DruhUctu", u.druh},
               {"UcetTyp", u.typ},
               {"UcetPodTyp", u.podTyp}});
    }
}

void TestAgenda::journal(const QString& year, const std::vector<Radek>& lines) {
    Writer w(yearFolder(year), QStringLiteral("UCDENIK"));
    for (const Radek& r : lines) {
        const host::Variant datum = r.datum.isValid()
                                        ? host::Variant::date(daydate::fromDate(r.datum) + r.cas)
                                        : host::Variant();
        w.add({{"Cislo", r.cislo},
               {"Datum", datum},
               {"UcMD", r.md},
               {"UcD", r.d},
               {"Castka", *Currency::parse(r.castka)},
               {"Zdroj", r.zdroj},
               {"Zakazka", r.zakazka},
               {"Stred", r.stred},
               {"Cinnost", r.cinnost},
               {"ParICO", r.ico},
               {"AdCislo", r.adCislo},
               {"Del", r.del},
               {"Free", r.free}});
    }
}

void TestAgenda::codes(const QString& year, const QString& table, const std::vector<Kod>& codes) {
    Writer w(yearFolder(year), table);
    for (const Kod& k : codes) {
        w.add({{"Zkrat", k.zkrat}, {"Nazev", k.nazev}});
    }
}

void TestAgenda::addresses(const std::vector<Firma>& firms) {
    Writer w(agenda(), QStringLiteral("ADRESARF"));
    for (const Firma& f : firms) {
        w.add({{"Cislo", f.cislo}, {"ICO", f.ico}, {"ObchNazev", f.nazev}});
    }
}

void TestAgenda::standardYears() {
    addYear("001", "2018", {2018, 1, 1}, {2018, 12, 31});
    addYear("002", "2019", {2019, 1, 1}, {2019, 12, 31});
    const std::vector<Ucet> osnova = {
        {"501100", "Spotřeba materiálu", 3}, {"518300", "Nájemné", 3},
        {"518400", "Služby IT", 3},          {"521000", "Mzdy", 3},
        {"602100", "Tržby za služby", 4},    {"604000", "Tržby za zboží", 4},
        {"211000", "Pokladna", 0, 0, 1},     {"701000", "Počáteční účet", 0, 0, 1},
    };
    accounts("001", osnova);
    accounts("002", osnova);
}

void TestAgenda::attach(app::THlavniData& data, const QString& year) const {
    data.Kontext.AdresarDat = root();
    data.Kontext.AdresarAgendy = agenda();
    data.Kontext.AdresarRoku = yearFolder(year);
}

QStringList TestAgenda::hostArguments(const QString& year, const QString& password) const {
    return {QStringLiteral("?MAIN=%1?MAIN").arg(root() + "Money"),
            QStringLiteral("?AKTROK=%1?AKTROK").arg(yearFolder(year)),
            QStringLiteral("?MVERZE=17.100?MVERZE"),
            QStringLiteral("?AKTDATUMM=15.06.2019?AKTDATUMM"),
            QStringLiteral("?AKTHESLO=%1?AKTHESLO").arg(password),
            QStringLiteral("?AKTCFGNAME=Test?AKTCFGNAME")};
}

} // namespace arvelo::test
