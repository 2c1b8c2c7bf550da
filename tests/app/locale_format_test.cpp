#include "app/locale_format.h"
#include "test_support.h"

#include <gtest/gtest.h>

using namespace arvelo::app;

namespace {

TEST(DateSeparator, ReducesToOneCharacter) {
    struct Case {
        QString format;
        QString separator;
        QString expectedFormat;
        QString expectedSeparator;
    };
    const Case cases[] = {
        {"d. M. yyyy", ". ", "d.M.yyyy", "."},  // dot and blank become one dot
        {"dd.MM.yyyy", ".", "dd.MM.yyyy", "."}, // one character: unchanged
        {"yyyy-MM-dd", "-", "yyyy-MM-dd", "-"},
        {"d / M / yyyy", " / ", "d/M/yyyy", "/"}, // trimmed first, then first character
        {"d  M  yyyy", "  ", "d M yyyy", " "},    // only blanks: one blank stays
    };
    for (const Case& c : cases) {
        const auto r = reduceDateSeparator(c.format, c.separator);
        EXPECT_EQ(r.format, c.expectedFormat) << c.format.toStdString();
        EXPECT_EQ(r.separator, c.expectedSeparator) << c.format.toStdString();
    }
}

TEST(DateSeparator, FoundBetweenTheFirstTwoFields) {
    EXPECT_EQ(dateSeparatorOf("d. M. yyyy"), ". ");
    EXPECT_EQ(dateSeparatorOf("dd.MM.yy"), ".");
    EXPECT_EQ(dateSeparatorOf("M/d/yy"), "/");
    EXPECT_EQ(dateSeparatorOf("yyyy"), "");
}

TEST(SystemFormats, CzechDatesAndNumbers) {
    const SystemFormats cs = arvelo::test::czech();
    EXPECT_EQ(cs.shortDateFormat(), "dd.MM.yyyy");
    EXPECT_EQ(cs.dateText(QDate(2026, 3, 5)), "05.03.2026");
    EXPECT_EQ(cs.parseDate("5.3.2026"), QDate(2026, 3, 5));
    EXPECT_FALSE(cs.parseDate("2026-03-05").isValid());
    EXPECT_EQ(cs.numberText(10.5), "10,5");
    bool ok = false;
    EXPECT_DOUBLE_EQ(cs.parseNumber("11,06", &ok), 11.06);
    EXPECT_TRUE(ok);
    cs.parseNumber("11.06", &ok);
    EXPECT_FALSE(ok);
    const QDateTime dt(QDate(2026, 3, 5), QTime(14, 7, 9));
    EXPECT_EQ(cs.parseDateTime(cs.dateTimeText(dt)), dt);
}

} // namespace
