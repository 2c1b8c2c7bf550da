#pragma once

#include "report/model/sest_typy.h"

#include <QByteArray>

namespace arvelo::report::writers {

// Converts Windows-1250 text for the code page of a text export: the Czech and Slovak letters
// go to plain ASCII, Kamenický or IBM 852; every other byte stays as it is. Undefined and
// Windows 1250 leave the text unchanged.
QByteArray PrevedKodovani(const QByteArray& cp1250, TSestLanguage jazyk);

} // namespace arvelo::report::writers
