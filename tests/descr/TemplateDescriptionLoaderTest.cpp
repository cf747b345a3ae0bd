#include "descr/TemplateDescriptionLoader.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string property(const AttributeTemplate& t, const char* name) {
    Ostrel::u8string value("(absent)");
    t.getProperty(name, value);
    return value.str();
}

TEST(TemplateDescriptionLoaderTest, SampleTemplatesLoadIntoAFactory) {
    DocumentFactory factory;
    OstrelException ex;
    std::vector<Ostrel::u8string> skipped;
    ASSERT_TRUE(TemplateDescriptionLoader::load(OSTREL_SAMPLES_DIR "/templates.xml", factory, ex,
                                                &skipped));
    EXPECT_FALSE(ex.hasError());
    EXPECT_TRUE(skipped.empty());
    EXPECT_EQ(factory.getTemplateCount(), 12u);
    const DocumentTemplate* invoice = factory.findTemplate("Finance.IncomingInvoice");
    ASSERT_NE(invoice, nullptr);
    EXPECT_EQ(invoice->getProperties(), (std::map<Ostrel::u8string, Ostrel::u8string>{
                                            {"name", "Incoming invoice"},
                                            {"canCreate", "Y"},
                                            {"Area", "Finance"},
                                            {"Retention", "10"},
                                            {"Description", "Invoice received from a supplier"}}));
    ASSERT_EQ(invoice->getAttributeCount(), 7u);
    EXPECT_EQ(invoice->getAttribute(0)->getIdentifier().str(), "InvoiceNumber");
    EXPECT_EQ(property(*invoice->getAttribute(0), "mask"), ">AA-9999999");
    EXPECT_EQ(property(*invoice->getAttribute(6), "position"), "7");
}

TEST(TemplateDescriptionLoaderTest, ABadFileLeavesTheFactoryAlone) {
    ostrel::test::TempDir dir;
    const std::string file = dir.write(
        "bad.xml", "<Templates><Template id=\"A\" name=\"a\"/><Template id=\"B\" name=\"b\">"
                   "<Attributes><Attribute id=\"X\" name=\"x\"/></Attributes></Template>"
                   "</Templates>");
    DocumentFactory factory;
    OstrelException ex;
    EXPECT_FALSE(TemplateDescriptionLoader::load(file, factory, ex));
    EXPECT_EQ(factory.getTemplateCount(), 0u);
    ASSERT_FALSE(ex.getRecords().empty());
    EXPECT_EQ(ex.getRecords().front().message.str(), "Attribute missing size, id=X");
}

} // namespace
