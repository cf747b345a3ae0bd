#include "host/common/DocumentFactory.h"

#include <gtest/gtest.h>

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

TEST(DocumentFactoryTest, IteratesInByteOrderAndRefusesASecondTemplateOfTheSameType) {
    DocumentFactory factory;
    EXPECT_EQ(walk(factory), "");
    for (const char* type : {"invoice", "Order", "INVOICE", "contract"}) {
        ASSERT_NE(factory.createTemplate(type), nullptr) << type;
    }
    EXPECT_EQ(walk(factory), "INVOICE|Order|contract|invoice|");
    DocumentTemplate* first = factory.findTemplate("Order");
    EXPECT_EQ(factory.createTemplate("Order"), nullptr);
    EXPECT_EQ(factory.addTemplate(nullptr), nullptr);
    EXPECT_EQ(factory.getTemplateCount(), 4u);
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

} // namespace
