#pragma once

#include "app/agenda.h"
#include "app/locale_format.h"
#include "app/options.h"
#include "app/rights_adapter.h"
#include "app/startup.h"
#include "host/currency.h"
#include "host/host_table.h"
#include "ui/mem_table.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

namespace arvelo::rights {
class TPristupPrava;
class TSeznamySUzivateliMoney;
} // namespace arvelo::rights

namespace arvelo::app {

class Prompts;

// The main form's data, without any window: the start-up context, the working
// tables, the host cursors, the flags and totals. The wizard window owns it;
// the computation and the batch mode use it headless. Every message, the
// working notice and the information window go through the prompt seam.
class THlavniData {
public:
    explicit THlavniData(Prompts& prompts, const SystemFormats& formats = SystemFormats());
    ~THlavniData();
    THlavniData(const THlavniData&) = delete;
    THlavniData& operator=(const THlavniData&) = delete;

    Prompts& Vyzvy() const { return m_prompts; }
    const SystemFormats& Formaty() const { return m_formats; }

    TKontextSpusteni Kontext;
    TVolby Volby;

    // Start-up parameters: Nazev (upper case), Hodnota.
    ui::TMemTable mtParametry;
    // The agenda's accounting years: YearName, YearNumber, Zpracovano.
    ui::TMemTable mtYear;
    // The date periods of a run grouped by months ... years: Zkratka, Nazev,
    // DatumOd, DatumDo.
    ui::TMemTable mtDatumSkupiny;
    // Turnovers per (group key, account): Zkratka, Ucet, ObratMD, ObratD, PSMD,
    // PSD, Nakladovy, Nazev. Hashed indexes "ZkratkaUcet" and "Zkratka", both
    // without regard to letter case.
    ui::TMemTable mtObraty;
    // One record per group: Zkratka, Nazev, the cost/revenue/result amounts,
    // ID (auto-increment), ProcentZisk. Hashed index "Zkratka" without regard
    // to letter case, and "ID".
    ui::TMemTable mtSkupiny;
    // The report lines: Ucet, Nazev, PS, Obrat, KS, Poradi, Typ, IDSkupiny,
    // TypUctu; index "IDSkupiny".
    ui::TMemTable mtSestava;

    // The three host cursors the main form's operations share: journal and
    // other single-table reads, chart of accounts, the group's code list.
    std::unique_ptr<host::TBFTable> Tabulka;
    std::unique_ptr<host::TBFTable> TabulkaOsnova;
    std::unique_ptr<host::TBFTable> TabulkaSkupin;
    void ZavritTabulky();

    TMoneySazbyDPHAgendy SazbyDPH;
    bool MaObdobiDPH() const { return SazbyDPH.MaObdobiDPH(); }

    bool Preruseno = false;     // the user asked to interrupt
    bool ChybovyStav = false;   // the run listed data problems
    bool Zaneprazdneno = false; // busy: bulk walks of the result tables

    Currency SoucetNakladyOB;
    Currency SoucetVynosyOB;
    Currency SoucetHospVysl;

    // Published texts, readable by name from print and export templates.
    QString NazevAgendy;
    QString ICOAgendy;
    QString ObdobiText;
    QString PohybyText;
    QString PorovnaniText;
    std::optional<QString> PublikovanaVlastnost(const QString& name) const;

    // The lines of the information window (data problems of a run).
    QStringList Informace;
    void ZobrazitInformace();

    // The working notice; with offerInterrupt its "Přerušit" sets Preruseno.
    void ZobrazitPracuji(const QString& message, bool offerInterrupt = false);
    void SkrytPracuji();

    // Start-up parameter lookup, name without regard to letter case.
    std::optional<QString> Parametr(const QString& nazev);

    // The key of the extended-rights file, built once at start-up.
    QByteArray KlicPrav;
    // The agenda's extended per-user rights, created by the start-up sequence
    // for AdresarAgendy; null before.
    rights::TPristupPrava* PristupPrava() const { return m_pristupPrava.get(); }
    void VytvoritPristupPrava();
    // The wizard's pick lists, plugged in for the rights windows.
    TSeznamyPruvodce SeznamyPruvodce;

private:
    Prompts& m_prompts;
    SystemFormats m_formats;
    TVyzvyPrav m_vyzvyPrav;
    std::unique_ptr<rights::TSeznamySUzivateliMoney> m_seznamyMoney;
    std::unique_ptr<rights::TPristupPrava> m_pristupPrava;
};

} // namespace arvelo::app
