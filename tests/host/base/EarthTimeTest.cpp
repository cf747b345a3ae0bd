#include "host/base/EarthTime.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

using zmbase::EarthTime;

// Every day number 0..32 of months 0..13: a real date prints as written and parses back, any
// other is refused and leaves the date alone. The count pins isValidDate's leap and month rules.
TEST(EarthTimeTest, EveryDayFrom1900To2100PrintsAndParsesBackAndNothingElseParses) {
    int valid = 0;
    for (int year = 1900; year <= 2100; ++year) {
        for (int month = 0; month <= 13; ++month) {
            for (int day = 0; day <= 32; ++day) {
                char text[16];
                std::snprintf(text, sizeof text, "%04d-%02d-%02d", year, month, day);
                EarthTime back(2001, 2, 3);
                if (!zmbase::isValidDate(year, month, day)) {
                    ASSERT_FALSE(back.parseDate(text, 0)) << text;
                    ASSERT_EQ(back, EarthTime(2001, 2, 3)) << text;
                    continue;
                }
                std::string printed = "old";
                ASSERT_TRUE(
                    EarthTime(year, month, day, 13, 14, 15).printDate(printed, 0, true, true));
                ASSERT_EQ(printed, text);
                ASSERT_TRUE(back.parseDate(text, 0)) << text;
                ASSERT_TRUE(back.isSameDay(EarthTime(year, month, day))) << text;
                ++valid;
            }
        }
    }
    EXPECT_EQ(valid, 73414); // days from 1900-01-01 to 2100-12-31
}

TEST(EarthTimeTest, RefusesOtherFormsAndFormats) {
    for (const char* text : {"", "0000-01-01", "2007-4-01", "2007-04-01 ", "2007-04-0x"}) {
        EarthTime date(2001, 2, 3);
        EXPECT_FALSE(date.parseDate(text, 0)) << '"' << text << '"';
        EXPECT_EQ(date, EarthTime(2001, 2, 3)) << "unchanged after \"" << text << '"';
    }
    EarthTime date;
    EXPECT_FALSE(date.parseDate(nullptr, 0));
    EXPECT_FALSE(date.parseDate("2007-04-01", 1));
    std::string text = "old";
    EXPECT_FALSE(EarthTime(2007, 3, 9).printDate(text, 1, true, true));
    EXPECT_EQ(text, "old") << "unknown format leaves the text";
}

TEST(EarthTimeTest, InstalledClockIsRemovedAtScopeEnd) {
    EarthTime now;
    {
        zmbase::ScopedLocalClock clock([] { return EarthTime(2026, 12, 6, 23, 59, 59); });
        now.setNowLocal();
        EXPECT_EQ(now, EarthTime(2026, 12, 6, 23, 59, 59));
    }
    now.setNowLocal();
    EXPECT_GE(now.year, 2024) << "system clock restored";
}

} // namespace
