#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <vector>

namespace arvelo::app {

class Prompts;
class SystemFormats;
class THlavniData;

// The program's title and the version shown on the welcome page.
inline const QString kNazevProgramu = QStringLiteral("Arvelo");
inline const QString kVerzeModulu = QStringLiteral("2.13");

// The start-up context: what the host passed, turned into folders, files and
// names that the whole program reads. Every folder ends with "/".
struct TKontextSpusteni {
    QString AdresarProgramu;  // folder of the program file
    QString AdresarHlavni;    // host main folder ("MAIN")
    QString AdresarRoku;      // current accounting year ("AKTROK")
    QString AdresarAgendy;    // the agenda, parent of AdresarRoku
    QString AdresarDat;       // host data root, parent of AdresarAgendy
    QString AdresarUzivatele; // AdresarDat + "Nvk/Arvelo/"
    QString AdresarNastaveni; // AdresarUzivatele + "Setting/"
    QString AdresarFormularu; // AdresarUzivatele + "PrintFrm/"
    QString AdresarTemp;      // AdresarUzivatele + "Temp/"
    QString SouborVoleb;      // AdresarNastaveni + NazevKonfigurace + ".ini"
    QString SouborNapovedy;   // the program's help
    QString PriponaAgendy;    // "001" for AGENDA.001
    QString NazevKonfigurace; // "AKTCFGNAME", safe for a file name
    QString VerzeMoney;       // "MVERZE"
    QDate DatumMoney;         // "AKTDATUMM"
    QString HesloUzivatele;   // "AKTHESLO"
};

// One parameter of the host's parameter string.
struct TParametr {
    QString Nazev;   // upper case, without the leading "?"
    QString Hodnota; // as passed
};

// The arguments joined, each followed by one blank: the system splits a value
// with blanks into several arguments, the parser needs them whole again.
QString SpojitArgumenty(const QStringList& arguments);

// Reads "?NAME=value?NAME" pairs from the joined parameter string. A value is
// everything between the opening marker and the next occurrence of the same
// marker (in any letter case), blanks included; text outside markers is
// ignored.
std::vector<TParametr> NacistParametry(const QString& commandLine);

// Mode 2: the agenda folder of a year folder; mode 1: the data root above it.
// Empty when the last component does not begin with "ROK" or the one above it
// does not begin with "AGENDA" (letter case ignored). The path keeps its own
// spelling, because the file system here tells letter case apart.
QString AdresarZRoku(const QString& path, int mode);

// Replaces each of " * / : < > ? \ | by the replacement character.
QString NahraditZnaky(const QString& text, QChar replacement);

// The templates of the required parameters in the order they are checked.
struct TPozadovanyParametr {
    QString nazev;
    QString sablona;
};
const std::vector<TPozadovanyParametr>& PozadovaneParametry();

// Text of the missing-parameter box.
QString TextChybejicihoParametru(const QString& sablona);

// The error box for a missing parameter with the offer of help; "Ano" opens
// the program's help page insmon.html.
void HlasitChybejiciParametr(Prompts& prompts, const QString& adresarProgramu,
                             const QString& sablona);

// Fills the context from the parameters (steps of the start-up that need no
// file system). Returns the template of the first missing parameter, or an
// empty text when all are present.
QString NaplnitKontext(const std::vector<TParametr>& parametry, TKontextSpusteni& kontext,
                       const SystemFormats& formaty);

// Creates folders with their missing parents and remembers which ones it
// created, so that a failed start-up can remove them again. Folders that
// existed before are never touched.
class TNoveSlozky {
public:
    TNoveSlozky() = default;
    ~TNoveSlozky(); // removes what is still uncommitted
    TNoveSlozky(const TNoveSlozky&) = delete;
    TNoveSlozky& operator=(const TNoveSlozky&) = delete;

    // True when the folder exists afterwards.
    bool vytvorit(const QString& folder);
    // Keeps every folder created so far.
    void potvrdit() { m_created.clear(); }
    // Takes over the folders another guard created.
    void prevzit(TNoveSlozky& other);
    // Removes the folders created (with everything put into them since).
    void vratit();

private:
    QStringList m_created; // in order of creation
};

// The start-up sequence on the data object: parameters and folders, the
// installation copy, the VAT model, the options with the host version check,
// the agenda identity and the double-entry test. Every failure has shown its
// message when this returns false, and the folders it created are gone again.
bool SpustitModul(THlavniData& data, const QStringList& arguments, const QString& adresarProgramu);

} // namespace arvelo::app
