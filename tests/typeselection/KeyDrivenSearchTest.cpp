#include "typeselection/KeyDrivenSearch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

using ostrel::typeselection::KeyDrivenSearch;
constexpr char32_t kBackspace = KeyDrivenSearch::kBackspace;

// The folded texts of `names`, which the tests give in ascending order.
std::vector<std::u32string> keysOf(const std::vector<std::string>& names) {
    std::vector<std::u32string> keys;
    for (const std::string& name : names) {
        keys.push_back(Ostrel::foldCase(name));
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

TEST(KeyDrivenSearchTest, ShorterEntriesAndTheEndOfTheListFollowTheWalk) {
    typeAll({"Inv", "Invoice"}, 0,
            {
                {0, U'i', 0, "i", ""},
                {0, U'n', 0, "in", ""},
                {0, U'v', 0, "inv", ""},
                {0, U'o', 0, "invo", "Inv is a prefix of invo: it still matches"},
            });
    typeAll({"Alpha", "Beta", "Gamma"}, 2,
            {
                {0, U'a', 0, "a", "from the last entry the walk goes on at the first"},
                {0, U'x', 0, "a", "dropped"},
            });
    typeAll({"Alpha", "Alpha", "Beta"}, 1,
            {
                {0, U'b', 2, "b", ""},
                {0, kBackspace, 2, "", ""},
                {0, U'a', 0, "a", "after the last entry the walk starts at the first again"},
            });
}

TEST(KeyDrivenSearchTest, WithoutASelectionOnlyTheTextIsShown) {
    typeAll({"Alpha", "Beta"}, std::nullopt,
            {
                {0, U'a', std::nullopt, "", "nothing selected: the character is dropped"},
            });
    KeyDrivenSearch search(0);
    search.setEntries(keysOf({"Alpha"}));
    search.type(U'a', 0, 0);
    EXPECT_EQ(search.type(U'b', std::nullopt, 1), std::nullopt);
    EXPECT_EQ(search.getSearchText().str(), "a") << "within the second the text stays";
    search.type(U'b', std::nullopt, 3);
    EXPECT_EQ(search.getSearchText().str(), "") << "after the pause it is cleared first";
    EXPECT_EQ(search.type(U'a', 7, 3), std::nullopt) << "an entry past the end selects nothing";
}

TEST(KeyDrivenSearchTest, PauseIsMoreThanOneWholeSecond) {
    KeyDrivenSearch search(100);
    EXPECT_FALSE(search.pauseElapsed(100));
    EXPECT_FALSE(search.pauseElapsed(101)) << "one second is not more than one second";
    EXPECT_TRUE(search.pauseElapsed(102));
    EXPECT_FALSE(search.pauseElapsed(50)) << "a clock set back is no pause";
    search.type(U'a', std::nullopt, 200);
    EXPECT_FALSE(search.pauseElapsed(201)) << "each character restarts the second";
}

TEST(KeyDrivenSearchTest, LettersMatchWhateverTheirCaseBeyondAscii) {
    // Sorted by folded text: ä (U+00E4) < ú (U+00FA) < λ (U+03BB).
    const std::vector<std::string> names = {"Order", "\xC3\xA4rger", "\xC3\x9A\xC4\x8Dtenka",
                                            "\xCE\xBB\xCF\x8C\xCE\xB3\xCE\xBF\xCF\x82"};
    typeAll(names, 0,
            {
                {0, U'\u00DA', 2, "\xC3\x9A", "capital U acute finds \xC3\x9A\xC4\x8Dtenka"},
                {0, U'\u010C', 2, "\xC3\x9A\xC4\x8C", "capital C caron continues it"},
                {0, kBackspace, 2, "\xC3\x9A", "backspace removes one character, two bytes"},
                {2, U'\u00C4', 1, "\xC3\x84", "capital A umlaut finds \xC3\xA4rger"},
            });
    typeAll(names, 0,
            {
                {0, U'\u039B', 3, "\xCE\x9B", "capital lambda"},
                {0, U'\u038C', 3, "\xCE\x9B\xCE\x8C", "capital omicron with tonos"},
                {0, U'\u0393', 3, "\xCE\x9B\xCE\x8C\xCE\x93", ""},
                {0, U'\u039F', 3, "\xCE\x9B\xCE\x8C\xCE\x93\xCE\x9F", ""},
                {0, U'\u03A3', 3, "\xCE\x9B\xCE\x8C\xCE\x93\xCE\x9F\xCE\xA3",
                 "capital sigma matches the final sigma"},
            });
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
    // Short texts over few letters, so that duplicates, prefixes of one
    // another and empty names all occur; case-folded letters included.
    const std::u32string alphabet = U"abAB\u00E1";
    std::mt19937 random(20240611);
    for (int round = 0; round < 300; ++round) {
        std::vector<std::u32string> keys(1 + random() % 40);
        for (std::u32string& key : keys) {
            for (std::size_t n = random() % 4; n > 0; --n) {
                key.push_back(Ostrel::foldCase(alphabet[random() % alphabet.size()]));
            }
        }
        std::sort(keys.begin(), keys.end());
        KeyDrivenSearch search(0);
        search.setEntries(keys);
        std::u32string typed;
        for (std::size_t n = 1 + random() % 4; n > 0; --n) {
            typed.push_back(Ostrel::foldCase(alphabet[random() % alphabet.size()]));
        }
        const std::size_t selected = random() % keys.size();
        // One character at a time within the second: the text typed so far
        // is the one that matched; compare the last step.
        for (std::size_t i = 0; i + 1 < typed.size(); ++i) {
            search.type(typed[i], selected, 0);
        }
        const std::u32string text = Ostrel::foldCase(search.getSearchText().str()) + typed.back();
        EXPECT_EQ(search.type(typed.back(), selected, 0), walk(keys, selected, text))
            << "round " << round;
    }
}

} // namespace
