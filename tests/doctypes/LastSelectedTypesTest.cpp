#include "doctypes/LastSelectedTypes.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The stored form shows every item, duplicates included.
std::string stored(LastSelectedTypes& recent) {
    Ostrel::u8string text;
    recent.serialize(text);
    return text.str();
}

TEST(LastSelectedTypesTest, AddingMovesToFrontAndTrims) {
    LastSelectedTypes recent, two(2), none(0);
    EXPECT_FALSE(recent.addItem(""));
    for (const char* type : {"T1", "T2", "T3"}) {
        EXPECT_TRUE(recent.addItem(type));
        two.addItem(type);
    }
    EXPECT_EQ(stored(two), "T3|T2");
    EXPECT_TRUE(recent.addItem("T1"));
    Ostrel::u8string text("kept:");
    EXPECT_TRUE(recent.serialize(text));
    EXPECT_EQ(text.str(), "kept:T1|T3|T2") << "appends";
    EXPECT_TRUE(none.addItem("T"));
    EXPECT_EQ(stored(none), "");

    // A stored list may hold duplicates and more than the maximum: one trimming step drops the
    // last type with all its copies, and no more.
    LastSelectedTypes read(2);
    ASSERT_TRUE(read.deserialize("A|B|A|C|D", true));
    read.addItem("E");
    EXPECT_EQ(stored(read), "E|A|B|A|C");
    read.addItem("F");
    EXPECT_EQ(stored(read), "F|E|A|B|A");
    read.addItem("G");
    EXPECT_EQ(stored(read), "G|F|E|B");
}

// Stored again, the items read show how bars and backslashes are escaped.
TEST(LastSelectedTypesTest, ReadingStoredText) {
    struct Row {
        const char* text;
        bool ok;
        const char* items; // as stored again
        const char* note;
    };
    const Row rows[] = {
        {"", true, "", "empty text"},
        {"|A||B|", true, "A|B", "empty items vanish"},
        {"\\a", false, "", "backslash before a letter"},
        {"A|B\\x|C", false, "A", "items before the bad escape stay, the current one goes"},
        {"A|\\", false, "A", "a backslash as the last byte"},
        {"A\\|", true, "A\\|", "escaped bar at the end"},
        {"A\\\\", true, "A\\\\", "escaped backslash at the end"},
        {"\u00E9t\u00E9", true, "\u00E9t\u00E9", "other bytes pass unchanged"},
    };
    for (const Row& row : rows) {
        LastSelectedTypes recent;
        recent.addItem("old");
        EXPECT_EQ(recent.deserialize(row.text, true), row.ok) << row.note;
        EXPECT_EQ(stored(recent), row.items) << row.note;
    }
}

} // namespace
