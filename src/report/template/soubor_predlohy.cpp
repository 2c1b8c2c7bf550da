#include "report/template/soubor_predlohy.h"

#include "report/model/text_codec.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace arvelo::report {

namespace {

QByteArray Obsah(const TPredloha& lines) {
    QString text;
    for (const QString& line : lines) {
        text += line;
        text += QStringLiteral("\r\n");
    }
    return EncodeWindows1250(text);
}

} // namespace

std::optional<TPredloha> CtiSouborPredlohy(const QString& path) {
    QFile f(path);
    if (path.isEmpty() || !QFileInfo(path).isFile() || !f.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError)
        return std::nullopt;
    QString text = DecodeFileText(bytes).text;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    TPredloha lines;
    if (!text.isEmpty()) {
        if (text.endsWith(QLatin1Char('\n')))
            text.chop(1);
        lines = TPredloha(text.split(QLatin1Char('\n')));
    }
    return lines;
}

bool ZapisSouborPredlohy(const QString& path, const TPredloha& lines) {
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = Obsah(lines);
    if (f.write(bytes) != bytes.size())
        return false;
    return f.commit();
}

QString JmenoZalohy(const QString& path) {
    const QFileInfo info(path);
    const QString folder = info.path() == QStringLiteral(".") && !path.startsWith(QLatin1Char('.'))
                               ? QString()
                               : info.path() + QLatin1Char('/');
    return folder + info.completeBaseName() + QStringLiteral(".BAK");
}

bool UlozSeZalohou(const QString& path, const TPredloha& lines) {
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = Obsah(lines);
    if (f.write(bytes) != bytes.size())
        return false;
    const QString backup = JmenoZalohy(path);
    const bool hadOld = QFileInfo(path).isFile();
    if (hadOld) {
        QFile::remove(backup);
        if (!QFile::rename(path, backup))
            return false; // f is discarded: the template stays as it was
    }
    if (f.commit())
        return true;
    if (hadOld)
        QFile::rename(backup, path); // put the old template back
    return false;
}

} // namespace arvelo::report
