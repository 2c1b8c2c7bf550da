#include "qt_tisk.h"
#include "report/template/tokeny.h"

#include <gtest/gtest.h>

namespace arvelo::report {
namespace {

TEST(Tokeny, CteniZaznamu) {
    struct Case {
        const char* record;
        QStringList tokens;
    };
    const Case cases[] = {
        {"Z,1,0", {"Z", "1", "0"}},
        {"I,0,\"Sestava, první\"", {"I", "0", "Sestava, první"}},
        {"\"a\"\"b\",c", {"a\"b", "c"}},
        {"\"abc\"de,x", {"abcde", "x"}},
        {"\"\"\"\",1", {"\"", "1"}},
        {"a,,b", {"a", "", "b"}},
        {"\"neuzavřený, text", {"neuzavřený, text"}},
        {"\"\",", {""}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RozdelZaznam(QString::fromUtf8(c.record)), c.tokens) << c.record;
}

TEST(Tokeny, CislaAPriznaky) {
    TCtecTokenu t(QStringLiteral("12,-3,x,,99999999999, 7 ,2"));
    EXPECT_EQ(t.Cislo(), 12);
    EXPECT_EQ(t.Cislo(), -3);
    EXPECT_EQ(t.Cislo(5), 5); // unreadable
    EXPECT_EQ(t.Cislo(8), 8); // empty
    EXPECT_EQ(t.Cislo(1), 1); // beyond int
    EXPECT_EQ(t.Cislo(), 7);
    EXPECT_TRUE(t.Priznak());
    EXPECT_FALSE(t.Priznak()); // missing
    EXPECT_EQ(t.Text(), QString());
    EXPECT_TRUE(t.Konec());
}

TEST(Tokeny, UvozenyTextZdvojujeUvozovky) {
    EXPECT_EQ(UvozenyText(QStringLiteral("a\"b")), QStringLiteral("\"a\"\"b\""));
    const QString original = QStringLiteral("Řekl \"ahoj\", \"\" a dost");
    TCtecTokenu t(UvozenyText(original) + QStringLiteral(",1"));
    EXPECT_EQ(t.Text(), original);
    EXPECT_EQ(t.Cislo(), 1);
}

} // namespace
} // namespace arvelo::report
