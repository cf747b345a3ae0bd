#include "host/base/ResourceManager.h"

#include <gtest/gtest.h>

namespace {

TEST(ResourceManagerTest, ClearRestoresTheBuiltInTexts) {
    zmutils::ResourceManager& manager = zmutils::getResourceManager();
    manager.setString("Common", "Error", "Chyba");
    EXPECT_EQ(manager.getString("Common", "Error").str(), "Chyba");
    manager.clear();
    EXPECT_EQ(manager.getString("Common", "Error").str(), "Error");
    EXPECT_EQ(manager.getString("Common", "Unknown").str(), "Unknown");
}

} // namespace
