#include "platform/RegistryValue.h"

#include "host/base/U8String.h"

#include <array>

namespace ostrel::platform {
namespace {

constexpr std::string_view kNumberTag = "dword:";
constexpr std::string_view kStringTag = "sz:";
constexpr std::string_view kExpandTag = "expand:";
constexpr std::string_view kBinaryTag = "hex:";

// The text as the registry's wide functions hand it out: UTF-16 units in
// little-endian byte order.
std::string toUtf16Le(const std::string& utf8) {
    std::string out;
    for (const char16_t unit : ostrel::encodeUtf16(ostrel::decodeUtf8(utf8))) {
        out.push_back(static_cast<char>(unit & 0xFFu));
        out.push_back(static_cast<char>((unit >> 8) & 0xFFu));
    }
    return out;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    // Lower case is written; capitals, as users and other tools write them, are read too.
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

bool parseNumber(std::string_view digits, std::uint32_t& value) {
    if (digits.size() != 8) {
        return false;
    }
    value = 0;
    for (const char c : digits) {
        const int d = hexDigit(c);
        if (d < 0) {
            return false;
        }
        value = (value << 4) | static_cast<std::uint32_t>(d);
    }
    return true;
}

bool parseBinary(std::string_view digits, std::string& bytes) {
    if (digits.size() % 2 != 0) {
        return false;
    }
    bytes.clear();
    for (std::size_t i = 0; i < digits.size(); i += 2) {
        const int high = hexDigit(digits[i]);
        const int low = hexDigit(digits[i + 1]);
        if (high < 0 || low < 0) {
            return false;
        }
        bytes.push_back(static_cast<char>((high << 4) | low));
    }
    return true;
}

// Whether a plain string would read back as another type or lose its tag.
bool needsStringTag(std::string_view text) {
    return startsWith(text, kNumberTag) || startsWith(text, kStringTag) ||
           startsWith(text, kExpandTag) || startsWith(text, kBinaryTag);
}

} // namespace

RegistryValue RegistryValue::string(std::string utf8) {
    RegistryValue value;
    value.type_ = RegistryValueType::String;
    value.text_ = std::move(utf8);
    return value;
}

RegistryValue RegistryValue::expandString(std::string utf8) {
    RegistryValue value = string(std::move(utf8));
    value.type_ = RegistryValueType::ExpandString;
    return value;
}

RegistryValue RegistryValue::number(std::uint32_t number) {
    RegistryValue value;
    value.type_ = RegistryValueType::Number;
    value.number_ = number;
    return value;
}

RegistryValue RegistryValue::binary(std::string bytes) {
    // Held like text; only the type tells the bytes apart.
    RegistryValue value = string(std::move(bytes));
    value.type_ = RegistryValueType::Binary;
    return value;
}

bool RegistryValue::isText() const {
    return type_ == RegistryValueType::String || type_ == RegistryValueType::ExpandString;
}

std::string RegistryValue::data(TextWidth width) const {
    switch (type_) {
    case RegistryValueType::Number: {
        std::string bytes;
        for (int shift = 0; shift < 32; shift += 8) {
            bytes.push_back(static_cast<char>((number_ >> shift) & 0xFFu));
        }
        return bytes;
    }
    case RegistryValueType::Binary:
        return text_;
    case RegistryValueType::String:
    case RegistryValueType::ExpandString:
        break;
    }
    if (width == TextWidth::Narrow) {
        return text_ + '\0';
    }
    std::string wide = toUtf16Le(text_);
    wide.append(2, '\0');
    return wide;
}

std::size_t RegistryValue::size(TextWidth width) const {
    return data(width).size();
}

std::string RegistryValue::toSettingsText() const {
    static constexpr std::array<char, 16> kHex = {'0', '1', '2', '3', '4', '5', '6', '7',
                                                  '8', '9', 'a', 'b', 'c', 'd', 'e', 'f'};
    std::string out;
    switch (type_) {
    case RegistryValueType::Number:
        out = kNumberTag;
        for (int shift = 28; shift >= 0; shift -= 4) {
            out.push_back(kHex[(number_ >> shift) & 0xFu]);
        }
        return out;
    case RegistryValueType::Binary:
        out = kBinaryTag;
        for (const char c : text_) {
            const auto byte = static_cast<unsigned char>(c);
            out.push_back(kHex[byte >> 4]);
            out.push_back(kHex[byte & 0xFu]);
        }
        return out;
    case RegistryValueType::ExpandString:
        return std::string(kExpandTag) + text_;
    case RegistryValueType::String:
        break;
    }
    return needsStringTag(text_) ? std::string(kStringTag) + text_ : text_;
}

RegistryValue RegistryValue::fromSettingsText(std::string_view text) {
    if (startsWith(text, kStringTag)) {
        return string(std::string(text.substr(kStringTag.size())));
    }
    if (startsWith(text, kExpandTag)) {
        return expandString(std::string(text.substr(kExpandTag.size())));
    }
    std::uint32_t number = 0;
    if (startsWith(text, kNumberTag) && parseNumber(text.substr(kNumberTag.size()), number)) {
        return RegistryValue::number(number);
    }
    std::string bytes;
    if (startsWith(text, kBinaryTag) && parseBinary(text.substr(kBinaryTag.size()), bytes)) {
        return binary(std::move(bytes));
    }
    return string(std::string(text));
}

std::string RegistryValue::textFromWideData(std::string_view data) {
    std::u16string units;
    for (std::size_t i = 0; i < data.size(); i += 2) {
        const auto low = static_cast<unsigned char>(data[i]);
        const auto high = i + 1 < data.size() ? static_cast<unsigned char>(data[i + 1]) : 0u;
        const auto unit = static_cast<char16_t>(low | (high << 8));
        if (unit == 0) {
            break;
        }
        units.push_back(unit);
    }
    return ostrel::encodeUtf8(ostrel::decodeUtf16(units));
}

} // namespace ostrel::platform
