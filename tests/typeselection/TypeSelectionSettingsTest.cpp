#include "typeselection/TypeSelectionSettings.h"

#include "support/DialogFixture.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>

namespace {

using namespace ostrel::platform;
using ostrel::typeselection::TypeSelectionSettings;
using TypeSelectionSettingsTest = ostrel::test::DialogTest;

const int parentWindow = 0; // any non-null handle: the monitor query is a test double

TEST_F(TypeSelectionSettingsTest, GeometryTextIsReadDigitByDigit) {
    const struct {
        const char* text;
        std::array<int, 4> numbers;
        const char* note;
    } rows[] = {
        {"640;480;100;120;", {640, 480, 100, 120}, ""},
        {"640;480;", {640, 480, 0, 0}, ""},
        {"640;480;-1200;100;", {640, 480, 0, 1200}, "the minus is a separator; 100 is a fifth"},
        {"640,480 100x120", {640, 480, 100, 120}, "any separator"},
        {"640;;480;", {640, 0, 480, 0}, "two separators leave a field at 0"},
        {"99999999999;1;", {INT_MAX, 1, 0, 0}, "too large for an int"},
        {"\xC3\xA9;5", {0, 0, 0, 5}, "each byte of a UTF-8 letter is a separator"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(TypeSelectionSettings::parseGeometry(row.text), row.numbers)
            << row.text << row.note;
    }
    EXPECT_EQ(TypeSelectionSettings::formatGeometry({640, 480, -1200, 0}), "640;480;-1200;0;");
}

// Which positions stay on the parent's monitor: MonitorsTest. Here, how the stored text reads.
TEST_F(TypeSelectionSettingsTest, StoredGeometryIsReadAndPlacedOnTheParentsMonitor) {
    struct Row {
        const char* stored; // nullptr: no value
        ScreenRect monitor;
        std::array<int, 4> expected; // width, height, x, y
        const char* note;
    };
    const ScreenRect left{0, 0, 1920, 1080};
    const ScreenRect right{1920, 100, 3840, 1180};
    const Row rows[] = {
        {nullptr, right, {0, 0, 50, 50}, "nothing stored (yet): the defaults"},
        {"640;480;100;120;", left, {640, 480, 100, 120}, "on the monitor"},
        {"640;480;100;120;", right, {640, 480, 1970, 150}, "off it: 50 into it"},
        {"640;480;", left, {640, 480, 0, 0}, "(0, 0) lies on the monitor"},
    };
    for (const Row& row : rows) {
        FixedMonitors monitors(row.monitor);
        if (row.stored != nullptr) {
            storeText(TypeSelectionSettings::kGeometryValue, row.stored);
        }
        TypeSelectionSettings settings;
        settings.load(&parentWindow, {.monitors = &monitors});
        const auto& saved = settings.geometry;
        EXPECT_EQ((std::array{saved.width, saved.height, saved.x, saved.y}), row.expected)
            << row.stored << ": " << row.note;
    }
}

TEST_F(TypeSelectionSettingsTest, SettingsNeedTheKeyAndNeverCreateIt) {
    TypeSelectionSettings settings;
    settings.lastSelectedTypes.addItem("FIN.ORDER");
    store() = MemoryRegistry();
    EXPECT_FALSE(TypeSelectionSettings::saveGeometry({640, 480, 10, 20}, {}));
    EXPECT_FALSE(settings.saveLastSelected({}));
    EXPECT_FALSE(store().hasKey(kUser, kKey));

    ASSERT_TRUE(store().createKey(kUser, kKey));
    ASSERT_TRUE(TypeSelectionSettings::saveGeometry({640, 480, -10, 20}, {}));
    EXPECT_EQ(storedText(TypeSelectionSettings::kGeometryValue), "640;480;-10;20;");
    // Read whatever its type, as wide text: an expandable string too.
    set(TypeSelectionSettings::kGeometryValue, RegistryValue::expandString("700;500;"));
    settings.load(&parentWindow, {});
    EXPECT_EQ(settings.geometry.width, 700);
}

} // namespace
