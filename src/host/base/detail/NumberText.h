#pragma once

#include <cstdint>

namespace ostrel {

/// Reads the leading decimal integer of a text the way the C `atoi` function
/// does, which is how numbers in the product's files and template properties
/// have always been read: leading white space (blank, tab, line feed,
/// vertical tab, form feed, carriage return), an optional sign, then the
/// decimal digits up to the first other character; 0 when there are no
/// digits, also for a null text. "12px" is 12, " -7" is -7, "x7" is 0.
///
/// Unlike `atoi` the result is defined for every text: a number beyond the
/// range of the result type is clamped to the nearest end of that range
/// ("99999999999999999999" is INT64_MAX, "-4294967296" read as an int is
/// INT_MIN), so a huge number never wraps into a small or zero one.
std::int64_t readLeadingInteger(const char* text);

/// The same, clamped to the range of int.
int readLeadingInt(const char* text);

} // namespace ostrel
