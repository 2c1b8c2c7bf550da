#include "rights/scramble.h"

#include <array>
#include <nettle/sha2.h>

namespace arvelo::rights {

namespace {
// "Scramble" of the 12-character phrase; it never appears in plain text in the program.
constexpr std::array<unsigned char, 12> ScrambledPhrase = {0x57, 0x65, 0x6E, 0x7C, 0x76, 0x74,
                                                           0x4C, 0x6F, 0x7F, 0x69, 0x41, 0x10};
constexpr int KeySize = 16;
} // namespace

QString Scramble(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        // Only the low byte takes part, as in the host's 8-bit text; a character
        // beyond 255 keeps its high byte, so no two passwords scramble alike.
        const auto code = static_cast<unsigned>(text.at(i).unicode());
        out.append(QChar(static_cast<char16_t>(code ^ (static_cast<unsigned>(i + 22) & 0xFFu))));
    }
    return out;
}

QByteArray Scramble(const QByteArray& bytes) {
    QByteArray out(bytes.size(), '\0');
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto code = static_cast<unsigned char>(bytes.at(i));
        out[i] = static_cast<char>((code ^ static_cast<unsigned>(i + 22)) & 0xFFu);
    }
    return out;
}

QByteArray KlicPrav() {
    const QByteArray phrase =
        Scramble(QByteArray(reinterpret_cast<const char*>(ScrambledPhrase.data()),
                            static_cast<qsizetype>(ScrambledPhrase.size())));
    sha256_ctx ctx;
    sha256_init(&ctx);
    sha256_update(&ctx, static_cast<size_t>(phrase.size()),
                  reinterpret_cast<const uint8_t*>(phrase.constData()));
    std::array<uint8_t, SHA256_DIGEST_SIZE> digest{};
    sha256_digest(&ctx, digest.size(), digest.data());
    return QByteArray(reinterpret_cast<const char*>(digest.data()), KeySize);
}

} // namespace arvelo::rights
