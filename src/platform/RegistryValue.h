#pragma once

#include "ostrel_export.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace ostrel::platform {

/// The type a settings value carries, as the Windows registry records it.
enum class RegistryValueType {
    String,       ///< REG_SZ
    ExpandString, ///< REG_EXPAND_SZ (never written by the library, accepted as text)
    Number,       ///< REG_DWORD, a 32-bit number
    Binary,       ///< REG_BINARY, or any other type the library does not write
};

/// How a caller reads string data: through the registry's narrow ("ANSI") or
/// wide functions. It decides the bytes and the size a string value has.
enum class TextWidth {
    Narrow, ///< UTF-8 bytes with one terminating zero byte (the narrow encoding on Linux)
    Wide,   ///< UTF-16LE code units with one terminating zero unit
};

/// A typed settings value. Strings are held as UTF-8 text; what a reader of
/// the registry receives for them (bytes and byte size) depends on the width
/// it reads with, exactly as with the registry's A and W functions.
class OSTREL_EXPORT RegistryValue {
public:
    RegistryValue() = default;

    static RegistryValue string(std::string utf8);
    static RegistryValue expandString(std::string utf8);
    static RegistryValue number(std::uint32_t value);
    static RegistryValue binary(std::string bytes);

    RegistryValueType type() const { return type_; }
    /// True for String and ExpandString.
    bool isText() const;
    /// The UTF-8 text of a string value, the bytes of a binary one; empty for
    /// a number.
    const std::string& text() const { return text_; }
    /// The number of a Number value; 0 for the other types.
    std::uint32_t number() const { return number_; }

    /// The value's data as the registry hands it to a reader: for strings the
    /// text in the given width with its terminating zero, for a number its
    /// four bytes in little-endian order, for binary data the bytes.
    std::string data(TextWidth width) const;
    /// The size in bytes of `data(width)`.
    std::size_t size(TextWidth width) const;

    /// The value as one line of text in an INI settings file. Numbers are
    /// written as "dword:" and eight lower-case hex digits, as in registry
    /// export files; text is written as it stands unless it would read back
    /// as something else, in which case "sz:" is put in front. Binary data
    /// is written as "hex:" and two hex digits per byte; an expandable string
    /// as "expand:" and its text.
    std::string toSettingsText() const;
    /// Reads what `toSettingsText` writes, with hex digits in either case.
    /// Any other text, including a malformed "dword:" or "hex:" line written
    /// by hand, is a plain string.
    static RegistryValue fromSettingsText(std::string_view text);

    /// The text a reader finds in `data` read with the wide functions into a
    /// zero-filled buffer: UTF-16LE units up to the first zero unit (an odd
    /// last byte pairs with the buffer's zero), converted to UTF-8; unpaired
    /// surrogates become U+FFFD.
    static std::string textFromWideData(std::string_view data);

    friend bool operator==(const RegistryValue&, const RegistryValue&) = default;

private:
    RegistryValueType type_ = RegistryValueType::String;
    std::string text_;
    std::uint32_t number_ = 0;
};

} // namespace ostrel::platform
