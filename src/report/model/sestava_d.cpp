#include "report/model/sestava_d.h"

#include "report/expr/number_text.h"
#include "report/model/text_codec.h"

#include <exception>

namespace arvelo::report {

namespace {

bool JeBlob(int type) {
    return (type >= fieldtype::Blob && type <= fieldtype::TypedBinary) ||
           type == fieldtype::OraBlob || type == fieldtype::OraClob;
}

// Reads through the bridge; a failing read gives the fallback instead of reaching the run.
template <typename F, typename T> auto Bezpecne(F&& read, T fallback) -> T {
    try {
        return read();
    } catch (const std::exception&) {
        return fallback;
    }
}

} // namespace

TSestavaD::~TSestavaD() = default;

const TBridge* TSestavaD::Zdroj(int index) const {
    if (DataZUdalosti() || DataSource == nullptr || index < 0 || index >= FieldCount())
        return nullptr;
    return DataSource;
}

void TSestavaD::GetData() {
    if (OnGetData)
        OnGetData(*this);
}

void TSestavaD::ElementHook(const TKolbraReportElement& element, bool& print) {
    if (OnTiskPrvku)
        OnTiskPrvku(*this, element, print);
}

void TSestavaD::PaintBox(int index, int width, QPainter& canvas, int height) {
    if (OnPaintBox && !Navrhovani)
        OnPaintBox(*this, index, width, height, canvas);
}

bool TSestavaD::CheckDataSource() {
    if (!DataZUdalosti()) {
        const QString chyba = QStringLiteral("Chyba");
        if (DataSource == nullptr) {
            Zprava(TSestDialogy::TDruh::Chyba, chyba, QStringLiteral("Není definován zdroj dat."));
            return false;
        }
        if (!DataSource->HasDataSet()) {
            Zprava(TSestDialogy::TDruh::Chyba, chyba,
                   QStringLiteral("Ke zdroji dat není připojena žádná tabulka."));
            return false;
        }
        if (!DataSource->Active()) {
            TSestDialogy* d = PlatneDialogy();
            const auto answer = d != nullptr
                                    ? d->Otazka(QStringLiteral("Potvrzení"),
                                                QStringLiteral("Připojená tabulka není aktivní. "
                                                               "Zkusit otevřít?"),
                                                false)
                                    : TSestDialogy::TOdpoved::Ne;
            if (answer != TSestDialogy::TOdpoved::Ano)
                return false;
            const bool opened = Bezpecne([this] { return DataSource->Open(); }, false);
            if (!opened || !DataSource->Active()) {
                Zprava(TSestDialogy::TDruh::Chyba, chyba,
                       QStringLiteral("Připojenou tabulku se nepodařilo otevřít."));
                return false;
            }
            otevrelJsem_ = true;
        }
    }
    for (TSestavaTyp* detail : Detaily()) {
        if (!detail->CheckDataSource())
            return false;
    }
    return true;
}

void TSestavaD::ZavritOtevrene() {
    if (otevrelJsem_ && DataSource != nullptr)
        DataSource->Close();
    otevrelJsem_ = false;
    for (TSestavaTyp* detail : Detaily()) {
        if (auto* d = dynamic_cast<TSestavaD*>(detail))
            d->ZavritOtevrene();
    }
}

bool TSestavaD::ReadFieldList() {
    bool ok = true;
    if (!DataZUdalosti()) {
        if (DataSource == nullptr || !DataSource->HasDataSet()) {
            ok = false;
        } else {
            TBridge* source = DataSource;
            SetFieldNames(Bezpecne([source] { return source->FieldNames(); }, QStringList()));
            FieldLabels = Bezpecne([source] { return source->FieldLabels(); }, QStringList());
        }
    }
    for (TSestavaTyp* detail : Detaily())
        ok = detail->ReadFieldList() && ok;
    return ok;
}

TStepResult TSestavaD::Step(TStepDir dir) {
    constexpr TStepResult kPrazdno = srBeginning | srEnd;
    auto krok = [this, dir]() -> TStepResult {
        if (DataSource == nullptr || !DataSource->HasDataSet())
            return kPrazdno;
        TBridge* s = DataSource;
        return Bezpecne(
            [s, dir] {
                switch (dir) {
                case TStepDir::sdFirst:
                    return s->First();
                case TStepDir::sdPrior:
                    return s->Prior();
                case TStepDir::sdNext:
                    return s->Next();
                case TStepDir::sdLast:
                    return s->Last();
                }
                return kPrazdno;
            },
            kPrazdno);
    };
    if (!DataZUdalosti())
        return krok();
    const TStepResult result = OnStepData ? OnStepData(*this, dir) : krok();
    GetData();
    return result;
}

int TSestavaD::FieldType(int index) const {
    int type = TSestavaTyp::FieldType(index);
    if (const TBridge* s = Zdroj(index))
        type = Bezpecne([s, index] { return s->DataType(index); }, type);
    if (OnGetDataType)
        OnGetDataType(*this, index, type);
    return type;
}

int TSestavaD::FieldAlignment(int index) const {
    int alignment = TSestavaTyp::FieldAlignment(index);
    if (const TBridge* s = Zdroj(index))
        alignment = Bezpecne([s, index] { return s->Alignment(index); }, alignment);
    if (OnGetAlignment)
        OnGetAlignment(*this, index, alignment);
    return alignment;
}

int TSestavaD::FieldWidth(int index) const {
    if (const TBridge* s = Zdroj(index))
        return Bezpecne([s, index] { return s->DisplayWidth(index); }, 10);
    return TSestavaTyp::FieldWidth(index);
}

QString TSestavaD::FieldText(int index) const {
    if (const TBridge* s = Zdroj(index))
        return Bezpecne([s, index] { return s->DisplayText(index); }, QString());
    return TSestavaTyp::FieldText(index);
}

QString TSestavaD::FieldMemo(int index) const {
    const TBridge* s = Zdroj(index);
    if (s == nullptr)
        return TSestavaTyp::FieldMemo(index);
    const int type = FieldType(index);
    if (JeBlob(type)) {
        QByteArray bytes = Bezpecne([s, index] { return s->BlobContent(index); }, QByteArray());
        // The original handed on a zero-terminated copy: text ends at the first zero byte.
        const auto zero = bytes.indexOf('\0');
        if (zero >= 0)
            bytes.truncate(zero);
        return DecodeFileText(bytes).text;
    }
    return Bezpecne([s, index] { return s->AsString(index); }, QString());
}

QImage TSestavaD::FieldPicture(int index) const {
    if (const TBridge* s = Zdroj(index))
        return Bezpecne([s, index] { return s->Picture(index); }, QImage());
    return TSestavaTyp::FieldPicture(index);
}

double TSestavaD::FieldNumber(int index) const {
    const TBridge* s = Zdroj(index);
    if (s == nullptr)
        return TSestavaTyp::FieldNumber(index);
    const int type = Bezpecne([s, index] { return s->DataType(index); }, fieldtype::Unknown);
    const QLocale locale = Locale();
    return Bezpecne(
        [&]() -> double {
            switch (type) {
            case fieldtype::Smallint:
            case fieldtype::Integer:
            case fieldtype::Word:
            case fieldtype::Float:
            case fieldtype::Currency:
            case fieldtype::BCD:
            case fieldtype::Largeint:
            case fieldtype::FMTBcd:
            case fieldtype::AutoInc:
            case fieldtype::Date:
            case fieldtype::Time:
            case fieldtype::DateTime:
            case fieldtype::TimeStamp:
                return s->AsFloat(index);
            case fieldtype::Boolean:
                return s->AsBoolean(index) ? 1.0 : 0.0;
            case fieldtype::String:
            case fieldtype::WideString:
                return TextNaCislo(s->AsString(index), locale);
            default:
                return 0.0;
            }
        },
        0.0);
}

bool TSestavaD::FieldIsNull(int index) const {
    if (const TBridge* s = Zdroj(index))
        return Bezpecne([s, index] { return s->IsNull(index); }, false);
    return TSestavaTyp::FieldIsNull(index);
}

} // namespace arvelo::report
