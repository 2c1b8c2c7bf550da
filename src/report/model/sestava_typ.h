#pragma once

#include "report/expr/eval_context.h"
#include "report/expr/user_functions.h"
#include "report/model/dialogy.h"
#include "report/model/oddil.h"
#include "report/model/page_setup.h"
#include "report/model/sest_typy.h"

#include <QDateTime>
#include <QImage>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class QPainter;

namespace arvelo::report {

class TSestavaTyp;

// Events are std::function members throughout the engine: a host assigns a callable, an
// empty one means "not assigned". The Sender argument of the original events is the report
// itself and is passed as a reference.
using TNotifyEvent = std::function<void(TSestavaTyp&)>;

// Background picture settings stored with the template (record I,7).
struct TPozadiPredlohy {
    bool vlastniNastaveni = false; // use these instead of PrintBackground/Background
    bool tisknout = false;
    bool vlastniUmisteni = false; // custom placement instead of the whole paper
    int left = 0;
    int top = 0;
    int width = 0;  // 0 means the paper width
    int height = 0; // 0 means the paper height
    QString soubor;
};

// Grid of the designer (record I,6): type 0 graphic, 1 character grid.
struct TMrizka {
    int typ = 0;
    int x = 0;
    int y = 0;
    int radkovani = 0; // line-spacing code
    int roztec = 0;    // pitch code
};

// Page-break flags kept on the report and stored with the fixed section records.
struct TStrankovani {
    bool poZacatkuSestavy = false;   // Z bit 0 "Odstránkovat po začátku sestavy"
    bool bezHlavyNaPrvni = false;    // H bit 0 "Na první stránce netisknout hlavu"
    bool teloNaNovouStranku = false; // T bit 0 "Nové tělo na novou stránku"
    bool predKoncemSestavy = false;  // K bit 0 "Odstránkovat před koncem sestavy"
    bool konecKPate = false;         // K bit 1 "Konec sestavy zarovnat k patě"
    bool bezPatyNaPosledni = false;  // P bit 0 "Na poslední stránce netisknout patu"

    // The flag bits of a fixed section's record.
    int Bity(int sectionKind) const;
    void NastavBity(int sectionKind, int bits);
};

// The counters of a run that the system variables show.
struct TStavBehu {
    QDateTime datumTisku;
    int cisloRadku = 1;
    int cisloStrany = 1;
    int pocetStran = 0;                // filled in after the run
    bool stop = false;                 // set when EndPage is passed
    bool pozadavekStrankovani = false; // set by NewPage
};

// Format version of the template last read.
struct TVerze {
    int major = 6;
    int minor = 0;
    int release = 27;

    // Before release 3 of major version 1 there was no "Celkový počet stran" variable.
    bool PredCelkovymPoctemStran() const { return major <= 1 && release < 3; }
};

// The report definition and what a run needs of it. It owns its sections, groups, elements
// and functions; detail reports register themselves through their MasterSestava.
class TSestavaTyp : public TKontextVypoctu {
public:
    // Reports reading templates share one page setup; pass one to share it, none for a new.
    explicit TSestavaTyp(std::shared_ptr<TPageSetup> pageSetup = nullptr);
    ~TSestavaTyp() override;
    TSestavaTyp(const TSestavaTyp&) = delete;
    TSestavaTyp& operator=(const TSestavaTyp&) = delete;

    // --- published properties -----------------------------------------------------------
    QStringList Parametry;
    QString Popis = QStringLiteral("Tisková úloha KOLBRA");
    QString IniFileName = QStringLiteral("SestDLL.ini");
    int PrintCopies = 1;
    int StartPage = 1;
    int EndPage = 9999;
    int MaxRecords = 0;
    bool TiskJedenZaznam = false;
    bool AllowNullValues = false;
    TSestLanguage ExportLanguage = TSestLanguage::slUndefined;
    bool PrintBackground = false;
    QString Background;
    // Where questions and messages go; none means they are dropped (a detail uses its master's).
    TSestDialogy* Dialogy = nullptr;
    // Design time of the component inside a form designer, where the host's events are not
    // called and the template comes from ReportDir. A program leaves it false.
    bool Navrhovani = false;

    // --- definition -----------------------------------------------------------------------
    TVerze Verze;
    int Columns = 1;
    int ColumnGap = 0;
    int NeznamaHodnotaStranky = 0; // the last integer of the page setup record, kept
    int NastaveniNavrhare = 0;     // record I,5, kept and written back
    TMrizka Mrizka;
    TPozadiPredlohy PozadiPredlohy;
    TStrankovani Strankovani;
    TStavBehu Beh;

    TPageSetup& PageSetup() { return *pageSetup_; }
    const TPageSetup& PageSetup() const { return *pageSetup_; }
    std::shared_ptr<TPageSetup> SharedPageSetup() const { return pageSetup_; }

    TListOddilu& Oddily() { return oddily_; }
    const TListOddilu& Oddily() const { return oddily_; }
    TListSkupin& Skupiny() { return skupiny_; }
    const TListSkupin& Skupiny() const { return skupiny_; }
    TListFunkci& Funkce() { return funkce_; }
    const TListFunkci& Funkce() const { return funkce_; }

    // The fixed section of a kind 0-4.
    TOddilSestavy& PevnyOddil(int kind) { return oddily_[kind]; }
    const TOddilSestavy& PevnyOddil(int kind) const { return oddily_[kind]; }

    // Adds a group with its header and footer sections. The field text is a field index when
    // it is empty or starts with a digit, else a field name looked up in FieldNames (a miss
    // gives 0).
    TPolSkup& AddGroup(const QString& fieldText, bool newPage, int footerHeight, bool footerVisible,
                       int headerHeight, bool headerVisible);
    // Removes group i with both its sections; later groups move down and renumber.
    void RemoveGroup(int i);

    // Frees all elements, groups and functions: five empty fixed sections remain.
    void ClearDefinition();

    // --- template -------------------------------------------------------------------------
    const TPredloha& Predloha() const { return predloha_; }
    // Clears the old definition, copies the lines and parses them.
    virtual void SetPredloha(const TPredloha& lines);

    // --- details --------------------------------------------------------------------------
    const std::vector<TSestavaTyp*>& Detaily() const { return detaily_; }
    TSestavaTyp* MasterSestava() const { return master_; }
    // Registers this report in the master's Detaily (and leaves the old master's).
    void SetMasterSestava(TSestavaTyp* master);
    // Designer caption of a detail element: "Detail %d: %s".
    QString NazevDetailu(int index) const;

    // --- field list -----------------------------------------------------------------------
    const QStringList& FieldNames() const { return fieldNames_; }
    QStringList FieldLabels;
    // The record values when the data come from OnGetData.
    QStringList HodnotyZaznamu;
    virtual void SetFieldNames(const QStringList& names);

    // --- virtual operations ---------------------------------------------------------------
    virtual QString ReportName() const { return QString(); }
    virtual void SetReportName(const QString&) {}
    virtual void GetData() {}
    // The section hook: may suppress the section.
    virtual void SectionHook(const TOddilSestavy& section, bool& print);
    // The element hook: may drop the element.
    virtual void ElementHook(const TKolbraReportElement& element, bool& print);
    virtual void FunctionsComputedHook() {}
    virtual void PreviewOpened() {}
    virtual void PreviewClosed() {}
    virtual void PreviewCustomButton(int page);
    virtual void PaintBox(int index, int width, QPainter& canvas, int height);
    // The template path the report's folder comes from; empty for a bare definition.
    virtual QString TemplatePathInner() const { return QString(); }
    virtual bool CheckDataSource() = 0;
    bool IsCharacterGrid() const { return Mrizka.typ == 1; }
    virtual bool IsDetail() const = 0;
    virtual bool HasDetails() const = 0;
    virtual bool ReadFieldList() = 0;
    void NewPage() { Beh.pozadavekStrankovani = true; }

    virtual int FieldType(int index) const;
    virtual int FieldAlignment(int index) const;
    virtual int FieldWidth(int index) const;
    virtual TCalcType FieldValue(int index) const;
    QString FieldText(int index) const override;
    virtual QString FieldMemo(int index) const;
    virtual QImage FieldPicture(int index) const;
    double FieldNumber(int index) const override;
    bool FieldIsNull(int index) const override;
    TCalcType SystemValue(int index) const override;
    QString FieldName(int index) const;
    int FieldIndex(const QString& name) const override;
    QString FieldLabel(int index) const;
    int FieldCount() const override;
    QString ParameterCaption(int index) const;
    virtual TStepResult Step(TStepDir dir) = 0;
    virtual TSestError LoadTemplate(bool designing);
    virtual TSestError SaveTemplate();
    virtual TSestError SaveTemplateAs();
    virtual QStringList PictureList() const;
    virtual bool LoadPicture(const QString& name, QImage& picture) const;
    virtual void PreparePicture(QImage& picture, int width, int height);

    // --- evaluation context ---------------------------------------------------------------
    int FieldKind(int index) const override;
    int ParameterCount() const override { return static_cast<int>(Parametry.size()); }
    QString Parameter(int index) const override { return Parametry.value(index); }
    const TListFunkci* UserFunctions() const override { return &funkce_; }
    int SystemValueCount() const override;
    QLocale Locale() const override { return QLocale::system(); }

    // The message seam of this report or, for a detail, of its master.
    TSestDialogy* PlatneDialogy() const;
    void Zprava(TSestDialogy::TDruh druh, const QString& caption, const QString& text) const;

    // Folder of the template file, with a trailing "/" (empty without one).
    QString SlozkaPredlohy() const;

    // Looks up the picture of a picture element (kind 11): every candidate of its Text in
    // order, first by the bare name, then prefixed with the template folder.
    bool NajdiObrazek(TKolbraReportElement& element) const;
    // The value a candidate of a picture or bar code list stands for: a quoted literal as it
    // is, a #, & or @ reference evaluated against this report.
    QString HodnotaKandidata(const QString& candidate) const;
    static QStringList KandidatiObrazku(const QString& text);

    // The printed text of a variable element (kind 5); "????" when it cannot be built.
    QString TextPromenne(const TKolbraReportElement& element) const;
    // The printed text of a text element (kinds 1-6); "????" when it cannot be built.
    QString TextPrvku(const TKolbraReportElement& element) const;
    // The value a bar code element encodes: the first item of its text list.
    QString TextCarovehoKodu(const TKolbraReportElement& element) const;

    // Masks of picture files offered by PictureList.
    static QStringList MaskyObrazku();

protected:
    // Parses predloha_ into the (already cleared) definition.
    virtual void ParsePredloha() = 0;

    TPredloha predloha_;

private:
    std::shared_ptr<TPageSetup> pageSetup_;
    TListOddilu oddily_;
    TListSkupin skupiny_;
    TListFunkci funkce_;
    QStringList fieldNames_;
    TSestavaTyp* master_ = nullptr;
    std::vector<TSestavaTyp*> detaily_;
};

} // namespace arvelo::report
