#include "autoident/detail/NumberRule.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

using namespace ostrel::autoident::detail;

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
