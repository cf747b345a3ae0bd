#pragma once

#include "ostrel_export.h"

#include "platform/Monitors.h"

namespace ostrel::platform {

/// The monitor query on the toolkit's screens (QScreen). A window handle is a
/// QWidget*; its top-level window's frame decides the nearest screen.
/// Needs a QGuiApplication; without one, or without screens, it answers
/// nothing.
class OSTREL_EXPORT ScreenMonitors : public Monitors {
public:
    std::optional<ScreenRect> nearestMonitor(WindowHandle window) const override;
};

} // namespace ostrel::platform
