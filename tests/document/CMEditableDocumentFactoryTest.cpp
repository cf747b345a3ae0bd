#include "document/CMEditableDocumentFactory.h"

#include "host/common/AttributeTemplate.h"
#include "host/common/Document.h"
#include "host/common/DocumentTemplate.h"
#include "support/Documents.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace {

using Values = std::map<Ostrel::u8string, Ostrel::u8string>;

struct AttrRow {
    const char* id;
    const char* position;
    const char* size = "10";
    const char* name = "Label"; // null: property absent
};

void addAttributes(DocumentTemplate& documentTemplate, const std::vector<AttrRow>& rows) {
    for (const AttrRow& row : rows) {
        AttributeTemplate& attribute = documentTemplate.addAttribute(row.id);
        for (const auto& [key, value] :
             {std::pair{"position", row.position}, {"size", row.size}, {"name", row.name}}) {
            if (value != nullptr) {
                attribute.setProperty(key, value);
            }
        }
    }
}

// "TYPE: name=value ..." in the document's order, " | id ..." for a multi-document.
template <class D> std::string show(D& document) {
    std::list<OstrelDocAttribute*> attributes;
    document.getProperties(attributes);
    std::string out = document.getType() + ":";
    for (const OstrelDocAttribute* attribute : attributes) {
        out += " " + attribute->getAttrName().str() + "=" + attribute->getValue().str();
    }
    if constexpr (std::is_same_v<D, CMEditableMultiDocument>) {
        std::list<unsigned long> ids;
        document.getIds(ids);
        out += " |";
        for (unsigned long id : ids) {
            out += " " + std::to_string(id);
        }
    }
    return out;
}

// As above, "null" for no document; takes the document over.
template <class D> std::string show(D* raw) {
    const std::unique_ptr<D> document(raw);
    return document ? show(*document) : "null";
}

TEST(CMEditableDocumentFactoryTest, AttributesFollowPositionsAndSkipUnusableTemplates) {
    // Under LeakSanitizer: when two attributes share a name, those handed over and those still
    // waiting are each deleted once.
    const std::pair<std::vector<AttrRow>, const char*> rows[] = {
        {{{"c", "3"}, {"a", "1"}, {"b", "2"}}, "a= b= c="}, // position order, not index order
        {{{"first", "2"}, {"second", "2"}, {"x", "1"}}, "x= first="}, // equal: lowest index
        {{{"neg", "-1"}, {"one", "1"}}, "neg= one="},
        {{{"a", "1", "0"}, {"b", "2", nullptr}, {"c", "3"}}, "c="},            // size 0 or absent
        {{{"a", "1", "10", ""}, {"b", "2", "10", nullptr}, {"c", "3"}}, "c="}, // no name
        {{{"a", "0"}, {"b", nullptr}, {"c", "x7"}, {"d", "7x"}}, "d="}, // position reads as 0
        {{{"a", "0"}}, ""}, // no usable attribute still gives a document
        {{{"far", "4294967296", "8589934592"}, {"one", "1"}}, "one= far="}, // clamped, not 0
        {{{"Number", "1"}, {"Year", "2"}, {"Number", "3"}, {"Tail", "4"}}, nullptr}, // one name
        {{{"Number", "2"}, {"Number", "1"}}, nullptr},
    };
    for (const auto& [attributes, expected] : rows) {
        DocumentTemplate documentTemplate("INVOICE");
        documentTemplate.appendAttribute(nullptr);
        addAttributes(documentTemplate, attributes);
        const std::string shown = expected == nullptr ? "null"
                                  : *expected         ? std::string("INVOICE: ") + expected
                                                      : "INVOICE:";
        EXPECT_EQ(show(CMEditableDocumentFactory().createDocument(documentTemplate)), shown);
        EXPECT_EQ(show(CMEditableDocumentFactory().createDocument(documentTemplate, Values{})),
                  shown);
    }
    EXPECT_EQ(CMEditableDocumentFactory().createProperty(nullptr), nullptr);
}

TEST(CMEditableDocumentFactoryTest, MultiDocumentKeepsWhatAllDocumentsAgreeOn) {
    DocumentTemplate full("INVOICE"), bare("BARE");
    addAttributes(full, {{"Number", "1"}, {"Year", "2"}, {"Client", "3"}});
    std::vector<std::unique_ptr<Document>> documents;
    auto stored = [&](unsigned long id, const Values& values, DocumentTemplate* t) {
        documents.push_back(std::make_unique<Document>(id, t));
        for (const auto& [name, value] : values) {
            documents.back()->addValue(name, value);
        }
        return documents.back().get();
    };
    Document* a = stored(1, {{"Number", "1"}, {"Year", "2026"}, {"Client", "ACME"}}, &full);
    Document* b = stored(2, {{"Number", "2"}, {"Year", "2026"}, {"Client", "ACME"}}, &full);
    Document* c = stored(3, {{"Number", "3"}, {"Year", "2025"}, {"Client", "ACME"}}, &full);
    Document* d = stored(4, {{"Number", "4"}, {"Year", "2025"}, {"Client", "B"}}, &full);
    Document* later = stored(5, {{"Number", "0"}, {"Year", "2026"}, {"Client", "B"}}, &full);
    later->addValue("Number", "5"); // a later stored value of the same name wins
    Document* empty = stored(6, {}, &bare);
    Document* orphan = stored(9, {}, nullptr);
    const std::pair<std::list<Document*>, const char*> rows[] = {
        {{later}, ": Number=5 Year=2026 Client=B | 5"},
        {{a, b, c, a}, ": Client=ACME | 1 2 3 1"},                              // duplicates stay
        {{orphan, a, nullptr, orphan}, ": Number=1 Year=2026 Client=ACME | 1"}, // no template
        {{}, "null"},
        {{a, d}, "null"}, // every attribute disagrees
        {{orphan}, "null"},
        {{empty, a}, "null"}, // the first document had no attributes
    };
    for (auto [selection, expected] : rows) {
        EXPECT_EQ(show(CMEditableDocumentFactory().createMultiDocument(selection)), expected);
    }
}

// The multi-document's own rules, beyond the selections the factory builds: attributes already
// held, attributes only one side has, and the ids of copies.
TEST(CMEditableMultiDocumentTest, TakingOverAddsNewNamesAndAgreeingKeepsWhatTheOtherLacks) {
    CMEditableMultiDocument multi;
    ostrel::test::addAttributes(multi, {{"Year", "held"}, {"OnlyHere", "v"}});
    multi.addId(4);
    CMEditableDocument document("INVOICE");
    document.getName() = "INV-1";
    ostrel::test::addAttributes(document, {{"Number", "new"}, {"Year", "new"}});
    multi = document;
    EXPECT_EQ(show(multi), ": Year=held OnlyHere=v Number=new | 4");
    EXPECT_EQ(multi.getName(), "");
    multi &= document;
    EXPECT_EQ(show(multi), ": OnlyHere=v Number=new | 4");
    EXPECT_EQ(document.getPropertyCount(), 2u) << "the other document is not changed";
    multi &= multi;
    EXPECT_EQ(show(multi), ": OnlyHere=v Number=new | 4") << "a document agrees with itself";

    // The copied attributes are CMEditableDocument's; the ids come along.
    CMEditableMultiDocument copy(multi);
    std::list<unsigned long> ids{0};
    copy.getIds(ids);
    EXPECT_EQ(ids, (std::list<unsigned long>{0, 4})) << "getIds appends";
}

} // namespace
