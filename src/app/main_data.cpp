#include "app/main_data.h"

#include "app/prompts.h"

namespace arvelo::app {

THlavniData::THlavniData(Prompts& prompts, const SystemFormats& formats)
    : mtParametry({{QStringLiteral("Nazev"), host::FieldType::Text, 255},
                   {QStringLiteral("Hodnota"), host::FieldType::Text, 255}}),
      mtYear({{QStringLiteral("YearName"), host::FieldType::Text, 10},
              {QStringLiteral("YearNumber"), host::FieldType::Text, 10},
              {QStringLiteral("Zpracovano"), host::FieldType::Boolean, 0}}),
      Tabulka(host::TBFTable::create()), TabulkaOsnova(host::TBFTable::create()),
      TabulkaSkupin(host::TBFTable::create()), m_prompts(prompts), m_formats(formats) {
    mtParametry.addIndex({QStringLiteral("Nazev"), {QStringLiteral("Nazev")}, true});
}

THlavniData::~THlavniData() {
    ZavritTabulky();
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
