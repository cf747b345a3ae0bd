#pragma once

#include "ostrel_export.h"

#include "doctypes/LastSelectedTypes.h"
#include "platform/Services.h"

#include <array>
#include <string>

namespace ostrel::typeselection {

/// The window geometry to apply at start-up, in screen coordinates. A size of
/// 0 stands for the smallest size the dialog allows.
struct OSTREL_EXPORT SavedGeometry {
    int width = 0;
    int height = 0;
    int x = 50;
    int y = 50;
};

/// What the type selection dialog remembers per user, in the settings store
/// under the current user's key platform::kProductSettingsKey:
///
/// | value                             | type   | content                               |
/// |-----------------------------------|--------|---------------------------------------|
/// | "DocumentTypeSelectionDialogSize" | string | the window, "width;height;left;top;"  |
/// | "lastSelectedDocument"            | string | the recent types (LastSelectedTypes)  |
///
/// Both are read as the registry's wide functions read them, whatever their
/// type. The dialog never creates the key: without it the defaults hold and
/// nothing is stored.
struct OSTREL_EXPORT TypeSelectionSettings {
    static constexpr const char* kGeometryValue = "DocumentTypeSelectionDialogSize";
    static constexpr const char* kLastSelectedValue = "lastSelectedDocument";
    /// How many recent types are kept.
    static constexpr unsigned long kRecentTypes = 10;

    SavedGeometry geometry;
    /// The recent types, most recent first; the host's (setLastSelected)
    /// before the stored ones.
    LastSelectedTypes lastSelectedTypes{kRecentTypes};

    /// Reads the stored geometry and appends the stored recent types behind
    /// those already listed. The stored position is kept only when it lies
    /// on the monitor nearest to `parent`; otherwise the window opens 50
    /// pixels into that monitor, and without a parent (or a monitor) at
    /// (50, 50). A missing value leaves its default.
    void load(platform::WindowHandle parent, const platform::Services& services);

    /// Stores the recent types. False when the store cannot open the key or
    /// refuses the write.
    [[nodiscard]] bool saveLastSelected(const platform::Services& services);
    /// Stores the geometry of the closing window ("640;480;100;120;" for a
    /// 640 by 480 window at (100, 120)); false as saveLastSelected.
    [[nodiscard]] static bool saveGeometry(const SavedGeometry& window,
                                           const platform::Services& services);

    /// The four numbers of a stored geometry text (width, height, left, top):
    /// digits accumulate in the current number, any other character moves on
    /// to the next; characters after the fourth number are ignored, a missing
    /// number is 0, and a number too large for an int is the largest int.
    static std::array<int, 4> parseGeometry(const std::string& text);
    /// The geometry text: the four numbers in signed decimal, each followed
    /// by ";".
    static std::string formatGeometry(const SavedGeometry& window);
};

} // namespace ostrel::typeselection
