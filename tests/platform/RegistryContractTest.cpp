// The rules every settings store keeps, run against the in-memory store and
// the QSettings store alike.

#include "DialogSettings.h"
#include "platform/MemoryRegistry.h"
#include "platform/qt/QSettingsRegistry.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using ostrel::platform::MemoryRegistry;
using ostrel::platform::QSettingsRegistry;
using ostrel::platform::Registry;
using ostrel::platform::RegistryAccess;
using ostrel::platform::RegistryRoot;
using ostrel::platform::RegistryValue;

constexpr const char* kDialogKey = "Software\\Zelvamont\\Ostrel\\5.0";

struct MemoryStore {
    MemoryRegistry registry;
    // The registry never creates a key; an installer does.
    void install(RegistryRoot root, const std::string& path) { registry.createKey(root, path); }
};

struct SettingsStore {
    ostrel::test::TempDir dir;
    QSettingsRegistry registry{dir.file("user"), {dir.file("machine")}};
    void install(RegistryRoot, const std::string&) {}
};

template <typename Store> class RegistryContractTest : public ::testing::Test {
protected:
    Store store;

    std::unique_ptr<ostrel::platform::RegistryKey> open(RegistryRoot root, const std::string& path,
                                                        RegistryAccess access) {
        store.install(root, path);
        return store.registry.openKey(root, path, access);
    }
};

using Stores = ::testing::Types<MemoryStore, SettingsStore>;
TYPED_TEST_SUITE(RegistryContractTest, Stores);

TYPED_TEST(RegistryContractTest, EveryStoredSettingReadsBackWithItsType) {
    for (const auto& setting : ostrel::test::dialogSettings()) {
        auto key = this->open(RegistryRoot::CurrentUser, setting.key, RegistryAccess::ReadWrite);
        ASSERT_NE(key, nullptr) << setting.key;
        EXPECT_TRUE(key->setValue(setting.name, setting.value)) << setting.name;
    }
    for (const auto& setting : ostrel::test::dialogSettings()) {
        auto key = this->open(RegistryRoot::CurrentUser, setting.key, RegistryAccess::Read);
        ASSERT_NE(key, nullptr) << setting.key;
        EXPECT_EQ(key->queryValue(setting.name), setting.value) << setting.name;
    }
}

TYPED_TEST(RegistryContractTest, KeyOpenedForReadingRefusesWrites) {
    auto key = this->open(RegistryRoot::CurrentUser, kDialogKey, RegistryAccess::Read);
    ASSERT_NE(key, nullptr);
    EXPECT_FALSE(key->setValue("AllowStickyCursor", RegistryValue::number(1)));
    EXPECT_EQ(key->queryValue("AllowStickyCursor"), std::nullopt);
}

TYPED_TEST(RegistryContractTest, WriteReplacesAValueOfAnotherType) {
    auto key = this->open(RegistryRoot::CurrentUser, kDialogKey, RegistryAccess::ReadWrite);
    ASSERT_NE(key, nullptr);
    ASSERT_TRUE(key->setValue("StickyCursorPosition", RegistryValue::string("3")));
    ASSERT_TRUE(key->setValue("StickyCursorPosition", RegistryValue::number(3)));
    EXPECT_EQ(key->queryValue("StickyCursorPosition"), RegistryValue::number(3));
    EXPECT_EQ(key->queryValue("AllowStickyCursor"), std::nullopt);
}

TYPED_TEST(RegistryContractTest, EachRootAnswersForItself) {
    auto user =
        this->open(RegistryRoot::CurrentUser, "Software\\Zelvamont", RegistryAccess::ReadWrite);
    auto machine =
        this->open(RegistryRoot::LocalMachine, "Software\\Zelvamont", RegistryAccess::ReadWrite);
    ASSERT_NE(user, nullptr);
    ASSERT_NE(machine, nullptr);
    ASSERT_TRUE(user->setValue("Language", RegistryValue::string("de")));
    EXPECT_EQ(machine->queryValue("Language"), std::nullopt);
    ASSERT_TRUE(machine->setValue("Language", RegistryValue::string("fr")));

    auto reread =
        this->open(RegistryRoot::CurrentUser, "Software\\Zelvamont", RegistryAccess::Read);
    ASSERT_NE(reread, nullptr);
    EXPECT_EQ(reread->queryValue("Language"), RegistryValue::string("de"));
}

} // namespace
