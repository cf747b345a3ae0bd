#include "document/CMEditableDocumentFactory.h"

#include "host/common/AttributeTemplate.h"
#include "host/common/Document.h"
#include "host/common/DocumentTemplate.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using Values = std::map<Ostrel::u8string, Ostrel::u8string>;

struct AttrSpec {
    const char* id;
    const char* position;
    const char* size = "10";
    const char* name = "Label"; // null: property absent
};

void addAttributes(DocumentTemplate& documentTemplate, const std::vector<AttrSpec>& specs) {
    for (const AttrSpec& spec : specs) {
        AttributeTemplate& attribute = documentTemplate.addAttribute(spec.id);
        if (spec.position != nullptr) {
            attribute.setProperty("position", spec.position);
        }
        if (spec.size != nullptr) {
            attribute.setProperty("size", spec.size);
        }
        if (spec.name != nullptr) {
            attribute.setProperty("name", spec.name);
        }
    }
}

std::vector<std::string> namesOf(CMEditableDocument& document) {
    std::list<OstrelDocAttribute*> attributes;
    document.getProperties(attributes);
    std::vector<std::string> names;
    for (const OstrelDocAttribute* attribute : attributes) {
        names.push_back(attribute->getAttrName().str());
    }
    return names;
}

TEST(CMEditableDocumentFactoryTest, AttributesFollowPositionsAndSkipUnusableTemplates) {
    struct Row {
        std::vector<AttrSpec> attributes;
        std::vector<std::string> expected;
        const char* note;
    };
    const Row rows[] = {
        {{{"c", "3"}, {"a", "1"}, {"b", "2"}}, {"a", "b", "c"}, "position order, not index order"},
        {{{"first", "2"}, {"second", "2"}, {"x", "1"}},
         {"x", "first"},
         "equal positions: lowest index"},
        {{{"neg", "-1"}, {"one", "1"}}, {"neg", "one"}, "negative positions are usable"},
        {{{"a", "1", "0"}, {"b", "2", nullptr}, {"c", "3"}}, {"c"}, "size 0 or absent"},
        {{{"a", "1", "10", ""}, {"b", "2", "10", nullptr}, {"c", "3"}},
         {"c"},
         "name empty or absent"},
        {{{"a", "0"}, {"b", nullptr}, {"c", "x7"}, {"d", "7x"}}, {"d"}, "position reads as 0"},
        {{{"a", "0"}}, {}, "no usable attribute still gives a document"},
    };
    CMEditableDocumentFactory factory;
    for (const Row& row : rows) {
        DocumentTemplate documentTemplate("INVOICE");
        addAttributes(documentTemplate, row.attributes);
        std::unique_ptr<CMEditableDocument> document(factory.createDocument(documentTemplate));
        ASSERT_NE(document, nullptr) << row.note;
        EXPECT_EQ(document->getType(), "INVOICE");
        EXPECT_EQ(namesOf(*document), row.expected) << row.note;
    }
}

TEST(CMEditableDocumentFactoryTest, NullAttributeSlotsAndTemplatesAreSkipped) {
    CMEditableDocumentFactory factory;
    EXPECT_EQ(factory.createProperty(nullptr), nullptr);

    DocumentTemplate documentTemplate("INVOICE");
    documentTemplate.appendAttribute(nullptr);
    addAttributes(documentTemplate, {{"Number", "1"}});
    std::unique_ptr<CMEditableDocument> document(factory.createDocument(documentTemplate));
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(namesOf(*document), std::vector<std::string>{"Number"});
}

TEST(CMEditableDocumentFactoryTest, TwoAttributesWithOneNameGiveNoDocument) {
    // Run under LeakSanitizer: the attributes already handed to the document
    // and those still waiting must all be deleted, each once.
    for (const auto& specs : std::vector<std::vector<AttrSpec>>{
             {{"Number", "1"}, {"Year", "2"}, {"Number", "3"}, {"Tail", "4"}},
             {{"Number", "2"}, {"Number", "1"}},
         }) {
        DocumentTemplate documentTemplate("INVOICE");
        addAttributes(documentTemplate, specs);
        EXPECT_EQ(CMEditableDocumentFactory().createDocument(documentTemplate), nullptr);
        EXPECT_EQ(CMEditableDocumentFactory().createDocument(documentTemplate, Values{}), nullptr);
    }
}

TEST(CMEditableDocumentFactoryTest, DocumentsTakeKnownValues) {
    DocumentTemplate documentTemplate("INVOICE");
    addAttributes(documentTemplate, {{"Number", "1"}, {"Year", "2"}});
    CMEditableDocumentFactory factory;
    std::unique_ptr<CMEditableDocument> fromValues(
        factory.createDocument(documentTemplate, {{"Year", "2026"}, {"Unknown", "x"}}));
    ASSERT_NE(fromValues, nullptr);
    Values values;
    fromValues->getValues(values);
    EXPECT_EQ(values, (Values{{"Number", ""}, {"Year", "2026"}}));

    Document stored(7, &documentTemplate);
    stored.addValue("Number", "first").addValue("Number", "last").addValue("Other", "x");
    std::unique_ptr<CMEditableDocument> fromStored(factory.createDocument(stored));
    ASSERT_NE(fromStored, nullptr);
    values.clear();
    fromStored->getValues(values);
    EXPECT_EQ(values, (Values{{"Number", "last"}, {"Year", ""}}));

    Document orphan(8, nullptr);
    EXPECT_EQ(factory.createDocument(orphan), nullptr);
}

class MultiDocumentTest : public ::testing::Test {
protected:
    MultiDocumentTest() : template_("INVOICE") {
        addAttributes(template_, {{"Number", "1"}, {"Year", "2"}, {"Client", "3"}});
    }
    Document& stored(unsigned long id, const Values& values, DocumentTemplate* t = nullptr) {
        auto& document =
            documents_.emplace_back(std::make_unique<Document>(id, t != nullptr ? t : &template_));
        for (const auto& [name, value] : values) {
            document->addValue(name, value);
        }
        return *document;
    }
    struct Result {
        Values values;
        std::list<unsigned long> ids;
        bool made = false;
    };
    Result multi(std::list<Document*> selection) {
        Result result;
        std::unique_ptr<CMEditableMultiDocument> document(
            CMEditableDocumentFactory().createMultiDocument(selection));
        if (document) {
            result.made = true;
            EXPECT_EQ(document->getType(), "");
            document->getValues(result.values);
            document->getIds(result.ids);
        }
        return result;
    }

    DocumentTemplate template_;
    std::vector<std::unique_ptr<Document>> documents_;
};

TEST_F(MultiDocumentTest, KeepsWhatAllDocumentsAgreeOn) {
    Document& a = stored(1, {{"Number", "1"}, {"Year", "2026"}, {"Client", "ACME"}});
    Document& b = stored(2, {{"Number", "2"}, {"Year", "2026"}, {"Client", "ACME"}});
    Document& c = stored(3, {{"Number", "3"}, {"Year", "2025"}, {"Client", "ACME"}});
    Document orphan(9, nullptr);

    Result one = multi({&a});
    EXPECT_EQ(one.values, (Values{{"Client", "ACME"}, {"Number", "1"}, {"Year", "2026"}}));
    EXPECT_EQ(one.ids, (std::list<unsigned long>{1}));

    Result two = multi({&a, &b});
    EXPECT_EQ(two.values, (Values{{"Client", "ACME"}, {"Year", "2026"}}));
    EXPECT_EQ(two.ids, (std::list<unsigned long>{1, 2}));

    Result three = multi({&a, &b, &c, &a});
    EXPECT_EQ(three.values, (Values{{"Client", "ACME"}}));
    EXPECT_EQ(three.ids, (std::list<unsigned long>{1, 2, 3, 1})) << "duplicates stay";

    Result skipped = multi({&orphan, &a, nullptr, &orphan});
    EXPECT_EQ(skipped.values, one.values) << "documents without template take no part";
    EXPECT_EQ(skipped.ids, (std::list<unsigned long>{1}));
}

TEST_F(MultiDocumentTest, NothingToEditGivesNull) {
    Document& a = stored(1, {{"Number", "1"}, {"Year", "2026"}, {"Client", "A"}});
    Document& b = stored(2, {{"Number", "2"}, {"Year", "2025"}, {"Client", "B"}});
    Document orphan(3, nullptr);
    DocumentTemplate bare("BARE");
    Document& empty = stored(4, {}, &bare);

    EXPECT_FALSE(multi({}).made);
    EXPECT_FALSE(multi({&a, &b}).made) << "every attribute disagrees";
    EXPECT_FALSE(multi({&orphan}).made);
    EXPECT_FALSE(multi({&empty, &a}).made) << "the first document had no attributes";
}

TEST_F(MultiDocumentTest, AttributesTheLaterDocumentLacksStay) {
    DocumentTemplate narrow("NARROW");
    addAttributes(narrow, {{"Year", "1"}, {"Extra", "2"}});
    Document& a = stored(1, {{"Number", "1"}, {"Year", "2026"}});
    Document& b = stored(2, {{"Year", "2025"}, {"Extra", "x"}}, &narrow);
    Result result = multi({&a, &b});
    EXPECT_EQ(result.values, (Values{{"Client", ""}, {"Number", "1"}}));
    EXPECT_EQ(result.ids, (std::list<unsigned long>{1, 2}));
}

} // namespace
