#include "identification/IdentificationSettings.h"
#include "identification/LastUsedIdentStore.h"

#include "support/DialogFixture.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace ostrel::platform;
using ostrel::identification::IdentificationSettings;

class IdentificationSettingsTest : public ostrel::test::DialogTest {
protected:
    /// The settings loaded after value `name` of the product's key was set to `value`.
    IdentificationSettings loaded(const char* name, const std::optional<RegistryValue>& value,
                                  ScreenRect monitor = {0, 0, 1920, 1080}) {
        if (value) {
            set(name, *value);
        }
        FixedMonitors monitors(monitor);
        IdentificationSettings settings;
        settings.stickyCursorPosition = 0x7777;
        settings.load(kWindow, {.monitors = &monitors});
        return settings;
    }
};

// Which positions stay on the parent's monitor: MonitorsTest. Here, how the stored text reads.
TEST_F(IdentificationSettingsTest, StoredPositionIsReadAndPlacedOnTheParentsMonitor) {
    const ScreenRect primary{0, 0, 1920, 1080}, right{1920, 0, 3840, 1080};
    const struct {
        const char* stored; // null: no value
        ScreenRect monitor;
        ScreenPoint expected;
        const char* note;
    } rows[] = {
        {nullptr, primary, {0, 0}, "missing: the monitor's corner"},
        {"412;218;", primary, {412, 218}, ""},
        {"-1280;20;", {0, 0, 1920, 2000}, {0, 1280}, "the minus sign separates"},
        {"412;218;", right, {2020, 100}, "its monitor is gone"},
    };
    for (const auto& row : rows) {
        const auto value =
            row.stored ? std::optional(RegistryValue::string(row.stored)) : std::nullopt;
        const IdentificationSettings settings =
            loaded("DocumentIdentificationDlg2Size", value, row.monitor);
        EXPECT_EQ(settings.position, row.expected)
            << (row.stored ? row.stored : "-") << " " << row.note;
    }
    EXPECT_EQ(IdentificationSettings::parsePosition("4294967297;1"), (ScreenPoint{1, 1}))
        << "wraps as 32-bit arithmetic, never traps";
}

TEST_F(IdentificationSettingsTest, ValuesAreReadAsTheRegistryHandsThemOver) {
    // A number is its four bytes, whatever its type; a longer value leaves the default.
    EXPECT_EQ(loaded("StickyCursorPosition", RegistryValue::string("1")).stickyCursorPosition,
              0x31);
    EXPECT_EQ(loaded("StickyCursorPosition", RegistryValue::binary("12345")).stickyCursorPosition,
              0x7777);

    const std::string entry = "6:Number4:A-121:1";
    // Blanks after the last field are ignored; a text of n bytes takes n + 1 with its zero.
    const std::string longest = entry + std::string(4094 - entry.size(), ' ');
    const struct {
        RegistryValue stored;
        bool read;
        const char* note;
    } texts[] = {
        {RegistryValue::string(longest), true, "4094 bytes"},
        {RegistryValue::string(longest + "x"), false, "4095 bytes"},
        {RegistryValue::expandString(entry), true, "expandable string"},
        {RegistryValue::binary(entry + '\0'), false, "binary data"},
    };
    for (const auto& row : texts) {
        EXPECT_EQ(loaded("LastUsedIdents", row.stored).lastUsedIdents.hasLastUsed("Number"),
                  row.read)
            << row.note;
    }
}

// What is written when the key exists: IdentificationModelTest's confirmation.
TEST_F(IdentificationSettingsTest, WithoutTheKeyNothingIsReadOrWrittenAndTheKeyIsNotCreated) {
    IdentificationSettings settings;
    store() = MemoryRegistry();
    EXPECT_FALSE(settings.save({412, 218}, {}));
    EXPECT_FALSE(store().hasKey(kUser, kKey));
    settings.load(kWindow, {});
    EXPECT_EQ(settings.position, (ScreenPoint{100, 100})) << "nothing read, nothing placed";
}

// The entries as one line: [name=value], "*" for automatic, in store order.
std::string listed(const LastUsedIdentStore& store) {
    std::string out;
    for (const auto& [name, entry] : store.entries()) {
        out += "[" + name.str() + "=" + entry.value.str() + (entry.automatic ? "*" : "") + "]";
    }
    return out;
}

TEST(LastUsedIdentStoreTest, EntriesAreWrittenInByteOrderOfNames) {
    LastUsedIdentStore store;
    EXPECT_FALSE(store.isLastUsedAutomatic("Number"));
    EXPECT_EQ(store.getLastUsedValue("Number").str(), "") << "no entry";
    Ostrel::u8string text("left over");
    store.serialize(text);
    EXPECT_EQ(text.str(), "");
    store.setLastUsed("Year", "2013", false);
    store.setLastUsed("Number", "A-11", false);
    store.setLastUsed("Number", "A-12", true); // replaces value and flag
    store.setLastUsed("amount", "", false);
    store.setLastUsed("N\xC3\xA1zev", "\xC4\x8D\x61s", true); // lengths count bytes
    store.serialize(text);
    EXPECT_EQ(text.str(), "6:Number4:A-121:16:N\xC3\xA1zev4:\xC4\x8D\x61s1:14:Year4:20131:0"
                          "6:amount0:1:0");
}

TEST(LastUsedIdentStoreTest, ReadsStoredTexts) {
    const struct {
        const char *text, *entries, *note;
    } rows[] = {
        {"6:Number4:A-121:14:Year4:20131:0", "[Number=A-12*][Year=2013]", ""},
        {"6:Number4:A-12", "[Number=A-12]", "no flag: not automatic"},
        {"6:Number", "[Number=]", "a name alone gets the empty value"},
        {"6:Numb", "", "the text ends inside the field"},
        {"0:4:abcd1:1", "[=abcd*]", "the empty name"},
        {" \t\n6:Number4:A-12", "[Number=A-12]", "blanks before the first length"},
        {"6:Number 4:A-12", "[Number=]", "nothing may stand between fields"},
        {"6:Number4:A-122:11", "[Number=A-12]", "only \"1\" is automatic"},
        {"6:Number4:A-121:16:Number4:B-341:0", "[Number=B-34]", "a later entry wins"},
        {"-3:4:abcd1:1", "[=abcd*]", "a length below 1 gives the empty field"},
        {"6Number", "", "no colon"},
        {"99999999999:x", "", "a length beyond int"},
        {"2000000000:x", "", "a length far beyond the text"},
        {"6:Number4:A\n121:14:Yea", "[Number=A\n12*]", "bytes as they are; a broken entry"},
    };
    for (const auto& row : rows) {
        LastUsedIdentStore store;
        EXPECT_TRUE(store.deserialize(row.text));
        EXPECT_EQ(listed(store), row.entries) << row.text << " (" << row.note << ")";
    }
}

} // namespace
