#include "platform/Monitors.h"
#include "platform/ScopedDefault.h"

#include <gtest/gtest.h>

namespace {

using namespace ostrel::platform;

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

TEST(MonitorsTest, NestedDefaultsPutEachOtherBackAndNoWindowHasNoMonitor) {
    const int window = 0;
    const ScreenRect fallback{0, 0, 1920, 1080};
    EXPECT_EQ(Monitors::getDefault().nearestMonitor(&window), fallback);
    {
        ScopedDefault<Monitors> outer(
            std::make_unique<FixedMonitors>(ScreenRect{1920, 0, 3840, 1080}));
        {
            ScopedDefault<Monitors> inner(
                std::make_unique<FixedMonitors>(ScreenRect{0, -900, 1600, 0}));
            EXPECT_EQ(Monitors::getDefault().nearestMonitor(&window),
                      (ScreenRect{0, -900, 1600, 0}));
            EXPECT_EQ(Monitors::getDefault().nearestMonitor(nullptr), std::nullopt);
        }
        EXPECT_EQ(Monitors::getDefault().nearestMonitor(&window),
                  (ScreenRect{1920, 0, 3840, 1080}));
    }
    EXPECT_EQ(Monitors::getDefault().nearestMonitor(&window), fallback);
}

} // namespace
