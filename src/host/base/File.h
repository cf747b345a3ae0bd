#pragma once

#include "ostrel_export.h"

#include "host/base/U8String.h"

#include <cstddef>

namespace zmdisk {

/// A path in the file system, as UTF-8 text.
class OSTREL_EXPORT File {
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

private:
    Ostrel::u8string path_;
};

/// A regular file opened for reading, as every reader of outside files opens
/// it. The file is opened first, without waiting (a FIFO without a writer
/// cannot block) and without ever becoming the controlling terminal, and what
/// was opened is then checked, so nothing can be swapped in between. The
/// path is always a path: "-" is a file of that name, never standard input.
///
///     zmdisk::InputFile file(path);
///     char buffer[4096];
///     while (file.isOpen() && file.read(buffer, sizeof buffer) > 0) { ... }
class OSTREL_EXPORT InputFile {
public:
    /// Opens `path`; isOpen() is false when it is missing, unreadable or not
    /// a regular file.
    explicit InputFile(const Ostrel::u8string& path);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    bool isOpen() const { return fd_ >= 0; }

    /// Reads up to `size` bytes into `buffer`: their count, 0 at the end of
    /// the file, -1 on an error or when the file is not open.
    [[nodiscard]] long read(char* buffer, std::size_t size);

private:
    int fd_ = -1;
};

} // namespace zmdisk
