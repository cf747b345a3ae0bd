#include "host/base/detail/TextFormat.h"

namespace ostrel {

std::string substitute(std::string_view pattern, std::initializer_list<std::string_view> args) {
    std::string out;
    out.reserve(pattern.size() + 16);
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c != '%' || i + 1 == pattern.size()) {
            out.push_back(c);
            continue;
        }
        const char next = pattern[i + 1];
        if (next == '%') {
            out.push_back('%');
            ++i;
        } else if (next >= '1' && next <= '9') {
            const auto index = static_cast<std::size_t>(next - '1');
            if (index < args.size()) {
                out.append(*(args.begin() + index));
            }
            ++i;
        } else {
            out.push_back(c);
        }
    }
    return out;
}

} // namespace ostrel
