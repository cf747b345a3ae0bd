// Arbitrary bytes as the stored window geometry of the type selection dialog,
// stored as any value type would hold them: reading must never crash, leak
// or hang, the numbers read are never negative, and the text written for
// them reads back to the same numbers.
#include "platform/MemoryRegistry.h"
#include "platform/ProductSettings.h"
#include "platform/ScopedDefault.h"
#include "typeselection/TypeSelectionSettings.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

using namespace ostrel::platform;
using ostrel::typeselection::TypeSelectionSettings;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const auto numbers = TypeSelectionSettings::parseGeometry(bytes);
    for (const int number : numbers) {
        if (number < 0) {
            std::abort();
        }
    }
    const std::string text =
        TypeSelectionSettings::formatGeometry({numbers[0], numbers[1], numbers[2], numbers[3]});
    if (TypeSelectionSettings::parseGeometry(text) != numbers) {
        std::abort();
    }

    // The whole way through the settings store, read as wide text.
    ScopedDefault<Registry> store(std::make_unique<MemoryRegistry>());
    if (!store.get<MemoryRegistry>().setValue(RegistryRoot::CurrentUser, kProductSettingsKey,
                                              TypeSelectionSettings::kGeometryValue,
                                              RegistryValue::binary(bytes))) {
        std::abort();
    }
    TypeSelectionSettings settings;
    const int parent = 0;
    settings.load(&parent, {});
    if (settings.geometry.width < 0 || settings.geometry.height < 0) {
        std::abort();
    }
    return 0;
}
