#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <vector>

namespace ostrel::detail {

/// An attribute's input mask, in the line-edit convention users know:
///   9 digit            0 optional digit
///   A letter           a optional letter
///   N letter or digit  n optional letter or digit
///   X any non-blank    x optional non-blank
///   > upper-case what follows, < lower-case it, ! keep case as typed
///   \ makes the next character a literal; any other character is a literal
///     that is inserted automatically.
/// Texts are handled as Unicode code points.
class InputMask {
public:
    enum class Kind { Literal, Digit, Letter, LetterOrDigit, NonBlank };
    enum class Case { AsTyped, Upper, Lower };

    struct Position {
        Kind kind = Kind::Literal;
        bool required = false;
        Case letterCase = Case::AsTyped;
        char32_t literal = 0;
    };

    InputMask() = default;
    /// Parses the mask text (UTF-8). A trailing lone backslash is ignored.
    explicit InputMask(const std::string& mask);

    bool empty() const { return positions_.empty(); }

    /// Fits typed text to the mask, position by position: a typed character
    /// that does not fit the current slot is dropped, a literal position is
    /// inserted (and a typed copy of it consumed), letters get the case the
    /// mask asks for, and everything beyond the mask's end is cut. Literals
    /// are only inserted while typed text remains, so a user can always
    /// delete back past them. fit(fit(t)) == fit(t) for every t.
    ///
    /// `positions` (character positions in `typed`: a caret, the ends of a
    /// selection) move to where they land in the fitted text: after
    /// everything fitted from the typed text before them, literals inserted
    /// on the way included. Typing "010" into "99.99" with the caret at the
    /// end gives "01.0" with the caret after the last "0", so the next digit
    /// follows it. A position that fitting never reached (beyond the mask's
    /// end) lands at the end of the fitted text.
    std::u32string fit(const std::u32string& typed, std::span<std::size_t> positions = {}) const;

    /// Whether `value` has the mask's form: each character fits its
    /// position, every required slot is filled, nothing is beyond the end.
    /// Case is not checked (fit takes care of it).
    bool matches(const std::u32string& value) const;

    /// A short English description of the expected form, e.g.
    /// "3 letters, '-', 4 digits" (translated through the catalogue).
    std::string describe() const;

    static bool fits(const Position& position, char32_t c);
    static char32_t applyCase(const Position& position, char32_t c);

private:
    std::vector<Position> positions_;
};

} // namespace ostrel::detail
