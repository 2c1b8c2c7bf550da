#pragma once

#include <QDate>
#include <QString>

namespace arvelo::app {

class THlavniData;
class SystemFormats;

// A date range, both days included.
struct TRozsah {
    QDate od;
    QDate do_;
};

// A fiscal-year bound as the host stores it: one day less than the day number
// (the stored 0 is 31 December 1899).
QDate HraniceRoku(int ulozenaHodnota);

// Rebuilds mtYear from the year folders "Rok.*" of the agenda, in name order.
// Without any year folder: the error box and false.
bool NacistRoky(THlavniData& data, const QString& adresarAgendy);

// The first and last day of the fiscal year kept in the folder.
TRozsah RozsahRoku(const QString& adresarRoku, const SystemFormats& formaty);

// True when the year and the period share at least one day (bounds included).
bool RokVObdobi(const TRozsah& rok, const TRozsah& obdobi);

// Marks the years of mtYear that lie outside the period (Zpracovano true) and
// those inside (false).
void OznacitRoky(THlavniData& data, const TRozsah& obdobi);
// The period is the wizard's date range when its date filter is on, otherwise
// the current accounting year.
void OznacitRoky(THlavniData& data);

// The double-entry test of a year: "Podvojné účetnictví" = "Y" in any case,
// a missing key counting as "Y".
bool JePodvojne(const QString& adresarRoku, const SystemFormats& formaty);

// The agenda's trade name and company number into NazevAgendy and ICOAgendy.
void NacistAgendu(THlavniData& data);

// The agenda's VAT model: whether it keeps VAT periods (table UCDPHOBD with
// the index "DatumOd"), so that documents carry the further VAT levels.
class TMoneySazbyDPHAgendy {
public:
    void Nacist(const QString& adresarAgendy);
    bool MaObdobiDPH() const { return m_maObdobiDPH; }

private:
    bool m_maObdobiDPH = false;
};

} // namespace arvelo::app
