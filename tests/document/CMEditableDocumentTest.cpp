#include "document/CMEditableDocument.h"

#include "host/common/AttributeTemplate.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// An attribute that counts live instances, so tests can prove that every
// attribute is deleted exactly once and none too early.
class CountedAttribute : public OstrelDocAttribute {
public:
    explicit CountedAttribute(const AttributeTemplate* t) : OstrelDocAttribute(t) { ++alive; }
    CountedAttribute(const CountedAttribute& other) : OstrelDocAttribute(other) { ++alive; }
    ~CountedAttribute() override { --alive; }
    OstrelDocAttribute* clone() const override { return new CountedAttribute(*this); }
    static inline int alive = 0;
};

class CMEditableDocumentTest : public ::testing::Test {
protected:
    AttributeTemplate& define(const char* id, const char* status = "N", const char* mandatory = "N",
                              const char* mask = "") {
        auto& t = templates_.emplace_back(std::make_unique<AttributeTemplate>(id));
        t->setProperty("name", id)
            .setProperty("size", "10")
            .setProperty("status", status)
            .setProperty("mandatory", mandatory)
            .setProperty("mask", mask);
        return *t;
    }
    CountedAttribute* make(const char* id, const char* value = "", const char* status = "N",
                           const char* mandatory = "N", const char* mask = "") {
        auto* a = new CountedAttribute(&define(id, status, mandatory, mask));
        a->setValue(value);
        return a;
    }
    void TearDown() override { EXPECT_EQ(CountedAttribute::alive, 0) << "leaked attributes"; }

    std::vector<std::unique_ptr<AttributeTemplate>> templates_;
};

// Gives tests access to the protected operations the multi-document uses.
class Doc : public CMEditableDocument {
public:
    using CMEditableDocument::CMEditableDocument;
    using CMEditableDocument::findPropertyByType;
    using CMEditableDocument::removeProperty;
};

TEST_F(CMEditableDocumentTest, AddingRefusesNullAndDuplicateNamesLeavingOwnershipWithCaller) {
    Doc doc("Invoice");
    EXPECT_FALSE(doc.addProperty(nullptr));
    EXPECT_TRUE(doc.addProperty(make("Number")));
    std::unique_ptr<CountedAttribute> duplicate(make("Number"));
    EXPECT_FALSE(doc.addProperty(duplicate.get()));
    EXPECT_EQ(doc.getPropertyCount(), 1u);
    EXPECT_NE(doc.findPropertyByType("Number"), duplicate.get());
    EXPECT_EQ(doc.findPropertyByType("number"), nullptr) << "names are case-sensitive";
}

TEST_F(CMEditableDocumentTest, ValidityRules) {
    struct Attr {
        const char* id;
        const char* value;
        const char* status;
        const char* mandatory;
        const char* mask;
    };
    struct Row {
        std::vector<Attr> attributes;
        bool valid;
        const char* note;
    };
    const Row rows[] = {
        {{}, true, "no attributes"},
        {{{"a", "x", "R", "N", ""}, {"b", "y", "H", "N", ""}},
         false,
         "only read-only and hidden values, all valid"},
        {{{"a", "x", "N", "N", ""}}, true, "one filled editable attribute"},
        {{{"a", "", "N", "N", ""}}, false, "an empty editable value does not count"},
        {{{"a", "x", "N", "N", ""}, {"m", "12", "R", "Y", "AA"}},
         false,
         "a mandatory attribute with an invalid value wins over a filled editable one"},
        {{{"a", "x", "N", "N", ""}, {"m", "", "H", "Y", ""}},
         false,
         "mandatory and empty, even when hidden"},
        {{{"a", "1", "N", "N", "A"}, {"b", "z", "N", "N", ""}},
         true,
         "an invalid optional value is ignored when another editable is good"},
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
    std::map<Ostrel::u8string, Ostrel::u8string> values{{"Number", "old"}, {"Other", "kept"}};
    EXPECT_TRUE(doc.getValues(values));
    EXPECT_EQ(values, (std::map<Ostrel::u8string, Ostrel::u8string>{
                          {"Number", "1"}, {"Other", "kept"}, {"Year", "2026"}}));

    EXPECT_TRUE(doc.setValues({{"Unknown", "x"}}));
    EXPECT_TRUE(doc.setValues({{"Year", "2027"}, {"Missing", "y"}}));
    values.clear();
    doc.getValues(values);
    EXPECT_EQ(values,
              (std::map<Ostrel::u8string, Ostrel::u8string>{{"Number", "1"}, {"Year", "2027"}}));
}

TEST_F(CMEditableDocumentTest, GetPropertiesAppendsInDocumentOrder) {
    CMEditableDocument doc("Invoice");
    OstrelDocAttribute* z = make("Z");
    OstrelDocAttribute* a = make("A");
    doc.addProperty(z);
    doc.addProperty(a);
    std::list<OstrelDocAttribute*> list;
    doc.getProperties(list);
    doc.getProperties(list);
    EXPECT_EQ(list, (std::list<OstrelDocAttribute*>{z, a, z, a}));
}

TEST_F(CMEditableDocumentTest, RemoveDeletesTheAttribute) {
    Doc doc("Invoice");
    doc.addProperty(make("Number"));
    doc.addProperty(make("Year"));
    EXPECT_FALSE(doc.removeProperty("Unknown"));
    EXPECT_EQ(doc.getPropertyCount(), 2u);
    EXPECT_TRUE(doc.removeProperty("Number"));
    EXPECT_EQ(doc.getPropertyCount(), 1u);
    EXPECT_EQ(CountedAttribute::alive, 1);
    EXPECT_EQ(doc.findPropertyByType("Number"), nullptr);
    EXPECT_TRUE(doc.addProperty(make("Number"))) << "the name is free again";
}

TEST_F(CMEditableDocumentTest, CopiesOwnTheirAttributes) {
    auto original = std::make_unique<Doc>("Invoice");
    original->getName() = "INV-1";
    original->addProperty(make("Number", "1"));
    Doc copy(*original);
    EXPECT_EQ(CountedAttribute::alive, 2);
    copy.findPropertyByType("Number")->setValue("2");
    EXPECT_EQ(original->findPropertyByType("Number")->getValue().str(), "1");

    Doc assigned("Order");
    assigned.addProperty(make("Customer"));
    assigned = *original;
    EXPECT_EQ(assigned.getType(), "Invoice");
    EXPECT_EQ(assigned.getName(), "INV-1");
    EXPECT_EQ(assigned.findPropertyByType("Customer"), nullptr);
    EXPECT_EQ(CountedAttribute::alive, 3) << "the former attribute of the target was deleted";
    original.reset();
    EXPECT_EQ(copy.findPropertyByType("Number")->getValue().str(), "2");
    EXPECT_EQ(assigned.findPropertyByType("Number")->getValue().str(), "1");
    assigned = assigned;
    EXPECT_EQ(assigned.getPropertyCount(), 1u);
}

} // namespace
