#include "platform/qt/ScreenMonitors.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cstdint>
#include <limits>

namespace ostrel::platform {
namespace {

std::int64_t overlapArea(const QRect& a, const QRect& b) {
    const QRect common = a.intersected(b);
    return common.isEmpty() ? 0 : std::int64_t{common.width()} * common.height();
}

// Squared distance between two rectangles that do not overlap (0 when they
// touch or overlap).
std::int64_t gapSquared(const QRect& a, const QRect& b) {
    const std::int64_t dx = std::max<std::int64_t>(
        {0, std::int64_t{b.left()} - a.right(), std::int64_t{a.left()} - b.right()});
    const std::int64_t dy = std::max<std::int64_t>(
        {0, std::int64_t{b.top()} - a.bottom(), std::int64_t{a.top()} - b.bottom()});
    return dx * dx + dy * dy;
}

ScreenRect toScreenRect(const QRect& rect) {
    return {rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
}

} // namespace

std::optional<ScreenRect> ScreenMonitors::nearestMonitor(WindowHandle window) const {
    if (window == nullptr || QGuiApplication::instance() == nullptr) {
        return std::nullopt;
    }
    const QWidget* topLevel = static_cast<const QWidget*>(window)->window();
    const QRect frame = topLevel->frameGeometry();
    // As the platform picks a window's monitor: the one it overlaps most,
    // else the one closest to it; the widget's own screen breaks ties.
    const QScreen* best = topLevel->screen();
    std::int64_t bestOverlap = best ? overlapArea(frame, best->geometry()) : -1;
    std::int64_t bestGap =
        best ? gapSquared(frame, best->geometry()) : std::numeric_limits<std::int64_t>::max();
    for (const QScreen* screen : QGuiApplication::screens()) {
        const std::int64_t overlap = overlapArea(frame, screen->geometry());
        const std::int64_t gap = gapSquared(frame, screen->geometry());
        if (overlap > bestOverlap || (overlap == 0 && bestOverlap == 0 && gap < bestGap)) {
            best = screen;
            bestOverlap = overlap;
            bestGap = gap;
        }
    }
    if (best == nullptr) {
        return std::nullopt;
    }
    return toScreenRect(best->geometry());
}

} // namespace ostrel::platform
