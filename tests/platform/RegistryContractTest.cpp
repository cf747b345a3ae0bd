// The rules every settings store keeps, run against both stores.

#include "platform/MemoryRegistry.h"
#include "platform/qt/QSettingsRegistry.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace ostrel::platform;

constexpr RegistryRoot kUser = RegistryRoot::CurrentUser, kMachine = RegistryRoot::LocalMachine;
constexpr RegistryAccess kRead = RegistryAccess::Read, kWrite = RegistryAccess::ReadWrite;

struct MemoryStore {
    MemoryRegistry registry;
    void install(RegistryRoot root, const std::string& path) {
        EXPECT_TRUE(registry.createKey(root, path));
    }
};

struct SettingsStore {
    ostrel::test::TempDir dir;
    QSettingsRegistry registry{dir.file("user"), {dir.file("machine")}};
    void install(RegistryRoot, const std::string&) {}
};

template <typename Store> class RegistryContractTest : public ::testing::Test {
protected:
    Store store;
    // The registry never creates a key, an installer does: install() stands in for it.
    std::unique_ptr<RegistryKey> open(RegistryAccess access, RegistryRoot root = kUser,
                                      const std::string& path = "Software\\Zelvamont") {
        store.install(root, path);
        auto key = store.registry.openKey(root, path, access);
        EXPECT_NE(key, nullptr) << path;
        return key;
    }
};

using Stores = ::testing::Types<MemoryStore, SettingsStore>;
TYPED_TEST_SUITE(RegistryContractTest, Stores);

TYPED_TEST(RegistryContractTest, ReadKeysRefuseWritesAndWritesReplaceTheType) {
    auto reader = this->open(kRead, kUser, "Software\\Zelvamont\\Ostrel\\5.0");
    ASSERT_NE(reader, nullptr);
    EXPECT_FALSE(reader->setValue("AllowStickyCursor", RegistryValue::number(1)));
    EXPECT_EQ(reader->queryValue("AllowStickyCursor"), std::nullopt);

    auto key = this->open(kWrite, kUser, "Software\\Zelvamont\\Ostrel\\5.0");
    ASSERT_NE(key, nullptr);
    ASSERT_TRUE(key->setValue("StickyCursorPosition", RegistryValue::string("3")));
    ASSERT_TRUE(key->setValue("StickyCursorPosition", RegistryValue::number(3)));
    EXPECT_EQ(key->queryValue("stickyCURSORposition"), RegistryValue::number(3)) << "any case";
    EXPECT_EQ(key->queryValue("AllowStickyCursor"), std::nullopt);
}

TYPED_TEST(RegistryContractTest, EachRootAnswersForItself) {
    auto user = this->open(kWrite);
    auto machine = this->open(kWrite, kMachine);
    ASSERT_TRUE(user && machine);
    ASSERT_TRUE(user->setValue("Language", RegistryValue::string("de")));
    EXPECT_EQ(machine->queryValue("Language"), std::nullopt);
    ASSERT_TRUE(machine->setValue("Language", RegistryValue::string("fr")));
    auto reread = this->open(kRead);
    ASSERT_NE(reread, nullptr);
    EXPECT_EQ(reread->queryValue("Language"), RegistryValue::string("de"));
}

TYPED_TEST(RegistryContractTest, MalformedPathsOpenNoKey) {
    this->open(kWrite, kUser, "Software\\Zelvamont");
    for (const char* path :
         {"Software\\\\Zelvamont", "\\Software\\Zelvamont", "Software\\Zelvamont\\", "\\"}) {
        EXPECT_EQ(this->store.registry.openKey(kUser, path, kWrite), nullptr) << path;
    }
}

} // namespace
