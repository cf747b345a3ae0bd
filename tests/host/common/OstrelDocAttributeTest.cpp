#include "host/common/OstrelDocAttribute.h"
#include "host/common/AttributeTemplate.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>

namespace {

using Status = OstrelDocAttributeTemplate::Status;

// What each property means is pinned where it acts: positions by CMEditableDocumentFactoryTest,
// lengths and lines by IdentificationModelTest, mandatory values by CMEditableDocumentTest.
TEST(OstrelDocAttributeTest, NumbersBeyondTheIntRangeAreClampedNeverWrapped) {
    AttributeTemplate t("DOC.NUMBER");
    t.setProperty("size", "4294967304").setProperty("position", " -4294967295");
    const OstrelDocAttribute far(&t);
    EXPECT_EQ(far.getLength(), INT_MAX);
    EXPECT_EQ(far.getPosition(), INT_MIN);
    const OstrelDocAttribute none(nullptr);
    EXPECT_EQ(none.getLength() + none.isMandatory() + none.getStatus(), 0) << "null template";
}

TEST(OstrelDocAttributeTest, StatusLettersInEitherCase) {
    const std::pair<const char*, Status> rows[] = {
        {"n", Status::Editable}, {"R", Status::ReadOnly}, {"r", Status::ReadOnly},
        {"H", Status::Hidden},   {"h", Status::Hidden},   {"HR", Status::Editable},
    };
    for (const auto& [text, status] : rows) {
        AttributeTemplate t("a");
        t.setProperty("status", text);
        EXPECT_EQ(OstrelDocAttribute(&t).getStatus(), status) << '"' << text << '"';
    }
}

TEST(OstrelDocAttributeTest, EqualMeansSameNameAndSameValueAndClonesAreIndependent) {
    AttributeTemplate number("DOC.NUMBER"), year("DOC.YEAR");
    OstrelDocAttribute a(&number), b(&number), c(&year);
    for (OstrelDocAttribute* attribute : {&a, &b, &c}) {
        attribute->setValue("INV-0001");
    }
    EXPECT_TRUE(a.isEqual(&b));
    EXPECT_FALSE(a.isEqual(&c)) << "different name";
    EXPECT_FALSE(a.isEqual(nullptr));
    const std::unique_ptr<OstrelDocAttribute> copy(a.clone());
    a.setValue("INV-0002");
    EXPECT_FALSE(a.isEqual(&b));
    EXPECT_EQ(copy->getValue().str(), "INV-0001");
    EXPECT_EQ(copy->getAttrName().str(), "DOC.NUMBER");
}

} // namespace
