#include "identification/LastUsedIdentStore.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The entries as one line: [name=value], "*" for automatic, in store order.
std::string listed(const LastUsedIdentStore& store) {
    std::string out;
    for (const auto& [name, entry] : store.entries()) {
        out += "[" + name.str() + "=" + entry.value.str() + (entry.automatic ? "*" : "") + "]";
    }
    return out;
}

TEST(LastUsedIdentStoreTest, EntriesAreWrittenInByteOrderOfNames) {
    LastUsedIdentStore store;
    EXPECT_FALSE(store.isLastUsedAutomatic("Number"));
    EXPECT_EQ(store.getLastUsedValue("Number").str(), "") << "no entry";
    Ostrel::u8string text("left over");
    store.serialize(text);
    EXPECT_EQ(text.str(), "");
    store.setLastUsed("Year", "2013", false);
    store.setLastUsed("Number", "A-11", false);
    store.setLastUsed("Number", "A-12", true); // replaces value and flag
    store.setLastUsed("amount", "", false);
    store.setLastUsed("N\xC3\xA1zev", "\xC4\x8D\x61s", true); // lengths count bytes
    store.serialize(text);
    EXPECT_EQ(text.str(), "6:Number4:A-121:16:N\xC3\xA1zev4:\xC4\x8D\x61s1:14:Year4:20131:0"
                          "6:amount0:1:0");
}

TEST(LastUsedIdentStoreTest, ReadsStoredTexts) {
    const struct {
        const char *text, *entries, *note;
    } rows[] = {
        {"6:Number4:A-121:14:Year4:20131:0", "[Number=A-12*][Year=2013]", ""},
        {"6:Number4:A-12", "[Number=A-12]", "no flag: not automatic"},
        {"6:Number", "[Number=]", "a name alone gets the empty value"},
        {"6:Numb", "", "the text ends inside the field"},
        {"0:4:abcd1:1", "[=abcd*]", "the empty name"},
        {" \t\n6:Number4:A-12", "[Number=A-12]", "blanks before the first length"},
        {"6:Number 4:A-12", "[Number=]", "nothing may stand between fields"},
        {"6:Number4:A-122:11", "[Number=A-12]", "only \"1\" is automatic"},
        {"6:Number4:A-121:16:Number4:B-341:0", "[Number=B-34]", "a later entry wins"},
        {"-3:4:abcd1:1", "[=abcd*]", "a length below 1 gives the empty field"},
        {"6Number", "", "no colon"},
        {"99999999999:x", "", "a length beyond int"},
        {"2000000000:x", "", "a length far beyond the text"},
        {"6:Number4:A\n121:14:Yea", "[Number=A\n12*]", "bytes as they are; a broken entry"},
    };
    for (const auto& row : rows) {
        LastUsedIdentStore store;
        EXPECT_TRUE(store.deserialize(row.text));
        EXPECT_EQ(listed(store), row.entries) << row.text << " (" << row.note << ")";
    }
}

} // namespace
