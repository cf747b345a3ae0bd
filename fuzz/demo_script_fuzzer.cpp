// Arbitrary bytes as a script of ostrel-demo. Reading must never crash, leak
// or hang; an accepted script must have the shape the driver relies on (one
// or more type selections, all but the last left with ChangeDomain, values
// only after OK, an identification button exactly then), hold no control
// character that typing would turn into a key (Enter, Tab), and written out
// again it must read back as the same script.
#include "Script.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

using ostrel::demo::Button;
using ostrel::demo::Script;

bool hasControlCharacter(const std::string& text) {
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f) {
            return true;
        }
    }
    return false;
}

std::string written(const Script& script) {
    std::string text;
    for (const ostrel::demo::TypeChoice& choice : script.typeChoices) {
        if (choice.type) {
            text += "type " + *choice.type + "\n";
        }
        text += std::string("button ") + ostrel::demo::buttonName(choice.button) + "\n";
    }
    for (const auto& [attribute, value] : script.values) {
        text += "value " + attribute + " " + value + "\n";
    }
    if (script.identificationButton) {
        text +=
            std::string("button ") + ostrel::demo::buttonName(*script.identificationButton) + "\n";
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string error;
    const std::optional<Script> script =
        ostrel::demo::parseScript(std::string(reinterpret_cast<const char*>(data), size), error);
    if (!script) {
        if (error.empty()) {
            std::abort();
        }
        return 0;
    }
    const auto& choices = script->typeChoices;
    if (choices.empty() || choices.back().button == Button::ChangeDomain) {
        std::abort();
    }
    for (std::size_t i = 0; i + 1 < choices.size(); ++i) {
        if (choices[i].button != Button::ChangeDomain) {
            std::abort();
        }
    }
    const bool identified = choices.back().button == Button::Ok;
    if (script->identificationButton.has_value() != identified ||
        (!identified && !script->values.empty()) ||
        script->identificationButton == Button::ChangeDomain) {
        std::abort();
    }
    for (const auto& [attribute, value] : script->values) {
        if (hasControlCharacter(attribute) || hasControlCharacter(value)) {
            std::abort();
        }
    }
    const std::optional<Script> again = ostrel::demo::parseScript(written(*script), error);
    if (again != script) {
        std::abort();
    }
    return 0;
}
