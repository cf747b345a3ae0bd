#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace ostrel::demo {

/// A button that ends one showing of a dialog.
enum class Button { Ok, Cancel, ChangeDomain };

/// One showing of the type selection dialog: the type to pick (by its
/// identifier; none keeps the one the dialog offers) and the button that
/// closes it.
struct TypeChoice {
    std::optional<std::string> type;
    Button button = Button::Ok;

    bool operator==(const TypeChoice&) const = default;
};

/// What a user does in the demo, written down so that it can run without a
/// display. The text has one step per line; `#` starts a comment:
///
///     type Letters.Outgoing            pick a type in the type selection dialog
///     button ChangeDomain              Change Domain (the dialog shows again)
///     button OK                        close the dialog (OK or Cancel)
///     value Recipient Kovo Hradec      type a value into an attribute's field
///     value Reference                  (nothing after the name: empty the field)
///     button OK                        close the identification dialog
///
/// The type selection steps come first; its showings but the last end with
/// ChangeDomain. The identification steps follow a type selection ended with
/// OK, and must then end with OK or Cancel. Steps are separated by blanks;
/// values are any UTF-8 text (`value Recipient Hradec Králové`). A line that
/// holds a control character (a Tab, a CR other than that of a CR LF line
/// end) or is not UTF-8 is refused, since it could not be typed as written.
struct Script {
    std::vector<TypeChoice> typeChoices; ///< at least one; all but the last ChangeDomain
    /// Attribute identifier and text, in the order typed.
    std::vector<std::pair<std::string, std::string>> values;
    /// How the identification dialog ends; none when the type selection was cancelled.
    std::optional<Button> identificationButton;

    bool operator==(const Script&) const = default;
};

/// Reads a script; on failure returns nothing and sets `error` to
/// "line N: reason" (or a reason about the whole script).
std::optional<Script> parseScript(const std::string& text, std::string& error);

/// The button's name as a script writes it.
const char* buttonName(Button button);

} // namespace ostrel::demo
