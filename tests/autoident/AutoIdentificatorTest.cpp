#include "autoident/AutoIdentificator.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using zmbase::EarthTime;

class AutoIdentificatorTest : public ::testing::Test {
protected:
    static std::string text(AutoIdentificator& counter) {
        long fixedLength = 0;
        return counter.getValue(fixedLength);
    }

    EarthTime now{2007, 3, 9, 10, 30, 0};
    zmbase::ScopedLocalClock clock{[this] { return now; }};
};

TEST_F(AutoIdentificatorTest, IdentifierTextAndFixedLength) {
    const struct {
        const char* pattern;
        long width, initial, editable;
        const char* text;
        long fixedLength;
        EarthTime day = EarthTime(2007, 3, 9);
    } rows[] = {
        {"A\\Y-\\y.\\m/\\d", 0, 1, 0, "A2007-07.03/091", 14},
        {"INV-", 0, 1, 0, "INV-0703091", 10},   // no date escape: yymmdd appended
        {"a\\\\b", 0, 1, 0, "a\\b0703091", 9},  // a double backslash is no date escape
        {"ab\\Mc", 0, 1, 0, "abMc0703091", 10}, // an unknown (or upper-case) escape keeps the byte
        {"ab\\", 0, 1, 0, "ab0703091", 8},      // a trailing backslash is dropped
        {"\\\\y\\d\\", 0, 1, 0, "\\y091", 4},   // an escaped backslash starts no escape
        {"\\Y|\\y|", 0, 1, 0, "0987|87|1", 8, EarthTime(987, 1, 2)},
        {"", 0, 1, 0, "0012311", 6, EarthTime(2100, 12, 31)},
        {"A\\Y-", 3, 0, 0, "A2007-000", 6},         // zero is padded like any number
        {"A\\Y-", 4, 123456, 0, "A2007-123456", 6}, // a wider number is never cut
        {"A\\Y-", -3, 5, 0, "A2007-5", 6},
        {"A\\Y-", 2, 5, 10, "A2007-05", -4}, // no clamping either way
        {"A\\Y-", 2, 5, -1, "A2007-05", 7},
        {"A\\Y-", 0, -1, 0, "A2007-4294967295", 6}, // the value is unsigned
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pattern);
        now = row.day;
        AutoIdentificator counter("c", row.pattern, 1, row.initial, row.width, row.editable);
        long fixedLength = 12345;
        EXPECT_STREQ(counter.getValue(fixedLength), row.text);
        EXPECT_EQ(fixedLength, row.fixedLength);
    }
    AutoIdentificator absurd("c", "\\Y", 1, 1, 2000000000, 0);
    EXPECT_EQ(text(absurd).size(), 4u + AutoIdentificator::kMaxPaddedWidth);
}

TEST_F(AutoIdentificatorTest, NewDayResetsToInitialValue) {
    // Each row sets a counter to 9 on 2007-03-09, moves the clock, then acts.
    enum Operation { GetValue, Increment, Update };
    const struct {
        Operation operation;
        EarthTime moment;
        const char* expected;
    } rows[] = {
        {GetValue, EarthTime(2007, 3, 10, 0, 0, 1), "X07031005"},
        {GetValue, EarthTime(2007, 3, 9, 23, 59, 59), "X07030909"}, // time is not compared
        {GetValue, EarthTime(2007, 3, 8, 10, 30, 0), "X07030805"},  // clock set back
        {GetValue, EarthTime(2007, 4, 9, 10, 30, 0), "X07040905"},
        {GetValue, EarthTime(2008, 3, 9, 10, 30, 0), "X08030905"},
        {Increment, EarthTime(2007, 3, 10), "X07031005"}, // no increment on a new day
        {Increment, EarthTime(2007, 3, 9, 11), "X07030910"},
        {Update, EarthTime(2007, 3, 10), "X07031005"}, // the argument is ignored
        {Update, EarthTime(2007, 3, 9, 11), "X07030977"},
    };
    for (const auto& row : rows) {
        now = EarthTime(2007, 3, 9, 10, 30, 0);
        AutoIdentificator counter("c", "X", 1, 5, 2, 0);
        counter.updateValue(9L);
        now = row.moment;
        if (row.operation == Increment) {
            EXPECT_TRUE(counter.incrementValue());
        } else if (row.operation == Update) {
            counter.updateValue(77L);
        }
        EXPECT_EQ(text(counter), row.expected);
        EXPECT_EQ(text(counter), row.expected) << "getValue must not advance";
    }
}

TEST_F(AutoIdentificatorTest, ReadingATypedIdentifier) {
    const struct {
        const char* typed;
        bool accepted;
        const char* next; // value was 6
        EarthTime day = EarthTime(2007, 3, 9);
    } rows[] = {
        {"D070309-0007", true, "D070309-7"},
        {"D070309-0", true, "D070309-0"},
        {"D070309-000", false, "D070309-6"}, // three zeros are no number
        {"D070309-", false, "D070309-6"},
        {"D070308-0007", false, "D070309-6"}, // yesterday's prefix
        {"D0703", false, "D070309-6"},
        {"D070309--3", true, "D070309-4294967293"},
        {nullptr, false, "D070309-6"},
        // On a new day the prefix is today's and the old value is gone.
        {"D070309-0008", false, "D070310-5", EarthTime(2007, 3, 10)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.next);
        now = EarthTime(2007, 3, 9);
        AutoIdentificator counter("c", "D\\y\\m\\d-", 1, 5, 0, 0);
        counter.incrementValue();
        now = row.day;
        EXPECT_EQ(counter.updateValue(row.typed), row.accepted);
        EXPECT_EQ(text(counter), row.next);
    }
}

} // namespace
