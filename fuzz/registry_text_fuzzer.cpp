// Arbitrary bytes as a stored setting: a line of the INI settings file must
// read as some value whose text form reads back as the same value, and as
// the data of the "Language" value they must give the language set-up a
// defined result.
#include "i18n/ZMLanguageSettings.h"
#include "platform/MemoryRegistry.h"
#include "platform/RegistryValue.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using ostrel::platform::RegistryValue;
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    const RegistryValue value = RegistryValue::fromSettingsText(bytes);
    if (RegistryValue::fromSettingsText(value.toSettingsText()) != value) {
        std::abort();
    }

    static ZMLanguageSettings settings = ZMLanguageSettings::forModuleFile("/nonexistent/lib.so");
    auto store = std::make_unique<ostrel::platform::MemoryRegistry>();
    if (!store->setValue(ostrel::platform::RegistryRoot::CurrentUser, "Software\\Zelvamont",
                         "Language", RegistryValue::binary(bytes))) {
        std::abort();
    }
    auto previous = ostrel::platform::Registry::setDefault(std::move(store));
    settings.readLanguage();
    ostrel::platform::Registry::setDefault(std::move(previous));
    // At most 1023 UTF-16 units, each at most three UTF-8 bytes.
    if (settings.getLanguage().size() > 3 * 1023) {
        std::abort();
    }
    return 0;
}
