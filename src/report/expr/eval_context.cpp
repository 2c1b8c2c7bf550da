#include "report/expr/eval_context.h"

namespace arvelo::report {

int CalcKindOfFieldType(int fieldType) {
    switch (fieldType) {
    case fieldtype::String:
    case fieldtype::FixedChar:
    case fieldtype::WideString:
        return TCalcType::kText;
    case fieldtype::Smallint:
    case fieldtype::Integer:
    case fieldtype::Word:
    case fieldtype::Float:
    case fieldtype::Currency:
    case fieldtype::BCD:
    case fieldtype::AutoInc:
    case fieldtype::Largeint:
    case fieldtype::FMTBcd:
        return TCalcType::kCislo;
    default:
        return TCalcType::kJiny;
    }
}

} // namespace arvelo::report
