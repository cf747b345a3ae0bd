#include "host/common/detail/InputMask.h"

#include "host/base/U8String.h"
#include "host/base/detail/MessageCatalog.h"
#include "host/base/detail/TextFormat.h"

#include <algorithm>
#include <iterator>

#ifndef _WIN32
#include <clocale>
#include <cwctype>
#include <locale.h>
#include <wctype.h>
#endif

namespace ostrel::detail {
namespace {

#ifndef _WIN32
// Character classes and case come from the C.UTF-8 locale, not from the
// process locale: a mask must correct the same way whatever locale the host
// runs in. Without that locale only ASCII letters are recognised.
locale_t unicodeLocale() {
    static const locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{});
    return locale;
}
#endif

bool isAsciiLetter(char32_t c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char32_t c) {
    return c >= '0' && c <= '9';
}

bool isLetter(char32_t c) {
    if (c < 0x80) {
        return isAsciiLetter(c);
    }
#ifndef _WIN32
    if (const locale_t locale = unicodeLocale(); locale != locale_t{} && c <= 0x10FFFF) {
        return iswalpha_l(static_cast<wint_t>(c), locale) != 0;
    }
#endif
    return false;
}

bool isBlankOrControl(char32_t c) {
    if (c < 0x80) {
        return c <= 0x20 || c == 0x7F;
    }
#ifndef _WIN32
    if (const locale_t locale = unicodeLocale(); locale != locale_t{} && c <= 0x10FFFF) {
        return iswspace_l(static_cast<wint_t>(c), locale) != 0 ||
               iswcntrl_l(static_cast<wint_t>(c), locale) != 0;
    }
#endif
    return c == 0xA0 || (c >= 0x80 && c < 0xA0);
}

char32_t toCase(char32_t c, InputMask::Case letterCase) {
    if (letterCase == InputMask::Case::AsTyped) {
        return c;
    }
    const bool upper = letterCase == InputMask::Case::Upper;
    if (c < 0x80) {
        if (upper && c >= 'a' && c <= 'z') {
            return c - 'a' + 'A';
        }
        if (!upper && c >= 'A' && c <= 'Z') {
            return c - 'A' + 'a';
        }
        return c;
    }
#ifndef _WIN32
    if (const locale_t locale = unicodeLocale(); locale != locale_t{} && c <= 0x10FFFF) {
        const wint_t mapped = upper ? towupper_l(static_cast<wint_t>(c), locale)
                                    : towlower_l(static_cast<wint_t>(c), locale);
        return static_cast<char32_t>(mapped);
    }
#endif
    return c;
}

bool sameSlot(const InputMask::Position& a, const InputMask::Position& b) {
    return a.kind == b.kind && a.required == b.required;
}

std::string describeSlots(const InputMask::Position& slot, unsigned long count) {
    const std::string n = std::to_string(count);
    const char* text = nullptr;
    switch (slot.kind) {
    case InputMask::Kind::Digit:
        text = slot.required
                   ? pluralMessageText("ostrel", "%1 digit", "%1 digits", count)
                   : pluralMessageText("ostrel", "up to %1 digit", "up to %1 digits", count);
        break;
    case InputMask::Kind::Letter:
        text = slot.required
                   ? pluralMessageText("ostrel", "%1 letter", "%1 letters", count)
                   : pluralMessageText("ostrel", "up to %1 letter", "up to %1 letters", count);
        break;
    case InputMask::Kind::LetterOrDigit:
        text = slot.required ? pluralMessageText("ostrel", "%1 letter or digit",
                                                 "%1 letters or digits", count)
                             : pluralMessageText("ostrel", "up to %1 letter or digit",
                                                 "up to %1 letters or digits", count);
        break;
    case InputMask::Kind::NonBlank:
    case InputMask::Kind::Literal:
        text = slot.required ? pluralMessageText("ostrel", "%1 character", "%1 characters", count)
                             : pluralMessageText("ostrel", "up to %1 character",
                                                 "up to %1 characters", count);
        break;
    }
    return substitute(text, {n});
}

// The characters that stand for a slot, one for a required and one for an
// optional slot of each kind.
struct SlotCharacter {
    char32_t required;
    char32_t optional;
    InputMask::Kind kind;
};
constexpr SlotCharacter kSlotCharacters[] = {{'9', '0', InputMask::Kind::Digit},
                                             {'A', 'a', InputMask::Kind::Letter},
                                             {'N', 'n', InputMask::Kind::LetterOrDigit},
                                             {'X', 'x', InputMask::Kind::NonBlank}};

} // namespace

InputMask::InputMask(const std::string& mask) {
    const std::u32string chars = decodeUtf8(mask);
    Case letterCase = Case::AsTyped;
    for (std::size_t i = 0; i < chars.size(); ++i) {
        const char32_t c = chars[i];
        Position position;
        position.letterCase = letterCase;
        switch (c) {
        case '>':
            letterCase = Case::Upper;
            continue;
        case '<':
            letterCase = Case::Lower;
            continue;
        case '!':
            letterCase = Case::AsTyped;
            continue;
        case '\\':
            if (i + 1 == chars.size()) {
                continue; // a trailing backslash escapes nothing
            }
            position.literal = chars[++i];
            break;
        default: {
            const auto slot = std::find_if(
                std::begin(kSlotCharacters), std::end(kSlotCharacters),
                [c](const SlotCharacter& s) { return c == s.required || c == s.optional; });
            if (slot == std::end(kSlotCharacters)) {
                position.literal = c;
            } else {
                position.kind = slot->kind;
                position.required = c == slot->required;
            }
            break;
        }
        }
        positions_.push_back(position);
    }
}

bool InputMask::fits(const Position& position, char32_t c) {
    switch (position.kind) {
    case Kind::Literal:
        return c == position.literal;
    case Kind::Digit:
        return isDigit(c);
    case Kind::Letter:
        return isLetter(c);
    case Kind::LetterOrDigit:
        return isDigit(c) || isLetter(c);
    case Kind::NonBlank:
        return !isBlankOrControl(c);
    }
    return false;
}

char32_t InputMask::applyCase(const Position& position, char32_t c) {
    const char32_t mapped = toCase(c, position.letterCase);
    // Keep the typed character when the mapping would leave the slot's class
    // or is not stable under a second mapping: correction must be idempotent.
    if (mapped == c || !fits(position, mapped) || toCase(mapped, position.letterCase) != mapped) {
        return c;
    }
    return mapped;
}

std::u32string InputMask::fit(const std::u32string& typed, std::span<std::size_t> positions) const {
    std::u32string out;
    // landing[i]: the length of the fitted text when the typed text up to
    // position i had been used (taken or dropped).
    std::vector<std::size_t> landing(typed.size() + 1, 0);
    std::size_t next = 0;
    const auto use = [&] { landing[++next] = out.size(); };
    for (const Position& position : positions_) {
        if (next == typed.size()) {
            break;
        }
        if (position.kind == Kind::Literal) {
            out.push_back(position.literal);
            if (typed[next] == position.literal) {
                use(); // the user typed the separator himself
            }
            continue;
        }
        while (next < typed.size() && !fits(position, typed[next])) {
            use();
        }
        if (next == typed.size()) {
            break;
        }
        out.push_back(applyCase(position, typed[next]));
        use();
    }
    for (std::size_t& landed : positions) {
        landed = landed <= next ? landing[landed] : out.size();
    }
    return out;
}

bool InputMask::matches(const std::u32string& value) const {
    std::size_t next = 0;
    for (std::size_t i = 0; i < positions_.size(); ++i) {
        if (next == value.size()) {
            // Ran out of text: fine only if no required slot is left.
            for (std::size_t j = i; j < positions_.size(); ++j) {
                if (positions_[j].kind != Kind::Literal && positions_[j].required) {
                    return false;
                }
            }
            return true;
        }
        if (!fits(positions_[i], value[next])) {
            return false;
        }
        ++next;
    }
    return next == value.size();
}

std::string InputMask::describe() const {
    std::string out;
    const auto addPart = [&out](const std::string& part) {
        if (!out.empty()) {
            out += ", ";
        }
        out += part;
    };
    for (std::size_t i = 0; i < positions_.size();) {
        const Position& first = positions_[i];
        std::size_t end = i + 1;
        if (first.kind == Kind::Literal) {
            std::string literal;
            appendUtf8(literal, first.literal);
            while (end < positions_.size() && positions_[end].kind == Kind::Literal) {
                appendUtf8(literal, positions_[end++].literal);
            }
            addPart("'" + literal + "'");
        } else {
            while (end < positions_.size() && sameSlot(positions_[end], first)) {
                ++end;
            }
            addPart(describeSlots(first, end - i));
        }
        i = end;
    }
    return out;
}

} // namespace ostrel::detail
