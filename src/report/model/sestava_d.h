#pragma once

#include "report/model/bridge.h"
#include "report/model/sestava_typ.h"

namespace arvelo::report {

class TSestavaD;

using TGetDataEvent = std::function<void(TSestavaD&)>;
using TStepDataEvent = std::function<TStepResult(TSestavaD&, TStepDir)>;
using TGetDataTypeEvent = std::function<void(const TSestavaD&, int index, int& dataType)>;
using TGetAlignmentEvent = std::function<void(const TSestavaD&, int index, int& alignment)>;
using TPaintBoxEvent =
    std::function<void(TSestavaD&, int index, int width, int height, QPainter& canvas)>;
using TTiskPrvkuEvent =
    std::function<void(TSestavaD&, const TKolbraReportElement& element, bool& print)>;

// A report reading its data through a TBridge, or from the host through OnGetData.
class TSestavaD : public TSestavaTyp {
public:
    using TSestavaTyp::TSestavaTyp;
    ~TSestavaD() override;

    // The data set (not owned); none when the host supplies the data by events.
    TBridge* DataSource = nullptr;

    TGetDataEvent OnGetData;
    TStepDataEvent OnStepData;
    TGetDataTypeEvent OnGetDataType;
    TGetAlignmentEvent OnGetAlignment;
    TPaintBoxEvent OnPaintBox;
    // The per-element print event of the run; it has no published name in the original.
    TTiskPrvkuEvent OnTiskPrvku;

    // True when the host supplies the records through OnGetData (not while designing).
    bool DataZUdalosti() const { return static_cast<bool>(OnGetData) && !Navrhovani; }

    void GetData() override;
    void ElementHook(const TKolbraReportElement& element, bool& print) override;
    void PaintBox(int index, int width, QPainter& canvas, int height) override;
    bool CheckDataSource() override;
    bool HasDetails() const override { return !Detaily().empty(); }
    bool ReadFieldList() override;
    TStepResult Step(TStepDir dir) override;

    // Closes the data sets that CheckDataSource opened (this report's and its details').
    void ZavritOtevrene();

    int FieldType(int index) const override;
    int FieldAlignment(int index) const override;
    int FieldWidth(int index) const override;
    QString FieldText(int index) const override;
    QString FieldMemo(int index) const override;
    QImage FieldPicture(int index) const override;
    double FieldNumber(int index) const override;
    bool FieldIsNull(int index) const override;

private:
    // The bridge for a field read, none when the record values are used instead.
    const TBridge* Zdroj(int index) const;

    bool otevrelJsem_ = false;
};

} // namespace arvelo::report
