// Loads the real libostrel.so into a separate host process, linked or opened at run time, and
// checks what that process gets and that it exits cleanly.

#include "support/ChildProcess.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace {

TEST(LibraryLoadTest, ConfiguredLanguageAppliesWhateverTheProcessLocale) {
    const char* const fifo = "(fifo)"; // the file is a FIFO: it must not block the load
    const struct {
        const char* user;    // Language in the user's file, nullptr: no file
        const char* machine; // the same for the machine's file
        std::string lang;
        std::string output;
    } rows[] = {
        // The user's file is a FIFO (read as missing): the machine's language applies.
        {fifo, "cs", "C",
         "Storno\nPamatovat si pozici kurzoru\nChyba\nLANGUAGE=cs\nLC_MESSAGES=C\n"},
        {"de", "cs", "C.UTF-8",
         "Abbrechen\nCursorposition merken\nFehler\nLANGUAGE=de\nLC_MESSAGES=C.UTF-8\n"},
        {nullptr, nullptr, "C.UTF-8",
         "Cancel\nRemember cursor\nError\nLANGUAGE=(unset)\nLC_MESSAGES=C.UTF-8\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.output);
        ostrel::test::TempDir dir;
        for (const auto& [file, language] :
             {std::pair{"user", row.user}, {"machine", row.machine}}) {
            std::filesystem::create_directories(dir.file(file));
            const std::string path = std::string(file) + "/Zelvamont.ini";
            if (language == fifo) {
                ASSERT_EQ(::mkfifo(dir.file(path).c_str(), 0600), 0);
            } else if (language != nullptr) {
                dir.write(path, std::string("[General]\nLanguage=") + language + "\n");
            }
        }
        const auto result =
            ostrel::test::runChild({OSTREL_LIBRARY_PROBE, "Cancel", "Remember cursor"},
                                   {{"XDG_CONFIG_HOME", dir.file("user")},
                                    {"XDG_CONFIG_DIRS", dir.file("machine")},
                                    {"LANG", row.lang},
                                    {"LC_ALL", std::nullopt},
                                    {"LC_MESSAGES", std::nullopt},
                                    {"LANGUAGE", std::nullopt},
                                    {"QT_QPA_PLATFORM", "offscreen"}});
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_EQ(result.output, row.output);
        EXPECT_EQ(std::filesystem::exists(dir.file("user/Zelvamont.ini")), row.user != nullptr);
    }
}

TEST(LibraryLoadTest, HostsThatLoadTheLibraryAtRunTimeExitCleanly) {
    for (const auto& [mode, output] :
         {std::pair{"keep", "loaded:yes"}, std::pair{"close", "loaded:yes closed:yes"}}) {
        SCOPED_TRACE(mode);
        const auto result = ostrel::test::runChild({OSTREL_DLOPEN_HOST, OSTREL_LIBRARY_FILE, mode},
                                                   {{"QT_QPA_PLATFORM", "offscreen"}});
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_EQ(result.output, output) << "output that was never flushed is lost in a crash";
    }
}

} // namespace
