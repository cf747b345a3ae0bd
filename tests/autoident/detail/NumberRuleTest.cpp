#include "autoident/detail/NumberRule.h"

#include <gtest/gtest.h>

#include <climits>
#include <utility>

namespace {

TEST(NumberRuleTest, OnlyTheExactTextZeroIsZero) {
    constexpr long kNo = -1, kMax = INT_MAX, kMin = INT_MIN; // kNo: refused, left untouched
    // Zero must be the text "0"; the rest after the digits is ignored; clamped to 32 bits.
    const std::pair<const char*, long> rows[] = {
        {"0", 0},       {"00", kNo},          {"0007", 7},           {" 0", kNo},
        {"", kNo},      {"12ab", 12},         {" \t+42", 42},        {"-5", -5},
        {nullptr, kNo}, {"3000000000", kMax}, {"-3000000000", kMin},
    };
    for (const auto& [text, expected] : rows) {
        long number = kNo;
        EXPECT_EQ(ostrel::autoident::detail::readCounterNumber(text, number), expected != kNo)
            << (text ? text : "-");
        EXPECT_EQ(number, expected) << (text ? text : "-");
    }
}

} // namespace
