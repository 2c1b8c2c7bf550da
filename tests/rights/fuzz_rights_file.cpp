// libFuzzer entry for the rights file reader: the raw bytes as a whole file
// (through NactiSoubor and the envelope) and as key-and-value lines wrapped in
// a valid envelope (through the line parser).
#include "rights/rights_file.h"
#include "rights/rights_list.h"
#include "rights/scramble.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <unistd.h>

namespace {

const QByteArray& key() {
    static const QByteArray k = arvelo::rights::KlicPrav();
    return k;
}

const QString& scratchFile() {
    static const QString path =
        QDir::tempPath() +
        QStringLiteral("/arvelo-fuzz-%1.TLD").arg(static_cast<qlonglong>(getpid()));
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace arvelo::rights;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    // As a file on disk.
    {
        QFile f(scratchFile());
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            f.write(bytes);
            f.close();
            QStringList lines;
            if (NactiSoubor(lines, scratchFile(), nullptr, key()) == 0) {
                (void)PrecistRadky(lines);
            } else if (!lines.isEmpty()) {
                std::abort(); // a refused file must leave no lines behind
            }
        }
    }

    // As the content of a well-formed file: the parser decides alone.
    const QStringList lines = QString::fromUtf8(bytes).split(u'\n');
    const auto unpacked = soubor_prav::Rozbal(soubor_prav::Obal(lines, key()), key());
    if (!unpacked) {
        std::abort(); // a file we wrote ourselves must always read back
    }
    if (const auto content = PrecistRadky(*unpacked)) {
        // What was read writes back readably, and after one write nothing
        // changes any more (line breaks inside values become spaces once).
        const auto once = PrecistRadky(SestavitRadky(*content));
        if (!once || once->Uzivatele.size() != content->Uzivatele.size() ||
            PrecistRadky(SestavitRadky(*once)) != once) {
            std::abort();
        }
    }
    return 0;
}
