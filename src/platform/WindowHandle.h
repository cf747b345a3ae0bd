#pragma once

namespace ostrel::platform {

/// A toolkit window as the views hand it to the platform layer (a QWidget*
/// in libostrel); null for no window.
using WindowHandle = const void*;

} // namespace ostrel::platform
