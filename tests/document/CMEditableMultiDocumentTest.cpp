#include "document/CMEditableMultiDocument.h"

#include "host/common/AttributeTemplate.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using Values = std::map<Ostrel::u8string, Ostrel::u8string>;

struct Alive {
    Alive() { ++count; }
    Alive(const Alive&) { ++count; }
    ~Alive() { --count; }
    static inline int count = 0;
};

// Agrees as the test decides; counts live instances so every copy is shown deleted exactly once.
class ScriptedAttribute : public OstrelDocAttribute {
public:
    ScriptedAttribute(const AttributeTemplate* t, bool agrees)
        : OstrelDocAttribute(t), agrees_(agrees) {}
    bool isEqual(const OstrelDocAttribute*) const override { return agrees_; }
    OstrelDocAttribute* clone() const override { return new ScriptedAttribute(*this); }

private:
    bool agrees_;
    Alive alive_;
};

class CMEditableMultiDocumentTest : public ::testing::Test {
protected:
    // Adds attributes valued `value`; a name marked "!" answers false when asked to agree.
    void fill(CMEditableDocument& document, const std::vector<std::string>& names,
              const char* value = "v") {
        for (const std::string& name : names) {
            const bool agrees = name[0] != '!';
            auto& t = templates_.emplace_back(
                std::make_unique<AttributeTemplate>(name.substr(agrees ? 0 : 1)));
            auto* attribute = new ScriptedAttribute(t.get(), agrees);
            attribute->setValue(value);
            ASSERT_TRUE(document.addProperty(attribute));
        }
    }
    static std::string show(CMEditableMultiDocument& document) {
        Values values;
        std::list<unsigned long> ids;
        document.getValues(values);
        document.getIds(ids);
        std::string out;
        for (const auto& [name, value] : values) {
            out += name.str() + "=" + value.str() + " ";
        }
        for (unsigned long id : ids) {
            out += std::to_string(id) + " ";
        }
        return out;
    }
    void TearDown() override { EXPECT_EQ(Alive::count, 0) << "leaked attributes"; }

    std::vector<std::unique_ptr<AttributeTemplate>> templates_;
};

TEST_F(CMEditableMultiDocumentTest, TakingOverCopiesAndKeepsWhatIsHeld) {
    CMEditableMultiDocument multi;
    fill(multi, {"Year"}, "held");
    multi.addId(4);
    {
        CMEditableDocument document("INVOICE");
        document.getName() = "INV-1";
        fill(document, {"Number", "Year"}, "new");
        multi = document;
        EXPECT_EQ(Alive::count, 4) << "copies, not the document's own attributes";
    }
    EXPECT_EQ(show(multi), "Number=new Year=held 4 ");
    EXPECT_EQ(multi.getType() + multi.getName(), "");
}

TEST_F(CMEditableMultiDocumentTest, AgreeingDropsOnlyDisagreeingAttributes) {
    CMEditableMultiDocument multi;
    fill(multi, {"A", "B", "C", "OnlyHere"});
    CMEditableDocument other("INVOICE");
    fill(other, {"!C", "!A", "B", "!OnlyThere"});
    multi &= other;
    EXPECT_EQ(show(multi), "B=v OnlyHere=v ");
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
    EXPECT_EQ(ids, (std::list<unsigned long>{0, 1, 1})) << "getIds appends";
    EXPECT_EQ(show(copy), "Number=v 1 1 ");
    EXPECT_EQ(show(assigned), "Number=v 1 1 ");
    EXPECT_EQ(Alive::count, 2);
}

} // namespace
