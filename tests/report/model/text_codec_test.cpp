#include "report/model/text_codec.h"

#include <QStringDecoder>
#include <gtest/gtest.h>

namespace arvelo::report {
namespace {

TEST(Kodovani1250, CeskaPismenaTamIZpet) {
    const QString text = QStringLiteral("Příliš žluťoučký kůň úpěl ďábelské ódy ŘŠČŽÝÁÍÉŮÚĚŤĎŇ €");
    const QByteArray bytes = EncodeWindows1250(text);
    EXPECT_EQ(bytes.size(), text.size());
    EXPECT_EQ(DecodeWindows1250(bytes), text);
    EXPECT_EQ(static_cast<unsigned char>(EncodeWindows1250(QStringLiteral("Č"))[0]), 0xC8);
    EXPECT_EQ(EncodeWindows1250(QStringLiteral("中")), QByteArray("?"));
}

TEST(Kodovani1250, KazdyBajtPrezijeCteniAZapis) {
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    EXPECT_EQ(EncodeWindows1250(DecodeWindows1250(all)), all);
}

TEST(Kodovani1250, ShodaSKodekemQt) {
    QStringDecoder qt("windows-1250");
    if (!qt.isValid())
        GTEST_SKIP() << "Qt has no windows-1250 codec here";
    for (int b = 0x80; b < 256; ++b) {
        if (b == 0x81 || b == 0x83 || b == 0x88 || b == 0x90 || b == 0x98)
            continue; // unassigned in the code page
        const QByteArray one(1, static_cast<char>(b));
        QStringDecoder d("windows-1250");
        EXPECT_EQ(DecodeWindows1250(one), d.decode(one)) << std::hex << b;
    }
}

TEST(KodovaniSouboru, Utf8NeboWindows1250) {
    const QString text = QStringLiteral("Sestava účtů");
    auto utf = DecodeFileText(text.toUtf8());
    EXPECT_EQ(utf.kodovani, TKodovani::Utf8);
    EXPECT_EQ(utf.text, text);
    auto ansi = DecodeFileText(EncodeWindows1250(text));
    EXPECT_EQ(ansi.kodovani, TKodovani::Windows1250);
    EXPECT_EQ(ansi.text, text);
    auto bom = DecodeFileText(QByteArray("\xEF\xBB\xBFI,0"));
    EXPECT_EQ(bom.text, QStringLiteral("I,0"));
}

} // namespace
} // namespace arvelo::report
