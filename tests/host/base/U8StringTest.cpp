#include "host/base/U8String.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using Ostrel::pstring;
using Ostrel::u8string;

TEST(U8StringTest, WideRoundTripKeepsEveryPlane) {
    // ASCII, Latin-1, Czech, CJK and a character outside the BMP.
    const u8string text("Faktura \xC3\xA4 \xC5\x99 \xE6\x96\x87 \xF0\x9F\x93\x84");
    const pstring wide(text);
    EXPECT_EQ(wide.str(), L"Faktura \u00E4 \u0159 \u6587 \U0001F4C4");
    EXPECT_EQ(u8string(wide), text);
    EXPECT_EQ(u8string(wide.c_str()), text);
}

TEST(U8StringTest, MalformedBytesBecomeReplacementCharacters) {
    struct Row {
        const char* bytes;
        const wchar_t* wide;
        const char* note;
    };
    const Row rows[] = {
        {"a\x80z", L"a\uFFFDz", "stray continuation byte"},
        {"\xC0\xAF", L"\uFFFD\uFFFD", "overlong slash: C0 is never a lead byte"},
        {"\xE0\x80\xAF", L"\uFFFD", "overlong three-byte form"},
        {"\xED\xA0\x80", L"\uFFFD", "encoded surrogate"},
        {"\xF4\x90\x80\x80", L"\uFFFD", "beyond U+10FFFF"},
        {"\xE6\x96", L"\uFFFD", "truncated at the end"},
        {"\xE6\x96x", L"\uFFFDx", "truncated before an ASCII byte"},
        {"\xFF\xFE", L"\uFFFD\uFFFD", "bytes that never occur in UTF-8"},
    };
    for (const Row& row : rows) {
        const pstring wide{u8string(row.bytes)};
        EXPECT_EQ(wide.str(), row.wide) << row.note;
        // Back to UTF-8 the text is valid and stable.
        const u8string repaired(wide);
        EXPECT_EQ(u8string(pstring(repaired)), repaired) << row.note;
    }
}

TEST(U8StringTest, InvalidWideCharactersAreReplaced) {
    const wchar_t bad[] = {L'a', static_cast<wchar_t>(0xD800), static_cast<wchar_t>(0x110000), L'b',
                           0};
    EXPECT_EQ(u8string(bad).str(), "a\xEF\xBF\xBD\xEF\xBF\xBD"
                                   "b");
}

TEST(U8StringTest, NullPointersGiveEmptyText) {
    EXPECT_TRUE(u8string(static_cast<const char*>(nullptr)).empty());
    EXPECT_TRUE(u8string(static_cast<const wchar_t*>(nullptr)).empty());
    u8string text("x");
    text = static_cast<const char*>(nullptr);
    EXPECT_TRUE(text.empty());
    text.setAcp(static_cast<const char*>(nullptr));
    EXPECT_TRUE(text.empty());
}

TEST(U8StringTest, OrderIsByteWiseSoCapitalsComeFirst) {
    std::map<u8string, int> names{{"b", 1}, {"B", 2}, {"a", 3}, {"\xC3\xA4", 4}, {"Z", 5}};
    std::string order;
    for (const auto& entry : names) {
        order += entry.first.str() + "|";
    }
    EXPECT_EQ(order, "B|Z|a|b|\xC3\xA4|");
    EXPECT_NE(u8string("a"), u8string("A"));
}

TEST(U8StringTest, NarrowEncodingIsUtf8OnLinux) {
    u8string text;
    text.setAcp(std::string("\xC5\x99\x00x", 4));
    EXPECT_EQ(text.size(), 4u) << "embedded NUL kept";
    EXPECT_EQ(text.toAcp(), std::string("\xC5\x99\x00x", 4));
}

} // namespace
