#pragma once

// Helpers shared by the fuzz targets that work with real files.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <unistd.h>

namespace ostrel::fuzz {

/// A fresh folder below the system's temporary folder, removed with its
/// content when the object goes away (a target keeps one as a static).
struct Scratch {
    Scratch() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "ostrel-fuzz-XXXXXX").string();
        if (char* made = ::mkdtemp(pattern.data())) {
            dir = made;
        } else {
            std::abort();
        }
    }
    ~Scratch() {
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;

    /// Writes `content` byte for byte to `name` below the folder (creating
    /// missing folders on the way) and returns the file's path.
    std::string write(const std::string& name, std::string_view content) const {
        const std::filesystem::path path = dir / name;
        std::error_code ignored;
        std::filesystem::create_directories(path.parent_path(), ignored);
        if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
            std::fwrite(content.data(), 1, content.size(), file);
            std::fclose(file);
        }
        return path.string();
    }

    std::filesystem::path dir;
};

/// Cuts the next part, up to a NUL byte (which no XML or INI file of ours
/// holds), off the front of `rest`.
inline std::string_view takePart(std::string_view& rest) {
    const std::size_t end = rest.find('\0');
    const std::string_view part = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    return part;
}

} // namespace ostrel::fuzz
