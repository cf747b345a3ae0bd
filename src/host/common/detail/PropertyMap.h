#pragma once

#include "host/base/U8String.h"

#include <map>

namespace ostrel::detail {

/// Looks a named text value up in the properties of a template or the values
/// of a configuration. False, leaving `value` unchanged, when the name is
/// absent: callers pass `value` empty and keep their default.
inline bool findProperty(const std::map<Ostrel::u8string, Ostrel::u8string>& properties,
                         const Ostrel::u8string& name, Ostrel::u8string& value) {
    const auto it = properties.find(name);
    if (it == properties.end()) {
        return false;
    }
    value = it->second;
    return true;
}

} // namespace ostrel::detail
