#include "host/base/File.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

using zmdisk::File;

TEST(FileTest, AppendPutsExactlyOneSeparator) {
    struct Row {
        const char* base;
        const char* component;
        const char* expected;
    };
    const Row rows[] = {
        {"/usr/lib", "locale", "/usr/lib/locale"},
        {"/usr/lib/", "locale", "/usr/lib/locale"},
        {"/usr/lib", "/locale", "/usr/lib/locale"},
        {"/", "locale", "/locale"},
        {"", "locale", "locale"},
        {"/usr/lib", "", "/usr/lib"},
    };
    for (const Row& row : rows) {
        File file(row.base);
        file.append(row.component);
        EXPECT_EQ(file.getPath().str(), row.expected) << row.base << " + " << row.component;
    }
}

TEST(FileTest, ParentOfPaths) {
    EXPECT_EQ(File("/usr/lib/libostrel.so").getParent().getPath().str(), "/usr/lib");
    EXPECT_EQ(File("/libostrel.so").getParent().getPath().str(), "/");
    EXPECT_EQ(File("libostrel.so").getParent().getPath().str(), ".");
    EXPECT_EQ(File("/usr/lib/").getParent().getPath().str(), "/usr");
}

TEST(FileTest, TellsDirectoriesFromFiles) {
    ostrel::test::TempDir dir;
    const std::string file = dir.write("a.txt", "x");
    EXPECT_TRUE(File(dir.path().string()).isDirectory());
    EXPECT_FALSE(File(file).isDirectory());
    EXPECT_TRUE(File(file).isFile());
    EXPECT_FALSE(File(dir.file("missing")).isDirectory());
    EXPECT_FALSE(File("").isDirectory());
}

} // namespace
