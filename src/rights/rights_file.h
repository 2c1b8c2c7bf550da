#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace arvelo::rights {

class TRightsPrompts;

// The envelope of the rights file "ORBPRA.TLD":
//   "HSL", the CRC-32 (zlib's) of the Base64 text, little-endian, then the
//   Base64 text with every byte inverted. The Base64 text encodes the
//   key-and-value lines (UTF-8, each ending CR LF) enciphered with Blowfish in
//   ECB mode; one final block always follows the full blocks: the remaining
//   0-7 bytes, zero-filled, with their count in the block's last byte.
namespace soubor_prav {

constexpr int BlokSize = 8;
constexpr int KlicSize = 16;

// Blowfish-ECB with the final-block rule. The key must have 16 bytes.
QByteArray Zasifrovat(const QByteArray& obsah, const QByteArray& klic);
// Empty optional when the length, the final block or the key do not fit.
std::optional<QByteArray> Desifrovat(const QByteArray& sifra, const QByteArray& klic);

// The whole file image for the given lines, and its reverse: empty optional
// for anything that is not a well-formed file of this key.
QByteArray Obal(const QStringList& radky, const QByteArray& klic);
std::optional<QStringList> Rozbal(const QByteArray& soubor, const QByteArray& klic);

} // namespace soubor_prav

// Writes the lines to the file through a temporary file renamed over it, so
// that a crash or a full disk never leaves half a file. Returns 0 or -1; the
// message goes to zpravy when it is given, and nowhere otherwise.
int UlozSoubor(const QStringList& radky, const QString& cesta, TRightsPrompts* zpravy,
               const QByteArray& klic);

// Reads and checks the file and returns its lines. Returns 0 or -1 (missing,
// unreadable, wrong magic, wrong CRC, undecipherable); messages as above.
int NactiSoubor(QStringList& radky, const QString& cesta, TRightsPrompts* zpravy,
                const QByteArray& klic);

} // namespace arvelo::rights
