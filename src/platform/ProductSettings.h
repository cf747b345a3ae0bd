#pragma once

#include "platform/RegistryKey.h"

#include <cstddef>
#include <limits>
#include <optional>
#include <string>

namespace ostrel::platform {

/// The current user's key under which both dialogs keep what they remember.
/// It is read and written, never created.
inline constexpr const char* kProductSettingsKey = "Software\\Zelvamont\\Ostrel\\5.0";

/// Value `name` of `key` as the registry's wide functions read it into a
/// zero-filled buffer, whatever the value's type: its UTF-16 text up to the
/// first zero unit, as UTF-8 (RegistryValue::textFromWideData). Nothing when
/// the key has no such value, or when the text before that zero takes more
/// than `maxUnits` UTF-16 units (an odd last byte counting as one), as a
/// buffer of that room would refuse it.
[[nodiscard]] std::optional<std::string>
readWideText(const RegistryKey& key, const std::string& name,
             std::size_t maxUnits = std::numeric_limits<std::size_t>::max());

} // namespace ostrel::platform
