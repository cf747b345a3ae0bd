#pragma once

// How screen readers see a row's last-value button: a push button (Space
// inserts the value), not the check box that Qt makes of a checkable button.
// Whether automatic insertion is on is said by the button's accessible
// description, which the dialog keeps up to date.
namespace ostrel::identification {

/// Registers the button's accessible interface with Qt; once per process,
/// later calls do nothing.
void installLastValueButtonAccessible();

} // namespace ostrel::identification
