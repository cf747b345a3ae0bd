#include "host/base/SoopDb.h"
#include "host/base/ZmXml.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using ostrel::test::TempDir;

TEST(SoopDbTest, ListsElementsInFileOrderWithEntitiesDecoded) {
    TempDir dir;
    const std::string file =
        dir.write("values.xml", "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
                                "<autoident>\r\n"
                                "<ident name=\"B&amp;&lt;&quot;&#x159;\" />\r\n"
                                "<other name=\"skip\"/>\r\n"
                                "<group><ident name=\"nested\"/></group>\r\n"
                                "<ident name=\"A\" value=\"7\"/>\r\n"
                                "</autoident>\r\n");
    zm_soop::soop_db db;
    ASSERT_TRUE(db.init(file));
    db.addList("ident");
    const auto& nodes = db.getList("ident");
    ASSERT_EQ(nodes.size(), 3u);
    EXPECT_STREQ(nodes[0]->getAttr("name"), "B&<\"\xC5\x99");
    EXPECT_EQ(nodes[0]->getAttr("value"), nullptr);
    EXPECT_STREQ(nodes[1]->getAttr("name"), "nested");
    EXPECT_STREQ(nodes[2]->getAttr("value"), "7");
    EXPECT_TRUE(db.getList("undeclared").empty());
}

TEST(SoopDbTest, FailsCleanlyOnFilesItCannotRead) {
    TempDir dir;
    struct Row {
        const char* name;
        const char* content;
    };
    const Row rows[] = {
        {"empty.xml", ""},
        {"truncated.xml", "<autoident><ident name=\"a\""},
        {"mismatched.xml", "<a><b></a></b>"},
        {"undeclared-entity.xml", "<a><ident name=\"&nope;\"/></a>"},
        {"binary.xml", "\x00\x01\x02\xFF"},
        // A file declaring entities is refused outright: no expansion bomb
        // and no external entity can reach a value.
        {"bomb.xml", "<!DOCTYPE a [<!ENTITY x \"xxxxxxxxxx\"><!ENTITY y \"&x;&x;&x;&x;&x;\">]>"
                     "<a><ident name=\"&y;\"/></a>"},
        {"external.xml", "<!DOCTYPE a [<!ENTITY e SYSTEM \"file:///etc/passwd\">]>"
                         "<a><ident name=\"&e;\"/></a>"},
        {"external-dtd.xml", "<!DOCTYPE a SYSTEM \"http://example.invalid/a.dtd\"><a/>"},
    };
    for (const Row& row : rows) {
        zm_soop::soop_db db;
        EXPECT_FALSE(db.init(dir.write(row.name, row.content))) << row.name;
        db.addList("ident");
        EXPECT_TRUE(db.getList("ident").empty()) << row.name;
    }
    zm_soop::soop_db db;
    EXPECT_FALSE(db.init(dir.file("missing.xml")));
    EXPECT_FALSE(db.init(dir.path().string())) << "a directory";
    EXPECT_FALSE(db.init(Ostrel::u8string()));
}

TEST(ZmXmlTest, WalksElementsAndReadsTextAndProperties) {
    const std::string xml = "<Templates><!-- c -->text<Template id=\"a&amp;b\">"
                            "<Description>Invoices &amp; credit notes</Description></Template>"
                            "<Other/></Templates>";
    const zmxml::DocPtr doc(zmxml::loadMemory(xml.data(), xml.size()));
    ASSERT_TRUE(doc);
    xmlNodePtr root = zmxml::getElement(xmlDocGetRootElement(doc.get()));
    ASSERT_TRUE(zmxml::hasName(root, "Templates"));
    xmlNodePtr templ = zmxml::getChildElement(root);
    ASSERT_TRUE(zmxml::hasName(templ, "Template")) << "comment and text skipped";
    Ostrel::u8string id("unchanged");
    EXPECT_TRUE(zmxml::getPropertyString(templ, "id", id));
    EXPECT_EQ(id.str(), "a&b");
    EXPECT_FALSE(zmxml::getPropertyString(templ, "name", id));
    EXPECT_EQ(id.str(), "a&b") << "absent property leaves the value";
    Ostrel::u8string text;
    EXPECT_TRUE(zmxml::getElementText(zmxml::getChildElement(templ), text));
    EXPECT_EQ(text.str(), "Invoices & credit notes");
    EXPECT_FALSE(zmxml::getElementText(zmxml::getNextElement(templ), text));
    EXPECT_TRUE(text.empty());
    EXPECT_EQ(zmxml::getNextElement(zmxml::getNextElement(templ)), nullptr);
    EXPECT_EQ(zmxml::getChildElement(nullptr), nullptr);
}

} // namespace
