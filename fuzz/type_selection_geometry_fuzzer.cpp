// Arbitrary bytes as the stored window geometry of the type selection dialog,
// stored as any value type would hold them: reading must never crash, leak
// or hang, the numbers read are never negative, and the text written for
// them reads back to the same numbers.
#include "doctypes/DocumentTypes.h"
#include "host/common/OstrelDomainConfiguration.h"
#include "platform/MemoryRegistry.h"
#include "platform/ScopedDefault.h"
#include "typeselection/TypeSelectionModel.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

using namespace ostrel::platform;
using ostrel::typeselection::TypeSelectionModel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const auto numbers = TypeSelectionModel::parseGeometry(bytes);
    for (const int number : numbers) {
        if (number < 0) {
            std::abort();
        }
    }
    const std::string text =
        TypeSelectionModel::formatGeometry(numbers[0], numbers[1], numbers[2], numbers[3]);
    if (TypeSelectionModel::parseGeometry(text) != numbers) {
        std::abort();
    }

    // The whole way through the settings store, read as wide text.
    ScopedDefault<Registry> store(std::make_unique<MemoryRegistry>());
    if (!store.get<MemoryRegistry>().setValue(
            RegistryRoot::CurrentUser, TypeSelectionModel::kSettingsKey,
            TypeSelectionModel::kGeometryValue, RegistryValue::binary(bytes))) {
        std::abort();
    }
    DocumentTypes types;
    OstrelDomainConfiguration configuration;
    TypeSelectionModel model(types, &configuration, "", false);
    const int parent = 0;
    model.loadSettings(&parent);
    if (model.getSavedGeometry().width < 0 || model.getSavedGeometry().height < 0) {
        std::abort();
    }
    return 0;
}
