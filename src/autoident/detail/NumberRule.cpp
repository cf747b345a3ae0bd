#include "autoident/detail/NumberRule.h"

#include "host/base/detail/NumberText.h"

#include <cstring>

namespace ostrel::autoident::detail {

bool readNumber(const char* text, std::int64_t& number) {
    if (text == nullptr) {
        return false;
    }
    if (std::strcmp(text, "0") == 0) {
        number = 0;
        return true;
    }
    const std::int64_t parsed = ostrel::readLeadingInteger(text);
    if (parsed == 0) {
        return false;
    }
    number = parsed;
    return true;
}

bool readCounterNumber(const char* text, std::int32_t& number) {
    std::int64_t parsed = 0;
    if (!readNumber(text, parsed)) {
        return false;
    }
    number = ostrel::readLeadingInt(text);
    return true;
}

bool readCounterValue(const char* text, std::uint32_t& value) {
    std::int64_t parsed = 0;
    if (!readNumber(text, parsed)) {
        return false;
    }
    // Beyond what a counter holds the number is clamped as atoi and the
    // attribute numbers clamp it, to the ends of int: the top of the counter
    // (4294967295) would wrap round to 0 at the next use and hand out the
    // day's identifiers again.
    value = parsed >= INT32_MIN && parsed <= UINT32_MAX
                ? static_cast<std::uint32_t>(parsed)
                : static_cast<std::uint32_t>(ostrel::readLeadingInt(text));
    return true;
}

} // namespace ostrel::autoident::detail
