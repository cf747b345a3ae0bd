#include "document/CMEditableMultiDocument.h"

#include "host/common/AttributeTemplate.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

using Values = std::map<Ostrel::u8string, Ostrel::u8string>;

// An attribute whose agreement the test decides, and which counts live
// instances so that every copy is shown to be deleted exactly once.
class ScriptedAttribute : public OstrelDocAttribute {
public:
    ScriptedAttribute(const AttributeTemplate* t, bool agrees)
        : OstrelDocAttribute(t), agrees_(agrees) {
        ++alive;
    }
    ScriptedAttribute(const ScriptedAttribute& other)
        : OstrelDocAttribute(other), agrees_(other.agrees_) {
        ++alive;
    }
    ~ScriptedAttribute() override { --alive; }
    bool isEqual(const OstrelDocAttribute*) const override { return agrees_; }
    OstrelDocAttribute* clone() const override { return new ScriptedAttribute(*this); }
    static inline int alive = 0;

private:
    bool agrees_;
};

class CMEditableMultiDocumentTest : public ::testing::Test {
protected:
    // Fills a document with attributes named by `names`; the ones listed in
    // `disagreeing` answer false when asked whether they agree.
    void fill(CMEditableDocument& document, const std::vector<const char*>& names,
              const std::vector<std::string>& disagreeing = {}, const char* value = "v") {
        for (const char* name : names) {
            auto& t = templates_.emplace_back(std::make_unique<AttributeTemplate>(name));
            const bool agrees =
                std::find(disagreeing.begin(), disagreeing.end(), name) == disagreeing.end();
            auto* attribute = new ScriptedAttribute(t.get(), agrees);
            attribute->setValue(value);
            ASSERT_TRUE(document.addProperty(attribute));
        }
    }
    static Values valuesOf(CMEditableDocument& document) {
        Values values;
        document.getValues(values);
        return values;
    }
    void TearDown() override { EXPECT_EQ(ScriptedAttribute::alive, 0) << "leaked attributes"; }

    std::vector<std::unique_ptr<AttributeTemplate>> templates_;
};

TEST_F(CMEditableMultiDocumentTest, TakingOverCopiesAndKeepsWhatIsHeld) {
    CMEditableMultiDocument multi;
    fill(multi, {"Year"}, {}, "held");
    multi.addId(4);
    {
        CMEditableDocument document("INVOICE");
        document.getName() = "INV-1";
        fill(document, {"Number", "Year"}, {}, "new");
        multi = document;
        EXPECT_EQ(ScriptedAttribute::alive, 4) << "copies, not the document's own attributes";
    }
    EXPECT_EQ(valuesOf(multi), (Values{{"Number", "new"}, {"Year", "held"}}));
    EXPECT_EQ(multi.getType(), "");
    EXPECT_EQ(multi.getName(), "");
    std::list<unsigned long> ids;
    multi.getIds(ids);
    EXPECT_EQ(ids, (std::list<unsigned long>{4}));
}

TEST_F(CMEditableMultiDocumentTest, AgreeingDropsOnlyDisagreeingAttributes) {
    CMEditableMultiDocument multi;
    fill(multi, {"A", "B", "C", "OnlyHere"});
    CMEditableDocument other("INVOICE");
    fill(other, {"C", "A", "B", "OnlyThere"}, {"A", "C", "OnlyThere"});
    multi &= other;
    EXPECT_EQ(valuesOf(multi), (Values{{"B", "v"}, {"OnlyHere", "v"}}));
    EXPECT_EQ(other.getPropertyCount(), 4u) << "the other document is not changed";

    multi &= multi;
    EXPECT_EQ(multi.getPropertyCount(), 2u) << "a document agrees with itself";
}

TEST_F(CMEditableMultiDocumentTest, CopiesCarryAttributesAndIds) {
    auto original = std::make_unique<CMEditableMultiDocument>();
    fill(*original, {"Number"});
    original->addId(1);
    original->addId(1);
    CMEditableMultiDocument copy(*original);
    CMEditableMultiDocument assigned;
    fill(assigned, {"Stale"});
    assigned.addId(9);
    assigned = *original;
    original.reset();

    std::list<unsigned long> ids{0};
    copy.getIds(ids);
    assigned.getIds(ids);
    EXPECT_EQ(ids, (std::list<unsigned long>{0, 1, 1, 1, 1})) << "getIds appends";
    EXPECT_EQ(valuesOf(copy), (Values{{"Number", "v"}}));
    EXPECT_EQ(valuesOf(assigned), (Values{{"Number", "v"}}));
    EXPECT_EQ(ScriptedAttribute::alive, 2);
}

} // namespace
