#include "report/model/sestava_typ.h"

#include "report/expr/evaluator.h"
#include "report/expr/format.h"
#include "report/expr/number_text.h"
#include "report/expr/system_vars.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <exception>

namespace arvelo::report {

namespace {

bool JePametovePole(int fieldType) {
    return fieldType == fieldtype::Memo || fieldType == fieldtype::FmtMemo;
}

} // namespace

int TStrankovani::Bity(int sectionKind) const {
    switch (sectionKind) {
    case okZacatek:
        return poZacatkuSestavy ? 1 : 0;
    case okHlava:
        return bezHlavyNaPrvni ? 1 : 0;
    case okTelo:
        return teloNaNovouStranku ? 1 : 0;
    case okKonec:
        return (predKoncemSestavy ? 1 : 0) | (konecKPate ? 2 : 0);
    case okPata:
        return bezPatyNaPosledni ? 1 : 0;
    default:
        return 0;
    }
}

void TStrankovani::NastavBity(int sectionKind, int bits) {
    switch (sectionKind) {
    case okZacatek:
        poZacatkuSestavy = (bits & 1) != 0;
        break;
    case okHlava:
        bezHlavyNaPrvni = (bits & 1) != 0;
        break;
    case okTelo:
        teloNaNovouStranku = (bits & 1) != 0;
        break;
    case okKonec:
        predKoncemSestavy = (bits & 1) != 0;
        konecKPate = (bits & 2) != 0;
        break;
    case okPata:
        bezPatyNaPosledni = (bits & 1) != 0;
        break;
    default:
        break;
    }
}

TSestavaTyp::TSestavaTyp(std::shared_ptr<TPageSetup> pageSetup)
    : pageSetup_(pageSetup ? std::move(pageSetup) : std::make_shared<TPageSetup>()), oddily_(this) {
    PozadiPredlohy.width = pageSetup_->sirkaPapiru;
    PozadiPredlohy.height = pageSetup_->vyskaPapiru;
}

TSestavaTyp::~TSestavaTyp() {
    for (TSestavaTyp* detail : detaily_)
        detail->master_ = nullptr;
    detaily_.clear();
    SetMasterSestava(nullptr);
}

void TSestavaTyp::SetMasterSestava(TSestavaTyp* master) {
    if (master == master_)
        return;
    // A report cannot be its own master, directly or through its details.
    for (const TSestavaTyp* m = master; m != nullptr; m = m->master_) {
        if (m == this)
            return;
    }
    if (master_ != nullptr) {
        auto& list = master_->detaily_;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
    master_ = master;
    if (master_ != nullptr)
        master_->detaily_.push_back(this);
}

QString TSestavaTyp::NazevDetailu(int index) const {
    const QString popis = index >= 0 && index < static_cast<int>(detaily_.size())
                              ? detaily_[static_cast<std::size_t>(index)]->Popis
                              : QString();
    return QStringLiteral("Detail %1: %2").arg(static_cast<qint64>(index) + 1).arg(popis);
}

TPolSkup& TSestavaTyp::AddGroup(const QString& fieldText, bool newPage, int footerHeight,
                                bool footerVisible, int headerHeight, bool headerVisible) {
    TPolSkup& group = skupiny_.Pridej();
    const int g = group.Index;
    const QString text = fieldText.trimmed();
    if (text.isEmpty() || text[0].isDigit()) {
        bool ok = false;
        const int n = text.toInt(&ok);
        group.FieldIndex = ok ? n : 0;
    } else {
        group.FieldName = text;
        group.FieldIndex = std::max(0, FieldIndex(text));
    }
    group.NewPage = newPage;
    group.Header = &oddily_.Pridej(kPocetPevnychOddilu + 2 * g);
    group.Header->Height = headerHeight;
    group.Header->Visible = headerVisible;
    group.Footer = &oddily_.Pridej(kPocetPevnychOddilu + 2 * g + 1);
    group.Footer->Height = footerHeight;
    group.Footer->Visible = footerVisible;
    return group;
}

void TSestavaTyp::RemoveGroup(int i) {
    if (i < 0 || i >= skupiny_.Count())
        return;
    oddily_.Odeber(skupiny_[i].Header);
    oddily_.Odeber(skupiny_[i].Footer);
    skupiny_.Odeber(i);
    for (int g = 0; g < skupiny_.Count(); ++g) {
        skupiny_[g].Header->SectionKind = kPocetPevnychOddilu + 2 * g;
        skupiny_[g].Footer->SectionKind = kPocetPevnychOddilu + 2 * g + 1;
    }
}

void TSestavaTyp::ClearDefinition() {
    skupiny_.Clear();
    oddily_.Reset();
    funkce_.Clear();
    Verze = TVerze();
    Strankovani = TStrankovani();
    Mrizka = TMrizka();
    PozadiPredlohy = TPozadiPredlohy();
    PozadiPredlohy.width = pageSetup_->sirkaPapiru;
    PozadiPredlohy.height = pageSetup_->vyskaPapiru;
    Columns = 1;
    ColumnGap = 0;
    NeznamaHodnotaStranky = 0;
    NastaveniNavrhare = 0;
}

void TSestavaTyp::SetPredloha(const TPredloha& lines) {
    ClearDefinition();
    predloha_ = lines;
    ParsePredloha();
}

void TSestavaTyp::SetFieldNames(const QStringList& names) {
    fieldNames_ = names;
    HodnotyZaznamu.clear();
    for (int i = 0; i < names.size(); ++i)
        HodnotyZaznamu.append(QStringLiteral("Položka %1").arg(i + 1));
}

TSestDialogy* TSestavaTyp::PlatneDialogy() const {
    for (const TSestavaTyp* r = this; r != nullptr; r = r->master_) {
        if (r->Dialogy != nullptr)
            return r->Dialogy;
    }
    return nullptr;
}

void TSestavaTyp::Zprava(TSestDialogy::TDruh druh, const QString& caption,
                         const QString& text) const {
    if (TSestDialogy* d = PlatneDialogy())
        d->Zprava(druh, caption, text);
}

void TSestavaTyp::SectionHook(const TOddilSestavy&, bool&) {}
void TSestavaTyp::ElementHook(const TKolbraReportElement&, bool&) {}
void TSestavaTyp::PreviewCustomButton(int) {}
void TSestavaTyp::PaintBox(int, int, QPainter&, int) {}

int TSestavaTyp::FieldType(int) const {
    return fieldtype::Unknown;
}
int TSestavaTyp::FieldAlignment(int) const {
    return 0;
}
int TSestavaTyp::FieldWidth(int) const {
    return 10;
}

TCalcType TSestavaTyp::FieldValue(int index) const {
    TCalcType value;
    const int type = FieldType(index);
    value.Text = JePametovePole(type) ? FieldMemo(index) : FieldText(index);
    value.Number = FieldNumber(index);
    value.Kind = static_cast<std::uint8_t>(CalcKindOfFieldType(type));
    value.Null = FieldIsNull(index) ? 1 : 0;
    return value;
}

QString TSestavaTyp::FieldText(int index) const {
    if (index < 0 || index >= HodnotyZaznamu.size())
        return QStringLiteral("Položka ?");
    return HodnotyZaznamu[index];
}

QString TSestavaTyp::FieldMemo(int) const {
    return QString();
}
QImage TSestavaTyp::FieldPicture(int) const {
    return QImage();
}

double TSestavaTyp::FieldNumber(int index) const {
    if (index < 0 || index >= HodnotyZaznamu.size())
        return 0.0;
    return TextNaCislo(HodnotyZaznamu[index], Locale());
}

bool TSestavaTyp::FieldIsNull(int) const {
    return false;
}

TCalcType TSestavaTyp::SystemValue(int index) const {
    TSystemoveHodnoty hodnoty;
    hodnoty.DatumCasTisku = Beh.datumTisku.isValid() ? DateTimeToDayNumber(Beh.datumTisku) : 0.0;
    hodnoty.CisloRadku = Beh.cisloRadku;
    hodnoty.CisloStrany = Beh.cisloStrany;
    hodnoty.PocetStran = Beh.pocetStran;
    for (int g = 0; g < skupiny_.Count(); ++g)
        hodnoty.Skupiny.push_back({skupiny_[g].LineInGroup, skupiny_[g].GroupNumber});
    TCalcType value;
    if (!HodnotaSystemovePromenne(index, hodnoty, Locale(), &value))
        value.Init();
    return value;
}

int TSestavaTyp::SystemValueCount() const {
    return PocetSystemovychPromennych(skupiny_.Count());
}

QString TSestavaTyp::FieldName(int index) const {
    if (index < 0 || index >= fieldNames_.size())
        return QString::number(index);
    return fieldNames_[index];
}

int TSestavaTyp::FieldIndex(const QString& name) const {
    for (int i = 0; i < fieldNames_.size(); ++i) {
        if (fieldNames_[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QString TSestavaTyp::FieldLabel(int index) const {
    return FieldLabels.value(index);
}

int TSestavaTyp::FieldCount() const {
    return static_cast<int>(fieldNames_.size());
}

int TSestavaTyp::FieldKind(int index) const {
    return CalcKindOfFieldType(FieldType(index));
}

QString TSestavaTyp::ParameterCaption(int index) const {
    if (index < 0 || index >= Parametry.size())
        return QString::number(index);
    return QStringLiteral("%1: %2").arg(index + 1).arg(Parametry[index]);
}

TSestError TSestavaTyp::LoadTemplate(bool) {
    return TSestError::seNotDone;
}

TSestError TSestavaTyp::SaveTemplate() {
    return master_ != nullptr ? master_->SaveTemplate() : TSestError::seNotDone;
}

TSestError TSestavaTyp::SaveTemplateAs() {
    return master_ != nullptr ? master_->SaveTemplateAs() : TSestError::seNotDone;
}

QStringList TSestavaTyp::MaskyObrazku() {
    return {QStringLiteral("*.bmp"),  QStringLiteral("*.png"), QStringLiteral("*.jpg"),
            QStringLiteral("*.jpeg"), QStringLiteral("*.gif"), QStringLiteral("*.ico"),
            QStringLiteral("*.emf"),  QStringLiteral("*.wmf")};
}

QString TSestavaTyp::SlozkaPredlohy() const {
    const QString path = master_ != nullptr ? master_->TemplatePathInner() : TemplatePathInner();
    if (path.isEmpty())
        return QString();
    QString folder = QFileInfo(path).path();
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

QStringList TSestavaTyp::PictureList() const {
    if (master_ != nullptr)
        return master_->PictureList();
    const QString folder = SlozkaPredlohy();
    if (folder.isEmpty())
        return {};
    QDir dir(folder);
    QStringList files = dir.entryList(MaskyObrazku(), QDir::Files, QDir::NoSort);
    files.removeDuplicates();
    std::sort(files.begin(), files.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return files;
}

bool TSestavaTyp::LoadPicture(const QString& name, QImage& picture) const {
    if (master_ != nullptr)
        return master_->LoadPicture(name, picture);
    if (name.isEmpty())
        return false;
    const QString inFolder = SlozkaPredlohy() + name;
    const QString path = QFileInfo::exists(inFolder) ? inFolder : name;
    QImage loaded;
    if (!QFileInfo(path).isFile() || !loaded.load(path))
        return false;
    picture = loaded;
    return true;
}

void TSestavaTyp::PreparePicture(QImage&, int, int) {}

QStringList TSestavaTyp::KandidatiObrazku(const QString& text) {
    QStringList out;
    QString current;
    bool quoted = false;
    for (QChar ch : text) {
        if (ch == QLatin1Char('\''))
            quoted = !quoted;
        if (ch == QLatin1Char(',') && !quoted) {
            out.append(current.trimmed());
            current.clear();
            continue;
        }
        current.append(ch);
    }
    if (!current.trimmed().isEmpty() || !out.isEmpty())
        out.append(current.trimmed());
    return out;
}

QString TSestavaTyp::HodnotaKandidata(const QString& candidate) const {
    const QString c = candidate.trimmed();
    if (c.isEmpty())
        return QString();
    const QChar first = c[0];
    if (first == QLatin1Char('\'') || first == QLatin1Char('#') || first == QLatin1Char('&') ||
        first == QLatin1Char('@')) {
        const TVysledekVyrazu r = Evaluate(c, this);
        return r.Chyba == kVyrazOk ? r.Hodnota.Text : QString();
    }
    // A bare name is taken as it stands.
    return c;
}

bool TSestavaTyp::NajdiObrazek(TKolbraReportElement& element) const {
    element.Picture = QImage();
    element.PictureFile.clear();
    for (const QString& candidate : KandidatiObrazku(element.Text)) {
        const QString name = HodnotaKandidata(candidate);
        if (name.isEmpty())
            continue;
        for (const QString& tried : {name, SlozkaPredlohy() + name}) {
            QImage picture;
            if (LoadPicture(tried, picture)) {
                element.Picture = picture;
                element.PictureFile = tried;
                return true;
            }
        }
    }
    return false;
}

QString TSestavaTyp::TextPromenne(const TKolbraReportElement& element) const {
    const TCalcType value = SystemValue(element.Source);
    if (element.Text.isEmpty())
        return value.Text;
    QString text;
    if (element.Source == kPromDatumTisku || element.Source == kPromCasTisku) {
        if (!FormatDateTime(element.Text, value.Number, Locale(), &text))
            return QStringLiteral("????");
        return text;
    }
    if (!FormatInteger(element.Text, static_cast<std::int64_t>(value.Number), &text))
        return QStringLiteral("????");
    return text;
}

QString TSestavaTyp::TextPrvku(const TKolbraReportElement& element) const {
    try {
        switch (element.Kind) {
        case pkGrafickyText:
            return element.Text;
        case pkPolozka:
            return JePametovePole(FieldType(element.Source)) ? FieldMemo(element.Source)
                                                             : FieldText(element.Source);
        case pkPopisPolozky:
            return FieldLabel(element.Source);
        case pkParametr:
            return Parametry.value(element.Source);
        case pkPromenna:
            return TextPromenne(element);
        case pkFunkce:
            return funkce_.FunctionText(element.Source, Locale());
        default:
            return QString();
        }
    } catch (const std::exception&) {
        return QStringLiteral("????");
    }
}

QString TSestavaTyp::TextCarovehoKodu(const TKolbraReportElement& element) const {
    const QStringList items = KandidatiObrazku(element.Text);
    return items.isEmpty() ? QString() : HodnotaKandidata(items.first());
}

} // namespace arvelo::report
