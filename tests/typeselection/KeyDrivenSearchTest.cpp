#include "typeselection/KeyDrivenSearch.h"
#include "typeselection/detail/SearchKeys.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

using ostrel::typeselection::KeyDrivenSearch;
using ostrel::typeselection::detail::KeyModifiers;
using ostrel::typeselection::detail::searchCharacters;
constexpr char32_t kBackspace = KeyDrivenSearch::kBackspace;

// The folded texts of `names`, which the tests give in ascending order.
std::vector<std::u32string> keysOf(const std::vector<std::string>& names) {
    std::vector<std::u32string> keys;
    for (const std::string& name : names) {
        keys.push_back(ostrel::foldCase(name));
    }
    return keys;
}

struct Keystroke {
    std::int64_t time;
    char32_t character;
    std::optional<std::size_t> selectedAfter;
    const char* searchText;
    const char* note;
};

// Types each keystroke on `names` (starting with `selected`) and checks the
// selection and the typed text after it.
void typeAll(const std::vector<std::string>& names, std::optional<std::size_t> selected,
             const std::vector<Keystroke>& keystrokes) {
    KeyDrivenSearch search(0);
    search.setEntries(keysOf(names));
    for (const Keystroke& key : keystrokes) {
        if (const auto choice = search.type(key.character, selected, key.time)) {
            selected = choice;
        }
        EXPECT_EQ(selected, key.selectedAfter) << key.note;
        EXPECT_EQ(search.getSearchText().str(), key.searchText) << key.note;
    }
}

TEST(KeyDrivenSearchTest, TypedTextSelectsTheFirstMatchAfterTheSelectedEntry) {
    typeAll({"Inventory", "Invoice", "Order"}, 1,
            {
                {0, U'i', 1, "i", "the selected Invoice matches"},
                {0, U'n', 1, "in", ""},
                {1, U'v', 1, "inv", "a second later the text goes on"},
                {1, U'e', 0, "inve", "walks past Order and wraps to Inventory"},
                {2, U'o', 0, "inve", "inveo matches nothing: the character is dropped"},
                {4, U'o', 2, "o", "two seconds of pause start a new text"},
                {4, kBackspace, 2, "", "the empty text matches the selected entry"},
                {4, kBackspace, 2, "", "backspace on nothing leaves nothing"},
                {4, U'I', 0, "I", "upper case finds Inventory after wrapping"},
                {5, U'N', 0, "IN", ""},
                {5, U'V', 0, "INV", ""},
                {5, U'O', 1, "INVO", "INVO is Invoice's beginning"},
                {5, kBackspace, 1, "INV", "the shorter text still matches Invoice"},
            });
}

TEST(KeyDrivenSearchTest, WithoutASelectionTheTextOnlyWaitsForThePause) {
    KeyDrivenSearch search(100);
    search.setEntries(keysOf({"Alpha"}));
    search.type(U'a', 0, 100);
    EXPECT_EQ(search.type(U'b', std::nullopt, 101), std::nullopt);
    EXPECT_EQ(search.getSearchText().str(), "a") << "dropped; one second is no pause";
    EXPECT_FALSE(search.pauseElapsed(102)) << "each character restarts the second";
    EXPECT_FALSE(search.pauseElapsed(50)) << "a clock set back is no pause";
    EXPECT_TRUE(search.pauseElapsed(103));
    search.type(U'b', std::nullopt, 103);
    EXPECT_EQ(search.getSearchText().str(), "") << "after the pause the text is cleared first";
    EXPECT_EQ(search.type(U'a', 7, 103), std::nullopt) << "an entry past the end selects nothing";
}

TEST(KeyDrivenSearchTest, LettersMatchWhateverTheirCaseBeyondAscii) {
    // Ascending by folded text: a umlaut (U+00E4) < u acute (U+00FA). How each letter folds:
    // U8StringTest; here, that typed letters are folded that way and edited by character.
    typeAll({"Order", "\xC3\xA4rger", "\xC3\x9A\xC4\x8Dtenka"}, 0,
            {
                {0, U'\u00DA', 2, "\xC3\x9A", "capital U acute"},
                {0, U'\u010C', 2, "\xC3\x9A\xC4\x8C", "capital C caron"},
                {0, kBackspace, 2, "\xC3\x9A", "backspace removes one character, two bytes"},
                {2, U'\u00C4', 1, "\xC3\x84", "a new text: capital A umlaut"},
            });
}

TEST(SearchKeysTest, KeysTypeIntoTheSearchOrStayWithTheListAndTheDialog) {
    const struct {
        char32_t key;
        KeyModifiers modifiers;
        std::u32string text;
        std::optional<std::u32string> expected;
        const char* note;
    } rows[] = {
        {U'A', {}, U"a", U"a", "a letter"},
        {U'A', {.shift = true}, U"A", U"A", "a capital"},
        {0, {}, U"Žá", U"Žá", "a composed text, every character"},
        {kBackspace, {}, U"", std::u32string(1, kBackspace), "Backspace"},
        {kBackspace, {.shift = true}, U"", std::nullopt, "Shift+Backspace is the list's"},
        {U'0', {.alt = true}, U"", U"0", "Alt with a digit, the lowest"},
        {U'9', {.alt = true}, U"", U"9", "the highest digit"},
        {U'+', {.shift = true, .alt = true}, U"", U"+", "Alt with Shift for the plus sign"},
        {U'-', {.alt = true}, U"", U"-", "Alt with minus"},
        {U'*', {.alt = true}, U"", U"*", "Alt with the keypad's asterisk"},
        {U'/', {.alt = true}, U"", U"/", "Alt with slash"},
        {U'.', {.alt = true}, U".", std::nullopt, "no other sign"},
        {U'D', {.alt = true}, U"d", std::nullopt, "Alt with a letter is a mnemonic"},
        {U'7', {.control = true, .alt = true}, U"", std::nullopt, "AltGr-like Control+Alt"},
        {U'C', {.control = true}, U"c", std::nullopt, "Control with a letter"},
        {U'A', {.meta = true}, U"a", std::nullopt, "Meta with a letter"},
        {0, {}, U"", std::nullopt, "an arrow, Enter or Escape: nothing printable"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(searchCharacters(row.key, row.modifiers, row.text), row.expected) << row.note;
    }
}

// The walk as the list control would do it entry by entry: the oracle for
// the binary searches.
std::optional<std::size_t> walk(const std::vector<std::u32string>& keys, std::size_t selected,
                                const std::u32string& typed) {
    const auto matches = [&](std::size_t i) {
        const std::size_t n = std::min(keys[i].size(), typed.size());
        return keys[i].compare(0, n, typed, 0, n) == 0;
    };
    if (matches(selected)) {
        return std::nullopt;
    }
    for (std::size_t step = 1; step < keys.size(); ++step) {
        const std::size_t i = (selected + step) % keys.size();
        if (matches(i)) {
            return i;
        }
    }
    return std::nullopt;
}

TEST(KeyDrivenSearchTest, FindsWhatAWalkOverEveryEntryFinds) {
    // Short texts over few letters, so that duplicates, names that are
    // prefixes of one another, empty names, the walk's wrap at the end and
    // entries shorter than the typed text all occur.
    const std::u32string alphabet = U"abAB\u00E1";
    std::mt19937 random(20240611);
    for (int round = 0; round < 300; ++round) {
        std::vector<std::u32string> keys(1 + random() % 40);
        for (std::u32string& key : keys) {
            for (std::size_t n = random() % 4; n > 0; --n) {
                key.push_back(ostrel::foldCase(alphabet[random() % alphabet.size()]));
            }
        }
        std::sort(keys.begin(), keys.end());
        KeyDrivenSearch search(0);
        search.setEntries(keys);
        std::u32string typed;
        for (std::size_t n = 1 + random() % 4; n > 0; --n) {
            typed.push_back(ostrel::foldCase(alphabet[random() % alphabet.size()]));
        }
        const std::size_t selected = random() % keys.size();
        // One character at a time within the second: the text typed so far
        // is the one that matched; compare the last step.
        for (std::size_t i = 0; i + 1 < typed.size(); ++i) {
            search.type(typed[i], selected, 0);
        }
        const std::u32string text = ostrel::foldCase(search.getSearchText().str()) + typed.back();
        EXPECT_EQ(search.type(typed.back(), selected, 0), walk(keys, selected, text))
            << "round " << round;
    }
}

} // namespace
