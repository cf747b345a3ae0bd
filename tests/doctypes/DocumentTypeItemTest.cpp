#include "doctypes/DocumentTypeItem.h"

#include "CatalogueDump.h"
#include "doctypes/DocumentTypeIterator.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using ostrel::test::dumpChildren;

// Adds a new node below `parent` (as its parent and in its children).
DocumentTypeItem* add(DocumentTypeItem& parent, const char* type, bool canCreate = false) {
    auto* node = new DocumentTypeItem(&parent, type, type, "", nullptr, canCreate);
    EXPECT_TRUE(parent.addChild(node));
    return node;
}

TEST(DocumentTypeItemTest, CreatableNodeMarksEveryAncestorButNotItself) {
    DocumentTypeItem root(nullptr, "", "", "", nullptr, false);
    DocumentTypeItem* group = add(root, "G");
    DocumentTypeItem* sub = add(*group, "S");
    add(*sub, "plain");
    EXPECT_FALSE(root.getCreatableChildsFlag()) << "a node that cannot create marks nothing";

    DocumentTypeItem* leaf = add(*sub, "T", true);
    EXPECT_TRUE(sub->getCreatableChildsFlag());
    EXPECT_TRUE(group->getCreatableChildsFlag());
    EXPECT_TRUE(root.getCreatableChildsFlag());
    EXPECT_FALSE(leaf->getCreatableChildsFlag());
    EXPECT_EQ(leaf->getParent(), sub);

    // The constructor marks the parent without becoming its child.
    DocumentTypeItem other(nullptr, "O", "O", "", nullptr, false);
    DocumentTypeItem detached(&other, "D", "D", "", nullptr, true);
    EXPECT_TRUE(other.getCreatableChildsFlag());
    EXPECT_EQ(dumpChildren(other), "");

    EXPECT_FALSE(root.addChild(nullptr));
    EXPECT_FALSE(root.addChild(&root));
}

TEST(DocumentTypeItemTest, IteratorWalksChildrenInOrderThenStaysAtTheEnd) {
    DocumentTypeItem node(nullptr, "", "", "", nullptr, false);
    std::unique_ptr<DocumentTypeIterator> empty(node.getIterator());
    EXPECT_EQ(empty->next(), nullptr);
    EXPECT_EQ(empty->next(), nullptr);

    DocumentTypeItem* b = add(node, "b");
    DocumentTypeItem* a = add(node, "a");
    DocumentTypeIterator it(node);
    EXPECT_EQ(it.next(), b);
    EXPECT_EQ(it.next(), a);
    EXPECT_EQ(it.next(), nullptr);
    EXPECT_EQ(it.next(), nullptr);
}

TEST(DocumentTypeItemTest, CopiesAreDeepAndOwnTheirNodes) {
    auto original = std::make_unique<DocumentTypeItem>(nullptr, "", "", "", nullptr, false);
    DocumentTypeItem* group = add(*original, "G");
    add(*group, "T", true);
    const std::string expected = "G 'G' +\n  T 'T' create\n";

    DocumentTypeItem copy(*original);
    DocumentTypeItem assigned(nullptr, "X", "X", "", nullptr, false);
    add(assigned, "stale");
    assigned = *original;
    original.reset();
    EXPECT_EQ(dumpChildren(copy), expected);
    EXPECT_EQ(dumpChildren(assigned), expected);
    std::unique_ptr<DocumentTypeIterator> it(copy.getIterator());
    DocumentTypeItem* copiedGroup = it->next();
    EXPECT_EQ(copiedGroup->getParent(), &copy);
    EXPECT_TRUE(copy.getCreatableChildsFlag());

    // Assigning a node from its own subtree must copy before deleting.
    copy = *copiedGroup;
    EXPECT_EQ(copy.getType().str(), "G");
    EXPECT_EQ(dumpChildren(copy), "T 'T' create\n");
}

TEST(DocumentTypeItemTest, DeepChainIsCopiedAndDeletedWithoutExhaustingTheStack) {
    auto root = std::make_unique<DocumentTypeItem>(nullptr, "", "", "", nullptr, false);
    DocumentTypeItem* tip = root.get();
    for (int i = 0; i < 100000; ++i) {
        tip = add(*tip, "n", true);
    }
    DocumentTypeItem copy(*root);
    root.reset();
    EXPECT_TRUE(copy.getCreatableChildsFlag());
}

} // namespace
