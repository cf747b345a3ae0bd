#include "platform/Monitors.h"
#include "platform/ScopedDefault.h"

#include <gtest/gtest.h>

namespace {

using namespace ostrel::platform;

TEST(MonitorsTest, APointOnTheBorderOfTwoMonitorsLiesOnTheRightHandOne) {
    const ScreenRect left{0, 0, 1920, 1080}, right{1920, 0, 3840, 1080};
    for (const auto& [point, onLeft, onRight] : {
             std::tuple{ScreenPoint{1919, 0}, true, false},
             {ScreenPoint{1920, 0}, false, true},
             {ScreenPoint{0, 1080}, false, false}, // the bottom edge is outside
             {ScreenPoint{-1, 5}, false, false},
         }) {
        SCOPED_TRACE(std::to_string(point.x) + "," + std::to_string(point.y));
        EXPECT_EQ(left.contains(point), onLeft);
        EXPECT_EQ(right.contains(point), onRight);
    }
}

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
        {primary, {0, 1080}, true, {100, 100}, "the bottom edge lies outside"},
        {primary, {412, 218}, false, {100, 100}, "no parent: the fallback as it is"},
    };
    for (const auto& row : rows) {
        ScopedDefault<Monitors> monitors(std::make_unique<FixedMonitors>(row.monitor));
        EXPECT_EQ(restoredPosition(row.withParent ? &parent : nullptr, row.stored, {100, 100}),
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
