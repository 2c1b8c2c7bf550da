#pragma once

#include "report/model/sestava_typ.h"

namespace arvelo::report {

// Builds the definition of a report from its template lines, in the passes of the format:
// settings, functions, the elements of each section, the detail reports. The report must have
// been cleared. A detail skips the page setup and the page header and footer elements.
void CtiPredlohu(TSestavaTyp& report, const TPredloha& lines);

// Appends the element of one template line to a section (the record's first token is the
// section letter and is not checked here). Kind 11 looks its picture up at once.
TKolbraReportElement& PridejPrvekZRadku(TSestavaTyp& report, TOddilSestavy& section,
                                        const QString& line);

// The first token of a record, as the passes compare it.
QString PrvniToken(const QString& line);

} // namespace arvelo::report
