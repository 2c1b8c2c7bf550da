#pragma once

#include "report/model/text_codec.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace arvelo::report {

// A plain ini file kept as its lines, so that writing it back changes only the keys that were
// set to a new value: comments, blank lines, key order, spelling and encoding stay as they were.
// Section and key names match without regard to letter case, as Windows profile files do.
class TIniSoubor {
public:
    TIniSoubor() = default;

    // Reads the file; a missing file gives an empty ini and true, a read error false.
    bool Nacti(const QString& path);
    // Writes through a temporary file renamed over the target; false when that fails.
    bool Uloz(const QString& path) const;

    void NastavText(const QString& text, TKodovani kodovani = TKodovani::Utf8);
    QString Text() const;

    std::optional<QString> Hodnota(const QString& section, const QString& key) const;
    QString Hodnota(const QString& section, const QString& key, const QString& deflt) const;
    int CeleCislo(const QString& section, const QString& key, int deflt) const;

    // Sets a key; an equal value leaves the line untouched, a new key goes to the end of its
    // section (a new section to the end of the file).
    void Nastav(const QString& section, const QString& key, const QString& value);
    void Smaz(const QString& section, const QString& key);

    bool Zmeneno() const { return zmeneno_; }

private:
    int NajdiSekci(const QString& section) const;
    int KonecSekce(int sectionLine) const;
    int NajdiKlic(const QString& section, const QString& key) const;

    QStringList radky_;
    TKodovani kodovani_ = TKodovani::Utf8;
    QString konecRadku_ = QStringLiteral("\r\n");
    bool koncovyRadek_ = true;
    bool zmeneno_ = false;
};

} // namespace arvelo::report
