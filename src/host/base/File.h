#pragma once

#include "host/base/U8String.h"

#include <string>

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
    /// Whether the path names anything that exists (symbolic links followed).
    bool exists() const;
    /// Whether both paths name the same existing file (the same device and
    /// inode), whatever their spelling: "./a", "dir/../a", a symbolic or a
    /// hard link to it.
    bool isSameFile(const File& other) const;

    /// Reads the whole file into `content`. Only a regular file is read: the
    /// file is opened first, without waiting (a FIFO without a writer cannot
    /// block) and without ever becoming the controlling terminal, and what
    /// was opened is then checked, so nothing can be swapped in between.
    /// The path is always a path ("-" is a file of that name). False,
    /// `content` unchanged, when the file is missing, unreadable, not a
    /// regular file or larger than kMaxReadSize.
    bool read(std::string& content) const;

    /// The largest file read() takes (what the XML parser accepts from memory).
    static constexpr std::size_t kMaxReadSize = 0x7FFFFFFF;

private:
    Ostrel::u8string path_;
};

} // namespace zmdisk
