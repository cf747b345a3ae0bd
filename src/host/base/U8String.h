#pragma once

#include "ostrel_export.h"

#include <compare>
#include <cstddef>
#include <string>
#include <string_view>

namespace Ostrel {

class pstring;

/// UTF-8 text over a byte string. Equality and order are those of the bytes,
/// so a map keyed by u8string sorts upper-case ASCII letters before lower-case
/// ones. The text is not validated on the way in; conversions to the wide form
/// replace every malformed sequence by U+FFFD instead of failing.
class OSTREL_EXPORT u8string {
public:
    u8string() = default;
    /// From UTF-8 bytes; a null pointer gives the empty text.
    u8string(const char* utf8);
    u8string(std::string utf8) : bytes_(std::move(utf8)) {}
    /// From wide text; a null pointer gives the empty text.
    u8string(const wchar_t* wide);
    u8string(const pstring& wide);

    u8string& operator=(const char* utf8);

    /// The text in the platform's narrow ("ANSI") encoding. On Linux the
    /// narrow encoding is UTF-8, so this is the text itself.
    std::string toAcp() const;
    /// Sets the text from the platform's narrow encoding (identity on Linux);
    /// a null pointer gives the empty text.
    void setAcp(const char* acp);
    void setAcp(const std::string& acp);

    const std::string& str() const { return bytes_; }
    const char* c_str() const { return bytes_.c_str(); }
    std::size_t size() const { return bytes_.size(); }
    bool empty() const { return bytes_.empty(); }

    friend bool operator==(const u8string&, const u8string&) = default;
    friend std::strong_ordering operator<=>(const u8string& a, const u8string& b) {
        // std::string compares through char_traits<char>, which orders bytes as
        // unsigned values: exactly the byte-wise order we promise.
        const int c = a.bytes_.compare(b.bytes_);
        return c < 0 ? std::strong_ordering::less
                     : (c > 0 ? std::strong_ordering::greater : std::strong_ordering::equal);
    }

private:
    std::string bytes_;
};

/// The wide form of a u8string, used with wide platform interfaces.
class OSTREL_EXPORT pstring {
public:
    pstring() = default;
    explicit pstring(const u8string& text);
    explicit pstring(std::wstring wide) : wide_(std::move(wide)) {}

    const std::wstring& str() const { return wide_; }
    const wchar_t* c_str() const { return wide_.c_str(); }
    u8string toU8() const { return u8string(*this); }

    friend bool operator==(const pstring&, const pstring&) = default;

private:
    std::wstring wide_;
};

} // namespace Ostrel

/// Text helpers of the team, on the code points of the host's strings.
namespace ostrel {

/// Decodes UTF-8 into code points; malformed, overlong, surrogate and
/// out-of-range sequences become U+FFFD, one per offending byte sequence.
OSTREL_EXPORT std::u32string decodeUtf8(const std::string& utf8);
/// Encodes code points as UTF-8; surrogates and values above U+10FFFF become
/// U+FFFD.
OSTREL_EXPORT std::string encodeUtf8(const std::u32string& codePoints);
OSTREL_EXPORT void appendUtf8(std::string& out, char32_t codePoint);

/// Decodes UTF-16 code units into code points. A surrogate that is not part
/// of a pair stays a surrogate code point, which encodeUtf8 replaces by
/// U+FFFD.
OSTREL_EXPORT std::u32string decodeUtf16(std::u16string_view units);
/// Encodes code points as UTF-16, those above U+FFFF as surrogate pairs.
OSTREL_EXPORT std::u16string encodeUtf16(const std::u32string& codePoints);

/// The code point with its letter case folded, so that two texts that differ
/// only in letter case fold alike (Ú/ú, Ä/ä, Σ/σ/ς): the lower case of
/// the upper case, by the C library's Unicode tables of the C.UTF-8 locale
/// whatever the process locale is. Only ASCII letters are folded where that
/// locale is not available.
OSTREL_EXPORT char32_t foldCase(char32_t codePoint);
/// The code points of UTF-8 text, each folded (decoded as decodeUtf8 does).
OSTREL_EXPORT std::u32string foldCase(const std::string& utf8);

} // namespace ostrel
