#include "identification/IdentificationSettings.h"

#include "identification/IdentificationDocument.h"
#include "platform/MemoryRegistry.h"
#include "platform/ScopedDefault.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace ostrel::platform;
using ostrel::identification::IdentificationSettings;
using ostrel::test::kDialogKey;

const int parentWindow = 0; // any non-null handle: the monitor query is a test double

std::string positionOf(const ScreenPoint& p) {
    return std::to_string(p.x) + "," + std::to_string(p.y);
}

TEST(IdentificationSettingsTest, StoredPositionIsKeptOnTheParentsMonitorOnly) {
    struct Row {
        const char* stored; // null: no value
        ScreenRect monitor;
        bool parent;
        const char* expected;
        const char* note;
    };
    const ScreenRect primary{0, 0, 1920, 1080};
    const Row rows[] = {
        {"412;218;", primary, true, "412,218", ""},
        {"-1280;20;", {0, 0, 1920, 2000}, true, "0,1280", "the minus sign separates"},
        {"-1280;20;", primary, true, "100,100", "(0,1280) is below the monitor"},
        {nullptr, primary, true, "0,0", "missing: the monitor's corner"},
        {"412;218;", {1920, 0, 3840, 1080}, true, "2020,100", "its monitor is gone"},
        {"412;218;", {1920, 0, 3840, 1080}, false, "100,100", "no parent"},
        {"1920;0;", primary, true, "100,100", "the right edge belongs to the neighbour"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.stored ? row.stored : "(missing)") + " " + row.note);
        ScopedDefault<Registry> store(ostrel::test::storeWith());
        if (row.stored != nullptr) {
            store.get<MemoryRegistry>().setValue(RegistryRoot::CurrentUser, kDialogKey,
                                                 "DocumentIdentificationDlg2Size",
                                                 RegistryValue::string(row.stored));
        }
        ScopedDefault<Monitors> monitors(std::make_unique<FixedMonitors>(row.monitor));
        IdentificationSettings settings;
        settings.load(row.parent ? &parentWindow : nullptr);
        EXPECT_EQ(positionOf(settings.position), row.expected);
    }
}

TEST(IdentificationSettingsTest, PositionTextParsesDigitsIntoTwoNumbers) {
    for (const auto& [text, expected] : {
             std::pair{"412;218;", "412,218"},
             {"-1280;20;", "0,1280"},
             {"", "0,0"},
             {"7", "7,0"},
             {"1;2;3;4", "1,2"},
             {"1,,2", "1,0"},
             {"4294967297;1", "1,1"}, // wraps as 32-bit arithmetic, never traps
         }) {
        EXPECT_EQ(positionOf(IdentificationSettings::parsePosition(text)), expected) << text;
    }
    EXPECT_EQ(IdentificationSettings::formatPosition({-1280, 20}), "-1280;20;");
}

TEST(IdentificationSettingsTest, NumbersAreTheirFourBytesWhateverTheirType) {
    struct Row {
        RegistryValue stored;
        std::int32_t expected;
        const char* note;
    };
    const Row rows[] = {
        {RegistryValue::number(1), 1, ""},
        {RegistryValue::number(0xFFFFFFFFu), -1, ""},
        {RegistryValue::string("1"), 0x31, "\"1\" and its zero byte"},
        {RegistryValue::binary(std::string("\x02", 1)), 0x7702, "one byte replaces the low byte"},
        {RegistryValue::binary("12345"), 0x7777, "five bytes do not fit: unchanged"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.note);
        auto registry = ostrel::test::storeWith();
        registry->setValue(RegistryRoot::CurrentUser, kDialogKey, "StickyCursorPosition",
                           row.stored);
        ScopedDefault<Registry> store(std::move(registry));
        IdentificationSettings settings;
        settings.stickyCursorPosition = 0x7777;
        settings.load(nullptr);
        EXPECT_EQ(settings.stickyCursorPosition, row.expected);
        EXPECT_EQ(settings.allowStickyCursor, 0) << "missing: unchanged";
    }
}

TEST(IdentificationSettingsTest, LastUsedTextIsReadUpTo4095BytesWithItsZero) {
    const std::string entry = "6:Number4:A-121:1";
    struct Row {
        RegistryValue stored;
        bool read;
        const char* note;
    };
    // Blanks after the last field are ignored; a text of n bytes takes n + 1 with its zero.
    const std::string longest = entry + std::string(4094 - entry.size(), ' ');
    const Row rows[] = {
        {RegistryValue::string(longest), true, "4094 bytes"},
        {RegistryValue::string(longest + "x"), false, "4095 bytes"},
        {RegistryValue::expandString(entry), true, "expandable string"},
        {RegistryValue::binary(entry + '\0'), false, "binary data"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.note);
        auto registry = ostrel::test::storeWith();
        registry->setValue(RegistryRoot::CurrentUser, kDialogKey, "LastUsedIdents", row.stored);
        ScopedDefault<Registry> store(std::move(registry));
        IdentificationSettings settings;
        settings.load(nullptr);
        EXPECT_EQ(settings.lastUsedIdents.hasLastUsed("Number"), row.read);
    }
}

TEST(IdentificationSettingsTest, SavingWritesAllFourValuesButNeverCreatesTheKey) {
    IdentificationSettings settings;
    settings.allowStickyCursor = 1;
    settings.stickyCursorPosition = 3;
    settings.lastUsedIdents.setLastUsed("Number", "A-12", true);
    {
        ScopedDefault<Registry> store(std::make_unique<MemoryRegistry>());
        EXPECT_FALSE(settings.save({412, 218}));
        EXPECT_FALSE(store.get<MemoryRegistry>().hasKey(RegistryRoot::CurrentUser, kDialogKey));
        settings.load(&parentWindow);
        EXPECT_EQ(positionOf(settings.position), "100,100") << "nothing read, nothing placed";
    }
    ScopedDefault<Registry> store(ostrel::test::storeWith());
    ASSERT_TRUE(settings.save({-5, 218}));
    const auto value = [&](const char* name) {
        return store.get<MemoryRegistry>().getValue(RegistryRoot::CurrentUser, kDialogKey, name);
    };
    EXPECT_EQ(value("AllowStickyCursor"), RegistryValue::number(1));
    EXPECT_EQ(value("StickyCursorPosition"), RegistryValue::number(3));
    EXPECT_EQ(value("LastUsedIdents"), RegistryValue::string("6:Number4:A-121:1"));
    EXPECT_EQ(value("DocumentIdentificationDlg2Size"), RegistryValue::string("-5;218;"));
}

} // namespace
