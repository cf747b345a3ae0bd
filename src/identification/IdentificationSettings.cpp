#include "identification/IdentificationSettings.h"

#include "platform/ProductSettings.h"
#include "platform/RegistryKey.h"

#include <cstddef>
#include <utility>

namespace ostrel::identification {
namespace {

using platform::RegistryAccess;
using platform::RegistryKey;
using platform::RegistryRoot;
using platform::RegistryValue;
using platform::TextWidth;

constexpr const char* kAllowStickyCursor = "AllowStickyCursor";
constexpr const char* kStickyCursorPosition = "StickyCursorPosition";
constexpr const char* kLastUsedIdents = "LastUsedIdents";
constexpr const char* kPosition = "DocumentIdentificationDlg2Size";

/// The room the dialog gives a stored text, its terminating zero included.
constexpr std::size_t kTextCapacity = 4095;

// A number is read into the four bytes of the member as the registry copies
// a value's data: a shorter value replaces only the low bytes, a longer one
// nothing, and the type is not looked at.
void readNumber(const RegistryKey& key, const char* name, std::int32_t& member) {
    const auto value = key.queryValue(name);
    if (!value) {
        return;
    }
    const std::string data = value->data(TextWidth::Narrow);
    if (data.size() > sizeof member) {
        return;
    }
    auto bits = static_cast<std::uint32_t>(member);
    for (std::size_t i = 0; i < data.size(); ++i) {
        const unsigned shift = 8u * static_cast<unsigned>(i);
        bits = (bits & ~(0xFFu << shift)) |
               (static_cast<std::uint32_t>(static_cast<unsigned char>(data[i])) << shift);
    }
    member = static_cast<std::int32_t>(bits);
}

// The text of a string value that fits the dialog's room, up to its first
// zero byte; the empty text for anything else.
std::string readText(const RegistryKey& key, const char* name) {
    const auto value = key.queryValue(name);
    if (!value || !value->isText()) {
        return {};
    }
    const std::string data = value->data(TextWidth::Narrow);
    if (data.empty() || data.size() > kTextCapacity || data.back() != '\0') {
        return {};
    }
    return data.substr(0, data.find('\0'));
}

} // namespace

void IdentificationSettings::load(platform::WindowHandle parent,
                                  const platform::Services& services) {
    const auto key = services.settingsStore().openKey(
        RegistryRoot::CurrentUser, platform::kProductSettingsKey, RegistryAccess::Read);
    if (!key) {
        return;
    }
    readNumber(*key, kAllowStickyCursor, allowStickyCursor);
    readNumber(*key, kStickyCursorPosition, stickyCursorPosition);
    Ostrel::u8string idents;
    idents.setAcp(readText(*key, kLastUsedIdents));
    lastUsedIdents.deserialize(idents);

    position = platform::restoredPosition(services.monitorQuery(), parent,
                                          parsePosition(readText(*key, kPosition)), position);
}

bool IdentificationSettings::save(platform::ScreenPoint windowTopLeft,
                                  const platform::Services& services) const {
    const auto key = services.settingsStore().openKey(
        RegistryRoot::CurrentUser, platform::kProductSettingsKey, RegistryAccess::ReadWrite);
    if (!key) {
        return false;
    }
    Ostrel::u8string idents;
    lastUsedIdents.serialize(idents);
    const std::pair<const char*, RegistryValue> values[] = {
        {kAllowStickyCursor, RegistryValue::number(static_cast<std::uint32_t>(allowStickyCursor))},
        {kStickyCursorPosition,
         RegistryValue::number(static_cast<std::uint32_t>(stickyCursorPosition))},
        {kLastUsedIdents, RegistryValue::string(idents.toAcp())},
        {kPosition, RegistryValue::string(formatPosition(windowTopLeft))},
    };
    for (const auto& [name, value] : values) {
        // A value that cannot be written is not reported: the others are still worth keeping.
        static_cast<void>(key->setValue(name, value));
    }
    return true;
}

platform::ScreenPoint IdentificationSettings::parsePosition(const std::string& text) {
    platform::ScreenPoint point;
    int field = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            field = field < 2 ? field + 1 : field;
        } else if (field < 2) {
            int& target = field == 0 ? point.x : point.y;
            // Wraps like the 32-bit arithmetic it stands for, never traps.
            target = static_cast<int>(static_cast<std::uint32_t>(target) * 10u +
                                      static_cast<std::uint32_t>(c - '0'));
        }
    }
    return point;
}

std::string IdentificationSettings::formatPosition(platform::ScreenPoint point) {
    return std::to_string(point.x) + ";" + std::to_string(point.y) + ";";
}

} // namespace ostrel::identification
