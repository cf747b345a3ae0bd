#include "platform/qt/ScreenMonitors.h"

#include "platform/detail/ScreenGeometry.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

#include <vector>

namespace ostrel::platform {
namespace {

ScreenRect toScreenRect(const QRect& rect) {
    return {rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
}

} // namespace

std::optional<ScreenRect> ScreenMonitors::nearestMonitor(WindowHandle window) const {
    if (window == nullptr || QGuiApplication::instance() == nullptr) {
        return std::nullopt;
    }
    const QWidget* topLevel = static_cast<const QWidget*>(window)->window();
    const QList<QScreen*> screens = QGuiApplication::screens();
    std::vector<ScreenRect> monitors;
    monitors.reserve(static_cast<std::size_t>(screens.size()));
    for (const QScreen* screen : screens) {
        monitors.push_back(toScreenRect(screen->geometry()));
    }
    std::optional<std::size_t> own;
    if (const qsizetype index = screens.indexOf(topLevel->screen()); index >= 0) {
        own = static_cast<std::size_t>(index);
    }
    const std::optional<std::size_t> nearest =
        detail::nearestMonitorOf(toScreenRect(topLevel->frameGeometry()), monitors, own);
    if (!nearest) {
        return std::nullopt;
    }
    return monitors[*nearest];
}

} // namespace ostrel::platform
