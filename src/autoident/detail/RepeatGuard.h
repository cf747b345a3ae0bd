#pragma once

#include <cstdint>
#include <string>

namespace ostrel::autoident::detail {

/// Why marking the number `used` as used would make the counter `counter`
/// (moving by `increment`) offer an identifier again that it offered today:
/// an increment of 0 (the counter never moves) or below (it counts back), a
/// number that a counter cannot hold (negative, or beyond 4294967295; only a
/// `typed` identifier carries one), or a next number that would wrap round
/// past 4294967295 to the day's first numbers. `typed` is the identifier
/// being followed, null when the counter's own next identifier is used. The
/// reason names the counter; empty when the step is safe.
std::string repeatRisk(const std::string& counter, std::int32_t increment, std::int64_t used,
                       const char* typed);

} // namespace ostrel::autoident::detail
