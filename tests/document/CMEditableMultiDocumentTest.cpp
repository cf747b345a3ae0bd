#include "document/CMEditableMultiDocument.h"

#include "support/Documents.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// Ownership (each attribute deleted exactly once, none too early) is checked by the sanitizers.
class CMEditableMultiDocumentTest : public ::testing::Test {
protected:
    static void fill(CMEditableDocument& document, std::initializer_list<const char*> names,
                     const char* value = "v") {
        for (const char* name : names) {
            ostrel::test::addAttributes(document, {{name, value}});
        }
    }
    static std::string show(CMEditableMultiDocument& document) {
        std::map<Ostrel::u8string, Ostrel::u8string> values;
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
    }
    EXPECT_EQ(show(multi), "Number=new Year=held 4 ");
    EXPECT_EQ(multi.getType() + multi.getName(), "");
}

TEST_F(CMEditableMultiDocumentTest, AgreeingDropsOnlyDisagreeingAttributes) {
    CMEditableMultiDocument multi;
    fill(multi, {"A", "B", "C", "OnlyHere"});
    CMEditableDocument other("INVOICE");
    fill(other, {"B"});
    fill(other, {"C", "A", "OnlyThere"}, "x");
    multi &= other;
    EXPECT_EQ(show(multi), "B=v OnlyHere=v ");
    EXPECT_EQ(other.getPropertyCount(), 4u) << "the other document is not changed";
    CMEditableMultiDocument& self = multi;
    multi &= self;
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
}

} // namespace
