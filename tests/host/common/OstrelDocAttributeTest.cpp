#include "host/common/OstrelDocAttribute.h"
#include "host/common/AttributeTemplate.h"
#include "host/common/OstrelDocAttributeTemplate.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

using Status = OstrelDocAttributeTemplate::Status;

// What each property means is pinned where it acts: positions by CMEditableDocumentFactoryTest,
// lengths and lines by IdentificationModelTest, mandatory values by CMEditableDocumentTest;
// equality and clones by CMEditableMultiDocumentTest, where documents agree on attributes.
TEST(OstrelDocAttributeTest, NumbersBeyondTheIntRangeAreClampedNeverWrapped) {
    AttributeTemplate t("DOC.NUMBER");
    t.setProperty("size", "4294967304").setProperty("position", " -4294967295");
    const OstrelDocAttribute far(&t);
    EXPECT_EQ(far.getLength(), INT_MAX);
    EXPECT_EQ(far.getPosition(), INT_MIN);
    const OstrelDocAttribute none(nullptr);
    EXPECT_EQ(none.getLength() + none.isMandatory() + none.getStatus(), 0) << "null template";
}

TEST(OstrelDocAttributeTest, StatusLettersInEitherCase) {
    const std::pair<const char*, Status> rows[] = {
        {"n", Status::Editable}, {"R", Status::ReadOnly}, {"r", Status::ReadOnly},
        {"H", Status::Hidden},   {"h", Status::Hidden},   {"HR", Status::Editable},
    };
    for (const auto& [text, status] : rows) {
        AttributeTemplate t("a");
        t.setProperty("status", text);
        EXPECT_EQ(OstrelDocAttribute(&t).getStatus(), status) << '"' << text << '"';
    }
}

OstrelDocAttributeTemplate attribute(const char* mask, const char* size = "0",
                                     const char* mandatory = "N") {
    AttributeTemplate t("DOC.NUMBER");
    t.setProperty("name", "Number").setProperty("mask", mask);
    t.setProperty("size", size).setProperty("mandatory", mandatory);
    return OstrelDocAttributeTemplate(&t);
}

TEST(InputMaskTest, CorrectionsOnATableOfMasks) {
    const struct {
        const char* mask;
        const char* size;
        const char* typed;
        const char* expected; // "<false>": no correction, output untouched
        const char* note;
    } rows[] = {
        {">AAA-9999", "0", "abc1234", "ABC-1234", "literal inserted, case applied"},
        {">AAA-9999", "0", "ABC-1234", "ABC-1234", "typed literal consumed"},
        {">AAA-9999", "0", "a1b2c3", "ABC-3", "misfits dropped"},
        {">AAA-9999", "0", "abc", "ABC", "no trailing literal once the typing ends"},
        {">AAA-9999", "0", "abc-", "ABC-", "a typed trailing literal stays"},
        {">AAA-9999", "0", "abc12345678", "ABC-1234", "cut at the mask's end"},
        {">A!A<A", "0", "abC", "Abc", "case switches per position"},
        {">A!a<A", "0", "xYZ", "XYz", "'!' keeps the case as typed"},
        {"99\\9", "0", "12", "12", "escaped literal not inserted before typing"},
        {"99\\9", "0", "123", "129", "escaped 9 is a literal, typed 3 dropped"},
        {"NNN", "0", "a-1_b", "a1b", "letters or digits"},
        {"XXX", "0", "a b\tc", "abc", "blanks dropped"},
        {">AA", "0", "\u0159\u00E4", "\u0158\u00C4", "Czech and German letters upper-cased"},
        {"AA", "0", "\u20ACa", "a", "the euro sign is not a letter"},
        {"9", "0", "", "", "empty stays empty"},
        {"9\\", "0", "12", "1", "trailing backslash ignored"},
        {"", "5", "abcdefg", "abcde", "without a mask only the length cuts"},
        {"", "5", "ab\u0159cdefg", "ab\u0159cd", "length counts characters, not bytes"},
        {"", "5", "abcde", "<false>", "nothing to cut"},
        {"", "0", "abcdefg", "<false>", "no mask, no length"},
        {"999999", "4", "123456", "1234", "length below the mask"},
    };
    for (const auto& row : rows) {
        Ostrel::u8string out("untouched");
        const bool changed = attribute(row.mask, row.size).correctMask(row.typed, out);
        EXPECT_EQ(changed ? out.str() : "<false>", row.expected) << row.mask << ": " << row.note;
        if (!changed) {
            EXPECT_EQ(out.str(), "untouched") << row.mask << ": " << row.note;
        }
    }
}

TEST(InputMaskTest, CaretAndSelectionLandAfterWhatWasTypedBeforeThem) {
    const struct {
        const char* mask;
        const char* size;
        const char* typed;
        std::size_t start, end;             // in the typed text
        std::size_t fittedStart, fittedEnd; // in the corrected text
        const char* note;
    } rows[] = {
        {"99.99.9999", "0", "010", 3, 3, 4, 4, "inserted literal before the caret"},
        {"99.99.9999", "0", "01.030", 6, 6, 7, 7, "and again at the second literal"},
        {"99.99.9999", "0", "01.", 3, 3, 3, 3, "a typed literal is the user's own"},
        {"99.99.9999", "0", "01032024", 8, 8, 10, 10, "pasted whole: the caret at the end"},
        {"99.99.9999", "0", "013", 2, 2, 2, 2, "Backspace over the literal: caret before it"},
        {"99.99.9999", "0", "019.03", 3, 3, 4, 4, "typed inside: after the new digit"},
        {"99.99.9999", "0", "0x1", 2, 2, 1, 1, "a dropped character leaves no gap"},
        {"99.99.9999", "0", "010", 0, 3, 0, 4, "a selection's ends each move"},
        {"(999)", "0", "1", 1, 1, 2, 2, "a leading literal too"},
        {">AA-99", "0", "AB-12345", 8, 8, 5, 5, "beyond the mask's end: the end"},
        {"", "3", "abcd", 2, 4, 2, 3, "the length cut clamps"},
    };
    for (const auto& row : rows) {
        Ostrel::u8string out;
        std::size_t positions[] = {row.start, row.end};
        ASSERT_TRUE(attribute(row.mask, row.size).correctMask(row.typed, out, positions))
            << row.note;
        EXPECT_EQ(positions[0], row.fittedStart) << row.mask << ": " << row.note;
        EXPECT_EQ(positions[1], row.fittedEnd) << row.mask << ": " << row.note;
    }
}

TEST(InputMaskTest, ValidityMessagesNameTheAttributeAndTheForm) {
    const struct {
        const char* mask;
        const char* size;
        const char* mandatory;
        const char* value;
        const char* message; // empty: valid
    } rows[] = {
        {">AAA-9999", "8", "Y", "ABC-1234", ""},
        {">AAA-9999", "8", "Y", "", "Number: a value is required"},
        {">AAA-9999", "8", "N", "", ""},
        {">AAA-9999", "8", "N", "ABC-12", "Number: expected 3 letters, '-', 4 digits"},
        {">AAA-9999", "8", "N", "AB1-1234", "Number: expected 3 letters, '-', 4 digits"},
        {">AAA-9999", "8", "N", "ABC-1234X", "Number: at most 8 characters allowed"},
        {">AAA-9999", "0", "N", "ABC-1234X", "Number: expected 3 letters, '-', 4 digits"},
        {"9900", "0", "N", "12", ""},
        {"9900", "0", "N", "1", "Number: expected 2 digits, up to 2 digits"},
        {"A9x", "0", "N", "a1", ""},
        {"A9x", "0", "N", "a", "Number: expected 1 letter, 1 digit, up to 1 character"},
        {"99-", "0", "N", "12", ""},
        {"", "1", "N", "ab", "Number: at most 1 character allowed"},
        {"", "0", "N", "   ", ""},
    };
    for (const auto& row : rows) {
        Ostrel::u8string message;
        const bool valid = attribute(row.mask, row.size, row.mandatory).isValid(row.value, message);
        EXPECT_EQ(valid, row.message[0] == '\0') << row.mask << " / " << row.value;
        EXPECT_EQ(message.str(), row.message) << row.mask << " / " << row.value;
    }
}

} // namespace
