#include "doctypes/DocumentTypes.h"

#include "doctypes/DocumentTypeIterator.h"
#include "doctypes/DocumentTypesFill.h"
#include "host/common/DocumentFactory.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

// The nodes an iterator yields and their subtrees, one line per node indented by depth: type,
// name in quotes, "create" when it can be chosen, "+" when a node below it can. Takes it over.
std::string dumpNodes(DocumentTypeIterator* iterator, int depth = 0) {
    std::string out;
    const std::unique_ptr<DocumentTypeIterator> it(iterator);
    while (const DocumentTypeItem* child = it->next()) {
        out += std::string(static_cast<std::size_t>(depth) * 2, ' ') + child->getType().str() +
               " '" + child->getName().str() + "'" + (child->getCanCreate() ? " create" : "") +
               (child->getCreatableChildsFlag() ? " +" : "") + "\n";
        out += dumpNodes(child->getIterator(), depth + 1);
    }
    EXPECT_EQ(it->next(), nullptr) << "stays at the end";
    return out;
}

// The children of a DocumentTypeItem or the whole of a DocumentTypes catalogue.
template <class Node> std::string dump(const Node& node) {
    return dumpNodes(node.getIterator());
}

DocumentTypeItem* add(DocumentTypeItem& parent, const char* type, bool canCreate = false) {
    auto* node = new DocumentTypeItem(&parent, type, type, "", nullptr, canCreate);
    EXPECT_TRUE(parent.addChild(node));
    return node;
}

TEST(DocumentTypesTest, TypesGoBelowTheirParentAndMarkEveryAncestorButNotThemselves) {
    DocumentTypes types;
    EXPECT_EQ(types.getDocTypeItem(""), nullptr);
    EXPECT_FALSE(types.addDocumentType("NOWHERE", "T", "T", "", nullptr, true));
    EXPECT_EQ(types.getDocTypeItem("T"), nullptr) << "a refused type is not indexed";
    EXPECT_EQ(dump(types), "");
    ASSERT_TRUE(types.addDocumentType("", "G1", "Group 1", "", nullptr, false));
    ASSERT_TRUE(types.addDocumentType("", "G2", "Group 2", "", nullptr, false));
    ASSERT_TRUE(types.addDocumentType("G2", "SUB", "Sub", "", nullptr, false));
    ASSERT_TRUE(types.addDocumentType("SUB", "NOTE", "Note", "", nullptr, false));
    EXPECT_FALSE(types.getCreatableChildsFlag());
    ASSERT_TRUE(types.addDocumentType("SUB", "LETTER", "Letter", "", nullptr, true));
    EXPECT_EQ(dump(types), "G1 'Group 1'\nG2 'Group 2' +\n  SUB 'Sub' +\n    NOTE 'Note'\n"
                           "    LETTER 'Letter' create\n");
    EXPECT_TRUE(types.getCreatableChildsFlag());
    EXPECT_EQ(types.getDocTypeItem("LETTER")->getParent(), types.getDocTypeItem("SUB"));

    // The constructor marks the parent without becoming its child.
    DocumentTypeItem other(nullptr, "O", "O", "", nullptr, false);
    DocumentTypeItem detached(&other, "D", "D", "", nullptr, true);
    EXPECT_TRUE(other.getCreatableChildsFlag());
    EXPECT_EQ(dump(other), "");
    EXPECT_FALSE(other.addChild(nullptr));
    EXPECT_FALSE(other.addChild(&other));
}

TEST(DocumentTypesTest, FirstNodeOfATypeKeepsTheIndexInOriginalAndCopies) {
    auto types = std::make_unique<DocumentTypes>();
    types->addDocumentType("", "A", "A", "", nullptr, false);
    types->addDocumentType("", "B", "B", "", nullptr, false);
    types->addDocumentType("B", "T", "first", "", nullptr, true);
    // Added later but earlier in tree order: a copy that re-walked the tree would index this one.
    types->addDocumentType("A", "T", "second", "", nullptr, true);
    EXPECT_EQ(types->getDocTypeItem("T")->getName().str(), "first");
    const std::string expected = "A 'A' +\n  T 'second' create\nB 'B' +\n  T 'first' create\n";
    DocumentTypes copy(*types);
    DocumentTypes assigned;
    assigned.addDocumentType("", "OLD", "Old", "", nullptr, true);
    assigned = *types;
    DocumentTypeItem* originalT = types->getDocTypeItem("T");
    types.reset();
    for (DocumentTypes* target : {&copy, &assigned}) {
        DocumentTypeItem* t = target->getDocTypeItem("T");
        ASSERT_NE(t, nullptr);
        EXPECT_NE(t, originalT);
        EXPECT_EQ(t->getParent(), target->getDocTypeItem("B")) << "the first node of the type";
        EXPECT_EQ(target->getDocTypeItem("OLD"), nullptr);
        EXPECT_EQ(dump(*target), expected);
    }
}

TEST(DocumentTypeItemTest, CopiesAreDeepAndOwnTheirNodes) {
    auto original = std::make_unique<DocumentTypeItem>(nullptr, "", "", "", nullptr, false);
    add(*add(*original, "G"), "T", true);
    DocumentTypeItem copy(*original);
    DocumentTypeItem assigned(nullptr, "X", "X", "", nullptr, false);
    add(assigned, "stale");
    assigned = *original;
    original.reset();
    EXPECT_EQ(dump(copy), "G 'G' +\n  T 'T' create\n");
    EXPECT_EQ(dump(assigned), dump(copy));
    std::unique_ptr<DocumentTypeIterator> it(copy.getIterator());
    DocumentTypeItem* copiedGroup = it->next();
    EXPECT_EQ(copiedGroup->getParent(), &copy);

    copy = *copiedGroup; // from its own subtree: must copy before deleting
    EXPECT_EQ(copy.getType().str(), "G");
    EXPECT_EQ(dump(copy), "T 'T' create\n");

    // A deep chain is copied and deleted without exhausting the stack.
    auto root = std::make_unique<DocumentTypeItem>(nullptr, "", "", "", nullptr, false);
    DocumentTypeItem* tip = root.get();
    for (int i = 0; i < 100000; ++i) {
        tip = add(*tip, "n", true);
    }
    DocumentTypeItem deep(*root);
    root.reset();
    EXPECT_TRUE(deep.getCreatableChildsFlag());
}

class DocumentTypesFillTest : public ::testing::Test {
protected:
    // Null leaves a property out.
    DocumentTemplate* add(const char* type, const char* area, const char* name,
                          const char* canCreate = "Y") {
        DocumentTemplate* t = factory_.createTemplate(type);
        for (const auto& [property, value] :
             {std::pair{"Area", area}, {"name", name}, {"canCreate", canCreate}}) {
            if (value != nullptr) {
                t->setProperty(property, value);
            }
        }
        return t;
    }
    std::string fill(std::list<Ostrel::u8string> properties = {"Area", "ignored"}, bool ok = true) {
        EXPECT_EQ(DocumentTypesFill().fillDocumentTypes(factory_, properties, types_), ok);
        return dump(types_);
    }

    DocumentFactory factory_;
    DocumentTypes types_;
};

// The filter and the order are the catalogue fuzz target's property too; these are the near misses.
TEST_F(DocumentTypesFillTest, CreatableNamedGroupedUsableTemplatesInGroupsOfByteOrder) {
    DocumentTemplate* memo = add("MEMO", "a", "Memo");
    add("FAX", "b", "Fax");
    add("BILL", "B", "Bill");
    add("AA", "a", "First");
    for (const char* canCreate : {"y", "N", "Yes"}) {
        add(canCreate, "a", "x", canCreate);
    }
    add("NO_CANCREATE", "a", "x", nullptr);
    add("EMPTY_NAME", "a", "");
    add("NO_NAME", "a", nullptr);
    add("EMPTY_GROUP", "", "x");
    add("NO_GROUP", nullptr, "x");
    add("WITHDRAWN", "a", "x")->setUsable(false);
    EXPECT_EQ(fill(), "OSTREL.AREA.B 'B' +\n"
                      "  BILL 'Bill' create\n"
                      "OSTREL.AREA.a 'a' +\n"
                      "  AA 'First' create\n"
                      "  MEMO 'Memo' create\n"
                      "OSTREL.AREA.b 'b' +\n"
                      "  FAX 'Fax' create\n");
    const DocumentTypeItem* item = types_.getDocTypeItem("MEMO");
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->getTemplate(), memo);
    EXPECT_EQ(types_.getDocTypeItem("OSTREL.AREA.a")->getTemplate(), nullptr);
}

TEST_F(DocumentTypesFillTest, NothingToAddLeavesTheCatalogueAsItWas) {
    types_.addDocumentType("", "KEEP", "Keep", "", nullptr, false);
    add("NO", "Letters", "x", "N");
    EXPECT_EQ(fill(), "KEEP 'Keep'\n") << "no template qualifies";
    add("OK", "Letters", "Fine");
    EXPECT_EQ(fill({}, false), "KEEP 'Keep'\n") << "no group property";
}

} // namespace
