#pragma once

#include "report/paper/ini_soubor.h"

#include <QString>
#include <vector>

namespace arvelo::report {

// One paper format, its size of the paper held in portrait in 1/100 in.
struct TFormatPapiru {
    QString nazev; // at most 31 characters
    int sirka = 0;
    int vyska = 0;

    bool operator==(const TFormatPapiru&) const = default;
};

inline constexpr int kPocetVestavenychFormatu = 18;
inline constexpr int kMaxDelkaNazvuFormatu = 31;

// The list offered by the designer: the built-in formats first, then the user formats of the
// report's settings file (section "FormatyPapiru").
class TListFormatu {
public:
    TListFormatu(); // built-ins only

    static const std::vector<TFormatPapiru>& Vestavene();

    // Built-ins followed by the user formats of the ini file; a file that cannot be read
    // contributes none.
    static TListFormatu ZIniSouboru(const QString& iniFileName);
    void NactiUzivatelske(const TIniSoubor& ini);
    // Writes PocetFormatu and Format1..n into the ini; keys whose value already reads as the
    // same format stay as they are, so an unchanged list leaves the file byte for byte alike.
    void ZapisUzivatelske(TIniSoubor& ini) const;
    bool UlozDoIni(const QString& iniFileName) const;

    int Count() const { return static_cast<int>(formaty_.size()); }
    const TFormatPapiru& operator[](int i) const {
        return formaty_.at(static_cast<std::size_t>(i));
    }
    bool JeUzivatelsky(int i) const { return i >= kPocetVestavenychFormatu && i < Count(); }

    void Pridej(TFormatPapiru format);
    // Removes a user format; built-ins cannot be removed (false).
    bool Odeber(int i);

    // The first format (after the placeholder entry 0) whose width and height are both within
    // 99 %-101 % of the wanted ones; otherwise a new "uživ. formát" of that size is appended
    // (not saved) and its index returned.
    int NajdiPodleRozmeru(int sirka, int vyska);

    // Reads one ini value: name, width, height separated by commas outside double quotes.
    static TFormatPapiru CtiHodnotu(const QString& value);
    static QString ZapisHodnotu(const TFormatPapiru& format);

private:
    std::vector<TFormatPapiru> formaty_;
};

} // namespace arvelo::report
