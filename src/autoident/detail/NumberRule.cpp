#include "autoident/detail/NumberRule.h"

#include "host/base/detail/NumberText.h"

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
    const std::int64_t parsed = ostrel::readLeadingInteger(text);
    if (parsed == 0) {
        return false;
    }
    number = parsed;
    return true;
}

// The rule over the 64-bit reading, clamped to [low, high] and stored in the
// field's type (where a negative value becomes its unsigned counterpart).
template <typename Field>
bool readClamped(const char* text, std::int64_t low, std::int64_t high, Field& field) {
    std::int64_t parsed = 0;
    if (!readNumber(text, parsed)) {
        return false;
    }
    field = static_cast<Field>(std::clamp(parsed, low, high));
    return true;
}

} // namespace

bool readCounterNumber(const char* text, std::int32_t& number) {
    return readClamped(text, INT32_MIN, INT32_MAX, number);
}

bool readCounterValue(const char* text, std::uint32_t& value) {
    return readClamped(text, INT32_MIN, UINT32_MAX, value);
}

} // namespace ostrel::autoident::detail
