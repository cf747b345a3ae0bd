#include "autoident/detail/NumberRule.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

using ostrel::autoident::detail::readCounterNumber;

TEST(NumberRuleTest, OnlyTheExactTextZeroIsZero) {
    struct Row {
        const char* text;
        bool accepted;
        long number;
    };
    const Row rows[] = {
        {"0", true, 0},
        {"00", false, 0},   // reads as zero but is not the text "0"
        {"0007", true, 7},  // leading zeros are fine when the number is not zero
        {"12ab", true, 12}, // the rest after the digits is ignored
        {" 0", false, 0},   // a blank before the zero makes it a refused zero
        {"", false, 0},
        {"abc", false, 0},
        {"-0", false, 0},
        {" \t+42", true, 42},
        {"-5", true, -5},
        {"99999999999", true, INT_MAX}, // out of range: clamped to 32 bits
        {"-99999999999", true, INT_MIN},
        {nullptr, false, 0},
    };
    for (const Row& row : rows) {
        long number = -1;
        const char* shown = row.text ? row.text : "(null)";
        EXPECT_EQ(readCounterNumber(row.text, number), row.accepted) << shown;
        EXPECT_EQ(number, row.accepted ? row.number : -1) << shown;
    }
}

} // namespace
