#pragma once

#include <QString>
#include <optional>

namespace arvelo::app {

class TNoveSlozky;

// Copies the shipped per-user files (print templates and the like) from
// programFolder + "SetupDat/" into the user's folders as listed in
// programFolder + "InsMon.ini", but only when the shipped set's mark differs
// from the mark of the set copied last (userFolder + "setup.ini"). A
// destination's "%MONEYDATA%" (any letter case) stands for dataRoot.
//
// The copy is all or nothing: every file is first copied beside its
// destination under a temporary name, and only when all are there are they
// renamed over the old files and the user's mark written. A failure removes the
// temporary files and the folders the copy created and returns the message;
// the user's mark stays, so the next start tries again. Folders created by a
// successful copy are handed to `created` when given.
std::optional<QString> KopirovatInstalaci(const QString& programFolder, const QString& userFolder,
                                          const QString& dataRoot, TNoveSlozky* created = nullptr);

} // namespace arvelo::app
