#pragma once

#include "report/model/sestava_d.h"

namespace arvelo::report {

class TSestava;
class TSestDetail;

using TSestNotify = std::function<void(TSestava&)>;
using TSestBoolEvent = std::function<bool(TSestava&)>;
using TUlozJakoEvent = std::function<bool(TSestava&, QString& soubor)>;
using TPreviewCustomEvent = std::function<void(TSestava&, int actualPage)>;
using TNactiSeznamObrazuEvent = std::function<void(const TSestava&, QStringList& items)>;
using TNactiObrazEvent =
    std::function<bool(const TSestava&, const QString& nazev, QImage& picture)>;
using TPreparePictureEvent = std::function<void(TSestava&, QImage& picture, int width, int height)>;
using TTiskOddiluEvent = std::function<void(TSestava&, int index, bool& tisknout)>;
using TErrorEvent = std::function<bool(TSestava&, TSestError error)>;

// The top-level report: where its template file lives, how it is loaded and saved, and the
// full set of events.
class TSestava : public TSestavaD {
public:
    explicit TSestava(std::shared_ptr<TPageSetup> pageSetup = nullptr);
    ~TSestava() override;

    // --- template location -----------------------------------------------------------------
    QString ReportName() const override { return reportName_; }
    // Stores the name with its extension replaced by ".pts".
    void SetReportName(const QString& name) override;
    QString ReportDir() const { return reportDir_; }
    // A non-empty folder gets a trailing path delimiter.
    void SetReportDir(const QString& dir);
    bool ReportDirIgnore = true;
    // The template is kept in the component (Predloha) rather than in a file.
    bool IsStored = false;
    QString ReportAlias() const { return QString(); }
    void SetReportAlias(const QString&) {}
    // The folder of the running program; taken from the application when it is empty.
    QString SlozkaProgramu;

    // ReportDir + ReportName, or the program's folder + ReportName when ReportDirIgnore is set.
    QString TemplatePath() const;
    QString TemplatePathInner() const override { return TemplatePath(); }

    // --- events ----------------------------------------------------------------------------
    TSestBoolEvent OnUlozPredlohu;
    TUlozJakoEvent OnUlozPredlohuJako;
    TSestBoolEvent OnNactiPredlohu;
    TSestNotify OnSetPredloha;
    TPreviewCustomEvent OnPreviewCustomEvent;
    TNactiSeznamObrazuEvent OnNactiSeznamObrazu;
    TNactiObrazEvent OnNactiObraz;
    TPreparePictureEvent OnPreparePicture;
    TSestNotify OnVypoctiFunkce;
    TTiskOddiluEvent OnTiskOddilu;
    TSestNotify BeforeEdit, BeforePreview, BeforePrint, BeforePrintPreview;
    TSestNotify AfterEdit, AfterPreview, AfterPrint, AfterPrintPreview;
    TErrorEvent OnError;

    // --- operations ------------------------------------------------------------------------
    void SetPredloha(const TPredloha& lines) override;
    bool IsDetail() const override { return false; }
    bool CheckDataSource() override;
    void SectionHook(const TOddilSestavy& section, bool& print) override;
    void FunctionsComputedHook() override;
    void PreviewOpened() override;
    void PreviewClosed() override;
    void PreviewCustomButton(int page) override;
    TSestError LoadTemplate(bool designing) override;
    TSestError SaveTemplate() override;
    TSestError SaveTemplateAs() override;
    QStringList PictureList() const override;
    bool LoadPicture(const QString& name, QImage& picture) const override;
    void PreparePicture(QImage& picture, int width, int height) override;

    // Passes a non-zero result to OnError; returns the result.
    TSestError Chyba(TSestError error);

protected:
    void ParsePredloha() override;

private:
    TSestError ZapisSoubor(const QString& path);

    QString reportName_;
    QString reportDir_;
};

using TDetailNotify = std::function<void(TSestDetail&)>;
using TDetailTiskOddilu = std::function<void(TSestDetail&, int index, bool& tisknout)>;

// A detail report printed inside an element of its master; its template lives in the master's
// as the D records. It has no page header and page footer of its own.
class TSestDetail : public TSestavaD {
public:
    using TSestavaD::TSestavaD;
    ~TSestDetail() override;

    TDetailNotify OnVypoctiFunkce;
    TDetailTiskOddilu OnTiskOddilu;

    bool IsDetail() const override { return true; }
    void SectionHook(const TOddilSestavy& section, bool& print) override;
    void FunctionsComputedHook() override;

protected:
    void ParsePredloha() override;
};

} // namespace arvelo::report
