#include "document/CMEditableDocument.h"

#include "host/common/AttributeTemplate.h"

#include <gtest/gtest.h>

#include <memory>
#include <type_traits>

namespace {

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
class CMEditableDocumentTest : public ::testing::Test {
protected:
    OstrelDocAttribute* make(const char* id, const char* value = "", const char* status = "N",
                             const char* mandatory = "N", const char* mask = "") {
        auto& t = templates_.emplace_back(std::make_unique<AttributeTemplate>(id));
        t->setProperty("name", id).setProperty("size", "10").setProperty("status", status);
        t->setProperty("mandatory", mandatory).setProperty("mask", mask);
        auto* a = new OstrelDocAttribute(t.get());
        a->setValue(value);
        return a;
    }

    std::vector<std::unique_ptr<AttributeTemplate>> templates_;
};

TEST_F(CMEditableDocumentTest, AddingKeepsOrderAndRefusesNullAndDuplicateNames) {
    Doc doc("Invoice");
    EXPECT_FALSE(doc.addProperty(nullptr));
    OstrelDocAttribute* z = make("Z");
    OstrelDocAttribute* a = make("A");
    EXPECT_TRUE(doc.addProperty(z));
    EXPECT_TRUE(doc.addProperty(a));
    std::unique_ptr<OstrelDocAttribute> duplicate(make("Z")); // ownership stays with the caller
    EXPECT_FALSE(doc.addProperty(duplicate.get()));
    EXPECT_EQ(doc.findPropertyByType("z"), nullptr) << "names are case-sensitive";
    std::list<OstrelDocAttribute*> list{nullptr};
    doc.getProperties(list);
    EXPECT_EQ(list, (std::list<OstrelDocAttribute*>{nullptr, z, a})) << "appends in order";

    EXPECT_FALSE(doc.removeProperty("Unknown"));
    EXPECT_TRUE(doc.removeProperty("Z"));
    EXPECT_EQ(doc.getPropertyCount(), 1u);
    EXPECT_TRUE(doc.addProperty(make("Z"))) << "the name is free again";
}

TEST_F(CMEditableDocumentTest, ValidityRules) {
    struct Attr {
        const char *id, *value, *status, *mandatory, *mask;
    };
    struct Row {
        std::vector<Attr> attributes;
        bool valid;
        const char* note;
    };
    const Row rows[] = {
        {{}, true, "no attributes"},
        {{{"a", "x", "R", "N", ""}, {"b", "y", "H", "N", ""}}, false, "only read-only and hidden"},
        {{{"a", "x", "N", "N", ""}}, true, "one filled editable attribute"},
        {{{"a", "", "N", "N", ""}}, false, "an empty editable value does not count"},
        {{{"a", "x", "N", "N", ""}, {"m", "12", "R", "Y", "AA"}}, false, "invalid mandatory wins"},
        {{{"a", "x", "N", "N", ""}, {"m", "", "H", "Y", ""}}, false, "mandatory empty, hidden"},
        {{{"a", "1", "N", "N", "A"}, {"b", "z", "N", "N", ""}}, true, "invalid optional ignored"},
        {{{"a", "1", "N", "N", "A"}}, false, "the only filled editable value is invalid"},
    };
    for (const Row& row : rows) {
        CMEditableDocument doc("Invoice");
        for (const Attr& a : row.attributes) {
            ASSERT_TRUE(doc.addProperty(make(a.id, a.value, a.status, a.mandatory, a.mask)));
        }
        EXPECT_EQ(doc.isValid(), row.valid) << row.note;
    }
}

TEST_F(CMEditableDocumentTest, ValuesGoInAndOutByName) {
    CMEditableDocument doc("Invoice");
    doc.addProperty(make("Number", "1"));
    doc.addProperty(make("Year", "2026"));
    EXPECT_TRUE(doc.setValues({{"Year", "2027"}, {"Missing", "y"}}));
    Values values{{"Number", "old"}, {"Other", "kept"}};
    EXPECT_TRUE(doc.getValues(values));
    EXPECT_EQ(values, (Values{{"Number", "1"}, {"Other", "kept"}, {"Year", "2027"}}));
}

TEST_F(CMEditableDocumentTest, CopiesOwnTheirAttributes) {
    auto original = std::make_unique<Doc>("Invoice");
    original->getName() = "INV-1";
    original->addProperty(make("Number", "1"));
    Doc copy(*original);
    copy.findPropertyByType("Number")->setValue("2");
    Doc assigned("Order");
    assigned.addProperty(make("Customer"));
    assigned = *original;
    EXPECT_EQ(assigned.getType() + assigned.getName(), "InvoiceINV-1");
    EXPECT_EQ(assigned.findPropertyByType("Customer"), nullptr);
    original.reset(); // the copies must not refer to its attributes
    EXPECT_EQ(copy.findPropertyByType("Number")->getValue().str(), "2");
    EXPECT_EQ(assigned.findPropertyByType("Number")->getValue().str(), "1");
    assigned = assigned;
    EXPECT_EQ(assigned.getPropertyCount(), 1u);
    Doc moved(std::move(copy)); // the name index moves with the attributes
    EXPECT_EQ(moved.findPropertyByType("Number")->getValue().str(), "2");
}

} // namespace
