#include "autoident/detail/RepeatGuard.h"

namespace ostrel::autoident::detail {

std::string repeatRisk(const std::string& counter, std::int32_t increment, std::int64_t used,
                       const char* typed) {
    const std::string named = "the counter '" + counter + "' ";
    if (increment == 0) {
        return named + "has the increment 0: it would offer the same identifier after every use";
    }
    if (increment < 0) {
        return named + "has the increment " + std::to_string(increment) +
               ": it would count back to identifiers that were handed out already";
    }
    const std::string follow = typed ? named + "cannot follow '" + typed + "': " : named;
    if (used < 0) {
        return follow + "its number is negative";
    }
    constexpr std::int64_t kTop = UINT32_MAX;
    if (used > kTop) {
        return follow + "its number is beyond " + std::to_string(kTop);
    }
    if (used + increment <= kTop) {
        return {};
    }
    return follow + (typed ? "" : "is at " + std::to_string(used) + ": ") +
           "the next identifier would wrap round past " + std::to_string(kTop) + " to " +
           std::to_string(used + increment - kTop - 1) + " and repeat the day's numbers";
}

} // namespace ostrel::autoident::detail
