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

private:
    int fd_;
};

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

bool File::read(std::string& content) const {
    if (path_.empty()) {
        return false;
    }
    const Descriptor file(::open(path_.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    struct stat info {};
    if (file.get() < 0 || ::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode) ||
        static_cast<unsigned long long>(info.st_size) > kMaxReadSize) {
        return false;
    }
    std::string data;
    data.reserve(static_cast<std::size_t>(info.st_size));
    char chunk[65536];
    // Read to the end, not to the size seen first: the file may grow meanwhile.
    while (true) {
        const ssize_t count = ::read(file.get(), chunk, sizeof chunk);
        if (count == 0) {
            break;
        }
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        if (static_cast<std::size_t>(count) > kMaxReadSize - data.size()) {
            return false;
        }
        data.append(chunk, static_cast<std::size_t>(count));
    }
    content = std::move(data);
    return true;
}

} // namespace zmdisk
