#pragma once

#include <QDateTime>
#include <QString>

namespace arvelo::app {

class THlavniData;
class SystemFormats;

// The user's own options, kept per configuration in SouborVoleb, in sections
// whose names end with the agenda's folder extension. Every option is a field
// here and one line in TVolby::projit; reading and writing follow that list.
struct TVolby {
    // "VYSLEDOVKA"
    bool Maximized = true;
    // "MAIN"
    bool Datum = false;
    int DatObdobi = 0;
    QDateTime DatumOd;
    QDateTime DatumDo;
    bool ZavritOkno = false;
    bool Cinnosti = false;
    QString CinnostiText;
    bool CinnostiNeg = false;
    bool Strediska = false;
    QString StrediskaText;
    bool StrediskaNeg = false;
    bool Zakazky = false;
    QString ZakazkyText;
    bool ZakazkyNeg = false;
    bool Ucty = false;
    QString UctyText;
    bool UctyNeg = false;
    bool IgnorovatPrevod = true;
    bool Seskupit = true;
    int SeskupitDle = 0;
    int TypZobrazeni = 1;
    int RezimSestavy = 0;
    bool UctyOvlDan = true;
    bool UctyNEOvlDan = true;
    bool TisknoutVse = true;
    QString LastIndexPohyby = QStringLiteral("Datum");
    bool GrafNaklady = true;
    bool GrafVynosy = true;
    bool GrafHospVysl = true;
    bool GrafLegenda = true;
    int GrafMaxPocetSkupin = 4;
    int TabulkaIndexTrideni = 0;
    QString ExportInitialDir;

    // What a default depends on.
    struct Vychozi {
        QDateTime dnes;
        QString adresarHlavni;
    };

    // One visitor for reading and writing: each call names the section (without
    // the agenda suffix), the key, the field and its default.
    class Navstevnik {
    public:
        virtual ~Navstevnik() = default;
        virtual void logicka(const QString& sekce, const QString& klic, bool& v, bool def) = 0;
        virtual void cislo(const QString& sekce, const QString& klic, int& v, int def) = 0;
        virtual void text(const QString& sekce, const QString& klic, QString& v,
                          const QString& def) = 0;
        // An item list: written in double quotes, one pair removed on reading.
        virtual void seznam(const QString& sekce, const QString& klic, QString& v) = 0;
        virtual void datumCas(const QString& sekce, const QString& klic, QDateTime& v,
                              const QDateTime& def) = 0;
    };

    // Every option, once. A new option is one line here.
    void projit(Navstevnik& n, const Vychozi& d);
};

// The enclosing pair of double quotes of an item list removed (only when the
// text is longer than one character and begins and ends with one).
QString OdstranitUvozovky(const QString& text);

// The host version as a number: the characters 0-9, "," and "." up to the
// first blank, read with the system's decimal separator; 0 when that fails.
double CisloVerze(const QString& verzeMoney, const SystemFormats& formaty);
inline constexpr double kPodporovanaVerze = 11.06;
// The refusal text for an unsupported host version.
QString TextNepodporovaneVerze(double verze, const SystemFormats& formaty);

// Reads the options from the options file for the agenda; missing keys keep
// their defaults. No version check, no messages.
void CistVolby(TVolby& volby, const QString& soubor, const QString& pripona,
               const TVolby::Vychozi& vychozi, const SystemFormats& formaty);
// Writes every option; false (with the reason) when the file could not be
// written, the old file then stays whole.
bool ZapsatVolby(TVolby& volby, const QString& soubor, const QString& pripona,
                 const SystemFormats& formaty, QString* chyba = nullptr);

// Start-up: sets SouborVoleb, checks the host version (the refusal is shown
// and false returned), reads the options and the agenda identity.
bool NacistVolby(THlavniData& data);
// Writes the options of the data object; a failure is shown as a warning.
bool UlozitVolby(THlavniData& data);

} // namespace arvelo::app
