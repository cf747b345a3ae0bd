#include "host/base/detail/TextFormat.h"
#include "host/base/detail/NumberText.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

namespace {

TEST(TextFormatTest, SubstitutesNumberedMarkers) {
    EXPECT_EQ(ostrel::substitute("%2 before %1", {"a", "b"}), "b before a");
    EXPECT_EQ(ostrel::substitute("100%% %1", {"x"}), "100% x");
    EXPECT_EQ(ostrel::substitute("%3|%s|%", {"x"}), "|%s|%") << "missing argument, printf marker";
    EXPECT_EQ(ostrel::substitute("%1%1", {"ab"}), "abab");
}

TEST(TextFormatTest, MnemonicMarksGoAndADoubledOneIsAnAmpersand) {
    const struct {
        const char* text;
        const char* plain;
        const char* label;
    } rows[] = {
        {"&Document group:", "Document group:", "Document group"},
        {"Smith && Sons", "Smith & Sons", "Smith & Sons"},
        {"a&&&b:", "a&b:", "a&b"},                   // the third "&" marks "b"
        {"&&&&", "&&", "&&"},                        // two written ampersands
        {"Ends with &", "Ends with ", "Ends with "}, // a mark with nothing after it
        {"Time: 10:", "Time: 10:", "Time: 10"},
        {"::", "::", ":"}, // one colon closes a label
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ostrel::withoutMnemonics(row.text), row.plain) << row.text;
        EXPECT_EQ(ostrel::labelledName(row.text), row.label) << row.text;
    }
}

TEST(NumberTextTest, ReadsLikeAtoiAndClampsOutOfRange) {
    constexpr std::int64_t kMax = INT64_MAX, kMin = INT64_MIN;
    const struct {
        const char* text;
        std::int64_t wide;
        int narrow;
    } rows[] = {
        {"42", 42, 42},
        {" \t\n\v\f\r+7x", 7, 7}, // every blank of the C locale, a sign, then the rest ignored
        {"-0012", -12, -12},
        {"12px", 12, 12},
        {"x7", 0, 0},
        {"", 0, 0},
        {nullptr, 0, 0},
        {"- 5", 0, 0},      // no blank between sign and digits
        {"\xA0\x35", 0, 0}, // a non-breaking space is no blank, whatever the locale
        {"2147483648", 2147483648, INT_MAX},
        {"4294967296", 4294967296, INT_MAX}, // not 0, as a wrapping atoi would give
        {"9223372036854775808", kMax, INT_MAX},
        {"-9223372036854775808", kMin, INT_MIN},
        {"-9223372036854775809", kMin, INT_MIN},
        {"99999999999999999999999999999999", kMax, INT_MAX},
    };
    for (const auto& row : rows) {
        const char* shown = row.text ? row.text : "(null)";
        EXPECT_EQ(ostrel::readLeadingInteger(row.text), row.wide) << shown;
        EXPECT_EQ(ostrel::readLeadingInt(row.text), row.narrow) << shown;
    }
}

} // namespace
