// Where the toolkit's settings store keeps each key, and the rules every settings store keeps, run
// against both stores.

#include "platform/qt/QSettingsRegistry.h"
#include "platform/MemoryRegistry.h"
#include "platform/ProductSettings.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sys/stat.h>

namespace {

using namespace ostrel::platform;
using ostrel::test::readFile;

constexpr const char* kDialogKey = ostrel::platform::kProductSettingsKey;
constexpr RegistryRoot kUser = RegistryRoot::CurrentUser, kMachine = RegistryRoot::LocalMachine;
constexpr RegistryAccess kRead = RegistryAccess::Read, kWrite = RegistryAccess::ReadWrite;

class QSettingsRegistryTest : public ::testing::Test {
protected:
    ostrel::test::TempDir dir;
    QSettingsRegistry store{dir.file("user"), {dir.file("etc1"), dir.file("etc2")}};

    std::optional<RegistryValue> query(RegistryRoot root, const char* path, const char* name) {
        auto key = store.openKey(root, path, kRead);
        return key ? key->queryValue(name) : RegistryValue::string("(no key)");
    }
    bool set(const char* path, const char* name, const RegistryValue& value) {
        auto key = store.openKey(kUser, path, kWrite);
        return key && key->setValue(name, value);
    }
};

// How each value is written and quoted: RegistryValueTest and TextIniFormatTest; here, where.
TEST_F(QSettingsRegistryTest, KeysLiveInIniFilesWrittenAtOnce) {
    ASSERT_TRUE(set("Software\\Zelvamont", "Language", RegistryValue::string("de")));
    ASSERT_TRUE(set(kDialogKey, "AllowStickyCursor", RegistryValue::number(1)));
    EXPECT_EQ(readFile(dir.file("user/Zelvamont.ini")), "[General]\nLanguage=de\n");
    EXPECT_EQ(readFile(dir.file("user/Zelvamont/Ostrel.ini")),
              "[5.0]\nAllowStickyCursor=dword:00000001\n");
    EXPECT_FALSE(std::filesystem::exists(dir.file("etc1")));
}

TEST_F(QSettingsRegistryTest, MachineFileComesFromTheFirstDirectoryAndHandEditsAreText) {
    for (const char* sub : {"etc1", "etc2", "user/Zelvamont"}) {
        std::filesystem::create_directories(dir.file(sub));
    }
    dir.write("etc2/Zelvamont.ini", "[General]\nLanguage=cs\n");
    EXPECT_EQ(query(kMachine, "Software\\Zelvamont", "Language"), RegistryValue::string("cs"));
    dir.write("etc1/Zelvamont.ini", "[General]\nOther=1\n");
    EXPECT_EQ(query(kMachine, "Software\\Zelvamont", "Language"), std::nullopt);

    // Which hand-written texts read as numbers: RegistryValueTest. A list is the text it was.
    dir.write("user/Zelvamont/Ostrel.ini", "[5.0]\nLastUsedIdents=a, b\n");
    EXPECT_EQ(query(kUser, kDialogKey, "LastUsedIdents"), RegistryValue::string("a, b"));
}

TEST_F(QSettingsRegistryTest, ValueNamesIgnoreCaseAsInTheRegistry) {
    std::filesystem::create_directories(dir.file("user"));
    dir.write("user/Zelvamont.ini", "[General]\nlanguage=de\nother=y\nOther=x\n");
    const char* key = "Software\\Zelvamont";
    EXPECT_EQ(query(kUser, key, "other"), RegistryValue::string("y")) << "the exact spelling first";
    EXPECT_EQ(query(kUser, key, "OTHER"), RegistryValue::string("x")) << "then capitals first";
    ASSERT_TRUE(set(key, "Language", RegistryValue::string("fr")));
    EXPECT_EQ(readFile(dir.file("user/Zelvamont.ini")),
              "[General]\nLanguage=fr\nOther=x\nother=y\n")
        << "one value per name, in the spelling last written";
}

TEST_F(QSettingsRegistryTest, AFileThatIsNotARegularFileIsAMissingKey) {
    // A FIFO would block the reader for ever, a directory cannot be read: the key does not open,
    // so the defaults (or the machine's value) apply. The suite's timeout catches a hang.
    std::filesystem::create_directories(dir.file("user/Zelvamont/Ostrel.ini"));
    ASSERT_EQ(::mkfifo(dir.file("user/Zelvamont.ini").c_str(), 0600), 0);
    for (const char* path : {"Software\\Zelvamont", kDialogKey}) {
        for (const auto access : {kRead, kWrite}) {
            EXPECT_EQ(store.openKey(kUser, path, access), nullptr) << path;
        }
    }
}

TEST_F(QSettingsRegistryTest, BadPathsNamesAndLocationsFail) {
    for (const char* path : {"Software", "Zelvamont\\Ostrel", "Software\\..\\x", "Software\\.",
                             "Software\\Zel/vamont", ""}) {
        EXPECT_EQ(store.openKey(kUser, path, kWrite), nullptr) << path;
    }
    auto key = store.openKey(kUser, kDialogKey, kWrite);
    ASSERT_NE(key, nullptr);
    for (const char* name : {"", "a/b", "a\\b"}) {
        EXPECT_FALSE(key->setValue(name, RegistryValue::number(1))) << name;
        EXPECT_EQ(key->queryValue(name), std::nullopt) << name;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("user")));
    dir.write("user", "a file where the directory should be");
    EXPECT_FALSE(key->setValue("AllowStickyCursor", RegistryValue::number(1)));
}

TEST(QSettingsRegistryLocationTest, LocationsComeFromTheXdgVariables) {
    ostrel::test::TempDir dir;
    ::setenv("XDG_CONFIG_HOME", dir.file("home").c_str(), 1);
    ::setenv("XDG_CONFIG_DIRS", (dir.file("a") + ":relative::" + dir.file("b")).c_str(), 1);
    QSettingsRegistry configured;
    EXPECT_EQ(configured.userDirectory(), dir.file("home"));
    EXPECT_EQ(configured.machineDirectories(),
              (std::vector<std::string>{dir.file("a"), dir.file("b")}));
    ::unsetenv("XDG_CONFIG_DIRS");
    EXPECT_EQ(QSettingsRegistry().machineDirectories(), std::vector<std::string>{"/etc/xdg"});
}

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
