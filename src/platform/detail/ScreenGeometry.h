#pragma once

#include "platform/Monitors.h"

#include <cstddef>
#include <optional>
#include <span>

namespace ostrel::platform::detail {

/// Which of `monitors` a window whose frame is `frame` belongs to, as the
/// platform picks a window's monitor: the one it overlaps most, else (off
/// every monitor) the one closest to it. `preferred`, the monitor the
/// window is on as far as the toolkit knows, wins a tie; among the others
/// the first in order does. Nothing when there is no monitor.
std::optional<std::size_t> nearestMonitorOf(const ScreenRect& frame,
                                            std::span<const ScreenRect> monitors,
                                            std::optional<std::size_t> preferred);

/// A width and a height in pixels.
struct WindowSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const WindowSize&, const WindowSize&) = default;
};

/// The size a restored window opens with: the stored size, at least the
/// window's `minimum`, and on a screen (`screen`, the room its monitor has
/// for windows) no larger than that room, since a window larger than its
/// screen (a damaged stored value) cannot be used. The minimum wins over the
/// screen.
WindowSize restoredWindowSize(WindowSize stored, WindowSize minimum,
                              std::optional<WindowSize> screen);

} // namespace ostrel::platform::detail
