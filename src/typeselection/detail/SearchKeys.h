#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ostrel::typeselection::detail {

/// The modifier keys held with a key press (the keypad's own flag is none).
struct KeyModifiers {
    bool shift = false;
    bool control = false;
    bool alt = false;
    bool meta = false;
};

/// What a key press types into the document list's type-ahead search: its
/// characters, `KeyDrivenSearch::kBackspace` for Backspace; nothing when the
/// list leaves the key to its own handling and the dialog (arrows, Enter,
/// Escape, Alt with a letter, which is a mnemonic).
///
/// `key` is the key's character for a character key (the toolkit numbers
/// such keys by their character: '7', '+', 'A'), `KeyDrivenSearch::kBackspace`
/// for Backspace and 0 for any other key; `text` is what the press types, or
/// empty when any character of it is not printable.
std::optional<std::u32string> searchCharacters(char32_t key, KeyModifiers modifiers,
                                               std::u32string_view text);

} // namespace ostrel::typeselection::detail
