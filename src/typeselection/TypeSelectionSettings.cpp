#include "typeselection/TypeSelectionSettings.h"

#include "platform/ProductSettings.h"
#include "platform/RegistryValue.h"

#include <climits>
#include <optional>

namespace ostrel::typeselection {
namespace {

using platform::RegistryAccess;
using platform::RegistryRoot;
using platform::RegistryValue;

std::optional<std::string> readValue(const platform::Services& services, const char* name) {
    const auto key = services.settingsStore().openKey(
        RegistryRoot::CurrentUser, platform::kProductSettingsKey, RegistryAccess::Read);
    return key ? platform::readWideText(*key, name) : std::nullopt;
}

bool storeValue(const platform::Services& services, const char* name, std::string text) {
    const auto key = services.settingsStore().openKey(
        RegistryRoot::CurrentUser, platform::kProductSettingsKey, RegistryAccess::ReadWrite);
    return key && key->setValue(name, RegistryValue::string(std::move(text)));
}

} // namespace

void TypeSelectionSettings::load(platform::WindowHandle parent,
                                 const platform::Services& services) {
    if (const auto text = readValue(services, kGeometryValue)) {
        const std::array<int, 4> numbers = parseGeometry(*text);
        geometry.width = numbers[0];
        geometry.height = numbers[1];
        const platform::ScreenPoint position = platform::restoredPosition(
            services.monitorQuery(), parent, {numbers[2], numbers[3]}, {geometry.x, geometry.y});
        geometry.x = position.x;
        geometry.y = position.y;
    }
    if (const auto recent = readValue(services, kLastSelectedValue)) {
        // A damaged list still offers the types read before the damage.
        static_cast<void>(lastSelectedTypes.deserialize(Ostrel::u8string(*recent), false));
    }
}

bool TypeSelectionSettings::saveLastSelected(const platform::Services& services) {
    Ostrel::u8string text;
    return lastSelectedTypes.serialize(text) &&
           storeValue(services, kLastSelectedValue, text.str());
}

bool TypeSelectionSettings::saveGeometry(const SavedGeometry& window,
                                         const platform::Services& services) {
    return storeValue(services, kGeometryValue, formatGeometry(window));
}

std::array<int, 4> TypeSelectionSettings::parseGeometry(const std::string& text) {
    std::array<int, 4> numbers{};
    std::size_t field = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            if (++field == numbers.size()) {
                break;
            }
            continue;
        }
        int& number = numbers[field];
        const int digit = c - '0';
        number = number > (INT_MAX - digit) / 10 ? INT_MAX : number * 10 + digit;
    }
    return numbers;
}

std::string TypeSelectionSettings::formatGeometry(const SavedGeometry& window) {
    std::string text;
    for (const int number : {window.width, window.height, window.x, window.y}) {
        text += std::to_string(number);
        text += ';';
    }
    return text;
}

} // namespace ostrel::typeselection
