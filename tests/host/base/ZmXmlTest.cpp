#include "host/base/ZmXml.h"

#include "host/base/SoopDb.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

TEST(ZmXmlTest, AbsentPropertyLeavesTheValueAndAnEmptyElementClearsTheText) {
    const std::string xml = "<T id=\"a\"><!-- c -->text<Empty/></T>";
    const zmxml::DocPtr doc = zmxml::loadMemory(xml.data(), xml.size());
    xmlNodePtr root = xmlDocGetRootElement(doc.get());
    Ostrel::u8string value("kept");
    EXPECT_FALSE(zmxml::getPropertyString(root, "name", value));
    EXPECT_EQ(value.str(), "kept");
    xmlNodePtr empty = zmxml::getChildElement(root);
    ASSERT_TRUE(zmxml::hasName(empty, "Empty")) << "comment and text skipped";
    EXPECT_FALSE(zmxml::getElementText(empty, value));
    EXPECT_TRUE(value.empty());
    EXPECT_EQ(zmxml::getNextElement(empty), nullptr);
    EXPECT_EQ(zmxml::getChildElement(nullptr), nullptr);
}

TEST(ZmXmlTest, BadFilesAreRefusedWithoutAWordOnStandardError) {
    ostrel::test::TempDir dir;
    ASSERT_EQ(::mkfifo(dir.file("fifo.xml").c_str(), 0600), 0);
    // A file declaring entities is refused outright: no expansion bomb, no external entity.
    const std::string files[] = {
        dir.file("fifo.xml"), // without a writer: must not block either
        dir.file("missing.xml"),
        dir.path().string(),
        dir.write("empty.xml", ""),
        dir.write("bad.xml", "<a><b></a>"),
        dir.write("utf8.xml", "<a name=\"\xC3\x28\"/>"),
        dir.write("utf16.xml", "<?xml version=\"1.0\" encoding=\"UTF-16\"?><a/>"),
        dir.write("unknown.xml", "<?xml version=\"1.0\" encoding=\"x-none\"?><a/>"),
        dir.write("undefined.xml", "<a><b name=\"&nope;\"/></a>"),
        dir.write("bomb.xml",
                  "<!DOCTYPE a [<!ENTITY x \"xxxxxxxxxx\"><!ENTITY y \"&x;&x;&x;&x;\">]>"
                  "<a><b name=\"&y;\"/></a>"),
        dir.write("dtd.xml", "<!DOCTYPE a SYSTEM \"file:///dev/null\"><a/>"),
        // Declares only a parameter entity, never used.
        dir.write("pentity.xml", "<!DOCTYPE a [<!ENTITY % p \"x\">]><a><b/></a>"),
    };
    // The host's console is not ours: whatever libxml2 would say goes nowhere.
    ::testing::internal::CaptureStderr();
    for (const std::string& file : files) {
        EXPECT_EQ(zmxml::DocPtr(zmxml::loadFile(file)), nullptr) << file;
        EXPECT_EQ(zmxml::streamFile(file, [](xmlNodePtr) {}), nullptr) << file;
        zm_soop::soop_db db;
        EXPECT_FALSE(db.init(file)) << file;
        db.addList("b");
        EXPECT_TRUE(db.getList("b").empty()) << file;
    }
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

// File order, decoded entities and absent attributes: the identifier value file's tests.
TEST(SoopDbTest, ListsTheDeclaredElementsAtAnyDepth) {
    const std::string xml = "<autoident><ident name=\"A\"/><other name=\"skip\"/>"
                            "<group><ident name=\"nested\"/></group></autoident>";
    zm_soop::soop_db db;
    ASSERT_TRUE(db.initFromMemory(xml.data(), xml.size()));
    db.addList("ident");
    const auto& nodes = db.getList("ident");
    ASSERT_EQ(nodes.size(), 2u);
    EXPECT_STREQ(nodes[1]->getAttr("name"), "nested");
    EXPECT_TRUE(db.getList("undeclared").empty());
}

TEST(SoopDbTest, AFileNamedDashIsThatFileNotStandardInput) {
    ostrel::test::TempDir dir;
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
