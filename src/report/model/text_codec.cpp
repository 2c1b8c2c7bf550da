#include "report/model/text_codec.h"

#include "report/expr/win1250.h"

#include <QStringDecoder>

namespace arvelo::report {

QString DecodeWindows1250(const QByteArray& bytes) {
    QString out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        out.append(b < 0x80 ? QChar(b) : QChar(kWindows1250HorniPulka[b - 0x80]));
    }
    return out;
}

QByteArray EncodeWindows1250(const QString& text) {
    QByteArray out;
    out.reserve(text.size());
    for (QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u < 0x80) {
            out.append(static_cast<char>(u));
            continue;
        }
        char b = '?';
        for (std::size_t i = 0; i < kWindows1250HorniPulka.size(); ++i) {
            if (kWindows1250HorniPulka[i] == u) {
                b = static_cast<char>(0x80 + i);
                break;
            }
        }
        out.append(b);
    }
    return out;
}

bool IsValidUtf8(const QByteArray& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString ignored = decoder.decode(bytes);
    (void)ignored;
    return !decoder.hasError();
}

TDecodedText DecodeFileText(const QByteArray& bytes) {
    if (IsValidUtf8(bytes)) {
        QByteArray body = bytes;
        if (body.startsWith("\xEF\xBB\xBF"))
            body.remove(0, 3);
        return {QString::fromUtf8(body), TKodovani::Utf8};
    }
    return {DecodeWindows1250(bytes), TKodovani::Windows1250};
}

QByteArray EncodeText(const QString& text, TKodovani kodovani) {
    return kodovani == TKodovani::Utf8 ? text.toUtf8() : EncodeWindows1250(text);
}

} // namespace arvelo::report
