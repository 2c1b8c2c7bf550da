#include "host/host_schema.h"
#include "host/host_table.h"

#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace arvelo::host {
namespace {

TEST(HostSchema, LooksUpTablesWithoutRegardToCase) {
    ASSERT_NE(schema::find(QStringLiteral("UCDENIK")), nullptr);
    EXPECT_EQ(schema::find(QStringLiteral("ucdenik")), schema::find(QStringLiteral("UCDENIK")));
    EXPECT_EQ(schema::find(QStringLiteral("UcOsnova"))->name, QStringLiteral("UCOSNOVA"));
    EXPECT_EQ(schema::find(QStringLiteral("NEEXISTUJE")), nullptr);
    EXPECT_EQ(schema::find(QString()), nullptr);

    QSet<QString> names;
    for (const TableDef& def : schema::tables()) {
        EXPECT_FALSE(names.contains(def.name.toUpper())) << def.name.toStdString();
        names.insert(def.name.toUpper());
        EXPECT_EQ(def.name, def.name.toUpper());
        for (const FieldDef& f : def.fields) {
            if (f.type == FieldType::Text) {
                EXPECT_GT(f.size, 0) << def.name.toStdString() << "." << f.name.toStdString();
            }
        }
    }
}

// Every field and index the readers name, table by table.
TEST(HostSchema, HoldsTheFieldsAndIndexesTheReadersUse) {
    struct Case {
        const char* table;
        FolderLevel level;
        QStringList fields;
        QStringList indexes;
    };
    const Case cases[] = {
        {"UCDENIK",
         FolderLevel::Year,
         {"UcMD", "UcD", "Del", "Free", "Zdroj", "Cinnost", "Stred", "Zakazka", "Datum", "Castka",
          "Cislo", "Doklad", "Popis", "ParSym", "ParICO", "AdCislo", "ZRadek"},
         {"UcMD", "UcD", "Cislo"}},
        {"UCOSNOVA",
         FolderLevel::Year,
         {"Ucet", "Nazev", "DruhUctu", "UcetTyp", "UcetPodTyp", "Pozn"},
         {"Ucet"}},
        {"ZAKAZKY",
         FolderLevel::Year,
         {"Zkrat", "Nazev", "CObjednavk", "StavZak", "Hodnoceni", "DruhZak", "OdpOs", "DatPlZah",
          "DatZah", "DatPlPred", "DatPred", "Zaruka", "ZarukaDo", "Pozn"},
         {"Zkrat"}},
        {"SZSTRED", FolderLevel::Year, {"Zkrat", "Nazev", "Pozn"}, {"Zkrat"}},
        {"SZCINN", FolderLevel::Year, {"Zkrat", "Nazev", "Pozn"}, {"Zkrat"}},
        {"ADRESARF", FolderLevel::Agenda, {"Cislo", "ObchNazev", "ICO"}, {"ICO", "Cislo"}},
        {"UCDPHOBD", FolderLevel::Agenda, {"DatumOd"}, {"DatumOd"}},
        {"ROK",
         FolderLevel::Year,
         {"Section1", "Variable", "TypeVar", "Value"},
         {"Section1+Variable"}},
        {"AGENDA",
         FolderLevel::Agenda,
         {"Section1", "Variable", "TypeVar", "Value"},
         {"Section1+Variable"}},
        {"BANKKNIH",
         FolderLevel::Year,
         {"Cislo",      "Vydej",      "Doklad",   "AdNazev", "DatPlat",    "Ucet",
          "Zakl0",      "SSazba",     "ZaklSS",   "DPHSS",   "ZSazba",     "ZaklZS",
          "DPHZS",      "SazbaDPH_3", "Zaklad_6", "DPH_4",   "ValutyZak0", "ValutyDPH2",
          "PovahDPH_3", "PorDPH_1",   "PorDPH_2", "Mena",    "PocetJedn",  "Kurs"},
         {"Cislo"}},
        {"POKLKNIH", FolderLevel::Year, {"Cislo", "Vydej", "Pokl", "DatPlat", "ZaklZS"}, {"Cislo"}},
        {"INTDOKL",
         FolderLevel::Year,
         {"Cislo", "DatUcPr", "DatPln", "Cleneni", "Zakl0", "Kurs"},
         {"Cislo"}},
        {"KNIHZAV",
         FolderLevel::Year,
         {"Cislo", "DatSpl", "UhDatum", "UcPokl", "PrDokl", "DPHSS"},
         {"Cislo"}},
        {"KNIHPOHL", FolderLevel::Year, {"Cislo", "CObjed", "UcPokl", "ValutyDPH1"}, {"Cislo"}},
        {"VFAKTURY",
         FolderLevel::Year,
         {"Cislo", "O_NazevOb", "O_Jmeno", "O_ICO", "CObjednavk", "ZpDopravy", "TextPredFa",
          "TextZaFa", "Zaklad_0", "SazbaDPH1", "Zaklad_1", "DPH_1", "ValutyZak1", "ValutyDPH1",
          "SazbaDPH6", "PovahDPH_6", "DatSkPoh"},
         {"Cislo"}},
        {"PFAKTURY",
         FolderLevel::Year,
         {"Cislo", "D_NazevOb", "D_ICO", "PrijatDokl", "Poznamka", "KodDPH", "PredKontac",
          "Zaklad_2"},
         {"Cislo"}},
        {"SKSEZDOK",
         FolderLevel::Year,
         {"CDokladu",  "Typ",       "DSkamaPohy", "CFaktury",   "CisloDokla", "PopisX",   "A_Jmeno",
          "A_ICO",     "Datum",     "Zaklad0",    "Zaklad5",    "DPH5",       "Zaklad22", "DPH22",
          "SazbaDPH1", "SazbaDPH2", "Zaklad_3",   "VyrizFaktu", "TextPredPo", "TextZaPol"},
         {"CDokladu"}},
        {"VFAKTPOL",
         FolderLevel::Year,
         {"Cislo", "Poradi", "CisloKat", "CenaTyp", "Sleva", "Valuty"},
         {"Cislo+Poradi"}},
        {"PFAKTPOL",
         FolderLevel::Year,
         {"Cislo", "Poradi", "KodDPH", "PredKontac"},
         {"Cislo+Poradi"}},
        {"SKSEZPOL",
         FolderLevel::Year,
         {"TypDokladu", "CDokladu", "CisloPoloz", "MasterCisl", "Nazev", "Katalog", "MJ", "DPH",
          "UcetMD", "UcetD"},
         {"TypDokladu+CDokladu+CisloPoloz"}},
        {"POLUCDBK",
         FolderLevel::Year,
         {"CISLO", "Poradi", "TextMJ", "CenaTyp", "Cleneni", "PrKont", "Valuty"},
         {"CISLO"}},
        {"POLUCDKP", FolderLevel::Year, {"CISLO"}, {"CISLO"}},
        {"ROZPUID",
         FolderLevel::Year,
         {"CisDokladu", "Popis", "SazbaDPH", "Castka", "TypCena", "Stred", "CastkaCM", "UcMD",
          "UcD"},
         {"CisDokladu"}},
        {"ROZPUKZ", FolderLevel::Year, {"CisDokladu"}, {"CisDokladu"}},
        {"PRISTUP",
         FolderLevel::DataRoot,
         {"ID", "KonfigName", "Jmeno", "Poznamka", "Password", "Vysledovka", "Pristupova",
          "VisPorCenu", "UzamceniDo", "ZobrAkce", "JUKUhradDl"},
         {"Jmeno", "Password"}},
        {"PRISTUP2",
         FolderLevel::DataRoot,
         {"Password", "SeznamPPop", "SeznamVPop", "SeznamPNab", "JUInterniD", "KonfUdZas"},
         {}},
        {"PRISUZIV",
         FolderLevel::DataRoot,
         {"ID_Pristup", "KonfigName", "Jmeno", "Password", "UzivOS", "PrihlZp", "VisPorCenu"},
         {"Jmeno", "Password", "UzivOS"}},
        {"PRISPOL",
         FolderLevel::DataRoot,
         {"FL_Pristup", "Polozka", "Hodnota"},
         {"FL_Pristup+Polozka"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.table);
        const TableDef* def = schema::find(QString::fromLatin1(c.table));
        ASSERT_NE(def, nullptr);
        EXPECT_EQ(def->level, c.level);
        for (const QString& f : c.fields) {
            EXPECT_NE(def->field(f), nullptr) << f.toStdString();
        }
        for (const QString& name : c.indexes) {
            const auto it = std::find_if(def->indexes.begin(), def->indexes.end(),
                                         [&](const IndexDef& idx) { return idx.name == name; });
            ASSERT_NE(it, def->indexes.end()) << name.toStdString();
            EXPECT_EQ(it->fields, name.split(u'+'));
        }
    }
    // The types the readers convert from.
    const TableDef* journal = schema::find(QStringLiteral("UCDENIK"));
    EXPECT_EQ(journal->field(QStringLiteral("Castka"))->type, FieldType::Amount);
    EXPECT_EQ(journal->field(QStringLiteral("Datum"))->type, FieldType::Date);
    EXPECT_EQ(journal->field(QStringLiteral("Del"))->type, FieldType::Boolean);
    EXPECT_EQ(journal->field(QStringLiteral("ZRadek"))->type, FieldType::Integer);
    EXPECT_EQ(journal->field(QStringLiteral("UcMD"))->size, schema::size::Account);
}

// Each table of the catalogue can be made, opened and indexed by every index it names.
TEST(HostSchema, EveryTableCanBeCreatedOpenedAndIndexed) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const TableDef& def : schema::tables()) {
        SCOPED_TRACE(def.name.toStdString());
        const QString path = dir.path() + u'/' + def.name;
        QString error;
        ASSERT_EQ(CreateTable(path, def, false, &error), result::Ok) << error.toStdString();
        const std::unique_ptr<TBFTable> table = TBFTable::create();
        ASSERT_EQ(table->Open(path), result::Ok) << table->LastError().toStdString();
        ASSERT_EQ(table->Fields().size(), def.fields.size());
        for (std::size_t i = 0; i < def.fields.size(); ++i) {
            EXPECT_EQ(table->Fields()[i].name, def.fields[i].name);
            EXPECT_EQ(table->Fields()[i].type, def.fields[i].type)
                << def.fields[i].name.toStdString();
        }
        EXPECT_EQ(table->Indexes().size(), def.indexes.size());
        for (const IndexDef& idx : def.indexes) {
            EXPECT_EQ(table->SetIndex(idx.name.toLower()), result::Ok) << idx.name.toStdString();
        }
        EXPECT_EQ(table->SetIndex(QStringLiteral("NeniTakovyIndex")), result::NoIndex);
        EXPECT_EQ(table->RecordCount(), 0);
        table->Close();
    }
}

} // namespace
} // namespace arvelo::host
