#include "autoident/detail/NumberRule.h"

#include <gtest/gtest.h>

#include <climits>
#include <utility>

namespace {

using ostrel::autoident::detail::readCounterNumber;

TEST(NumberRuleTest, OnlyTheExactTextZeroIsZero) {
    constexpr long kRefused = -1; // the number is left untouched
    // "00" and " 0" read as zero but are not the text "0"; the rest after the digits is ignored;
    // out of range numbers are clamped to 32 bits.
    const std::pair<const char*, long> rows[] = {{"0", 0},
                                                 {"00", kRefused},
                                                 {"0007", 7},
                                                 {" 0", kRefused},
                                                 {"-0", kRefused},
                                                 {"", kRefused},
                                                 {"abc", kRefused},
                                                 {"12ab", 12},
                                                 {" \t+42", 42},
                                                 {"-5", -5},
                                                 {nullptr, kRefused},
                                                 {"99999999999", INT_MAX},
                                                 {"-99999999999", INT_MIN}};
    for (const auto& [text, expected] : rows) {
        long number = kRefused;
        EXPECT_EQ(readCounterNumber(text, number), expected != kRefused) << (text ? text : "-");
        EXPECT_EQ(number, expected) << (text ? text : "-");
    }
}

} // namespace
