#include "host/base/detail/TextFormat.h"
#include "host/base/ResourceManager.h"

#include <gtest/gtest.h>

namespace {

TEST(TextFormatTest, SubstitutesNumberedMarkers) {
    EXPECT_EQ(Ostrel::substitute("%2 before %1", {"a", "b"}), "b before a");
    EXPECT_EQ(Ostrel::substitute("100%% %1", {"x"}), "100% x");
    EXPECT_EQ(Ostrel::substitute("%3|%s|%", {"x"}), "|%s|%") << "missing argument, printf marker";
    EXPECT_EQ(Ostrel::substitute("%1%1", {"ab"}), "abab");
}

TEST(ResourceManagerTest, ClearRestoresTheBuiltInTexts) {
    zmutils::ResourceManager& manager = zmutils::getResourceManager();
    manager.setString("Common", "Error", "Chyba");
    EXPECT_EQ(manager.getString("Common", "Error").str(), "Chyba");
    manager.clear();
    EXPECT_EQ(manager.getString("Common", "Error").str(), "Error");
    EXPECT_EQ(manager.getString("Common", "Unknown").str(), "Unknown");
}

} // namespace
