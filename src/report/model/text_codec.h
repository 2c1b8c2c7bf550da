#pragma once

#include <QByteArray>
#include <QString>

namespace arvelo::report {

// Text encodings of the engine's files. Templates and the engine's ini come from Windows
// installations in the Central European ANSI code page; files saved here since may be UTF-8.
enum class TKodovani { Utf8, Windows1250 };

// Decodes Windows-1250 with our own table, so reading never depends on ICU being present.
// The five unassigned bytes map to the C1 controls of the same value so that they survive a
// read and write unchanged.
QString DecodeWindows1250(const QByteArray& bytes);

// Encodes as Windows-1250; a character the code page lacks becomes "?".
QByteArray EncodeWindows1250(const QString& text);

// True when the bytes are well-formed UTF-8 (a leading byte-order mark allowed).
bool IsValidUtf8(const QByteArray& bytes);

struct TDecodedText {
    QString text;
    TKodovani kodovani = TKodovani::Utf8;
};

// UTF-8 when the bytes are valid UTF-8 (the byte-order mark dropped), else Windows-1250.
TDecodedText DecodeFileText(const QByteArray& bytes);

QByteArray EncodeText(const QString& text, TKodovani kodovani);

} // namespace arvelo::report
