#include "identification/IdentificationSettings.h"

#include "platform/MemoryRegistry.h"
#include "platform/ProductSettings.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace ostrel::platform;
using ostrel::identification::IdentificationSettings;

constexpr RegistryRoot kUser = RegistryRoot::CurrentUser;

const int parentWindow = 0; // any non-null handle: the monitor query is a test double

/// The settings loaded from a store whose key holds `value` under `name`.
IdentificationSettings loaded(const char* name, const std::optional<RegistryValue>& value,
                              ScreenRect monitor = {0, 0, 1920, 1080}) {
    MemoryRegistry store;
    EXPECT_TRUE(store.createKey(kUser, kProductSettingsKey));
    if (value) {
        EXPECT_TRUE(store.setValue(kUser, kProductSettingsKey, name, *value)) << name;
    }
    FixedMonitors monitors(monitor);
    IdentificationSettings settings;
    settings.stickyCursorPosition = 0x7777;
    settings.load(&parentWindow, {.settings = &store, .monitors = &monitors});
    return settings;
}

// Which positions stay on the parent's monitor: MonitorsTest. Here, how the stored text reads.
TEST(IdentificationSettingsTest, StoredPositionIsReadAndPlacedOnTheParentsMonitor) {
    const ScreenRect primary{0, 0, 1920, 1080}, right{1920, 0, 3840, 1080};
    const struct {
        const char* stored; // null: no value
        ScreenRect monitor;
        ScreenPoint expected;
        const char* note;
    } rows[] = {
        {"412;218;", primary, {412, 218}, ""},
        {"-1280;20;", {0, 0, 1920, 2000}, {0, 1280}, "the minus sign separates"},
        {nullptr, primary, {0, 0}, "missing: the monitor's corner"},
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

TEST(IdentificationSettingsTest, ValuesAreReadAsTheRegistryHandsThemOver) {
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
TEST(IdentificationSettingsTest, WithoutTheKeyNothingIsReadOrWrittenAndTheKeyIsNotCreated) {
    IdentificationSettings settings;
    MemoryRegistry empty;
    EXPECT_FALSE(settings.save({412, 218}, {.settings = &empty}));
    EXPECT_FALSE(empty.hasKey(kUser, kProductSettingsKey));
    settings.load(&parentWindow, {.settings = &empty});
    EXPECT_EQ(settings.position, (ScreenPoint{100, 100})) << "nothing read, nothing placed";
}

} // namespace
