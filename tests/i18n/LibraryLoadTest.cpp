// Loads the real libostrel.so into a separate host process, with a settings
// store of its own, and checks the texts that process gets.

#include "support/ChildProcess.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using ostrel::test::runChild;

class LibraryLoadTest : public ::testing::Test {
protected:
    ostrel::test::TempDir dir;

    void SetUp() override {
        std::filesystem::create_directories(dir.file("user"));
        std::filesystem::create_directories(dir.file("machine"));
    }

    ostrel::test::ChildResult runHost(const char* lang) {
        return runChild({OSTREL_LIBRARY_PROBE, "Cancel", "Remember cursor"},
                        {{"XDG_CONFIG_HOME", dir.file("user")},
                         {"XDG_CONFIG_DIRS", dir.file("machine")},
                         {"LANG", lang},
                         {"LC_ALL", std::nullopt},
                         {"LC_MESSAGES", std::nullopt},
                         {"LANGUAGE", std::nullopt},
                         {"QT_QPA_PLATFORM", "offscreen"}});
    }
};

TEST_F(LibraryLoadTest, ConfiguredGermanAppliesWhateverTheProcessLocale) {
    dir.write("user/Zelvamont.ini", "[General]\nLanguage=de\n");
    dir.write("machine/Zelvamont.ini", "[General]\nLanguage=cs\n");
    const struct {
        const char* lang;
        const char* locale;
    } rows[] = {{"C.UTF-8", "C.UTF-8"}, {"C", "C"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.lang);
        const auto result = runHost(row.lang);
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_EQ(result.output, std::string("Abbrechen\nCursorposition merken\nLANGUAGE=de\n"
                                             "LC_MESSAGES=") +
                                     row.locale + "\n");
    }
}

TEST_F(LibraryLoadTest, MachineLanguageAppliesWithoutAUserSetting) {
    dir.write("machine/Zelvamont.ini", "[General]\nLanguage=cs\n");
    const auto result = runHost("C");
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.output, "Storno\nPamatovat si pozici kurzoru\nLANGUAGE=cs\nLC_MESSAGES=C\n");
}

TEST_F(LibraryLoadTest, NothingConfiguredLeavesEnglishAndLanguageUnset) {
    const auto result = runHost("C.UTF-8");
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.output, "Cancel\nRemember cursor\nLANGUAGE=(unset)\nLC_MESSAGES=C.UTF-8\n");
    EXPECT_FALSE(std::filesystem::exists(dir.file("user/Zelvamont.ini")));
}

} // namespace
