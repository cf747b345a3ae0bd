#include "typeselection/TypeSelectionModel.h"

#include "typeselection/SampleCatalogue.h"

#include "doctypes/DocumentTypeItem.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace ostrel::platform;
using ostrel::typeselection::SelectionChange;
using ostrel::typeselection::TypeSelectionModel;
using ostrel::typeselection::TypeSelectionSettings;
using TypeSelectionSettingsTest = ostrel::test::DialogTest;

class TypeSelectionModelTest : public ostrel::test::TypeSelectionTest {
protected:
    std::unique_ptr<TypeSelectionModel> start(const std::string& preselected = "",
                                              bool allowChangeDomain = false) {
        auto model = std::make_unique<TypeSelectionModel>(catalogue.types, &configuration,
                                                          preselected, allowChangeDomain);
        model->initialize(kWindow);
        return model;
    }

    // The list's names, or the drop-down's types, comma-separated.
    static std::string listed(const TypeSelectionModel& model, bool dropDown = false) {
        std::string out;
        for (const DocumentTypeItem* entry :
             dropDown ? model.getDropDownEntries() : model.getListEntries()) {
            out +=
                (out.empty() ? "" : ", ") + (dropDown ? entry->getType() : entry->getName()).str();
        }
        return out;
    }
};

TEST_F(TypeSelectionModelTest, TreeHoldsEveryItemWithACreatableItemBelowItNested) {
    const auto model = start();
    std::string tree;
    for (const auto& node : model->getTreeNodes()) {
        tree += (node.parent ? "  " : "") + node.item->getName().str() + "\n";
    }
    // Empty has no creatable type; Letter is a type and, with Reply below
    // it, a node too; Projects holds its types one level deeper.
    EXPECT_EQ(tree, "Finance\nLetters\n  Letter\nProjects\n  Contracts\n");
    EXPECT_EQ(model->getTreeNodes()[4].parent, 3u);
}

TEST_F(TypeSelectionModelTest, AnEmptyCatalogueOffersNothingAndIgnoresChoices) {
    DocumentTypes empty;
    TypeSelectionModel nothing(empty, &configuration, "FIN.INVOICE", false);
    nothing.setLastSelected("FIN.ORDER");
    nothing.initialize(kWindow);
    EXPECT_TRUE(nothing.getTreeNodes().empty() && nothing.getDropDownEntries().empty());
    const SelectionChange change = nothing.chooseRecent(0, std::nullopt);
    EXPECT_FALSE(change.treeNode || change.listRebuilt || change.listEntry);
}

TEST_F(TypeSelectionModelTest, TreeSelectionListsCreatableChildrenSortedByName) {
    const auto model = start();
    const struct {
        std::size_t node;
        const char* entries;
        bool listRebuilt;
        std::optional<std::size_t> selected;
        const char* note;
    } rows[] = {
        {0, "Inventory, Invoice, Order, receipt, \xC3\x9A\xC4\x8Dtenka", true, 0,
         "case ignored; Archive cannot be created; U acute after r"},
        {0, "Inventory, Invoice, Order, receipt, \xC3\x9A\xC4\x8Dtenka", false, 0,
         "the listed group again: the list stays, its first entry is selected"},
        {1, "Invoice, Letter", true, 0, "Reply is below Letter, not in Letters"},
        {2, "Reply", true, 0, "a creatable type with creatable types is a group too"},
        {3, "", true, std::nullopt, "types only one level deeper: nothing listed"},
    };
    for (const auto& row : rows) {
        const SelectionChange change = model->selectTreeNode(row.node);
        EXPECT_EQ(listed(*model), row.entries) << row.note;
        EXPECT_EQ(change.listRebuilt, row.listRebuilt) << row.note;
        EXPECT_EQ(change.listEntry, row.selected) << row.note;
        EXPECT_EQ(change.treeNode, std::nullopt) << "the user's selection stands";
        EXPECT_EQ(model->getListSearchKeys().size(), model->getListEntries().size());
    }
    EXPECT_FALSE(model->selectTreeNode(std::nullopt).listRebuilt) << "no node: nothing happens";

    DocumentTypes types;
    types.addDocumentType("", "G", "Group", "", nullptr, false);
    for (const char* name : {"beta", "Beta", "alpha", "\xC3\xA4", "Alpha", "B"}) {
        types.addDocumentType("G", name, name, "", nullptr, true);
    }
    TypeSelectionModel alike(types, &configuration, "", false);
    alike.initialize(kWindow);
    alike.selectTreeNode(0);
    EXPECT_EQ(listed(alike), "Alpha, alpha, B, Beta, beta, \xC3\xA4")
        << "alike but for case: bytes";
}

TEST_F(TypeSelectionModelTest, DropDownOffersThePreselectedTypeThenTheRecentOnes) {
    // given: the types passed to setLastSelected, in turn.
    const struct {
        const char *preselected, *given, *stored, *offered, *note;
    } rows[] = {
        {"FIN.ORDER", "", "FIN.INVOICE|FIN.ORDER", "FIN.ORDER, FIN.INVOICE",
         "also recent: once, first"},
        {"GONE", "", "FIN.INVOICE|LET.LETTER", "FIN.INVOICE, LET.LETTER", "unknown: left out"},
        {"", "FIN.RECEIPT LET.REPLY", "OLD|FIN.ORDER|LET.REPLY",
         "LET.REPLY, FIN.RECEIPT, FIN.ORDER",
         "given types before the stored ones; unknown and repeated ones left out"},
        {"", "", "FIN.INVOICE|LET.INVOICE", "FIN.INVOICE, LET.INVOICE", "two of one name: both"},
    };
    for (const auto& row : rows) {
        storeText(TypeSelectionSettings::kLastSelectedValue, row.stored);
        TypeSelectionModel model(catalogue.types, &configuration, row.preselected, false);
        std::istringstream given(row.given);
        for (std::string type; given >> type;) {
            model.setLastSelected(type);
        }
        model.initialize(kWindow);
        EXPECT_EQ(listed(model, true), row.offered) << row.note;
    }
}

TEST_F(TypeSelectionModelTest, RecentTypeSelectsItsGroupAndItsOwnEntry) {
    storeText(TypeSelectionSettings::kLastSelectedValue,
              "FIN.INVOICE|LET.INVOICE|FIN.ORDER|OSTREL.AREA.Letters");
    const auto model = start();
    const struct {
        std::size_t entry;
        std::optional<std::size_t> listSelection, treeNode;
        bool listRebuilt;
        std::optional<std::size_t> listEntry;
        const char* note;
    } rows[] = {
        {0, std::nullopt, 0, true, 1, "Finance listed anew, Invoice selected"},
        {1, 1, 1, true, 0, "the other Invoice selects its own group and entry"},
        {2, 0, 0, true, 2, ""},
        {0, 2, 0, false, 1, "Finance already listed: the list stays, Invoice is selected"},
        {3, 4, std::nullopt, false, 4, "a group: no node found, the selection is kept"},
        {9, 1, std::nullopt, false, std::nullopt, "no such entry: nothing happens"},
    };
    for (const auto& row : rows) {
        const SelectionChange change = model->chooseRecent(row.entry, row.listSelection);
        EXPECT_EQ(change.treeNode, row.treeNode) << row.note;
        EXPECT_EQ(change.listRebuilt, row.listRebuilt) << row.note;
        EXPECT_EQ(change.listEntry, row.listEntry) << row.note;
    }
}

TEST_F(TypeSelectionModelTest, DescriptionIsShownWithBlanksNormalised) {
    EXPECT_EQ(
        TypeSelectionModel::normalizeDescription("  Invoice\r\nfrom  a\r\n\r\nsupplier\tnow  "),
        Ostrel::u8string("Invoice from a supplier\tnow "))
        << "leading blanks go, runs become one space, one trailing space stays, a tab stays";
    EXPECT_EQ(TypeSelectionModel::normalizeDescription("\n\r \n"), Ostrel::u8string(""));
    const auto model = start();
    EXPECT_EQ(model->describe(catalogue.item("FIN.ORDER")), Ostrel::u8string("Purchase order "));
    EXPECT_EQ(model->describe(nullptr), std::nullopt);
    EXPECT_EQ(model->describe(catalogue.item("FIN.ARCHIVE")), std::nullopt)
        << "an item without a template leaves the box as it is";
}

TEST_F(TypeSelectionModelTest, OnlyOkWithATypeStoresTheRecentTypes) {
    const auto none = start("FIN.ORDER");
    none->confirm(nullptr);
    EXPECT_EQ(none->getSelectedDocumentTemplate(), nullptr);
    EXPECT_EQ(storedText(TypeSelectionSettings::kLastSelectedValue), std::nullopt);

    storeText(TypeSelectionSettings::kLastSelectedValue, "FIN.ORDER|LET.LETTER");
    const auto model = start();
    model->setLastSelected("FIN.RECEIPT"); // after start-up: remembered, not offered
    model->confirm(catalogue.item("LET.LETTER"));
    EXPECT_EQ(model->getSelectedDocumentTemplate(), catalogue.templateOf("LET.LETTER"));
    EXPECT_EQ(storedText(TypeSelectionSettings::kLastSelectedValue),
              "LET.LETTER|FIN.RECEIPT|FIN.ORDER");
}

TEST_F(TypeSelectionModelTest, TitleCarriesTheConnectionOnlyWhenTheDomainMayChange) {
    const auto title = [this](bool allowChangeDomain) {
        return start("", allowChangeDomain)->getTexts().title.str();
    };
    EXPECT_EQ(title(true), "Document Type Selection") << "no connection name";
    configuration.setValue("Connection.Name", "");
    EXPECT_EQ(title(true), "Document Type Selection");
    configuration.setValue("Connection.Name", "Archiv \xC4\x8C\x65sko");
    EXPECT_EQ(title(true), "Document Type Selection [Archiv \xC4\x8C\x65sko]");
    EXPECT_EQ(title(false), "Document Type Selection");
}

TEST_F(TypeSelectionSettingsTest, GeometryTextIsReadDigitByDigit) {
    const struct {
        const char* text;
        std::array<int, 4> numbers;
        const char* note;
    } rows[] = {
        {"640;480;100;120;", {640, 480, 100, 120}, ""},
        {"640;480;", {640, 480, 0, 0}, ""},
        {"640;480;-1200;100;", {640, 480, 0, 1200}, "the minus is a separator; 100 is a fifth"},
        {"640,480 100x120", {640, 480, 100, 120}, "any separator"},
        {"640;;480;", {640, 0, 480, 0}, "two separators leave a field at 0"},
        {"99999999999;1;", {INT_MAX, 1, 0, 0}, "too large for an int"},
        {"\xC3\xA9;5", {0, 0, 0, 5}, "each byte of a UTF-8 letter is a separator"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(TypeSelectionSettings::parseGeometry(row.text), row.numbers)
            << row.text << row.note;
    }
    EXPECT_EQ(TypeSelectionSettings::formatGeometry({640, 480, -1200, 0}), "640;480;-1200;0;");
}

// Which positions stay on the parent's monitor: MonitorsTest. Here, how the stored text reads.
TEST_F(TypeSelectionSettingsTest, StoredGeometryIsReadAndPlacedOnTheParentsMonitor) {
    struct Row {
        const char* stored; // nullptr: no value
        ScreenRect monitor;
        std::array<int, 4> expected; // width, height, x, y
        const char* note;
    };
    const ScreenRect left{0, 0, 1920, 1080};
    const ScreenRect right{1920, 100, 3840, 1180};
    const Row rows[] = {
        {nullptr, right, {0, 0, 50, 50}, "nothing stored (yet): the defaults"},
        {"640;480;100;120;", left, {640, 480, 100, 120}, "on the monitor"},
        {"640;480;100;120;", right, {640, 480, 1970, 150}, "off it: 50 into it"},
        {"640;480;", left, {640, 480, 0, 0}, "(0, 0) lies on the monitor"},
    };
    for (const Row& row : rows) {
        FixedMonitors monitors(row.monitor);
        if (row.stored != nullptr) {
            storeText(TypeSelectionSettings::kGeometryValue, row.stored);
        }
        TypeSelectionSettings settings;
        settings.load(kWindow, {.monitors = &monitors});
        const auto& saved = settings.geometry;
        EXPECT_EQ((std::array{saved.width, saved.height, saved.x, saved.y}), row.expected)
            << row.stored << ": " << row.note;
    }
}

TEST_F(TypeSelectionSettingsTest, SettingsNeedTheKeyAndNeverCreateIt) {
    TypeSelectionSettings settings;
    settings.lastSelectedTypes.addItem("FIN.ORDER");
    store() = MemoryRegistry();
    EXPECT_FALSE(TypeSelectionSettings::saveGeometry({640, 480, 10, 20}, {}));
    EXPECT_FALSE(settings.saveLastSelected({}));
    EXPECT_FALSE(store().hasKey(kUser, kKey));

    // What is written once the key exists: DocumentTypeSelectionDlg2Test's geometry.
    ASSERT_TRUE(store().createKey(kUser, kKey));
    // Read whatever its type, as wide text: an expandable string too.
    set(TypeSelectionSettings::kGeometryValue, RegistryValue::expandString("700;500;"));
    settings.load(kWindow, {});
    EXPECT_EQ(settings.geometry.width, 700);
}

} // namespace
