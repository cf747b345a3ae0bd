#include "host/common/OstrelDocAttribute.h"
#include "host/common/AttributeTemplate.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

AttributeTemplate numberTemplate() {
    AttributeTemplate t("DOC.NUMBER");
    t.setProperty("name", "Number")
        .setProperty("size", "8")
        .setProperty("position", "3")
        .setProperty("mandatory", "Y")
        .setProperty("multiline", "N")
        .setProperty("mask", ">AAA-9999");
    return t;
}

TEST(OstrelDocAttributeTest, ReadsItsRulesFromTheTemplate) {
    const AttributeTemplate t = numberTemplate();
    const OstrelDocAttribute attribute(&t);
    EXPECT_EQ(attribute.getAttrName().str(), "DOC.NUMBER");
    EXPECT_EQ(attribute.getVisibleName().str(), "Number");
    EXPECT_EQ(attribute.getLength(), 8);
    EXPECT_EQ(attribute.getPosition(), 3);
    EXPECT_TRUE(attribute.isMandatory());
    EXPECT_FALSE(attribute.isMultiline());
    EXPECT_EQ(attribute.getStatus(), OstrelDocAttributeTemplate::Editable);
    EXPECT_TRUE(attribute.getValue().empty());
}

TEST(OstrelDocAttributeTest, StatusLetters) {
    struct Row {
        const char* text;
        OstrelDocAttributeTemplate::Status status;
    };
    const Row rows[] = {
        {"N", OstrelDocAttributeTemplate::Editable}, {"n", OstrelDocAttributeTemplate::Editable},
        {"R", OstrelDocAttributeTemplate::ReadOnly}, {"r", OstrelDocAttributeTemplate::ReadOnly},
        {"H", OstrelDocAttributeTemplate::Hidden},   {"h", OstrelDocAttributeTemplate::Hidden},
        {"", OstrelDocAttributeTemplate::Editable},  {"HR", OstrelDocAttributeTemplate::Editable},
    };
    for (const Row& row : rows) {
        AttributeTemplate t("a");
        t.setProperty("status", row.text);
        EXPECT_EQ(OstrelDocAttribute(&t).getStatus(), row.status) << '"' << row.text << '"';
    }
    const OstrelDocAttribute fromNull(nullptr);
    EXPECT_EQ(fromNull.getStatus(), OstrelDocAttributeTemplate::Editable);
    EXPECT_EQ(fromNull.getLength(), 0);
    EXPECT_FALSE(fromNull.isMandatory());
}

TEST(OstrelDocAttributeTest, EqualMeansSameNameAndSameValue) {
    const AttributeTemplate t = numberTemplate();
    AttributeTemplate other("DOC.YEAR");
    OstrelDocAttribute a(&t);
    OstrelDocAttribute b(&t);
    OstrelDocAttribute c(&other);
    a.setValue("INV-0001");
    b.setValue("INV-0001");
    c.setValue("INV-0001");
    EXPECT_TRUE(a.isEqual(&b));
    EXPECT_FALSE(a.isEqual(&c)) << "different name";
    EXPECT_FALSE(a.isEqual(nullptr));
    b.setValue("INV-0002");
    EXPECT_FALSE(a.isEqual(&b));
}

TEST(OstrelDocAttributeTest, CloneIsIndependent) {
    const AttributeTemplate t = numberTemplate();
    OstrelDocAttribute original(&t);
    original.setValue("ABC-1234");
    const std::unique_ptr<OstrelDocAttribute> copy(original.clone());
    original.setValue("changed");
    EXPECT_EQ(copy->getValue().str(), "ABC-1234");
    EXPECT_EQ(copy->getVisibleName().str(), "Number");
}

} // namespace
