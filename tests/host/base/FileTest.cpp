#include "host/base/File.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <sys/stat.h>

namespace {

using zmdisk::File;

std::string appended(const char* base, const char* component) {
    File file(base);
    file.append(component);
    return file.getPath().str();
}

TEST(FileTest, AppendPutsExactlyOneSeparator) {
    EXPECT_EQ(appended("/usr/lib", "locale"), "/usr/lib/locale");
    EXPECT_EQ(appended("/usr/lib/", "locale"), "/usr/lib/locale");
    EXPECT_EQ(appended("/usr/lib", "/locale"), "/usr/lib/locale");
    EXPECT_EQ(appended("/", "locale"), "/locale");
    EXPECT_EQ(appended("", "locale"), "locale");
    EXPECT_EQ(appended("/usr/lib", ""), "/usr/lib");
}

// One world for what a path is: a regular file (through a link too), a FIFO, a directory, nothing.
TEST(FileTest, InputFilesAreRegularFilesReadToTheirEndAndLinksNameTheSameFile) {
    ostrel::test::TempDir dir;
    const std::string big(200000, 'x'); // more than one read
    dir.write("big", big);
    std::filesystem::create_symlink(dir.file("big"), dir.file("link"));
    ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0600), 0);
    const std::pair<const char*, bool> rows[] = {
        {"big", true}, {"link", true},     {"fifo", false}, // must not wait for a writer
        {".", false},  {"missing", false}, {"", false},
    };
    for (const auto& [name, opens] : rows) {
        const std::string path = *name ? dir.file(name) : "";
        EXPECT_EQ(File(path).isFile(), opens) << name;
        EXPECT_EQ(File(path).isDirectory(), std::string(name) == ".") << name;
        zmdisk::InputFile file(path);
        ASSERT_EQ(file.isOpen(), opens) << name;
        std::string content;
        char buffer[65536];
        long count = 0;
        while ((count = file.read(buffer, sizeof buffer)) > 0) {
            content.append(buffer, static_cast<std::size_t>(count));
        }
        EXPECT_EQ(count, opens ? 0 : -1) << name;
        EXPECT_EQ(content, opens ? big : "") << name;
    }
    dir.write("copy", big);
    std::filesystem::create_hard_link(dir.file("big"), dir.file("hard"));
    const std::pair<const char*, bool> names[] = {
        {"hard", true}, {"link", true}, {"copy", false}, {"missing", false}}; // paths: tests/apps
    for (const auto& [other, same] : names) {
        EXPECT_EQ(File(dir.file("big")).isSameFile(File(dir.file(other))), same) << other;
    }
}

} // namespace
