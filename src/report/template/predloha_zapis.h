#pragma once

#include "report/model/sestava_typ.h"

namespace arvelo::report {

// The definition written back as template lines, in the fixed order of the format: settings,
// functions, the elements section by section, then the lines of every detail report.
TPredloha ZapisPredlohu(const TSestavaTyp& report);

// One element as its template record.
QString ZapisPrvek(const TKolbraReportElement& element, const QString& sectionLetter);

// Every name of a picture list reduced to its file-name part (the text after the last path
// delimiter or drive colon), as picture elements store them.
QString JmenaSouboruObrazku(const QString& text);

} // namespace arvelo::report
