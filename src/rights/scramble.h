#pragma once

#include <QByteArray>
#include <QString>

namespace arvelo::rights {

// The host's reversible disguise of passwords: character i (from 0) becomes
// its code XOR (i + 22), keeping the low 8 bits. Applying it twice gives back
// the original text. A character beyond the host's 8-bit range keeps its high
// byte, so that such passwords stay distinct.
QString Scramble(const QString& text);
QByteArray Scramble(const QByteArray& bytes);

// The 16-byte key of the rights file: the built-in phrase, kept scrambled in
// the program, unscrambled and digested with SHA-256 (the first 16 bytes).
// Built once at start-up and handed to TPristupPrava.
QByteArray KlicPrav();

} // namespace arvelo::rights
