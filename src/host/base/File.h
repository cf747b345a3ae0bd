#pragma once

#include "host/base/U8String.h"

namespace zmdisk {

/// A path in the file system, as UTF-8 text.
class File {
public:
    File() = default;
    explicit File(const Ostrel::u8string& path) : path_(path) {}

    void setPath(const Ostrel::u8string& path) { path_ = path; }
    const Ostrel::u8string& getPath() const { return path_; }

    /// Appends one path component, with exactly one separator between the
    /// current path and the component. An empty component changes nothing;
    /// on an empty path the component becomes the path.
    File& append(const Ostrel::u8string& component);

    /// Whether the path names an existing directory (symbolic links followed).
    bool isDirectory() const;
    /// Whether the path names an existing regular file.
    bool isFile() const;

private:
    Ostrel::u8string path_;
};

} // namespace zmdisk
