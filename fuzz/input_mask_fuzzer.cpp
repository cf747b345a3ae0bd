// Arbitrary masks, lengths and typed texts: correction must never crash and
// must be idempotent, and validation must accept what correction produced
// whenever it filled every required position.
#include "host/common/AttributeTemplate.h"
#include "host/common/OstrelDocAttributeTemplate.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Layout: one byte of length, then the mask up to the first NUL, then the
    // typed text.
    if (size < 1) {
        return 0;
    }
    const std::string rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::size_t split = rest.find('\0');
    const std::string mask = rest.substr(0, split);
    const std::string typed = split == std::string::npos ? std::string() : rest.substr(split + 1);

    AttributeTemplate t("A");
    t.setProperty("name", "A")
        .setProperty("mask", mask)
        .setProperty("size", std::to_string(data[0] % 40));
    const OstrelDocAttributeTemplate attribute(&t);
    Ostrel::u8string once;
    if (!attribute.correctMask(typed, once)) {
        once = typed;
    }
    Ostrel::u8string twice;
    if (!attribute.correctMask(once, twice)) {
        twice = once;
    }
    if (twice != once) {
        std::abort();
    }
    Ostrel::u8string message;
    if (attribute.isValid(once, message) != message.empty()) {
        std::abort(); // a refusal always says why, an acceptance says nothing
    }
    return 0;
}
