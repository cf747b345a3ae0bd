#include "platform/RegistryValue.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using ostrel::platform::RegistryValue;
using ostrel::platform::RegistryValueType;
using ostrel::platform::TextWidth;
using namespace std::string_literals;

struct DataRow {
    const char* note;
    RegistryValue value;
    std::string narrow;
    std::string wide;
};

TEST(RegistryValueTest, DataAndSizeFollowTheWidthOfTheReader) {
    const DataRow rows[] = {
        {"ASCII text", RegistryValue::string("de"), "de\0"s, "d\0e\0\0\0"s},
        {"empty text keeps its terminator", RegistryValue::string(""), "\0"s, "\0\0"s},
        {"two UTF-8 bytes, one UTF-16 unit", RegistryValue::string("\xC3\xA9"), "\xC3\xA9\0"s,
         "\xE9\0\0\0"s},
        {"outside the BMP: a surrogate pair", RegistryValue::string("\xF0\x9F\x98\x80"),
         "\xF0\x9F\x98\x80\0"s, "\x3D\xD8\x00\xDE\0\0"s},
        {"malformed UTF-8 becomes U+FFFD", RegistryValue::string("\xFF"), "\xFF\0"s,
         "\xFD\xFF\0\0"s},
        {"expandable text like text", RegistryValue::expandString("%A%"), "%A%\0"s,
         "%\0A\0%\0\0\0"s},
        {"number, little-endian", RegistryValue::number(0x01020304), "\x04\x03\x02\x01"s,
         "\x04\x03\x02\x01"s},
        {"binary as it is", RegistryValue::binary("\x00\x01"s), "\x00\x01"s, "\x00\x01"s},
    };
    for (const DataRow& row : rows) {
        SCOPED_TRACE(row.note);
        EXPECT_EQ(row.value.data(TextWidth::Narrow), row.narrow);
        EXPECT_EQ(row.value.data(TextWidth::Wide), row.wide);
        EXPECT_EQ(row.value.size(TextWidth::Narrow), row.narrow.size());
        EXPECT_EQ(row.value.size(TextWidth::Wide), row.wide.size());
    }
}

TEST(RegistryValueTest, SettingsTextKeepsTheType) {
    const struct {
        const char* note;
        RegistryValue value;
        std::string text;
    } rows[] = {
        {"plain text", RegistryValue::string("640;480;100;120;"), "640;480;100;120;"},
        {"number", RegistryValue::number(42), "dword:0000002a"},
        {"largest number", RegistryValue::number(0xFFFFFFFFu), "dword:ffffffff"},
        {"text that looks like a number", RegistryValue::string("dword:0000002a"),
         "sz:dword:0000002a"},
        {"text that starts with the text tag", RegistryValue::string("sz:x"), "sz:sz:x"},
        {"text that looks like binary data", RegistryValue::string("hex:00"), "sz:hex:00"},
        {"expandable text", RegistryValue::expandString("%HOME%"), "expand:%HOME%"},
        {"binary", RegistryValue::binary("\x00\xFF"s), "hex:00ff"},
        {"empty binary", RegistryValue::binary(""), "hex:"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.note);
        EXPECT_EQ(row.value.toSettingsText(), row.text);
        EXPECT_EQ(RegistryValue::fromSettingsText(row.text), row.value);
    }
}

TEST(RegistryValueTest, HandWrittenSettingsTextIsPlainText) {
    const char* const rows[] = {
        "1",               // a number written without its tag stays text
        "dword:2a",        // too few digits
        "dword:0000002A",  // upper case is not what we write
        "dword:0000002a ", // trailing blank
        "hex:0",           // odd number of digits
        "hex:zz",          //
        "",                //
    };
    for (const char* text : rows) {
        SCOPED_TRACE(text);
        const RegistryValue value = RegistryValue::fromSettingsText(text);
        EXPECT_EQ(value.type(), RegistryValueType::String);
        EXPECT_EQ(value.text(), text);
    }
}

TEST(RegistryValueTest, WideDataIsReadUpToTheFirstZeroUnit) {
    const struct {
        const char* note;
        std::string data;
        std::string text;
    } rows[] = {
        {"terminated", "d\0e\0\0\0"s, "de"},
        {"without terminator", "d\0e\0"s, "de"},
        {"stops at the first zero unit", "d\0\0\0e\0"s, "d"},
        {"odd last byte pairs with a zero", "d\0e"s, "de"},
        {"surrogate pair", "\x3D\xD8\x00\xDE"s, "\xF0\x9F\x98\x80"},
        {"lone high surrogate at the end", "a\0\x3D\xD8"s, "a\xEF\xBF\xBD"},
        {"lone high surrogate before a letter",
         "\x3D\xD8"
         "a\0"s,
         "\xEF\xBF\xBD"
         "a"},
        {"lone low surrogate", "\x00\xDE"s, "\xEF\xBF\xBD"},
        {"a number's bytes", RegistryValue::number(0x65).data(TextWidth::Wide), "e"},
        {"nothing", "", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.note);
        EXPECT_EQ(RegistryValue::textFromWideData(row.data), row.text);
    }
}

} // namespace
