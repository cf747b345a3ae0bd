#include "platform/Monitors.h"
#include "platform/ScopedDefault.h"
#include "platform/detail/ScreenGeometry.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace ostrel::platform;
using namespace ostrel::platform::detail;

TEST(MonitorsTest, ARestoredPositionStaysOnTheParentsMonitor) {
    const int parent = 0;
    const ScreenRect primary{0, 0, 1920, 1080};
    const struct {
        ScreenRect monitor;
        ScreenPoint stored;
        bool withParent;
        ScreenPoint expected;
        const char* note;
    } rows[] = {
        {primary, {412, 218}, true, {412, 218}, "on the monitor"},
        {{1920, 100, 3840, 1180}, {412, 218}, true, {2020, 200}, "off it: the fallback on it"},
        {primary, {1919, 0}, true, {1919, 0}, "the right-most column lies inside"},
        {primary, {1920, 0}, true, {100, 100}, "the right edge lies outside"},
        {primary, {0, 1080}, true, {100, 100}, "the bottom edge lies outside"},
        {primary, {-1, 5}, true, {100, 100}, "left of the monitor"},
        {primary, {412, 218}, false, {100, 100}, "no parent: the fallback as it is"},
    };
    for (const auto& row : rows) {
        const FixedMonitors monitors(row.monitor);
        EXPECT_EQ(
            restoredPosition(monitors, row.withParent ? &parent : nullptr, row.stored, {100, 100}),
            row.expected)
            << row.note;
    }
}

TEST(MonitorsTest, NestedDefaultsPutEachOtherBack) {
    const int window = 0;
    const auto nearest = [&] { return Monitors::getDefault().nearestMonitor(&window); };
    const ScreenRect fallback{0, 0, 1920, 1080}, right{1920, 0, 3840, 1080},
        above{0, -900, 1600, 0};
    EXPECT_EQ(nearest(), fallback);
    {
        ScopedDefault<Monitors> outer(std::make_unique<FixedMonitors>(right));
        {
            ScopedDefault<Monitors> inner(std::make_unique<FixedMonitors>(above));
            EXPECT_EQ(nearest(), above);
        }
        EXPECT_EQ(nearest(), right);
    }
    EXPECT_EQ(nearest(), fallback);
}

TEST(ScreenGeometryTest, AWindowBelongsToTheMonitorItOverlapsMostElseTheClosest) {
    const ScreenRect left{0, 0, 1920, 1080}, right{1920, 0, 3840, 1080}, above{0, -900, 1600, 0};
    const ScreenRect apart{5000, 0, 6280, 1024}; // a gap of 1160 pixels to its left
    const ScreenRect mirror{0, 0, 1280, 1024};   // the same desktop shown smaller
    const struct {
        ScreenRect frame;
        std::vector<ScreenRect> monitors;
        std::optional<std::size_t> preferred;
        std::optional<std::size_t> expected;
        const char* note;
    } rows[] = {
        {{1500, 100, 2100, 500}, {left, right}, 1, 0, "more on the left, whatever is preferred"},
        {{1620, 100, 2220, 500}, {left, right}, 1, 1, "half on each: the preferred one"},
        {{1620, 100, 2220, 500}, {left, right}, std::nullopt, 0, "half on each: the first"},
        {{1919, 100, 2519, 500}, {left, right}, 0, 1, "one column on the left"},
        {{4000, 100, 4200, 300}, {left, apart}, 0, 1, "in the gap, nearer the far one"},
        {{2000, 100, 2200, 300}, {left, apart}, 1, 0, "in the gap, nearer the first"},
        {{-500, -400, -100, -200}, {left, right, above}, 0, 2, "off all three, above"},
        {{100, -500, 700, 100}, {left, right, above}, 0, 2, "five sixths above"},
        {{3000, 2000, 3200, 2200}, {left, right, above}, 0, 1, "below the right one"},
        {{1200, 100, 1500, 300}, {left, mirror}, 1, 0, "overlapping monitors: the larger part"},
        {{100, 100, 300, 300}, {left, mirror}, 1, 1, "wholly on both: the preferred one"},
        {{100, 100, 300, 300}, {left, right}, 7, 0, "an unknown preference counts for nothing"},
        {{100, 100, 300, 300}, {}, std::nullopt, std::nullopt, "no monitor"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(nearestMonitorOf(row.frame, row.monitors, row.preferred), row.expected)
            << row.note;
    }
}

TEST(ScreenGeometryTest, ARestoredWindowIsNoSmallerThanItsMinimumNorLargerThanItsScreen) {
    const WindowSize minimum{600, 400}, screen{1920, 1040};
    const struct {
        WindowSize stored;
        std::optional<WindowSize> screen;
        WindowSize expected;
        const char* note;
    } rows[] = {
        {{800, 600}, screen, {800, 600}, "as stored"},
        {{0, 0}, screen, {600, 400}, "nothing stored: the minimum"},
        {{500, 900}, screen, {600, 900}, "each side on its own"},
        {{30000, 30000}, screen, {1920, 1040}, "a damaged value: the screen's room"},
        {{1920, 1041}, screen, {1920, 1040}, "one pixel too tall"},
        {{800, 600}, WindowSize{500, 300}, {600, 400}, "a screen smaller than the minimum"},
        {{30000, 30000}, std::nullopt, {30000, 30000}, "no screen to fit"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(restoredWindowSize(row.stored, minimum, row.screen), row.expected) << row.note;
    }
}

} // namespace
