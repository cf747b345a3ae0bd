#include "host/base/U8String.h"
#include "host/base/detail/NumberText.h"
#include "host/base/detail/TextFormat.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

namespace {

using Ostrel::pstring;
using Ostrel::u8string;

TEST(U8StringTest, WideRoundTripKeepsEveryPlane) {
    const u8string text("Faktura \u00E4 \u0159 \u6587 \U0001F4C4");
    const pstring wide(text);
    EXPECT_EQ(wide.str(), L"Faktura \u00E4 \u0159 \u6587 \U0001F4C4");
    EXPECT_EQ(u8string(wide), text);
    EXPECT_EQ(u8string(wide.c_str()), text);
}

TEST(U8StringTest, MalformedBytesBecomeReplacementCharacters) {
    const struct {
        const char* bytes;
        const wchar_t* wide;
        const char* note;
    } rows[] = {
        {"a\x80z", L"a\uFFFDz", "stray continuation byte"},
        {"\xC0\xAF", L"\uFFFD\uFFFD", "overlong slash: C0 is never a lead byte"},
        {"\xE0\x80\xAF", L"\uFFFD", "overlong three-byte form"},
        {"\xED\xA0\x80", L"\uFFFD", "encoded surrogate"},
        {"\xF4\x90\x80\x80", L"\uFFFD", "beyond U+10FFFF"},
        {"\xE6\x96", L"\uFFFD", "truncated at the end"},
        {"\xE6\x96x", L"\uFFFDx", "truncated before an ASCII byte"},
        {"\xFF\xFE", L"\uFFFD\uFFFD", "bytes that never occur in UTF-8"},
    };
    for (const auto& row : rows) {
        const pstring wide{u8string(row.bytes)};
        EXPECT_EQ(wide.str(), row.wide) << row.note;
        const u8string repaired(wide);
        EXPECT_EQ(u8string(pstring(repaired)), repaired) << row.note << ": stable once repaired";
    }
    const wchar_t bad[] = {L'a', wchar_t(0xD800), wchar_t(0x110000), L'b', 0};
    EXPECT_EQ(u8string(bad).str(), "a\uFFFD\uFFFDb");
}

TEST(U8StringTest, NullPointersGiveEmptyText) {
    EXPECT_TRUE(u8string(static_cast<const char*>(nullptr)).empty());
    EXPECT_TRUE(u8string(static_cast<const wchar_t*>(nullptr)).empty());
    u8string text("x");
    text = static_cast<const char*>(nullptr);
    EXPECT_TRUE(text.empty());
    text = "x";
    text.setAcp(static_cast<const char*>(nullptr));
    EXPECT_TRUE(text.empty());
}

TEST(U8StringTest, NarrowEncodingIsUtf8WithEmbeddedNulKept) {
    u8string text;
    text.setAcp(std::string("\xC5\x99\x00x", 4));
    EXPECT_EQ(text.str(), std::string("\xC5\x99\x00x", 4));
    EXPECT_EQ(text.toAcp(), std::string("\xC5\x99\x00x", 4));
}

// Capital A, A umlaut and C caron: KeyDrivenSearchTest, where typed capitals find names.
TEST(U8StringTest, CaseFoldingMakesLettersOfEitherCaseAlike) {
    const struct {
        char32_t in;
        char32_t folded;
        const char* note;
    } rows[] = {
        {U'z', U'z', ""},
        {U'1', U'1', "not a letter"},
        {U'\u03A3', U'\u03C3', "capital sigma"},
        {U'\u03C2', U'\u03C3', "final sigma folds like the other sigmas"},
        {U'\u017F', U'\u0073', "long s is an s"},
        {U'\u00DF', U'\u00DF', "sharp s has no one-letter capital"},
        {U'\U0001F4C4', U'\U0001F4C4', "beyond the basic plane"},
        {0x110000, 0x110000, "not a code point: unchanged"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ostrel::foldCase(row.in), row.folded) << row.note;
    }
    EXPECT_EQ(ostrel::foldCase(std::string("\xC3\x9A\xC4\x8C\x65 \x80")),
              std::u32string(U"\u00FA\u010De \uFFFD"))
        << "text is decoded first, a malformed byte becoming U+FFFD";
}

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
