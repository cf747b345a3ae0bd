#include "descr/TemplateDescriptionLoader.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The Documents tree of the sample is pinned by the describe command's test, its conversion into
// templates by DocumentFactoryLoaderTest; here, that loading chains the two and keeps a failure
// out.
TEST(TemplateDescriptionLoaderTest, ATemplateFileFillsTheFactoryOnlyWhenAllOfItReads) {
    ostrel::test::TempDir dir;
    const std::string bad = dir.write(
        "bad.xml", "<Templates><Template id=\"A\" name=\"a\"/><Template id=\"B\" name=\"b\">"
                   "<Attributes><Attribute id=\"X\" name=\"x\"/></Attributes></Template>"
                   "</Templates>");
    DocumentFactory factory;
    OstrelException ex;
    EXPECT_FALSE(TemplateDescriptionLoader::load(bad, factory, ex));
    EXPECT_EQ(factory.getTemplateCount(), 0u);
    ASSERT_FALSE(ex.getRecords().empty());
    EXPECT_EQ(ex.getRecords().front().message.str(), "Attribute missing size, id=X");

    ex.clear();
    std::vector<Ostrel::u8string> skipped;
    for (const std::size_t skippedCount : {0u, 12u}) { // the second time every type is there
        ASSERT_TRUE(TemplateDescriptionLoader::load(OSTREL_SAMPLES_DIR "/templates.xml", factory,
                                                    ex, &skipped));
        EXPECT_FALSE(ex.hasError());
        EXPECT_EQ(skipped.size(), skippedCount);
    }
    EXPECT_EQ(factory.getTemplateCount(), 12u);
    const DocumentTemplate* invoice = factory.findTemplate("Finance.IncomingInvoice");
    ASSERT_NE(invoice, nullptr);
    Ostrel::u8string area;
    EXPECT_TRUE(invoice->getProperty("Area", area) && area.str() == "Finance");
    ASSERT_EQ(invoice->getAttributeCount(), 7u);
    EXPECT_EQ(invoice->getAttribute(6)->getIdentifier().str(), "Note");
}

} // namespace
