#pragma once

#include "ostrel_export.h"

#include "identification/LastUsedIdentStore.h"
#include "platform/Services.h"

#include <cstdint>
#include <string>

namespace ostrel::identification {

/// What the identification dialog remembers per user, in the settings store
/// under the current user's key platform::kProductSettingsKey:
///
/// | value                            | type   | content                              |
/// |----------------------------------|--------|--------------------------------------|
/// | "AllowStickyCursor"              | number | 1 when "Remember cursor" is checked  |
/// | "StickyCursorPosition"           | number | row of the first edited field        |
/// | "LastUsedIdents"                 | string | the last used values (LastUsedIdentStore) |
/// | "DocumentIdentificationDlg2Size" | string | the window's top-left corner, "x;y;" |
///
/// The dialog never creates the key: without it the defaults hold and
/// nothing is stored.
struct OSTREL_EXPORT IdentificationSettings {
    /// The state of "Remember cursor" as stored; only 1 shows the box checked,
    /// any value but 0 lets the remembered row take the focus.
    std::int32_t allowStickyCursor = 0;
    std::int32_t stickyCursorPosition = 0;
    LastUsedIdentStore lastUsedIdents;
    /// Where the window opens (its frame's top-left corner, screen pixels).
    platform::ScreenPoint position{100, 100};

    /// Reads the stored values over the defaults. The numbers are taken as
    /// the registry hands over four bytes or fewer, whatever their type; a
    /// string is used only when it is of string type and takes at most 4095
    /// bytes with its terminating zero, otherwise it reads as empty. The
    /// stored position is kept when it lies on the monitor nearest to
    /// `parent`; otherwise the window opens 100 pixels in from that
    /// monitor's top-left corner. Without a parent the window opens at
    /// (100, 100). A missing key leaves every default.
    void load(platform::WindowHandle parent, const platform::Services& services);

    /// Writes all four values, the window's corner as `windowTopLeft`. False,
    /// nothing written, when the key does not exist or cannot be opened for
    /// writing; failures of single writes are not reported.
    [[nodiscard]] bool save(platform::ScreenPoint windowTopLeft,
                            const platform::Services& services) const;

    /// Reads a stored position as it was always read: digits go to x, then
    /// to y, then are ignored; every other byte moves on to the next number.
    /// So "412;218;" is (412, 218) and "-1280;20;" is (0, 1280).
    static platform::ScreenPoint parsePosition(const std::string& text);
    /// "x;y;", with a minus sign for a negative coordinate.
    static std::string formatPosition(platform::ScreenPoint point);
};

} // namespace ostrel::identification
