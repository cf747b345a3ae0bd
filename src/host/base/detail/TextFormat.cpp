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

std::string withoutMnemonics(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&') {
            ++i; // the marked character itself stays, a second "&" too
            if (i == text.size()) {
                break;
            }
        }
        out.push_back(text[i]);
    }
    return out;
}

std::string labelledName(std::string_view label) {
    std::string name = withoutMnemonics(label);
    if (!name.empty() && name.back() == ':') {
        name.pop_back();
    }
    return name;
}

} // namespace ostrel
