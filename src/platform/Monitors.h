#pragma once

#include "ostrel_export.h"

#include "platform/WindowHandle.h"

#include <memory>
#include <optional>

namespace ostrel::platform {

/// A point in screen coordinates (logical pixels, as the toolkit counts them).
struct OSTREL_EXPORT ScreenPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

/// A rectangle in screen coordinates; `right` and `bottom` lie just outside.
struct OSTREL_EXPORT ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    /// Whether `point` lies on the rectangle: the left and top edges belong to
    /// it, the right and bottom edges to the neighbour, so a point on the
    /// border of two side-by-side monitors lies on exactly one of them.
    bool contains(ScreenPoint point) const {
        return point.x >= left && point.x < right && point.y >= top && point.y < bottom;
    }
    friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

/// The monitor geometry the dialogs need to keep a restored window on a
/// screen: which monitor is nearest to a window, and its rectangle. The
/// dialogs take the process-wide query from `Monitors::getDefault()`;
/// libostrel installs one on the toolkit's screens when it is loaded.
class OSTREL_EXPORT Monitors {
public:
    virtual ~Monitors() = default;

    /// The rectangle of the monitor nearest to `window`: the one it overlaps
    /// most, else the closest. Nothing for a null window.
    virtual std::optional<ScreenRect> nearestMonitor(WindowHandle window) const = 0;

    /// The process-wide query. Until one is set it is `FixedMonitors` with
    /// one 1920 by 1080 monitor at the origin.
    static Monitors& getDefault();
    /// Makes `monitors` the process-wide query and returns the previous one
    /// (null when none was set). Null restores the fallback.
    static std::unique_ptr<Monitors> setDefault(std::unique_ptr<Monitors> monitors);

protected:
    Monitors() = default;
    Monitors(const Monitors&) = default;
    Monitors& operator=(const Monitors&) = default;
};

/// One monitor of a fixed rectangle, nearest to every window: the fallback
/// without a display, and the monitor a test places its dialogs on.
class OSTREL_EXPORT FixedMonitors : public Monitors {
public:
    explicit FixedMonitors(ScreenRect monitor = {0, 0, 1920, 1080}) : monitor_(monitor) {}

    std::optional<ScreenRect> nearestMonitor(WindowHandle window) const override;

private:
    ScreenRect monitor_;
};

/// Where a dialog opens whose window stood at `stored` when it was last
/// closed: there, when that point lies on the monitor of `monitors` nearest
/// to `parent`; otherwise at `fallback` counted from that monitor's top-left
/// corner, so the window stays on a screen. `fallback` itself without a
/// parent or a monitor.
OSTREL_EXPORT ScreenPoint restoredPosition(const Monitors& monitors, WindowHandle parent,
                                           ScreenPoint stored, ScreenPoint fallback);

} // namespace ostrel::platform
