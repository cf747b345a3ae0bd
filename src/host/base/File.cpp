#include "host/base/File.h"

#include <sys/stat.h>

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

bool statMode(const Ostrel::u8string& path, unsigned& mode) {
    struct stat info {};
    if (path.empty() || ::stat(path.c_str(), &info) != 0) {
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

} // namespace zmdisk
