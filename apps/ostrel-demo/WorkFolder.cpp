#include "WorkFolder.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string_view>

namespace ostrel::demo {
namespace {

std::string reason() {
    return std::strerror(errno);
}

/// The type as part of a file name: anything but letters, digits, '.', '-'
/// and '_' becomes '_'.
std::string fileNamePart(const std::string& type) {
    std::string part = type.substr(0, 64);
    for (char& c : part) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.';
        if (!plain) {
            c = '_';
        }
    }
    if (part.empty() || part[0] == '.') {
        part.insert(part.begin(), '_');
    }
    return part;
}

bool writeAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = ::write(fd, text.data(), text.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            if (written == 0) {
                errno = EIO;
            }
            return false;
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

/// Writes `text` into a new hidden file of `folder` and flushes it to the
/// disk; the file's path, or nothing (no file left) with `error` set.
std::optional<std::string> writeTemporary(const std::string& folder, const std::string& text,
                                          std::string& error) {
    std::string path = (std::filesystem::path(folder) / ".filing-XXXXXX").string();
    const int fd = ::mkostemp(path.data(), O_CLOEXEC);
    if (fd < 0) {
        error = reason();
        return std::nullopt;
    }
    // mkostemp makes the file private; a record is as readable as any file
    // the user creates.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    bool done = ::fchmod(fd, 0666 & ~mask) == 0 && writeAll(fd, text) && ::fsync(fd) == 0;
    if (!done) {
        error = reason();
    }
    if (::close(fd) != 0 && done) {
        done = false;
        error = reason();
    }
    if (!done) {
        ::unlink(path.c_str());
        return std::nullopt;
    }
    return path;
}

/// Gives `from` the name `to` unless a file has it: 0, or the errno.
int renameWithoutReplacing(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return 0;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return errno;
    }
    // A file system that cannot rename without replacing: a new link fails
    // on an existing name just as well.
    if (::link(from.c_str(), to.c_str()) != 0) {
        return errno;
    }
    ::unlink(from.c_str());
    return 0;
}

} // namespace

std::optional<std::string> newWorkFolder(const char* temporaryFolder, std::string& error) {
    const std::filesystem::path parent =
        temporaryFolder != nullptr && *temporaryFolder != '\0' ? temporaryFolder : "/tmp";
    std::string pattern = (parent / "ostrel-demo-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        error = parent.string() + ": " + reason();
        return std::nullopt;
    }
    return pattern;
}

std::optional<std::string> fileRecord(const std::string& type, const std::string& record,
                                      const std::string& folder, std::string& error) {
    std::error_code created;
    std::filesystem::create_directories(folder, created);
    if (created) {
        error = created.message();
        return std::nullopt;
    }
    const std::optional<std::string> temporary = writeTemporary(folder, record, error);
    if (!temporary) {
        return std::nullopt;
    }
    const std::string suffix = '-' + fileNamePart(type) + ".xml";
    for (int number = 1; number <= 9999; ++number) {
        char prefix[16];
        std::snprintf(prefix, sizeof prefix, "%04d", number);
        const std::string path = (std::filesystem::path(folder) / (prefix + suffix)).string();
        const int failure = renameWithoutReplacing(*temporary, path);
        if (failure == 0) {
            // The new name itself must survive a crash as well.
            if (const int directory = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
                directory >= 0) {
                ::fsync(directory);
                ::close(directory);
            }
            return path;
        }
        if (failure != EEXIST) {
            error = std::strerror(failure);
            ::unlink(temporary->c_str());
            return std::nullopt;
        }
    }
    ::unlink(temporary->c_str());
    error = "the numbers 0001 to 9999 are all taken";
    return std::nullopt;
}

} // namespace ostrel::demo
