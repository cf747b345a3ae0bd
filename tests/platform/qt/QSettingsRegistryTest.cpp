#include "platform/qt/QSettingsRegistry.h"

#include "DialogSettings.h"
#include "support/ChildProcess.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {

using ostrel::platform::QSettingsRegistry;
using ostrel::platform::RegistryAccess;
using ostrel::platform::RegistryRoot;
using ostrel::platform::RegistryValue;
using ostrel::test::readFile;

constexpr const char* kDialogKey = "Software\\Zelvamont\\Ostrel\\5.0";

class QSettingsRegistryTest : public ::testing::Test {
protected:
    ostrel::test::TempDir dir;
    QSettingsRegistry store{dir.file("user"), {dir.file("etc1"), dir.file("etc2")}};

    void writeAll(QSettingsRegistry& target) {
        for (const auto& setting : ostrel::test::dialogSettings()) {
            auto key =
                target.openKey(RegistryRoot::CurrentUser, setting.key, RegistryAccess::ReadWrite);
            ASSERT_NE(key, nullptr);
            ASSERT_TRUE(key->setValue(setting.name, setting.value)) << setting.name;
        }
    }
};

TEST_F(QSettingsRegistryTest, KeysLiveInIniFilesPerOrganizationAndApplication) {
    writeAll(store);

    EXPECT_EQ(readFile(dir.file("user/Zelvamont.ini")), "[General]\nLanguage=de\n");
    EXPECT_EQ(
        readFile(dir.file("user/Zelvamont/Ostrel.ini")),
        "[5.0]\n"
        "AllowStickyCursor=dword:00000001\n"
        // An unquoted ";" would start a comment.
        "DocumentIdentificationDlg2Size=\"-1280;20;\"\n"
        "DocumentTypeSelectionDialogSize=\"640;480;100;120;\"\n"
        "LastUsedIdents=\"6:Number4:A-121:14:Year4:20131:0 5:N\xC3\xA1zev9: \\\"a,b\\\\c\\\"1:0\"\n"
        "StickyCursorPosition=dword:ffffffff\n"
        "lastSelectedDocument=\"OSTREL.AREA.Finance|Invoice, "
        "\xC4\x8D\x65sk\xC3\xA1|dword:00000001\"\n");
    EXPECT_FALSE(std::filesystem::exists(dir.file("etc1")));
}

TEST_F(QSettingsRegistryTest, MachineValuesComeFromTheFirstDirectoryHoldingTheFile) {
    std::filesystem::create_directories(dir.file("etc1"));
    std::filesystem::create_directories(dir.file("etc2"));
    dir.write("etc2/Zelvamont.ini", "[General]\nLanguage=cs\n");

    auto key =
        store.openKey(RegistryRoot::LocalMachine, "Software\\Zelvamont", RegistryAccess::Read);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->queryValue("Language"), RegistryValue::string("cs"));

    dir.write("etc1/Zelvamont.ini", "[General]\nOther=1\n");
    key = store.openKey(RegistryRoot::LocalMachine, "Software\\Zelvamont", RegistryAccess::Read);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->queryValue("Language"), std::nullopt);
}

TEST_F(QSettingsRegistryTest, HandEditedValuesAreReadAsText) {
    std::filesystem::create_directories(dir.file("user/Zelvamont"));
    dir.write("user/Zelvamont/Ostrel.ini",
              "[5.0]\nAllowStickyCursor=1\nStickyCursorPosition=dword:2\nLastUsedIdents=a, b\n");
    auto key = store.openKey(RegistryRoot::CurrentUser, kDialogKey, RegistryAccess::Read);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->queryValue("AllowStickyCursor"), RegistryValue::string("1"));
    EXPECT_EQ(key->queryValue("StickyCursorPosition"), RegistryValue::string("dword:2"));
    EXPECT_EQ(key->queryValue("LastUsedIdents"), RegistryValue::string("a, b"));
}

TEST_F(QSettingsRegistryTest, PathsOutsideAnOrganizationOrLeavingTheDirectoryFail) {
    for (const char* path : {"Software", "Zelvamont\\Ostrel", "Software\\..\\x", "Software\\.",
                             "Software\\Zel/vamont", "Software\\\\Zelvamont", ""}) {
        SCOPED_TRACE(path);
        EXPECT_EQ(store.openKey(RegistryRoot::CurrentUser, path, RegistryAccess::ReadWrite),
                  nullptr);
    }
    auto key = store.openKey(RegistryRoot::CurrentUser, kDialogKey, RegistryAccess::ReadWrite);
    ASSERT_NE(key, nullptr);
    for (const char* name : {"", "a/b", "a\\b"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(key->setValue(name, RegistryValue::number(1)));
        EXPECT_EQ(key->queryValue(name), std::nullopt);
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("user")));
}

TEST_F(QSettingsRegistryTest, UnwritableLocationFailsTheWrite) {
    dir.write("user", "a file where the directory should be");
    auto key = store.openKey(RegistryRoot::CurrentUser, kDialogKey, RegistryAccess::ReadWrite);
    ASSERT_NE(key, nullptr);
    EXPECT_FALSE(key->setValue("AllowStickyCursor", RegistryValue::number(1)));
}

TEST_F(QSettingsRegistryTest, ValuesCrossProcessesBothWays) {
    const std::string tool = OSTREL_SETTINGS_TOOL;
    const std::string written = dir.file("by-child");
    ASSERT_EQ(ostrel::test::runChild({tool, "write", written}, {}).exitCode, 0);
    QSettingsRegistry reader(written, {});
    for (const auto& setting : ostrel::test::dialogSettings()) {
        auto key = reader.openKey(RegistryRoot::CurrentUser, setting.key, RegistryAccess::Read);
        ASSERT_NE(key, nullptr);
        EXPECT_EQ(key->queryValue(setting.name), setting.value) << setting.name;
    }

    writeAll(store);
    const auto dump = ostrel::test::runChild({tool, "dump", dir.file("user")}, {});
    EXPECT_EQ(dump.exitCode, 0);
    EXPECT_EQ(dump.output,
              "Language=de\n"
              "AllowStickyCursor=dword:00000001\n"
              "StickyCursorPosition=dword:ffffffff\n"
              "LastUsedIdents=6:Number4:A-121:14:Year4:20131:0 5:N\xC3\xA1zev9: \"a,b\\c\"1:0\n"
              "DocumentIdentificationDlg2Size=-1280;20;\n"
              "DocumentTypeSelectionDialogSize=640;480;100;120;\n"
              "lastSelectedDocument=OSTREL.AREA.Finance|Invoice, "
              "\xC4\x8D\x65sk\xC3\xA1|dword:00000001\n");
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

} // namespace
