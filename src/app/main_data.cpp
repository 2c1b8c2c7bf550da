#include "app/main_data.h"

#include "app/prompts.h"
#include "rights/host_users.h"
#include "rights/pristup_prava.h"

namespace arvelo::app {

THlavniData::THlavniData(Prompts& prompts, const SystemFormats& formats)
    : mtParametry({{QStringLiteral("Nazev"), host::FieldType::Text, 255},
                   {QStringLiteral("Hodnota"), host::FieldType::Text, 255}}),
      mtYear({{QStringLiteral("YearName"), host::FieldType::Text, 10},
              {QStringLiteral("YearNumber"), host::FieldType::Text, 10},
              {QStringLiteral("Zpracovano"), host::FieldType::Boolean, 0}}),
      mtDatumSkupiny({{QStringLiteral("Zkratka"), host::FieldType::Text, 10},
                      {QStringLiteral("Nazev"), host::FieldType::Text, 50},
                      {QStringLiteral("DatumOd"), host::FieldType::Date, 0},
                      {QStringLiteral("DatumDo"), host::FieldType::Date, 0}}),
      mtObraty({{QStringLiteral("Zkratka"), host::FieldType::Text, 255},
                {QStringLiteral("Ucet"), host::FieldType::Text, 6},
                {QStringLiteral("ObratMD"), host::FieldType::Amount, 0},
                {QStringLiteral("ObratD"), host::FieldType::Amount, 0},
                {QStringLiteral("PSMD"), host::FieldType::Amount, 0},
                {QStringLiteral("PSD"), host::FieldType::Amount, 0},
                {QStringLiteral("Nakladovy"), host::FieldType::Boolean, 0},
                {QStringLiteral("Nazev"), host::FieldType::Text, 100}}),
      mtSkupiny({{QStringLiteral("Zkratka"), host::FieldType::Text, 255},
                 {QStringLiteral("Nazev"), host::FieldType::Text, 50},
                 {QStringLiteral("NakladyPS"), host::FieldType::Amount, 0},
                 {QStringLiteral("NakladyOB"), host::FieldType::Amount, 0},
                 {QStringLiteral("NakladyKS"), host::FieldType::Amount, 0},
                 {QStringLiteral("VynosyPS"), host::FieldType::Amount, 0},
                 {QStringLiteral("VynosyOB"), host::FieldType::Amount, 0},
                 {QStringLiteral("VynosyKS"), host::FieldType::Amount, 0},
                 {QStringLiteral("HospVyslPS"), host::FieldType::Amount, 0},
                 {QStringLiteral("HospVysl"), host::FieldType::Amount, 0},
                 {QStringLiteral("HospVyslKS"), host::FieldType::Amount, 0},
                 {QStringLiteral("ID"), host::FieldType::Integer, 0, true},
                 {QStringLiteral("ProcentZisk"), host::FieldType::Amount, 0}}),
      mtSestava({{QStringLiteral("Ucet"), host::FieldType::Text, 6},
                 {QStringLiteral("Nazev"), host::FieldType::Text, 100},
                 {QStringLiteral("PS"), host::FieldType::Amount, 0},
                 {QStringLiteral("Obrat"), host::FieldType::Amount, 0},
                 {QStringLiteral("KS"), host::FieldType::Amount, 0},
                 {QStringLiteral("Poradi"), host::FieldType::Integer, 0},
                 {QStringLiteral("Typ"), host::FieldType::Integer, 0},
                 {QStringLiteral("IDSkupiny"), host::FieldType::Integer, 0},
                 {QStringLiteral("TypUctu"), host::FieldType::Integer, 0}}),
      Tabulka(host::TBFTable::create()), TabulkaOsnova(host::TBFTable::create()),
      TabulkaSkupin(host::TBFTable::create()), m_prompts(prompts), m_formats(formats),
      m_vyzvyPrav(prompts) {
    mtParametry.addIndex({QStringLiteral("Nazev"), {QStringLiteral("Nazev")}, true});
    // Group keys that differ only in letter case are one group.
    mtObraty.addIndex(
        {QStringLiteral("ZkratkaUcet"), {QStringLiteral("Zkratka"), QStringLiteral("Ucet")}, true});
    mtObraty.addIndex({QStringLiteral("Zkratka"), {QStringLiteral("Zkratka")}, true});
    mtSkupiny.addIndex({QStringLiteral("Zkratka"), {QStringLiteral("Zkratka")}, true});
    mtSkupiny.addIndex({QStringLiteral("ID"), {QStringLiteral("ID")}, false});
    mtSestava.addIndex({QStringLiteral("IDSkupiny"), {QStringLiteral("IDSkupiny")}, false});
}

THlavniData::~THlavniData() {
    ZavritTabulky();
}

void THlavniData::VytvoritPristupPrava() {
    m_pristupPrava.reset();
    m_seznamyMoney = std::make_unique<rights::TSeznamySUzivateliMoney>(
        SeznamyPruvodce, Kontext.AdresarDat, m_vyzvyPrav);
    m_pristupPrava = std::make_unique<rights::TPristupPrava>(
        Kontext.AdresarAgendy, Kontext.AdresarDat, KlicPrav, m_vyzvyPrav, *m_seznamyMoney);
}

void THlavniData::ZavritTabulky() {
    for (auto* t : {Tabulka.get(), TabulkaOsnova.get(), TabulkaSkupin.get()}) {
        if (t && t->IsOpen()) {
            t->Close();
        }
    }
}

std::optional<QString> THlavniData::PublikovanaVlastnost(const QString& name) const {
    const std::pair<const char16_t*, const QString*> kVlastnosti[] = {
        {u"NazevAgendy", &NazevAgendy},     {u"ICOAgendy", &ICOAgendy},
        {u"ObdobiText", &ObdobiText},       {u"PohybyText", &PohybyText},
        {u"PorovnaniText", &PorovnaniText},
    };
    for (const auto& [n, v] : kVlastnosti) {
        if (name.compare(QStringView(n), Qt::CaseInsensitive) == 0) {
            return *v;
        }
    }
    return std::nullopt;
}

void THlavniData::ZobrazitInformace() {
    m_prompts.showInformation(Informace, Volby.ExportInitialDir);
}

void THlavniData::ZobrazitPracuji(const QString& message, bool offerInterrupt) {
    if (offerInterrupt) {
        m_prompts.showWorking(message, [this] { Preruseno = true; });
    } else {
        m_prompts.showWorking(message);
    }
}

void THlavniData::SkrytPracuji() {
    m_prompts.hideWorking();
}

std::optional<QString> THlavniData::Parametr(const QString& nazev) {
    const int index = mtParametry.indexNumber(u"Nazev");
    const ui::RecId id = mtParametry.find(index, {host::Variant(nazev)});
    if (id == ui::NoRecord) {
        return std::nullopt;
    }
    return mtParametry.textAt(id, mtParametry.fieldIndex(u"Hodnota"));
}

} // namespace arvelo::app
