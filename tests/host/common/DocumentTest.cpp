#include "host/common/Document.h"

#include <gtest/gtest.h>

#include <map>

namespace {

TEST(DocumentTest, LaterStoredPropertyOfTheSameNameWins) {
    Document document(42, nullptr);
    document.addValue("Number", "1").addValue("Year", "2026").addValue("Number", "2");
    std::map<Ostrel::u8string, Ostrel::u8string> values{{"Other", "kept"}, {"Year", "old"}};
    EXPECT_TRUE(document.getValues(values));
    EXPECT_EQ(values, (std::map<Ostrel::u8string, Ostrel::u8string>{
                          {"Number", "2"}, {"Other", "kept"}, {"Year", "2026"}}));
}

} // namespace
