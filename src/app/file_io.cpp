#include "app/file_io.h"

#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace arvelo::app {

bool writeFileAtomic(const QString& path, const QByteArray& bytes, QString* error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error) {
            *error = file.errorString();
        }
        return false;
    }
    if (file.write(bytes) != bytes.size()) {
        if (error) {
            *error = file.errorString();
        }
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (error) {
            *error = file.errorString();
        }
        return false;
    }
    return true;
}

QString decodeHostText(const QByteArray& bytes, bool* wasUtf8) {
    QByteArray data = bytes;
    if (data.startsWith("\xEF\xBB\xBF")) {
        data.remove(0, 3);
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(data);
    if (!utf8.hasError()) {
        if (wasUtf8) {
            *wasUtf8 = true;
        }
        return text;
    }
    if (wasUtf8) {
        *wasUtf8 = false;
    }
    QStringDecoder cp1250("windows-1250");
    return cp1250.decode(data);
}

QByteArray encodeWindows1250(const QString& text) {
    QStringEncoder cp1250("windows-1250");
    return cp1250.encode(text);
}

} // namespace arvelo::app
