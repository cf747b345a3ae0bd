#include "platform/Registry.h"

#include "platform/MemoryRegistry.h"

namespace ostrel::platform {
namespace {

std::unique_ptr<Registry>& defaultStore() {
    static std::unique_ptr<Registry> store = std::make_unique<MemoryRegistry>();
    return store;
}

} // namespace

Registry& Registry::getDefault() {
    return *defaultStore();
}

std::unique_ptr<Registry> Registry::setDefault(std::unique_ptr<Registry> store) {
    if (!store) {
        store = std::make_unique<MemoryRegistry>();
    }
    defaultStore().swap(store);
    return store;
}

} // namespace ostrel::platform
