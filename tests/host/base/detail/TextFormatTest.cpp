#include "host/base/detail/TextFormat.h"

#include <gtest/gtest.h>

namespace {

TEST(TextFormatTest, SubstitutesNumberedMarkers) {
    EXPECT_EQ(ostrel::substitute("%2 before %1", {"a", "b"}), "b before a");
    EXPECT_EQ(ostrel::substitute("100%% %1", {"x"}), "100% x");
    EXPECT_EQ(ostrel::substitute("%3|%s|%", {"x"}), "|%s|%") << "missing argument, printf marker";
    EXPECT_EQ(ostrel::substitute("%1%1", {"ab"}), "abab");
}

TEST(TextFormatTest, MnemonicMarksGoAndADoubledOneIsAnAmpersand) {
    const struct {
        const char* text;
        const char* plain;
        const char* label;
    } rows[] = {
        {"&Document group:", "Document group:", "Document group"},
        {"Smith && Sons", "Smith & Sons", "Smith & Sons"},
        {"a&&&b:", "a&b:", "a&b"},                   // the third "&" marks "b"
        {"&&&&", "&&", "&&"},                        // two written ampersands
        {"Ends with &", "Ends with ", "Ends with "}, // a mark with nothing after it
        {"Time: 10:", "Time: 10:", "Time: 10"},
        {"::", "::", ":"}, // one colon closes a label
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ostrel::withoutMnemonics(row.text), row.plain) << row.text;
        EXPECT_EQ(ostrel::labelledName(row.text), row.label) << row.text;
    }
}

} // namespace
