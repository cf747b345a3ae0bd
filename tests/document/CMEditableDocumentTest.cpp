#include "document/CMEditableDocument.h"

#include "support/Documents.h"

#include <gtest/gtest.h>

#include <memory>
#include <type_traits>

namespace {

using ostrel::test::Attr;
using ostrel::test::makeAttribute;

// Documents are handed around by value inside the library; a copy operation
// spelled out again would silently turn every move into a deep copy.
static_assert(std::is_nothrow_move_constructible_v<CMEditableDocument> &&
              std::is_nothrow_move_assignable_v<CMEditableDocument>);

using Values = std::map<Ostrel::u8string, Ostrel::u8string>;

// Opens the protected operations the multi-document uses.
class Doc : public CMEditableDocument {
public:
    using CMEditableDocument::CMEditableDocument;
    using CMEditableDocument::findPropertyByType;
    using CMEditableDocument::removeProperty;
};

// Ownership (each attribute deleted exactly once, none too early) is checked by the sanitizers.
TEST(CMEditableDocumentTest, AddingKeepsOrderAndRefusesNullAndDuplicateNames) {
    Doc doc("Invoice");
    EXPECT_FALSE(doc.addProperty(nullptr));
    OstrelDocAttribute* z = makeAttribute({"Z"});
    OstrelDocAttribute* a = makeAttribute({"A"});
    EXPECT_TRUE(doc.addProperty(z));
    EXPECT_TRUE(doc.addProperty(a));
    const std::unique_ptr<OstrelDocAttribute> duplicate(makeAttribute({"Z"})); // still the caller's
    EXPECT_FALSE(doc.addProperty(duplicate.get()));
    EXPECT_EQ(doc.findPropertyByType("z"), nullptr) << "names are case-sensitive";
    std::list<OstrelDocAttribute*> list{nullptr};
    doc.getProperties(list);
    EXPECT_EQ(list, (std::list<OstrelDocAttribute*>{nullptr, z, a})) << "appends in order";

    EXPECT_FALSE(doc.removeProperty("Unknown"));
    EXPECT_TRUE(doc.removeProperty("Z"));
    EXPECT_EQ(doc.getPropertyCount(), 1u);
    EXPECT_TRUE(doc.addProperty(makeAttribute({"Z"}))) << "the name is free again";
}

TEST(CMEditableDocumentTest, ValidityRules) {
    const struct {
        std::vector<Attr> attributes;
        bool valid;
        const char* note;
    } rows[] = {
        {{}, true, "no attributes"},
        {{{"a", "x", "R"}, {"b", "y", "H"}}, false, "only read-only and hidden"},
        {{{"a", "x"}}, true, "one filled editable attribute"},
        {{{"a", ""}}, false, "an empty editable value does not count"},
        {{{"a", "x"}, {.id = "m", .value = "12", .status = "R", .mask = "AA", .mandatory = true}},
         false,
         "invalid mandatory wins"},
        {{{"a", "x"}, {.id = "m", .status = "H", .mandatory = true}},
         false,
         "mandatory empty, hidden"},
        {{{"a", "1", "N", "A"}, {"b", "z"}}, true, "invalid optional ignored"},
        {{{"a", "1", "N", "A"}}, false, "the only filled editable value is invalid"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ostrel::test::makeDocument(row.attributes)->isValid(), row.valid) << row.note;
    }
}

TEST(CMEditableDocumentTest, ValuesGoInAndOutByName) {
    const auto doc = ostrel::test::makeDocument({{"Number", "1"}, {"Year", "2026"}});
    EXPECT_TRUE(doc->setValues({{"Year", "2027"}, {"Missing", "y"}}));
    Values values{{"Number", "old"}, {"Other", "kept"}};
    EXPECT_TRUE(doc->getValues(values));
    EXPECT_EQ(values, (Values{{"Number", "1"}, {"Other", "kept"}, {"Year", "2027"}}));
}

TEST(CMEditableDocumentTest, CopiesOwnTheirAttributes) {
    auto original = std::make_unique<Doc>("Invoice");
    original->getName() = "INV-1";
    ostrel::test::addAttributes(*original, {{"Number", "1"}});
    Doc copy(*original);
    copy.findPropertyByType("Number")->setValue("2");
    Doc assigned("Order");
    ostrel::test::addAttributes(assigned, {{"Customer"}});
    assigned = *original;
    EXPECT_EQ(assigned.getType() + assigned.getName(), "InvoiceINV-1");
    EXPECT_EQ(assigned.findPropertyByType("Customer"), nullptr);
    original.reset(); // the copies must not refer to its attributes
    EXPECT_EQ(copy.findPropertyByType("Number")->getValue().str(), "2");
    EXPECT_EQ(assigned.findPropertyByType("Number")->getValue().str(), "1");
    const Doc& self = assigned;
    assigned = self;
    EXPECT_EQ(assigned.getPropertyCount(), 1u) << "assigned to itself";
    Doc moved(std::move(copy)); // the name index moves with the attributes
    EXPECT_EQ(moved.findPropertyByType("Number")->getValue().str(), "2");
}

} // namespace
