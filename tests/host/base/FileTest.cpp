#include "host/base/File.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

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

TEST(FileTest, TellsDirectoriesFromFiles) {
    ostrel::test::TempDir dir;
    const std::string file = dir.write("a.txt", "x");
    EXPECT_TRUE(File(dir.path().string()).isDirectory());
    EXPECT_FALSE(File(file).isDirectory());
    EXPECT_TRUE(File(file).isFile());
    EXPECT_FALSE(File(dir.file("missing")).isDirectory());
}

} // namespace
