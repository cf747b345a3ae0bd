#include "identification/IdentificationModel.h"

#include "host/common/OstrelDocAttribute.h"
#include "identification/IdentificationDocument.h"
#include "platform/MemoryRegistry.h"
#include "platform/MessageSink.h"
#include "platform/ScopedDefault.h"

#include <gtest/gtest.h>

#include <list>
#include <string>
#include <vector>

namespace {

using namespace ostrel::identification;
using namespace ostrel::platform;
using ostrel::test::Attr;
using ostrel::test::kDialogKey;
using ostrel::test::makeDocument;

using Row = IdentificationModel::Row;

const int dialogWindow = 0; // a window handle for the message sink

// Every test runs on its own settings store and message record.
class IdentificationModelTest : public ::testing::Test {
protected:
    /// Installs a store whose key holds `lastUsed` and the two cursor values.
    void storeSettings(const char* lastUsed, std::uint32_t allow = 0, std::uint32_t position = 0) {
        auto& registry = store_.get<MemoryRegistry>();
        registry.setValue(RegistryRoot::CurrentUser, kDialogKey, "LastUsedIdents",
                          RegistryValue::string(lastUsed));
        registry.setValue(RegistryRoot::CurrentUser, kDialogKey, "AllowStickyCursor",
                          RegistryValue::number(allow));
        registry.setValue(RegistryRoot::CurrentUser, kDialogKey, "StickyCursorPosition",
                          RegistryValue::number(position));
    }

    std::optional<RegistryValue> stored(const char* name) const {
        return store_.get<MemoryRegistry>().getValue(RegistryRoot::CurrentUser, kDialogKey, name);
    }

    const std::vector<RecordingMessageSink::Message>& shown() const {
        return messages_.get<RecordingMessageSink>().messages();
    }

    ScopedDefault<Registry> store_{ostrel::test::storeWith()};
    ScopedDefault<MessageSink> messages_{std::make_unique<RecordingMessageSink>()};
    ScopedDefault<Monitors> monitors_{std::make_unique<FixedMonitors>()};
};

std::string textOf(const IdentificationModel& model, std::size_t row) {
    return model.rows()[row].text.str();
}

TEST_F(IdentificationModelTest, RowsTakeTheirPlacesFromTheTop) {
    auto document = makeDocument({{"A"},
                                  {"B", "", "H"},
                                  {"C", "", "N", "", 120, true},
                                  {"D", "", "N", "", 49, true},
                                  {"E", "", "N", "", 50, true},
                                  {"F"}});
    IdentificationModel model(*document);
    ASSERT_TRUE(model.initialize(nullptr));
    EXPECT_EQ(model.attributeCount(), 6);
    struct Expected {
        int fieldId, buttonId, lines, top;
    };
    // A hidden attribute takes an index but no row; a multi-line field has length / 50 + 1
    // lines of 22 pixels, and the next row starts 4 pixels below it.
    const Expected expected[] = {
        {130, 200, 1, 8},   {132, 202, 3, 34},  {133, 203, 1, 104},
        {134, 204, 2, 130}, {135, 205, 1, 178},
    };
    ASSERT_EQ(model.rows().size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(i);
        const Row& row = model.rows()[i];
        const int top = expected[i].top;
        EXPECT_EQ(row.fieldId(), expected[i].fieldId);
        EXPECT_EQ(row.buttonId(), expected[i].buttonId);
        EXPECT_EQ(row.lines, expected[i].lines);
        EXPECT_EQ(row.label, (ClientRect{10, top, 86, top + 22}));
        EXPECT_EQ(row.button, (ClientRect{100, top, 120, top + 20}));
        EXPECT_EQ(row.field, (ClientRect{125, top, 315, top + 22 * expected[i].lines}));
    }
    EXPECT_EQ(model.buttonsTop(), 178 + 26 + 16);
    EXPECT_EQ(model.dialogHeight(23, 0, 0), 220 + 23 + 16);
    EXPECT_EQ(model.dialogHeight(23, 18, 1), 220 + 23 + 16 + 18 + 2);
}

TEST_F(IdentificationModelTest, AllHiddenLeavesOnlyTheButtons) {
    auto document = makeDocument({{"A", "x", "H"}, {"B", "", "h"}});
    IdentificationModel model(*document);
    ASSERT_TRUE(model.initialize(nullptr));
    EXPECT_TRUE(model.rows().empty());
    EXPECT_EQ(model.buttonsTop(), 24);
    EXPECT_EQ(model.dialogHeight(20, 0, 0), 60);
    EXPECT_EQ(model.initialFocusFieldId(), std::nullopt);
}

TEST_F(IdentificationModelTest, LastValuesAreInsertedAtStartOnlyIntoAnEmptyDocument) {
    storeSettings("6:Number4:ab-11:14:Year4:20131:06:Ledger3:L-11:1");
    const auto open = [](CMEditableDocument& document) {
        auto model = std::make_unique<IdentificationModel>(document);
        model->initialize(nullptr);
        return model;
    };
    auto empty =
        makeDocument({{"Ledger", "", "R"}, {"Number", "", "N", ">AA-99"}, {"Year"}, {"Other"}});
    auto model = open(*empty);
    const Row& ledger = model->rows()[0];
    EXPECT_TRUE(ledger.readOnly);
    EXPECT_TRUE(ledger.hasLastUsed);
    EXPECT_FALSE(ledger.buttonEnabled()) << "read-only";
    EXPECT_FALSE(ledger.autoInsert) << "read-only rows are never automatic";
    EXPECT_EQ(textOf(*model, 0), "");
    EXPECT_TRUE(model->rows()[1].autoInsert);
    EXPECT_EQ(textOf(*model, 1), "AB-1") << "inserted and fitted to the mask";
    EXPECT_EQ(model->firstChangedRow(), 1u) << "the insertion counts as a change";
    EXPECT_EQ(model->stickyCursorPosition(), 1);
    EXPECT_FALSE(model->rows()[2].autoInsert);
    EXPECT_EQ(textOf(*model, 2), "");
    EXPECT_EQ(model->rows()[2].lastUsedValue.str(), "2013");
    EXPECT_TRUE(model->rows()[2].buttonEnabled());
    EXPECT_FALSE(model->rows()[3].hasLastUsed);
    EXPECT_FALSE(model->rows()[3].buttonEnabled()) << "no entry for the name";

    // A value anywhere, even in a hidden attribute, keeps every field as it is.
    auto filled = makeDocument({{"Batch", "7", "H"}, {"Number", "", "N", ">AA-99"}});
    model = open(*filled);
    EXPECT_TRUE(model->rows()[0].autoInsert) << "still shown checked";
    EXPECT_EQ(textOf(*model, 0), "");
    EXPECT_EQ(model->firstChangedRow(), std::nullopt);
}

TEST_F(IdentificationModelTest, FocusGoesToTheRememberedRowWhenAllowed) {
    struct Case {
        std::uint32_t allow, position;
        bool firstHidden;
        std::optional<int> focus;
        bool checked;
        const char* note;
    };
    const Case cases[] = {
        {1, 2, false, 132, true, "row 2 of 5"},
        {1, 7, false, 130, true, "beyond the attributes"},
        {1, 5, false, 130, true, "as large as the count"},
        {1, 0xFFFFFFFFu, false, 130, true, "negative"},
        {0, 2, false, 130, false, "not allowed"},
        {2, 2, false, 132, false, "2 shows unchecked but still counts"},
        {0, 0, true, std::nullopt, false, "field 130 is hidden: no focus"},
        {1, 1, true, 131, true, "ids count hidden attributes"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.note);
        storeSettings("", c.allow, c.position);
        auto document =
            makeDocument({{"A", "", c.firstHidden ? "H" : "N"}, {"B"}, {"C"}, {"D"}, {"E"}});
        IdentificationModel model(*document);
        model.initialize(nullptr);
        EXPECT_EQ(model.initialFocusFieldId(), c.focus);
        EXPECT_EQ(model.isRememberCursorChecked(), c.checked);
    }
}

TEST(FitFieldTextTest, TextIsFittedAndTheSelectionKeptUnlessBeyondTheEnd) {
    struct Case {
        const char* mask;
        int size;
        const char* typed;
        TextSelection selection;
        std::optional<FieldText> expected;
        const char* note;
    };
    const Case cases[] = {
        {">AA-99", 20, "ab", {1, 2}, FieldText{"AB", {1, 2}}, "case"},
        {">AA-99", 20, "AB1", {3, 3}, FieldText{"AB-1", {3, 3}}, "literal inserted, caret kept"},
        {">AA-99", 20, "AB-12345", {8, 8}, FieldText{"AB-12", {5, 5}}, "cut: caret at the end"},
        {">AA-99", 20, "AB-1x", {2, 5}, FieldText{"AB-1", {4, 4}}, "selection end beyond"},
        {">AA-99", 20, "AB-1", {4, 4}, std::nullopt, "already fitted"},
        {"", 3, "abcd", {0, 4}, FieldText{"abc", {3, 3}}, "no mask, cut to the length"},
        {"", 3, "abc", {3, 3}, std::nullopt, "no mask, nothing to cut"},
        {">AA",
         20,
         "\xC4\x8D\xC5\x99x",
         {3, 3},
         FieldText{"\xC4\x8C\xC5\x98", {2, 2}},
         "characters, not bytes"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.typed) + " (" + c.note + ")");
        auto document = makeDocument({{"A", "", "N", c.mask, c.size}});
        std::list<OstrelDocAttribute*> attributes;
        document->getProperties(attributes);
        EXPECT_EQ(fitFieldText(*attributes.front(), c.typed, c.selection), c.expected);
    }
}

TEST_F(IdentificationModelTest, FirstChangedRowIsSetOnceAndOnlyByARealChange) {
    storeSettings("", 0, 4);
    auto document = makeDocument({{"A", "a"}, {"B", "", "N", ">AA"}, {"C"}});
    IdentificationModel model(*document);
    model.initialize(nullptr);
    EXPECT_EQ(model.changeText(0, "a", {1, 1}), std::nullopt);
    EXPECT_EQ(model.firstChangedRow(), std::nullopt) << "the same text is no change";
    EXPECT_EQ(model.stickyCursorPosition(), 4) << "the remembered row until a change";

    EXPECT_EQ(model.changeText(1, "xy", {2, 2}), (FieldText{"XY", {2, 2}}));
    EXPECT_EQ(textOf(model, 1), "XY");
    EXPECT_EQ(model.changeText(1, "XY", {2, 2}), std::nullopt) << "the re-run on the fitted text";
    EXPECT_EQ(model.changeText(2, "c", {1, 1}), std::nullopt);
    EXPECT_EQ(model.firstChangedRow(), 1u);
    EXPECT_EQ(model.stickyCursorPosition(), 1) << "stored even with Remember cursor off";
}

TEST_F(IdentificationModelTest, InsertingTheLastValue) {
    storeSettings("1:A4:ab-11:01:B0:1:01:C2:c31:0");
    auto document = makeDocument({{"A", "", "N", ">AA-99"}, {"B"}, {"C", "x"}});
    IdentificationModel model(*document);
    model.initialize(nullptr);

    const auto inserted = model.insertLastValue(200);
    ASSERT_TRUE(inserted);
    EXPECT_EQ(inserted->row, 0u);
    EXPECT_EQ(inserted->field, (FieldText{"AB-1", {4, 4}})) << "fitted, caret at the end";
    EXPECT_EQ(textOf(model, 0), "AB-1");
    EXPECT_EQ(model.firstChangedRow(), 0u);
    EXPECT_EQ(model.insertLastValue(201), std::nullopt) << "an empty last value";
    EXPECT_EQ(model.insertLastValue(207), std::nullopt) << "no such button";
    EXPECT_EQ(model.insertLastValue(130), std::nullopt) << "a field's id";

    // Switching on inserts, switching off does not.
    const auto switchedOn = model.toggleAutoInsert(2);
    ASSERT_TRUE(switchedOn);
    EXPECT_EQ(switchedOn->field, (FieldText{"c3", {2, 2}}));
    EXPECT_TRUE(model.rows()[2].autoInsert);
    EXPECT_EQ(model.toggleAutoInsert(2), std::nullopt);
    EXPECT_FALSE(model.rows()[2].autoInsert);
}

TEST_F(IdentificationModelTest, ButtonsBeyond250SwitchButNeverInsert) {
    storeSettings("4:Last4:L-121:1");
    auto document = std::make_unique<CMEditableDocument>("Wide");
    for (int i = 0; i < 52; ++i) {
        AttributeTemplate t(i == 51 ? "Last" : "F" + std::to_string(i));
        t.setProperty("status", i < 51 ? "H" : "N");
        document->addProperty(new OstrelDocAttribute(&t));
    }
    IdentificationModel model(*document);
    model.initialize(nullptr);
    ASSERT_EQ(model.rows().size(), 1u);
    EXPECT_EQ(model.rows()[0].buttonId(), 251);
    EXPECT_TRUE(model.rows()[0].autoInsert) << "automatic, yet not inserted at start";
    EXPECT_EQ(textOf(model, 0), "");
    EXPECT_EQ(model.toggleAutoInsert(0), std::nullopt);
    EXPECT_EQ(model.toggleAutoInsert(0), std::nullopt) << "switched on again, nothing inserted";
    EXPECT_TRUE(model.rows()[0].autoInsert);
}

TEST_F(IdentificationModelTest, ConfirmingRefusesAnEmptyFormAndTheFirstInvalidRow) {
    storeSettings("6:Number4:A-121:0");
    auto empty = makeDocument({{"Code", "", "N", "999"}, {"Number"}, {"Ledger", "", "R"}});
    IdentificationModel model(*empty);
    model.initialize(nullptr);
    EXPECT_EQ(model.confirm(&dialogWindow, {1, 2}).result, Confirmation::AllEmpty);
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown().back(),
              (RecordingMessageSink::Message{
                  &dialogWindow, "Error",
                  "All identificators are empty. At least one identificator have to be "
                  "entered."}));

    // A host value of blanks counts as filled and is checked.
    auto document = makeDocument({{"Code", " ", "N", "999"}, {"Year", "20", "N", "9999"}});
    IdentificationModel second(*document);
    second.initialize(nullptr);
    second.changeText(1, "201", {3, 3});
    const ConfirmOutcome outcome = second.confirm(&dialogWindow, {1, 2});
    EXPECT_EQ(outcome.result, Confirmation::InvalidValue);
    EXPECT_EQ(outcome.row, 0u) << "the first invalid row in display order";
    ASSERT_EQ(shown().size(), 2u);
    EXPECT_EQ(shown().back().text, "Code: expected 3 digits");
    EXPECT_EQ(shown().back().caption, "Error");
    EXPECT_EQ(stored("LastUsedIdents"), RegistryValue::string("6:Number4:A-121:0"))
        << "nothing stored";
    std::map<Ostrel::u8string, Ostrel::u8string> values;
    document->getValues(values);
    EXPECT_EQ(values["Year"].str(), "20") << "nothing written";
}

TEST_F(IdentificationModelTest, ConfirmingWritesEditableValuesAndRecordsFilledOnes) {
    storeSettings("6:Ledger3:L-01:06:Number4:A-121:14:Year4:20131:0", 0, 5);
    auto document = makeDocument({{"Ledger", "L-1", "R"},
                                  {"Number", "N-1"},
                                  {"Year", "2000"},
                                  {"Note"},
                                  {"Batch", "", "H"}});
    IdentificationModel model(*document);
    model.initialize(nullptr);
    model.changeText(1, "", {0, 0}); // emptied: its entry stays, flag included
    model.toggleAutoInsert(1);       // switched off, but not stored without a value
    model.toggleAutoInsert(2);       // switched on with a value: stored
    model.changeText(2, "2014", {4, 4});
    model.toggleAutoInsert(3); // on for an empty field: not stored
    model.setRememberCursor(true);

    ASSERT_EQ(model.confirm(&dialogWindow, {412, 218}).result, Confirmation::Accepted);
    EXPECT_TRUE(shown().empty());
    std::map<Ostrel::u8string, Ostrel::u8string> values;
    document->getValues(values);
    EXPECT_EQ(values["Ledger"].str(), "L-1");
    EXPECT_EQ(values["Number"].str(), "") << "an emptied field writes the empty value";
    EXPECT_EQ(values["Year"].str(), "2014");
    EXPECT_EQ(stored("LastUsedIdents"),
              RegistryValue::string("6:Ledger3:L-11:06:Number4:A-121:14:Year4:20141:1"));
    EXPECT_EQ(stored("AllowStickyCursor"), RegistryValue::number(1));
    EXPECT_EQ(stored("StickyCursorPosition"), RegistryValue::number(1));
    EXPECT_EQ(stored("DocumentIdentificationDlg2Size"), RegistryValue::string("412;218;"));
}

TEST_F(IdentificationModelTest, AReadOnlyValueAloneIsEnoughButIsNeverWritten) {
    auto document = makeDocument({{"Ledger", "L-1", "R"}, {"Number"}});
    IdentificationModel model(*document);
    model.initialize(nullptr);
    model.changeText(0, "L-2", {3, 3}); // only a host could change it; the rule still holds
    ASSERT_EQ(model.confirm(&dialogWindow, {0, 0}).result, Confirmation::Accepted)
        << "read-only values are not checked";
    std::map<Ostrel::u8string, Ostrel::u8string> values;
    document->getValues(values);
    EXPECT_EQ(values["Ledger"].str(), "L-1");
    EXPECT_EQ(stored("LastUsedIdents"), RegistryValue::string("6:Ledger3:L-21:0"));
}

} // namespace
