#include "host/base/EarthTime.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using zmbase::EarthTime;

TEST(EarthTimeTest, EveryDayFrom1900To2100PrintsAndParsesBack) {
    // Walk the calendar by hand so that a wrong month length or leap rule in
    // isValidDate shows up as a missing or extra day.
    int checked = 0;
    for (int year = 1900; year <= 2100; ++year) {
        for (int month = 1; month <= 12; ++month) {
            for (int day = 1; day <= 31; ++day) {
                if (!zmbase::isValidDate(year, month, day)) {
                    continue;
                }
                const EarthTime date(year, month, day, 13, 14, 15);
                std::string text;
                ASSERT_TRUE(date.printDate(text, 0, true, true));
                EarthTime back;
                ASSERT_TRUE(back.parseDate(text.c_str(), 0)) << text;
                ASSERT_TRUE(back.isSameDay(date)) << text;
                ++checked;
            }
        }
    }
    EXPECT_EQ(checked, 73414); // days from 1900-01-01 to 2100-12-31
}

TEST(EarthTimeTest, PrintsIsoDate) {
    std::string text = "old";
    EXPECT_TRUE(EarthTime(2007, 3, 9).printDate(text, 0, true, true));
    EXPECT_EQ(text, "2007-03-09");
    EXPECT_FALSE(EarthTime(2007, 3, 9).printDate(text, 1, true, true));
    EXPECT_EQ(text, "2007-03-09") << "unknown format leaves the text";
}

TEST(EarthTimeTest, RefusesEverythingButARealIsoDate) {
    const char* rows[] = {
        "",           "2007-02-29", // not a leap year
        "1900-02-29",               // century, not a leap year
        "2007-13-01", "2007-00-10", "2007-04-31",   "2007-04-00",  "0000-01-01",
        "2007-4-01",  "2007/04/01", "2007-04-01 ",  " 2007-04-01", "2007-04-0x",
        "+007-04-01", "20070401",   "2007-04-01\n",
    };
    for (const char* text : rows) {
        EarthTime date(2001, 2, 3);
        EXPECT_FALSE(date.parseDate(text, 0)) << '"' << text << '"';
        EXPECT_EQ(date, EarthTime(2001, 2, 3)) << "unchanged after \"" << text << '"';
    }
    EarthTime date;
    EXPECT_FALSE(date.parseDate(nullptr, 0));
    EXPECT_FALSE(date.parseDate("2007-04-01", 1));
    EXPECT_TRUE(date.parseDate("2000-02-29", 0)) << "divisible by 400 is a leap year";
}

TEST(EarthTimeTest, NowComesFromTheInstalledClock) {
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
