#include "host/base/U8String.h"

#include <string_view>

#ifndef _WIN32
#include <clocale>
#include <cwctype>
#include <locale.h>
#include <wctype.h>
#endif

namespace ostrel {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool isScalarValue(char32_t cp) {
    return cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF);
}

std::u32string wideToCodePoints(std::wstring_view wide) {
    if constexpr (sizeof(wchar_t) == 2) {
        // UTF-16 (Windows).
        std::u16string units;
        for (const wchar_t unit : wide) {
            units.push_back(static_cast<char16_t>(unit));
        }
        return decodeUtf16(units);
    } else {
        std::u32string out;
        for (const wchar_t unit : wide) {
            out.push_back(static_cast<char32_t>(unit));
        }
        return out;
    }
}

std::string wideToUtf8(std::wstring_view wide) {
    return encodeUtf8(wideToCodePoints(wide));
}

#ifndef _WIN32
// Made once: the tables of C.UTF-8 are part of the C library and do not
// depend on which locales the machine has generated.
locale_t caseFoldingLocale() {
    static const locale_t locale = ::newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{});
    return locale;
}
#endif

} // namespace

std::u32string decodeUtf16(std::u16string_view units) {
    std::u32string out;
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char32_t unit = units[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < units.size()) {
            const char32_t next = units[i + 1];
            if (next >= 0xDC00 && next <= 0xDFFF) {
                out.push_back(0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00));
                ++i;
                continue;
            }
        }
        out.push_back(unit);
    }
    return out;
}

std::u16string encodeUtf16(const std::u32string& codePoints) {
    std::u16string out;
    for (const char32_t c : codePoints) {
        if (c >= 0x10000 && c <= 0x10FFFF) {
            const char32_t v = c - 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (v >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (v & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(c));
        }
    }
    return out;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (!isScalarValue(cp)) {
        cp = kReplacement;
    }
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

std::string encodeUtf8(const std::u32string& codePoints) {
    std::string out;
    out.reserve(codePoints.size());
    for (char32_t cp : codePoints) {
        appendUtf8(out, cp);
    }
    return out;
}

std::u32string decodeUtf8(const std::string& utf8) {
    std::u32string out;
    out.reserve(utf8.size());
    const std::size_t n = utf8.size();
    std::size_t i = 0;
    while (i < n) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x80) {
            out.push_back(lead);
            ++i;
            continue;
        }
        std::size_t length = 0;
        char32_t cp = 0;
        char32_t minimum = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            cp = lead & 0x1F;
            minimum = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            cp = lead & 0x0F;
            minimum = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            cp = lead & 0x07;
            minimum = 0x10000;
        } else {
            out.push_back(kReplacement); // stray continuation byte or invalid lead
            ++i;
            continue;
        }
        std::size_t consumed = 1;
        while (consumed < length && i + consumed < n) {
            const auto c = static_cast<unsigned char>(utf8[i + consumed]);
            if ((c & 0xC0) != 0x80) {
                break;
            }
            cp = (cp << 6) | (c & 0x3F);
            ++consumed;
        }
        if (consumed < length || cp < minimum || !isScalarValue(cp)) {
            // A truncated or overlong sequence, or an encoded surrogate: one
            // replacement for the bytes looked at, then resume after them.
            out.push_back(kReplacement);
        } else {
            out.push_back(cp);
        }
        i += consumed;
    }
    return out;
}

char32_t foldCase(char32_t cp) {
    if (cp < 0x80) {
        return cp >= 'A' && cp <= 'Z' ? cp + ('a' - 'A') : cp;
    }
#ifndef _WIN32
    if (const locale_t locale = caseFoldingLocale(); locale != locale_t{} && isScalarValue(cp)) {
        // Through the upper case first, so that a final sigma or a long s
        // folds like the other forms of its letter.
        const wint_t upper = ::towupper_l(static_cast<wint_t>(cp), locale);
        return static_cast<char32_t>(::towlower_l(upper, locale));
    }
#endif
    return cp;
}

std::u32string foldCase(const std::string& utf8) {
    std::u32string folded = decodeUtf8(utf8);
    for (char32_t& cp : folded) {
        cp = foldCase(cp);
    }
    return folded;
}

} // namespace ostrel

namespace Ostrel {

u8string::u8string(const char* utf8) : bytes_(utf8 ? utf8 : "") {}

u8string::u8string(const wchar_t* wide) : bytes_(wide ? ostrel::wideToUtf8(wide) : std::string()) {}

u8string::u8string(const pstring& wide) : bytes_(ostrel::wideToUtf8(wide.str())) {}

u8string& u8string::operator=(const char* utf8) {
    bytes_ = utf8 ? utf8 : "";
    return *this;
}

std::string u8string::toAcp() const {
    return bytes_;
}

void u8string::setAcp(const char* acp) {
    bytes_ = acp ? acp : "";
}

void u8string::setAcp(const std::string& acp) {
    bytes_ = acp;
}

pstring::pstring(const u8string& text) {
    const std::u32string cps = ostrel::decodeUtf8(text.str());
    wide_.reserve(cps.size());
    for (char32_t cp : cps) {
        if constexpr (sizeof(wchar_t) == 2) {
            if (cp >= 0x10000) {
                const char32_t v = cp - 0x10000;
                wide_.push_back(static_cast<wchar_t>(0xD800 + (v >> 10)));
                wide_.push_back(static_cast<wchar_t>(0xDC00 + (v & 0x3FF)));
                continue;
            }
        }
        wide_.push_back(static_cast<wchar_t>(cp));
    }
}

} // namespace Ostrel
