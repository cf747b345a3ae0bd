#include "platform/qt/ScreenMonitors.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

using namespace ostrel::platform;

TEST(ScreenMonitorsTest, AWindowOnTheScreenOrOffItIsNearestToThatScreen) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const ScreenRect expected{screen.left(), screen.top(), screen.left() + screen.width(),
                              screen.top() + screen.height()};

    QWidget window;
    window.setGeometry(screen.left() + 10, screen.top() + 10, 200, 100);
    QWidget child(&window);
    const ScreenMonitors monitors;
    EXPECT_EQ(monitors.nearestMonitor(&child), expected) << "a child answers for its window";
    window.move(screen.right() + 5000, screen.bottom() + 5000);
    EXPECT_EQ(monitors.nearestMonitor(&window), expected) << "off every screen: the closest";
    EXPECT_EQ(monitors.nearestMonitor(nullptr), std::nullopt);
}

} // namespace
