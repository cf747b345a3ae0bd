#include "host/common/DocumentFactory.h"
#include "host/common/Document.h"
#include "host/common/OstrelException.h"

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

TEST(DocumentFactoryTest, IteratesTemplatesInByteOrderOfTheirTypes) {
    DocumentFactory factory;
    EXPECT_EQ(walk(factory), "");
    for (const char* type : {"invoice", "Order", "INVOICE", "contract"}) {
        ASSERT_NE(factory.createTemplate(type), nullptr) << type;
    }
    EXPECT_EQ(walk(factory), "INVOICE|Order|contract|invoice|");
}

TEST(DocumentFactoryTest, RefusesASecondTemplateOfTheSameType) {
    DocumentFactory factory;
    DocumentTemplate* first = factory.createTemplate("Invoice");
    first->setProperty("name", "Invoice");
    EXPECT_EQ(factory.createTemplate("Invoice"), nullptr);
    EXPECT_EQ(factory.addTemplate(nullptr), nullptr);
    EXPECT_EQ(factory.getTemplateCount(), 1u);
    EXPECT_EQ(factory.findTemplate("Invoice"), first);
    EXPECT_EQ(factory.findTemplate("invoice"), nullptr);
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
    ASSERT_NE(t->getAttribute(0), nullptr);
    EXPECT_EQ(t->getAttribute(1), nullptr) << "a hole stays a hole";
    EXPECT_EQ(t->getAttribute(2), nullptr);
    Ostrel::u8string size;
    EXPECT_TRUE(t->getAttribute(0)->getProperty("size", size));
    EXPECT_EQ(size.str(), "10");
}

TEST(DocumentFactoryTest, UsableTemplatesHaveATypeAndAreNotWithdrawn) {
    DocumentTemplate named("Invoice");
    EXPECT_NE(named.isUsable(), 0u);
    named.setUsable(false);
    EXPECT_EQ(named.isUsable(), 0u);
    EXPECT_EQ(DocumentTemplate("").isUsable(), 0u);
}

TEST(DocumentTest, LaterStoredPropertyOfTheSameNameWins) {
    DocumentTemplate t("Invoice");
    Document document(42, &t);
    document.addValue("Number", "1").addValue("Year", "2026").addValue("Number", "2");
    std::map<Ostrel::u8string, Ostrel::u8string> values{{"Other", "kept"}, {"Year", "old"}};
    EXPECT_TRUE(document.getValues(values));
    EXPECT_EQ(values.size(), 3u);
    EXPECT_EQ(values["Number"].str(), "2");
    EXPECT_EQ(values["Year"].str(), "2026");
    EXPECT_EQ(values["Other"].str(), "kept");
    EXPECT_EQ(document.getId(), 42u);
    EXPECT_EQ(document.getTemplate(), &t);
}

TEST(OstrelExceptionTest, KeepsEveryRecordInOrder) {
    OstrelException ex;
    EXPECT_FALSE(ex.hasError());
    ex.setError("CMServer2Descr", 256, "Attribute doesn't have id");
    ex.setError("CMServer2Descr", 168, "Template id=a");
    ASSERT_EQ(ex.getRecords().size(), 2u);
    EXPECT_EQ(ex.getRecords()[0],
              (OstrelException::Record{"CMServer2Descr", 256, "Attribute doesn't have id"}));
    EXPECT_EQ(ex.getRecords()[1].line, 168);
}

} // namespace
