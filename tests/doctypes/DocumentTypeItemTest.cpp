#include "doctypes/DocumentTypeItem.h"

#include "CatalogueDump.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using ostrel::test::dump;

DocumentTypeItem* add(DocumentTypeItem& parent, const char* type, bool canCreate = false) {
    auto* node = new DocumentTypeItem(&parent, type, type, "", nullptr, canCreate);
    EXPECT_TRUE(parent.addChild(node));
    return node;
}

TEST(DocumentTypeItemTest, CreatableNodeMarksEveryAncestorButNotItself) {
    DocumentTypeItem root(nullptr, "", "", "", nullptr, false);
    EXPECT_EQ(dump(root), "");
    DocumentTypeItem* sub = add(*add(root, "G"), "S");
    add(*sub, "plain");
    EXPECT_EQ(dump(root), "G 'G'\n  S 'S'\n    plain 'plain'\n");
    DocumentTypeItem* leaf = add(*sub, "T", true);
    EXPECT_EQ(dump(root), "G 'G' +\n  S 'S' +\n    plain 'plain'\n    T 'T' create\n");
    EXPECT_TRUE(root.getCreatableChildsFlag());
    EXPECT_EQ(leaf->getParent(), sub);

    // The constructor marks the parent without becoming its child.
    DocumentTypeItem other(nullptr, "O", "O", "", nullptr, false);
    DocumentTypeItem detached(&other, "D", "D", "", nullptr, true);
    EXPECT_TRUE(other.getCreatableChildsFlag());
    EXPECT_EQ(dump(other), "");
    EXPECT_FALSE(root.addChild(nullptr));
    EXPECT_FALSE(root.addChild(&root));
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

} // namespace
