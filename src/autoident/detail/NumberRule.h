#pragma once

#include <cstdint>

namespace ostrel::autoident::detail {

/// The number rule without a field's range: "0" is 0, any other text is
/// accepted when its leading integer (clamped to 64 bits) is not zero.
[[nodiscard]] bool readNumber(const char* text, std::int64_t& number);

/// Reads a number of a counter definition (number width, increment, initial
/// value) the way the identifier files have always been read: only the exact
/// text "0" is zero; any other text is accepted only when its leading integer
/// (ostrel::readLeadingInteger, as atoi reads it) is not zero, so "00", "",
/// "abc" and " 0" are refused while "0007" is 7 and "12ab" is 12. The number
/// is clamped to the 32-bit signed range of the counter's fields. Returns
/// false, `number` unchanged, when the text is refused.
[[nodiscard]] bool readCounterNumber(const char* text, std::int32_t& number);

/// Reads a counter's value (a value file line, the number part of a typed
/// identifier) by the same rule. Every value a counter holds, 0 to
/// 4294967295, reads back as itself, so a value the library wrote is the
/// value it reads. A negative number is taken as the counter's unsigned
/// 32-bit arithmetic takes it (-1 is 4294967295). A number beyond
/// -2147483648 or 4294967295 is clamped to the range of int, as atoi and
/// every attribute number clamp it, so that the next use never wraps it
/// round to 0.
[[nodiscard]] bool readCounterValue(const char* text, std::uint32_t& value);

} // namespace ostrel::autoident::detail
