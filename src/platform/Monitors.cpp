#include "platform/Monitors.h"

#include "platform/detail/ProcessWide.h"

namespace ostrel::platform {

using DefaultMonitors = detail::ProcessWide<Monitors, FixedMonitors>;

Monitors& Monitors::getDefault() {
    return DefaultMonitors::get();
}

std::unique_ptr<Monitors> Monitors::setDefault(std::unique_ptr<Monitors> monitors) {
    return DefaultMonitors::replace(std::move(monitors));
}

ScreenPoint restoredPosition(const Monitors& monitors, WindowHandle parent, ScreenPoint stored,
                             ScreenPoint fallback) {
    const std::optional<ScreenRect> monitor = monitors.nearestMonitor(parent);
    if (!monitor) {
        return fallback;
    }
    if (monitor->contains(stored)) {
        return stored;
    }
    // Off that monitor (one since removed, or a negative position that reads
    // back positive): keep the window on it instead.
    return {fallback.x + monitor->left, fallback.y + monitor->top};
}

std::optional<ScreenRect> FixedMonitors::nearestMonitor(WindowHandle window) const {
    if (window == nullptr) {
        return std::nullopt;
    }
    return monitor_;
}

} // namespace ostrel::platform
