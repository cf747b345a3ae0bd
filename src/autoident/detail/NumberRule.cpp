#include "autoident/detail/NumberRule.h"

#include <climits>
#include <cstdlib>
#include <cstring>

namespace ostrel::autoident::detail {

long readAtoi(const char* text) {
    if (text == nullptr) {
        return 0;
    }
    // strtol has atoi's syntax but a defined result on overflow; clamping to
    // the int range keeps the number what a 32-bit atoi would report.
    const long parsed = std::strtol(text, nullptr, 10);
    if (parsed > INT_MAX) {
        return INT_MAX;
    }
    if (parsed < INT_MIN) {
        return INT_MIN;
    }
    return parsed;
}

bool readCounterNumber(const char* text, long& number) {
    if (text == nullptr) {
        return false;
    }
    if (std::strcmp(text, "0") == 0) {
        number = 0;
        return true;
    }
    const long parsed = readAtoi(text);
    if (parsed == 0) {
        return false;
    }
    number = parsed;
    return true;
}

} // namespace ostrel::autoident::detail
