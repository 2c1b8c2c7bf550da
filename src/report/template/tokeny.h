#pragma once

#include <QString>
#include <QStringList>

namespace arvelo::report {

// Reads the comma-separated tokens of one template record from the left.
class TCtecTokenu {
public:
    explicit TCtecTokenu(QString record) : zaznam_(std::move(record)) {}

    // The next token; a quoted token ends at its closing quote (two quotes stand for one) and
    // takes whatever follows it up to the next comma. Missing tokens read as empty.
    QString Text();
    // A decimal integer; an empty or unreadable token gives the default.
    int Cislo(int deflt = 0);
    // A number where any non-zero value is true.
    bool Priznak();

    bool Konec() const { return konec_; }

private:
    QString zaznam_;
    qsizetype pozice_ = 0; // start of the text not read yet
    bool konec_ = false;
};

// Splits a whole record into its tokens (for tests and tools).
QStringList RozdelZaznam(const QString& record);

// A quoted field: enclosed in double quotes with every embedded double quote doubled.
QString UvozenyText(const QString& text);

// Reads a decimal integer the way template fields are read: optional spaces and sign, then
// digits; anything else (or a value beyond int) gives the default.
int CtiCeleCislo(const QString& token, int deflt = 0);

} // namespace arvelo::report
