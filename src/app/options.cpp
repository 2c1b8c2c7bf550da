#include "app/options.h"

#include "app/agenda.h"
#include "app/ini_file.h"
#include "app/main_data.h"
#include "app/prompts.h"

namespace arvelo::app {

namespace {
const QString kVysledovka = QStringLiteral("VYSLEDOVKA");
const QString kMain = QStringLiteral("MAIN");

class Ctenar final : public TVolby::Navstevnik {
public:
    Ctenar(TIniFile& ini, const QString& pripona) : m_ini(ini), m_pripona(pripona) {}
    void logicka(const QString& s, const QString& k, bool& v, bool def) override {
        v = m_ini.ReadBool(s + m_pripona, k, def);
    }
    void cislo(const QString& s, const QString& k, int& v, int def) override {
        v = m_ini.ReadInteger(s + m_pripona, k, def);
    }
    void text(const QString& s, const QString& k, QString& v, const QString& def) override {
        v = m_ini.ReadString(s + m_pripona, k, def);
    }
    void seznam(const QString& s, const QString& k, QString& v) override {
        v = OdstranitUvozovky(m_ini.ReadString(s + m_pripona, k, QString()));
    }
    void datumCas(const QString& s, const QString& k, QDateTime& v, const QDateTime& def) override {
        v = m_ini.ReadDateTime(s + m_pripona, k, def);
    }

private:
    TIniFile& m_ini;
    QString m_pripona;
};

class Zapisovac final : public TVolby::Navstevnik {
public:
    Zapisovac(TIniFile& ini, const QString& pripona) : m_ini(ini), m_pripona(pripona) {}
    void logicka(const QString& s, const QString& k, bool& v, bool) override {
        m_ini.WriteBool(s + m_pripona, k, v);
    }
    void cislo(const QString& s, const QString& k, int& v, int) override {
        m_ini.WriteInteger(s + m_pripona, k, v);
    }
    void text(const QString& s, const QString& k, QString& v, const QString&) override {
        m_ini.WriteString(s + m_pripona, k, v);
    }
    void seznam(const QString& s, const QString& k, QString& v) override {
        m_ini.WriteString(s + m_pripona, k, u'"' + v + u'"');
    }
    void datumCas(const QString& s, const QString& k, QDateTime& v, const QDateTime&) override {
        m_ini.WriteDateTime(s + m_pripona, k, v);
    }

private:
    TIniFile& m_ini;
    QString m_pripona;
};
} // namespace

void TVolby::projit(Navstevnik& n, const Vychozi& d) {
    const QString& V = kVysledovka;
    const QString& M = kMain;
    n.logicka(V, QStringLiteral("Maximized"), Maximized, true);

    n.logicka(M, QStringLiteral("Datum"), Datum, false);
    n.cislo(M, QStringLiteral("DatObdobi"), DatObdobi, 0);
    n.datumCas(M, QStringLiteral("DatumOd"), DatumOd, d.dnes);
    n.datumCas(M, QStringLiteral("DatumDo"), DatumDo, d.dnes);
    n.logicka(M, QStringLiteral("ZavritOkno"), ZavritOkno, false);
    n.logicka(M, QStringLiteral("Cinnosti"), Cinnosti, false);
    n.seznam(M, QStringLiteral("CinnostiText"), CinnostiText);
    n.logicka(M, QStringLiteral("CinnostiNeg"), CinnostiNeg, false);
    n.logicka(M, QStringLiteral("Strediska"), Strediska, false);
    n.seznam(M, QStringLiteral("StrediskaText"), StrediskaText);
    n.logicka(M, QStringLiteral("StrediskaNeg"), StrediskaNeg, false);
    n.logicka(M, QStringLiteral("Zakazky"), Zakazky, false);
    n.seznam(M, QStringLiteral("ZakazkyText"), ZakazkyText);
    n.logicka(M, QStringLiteral("ZakazkyNeg"), ZakazkyNeg, false);
    n.logicka(M, QStringLiteral("Ucty"), Ucty, false);
    n.seznam(M, QStringLiteral("UctyText"), UctyText);
    n.logicka(M, QStringLiteral("UctyNeg"), UctyNeg, false);
    n.logicka(M, QStringLiteral("IgnorovatPrevod"), IgnorovatPrevod, true);
    n.logicka(M, QStringLiteral("Seskupit"), Seskupit, true);
    n.cislo(M, QStringLiteral("SeskupitDle"), SeskupitDle, 0);
    n.cislo(M, QStringLiteral("TypZobrazeni"), TypZobrazeni, 1);
    n.cislo(M, QStringLiteral("RezimSestavy"), RezimSestavy, 0);
    n.logicka(M, QStringLiteral("UctyOvlDan"), UctyOvlDan, true);
    n.logicka(M, QStringLiteral("UctyNEOvlDan"), UctyNEOvlDan, true);
    n.logicka(M, QStringLiteral("TisknoutVse"), TisknoutVse, true);
    n.text(M, QStringLiteral("LastIndexPohyby"), LastIndexPohyby, QStringLiteral("Datum"));
    n.logicka(M, QStringLiteral("GrafNaklady"), GrafNaklady, true);
    n.logicka(M, QStringLiteral("GrafVynosy"), GrafVynosy, true);
    n.logicka(M, QStringLiteral("GrafHospVysl"), GrafHospVysl, true);
    n.logicka(M, QStringLiteral("GrafLegenda"), GrafLegenda, true);
    n.cislo(M, QStringLiteral("GrafMaxPocetSkupin"), GrafMaxPocetSkupin, 4);
    n.cislo(M, QStringLiteral("TabulkaIndexTrideni"), TabulkaIndexTrideni, 0);
    n.text(M, QStringLiteral("ExportInitialDir"), ExportInitialDir,
           d.adresarHlavni + QStringLiteral("Print"));
}

QString OdstranitUvozovky(const QString& text) {
    if (text.size() > 1 && text.startsWith(u'"') && text.endsWith(u'"')) {
        return text.mid(1, text.size() - 2);
    }
    return text;
}

double CisloVerze(const QString& verzeMoney, const SystemFormats& formaty) {
    QString cislo;
    for (const QChar c : verzeMoney) {
        if (c == u' ') {
            break;
        }
        if ((c >= u'0' && c <= u'9') || c == u',' || c == u'.') {
            cislo += c;
        }
    }
    bool ok = false;
    const double v = formaty.parseNumber(cislo, &ok);
    return ok ? v : 0.0;
}

QString TextNepodporovaneVerze(double verze, const SystemFormats& formaty) {
    return QStringLiteral("Tato verze Money není v tomto programu podporována. Proveďte upgrade "
                          "na novější verzi Money.\r\rAktuálně nainstalovaná verze Money: ") +
           formaty.numberText(verze) + QStringLiteral("\r") +
           QStringLiteral("Podporovaná verze Money: ") + formaty.numberText(kPodporovanaVerze) +
           QStringLiteral(" a vyšší");
}

void CistVolby(TVolby& volby, const QString& soubor, const QString& pripona,
               const TVolby::Vychozi& vychozi, const SystemFormats& formaty) {
    TIniFile ini(soubor, TIniFile::Writes::OnUpdate, formaty);
    Ctenar ctenar(ini, pripona);
    volby.projit(ctenar, vychozi);
}

bool ZapsatVolby(TVolby& volby, const QString& soubor, const QString& pripona,
                 const SystemFormats& formaty, QString* chyba) {
    TIniFile ini(soubor, TIniFile::Writes::OnUpdate, formaty);
    Zapisovac zapisovac(ini, pripona);
    volby.projit(zapisovac, {});
    if (!ini.UpdateFile()) {
        if (chyba) {
            *chyba = ini.LastError();
        }
        return false;
    }
    return true;
}

bool NacistVolby(THlavniData& data) {
    TKontextSpusteni& k = data.Kontext;
    k.SouborVoleb = k.AdresarNastaveni + k.NazevKonfigurace + QStringLiteral(".ini");
    const double verze = CisloVerze(k.VerzeMoney, data.Formaty());
    if (verze != 0.0 && verze < kPodporovanaVerze) {
        showError(data.Vyzvy(), TextNepodporovaneVerze(verze, data.Formaty()));
        return false;
    }
    CistVolby(data.Volby, k.SouborVoleb, k.PriponaAgendy,
              {QDateTime::currentDateTime(), k.AdresarHlavni}, data.Formaty());
    NacistAgendu(data);
    return true;
}

bool UlozitVolby(THlavniData& data) {
    QString chyba;
    if (ZapsatVolby(data.Volby, data.Kontext.SouborVoleb, data.Kontext.PriponaAgendy,
                    data.Formaty(), &chyba)) {
        return true;
    }
    showWarning(data.Vyzvy(), QStringLiteral("Volby se nepodařilo uložit do souboru ") +
                                  data.Kontext.SouborVoleb + QStringLiteral(".\r") + chyba);
    return false;
}

} // namespace arvelo::app
