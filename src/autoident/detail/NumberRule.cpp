#include "autoident/detail/NumberRule.h"

#include "host/base/NumberText.h"

#include <algorithm>
#include <cstring>

namespace ostrel::autoident::detail {
namespace {

bool readNumber(const char* text, std::int64_t& number) {
    if (text == nullptr) {
        return false;
    }
    if (std::strcmp(text, "0") == 0) {
        number = 0;
        return true;
    }
    const std::int64_t parsed = Ostrel::readLeadingInteger(text);
    if (parsed == 0) {
        return false;
    }
    number = parsed;
    return true;
}

} // namespace

bool readCounterNumber(const char* text, std::int32_t& number) {
    std::int64_t parsed = 0;
    if (!readNumber(text, parsed)) {
        return false;
    }
    number = static_cast<std::int32_t>(std::clamp<std::int64_t>(parsed, INT32_MIN, INT32_MAX));
    return true;
}

bool readCounterValue(const char* text, std::uint32_t& value) {
    std::int64_t parsed = 0;
    if (!readNumber(text, parsed)) {
        return false;
    }
    value = static_cast<std::uint32_t>(std::clamp<std::int64_t>(parsed, INT32_MIN, UINT32_MAX));
    return true;
}

} // namespace ostrel::autoident::detail
