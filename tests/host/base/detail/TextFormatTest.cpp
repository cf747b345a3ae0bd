#include "host/base/detail/TextFormat.h"

#include <gtest/gtest.h>

namespace {

TEST(TextFormatTest, SubstitutesNumberedMarkers) {
    EXPECT_EQ(ostrel::substitute("%2 before %1", {"a", "b"}), "b before a");
    EXPECT_EQ(ostrel::substitute("100%% %1", {"x"}), "100% x");
    EXPECT_EQ(ostrel::substitute("%3|%s|%", {"x"}), "|%s|%") << "missing argument, printf marker";
    EXPECT_EQ(ostrel::substitute("%1%1", {"ab"}), "abab");
}

} // namespace
