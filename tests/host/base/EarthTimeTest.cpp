#include "host/base/EarthTime.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using zmbase::EarthTime;

TEST(EarthTimeTest, RealDaysPrintAndParseBackOthersAreRefused) {
    const struct {
        int year, month, day;
        const char* text; // nullptr: not a calendar day
    } rows[] = {
        {2007, 4, 1, "2007-04-01"},  {1, 1, 1, "0001-01-01"}, {9999, 12, 31, "9999-12-31"},
        {2000, 2, 29, "2000-02-29"},                         // divisible by 400
        {2024, 2, 29, "2024-02-29"}, {1900, 2, 29, nullptr}, // divisible by 100
        {2023, 2, 29, nullptr},      {2023, 4, 31, nullptr},  {2023, 0, 10, nullptr},
        {2023, 13, 10, nullptr},     {2023, 1, 0, nullptr},   {2023, 1, 32, nullptr},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.year << '/' << row.month << '/' << row.day);
        EXPECT_EQ(zmbase::isValidDate(row.year, row.month, row.day), row.text != nullptr);
        if (row.text == nullptr) {
            continue;
        }
        std::string printed = "old";
        ASSERT_TRUE(
            EarthTime(row.year, row.month, row.day, 13, 14, 15).printDate(printed, 0, true, true));
        EXPECT_EQ(printed, row.text);
        EarthTime back(2001, 2, 3, 4, 5, 6);
        ASSERT_TRUE(back.parseDate(row.text, 0));
        EXPECT_EQ(back, EarthTime(row.year, row.month, row.day)) << "midnight of that day";
    }
}

TEST(EarthTimeTest, RefusesOtherFormsAndFormats) {
    for (const char* text :
         {"", "0000-01-01", "2023-02-29", "2007-4-01", "2007-04-01 ", "2007-04-0x", "2007/04/01"}) {
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

TEST(EarthTimeTest, NestedClocksRestoreEachOtherInTurn) {
    const auto now = [] {
        EarthTime time;
        time.setNowLocal();
        return time;
    };
    const EarthTime outerTime(2026, 11, 7, 13, 47, 29); // no two fields alike: none swapped
    const zmbase::ScopedLocalClock outer([&] { return outerTime; });
    {
        const zmbase::ScopedLocalClock middle([] { return EarthTime(2026, 11, 2); });
        {
            const zmbase::ScopedLocalClock inner([] { return EarthTime(2026, 11, 3); });
            EXPECT_EQ(now().day, 3);
        }
        EXPECT_EQ(now().day, 2) << "the inner clock put the middle one back";
    }
    EXPECT_EQ(now(), outerTime) << "the middle clock put the outer one back";
}

} // namespace
