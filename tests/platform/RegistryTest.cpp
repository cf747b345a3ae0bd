// The registry layer without the toolkit: values and the in-memory store.

#include "platform/MemoryRegistry.h"
#include "platform/ProductSettings.h"
#include "platform/RegistryValue.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

using namespace ostrel::platform;
using namespace std::string_literals;

constexpr const char* kDialogKey = ostrel::platform::kProductSettingsKey;
constexpr RegistryRoot kUser = RegistryRoot::CurrentUser;

TEST(RegistryValueTest, DataAndSizeFollowTheWidthOfTheReader) {
    const struct {
        RegistryValue value;
        std::string narrow, wide;
    } rows[] = {
        {RegistryValue::string("de"), "de\0"s, "d\0e\0\0\0"s},
        {RegistryValue::string(""), "\0"s, "\0\0"s}, // the terminator stays
        {RegistryValue::string("\xC3\xA9"), "\xC3\xA9\0"s, "\xE9\0\0\0"s},
        {RegistryValue::string("\xF0\x9F\x98\x80"), "\xF0\x9F\x98\x80\0"s, "\x3D\xD8\x00\xDE\0\0"s},
        {RegistryValue::string("\xFF"), "\xFF\0"s, "\xFD\xFF\0\0"s}, // malformed: U+FFFD
        {RegistryValue::expandString("%A%"), "%A%\0"s, "%\0A\0%\0\0\0"s},
        {RegistryValue::number(0x01020304), "\x04\x03\x02\x01"s, "\x04\x03\x02\x01"s},
        {RegistryValue::binary("\x00\x01"s), "\x00\x01"s, "\x00\x01"s},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.value.toSettingsText());
        EXPECT_EQ(row.value.data(TextWidth::Narrow), row.narrow);
        EXPECT_EQ(row.value.data(TextWidth::Wide), row.wide);
    }
}

TEST(RegistryValueTest, SettingsTextKeepsTheType) {
    const std::pair<RegistryValue, std::string> rows[] = {
        {RegistryValue::string("640;480;100;120;"), "640;480;100;120;"},
        {RegistryValue::number(0xFFFFFFFFu), "dword:ffffffff"},
        {RegistryValue::string("dword:0000002a"), "sz:dword:0000002a"},
        {RegistryValue::string("sz:x"), "sz:sz:x"},
        {RegistryValue::string("hex:00"), "sz:hex:00"},
        {RegistryValue::expandString("%HOME%"), "expand:%HOME%"},
        {RegistryValue::binary("\x00\xFF"s), "hex:00ff"},
        {RegistryValue::binary(""), "hex:"},
    };
    for (const auto& [value, text] : rows) {
        EXPECT_EQ(value.toSettingsText(), text);
        EXPECT_EQ(RegistryValue::fromSettingsText(text), value) << text;
    }
    // Hex digits written by hand may be capitals; other malformed numbers stay plain text.
    EXPECT_EQ(RegistryValue::fromSettingsText("dword:0000002A"), RegistryValue::number(42));
    EXPECT_EQ(RegistryValue::fromSettingsText("hex:0aFf"), RegistryValue::binary("\x0a\xff"));
    for (const char* text : {"1", "dword:2a", "DWORD:0000002a", "dword:0000002a ", "dword:0000002G",
                             "hex:0", "hex:zz", ""}) {
        EXPECT_EQ(RegistryValue::fromSettingsText(text), RegistryValue::string(text)) << text;
    }
}

TEST(RegistryValueTest, WideDataIsReadUpToTheFirstZeroUnit) {
    const std::pair<std::string, std::string> rows[] = {
        {"d\0e\0\0\0"s, "de"},
        {"d\0e\0"s, "de"},                         // no terminator
        {"d\0\0\0e\0"s, "d"},                      // stops at the first zero unit
        {"d\0e"s, "de"},                           // an odd last byte pairs with a zero
        {"\x3D\xD8\x00\xDE"s, "\xF0\x9F\x98\x80"}, // surrogate pair
        {"a\0\x3D\xD8"s, "a\xEF\xBF\xBD"},         // lone high surrogate at the end
        {"\x3D\xD8\x61\0"s, "\xEF\xBF\xBD\x61"},   // lone high surrogate before "a"
        {"\x00\xDE"s, "\xEF\xBF\xBD"},             // lone low surrogate
        {"", ""},
    };
    for (const auto& [data, text] : rows) {
        EXPECT_EQ(RegistryValue::textFromWideData(data), text) << ::testing::PrintToString(data);
    }
}

// Value names in any case and malformed paths: RegistryContractTest, for both stores. That opening
// a missing key never creates it: the dialog models' settings tests.
TEST(MemoryRegistryTest, PathsIgnoreAsciiCaseOpenKeysOutliveTheStoreAndCopiesAreDeep) {
    auto store = std::make_unique<MemoryRegistry>();
    ASSERT_TRUE(store->setValue(kUser, kDialogKey, "LastUsedIdents", RegistryValue::string("a")));
    MemoryRegistry copy(*store);
    auto key = store->openKey(kUser, "SOFTWARE\\zelvamont\\OSTREL\\5.0", RegistryAccess::ReadWrite);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->queryValue("LastUsedIdents"), RegistryValue::string("a"));
    store.reset();
    EXPECT_TRUE(key->setValue("LastUsedIdents", RegistryValue::string("b")));
    EXPECT_EQ(key->queryValue("LastUsedIdents"), RegistryValue::string("b"));
    EXPECT_EQ(copy.getValue(kUser, kDialogKey, "LastUsedIdents"), RegistryValue::string("a"));
}

} // namespace
