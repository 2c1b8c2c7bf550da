#pragma once

#include "report/model/sest_typy.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace arvelo::report {

// The data set a report reads, as the engine sees it. A host adapts its own tables to it; the
// engine never knows what lies behind. Field indexes are 0-based. Any per-field operation may
// throw to say the value cannot be read; the report then uses 0, an empty text, not null.
class TBridge {
public:
    using TBookmark = QVariant;

    virtual ~TBridge() = default;

    // False for a data source that has no data set attached.
    virtual bool HasDataSet() const { return true; }
    virtual bool Active() const = 0;
    // Opens the data set; false when it stays inactive.
    virtual bool Open() = 0;
    virtual void Close() = 0;

    virtual QStringList FieldNames() const = 0;
    virtual QStringList FieldLabels() const = 0;

    // Moves and returns TStepResult bits: srBeginning at the beginning, srEnd at the end.
    virtual TStepResult First() = 0;
    virtual TStepResult Prior() = 0;
    virtual TStepResult Next() = 0;
    virtual TStepResult Last() = 0;

    // Bound controls stop repainting while the report walks the data.
    virtual void DisableControls() = 0;
    virtual void EnableControls() = 0;

    virtual TBookmark Bookmark() const = 0;
    virtual void GotoBookmark(const TBookmark& bookmark) = 0;

    // Field type number (the numbering of fieldtype:: in report/expr/eval_context.h).
    virtual int DataType(int field) const = 0;
    // 0 left, 1 right, 2 centre.
    virtual int Alignment(int field) const = 0;
    virtual int DisplayWidth(int field) const = 0;
    virtual bool AsBoolean(int field) const = 0;
    // Numbers; dates and times as day numbers with a fraction.
    virtual double AsFloat(int field) const = 0;
    virtual QString AsString(int field) const = 0;
    virtual QString DisplayText(int field) const = 0;
    virtual bool IsNull(int field) const = 0;
    // The whole content of a blob field.
    virtual QByteArray BlobContent(int field) const = 0;
    // The picture of a graphic field; a null image when there is none.
    virtual QImage Picture(int field) const = 0;
};

} // namespace arvelo::report
