#include "host/base/SoopDb.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

using ostrel::test::TempDir;

TEST(SoopDbTest, ListsElementsInFileOrderWithEntitiesDecoded) {
    TempDir dir;
    zm_soop::soop_db db;
    ASSERT_TRUE(db.init(dir.write("values.xml", "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
                                                "<autoident>\r\n"
                                                "<ident name=\"B&amp;&lt;&quot;&#x159;\" />\r\n"
                                                "<other name=\"skip\"/>\r\n"
                                                "<group><ident name=\"nested\"/></group>\r\n"
                                                "<ident name=\"A\" value=\"7\"/>\r\n"
                                                "</autoident>\r\n")));
    db.addList("ident");
    const auto& nodes = db.getList("ident");
    ASSERT_EQ(nodes.size(), 3u);
    EXPECT_STREQ(nodes[0]->getAttr("name"), "B&<\"\xC5\x99");
    EXPECT_EQ(nodes[0]->getAttr("value"), nullptr);
    EXPECT_STREQ(nodes[1]->getAttr("name"), "nested");
    EXPECT_STREQ(nodes[2]->getAttr("value"), "7");
    EXPECT_TRUE(db.getList("undeclared").empty());
}

TEST(SoopDbTest, AFileNamedDashIsThatFileNotStandardInput) {
    TempDir dir;
    dir.write("-", "<autoident><ident name=\"dash\"/></autoident>");
    const auto cwd = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    // Standard input is empty meanwhile: a reader of it would find no document at all.
    const int savedInput = ::dup(0);
    const int empty = ::open("/dev/null", O_RDONLY);
    ::dup2(empty, 0);
    zm_soop::soop_db db;
    const bool read = db.init("-");
    ::dup2(savedInput, 0);
    ::close(savedInput);
    ::close(empty);
    std::filesystem::current_path(cwd);
    ASSERT_TRUE(read);
    db.addList("ident");
    ASSERT_EQ(db.getList("ident").size(), 1u);
    EXPECT_STREQ(db.getList("ident")[0]->getAttr("name"), "dash");
}

} // namespace
