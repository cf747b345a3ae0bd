#include "platform/ProductSettings.h"

#include "platform/RegistryValue.h"

namespace ostrel::platform {
namespace {

// The UTF-16 units of wide registry data before its terminating zero (an odd
// last byte counts as a unit of its own).
std::size_t wideUnits(const std::string& data) {
    std::size_t units = 0;
    for (std::size_t i = 0; i < data.size(); i += 2, ++units) {
        if (data[i] == '\0' && (i + 1 == data.size() || data[i + 1] == '\0')) {
            break;
        }
    }
    return units;
}

} // namespace

std::optional<std::string> readWideText(const RegistryKey& key, const std::string& name,
                                        std::size_t maxUnits) {
    const std::optional<RegistryValue> value = key.queryValue(name);
    if (!value) {
        return std::nullopt;
    }
    const std::string data = value->data(TextWidth::Wide);
    if (wideUnits(data) > maxUnits) {
        return std::nullopt;
    }
    return RegistryValue::textFromWideData(data);
}

} // namespace ostrel::platform
