#include "autoident/AutoIdentificator.h"
#include "autoident/detail/NumberRule.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

using namespace ostrel::autoident::detail;
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

TEST_F(AutoIdentificatorTest, NewDayResetsToInitialValueAndTypedIdentifiersAreRead) {
    // Each row sets a counter (initial value 5) to 9 on 2007-03-09, moves the clock, then acts.
    enum Operation { GetValue, Increment, Update, Type };
    const struct {
        Operation operation;
        EarthTime moment;
        const char* expected;
        const char* typed = nullptr;
        bool accepted = true;
    } rows[] = {
        {GetValue, EarthTime(2007, 3, 10, 0, 0, 1), "D070310-05"},
        {GetValue, EarthTime(2007, 3, 9, 23, 59, 59), "D070309-09"}, // time is not compared
        {GetValue, EarthTime(2007, 3, 8, 10, 30, 0), "D070308-05"},  // clock set back
        {GetValue, EarthTime(2007, 4, 9, 10, 30, 0), "D070409-05"},
        {GetValue, EarthTime(2008, 3, 9, 10, 30, 0), "D080309-05"},
        {Increment, EarthTime(2007, 3, 10), "D070310-05"}, // no increment on a new day
        {Increment, EarthTime(2007, 3, 9, 11), "D070309-10"},
        {Update, EarthTime(2007, 3, 10), "D070310-05"}, // the argument is ignored
        {Update, EarthTime(2007, 3, 9, 11), "D070309-77"},
        {Type, EarthTime(2007, 3, 9), "D070309-07", "D070309-0007"},
        {Type, EarthTime(2007, 3, 9), "D070309-00", "D070309-0"},
        {Type, EarthTime(2007, 3, 9), "D070309-09", "D070309-000", false}, // three zeros: no number
        {Type, EarthTime(2007, 3, 9), "D070309-09", "D070309-", false},
        {Type, EarthTime(2007, 3, 9), "D070309-09", "D070308-0007", false}, // yesterday's prefix
        {Type, EarthTime(2007, 3, 9), "D070309-09", "D0703", false},
        {Type, EarthTime(2007, 3, 9), "D070309-4294967293", "D070309--3"},
        {Type, EarthTime(2007, 3, 9), "D070309-09", nullptr, false},
        // On a new day the prefix is today's and the old value is gone.
        {Type, EarthTime(2007, 3, 10), "D070310-05", "D070309-0008", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.expected);
        now = EarthTime(2007, 3, 9, 10, 30, 0);
        AutoIdentificator counter("c", "D\\y\\m\\d-", 1, 5, 2, 0);
        counter.updateValue(9L);
        now = row.moment;
        bool result = true;
        if (row.operation == Increment) {
            result = counter.incrementValue();
        } else if (row.operation == Update) {
            counter.updateValue(77L);
        } else if (row.operation == Type) {
            result = counter.updateValue(row.typed);
        }
        EXPECT_EQ(result, row.accepted);
        EXPECT_EQ(text(counter), row.expected);
    }
}

TEST(NumberRuleTest, OnlyTheExactTextZeroIsZeroAndEachFieldKeepsItsRange) {
    constexpr std::int64_t kNo = -99; // refused: the number is left untouched
    const struct {
        const char* text;
        std::int64_t number; // as a definition number (32-bit signed)
        std::int64_t value;  // as a counter value (32-bit unsigned)
    } rows[] = {
        {"0", 0, 0},
        {"00", kNo, kNo},
        {"0007", 7, 7},
        {" 0", kNo, kNo},
        {"", kNo, kNo},
        {nullptr, kNo, kNo},
        {"12ab", 12, 12},
        {" \t+42", 42, 42},
        {"-5", -5, 4294967291},                // a value wraps as the counter's arithmetic does
        {"3000000000", INT32_MAX, 3000000000}, // a value the counter holds reads as itself
        {"4294967295", INT32_MAX, 4294967295},
        // Beyond: clamped to int as atoi clamps, so that the next use does not wrap to 0.
        {"4294967296", INT32_MAX, 2147483647},
        {"-3000000000", INT32_MIN, 2147483648},
    };
    for (const auto& row : rows) {
        const char* shown = row.text ? row.text : "(null)";
        std::int32_t number = kNo;
        EXPECT_EQ(readCounterNumber(row.text, number), row.number != kNo) << shown;
        EXPECT_EQ(number, row.number) << shown;
        std::uint32_t value = 7;
        EXPECT_EQ(readCounterValue(row.text, value), row.value != kNo) << shown;
        EXPECT_EQ(value, row.value == kNo ? 7 : row.value) << shown;
    }
}

} // namespace
