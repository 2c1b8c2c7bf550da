#include "rights/rights_file.h"

#include "host/host_paths.h"
#include "rights/rights_prompts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <nettle/blowfish.h>
#include <zlib.h>

namespace arvelo::rights {

namespace soubor_prav {

namespace {

constexpr char Magic[] = "HSL";
constexpr int MagicSize = 3;
constexpr int CrcSize = 4;
// A rights file holds a few hundred users at most; anything far beyond is not one.
constexpr qint64 MaxVelikost = 64 * 1024 * 1024;

bool nastavKlic(blowfish_ctx& ctx, const QByteArray& klic) {
    if (klic.size() != KlicSize) {
        return false;
    }
    blowfish128_set_key(&ctx, reinterpret_cast<const uint8_t*>(klic.constData()));
    return true;
}

quint32 crc32Of(const QByteArray& data) {
    uLong crc = crc32(0L, Z_NULL, 0);
    const auto* p = reinterpret_cast<const Bytef*>(data.constData());
    qsizetype left = data.size();
    while (left > 0) {
        const uInt chunk = static_cast<uInt>(std::min<qsizetype>(left, 1 << 30));
        crc = crc32(crc, p, chunk);
        p += chunk;
        left -= chunk;
    }
    return static_cast<quint32>(crc);
}

QByteArray invert(QByteArray data) {
    for (char& c : data) {
        c = static_cast<char>(~static_cast<unsigned char>(c));
    }
    return data;
}

} // namespace

QByteArray Zasifrovat(const QByteArray& obsah, const QByteArray& klic) {
    blowfish_ctx ctx;
    if (!nastavKlic(ctx, klic)) {
        return {};
    }
    const qsizetype plne = obsah.size() / BlokSize * BlokSize;
    const qsizetype zbytek = obsah.size() - plne;
    QByteArray data = obsah.left(plne);
    QByteArray posledni(BlokSize, '\0');
    for (qsizetype i = 0; i < zbytek; ++i) {
        posledni[i] = obsah.at(plne + i);
    }
    posledni[BlokSize - 1] = static_cast<char>(zbytek);
    data.append(posledni);
    QByteArray sifra(data.size(), '\0');
    blowfish_encrypt(&ctx, static_cast<size_t>(data.size()),
                     reinterpret_cast<uint8_t*>(sifra.data()),
                     reinterpret_cast<const uint8_t*>(data.constData()));
    return sifra;
}

std::optional<QByteArray> Desifrovat(const QByteArray& sifra, const QByteArray& klic) {
    blowfish_ctx ctx;
    if (sifra.isEmpty() || sifra.size() % BlokSize != 0 || !nastavKlic(ctx, klic)) {
        return std::nullopt;
    }
    QByteArray data(sifra.size(), '\0');
    blowfish_decrypt(&ctx, static_cast<size_t>(sifra.size()),
                     reinterpret_cast<uint8_t*>(data.data()),
                     reinterpret_cast<const uint8_t*>(sifra.constData()));
    const qsizetype plne = data.size() - BlokSize;
    const int zbytek = static_cast<unsigned char>(data.at(data.size() - 1));
    if (zbytek >= BlokSize) {
        return std::nullopt;
    }
    // The fill after the remaining bytes is zero in every file we write; any
    // other fill means another key or a damaged file.
    for (qsizetype i = plne + zbytek; i < data.size() - 1; ++i) {
        if (data.at(i) != '\0') {
            return std::nullopt;
        }
    }
    data.truncate(plne + zbytek);
    return data;
}

QByteArray Obal(const QStringList& radky, const QByteArray& klic) {
    QByteArray text;
    for (const QString& radek : radky) {
        text.append(radek.toUtf8());
        text.append("\r\n");
    }
    const QByteArray base64 = Zasifrovat(text, klic).toBase64();
    const quint32 crc = crc32Of(base64);
    QByteArray out(Magic, MagicSize);
    for (int i = 0; i < CrcSize; ++i) {
        out.append(static_cast<char>((crc >> (8 * i)) & 0xFFu));
    }
    out.append(invert(base64));
    return out;
}

std::optional<QStringList> Rozbal(const QByteArray& soubor, const QByteArray& klic) {
    if (soubor.size() < MagicSize + CrcSize || !soubor.startsWith(QByteArray(Magic, MagicSize))) {
        return std::nullopt;
    }
    quint32 ulozeny = 0;
    for (int i = 0; i < CrcSize; ++i) {
        ulozeny |= static_cast<quint32>(static_cast<unsigned char>(soubor.at(MagicSize + i)))
                   << (8 * i);
    }
    const QByteArray base64 = invert(soubor.mid(MagicSize + CrcSize));
    if (crc32Of(base64) != ulozeny) {
        return std::nullopt;
    }
    auto dekodovano =
        QByteArray::fromBase64Encoding(base64, QByteArray::AbortOnBase64DecodingErrors);
    if (!dekodovano) {
        return std::nullopt;
    }
    const auto text = Desifrovat(*dekodovano, klic);
    if (!text) {
        return std::nullopt;
    }
    QString obsah = QString::fromUtf8(*text);
    obsah.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList radky = obsah.split(u'\n');
    // Every line ends with CR LF, so the split leaves one empty tail.
    if (!radky.isEmpty() && radky.constLast().isEmpty()) {
        radky.removeLast();
    }
    return radky;
}

} // namespace soubor_prav

int UlozSoubor(const QStringList& radky, const QString& cesta, TRightsPrompts* zpravy,
               const QByteArray& klic) {
    auto selhani = [&](const QString& text) {
        if (zpravy != nullptr) {
            zpravy->Chyba(text);
        }
        return -1;
    };
    const QString cil = host::paths::resolve(cesta);
    const QFileInfo info(cil);
    // The new file replaces the old one by a rename in its folder, which needs
    // the right to write there; without it the old file cannot be replaced.
    if (info.exists() && !QFileInfo(info.absolutePath()).isWritable()) {
        return selhani(QStringLiteral("Nelze přepsat soubor ") + cesta);
    }
    const QByteArray obsah = soubor_prav::Obal(radky, klic);
    QSaveFile soubor(cil);
    if (klic.size() != soubor_prav::KlicSize || !soubor.open(QIODevice::WriteOnly) ||
        soubor.write(obsah) != obsah.size() || !soubor.commit()) {
        return selhani(QStringLiteral("Při zápisu do souboru ") + cesta +
                       QStringLiteral(" došlo k chybě."));
    }
    return 0;
}

int NactiSoubor(QStringList& radky, const QString& cesta, TRightsPrompts* zpravy,
                const QByteArray& klic) {
    auto selhani = [&](const QString& text) {
        if (zpravy != nullptr) {
            zpravy->Chyba(text);
        }
        return -1;
    };
    radky.clear();
    const QString zdroj = host::paths::resolve(cesta);
    if (!QFileInfo(zdroj).isFile()) {
        return selhani(QStringLiteral("Soubor ") + cesta + QStringLiteral(" neexistuje."));
    }
    const QString chybnyFormat =
        QStringLiteral("Soubor ") + cesta + QStringLiteral(" má chybný formát.");
    const QString chybaCteni =
        QStringLiteral("Při načítání ze souboru ") + cesta + QStringLiteral(" došlo k chybě.");
    QFile soubor(zdroj);
    if (!soubor.open(QIODevice::ReadOnly)) {
        return selhani(chybaCteni);
    }
    const QByteArray magic = soubor.read(3);
    if (magic != QByteArrayLiteral("HSL")) {
        return selhani(soubor.error() != QFileDevice::NoError ? chybaCteni : chybnyFormat);
    }
    if (soubor.size() > soubor_prav::MaxVelikost) {
        return selhani(chybnyFormat);
    }
    const QByteArray zbytek = soubor.readAll();
    if (soubor.error() != QFileDevice::NoError) {
        return selhani(chybaCteni);
    }
    auto rozbaleno = soubor_prav::Rozbal(magic + zbytek, klic);
    if (!rozbaleno) {
        return selhani(chybnyFormat);
    }
    radky = std::move(*rozbaleno);
    return 0;
}

} // namespace arvelo::rights
