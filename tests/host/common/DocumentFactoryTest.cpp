#include "host/common/DocumentFactory.h"
#include "host/common/DocumentFactoryLoader.h"

#include "host/base/ZmXml.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>

namespace {

using Properties = std::map<Ostrel::u8string, Ostrel::u8string>;

zmxml::DocPtr parse(const char* xml) {
    return zmxml::loadMemory(xml, std::strlen(xml));
}

std::string walk(DocumentFactory& factory) {
    DocumentTemplateIterator it(factory);
    std::string order;
    while (DocumentTemplate* t = it.next()) {
        order += t->getType().str() + "|";
    }
    EXPECT_EQ(it.next(), nullptr) << "stays at the end";
    return order;
}

// Byte order of types (so capitals first) is the order of Ostrel::u8string itself.
TEST(DocumentFactoryTest, IteratesInByteOrderAndRefusesASecondTemplateOfTheSameType) {
    DocumentFactory factory;
    EXPECT_EQ(walk(factory), "");
    for (const char* type : {"invoice", "\xC3\x84rger", "Order", "INVOICE", "contract"}) {
        ASSERT_NE(factory.createTemplate(type), nullptr) << type;
    }
    EXPECT_EQ(walk(factory), "INVOICE|Order|contract|invoice|\xC3\x84rger|"); // bytes unsigned
    DocumentTemplate* first = factory.findTemplate("Order");
    EXPECT_EQ(factory.createTemplate("Order"), nullptr);
    EXPECT_EQ(factory.addTemplate(nullptr), nullptr);
    EXPECT_EQ(factory.getTemplateCount(), 5u);
    EXPECT_EQ(factory.findTemplate("Order"), first);
    EXPECT_EQ(factory.findTemplate("order"), nullptr);
    // A withdrawn template leaving the catalogue: DocumentTypesFillTest.
    EXPECT_EQ(DocumentTemplate("").isUsable(), 0u) << "a template without a type";
    EXPECT_NE(first->isUsable(), 0u);
}

TEST(DocumentFactoryTest, CopiesOwnTheirTemplates) {
    auto factory = std::make_unique<DocumentFactory>();
    factory->createTemplate("Invoice")->addAttribute("Number").setProperty("size", "10");
    factory->findTemplate("Invoice")->appendAttribute(nullptr);
    DocumentFactory copy(*factory);
    factory.reset(); // the copy must not refer to anything the original owned
    DocumentTemplate* t = copy.findTemplate("Invoice");
    ASSERT_NE(t, nullptr);
    ASSERT_EQ(t->getAttributeCount(), 2u);
    EXPECT_EQ(t->getAttribute(1), nullptr) << "a hole stays a hole";
    EXPECT_EQ(t->getAttribute(2), nullptr);
    EXPECT_EQ(t->getAttribute(0)->getProperties(), (Properties{{"size", "10"}}));
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
