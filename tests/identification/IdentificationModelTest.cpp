#include "identification/IdentificationModel.h"
#include "identification/detail/ControlRow.h"

#include "host/common/OstrelDocAttribute.h"
#include "support/DialogFixture.h"
#include "support/Documents.h"

#include <gtest/gtest.h>

#include <list>
#include <string>
#include <vector>

namespace {

using namespace ostrel::identification;
using namespace ostrel::platform;
using ostrel::test::makeDocument;
using ostrel::test::valueOf;

class IdentificationModelTest : public ostrel::test::DialogTest {
protected:
    /// Stores the last used values and the two cursor values in the dialog's key.
    void storeSettings(const char* lastUsed, std::uint32_t allow = 0, std::uint32_t position = 0) {
        set("LastUsedIdents", RegistryValue::string(lastUsed));
        set("AllowStickyCursor", RegistryValue::number(allow));
        set("StickyCursorPosition", RegistryValue::number(position));
    }
    static std::unique_ptr<IdentificationModel> open(CMEditableDocument& document) {
        auto model = std::make_unique<IdentificationModel>(document);
        EXPECT_TRUE(model->initialize(nullptr));
        return model;
    }
};

std::string textOf(const IdentificationModel& model, std::size_t row) {
    return model.rows()[row].text.str();
}

TEST_F(IdentificationModelTest, RowsTakeTheirPlacesFromTheTop) {
    auto document = makeDocument({{"A"},
                                  {"B", "", "H"},
                                  {"C", "", "N", "", 120, true},
                                  {"D", "", "N", "", 49, true},
                                  {"E", "", "N", "", 50, true}});
    auto model = open(*document);
    EXPECT_EQ(model->attributeCount(), 5);
    // A hidden attribute takes an index but no row; a multi-line field has length / 50 + 1
    // lines of 22 pixels, and the next row starts 4 pixels below it.
    const struct {
        int fieldId, buttonId, lines, top;
    } expected[] = {{130, 200, 1, 8}, {132, 202, 3, 34}, {133, 203, 1, 104}, {134, 204, 2, 130}};
    ASSERT_EQ(model->rows().size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const IdentificationModel::Row& row = model->rows()[i];
        const int top = expected[i].top;
        EXPECT_EQ(row.fieldId(), expected[i].fieldId) << i;
        EXPECT_EQ(row.buttonId(), expected[i].buttonId) << i;
        EXPECT_EQ(row.label, (ClientRect{10, top, 86, top + 22})) << i;
        EXPECT_EQ(row.button, (ClientRect{100, top, 120, top + 20})) << i;
        EXPECT_EQ(row.field, (ClientRect{125, top, 315, top + 22 * expected[i].lines})) << i;
    }
    EXPECT_EQ(model->buttonsTop(), 130 + 48 + 16);
    EXPECT_EQ(model->dialogHeight(23, 18, 1), 194 + 23 + 16 + 18 + 2);

    auto hidden = makeDocument({{"A", "x", "H"}, {"B", "", "h"}});
    model = open(*hidden);
    EXPECT_TRUE(model->rows().empty());
    EXPECT_EQ(model->dialogHeight(20, 0, 0), 8 + 16 + 20 + 16) << "just the buttons";
}

TEST_F(IdentificationModelTest, LastValuesAreInsertedAtStartOnlyIntoAnEmptyDocument) {
    storeSettings("6:Number4:ab-11:14:Year4:20131:06:Ledger3:L-11:1");
    auto empty =
        makeDocument({{"Ledger", "", "R"}, {"Number", "", "N", ">AA-99"}, {"Year"}, {"Other"}});
    auto model = open(*empty);
    const auto& rows = model->rows();
    EXPECT_TRUE(rows[0].readOnly && rows[0].hasLastUsed);
    EXPECT_FALSE(rows[0].buttonEnabled() || rows[0].autoInsert) << "read-only: never automatic";
    EXPECT_EQ(textOf(*model, 0), "");
    EXPECT_TRUE(rows[1].autoInsert);
    EXPECT_EQ(textOf(*model, 1), "AB-1") << "inserted and fitted to the mask";
    EXPECT_EQ(model->firstChangedRow(), 1u) << "the insertion counts as a change";
    EXPECT_EQ(model->stickyCursorPosition(), 1);
    EXPECT_TRUE(rows[2].buttonEnabled() && !rows[2].autoInsert);
    EXPECT_EQ(rows[2].lastUsedValue.str(), "2013");
    EXPECT_FALSE(rows[3].buttonEnabled()) << "no entry for the name";

    // A value anywhere, even in a hidden attribute, keeps every field as it is.
    auto filled = makeDocument({{"Batch", "7", "H"}, {"Number", "", "N", ">AA-99"}});
    model = open(*filled);
    EXPECT_TRUE(model->rows()[0].autoInsert) << "still shown checked";
    EXPECT_EQ(textOf(*model, 0), "");
    EXPECT_EQ(model->firstChangedRow(), std::nullopt);
}

TEST_F(IdentificationModelTest, FocusGoesToTheRememberedRowWhenAllowed) {
    const struct {
        std::uint32_t allow, position;
        bool firstHidden;
        std::optional<int> focus;
        bool checked;
        const char* note;
    } cases[] = {
        {1, 2, false, 132, true, "row 2 of 5"},
        {1, 7, false, 130, true, "beyond the attributes"},
        {1, 5, false, 130, true, "as large as the count"},
        {1, 0xFFFFFFFFu, false, 130, true, "negative"},
        {0, 2, false, 130, false, "not allowed"},
        {2, 2, false, 132, false, "2 shows unchecked but still counts"},
        {0, 0, true, std::nullopt, false, "field 130 is hidden: no focus"},
    };
    for (const auto& c : cases) {
        storeSettings("", c.allow, c.position);
        auto document =
            makeDocument({{"A", "", c.firstHidden ? "H" : "N"}, {"B"}, {"C"}, {"D"}, {"E"}});
        auto model = open(*document);
        EXPECT_EQ(model->initialFocusFieldId(), c.focus) << c.note;
        EXPECT_EQ(model->isRememberCursorChecked(), c.checked) << c.note;
    }
}

// How a mask corrects a text and carries the caret: InputMaskTest; a corrected text and a field
// without a mask: ChangesInsertionsAndSwitches. Here, what the field is told.
TEST(FitFieldTextTest, TextIsFittedAndTheSelectionCarriedThroughTheCorrection) {
    const struct {
        const char* mask;
        int size;
        const char* typed;
        TextSelection selection;
        std::optional<FieldText> expected;
        const char* note;
    } cases[] = {
        {">AA-99", 20, "AB-1", {4, 4}, std::nullopt, "already fitted"},
        {">A", 20, "\xC4\x8Dx", {2, 2}, FieldText{"\xC4\x8C", {1, 1}}, "characters, not bytes"},
    };
    for (const auto& c : cases) {
        auto document = makeDocument({{"A", "", "N", c.mask, c.size}});
        std::list<OstrelDocAttribute*> attributes;
        document->getProperties(attributes);
        EXPECT_EQ(fitFieldText(*attributes.front(), c.typed, c.selection), c.expected) << c.note;
    }
}

TEST_F(IdentificationModelTest, ChangesInsertionsAndSwitches) {
    storeSettings("1:A4:ab-11:01:B0:1:01:C2:c31:0", 0, 4);
    auto document = makeDocument({{"A", "", "N", ">AA-99"}, {"B", "b"}, {"C", "x"}});
    auto model = open(*document);
    EXPECT_EQ(model->changeText(1, "b", {1, 1}), std::nullopt);
    EXPECT_EQ(model->firstChangedRow(), std::nullopt) << "the same text is no change";
    EXPECT_EQ(model->stickyCursorPosition(), 4) << "the remembered row until a change";

    EXPECT_EQ(model->changeText(2, "xy", {2, 2}), std::nullopt) << "no mask, nothing to fit";
    EXPECT_EQ(model->changeText(0, "ab", {2, 2}), (FieldText{"AB", {2, 2}}));
    EXPECT_EQ(model->firstChangedRow(), 2u) << "set once";
    EXPECT_EQ(model->stickyCursorPosition(), 2) << "stored even with Remember cursor off";

    const auto inserted = model->insertLastValue(200);
    ASSERT_TRUE(inserted);
    EXPECT_EQ(inserted->row, 0u);
    EXPECT_EQ(inserted->field, (FieldText{"AB-1", {4, 4}})) << "fitted, caret at the end";
    EXPECT_EQ(textOf(*model, 0), "AB-1");
    for (const int id : {201 /* empty last value */, 207 /* no such button */, 130 /* field */}) {
        EXPECT_EQ(model->insertLastValue(id), std::nullopt) << id;
    }

    const auto switchedOn = model->toggleAutoInsert(2);
    ASSERT_TRUE(switchedOn) << "switching on inserts";
    EXPECT_EQ(switchedOn->field, (FieldText{"c3", {2, 2}}));
    EXPECT_EQ(model->toggleAutoInsert(2), std::nullopt) << "switching off does not";
    EXPECT_FALSE(model->rows()[2].autoInsert);
}

TEST_F(IdentificationModelTest, ConfirmingRefusesAnEmptyFormAndTheFirstInvalidRow) {
    storeSettings("6:Number4:A-121:0");
    auto empty = makeDocument({{"Code", "", "N", "999"}, {"Number"}, {"Ledger", "", "R"}});
    EXPECT_EQ(open(*empty)->confirm(kWindow, {1, 2}).result, Confirmation::AllEmpty);
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown().back(),
              (RecordingMessageSink::Message{kWindow, "Error",
                                             "All identificators are empty. At least one "
                                             "identificator have to be entered."}));

    // A host value of blanks counts as filled and is checked.
    auto document = makeDocument({{"Code", " ", "N", "999"}, {"Year", "20", "N", "9999"}});
    auto model = open(*document);
    model->changeText(1, "201", {3, 3});
    const ConfirmOutcome outcome = model->confirm(kWindow, {1, 2});
    EXPECT_EQ(outcome.result, Confirmation::InvalidValue);
    EXPECT_EQ(outcome.row, 0u) << "the first invalid row in display order";
    ASSERT_EQ(shown().size(), 2u);
    EXPECT_EQ(shown().back(),
              (RecordingMessageSink::Message{kWindow, "Error", "Code: expected 3 digits"}));
    EXPECT_EQ(stored("LastUsedIdents"), RegistryValue::string("6:Number4:A-121:0"));
    EXPECT_EQ(valueOf(*document, "Year"), "20") << "nothing written";
}

TEST_F(IdentificationModelTest, ConfirmingWritesEditableValuesAndRecordsFilledOnes) {
    storeSettings("6:Ledger3:L-01:06:Number4:A-121:14:Year4:20131:0", 0, 5);
    auto document = makeDocument({{"Ledger", "L-1", "R"},
                                  {"Number", "N-1"},
                                  {"Year", "2000"},
                                  {"Note"},
                                  {"Batch", "", "H"}});
    auto model = open(*document);
    model->changeText(1, "", {0, 0}); // emptied: its entry stays, flag included
    model->toggleAutoInsert(1);       // switched off, but not stored without a value
    model->toggleAutoInsert(2);       // switched on with a value: stored
    model->changeText(2, "2014", {4, 4});
    model->toggleAutoInsert(3); // on for an empty field: not stored
    model->setRememberCursor(true);

    ASSERT_EQ(model->confirm(kWindow, {-5, 218}).result, Confirmation::Accepted);
    EXPECT_TRUE(shown().empty());
    EXPECT_EQ(valueOf(*document, "Ledger"), "L-1");
    EXPECT_EQ(valueOf(*document, "Number"), "") << "an emptied field writes the empty value";
    EXPECT_EQ(valueOf(*document, "Year"), "2014");
    EXPECT_EQ(stored("LastUsedIdents"),
              RegistryValue::string("6:Ledger3:L-11:06:Number4:A-121:14:Year4:20141:1"));
    EXPECT_EQ(stored("AllowStickyCursor"), RegistryValue::number(1));
    EXPECT_EQ(stored("StickyCursorPosition"), RegistryValue::number(1));
    EXPECT_EQ(stored("DocumentIdentificationDlg2Size"), RegistryValue::string("-5;218;"));

    // A read-only value alone passes; it is recorded but never written (nor checked).
    auto readOnly = makeDocument({{"Ledger", "L-1", "R"}, {"Number"}});
    model = open(*readOnly);
    model->changeText(0, "L-2", {3, 3}); // only a host could change it; the rule still holds
    ASSERT_EQ(model->confirm(kWindow, {0, 0}).result, Confirmation::Accepted);
    EXPECT_EQ(valueOf(*readOnly, "Ledger"), "L-1");
    EXPECT_EQ(stored("LastUsedIdents"),
              RegistryValue::string("6:Ledger3:L-21:06:Number4:A-121:14:Year4:20141:1"));
}

// The bottom row of the identification dialog: "Remember cursor", OK, Cancel.
const ControlRow kRow{{{12, 250, 155, 267}, {175, 243, 263, 268}, {270, 243, 358, 268}}, 371};

TEST(ControlRowTest, AControlGrowsToItsTextAndPushesWhatStandsToItsRight) {
    const struct {
        const char* note;
        std::vector<int> textWidths;
        ControlRow expected;
    } rows[] = {
        {"every text fits: nothing moves", {143, 40, 88}, kRow},
        {"no widths known", {}, kRow},
        {"the check box grows by 20: OK, Cancel and the window follow",
         {163, 40, 60},
         {{{12, 250, 175, 267}, {195, 243, 283, 268}, {290, 243, 378, 268}}, 391}},
        {"the last control grows: only it and the window",
         {100, 80, 98},
         {{{12, 250, 155, 267}, {175, 243, 263, 268}, {270, 243, 368, 268}}, 381}},
        {"two grow: the last is pushed by both",
         {153, 95, 88},
         {{{12, 250, 165, 267}, {185, 243, 280, 268}, {287, 243, 375, 268}}, 388}},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(fitToTexts(kRow, row.textWidths).controls, row.expected.controls) << row.note;
        EXPECT_EQ(fitToTexts(kRow, row.textWidths).windowWidth, row.expected.windowWidth)
            << row.note;
    }
    // The order of the list does not matter: the control on the left pushes.
    const ControlRow reversed{{kRow.controls[2], kRow.controls[1], kRow.controls[0]}, 371};
    EXPECT_EQ(fitToTexts(reversed, {88, 88, 163}).controls[0], (ClientRect{290, 243, 378, 268}));
}

} // namespace
