#include "host/base/detail/NumberText.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <limits>

namespace ostrel {
namespace {

bool isBlank(char c) {
    // The C locale's white space: the reading must not depend on the host's locale.
    return c == ' ' || (c >= '\t' && c <= '\r');
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

std::int64_t readLeadingInteger(const char* text) {
    if (text == nullptr) {
        return 0;
    }
    while (isBlank(*text)) {
        ++text;
    }
    const bool negative = *text == '-';
    if (*text == '-' || *text == '+') {
        ++text;
    }
    const char* end = text;
    while (isDigit(*end)) {
        ++end;
    }
    std::uint64_t magnitude = 0;
    if (std::from_chars(text, end, magnitude).ec == std::errc::result_out_of_range) {
        magnitude = std::numeric_limits<std::uint64_t>::max();
    }
    constexpr auto kMax = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    if (!negative) {
        return static_cast<std::int64_t>(std::min(magnitude, kMax));
    }
    // -(kMax + 1) is the lowest value; it has no positive counterpart.
    return magnitude > kMax ? std::numeric_limits<std::int64_t>::min()
                            : -static_cast<std::int64_t>(magnitude);
}

int readLeadingInt(const char* text) {
    return static_cast<int>(std::clamp<std::int64_t>(readLeadingInteger(text), INT_MIN, INT_MAX));
}

} // namespace ostrel
