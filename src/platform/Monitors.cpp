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

std::optional<ScreenRect> FixedMonitors::nearestMonitor(WindowHandle window) const {
    if (window == nullptr) {
        return std::nullopt;
    }
    return monitor_;
}

} // namespace ostrel::platform
