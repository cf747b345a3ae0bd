#pragma once

#include "ostrel_export.h"

#include "platform/RegistryValue.h"

#include <optional>
#include <string>

namespace ostrel::platform {

/// An open key of a settings store (Registry). Destroying the object closes
/// the key; nothing is kept open longer than the object lives.
class OSTREL_EXPORT RegistryKey {
public:
    virtual ~RegistryKey() = default;

    /// The named value with its type, or nothing when the key holds no value
    /// of that name (or the store cannot be read).
    [[nodiscard]] virtual std::optional<RegistryValue>
    queryValue(const std::string& name) const = 0;

    /// Stores `value` under `name`, replacing a value of any type. False when
    /// the key was opened for reading only or the store refused the write.
    [[nodiscard]] virtual bool setValue(const std::string& name, const RegistryValue& value) = 0;

protected:
    RegistryKey() = default;
    RegistryKey(const RegistryKey&) = default;
    RegistryKey& operator=(const RegistryKey&) = default;
};

} // namespace ostrel::platform
