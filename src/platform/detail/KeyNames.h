#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

/// The components of a key path such as "Software\Zelvamont", in
/// order; nothing when a component is empty (a leading, trailing or doubled
/// backslash, or the empty path).
inline std::optional<std::vector<std::string>> splitKeyPath(std::string_view path) {
    std::vector<std::string> components;
    while (true) {
        const std::size_t end = path.find('\\');
        const std::string_view component = path.substr(0, end);
        if (component.empty()) {
            return std::nullopt;
        }
        components.emplace_back(component);
        if (end == std::string_view::npos) {
            return components;
        }
        path.remove_prefix(end + 1);
    }
}

} // namespace ostrel::platform::detail
