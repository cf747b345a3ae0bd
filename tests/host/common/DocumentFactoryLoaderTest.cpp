#include "host/common/DocumentFactoryLoader.h"

#include "host/base/ZmXml.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

using Properties = std::map<Ostrel::u8string, Ostrel::u8string>;

zmxml::DocPtr parse(const char* xml) {
    return zmxml::loadMemory(xml, std::strlen(xml));
}

TEST(DocumentFactoryLoaderTest, DocumentsBecomeTemplatesWithTheirAttributes) {
    const auto doc = parse(R"(<Documents><Document type="Invoice" inherit="DocumentType.Root">
        <Attribute name="Number"><Property name="name">Number</Property>
          <Property name="size">10</Property><Property name="mask"/>
          <Property>no name, ignored</Property></Attribute>
        <Attribute><Property name="name">Unnamed</Property></Attribute>
        <Other name="ignored">x</Other><Property name="name">Invoice</Property>
        <Property name="Area">Fin<!-- split -->ance</Property>
        <Property name="name">Invoice (renamed)</Property><Property name="Description"/>
      </Document><Document type="Letter"/></Documents>)");
    DocumentFactory factory;
    DocumentFactoryLoader loader(factory);
    ASSERT_TRUE(loader.load(xmlDocGetRootElement(doc.get())));
    EXPECT_TRUE(loader.getSkippedTypes().empty());
    ASSERT_EQ(factory.getTemplateCount(), 2u);
    const DocumentTemplate* invoice = factory.findTemplate("Invoice");
    EXPECT_NE(invoice->isUsable(), 0u);
    EXPECT_EQ(
        invoice->getProperties(),
        (Properties{{"name", "Invoice (renamed)"}, {"Area", "Finance"}, {"Description", ""}}));
    ASSERT_EQ(invoice->getAttributeCount(), 2u);
    EXPECT_EQ(invoice->getAttribute(0)->getIdentifier().str(), "Number");
    EXPECT_EQ(invoice->getAttribute(0)->getProperties(),
              (Properties{{"name", "Number"}, {"size", "10"}, {"mask", ""}}));
    EXPECT_EQ(invoice->getAttribute(1)->getIdentifier().str(), "");
    EXPECT_TRUE(factory.findTemplate("Letter")->getProperties().empty());
}

TEST(DocumentFactoryLoaderTest, SkipsUntypedAndRepeatedTypesAndRefusesOtherRoots) {
    const auto doc = parse(R"(<Documents><Document type="A"><Property name="n">1</Property>
      </Document><Document/><Document type="A"><Property name="n">2</Property></Document>
      </Documents>)");
    DocumentFactory factory;
    factory.createTemplate("Existing");
    DocumentFactoryLoader loader(factory);
    ASSERT_TRUE(loader.load(xmlDocGetRootElement(doc.get())));
    EXPECT_EQ(loader.getSkippedTypes(), (std::vector<Ostrel::u8string>{"", "A"}));
    EXPECT_EQ(factory.getTemplateCount(), 2u);
    EXPECT_EQ(factory.findTemplate("A")->getProperties(), (Properties{{"n", "1"}}));

    const auto other = parse("<Templates><Document type=\"B\"/></Templates>");
    EXPECT_FALSE(loader.load(nullptr));
    EXPECT_FALSE(loader.load(xmlDocGetRootElement(other.get())));
    EXPECT_EQ(factory.getTemplateCount(), 2u);
}

} // namespace
