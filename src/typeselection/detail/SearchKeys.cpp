#include "typeselection/detail/SearchKeys.h"

#include "typeselection/KeyDrivenSearch.h"

namespace ostrel::typeselection::detail {
namespace {

// The character Alt with `key` types into the search: digits and the signs
// of the numeric keypad's operators, which Alt combinations on the keypad
// stand for. Nothing for any other key.
std::optional<char32_t> altSearchCharacter(char32_t key) {
    switch (key) {
    case U'-':
    case U'+':
    case U'*':
    case U'/':
        return key;
    default:
        return key >= U'0' && key <= U'9' ? std::optional<char32_t>(key) : std::nullopt;
    }
}

} // namespace

std::optional<std::u32string> searchCharacters(char32_t key, KeyModifiers modifiers,
                                               std::u32string_view text) {
    const bool plain = !modifiers.shift && !modifiers.control && !modifiers.alt && !modifiers.meta;
    if (key == KeyDrivenSearch::kBackspace && plain) {
        return std::u32string(1, KeyDrivenSearch::kBackspace);
    }
    if (modifiers.alt && !modifiers.control && !modifiers.meta) {
        // Shift too, which some keyboards need for + and *.
        if (const std::optional<char32_t> character = altSearchCharacter(key)) {
            return std::u32string(1, *character);
        }
        return std::nullopt;
    }
    if (!modifiers.control && !modifiers.alt && !modifiers.meta && !text.empty()) {
        // The list's own incremental search never runs: typed text is ours.
        return std::u32string(text);
    }
    return std::nullopt;
}

} // namespace ostrel::typeselection::detail
