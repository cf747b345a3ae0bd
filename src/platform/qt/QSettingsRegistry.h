#pragma once

#include "ostrel_export.h"

#include "platform/Registry.h"

#include <string>
#include <vector>

namespace ostrel::platform {

/// The production settings store, on QSettings.
///
/// On Linux every key below "Software\\<Organization>" lives in an INI file
/// of the XDG configuration directories: "Software\\Zelvamont" is the file
/// "Zelvamont.ini" and "Software\\Zelvamont\\Ostrel\\5.0" is the section
/// [5.0] of "Zelvamont/Ostrel.ini". The current user's files are below
/// $XDG_CONFIG_HOME (~/.config); the machine's below the first directory of
/// $XDG_CONFIG_DIRS (/etc/xdg) that holds the file. Each root answers for
/// itself: a value missing for the user is not looked up for the machine.
/// Unlike the registry, a missing key opens, and its file and directory are
/// created by the first write; a file that exists but is not a regular file
/// (a FIFO, a directory) is never read, and its key does not open. Value
/// names match without regard to ASCII case, as in the registry; a value set
/// replaces every spelling of its name. Values are written as `RegistryValue::
/// toSettingsText` gives them, so numbers keep their type. Every value is
/// read as text, never decoded as a Qt type ("@Variant(...)" is that text;
/// see detail::textIniFormat). Writes go through QSettings, which locks the
/// file and replaces it atomically.
///
/// On Windows the keys are those of the registry itself (QSettings'
/// native format), and a missing key is never created.
class OSTREL_EXPORT QSettingsRegistry : public Registry {
public:
    /// Locations from the environment ($XDG_CONFIG_HOME through
    /// QStandardPaths, so its test mode applies, and $XDG_CONFIG_DIRS).
    QSettingsRegistry();
    /// Explicit locations: the user's configuration directory and the
    /// machine's, in look-up order.
    QSettingsRegistry(std::string userDirectory, std::vector<std::string> machineDirectories);

    /// Null for a path outside "Software\\<Organization>", for an empty,
    /// "." or ".." component, or for a component holding a slash.
    [[nodiscard]] std::unique_ptr<RegistryKey> openKey(RegistryRoot root, const std::string& path,
                                                       RegistryAccess access) override;

    const std::string& userDirectory() const { return userDirectory_; }
    const std::vector<std::string>& machineDirectories() const { return machineDirectories_; }

private:
    std::string userDirectory_;
    std::vector<std::string> machineDirectories_;
};

} // namespace ostrel::platform
