#pragma once

#include "report/expr/calc_type.h"

#include <QLocale>
#include <QString>

namespace arvelo::report {

class TListFunkci;

// What an expression reads from its report: data fields, parameter lines, user
// functions and system variables. The report definition implements it.
//
// The original engine kept the report being run in one global slot ("the current
// context"), which a detail report took over while its part of the output was
// built. Here nothing is registered: whoever evaluates an expression or computes a
// function list passes the report explicitly (a detail passes itself for its own
// functions), so two reports never see each other's data by accident and a
// detail never has to restore its master.
//
// Any operation may fail by throwing; the evaluator then treats the reference as
// unreadable (number 0, empty text, kind 0, null), never as a crash.
class TKontextVypoctu {
public:
    virtual ~TKontextVypoctu() = default;

    // Data fields, 0-based. `FieldIndex` ignores letter case and gives -1 when absent.
    virtual int FieldCount() const = 0;
    virtual int FieldIndex(const QString& name) const = 0;
    // The value kind of a field (TCalcType kind 0, 1 or 2); see CalcKindOfFieldType.
    virtual int FieldKind(int index) const = 0;
    virtual double FieldNumber(int index) const = 0;
    virtual QString FieldText(int index) const = 0;
    virtual bool FieldIsNull(int index) const = 0;

    // Lines of `Parametry`, 0-based.
    virtual int ParameterCount() const = 0;
    virtual QString Parameter(int index) const = 0;

    // The report's user functions; none when the report has no list.
    virtual const TListFunkci* UserFunctions() const = 0;

    // System variables, 0-based as in the variables table (see system_vars.h);
    // the evaluator gives them kind 1.
    virtual int SystemValueCount() const = 0;
    virtual TCalcType SystemValue(int index) const = 0;

    // Separators, month names and letter case of texts and numbers.
    virtual QLocale Locale() const { return QLocale(); }
};

// Field type numbers as the data bridge reports them (the original platform's
// numbering, also used by the template events).
namespace fieldtype {
inline constexpr int Unknown = 0, String = 1, Smallint = 2, Integer = 3, Word = 4, Boolean = 5,
                     Float = 6, Currency = 7, BCD = 8, Date = 9, Time = 10, DateTime = 11,
                     Bytes = 12, VarBytes = 13, AutoInc = 14, Blob = 15, Memo = 16, Graphic = 17,
                     FmtMemo = 18, ParadoxOle = 19, DBaseOle = 20, TypedBinary = 21, Cursor = 22,
                     FixedChar = 23, WideString = 24, Largeint = 25, ADT = 26, Array = 27,
                     Reference = 28, DataSet = 29, OraBlob = 30, OraClob = 31, Variant = 32,
                     Interface = 33, IDispatch = 34, Guid = 35, TimeStamp = 36, FMTBcd = 37;
}

// The kind a field reference gets: 2 for string fields, 1 for integer, float,
// currency, BCD, auto-increment and FMT BCD fields, 0 for all others.
int CalcKindOfFieldType(int fieldType);

} // namespace arvelo::report
