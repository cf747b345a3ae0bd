#pragma once

namespace ostrel::autoident::detail {

/// Reads a number the way the identifier files have always been read: like
/// the C `atoi` function (optional leading white space, optional sign,
/// decimal digits, the rest ignored). A null text reads as 0. A value beyond
/// the 32-bit range is clamped to it instead of being undefined.
long readAtoi(const char* text);

/// Reads a counter number from a file or a typed identifier. Only the exact
/// text "0" is zero; any other text is accepted only when readAtoi gives a
/// non-zero result, so "00", "", "abc" and " 0" are refused. Returns false,
/// `number` unchanged, when the text is refused.
bool readCounterNumber(const char* text, long& number);

} // namespace ostrel::autoident::detail
