#pragma once

#include "ostrel_export.h"

#include "platform/RegistryKey.h"

#include <memory>
#include <string>

namespace ostrel::platform {

/// Which tree of settings a key lives in.
enum class RegistryRoot {
    CurrentUser,  ///< the user's own settings (HKEY_CURRENT_USER)
    LocalMachine, ///< settings for every user of the machine (HKEY_LOCAL_MACHINE)
};

/// What an open key may be used for.
enum class RegistryAccess {
    Read,      ///< query values only
    ReadWrite, ///< query and set values
};

/// The per-user and per-machine settings store that stands in for the
/// Windows registry. Keys are named by paths with backslashes between the
/// components, as in the registry ("Software\\Zelvamont\\Ostrel\\5.0").
///
/// The dialogs and the language set-up take the process-wide store from
/// `Registry::getDefault()`, which a host or a test may replace:
///
///     ScopedDefault<Registry> store(std::make_unique<MemoryRegistry>());
class OSTREL_EXPORT Registry {
public:
    virtual ~Registry() = default;

    /// Opens the key `path` below `root`. Null when the key cannot be opened;
    /// whether a missing key opens (and is created on the first write) or
    /// fails depends on the store, see the implementations.
    [[nodiscard]] virtual std::unique_ptr<RegistryKey>
    openKey(RegistryRoot root, const std::string& path, RegistryAccess access) = 0;

    /// The process-wide store. Until one is set it is an empty in-memory
    /// store, in which every key is missing, so all settings keep their
    /// defaults and nothing is written.
    static Registry& getDefault();
    /// Makes `store` the process-wide store and returns the previous one (null
    /// when none was set), so a caller can put it back. A null `store`
    /// restores the empty default.
    static std::unique_ptr<Registry> setDefault(std::unique_ptr<Registry> store);

protected:
    Registry() = default;
    Registry(const Registry&) = default;
    Registry& operator=(const Registry&) = default;
};

} // namespace ostrel::platform
