#include "host/base/ZmXml.h"

#include <gtest/gtest.h>

#include <string>

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

} // namespace
