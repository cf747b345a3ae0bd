#include "platform/MemoryRegistry.h"
#include "platform/ProductSettings.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace ostrel::platform;

constexpr const char* kDialogKey = ostrel::platform::kProductSettingsKey;
constexpr RegistryRoot kUser = RegistryRoot::CurrentUser;

// Value names in any case: RegistryContractTest, for both stores.
TEST(MemoryRegistryTest, PathsIgnoreAsciiCaseAndAMalformedOneIsNoKey) {
    MemoryRegistry store;
    ASSERT_TRUE(store.setValue(kUser, kDialogKey, "AllowStickyCursor", RegistryValue::number(1)));
    auto key = store.openKey(kUser, "SOFTWARE\\zelvamont\\OSTREL\\5.0", RegistryAccess::Read);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->queryValue("AllowStickyCursor"), RegistryValue::number(1));
    // That opening a missing key never creates it: the dialog models' settings tests.
    EXPECT_FALSE(store.createKey(kUser, "Software\\\\Zelvamont")) << "malformed";
}

TEST(MemoryRegistryTest, OpenKeyOutlivesTheStoreAndCopiesAreDeep) {
    auto store = std::make_unique<MemoryRegistry>();
    ASSERT_TRUE(store->setValue(kUser, kDialogKey, "LastUsedIdents", RegistryValue::string("a")));
    MemoryRegistry copy(*store);
    auto key = store->openKey(kUser, kDialogKey, RegistryAccess::ReadWrite);
    ASSERT_NE(key, nullptr);
    store.reset();
    EXPECT_TRUE(key->setValue("LastUsedIdents", RegistryValue::string("b")));
    EXPECT_EQ(key->queryValue("LastUsedIdents"), RegistryValue::string("b"));
    EXPECT_EQ(copy.getValue(kUser, kDialogKey, "LastUsedIdents"), RegistryValue::string("a"));
}

} // namespace
