#pragma once

#include "report/model/sestava_typ.h"
#include "report/render/tisk.h"
#include "report/render/vystup.h"

#include <unordered_map>

namespace arvelo::report {

class TSestava;

// The information window of a run ("Informace" with "Přerušit"). The library never shows a
// widget itself: the host implements this seam with a window, tests with a script.
class TInformace {
public:
    virtual ~TInformace() = default;
    // The button may be shown disabled (while pages go to the printer).
    virtual void Otevri(const QString& caption, const QString& text, const QString& tlacitko,
                        bool tlacitkoPovoleno) = 0;
    virtual void Text(const QString& text) = 0;
    virtual void Zavri() = 0;
    // Lets pending window messages run; returns true once "Přerušit" was pressed.
    virtual bool ZpracujZpravy() = 0;
};

// One run of a report into an output: bands, group breaks, growth and pagination. A detail
// report runs through a run of its own that writes into its master's output.
class TBehSestavy {
public:
    TBehSestavy(TSestavaTyp& sestava, TSestVystup& vystup, TInformace* informace);

    // The run with full output; 0, or 3 when cancelled.
    TSestError Spust();

    // Run state, readable by tests.
    int AktualniY() const { return y_; }
    int IndexStrany() const { return stranaIndex_; }

private:
    struct TKonec {
        int offset = 0;
        int y = 0; // new section origin
    };

    TBehSestavy(TSestavaTyp& detail, TBehSestavy& master);
    void SpustDetail();

    const TOddilSestavy& Oddil(int kind) const { return s_.PevnyOddil(kind); }
    const TOddilSestavy& HlavaPata(int kind) const;
    int VyskaHlavy() const { return HlavaPata(okHlava).VisibleHeight(); }
    int VyskaPaty() const { return HlavaPata(okPata).VisibleHeight(); }
    bool Vejde(const TOddilSestavy& o, int navic = 0) const;

    void ZacatekBehu();
    void Funkce(bool vse, int uroven);
    void Obnov(bool z, bool k);
    void ObnovPromenne();
    QString Text(const TKolbraReportElement& e) const;

    void DalsiZaznam();
    void PocitadlaSkupin();
    void UzavriRadekSloupcu();
    void KonecDat();
    void KonecSestavy();
    void PocetStran();

    void TiskniOddil(const TOddilSestavy& o);
    void TiskniPrimo(const TOddilSestavy& o, int y, int offset,
                     const std::vector<const TKolbraReportElement*>* jen = nullptr);
    TKonec TiskniRostouci(const TKolbraReportElement& e, int y);
    TKonec TiskniDetail(const TKolbraReportElement& e, int y);
    void TiskniPatu(int offset);
    void DalsiCisloStrany();
    void NovaStrana();
    void TiskniHlavuNa(int offset);
    void Zarovnej();
    bool Zpracuj();

    TSestavaTyp& s_;
    TSestVystup& v_;
    TInformace* info_;
    TBehSestavy* master_ = nullptr;
    TMeric meric_;
    std::unordered_map<const TKolbraReportElement*, QString> hodnoty_;

    int y_ = 0;
    int stranaIndex_ = 0;
    int offset_ = 0;
    int sloupec_ = 1;
    int sloupecX_ = 0;
    int vyskaStranky_ = 0;
    int pocitadlo_ = 0;
    bool teloCeka_ = true;
    bool zruseno_ = false;
};

// A print or preview of a report: the entry sequence around the run. A second start while
// one is running returns 7.
class TTiskSestavy {
public:
    explicit TTiskSestavy(TSestava& sestava) : s_(sestava) {}

    // Checks the data, loads the template and runs into the output. Preview passes true.
    TSestError Priprav(TInformace* informace, bool nahled);

    // Runs and, when the run succeeded, prints the pages on the printer; then AfterPrint, and
    // a non-zero result goes to OnError.
    TSestError Tiskni(TInformace* informace, QPrinter& printer, TParametryTisku parametry);

    // Runs and hands the pages to the preview window (the host's), also after "Přerušit";
    // then AfterPreview. Only on the GUI thread.
    TSestError Nahled(TInformace* informace, const std::function<void(TSestVystup&)>& okno);

    TSestVystup& Vystup() { return vystup_; }
    const TSestVystup& Vystup() const { return vystup_; }
    bool Bezi() const { return bezi_; }

private:
    void NastavPozadi();

    TSestava& s_;
    TSestVystup vystup_;
    bool bezi_ = false;
};

} // namespace arvelo::report
