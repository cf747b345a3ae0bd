#include "platform/detail/ScreenGeometry.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace ostrel::platform::detail {
namespace {

std::int64_t overlapArea(const ScreenRect& a, const ScreenRect& b) {
    const std::int64_t width = std::int64_t{std::min(a.right, b.right)} - std::max(a.left, b.left);
    const std::int64_t height = std::int64_t{std::min(a.bottom, b.bottom)} - std::max(a.top, b.top);
    return width > 0 && height > 0 ? width * height : 0;
}

// Squared distance between two rectangles (0 when they touch or overlap).
std::int64_t gapSquared(const ScreenRect& a, const ScreenRect& b) {
    const std::int64_t dx =
        std::max<std::int64_t>({0, std::int64_t{b.left} - a.right, std::int64_t{a.left} - b.right});
    const std::int64_t dy =
        std::max<std::int64_t>({0, std::int64_t{b.top} - a.bottom, std::int64_t{a.top} - b.bottom});
    return dx * dx + dy * dy;
}

} // namespace

std::optional<std::size_t> nearestMonitorOf(const ScreenRect& frame,
                                            std::span<const ScreenRect> monitors,
                                            std::optional<std::size_t> preferred) {
    std::optional<std::size_t> best;
    std::int64_t bestOverlap = -1;
    std::int64_t bestGap = std::numeric_limits<std::int64_t>::max();
    const auto consider = [&](std::size_t index) {
        const std::int64_t overlap = overlapArea(frame, monitors[index]);
        const std::int64_t gap = gapSquared(frame, monitors[index]);
        if (overlap > bestOverlap || (overlap == 0 && bestOverlap == 0 && gap < bestGap)) {
            best = index;
            bestOverlap = overlap;
            bestGap = gap;
        }
    };
    if (preferred && *preferred < monitors.size()) {
        consider(*preferred);
    }
    for (std::size_t index = 0; index < monitors.size(); ++index) {
        consider(index);
    }
    return best;
}

WindowSize restoredWindowSize(WindowSize stored, WindowSize minimum,
                              std::optional<WindowSize> screen) {
    WindowSize size{std::max(stored.width, minimum.width), std::max(stored.height, minimum.height)};
    if (screen) {
        size.width = std::max(std::min(size.width, screen->width), minimum.width);
        size.height = std::max(std::min(size.height, screen->height), minimum.height);
    }
    return size;
}

} // namespace ostrel::platform::detail
