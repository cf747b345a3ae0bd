#include "host/base/File.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zmdisk {
namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';
bool isSeparator(char c) {
    return c == '\\' || c == '/';
}
#else
constexpr char kSeparator = '/';
bool isSeparator(char c) {
    return c == '/';
}
#endif

bool statPath(const Ostrel::u8string& path, struct stat& info) {
    return !path.empty() && ::stat(path.c_str(), &info) == 0;
}

bool statMode(const Ostrel::u8string& path, unsigned& mode) {
    struct stat info {};
    if (!statPath(path, info)) {
        return false;
    }
    mode = info.st_mode;
    return true;
}

} // namespace

File& File::append(const Ostrel::u8string& component) {
    if (component.empty()) {
        return *this;
    }
    if (path_.empty()) {
        path_ = component;
        return *this;
    }
    std::string joined = path_.str();
    std::size_t start = 0;
    while (start < component.size() && isSeparator(component.str()[start])) {
        ++start;
    }
    if (!isSeparator(joined.back())) {
        joined.push_back(kSeparator);
    }
    joined.append(component.str(), start, std::string::npos);
    path_ = Ostrel::u8string(std::move(joined));
    return *this;
}

bool File::isDirectory() const {
    unsigned mode = 0;
    return statMode(path_, mode) && S_ISDIR(mode);
}

bool File::isFile() const {
    unsigned mode = 0;
    return statMode(path_, mode) && S_ISREG(mode);
}

bool File::exists() const {
    unsigned mode = 0;
    return statMode(path_, mode);
}

bool File::isSameFile(const File& other) const {
    struct stat mine {};
    struct stat theirs {};
    return statPath(path_, mine) && statPath(other.path_, theirs) && mine.st_dev == theirs.st_dev &&
           mine.st_ino == theirs.st_ino;
}

InputFile::InputFile(const Ostrel::u8string& path) {
    if (path.empty()) {
        return;
    }
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    struct stat info {};
    if (fd_ >= 0 && (::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode))) {
        ::close(fd_);
        fd_ = -1;
    }
}

InputFile::~InputFile() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

long InputFile::read(char* buffer, std::size_t size) {
    if (fd_ < 0) {
        return -1;
    }
    while (true) {
        const ssize_t count = ::read(fd_, buffer, size);
        if (count >= 0 || errno != EINTR) {
            return static_cast<long>(count);
        }
    }
}

} // namespace zmdisk
