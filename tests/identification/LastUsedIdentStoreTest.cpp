#include "identification/LastUsedIdentStore.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

// The entries of a store as one line: name=value, "*" for automatic, in store order.
std::string listed(const LastUsedIdentStore& store) {
    std::string out;
    for (const auto& [name, entry] : store.entries()) {
        out += "[" + name.str() + "=" + entry.value.str() + (entry.automatic ? "*" : "") + "]";
    }
    return out;
}

TEST(LastUsedIdentStoreTest, LookUpsWithoutAnEntryGiveDefaults) {
    LastUsedIdentStore store;
    EXPECT_FALSE(store.hasLastUsed("Number"));
    EXPECT_FALSE(store.isLastUsedAutomatic("Number"));
    EXPECT_EQ(store.getLastUsedValue("Number").str(), "");
    store.setLastUsed("Number", "A-12", true);
    store.setLastUsed("Number", "A-13", false);
    EXPECT_TRUE(store.hasLastUsed("Number"));
    EXPECT_FALSE(store.isLastUsedAutomatic("Number")) << "the flag is overwritten with the value";
    EXPECT_EQ(store.getLastUsedValue("Number").str(), "A-13");
    EXPECT_FALSE(store.hasLastUsed("number")) << "names are case-sensitive";
}

TEST(LastUsedIdentStoreTest, WritesFieldsInByteOrderOfNames) {
    LastUsedIdentStore store;
    Ostrel::u8string text("left over");
    EXPECT_TRUE(store.serialize(text));
    EXPECT_EQ(text.str(), "") << "an empty store replaces the text with nothing";
    store.setLastUsed("Year", "2013", false);
    store.setLastUsed("Number", "A-12", true);
    store.setLastUsed("amount", "", false);
    store.setLastUsed("N\xC3\xA1zev", "\xC4\x8D\x61s", true); // lengths count bytes
    store.serialize(text);
    EXPECT_EQ(text.str(), "6:Number4:A-121:1"
                          "6:N\xC3\xA1zev4:\xC4\x8D\x61s1:1"
                          "4:Year4:20131:0"
                          "6:amount0:1:0");
}

TEST(LastUsedIdentStoreTest, ReadsStoredTexts) {
    struct Row {
        const char* text;
        const char* entries;
        const char* note;
    };
    const Row rows[] = {
        {"6:Number4:A-121:14:Year4:20131:0", "[Number=A-12*][Year=2013]", ""},
        {"6:Number4:A-12", "[Number=A-12]", "no flag: not automatic"},
        {"6:Number", "[Number=]", "a name alone gets the empty value"},
        {"6:Numb", "", "the text ends inside the field"},
        {"0:4:abcd1:1", "[=abcd*]", "the empty name"},
        {"", "", ""},
        {" \t\n6:Number4:A-12", "[Number=A-12]", "blanks before the first length"},
        {"6:Number 4:A-12", "[Number=]", "nothing may stand between fields"},
        {"6:Number4:A-121:x", "[Number=A-12]", "only \"1\" is automatic"},
        {"6:Number4:A-122:11", "[Number=A-12]", "not even \"11\""},
        {"6:Number4:A-121:16:Number4:B-341:0", "[Number=B-34]", "a later entry wins"},
        {"-3:4:abcd1:1", "[=abcd*]", "a length below 1 gives the empty field"},
        {"+6:Number1:x", "[Number=x]", "a sign before the length"},
        {"6Number", "", "no colon"},
        {":Number", "", "no length"},
        {"99999999999:x", "", "a length beyond int"},
        {"2000000000:x", "", "a length far beyond the text"},
        {"6:Number4:A\n121:1", "[Number=A\n12*]", "bytes are taken as they are"},
        {"6:Number4:A-121:14:Yea", "[Number=A-12*]", "a broken entry after a whole one"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.text) + " (" + row.note + ")");
        LastUsedIdentStore store;
        EXPECT_TRUE(store.deserialize(row.text));
        EXPECT_EQ(listed(store), row.entries);
    }
}

TEST(LastUsedIdentStoreTest, ValuesThatLookLikeFieldsSurviveAStoreAndLoad) {
    LastUsedIdentStore store;
    store.setLastUsed("a3:xb", "1:1", false);
    store.setLastUsed("Note", "4:abcd\r\n 0:", true);
    store.setLastUsed("", "", true);
    Ostrel::u8string text;
    store.serialize(text);
    LastUsedIdentStore reread;
    reread.deserialize(text);
    EXPECT_EQ(reread, store) << text.str();

    // Reading adds to what the store holds.
    reread.deserialize("4:Year4:2013");
    EXPECT_EQ(reread.entries().size(), 4u);
}

TEST(LastUsedIdentStoreTest, ReadsOneFieldAtTheStreamPosition) {
    std::istringstream stream("2:ab0:3:xyz4:ab");
    Ostrel::u8string field("old");
    ASSERT_TRUE(LastUsedIdentStore::readField(stream, field));
    EXPECT_EQ(field.str(), "ab");
    ASSERT_TRUE(LastUsedIdentStore::readField(stream, field));
    EXPECT_EQ(field.str(), "") << "a length of 0 empties the field";
    ASSERT_TRUE(LastUsedIdentStore::readField(stream, field));
    EXPECT_EQ(field.str(), "xyz");
    EXPECT_FALSE(LastUsedIdentStore::readField(stream, field)) << "4 bytes promised, 2 left";
}

} // namespace
