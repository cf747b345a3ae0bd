#pragma once

#include <string>
#include <string_view>

namespace ostrel::platform::detail {

/// The form in which the settings stores compare key paths and value names:
/// ASCII capitals made small, every other byte kept. Like the registry they
/// stand in for, the stores find "language" when "Language" is asked for.
inline std::string foldNameCase(std::string_view name) {
    std::string folded(name);
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return folded;
}

} // namespace ostrel::platform::detail
