#include "host/common/DocumentFactory.h"
#include "host/common/Document.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

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
    Ostrel::u8string size;
    EXPECT_TRUE(t->getAttribute(0)->getProperty("size", size));
    EXPECT_EQ(size.str(), "10");
}

TEST(DocumentTest, LaterStoredPropertyOfTheSameNameWins) {
    Document document(42, nullptr);
    document.addValue("Number", "1").addValue("Year", "2026").addValue("Number", "2");
    std::map<Ostrel::u8string, Ostrel::u8string> values{{"Other", "kept"}, {"Year", "old"}};
    EXPECT_TRUE(document.getValues(values));
    EXPECT_EQ(values, (std::map<Ostrel::u8string, Ostrel::u8string>{
                          {"Number", "2"}, {"Other", "kept"}, {"Year", "2026"}}));
}

} // namespace
