#include "app/agenda.h"

#include "app/main_data.h"
#include "app/prompts.h"
#include "app/s3_ini_file.h"
#include "host/day_date.h"
#include "host/host_paths.h"

namespace arvelo::app {

namespace {
const QString kGlobal = QStringLiteral("Global");

QString rokIni(const QString& adresarRoku) {
    return host::paths::folder(adresarRoku) + QStringLiteral("ROK.INI");
}
} // namespace

QDate HraniceRoku(int ulozenaHodnota) {
    return daydate::toDate(static_cast<double>(ulozenaHodnota) + 1.0);
}

bool NacistRoky(THlavniData& data, const QString& adresarAgendy) {
    ui::TMemTable& t = data.mtYear;
    t.emptyTable(false);
    const int name = t.fieldIndex(u"YearName");
    const int number = t.fieldIndex(u"YearNumber");
    const int done = t.fieldIndex(u"Zpracovano");
    const QString agenda = host::paths::folder(adresarAgendy);
    for (const QString& entry : host::paths::list(agenda, QStringLiteral("Rok.*"), true)) {
        TS3IniFile ini(rokIni(agenda + entry), data.Formaty());
        t.append();
        t.setValue(name,
                   ini.ReadString(kGlobal, QStringLiteral("Účetní rok"), QStringLiteral("---")));
        t.setValue(number, entry.mid(entry.lastIndexOf(u'.') + 1).left(10));
        t.setValue(done, false);
        t.post();
    }
    if (t.recordCount() == 0) {
        showError(data.Vyzvy(),
                  QStringLiteral("Chyba: vybraná agenda neobsahuje žádný účetní rok."));
        return false;
    }
    t.first();
    return true;
}

TRozsah RozsahRoku(const QString& adresarRoku, const SystemFormats& formaty) {
    TS3IniFile ini(rokIni(adresarRoku), formaty);
    return {HraniceRoku(ini.ReadInteger(kGlobal, QStringLiteral("Hospodářský rok od"), 0)),
            HraniceRoku(ini.ReadInteger(kGlobal, QStringLiteral("Hospodářský rok do"), 0))};
}

bool RokVObdobi(const TRozsah& rok, const TRozsah& obdobi) {
    const auto uvnitr = [](const QDate& d, const TRozsah& r) { return d >= r.od && d <= r.do_; };
    return uvnitr(rok.od, obdobi) || uvnitr(rok.do_, obdobi) || uvnitr(obdobi.od, rok) ||
           uvnitr(obdobi.do_, rok);
}

void OznacitRoky(THlavniData& data, const TRozsah& obdobi) {
    ui::TMemTable& t = data.mtYear;
    const int number = t.fieldIndex(u"YearNumber");
    const int done = t.fieldIndex(u"Zpracovano");
    const QString agenda = host::paths::folder(data.Kontext.AdresarAgendy);
    for (const ui::RecId id : std::vector<ui::RecId>(t.viewIds())) {
        const QString slozka = agenda + QStringLiteral("Rok.") + t.textAt(id, number) + u'/';
        const bool vObdobi = RokVObdobi(RozsahRoku(slozka, data.Formaty()), obdobi);
        t.setValueAt(id, done, !vObdobi);
    }
}

void OznacitRoky(THlavniData& data) {
    if (data.Volby.Datum) {
        OznacitRoky(data, {data.Volby.DatumOd.date(), data.Volby.DatumDo.date()});
    } else {
        OznacitRoky(data, RozsahRoku(data.Kontext.AdresarRoku, data.Formaty()));
    }
}

bool JePodvojne(const QString& adresarRoku, const SystemFormats& formaty) {
    TS3IniFile ini(rokIni(adresarRoku), formaty);
    return ini.ReadString(kGlobal, QStringLiteral("Podvojné účetnictví"), QStringLiteral("Y"))
               .toUpper() == QStringLiteral("Y");
}

void NacistAgendu(THlavniData& data) {
    TS3IniFile ini(host::paths::folder(data.Kontext.AdresarAgendy) + QStringLiteral("AGENDA.INI"),
                   data.Formaty());
    const QString sekce = QStringLiteral("Údaje o firmě");
    data.NazevAgendy = ini.ReadString(sekce, QStringLiteral("Název-obchodní"), QString());
    data.ICOAgendy = ini.ReadString(sekce, QStringLiteral("IČO"), QString());
}

void TMoneySazbyDPHAgendy::Nacist(const QString& adresarAgendy) {
    m_maObdobiDPH = false;
    auto table = host::TBFTable::create();
    host::OpenTable guard(*table);
    if (table->Open(host::paths::folder(adresarAgendy) + QStringLiteral("UCDPHOBD")) !=
        host::result::Ok) {
        return;
    }
    m_maObdobiDPH = table->SetIndex(QStringLiteral("DatumOd")) == host::result::Ok;
}

} // namespace arvelo::app
