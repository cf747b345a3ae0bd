#pragma once

#include "ostrel_export.h"

#include "platform/Registry.h"

#include <map>
#include <memory>
#include <optional>
#include <string>

namespace ostrel::platform {

/// A settings store held in memory that behaves like the Windows registry:
/// values keep their type, string sizes depend on the width they are read
/// with, key paths and value names compare without regard to ASCII case, and
/// opening a key that does not exist fails. Opening never creates a key;
/// only `createKey` and `setValue` of this class do, for setting up a test.
///
///     MemoryRegistry store;
///     store.setValue(RegistryRoot::CurrentUser, "Software\\Zelvamont", "Language",
///                    RegistryValue::string("de"));
class OSTREL_EXPORT MemoryRegistry : public Registry {
public:
    MemoryRegistry();
    /// Copies are deep: keys opened on the original keep working on it.
    MemoryRegistry(const MemoryRegistry& other);
    MemoryRegistry& operator=(const MemoryRegistry& other);

    /// Null when the key does not exist or `path` is malformed (an empty
    /// component, as in "Software\\\\Zelvamont"). The empty path is the root.
    [[nodiscard]] std::unique_ptr<RegistryKey> openKey(RegistryRoot root, const std::string& path,
                                                       RegistryAccess access) override;

    /// Creates the key and any missing parent keys; false for a malformed path.
    [[nodiscard]] bool createKey(RegistryRoot root, const std::string& path);
    /// Whether the key exists.
    bool hasKey(RegistryRoot root, const std::string& path) const;
    /// Creates the key when needed and stores the value; false for a
    /// malformed path.
    [[nodiscard]] bool setValue(RegistryRoot root, const std::string& path, const std::string& name,
                                const RegistryValue& value);
    /// The stored value, or nothing when the key or the value is missing.
    [[nodiscard]] std::optional<RegistryValue> getValue(RegistryRoot root, const std::string& path,
                                                        const std::string& name) const;

    struct KeyData;

private:
    using KeyMap = std::map<std::string, std::shared_ptr<KeyData>>;
    KeyMap& keysOf(RegistryRoot root);
    const KeyMap& keysOf(RegistryRoot root) const;

    KeyMap user_;
    KeyMap machine_;
};

} // namespace ostrel::platform
