#include "autoident/detail/SharedValueFile.h"

#include "host/base/File.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace ostrel::autoident::detail {
namespace {

/// Closes a descriptor on every way out of a step.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    /// Closes now and reports whether the last buffered bytes went out.
    bool close() { return ::close(std::exchange(fd_, -1)) == 0; }

private:
    int fd_;
};

bool writeAll(int fd, const std::string& bytes) {
    const char* at = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, at, left);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        at += written;
        left -= static_cast<std::size_t>(written);
    }
    return true;
}

} // namespace

std::string whyNotShareable(const std::string& path) {
    struct stat name {};
    if (::lstat(path.c_str(), &name) != 0) {
        return {}; // no file yet (or none that can be examined: reading it will say)
    }
    struct stat file {};
    if (::stat(path.c_str(), &file) != 0) {
        const int error = errno;
        std::error_code ignored;
        return "is a symbolic link to '" + std::filesystem::read_symlink(path, ignored).string() +
               "', which " +
               (error == ENOENT ? "does not exist (is the share it lies on mounted?)"
                                : std::string("cannot be reached: ") + std::strerror(error)) +
               "; a new value file in its place would hand out the same identifiers again";
    }
    if (!S_ISREG(file.st_mode)) {
        return "is not a regular file";
    }
    if (file.st_nlink > 1) {
        // Locking the file itself would not help: the first change renames a
        // new file over one of the names, and the others keep the old one.
        return "has " + std::to_string(file.st_nlink) +
               " names (hard links): each change replaces it under one name only, after which "
               "the names would number apart and hand out the same identifiers; keep one name "
               "and let the others be symbolic links to it";
    }
    return {};
}

SharedValueFile::SharedValueFile(const std::string& path) : path_(path) {
    std::error_code error;
    if (std::filesystem::is_symlink(path_, error)) {
        const auto target = std::filesystem::canonical(path_, error);
        if (!error) {
            path_ = target.string();
        }
    }
    const std::filesystem::path file(path_);
    folder_ = file.has_parent_path() ? file.parent_path().string() : ".";
    temporaryPrefix_ = file.filename().string() + ".tmp-";
}

SharedValueFile::~SharedValueFile() {
    if (lock_ >= 0) {
        ::close(lock_); // releases the lock
    }
}

bool SharedValueFile::fail(const std::string& what) {
    failure_ = what + ": " + std::strerror(errno);
    return false;
}

bool SharedValueFile::lock() {
    const std::string lockFile = path_ + ".lock";
    // The lock file stays: removing it would let a process that waits on the
    // old one and a newcomer on a new one both go ahead.
    // Read access is enough for flock: a lock file that another user created
    // without write permission for us still serves.
    lock_ = ::open(lockFile.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0666);
    if (lock_ < 0) {
        return fail("cannot open the lock file '" + lockFile + "'");
    }
    while (::flock(lock_, LOCK_EX) != 0) {
        if (errno != EINTR) {
            return fail("cannot lock '" + lockFile + "'");
        }
    }
    return true;
}

SharedValueFile::Content SharedValueFile::read(std::string& bytes) {
    bytes.clear();
    // Under the lock: a link or a name may have been added since the caller looked.
    if (std::string refusal = whyNotShareable(path_); !refusal.empty()) {
        failure_ = std::move(refusal);
        return Content::Unusable;
    }
    struct stat info {};
    if (::stat(path_.c_str(), &info) != 0 && errno == ENOENT) {
        return Content::Missing;
    }
    zmdisk::InputFile file{Ostrel::u8string(path_)};
    if (!file.isOpen()) {
        failure_ = "cannot be opened";
        return Content::Unusable;
    }
    bytes.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[65536];
    long count = 0;
    while ((count = file.read(buffer, sizeof buffer)) > 0) {
        bytes.append(buffer, static_cast<std::size_t>(count));
    }
    if (count < 0) {
        fail("cannot be read");
        return Content::Unusable;
    }
    return Content::Read;
}

void SharedValueFile::removeStaleTemporaries() const {
    // Under the lock nobody else is writing one: any temporary file of this
    // value file is left over from a process that died before its rename.
    DIR* folder = ::opendir(folder_.c_str());
    if (folder == nullptr) {
        return;
    }
    while (const dirent* entry = ::readdir(folder)) {
        if (std::strncmp(entry->d_name, temporaryPrefix_.c_str(), temporaryPrefix_.size()) == 0) {
            ::unlinkat(::dirfd(folder), entry->d_name, 0);
        }
    }
    ::closedir(folder);
}

bool SharedValueFile::replace(const std::string& bytes) {
    removeStaleTemporaries();
    // A name of our own, created exclusively; unlike mkstemp's 0600 it gets
    // the usual permissions, so that the other users of a shared value file
    // can still read it.
    std::string temporary;
    int fd = -1;
    for (unsigned attempt = 0; fd < 0; ++attempt) {
        temporary = folder_ + "/" + temporaryPrefix_ + std::to_string(::getpid()) + "-" +
                    std::to_string(attempt);
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
        if (fd < 0 && (errno != EEXIST || attempt == 100)) {
            return fail("cannot create a temporary file in '" + folder_ + "'");
        }
    }
    Descriptor file(fd);
    struct stat previous {};
    if (::stat(path_.c_str(), &previous) == 0) {
        ::fchmod(fd, previous.st_mode & 07777); // keep what the owner allowed
    }
    // The rename makes the file visible; it must not show bytes that are
    // still only in the cache when the machine goes down.
    const bool written = writeAll(fd, bytes) && ::fsync(fd) == 0;
    if (!written || !file.close()) {
        fail("cannot write '" + temporary + "'");
        ::unlink(temporary.c_str());
        return false;
    }
    if (::rename(temporary.c_str(), path_.c_str()) != 0) {
        fail("cannot rename '" + temporary + "'");
        ::unlink(temporary.c_str());
        return false;
    }
    // The rename itself is an entry of the folder: flushed with the folder.
    Descriptor folder(::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0 && ::fsync(folder.get()) != 0 && errno == EIO) {
        return fail("cannot flush the folder '" + folder_ + "'");
    }
    return true;
}

} // namespace ostrel::autoident::detail
