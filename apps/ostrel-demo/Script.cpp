#include "Script.h"

#include "host/base/U8String.h"

#include <cstdio>
#include <sstream>

namespace ostrel::demo {
namespace {

constexpr const char* kSpace = " ";

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(kSpace);
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kSpace) - first + 1);
}

/// Splits "word rest of the line" at the first run of blanks.
std::pair<std::string, std::string> firstWord(const std::string& line) {
    const std::size_t end = line.find_first_of(kSpace);
    if (end == std::string::npos) {
        return {line, {}};
    }
    return {line.substr(0, end), trimmed(line.substr(end))};
}

std::optional<Button> buttonNamed(const std::string& name) {
    for (const Button button : {Button::Ok, Button::Cancel, Button::ChangeDomain}) {
        if (name == buttonName(button)) {
            return button;
        }
    }
    return std::nullopt;
}

/// Why a line cannot be typed as written, empty when it can: every step is
/// typed key by key, so a control character would act as a key (a CR as
/// Enter, confirming the dialog half-filled) or be lost (a Tab), and text
/// that is not UTF-8 would be typed as something else.
std::string untypable(const std::string& line) {
    const std::u32string characters = ostrel::decodeUtf8(line);
    if (ostrel::encodeUtf8(characters) != line) {
        return "not UTF-8 text";
    }
    for (const char32_t c : characters) {
        if (c < 0x20 || (c >= 0x7f && c < 0xa0)) {
            char code[8];
            std::snprintf(code, sizeof code, "%04X", static_cast<unsigned>(c));
            return std::string("the control character U+") + code + " cannot be typed";
        }
    }
    return {};
}

/// Where the script stands while it is read.
enum class Stage { TypeSelection, Identification, Finished };

} // namespace

const char* buttonName(Button button) {
    switch (button) {
    case Button::Ok:
        return "OK";
    case Button::Cancel:
        return "Cancel";
    case Button::ChangeDomain:
        return "ChangeDomain";
    }
    return "";
}

std::optional<Script> parseScript(const std::string& text, std::string& error) {
    Script script;
    script.typeChoices.emplace_back();
    Stage stage = Stage::TypeSelection;
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    const auto fail = [&](const std::string& reason) {
        error = "line " + std::to_string(number) + ": " + reason;
        return std::nullopt;
    };
    while (std::getline(lines, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back(); // a script saved with CR LF line ends
        }
        if (const std::string why = untypable(line); !why.empty()) {
            return fail(why);
        }
        line = trimmed(line.substr(0, line.find('#')));
        if (line.empty()) {
            continue;
        }
        const auto [command, argument] = firstWord(line);
        if (stage == Stage::Finished) {
            return fail("nothing may follow the last button");
        }
        if (command == "type") {
            if (stage != Stage::TypeSelection) {
                return fail("'type' belongs before the type selection dialog's button");
            }
            if (argument.empty() || argument.find_first_of(kSpace) != std::string::npos) {
                return fail("'type' needs one type identifier");
            }
            script.typeChoices.back().type = argument;
        } else if (command == "value") {
            if (stage != Stage::Identification) {
                return fail("'value' belongs after the type selection dialog's OK");
            }
            const auto [attribute, value] = firstWord(argument);
            if (attribute.empty()) {
                return fail("'value' needs an attribute identifier");
            }
            script.values.emplace_back(attribute, value);
        } else if (command == "button") {
            const std::optional<Button> button = buttonNamed(argument);
            if (!button) {
                return fail("unknown button '" + argument + "' (OK, Cancel or ChangeDomain)");
            }
            if (stage == Stage::TypeSelection) {
                script.typeChoices.back().button = *button;
                if (*button == Button::ChangeDomain) {
                    script.typeChoices.emplace_back();
                } else {
                    stage = *button == Button::Ok ? Stage::Identification : Stage::Finished;
                }
            } else if (*button == Button::ChangeDomain) {
                return fail("ChangeDomain is a button of the type selection dialog only");
            } else {
                script.identificationButton = *button;
                stage = Stage::Finished;
            }
        } else {
            return fail("unknown step '" + command + "' (type, value or button)");
        }
    }
    if (stage != Stage::Finished) {
        error = stage == Stage::TypeSelection
                    ? "the script ends before the type selection dialog is closed"
                    : "the script ends before the identification dialog is closed";
        return std::nullopt;
    }
    return script;
}

} // namespace ostrel::demo
