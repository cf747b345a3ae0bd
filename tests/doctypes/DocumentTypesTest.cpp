#include "doctypes/DocumentTypes.h"

#include "CatalogueDump.h"
#include "host/common/DocumentTemplate.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

using ostrel::test::dump;

TEST(DocumentTypesTest, TypesGoBelowTheirGroupAndMarkIt) {
    DocumentTemplate letter("LETTER");
    DocumentTypes types;
    EXPECT_EQ(types.getDocTypeItem(""), nullptr);
    EXPECT_FALSE(types.addDocumentType("NOWHERE", "T", "T", "", nullptr, true));
    EXPECT_EQ(types.getDocTypeItem("T"), nullptr) << "a refused type is not indexed";
    EXPECT_EQ(dump(types), "");
    ASSERT_TRUE(types.addDocumentType("", "G1", "Group 1", "", nullptr, false));
    ASSERT_TRUE(types.addDocumentType("", "G2", "Group 2", "", nullptr, false));
    ASSERT_TRUE(types.addDocumentType("G2", "NOTE", "Note", "", nullptr, false));
    EXPECT_FALSE(types.getCreatableChildsFlag());
    ASSERT_TRUE(types.addDocumentType("G2", "LETTER", "Letter", "A letter", &letter, true));
    EXPECT_EQ(dump(types),
              "G1 'Group 1'\nG2 'Group 2' +\n  NOTE 'Note'\n  LETTER 'Letter' create\n");
    EXPECT_TRUE(types.getCreatableChildsFlag());
    DocumentTypeItem* item = types.getDocTypeItem("LETTER");
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->getTemplate(), &letter);
    EXPECT_EQ(item->getDescription().str(), "A letter");
    EXPECT_EQ(item->getParent(), types.getDocTypeItem("G2"));
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
        EXPECT_EQ(t->getName().str(), "first");
        EXPECT_EQ(t->getParent(), target->getDocTypeItem("B"));
        EXPECT_EQ(target->getDocTypeItem("OLD"), nullptr);
        EXPECT_EQ(dump(*target), expected);
    }
    EXPECT_TRUE(copy.addDocumentType("A", "U", "U", "", nullptr, false));
}

} // namespace
