#pragma once

#include <algorithm>
#include <limits>

namespace arvelo::report {

// Paper, orientation and margins of the template last read, plus the two grid display flags.
// The original engine kept these once per process; here they are one object that reports
// share through a shared pointer (a detail shares its master's), so that nothing is global
// and a host that wants the process-wide behaviour passes the same object to every report.
struct TPageSetup {
    int sirkaPapiru = 826; // paper held in portrait, 1/100 in
    int vyskaPapiru = 1169;
    bool nasirko = false; // landscape
    bool zmenitelnaOrientace = false;
    int levyOkraj = 0;
    int pravyOkraj = 0;
    int horniOkraj = 0;
    int dolniOkraj = 0;
    bool zobrazitMrizku = false;
    bool pritahovatKMrizce = false;

    // Orientation code of the template record: bit 0 landscape, +2 changeable when printing.
    int KodOrientace() const { return (nasirko ? 1 : 0) + (zmenitelnaOrientace ? 2 : 0); }
    void NastavKodOrientace(int code) {
        if (code < 0)
            code = 0;
        nasirko = (code & 1) != 0;
        zmenitelnaOrientace = code > 1;
    }

    int SirkaStranky() const { return nasirko ? vyskaPapiru : sirkaPapiru; }
    int VyskaStranky() const { return nasirko ? sirkaPapiru : vyskaPapiru; }
    // Widened: margins come from template files and must not overflow.
    int TisknutelnaSirka() const {
        return Omezit(static_cast<long long>(SirkaStranky()) - levyOkraj - pravyOkraj);
    }
    int TisknutelnaVyska() const {
        return Omezit(static_cast<long long>(VyskaStranky()) - horniOkraj - dolniOkraj);
    }

private:
    static int Omezit(long long v) {
        return static_cast<int>(std::clamp<long long>(v, std::numeric_limits<int>::min(),
                                                      std::numeric_limits<int>::max()));
    }
};

} // namespace arvelo::report
