#include "typeselection/detail/SearchKeys.h"

#include "typeselection/KeyDrivenSearch.h"

#include <gtest/gtest.h>

namespace {

using ostrel::typeselection::KeyDrivenSearch;
using ostrel::typeselection::detail::KeyModifiers;
using ostrel::typeselection::detail::searchCharacters;

TEST(SearchKeysTest, KeysTypeIntoTheSearchOrStayWithTheListAndTheDialog) {
    constexpr char32_t kBackspace = KeyDrivenSearch::kBackspace;
    const KeyModifiers none;
    const KeyModifiers shift{.shift = true};
    const KeyModifiers alt{.alt = true};
    const KeyModifiers altShift{.shift = true, .alt = true};
    const KeyModifiers control{.control = true};
    const KeyModifiers altControl{.control = true, .alt = true};
    const KeyModifiers meta{.meta = true};
    const struct {
        char32_t key;
        KeyModifiers modifiers;
        std::u32string text;
        std::optional<std::u32string> expected;
        const char* note;
    } rows[] = {
        {U'A', none, U"a", U"a", "a letter"},
        {U'A', shift, U"A", U"A", "a capital"},
        {0, none, U"Žá", U"Žá", "a composed text, every character"},
        {kBackspace, none, U"", std::u32string(1, kBackspace), "Backspace"},
        {kBackspace, shift, U"", std::nullopt, "Shift+Backspace is the list's"},
        {U'7', alt, U"", U"7", "Alt with a digit"},
        {U'0', alt, U"", U"0", "the lowest digit"},
        {U'9', alt, U"", U"9", "the highest digit"},
        {U'+', altShift, U"", U"+", "Alt with Shift for the plus sign"},
        {U'-', alt, U"", U"-", "Alt with minus"},
        {U'*', alt, U"", U"*", "Alt with the keypad's asterisk"},
        {U'/', alt, U"", U"/", "Alt with slash"},
        {U'.', alt, U".", std::nullopt, "no other sign"},
        {U'D', alt, U"d", std::nullopt, "Alt with a letter is a mnemonic"},
        {U'7', altControl, U"", std::nullopt, "AltGr-like Control+Alt"},
        {U'C', control, U"c", std::nullopt, "Control with a letter"},
        {U'A', meta, U"a", std::nullopt, "Meta with a letter"},
        {0, none, U"", std::nullopt, "an arrow, Enter or Escape: nothing printable"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(searchCharacters(row.key, row.modifiers, row.text), row.expected) << row.note;
    }
}

} // namespace
