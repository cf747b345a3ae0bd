#include "doctypes/DocumentTypesFill.h"

#include "CatalogueDump.h"
#include "doctypes/DocumentTypes.h"
#include "host/common/DocumentFactory.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using ostrel::test::dump;

class DocumentTypesFillTest : public ::testing::Test {
protected:
    // Null leaves a property out.
    DocumentTemplate* add(const char* type, const char* area, const char* name,
                          const char* canCreate = "Y", const char* description = nullptr) {
        DocumentTemplate* t = factory_.createTemplate(type);
        for (const auto& [property, value] : {std::pair{"Area", area},
                                              {"name", name},
                                              {"canCreate", canCreate},
                                              {"Description", description}}) {
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
    DocumentTemplate* memo = add("MEMO", "a", "Memo", "Y", "Short note");
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
    EXPECT_EQ(item->getDescription().str(), "Short note");
    EXPECT_EQ(types_.getDocTypeItem("OSTREL.AREA.a")->getTemplate(), nullptr);
}

TEST_F(DocumentTypesFillTest, NothingToAddLeavesTheCatalogueAsItWas) {
    types_.addDocumentType("", "KEEP", "Keep", "", nullptr, false);
    add("NO", "Letters", "x", "N");
    EXPECT_EQ(fill(), "KEEP 'Keep'\n") << "no template qualifies";
    add("OK", "Letters", "Fine");
    EXPECT_EQ(fill({}, false), "KEEP 'Keep'\n") << "no group property";
}

TEST_F(DocumentTypesFillTest, CopiesKeepTheirOwnGroups) {
    add("OK", "Letters", "Fine");
    auto original = std::make_unique<DocumentTypesFill>();
    DocumentTypes scratch;
    std::list<Ostrel::u8string> properties{"Area"};
    ASSERT_TRUE(original->fillDocumentTypes(factory_, properties, scratch));
    DocumentTypesFill copy(*original);
    original.reset();
    // The copy holds the groups found so far: a second fill adds the types to them once more.
    ASSERT_TRUE(copy.fillDocumentTypes(factory_, properties, types_));
    EXPECT_EQ(dump(types_), "OSTREL.AREA.Letters 'Letters' +\n"
                            "  OK 'Fine' create\n"
                            "  OK 'Fine' create\n");
}

} // namespace
