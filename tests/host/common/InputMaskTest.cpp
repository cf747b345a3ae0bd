#include "host/common/AttributeTemplate.h"
#include "host/common/OstrelDocAttributeTemplate.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

OstrelDocAttributeTemplate attribute(const char* mask, const char* size = "0",
                                     const char* mandatory = "N") {
    AttributeTemplate t("DOC.NUMBER");
    t.setProperty("name", "Number")
        .setProperty("mask", mask)
        .setProperty("size", size)
        .setProperty("mandatory", mandatory);
    return OstrelDocAttributeTemplate(&t);
}

std::string corrected(const OstrelDocAttributeTemplate& a, const std::string& typed) {
    Ostrel::u8string out("untouched");
    return a.correctMask(typed, out) ? out.str() : "<false:" + out.str() + ">";
}

TEST(InputMaskTest, CorrectionsOnATableOfMasks) {
    struct Row {
        const char* mask;
        const char* typed;
        const char* expected;
        const char* note;
    };
    const Row rows[] = {
        {">AAA-9999", "abc1234", "ABC-1234", "literal inserted, case applied"},
        {">AAA-9999", "ABC-1234", "ABC-1234", "typed literal consumed"},
        {">AAA-9999", "a1b2c3", "ABC-3", "misfits dropped"},
        {">AAA-9999", "abc", "ABC", "no trailing literal once the typing ends"},
        {">AAA-9999", "abc-", "ABC-", "a typed trailing literal stays"},
        {">AAA-9999", "abc12345678", "ABC-1234", "cut at the mask's end"},
        {"<aaa", "ABC", "abc", "lower case"},
        {">A!A<A", "abC", "Abc", "case switches per position"},
        {">A!a<A", "xYZ", "XYz", "'!' keeps the case as typed"},
        {"99\\9", "12", "12", "escaped literal not inserted before typing"},
        {"99\\9", "123", "129", "escaped 9 is a literal, typed 3 dropped"},
        {"NNN", "a-1_b", "a1b", "letters or digits"},
        {"XXX", "a b\tc", "abc", "blanks dropped"},
        {">AA", "\xC5\x99\xC3\xA4", "\xC5\x98\xC3\x84", "Czech and German letters upper-cased"},
        {"AA",
         "\xE2\x82\xAC"
         "a",
         "a", "the euro sign is not a letter"},
        {"9", "", "", "empty stays empty"},
        {"9\\", "12", "1", "trailing backslash ignored"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(corrected(attribute(row.mask), row.typed), row.expected)
            << row.mask << " / " << row.typed << ": " << row.note;
    }
}

TEST(InputMaskTest, WithoutAMaskOnlyTheLengthCuts) {
    EXPECT_EQ(corrected(attribute("", "5"), "abcdefg"), "abcde");
    EXPECT_EQ(corrected(attribute("", "5"), "ab\xC5\x99"
                                            "cdefg"),
              "ab\xC5\x99"
              "cd")
        << "length counts characters, not bytes";
    EXPECT_EQ(corrected(attribute("", "5"), "abcde"), "<false:untouched>");
    EXPECT_EQ(corrected(attribute("", "0"), "abcdefg"), "<false:untouched>");
    EXPECT_EQ(corrected(attribute("999999", "4"), "123456"), "1234") << "length below the mask";
}

TEST(InputMaskTest, ValidityMessagesNameTheAttributeAndTheForm) {
    struct Row {
        const char* mask;
        const char* size;
        const char* mandatory;
        const char* value;
        const char* message; // empty: valid
    };
    const Row rows[] = {
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
    for (const Row& row : rows) {
        Ostrel::u8string message;
        const bool valid = attribute(row.mask, row.size, row.mandatory).isValid(row.value, message);
        EXPECT_EQ(valid, row.message[0] == '\0') << row.mask << " / " << row.value;
        EXPECT_EQ(message.str(), row.message) << row.mask << " / " << row.value;
    }
}

// Whatever the user types, correcting the corrected text changes nothing:
// the value field relies on this to stop re-correcting its own output.
TEST(InputMaskTest, CorrectionIsIdempotentForGeneratedInputs) {
    const char* masks[] = {
        ">AAA-9999",
        "<aaa!AA>nn",
        "9999/99/99",
        "\\A\\9-XX",
        "0a0a0a",
        "NNN.NNN",
        ">X<x!X",
        "",
        "99\\",
        "\xC5\x99"
        "99",
        ">aaaa",
        "-- --",
    };
    // Characters chosen to hit every class: digits, ASCII and non-ASCII
    // letters (with tricky case mappings), blanks, literals from the masks,
    // controls, and bytes that are not valid UTF-8.
    const std::string alphabet[] = {"0",
                                    "7",
                                    "a",
                                    "Z",
                                    "-",
                                    "/",
                                    " ",
                                    "\t",
                                    ".",
                                    "\\",
                                    "\x01",
                                    "\xC3\x9F",
                                    "\xC5\x99",
                                    "\xC7\x85",
                                    "\xE1\xBA\x9E",
                                    "\xC4\xB1",
                                    "\xCE\xA3",
                                    "\xFF",
                                    "\xE2\x82\xAC",
                                    "\xC0"};
    std::mt19937 random(20261206);
    for (const char* mask : masks) {
        for (const char* size : {"0", "3", "12"}) {
            const OstrelDocAttributeTemplate a = attribute(mask, size);
            for (int i = 0; i < 400; ++i) {
                std::string typed;
                const auto length = random() % 16;
                for (unsigned k = 0; k < length; ++k) {
                    typed += alphabet[random() % std::size(alphabet)];
                }
                Ostrel::u8string once;
                if (!a.correctMask(typed, once)) {
                    once = typed;
                }
                Ostrel::u8string twice;
                if (!a.correctMask(once, twice)) {
                    twice = once;
                }
                ASSERT_EQ(twice.str(), once.str()) << "mask " << mask << " size " << size;
            }
        }
    }
}

} // namespace
