#include "report/template/sestava.h"

#include "report/template/predloha_cteni.h"
#include "report/template/soubor_predlohy.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace arvelo::report {

namespace {

bool KonciOddelovacem(const QString& path) {
    return path.endsWith(QLatin1Char('/')) || path.endsWith(QLatin1Char('\\'));
}

} // namespace

TSestava::TSestava(std::shared_ptr<TPageSetup> pageSetup) : TSestavaD(std::move(pageSetup)) {}

TSestava::~TSestava() = default;

void TSestava::SetReportName(const QString& name) {
    if (name.isEmpty()) {
        reportName_.clear();
        return;
    }
    // Only a dot in the file-name part starts an extension.
    qsizetype start = 0;
    for (QChar delimiter : {QLatin1Char('/'), QLatin1Char('\\'), QLatin1Char(':')})
        start = std::max(start, name.lastIndexOf(delimiter) + 1);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString base = dot >= start ? name.left(dot) : name;
    reportName_ = base + QStringLiteral(".pts");
}

void TSestava::SetReportDir(const QString& dir) {
    reportDir_ = dir;
    if (!reportDir_.isEmpty() && !KonciOddelovacem(reportDir_))
        reportDir_ += QLatin1Char('/');
}

QString TSestava::TemplatePath() const {
    if (!ReportDirIgnore || Navrhovani)
        return reportDir_ + reportName_;
    QString folder = SlozkaProgramu;
    if (folder.isEmpty() && QCoreApplication::instance() != nullptr)
        folder = QCoreApplication::applicationDirPath();
    if (!folder.isEmpty() && !KonciOddelovacem(folder))
        folder += QLatin1Char('/');
    return folder + reportName_;
}

void TSestava::ParsePredloha() {
    CtiPredlohu(*this, predloha_);
}

void TSestava::SetPredloha(const TPredloha& lines) {
    TSestavaD::SetPredloha(lines);
    if (OnSetPredloha)
        OnSetPredloha(*this);
}

bool TSestava::CheckDataSource() {
    if (!TSestavaD::CheckDataSource())
        return false;
    if (predloha_.isEmpty() && TemplatePath().isEmpty()) {
        Zprava(TSestDialogy::TDruh::Chyba, QStringLiteral("Chyba"),
               QStringLiteral("Není definována cesta a název souboru s předlohou."));
        return false;
    }
    return true;
}

void TSestava::SectionHook(const TOddilSestavy& section, bool& print) {
    if (OnTiskOddilu)
        OnTiskOddilu(*this, section.SectionKind, print);
}

void TSestava::FunctionsComputedHook() {
    if (OnVypoctiFunkce)
        OnVypoctiFunkce(*this);
}

void TSestava::PreviewOpened() {
    if (BeforePrintPreview)
        BeforePrintPreview(*this);
}

void TSestava::PreviewClosed() {
    if (AfterPrintPreview)
        AfterPrintPreview(*this);
}

void TSestava::PreviewCustomButton(int page) {
    if (OnPreviewCustomEvent)
        OnPreviewCustomEvent(*this, page);
}

TSestError TSestava::Chyba(TSestError error) {
    if (error != TSestError::seOK && OnError)
        OnError(*this, error);
    return error;
}

TSestError TSestava::LoadTemplate(bool designing) {
    if (OnNactiPredlohu && !Navrhovani) {
        // The handler assigns Predloha itself; its answer does not matter.
        OnNactiPredlohu(*this);
        return TSestError::seOK;
    }
    if (IsStored) {
        const TPredloha stored = predloha_;
        SetPredloha(stored);
        return TSestError::seOK;
    }
    const QString path = TemplatePath();
    TSestError result = TSestError::seOK;
    TPredloha lines;
    if (auto read = CtiSouborPredlohy(path)) {
        lines = std::move(*read);
    } else {
        result = TSestError::seLoadTemplate;
        if (designing) {
            TSestDialogy* d = PlatneDialogy();
            const auto answer =
                d != nullptr
                    ? d->Otazka(QStringLiteral("Potvrzení"),
                                QStringLiteral("Nebyl nalezen soubor s předlohou tiskové sestavy "
                                               "\"%1\". Založit nový?")
                                    .arg(path),
                                false)
                    : TSestDialogy::TOdpoved::Ne;
            if (answer == TSestDialogy::TOdpoved::Ano) {
                if (ZapisSouborPredlohy(path, TPredloha())) {
                    result = TSestError::seOK;
                } else {
                    Zprava(TSestDialogy::TDruh::Chyba, QStringLiteral("Chyba"),
                           QStringLiteral("Soubor s předlohou se nepodařilo vytvořit. \"%1\"")
                               .arg(path));
                }
            }
        } else {
            Zprava(TSestDialogy::TDruh::Chyba, QStringLiteral("Chyba"),
                   QStringLiteral("Nebyl nalezen soubor s předlohou tiskové sestavy \"%1\"")
                       .arg(path));
        }
    }
    SetPredloha(lines);
    return Chyba(result);
}

TSestError TSestava::ZapisSoubor(const QString& path) {
    if (UlozSeZalohou(path, predloha_))
        return TSestError::seOK;
    if (OnError)
        OnError(*this, TSestError::seSaveTemplate);
    else
        Zprava(TSestDialogy::TDruh::Chyba, QStringLiteral("Chyba"),
               QStringLiteral("Soubor s předlohou se nepodařilo uložit."));
    return TSestError::seSaveTemplate;
}

TSestError TSestava::SaveTemplate() {
    if (OnUlozPredlohu)
        return OnUlozPredlohu(*this) ? TSestError::seOK : Chyba(TSestError::seSaveTemplate);
    if (IsStored)
        return TSestError::seOK;
    return ZapisSoubor(TemplatePath());
}

TSestError TSestava::SaveTemplateAs() {
    if (OnUlozPredlohuJako) {
        QString soubor = TemplatePath();
        if (!OnUlozPredlohuJako(*this, soubor))
            return Chyba(TSestError::seSaveTemplate);
        SetReportName(soubor);
        return TSestError::seOK;
    }
    TSestDialogy* d = PlatneDialogy();
    const QString chosen =
        d != nullptr ? d->UlozitJako(QStringLiteral("Výběr souboru"),
                                     QStringLiteral("Předlohy tiskových sestav (*.pts)|*.PTS"),
                                     TemplatePath())
                     : QString();
    if (chosen.isEmpty())
        return TSestError::seSaveTemplate;
    // Compared without regard to case as the original did; the name keeps its spelling, as
    // lower-casing a path would point elsewhere on a case-sensitive file system.
    const QFileInfo info(chosen);
    const QString chosenFolder = QDir::cleanPath(info.absolutePath()) + QLatin1Char('/');
    if (!reportDir_.isEmpty()) {
        QString dir = QDir::cleanPath(QDir(reportDir_).absolutePath()) + QLatin1Char('/');
        dir.replace(QLatin1Char('\\'), QLatin1Char('/'));
        if (chosenFolder.startsWith(dir, Qt::CaseInsensitive)) {
            const QString full = QDir::cleanPath(info.absoluteFilePath());
            SetReportName(full.mid(dir.size()));
        } else {
            SetReportName(QDir::cleanPath(info.absoluteFilePath()));
            reportDir_.clear();
        }
    } else {
        SetReportDir(chosenFolder);
        SetReportName(info.fileName());
    }
    // The template must land where the user chose, not in the program's folder.
    ReportDirIgnore = false;
    return ZapisSoubor(TemplatePath());
}

QStringList TSestava::PictureList() const {
    if (OnNactiSeznamObrazu) {
        QStringList items;
        OnNactiSeznamObrazu(*this, items);
        return items;
    }
    return TSestavaD::PictureList();
}

bool TSestava::LoadPicture(const QString& name, QImage& picture) const {
    if (OnNactiObraz)
        return OnNactiObraz(*this, name, picture);
    return TSestavaD::LoadPicture(name, picture);
}

void TSestava::PreparePicture(QImage& picture, int width, int height) {
    if (OnPreparePicture)
        OnPreparePicture(*this, picture, width, height);
}

TSestDetail::~TSestDetail() = default;

void TSestDetail::ParsePredloha() {
    CtiPredlohu(*this, predloha_);
}

void TSestDetail::SectionHook(const TOddilSestavy& section, bool& print) {
    if (OnTiskOddilu)
        OnTiskOddilu(*this, section.SectionKind, print);
}

void TSestDetail::FunctionsComputedHook() {
    if (OnVypoctiFunkce)
        OnVypoctiFunkce(*this);
}

} // namespace arvelo::report
