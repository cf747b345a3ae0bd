#include "platform/Registry.h"

#include "platform/MemoryRegistry.h"
#include "platform/detail/ProcessWide.h"

namespace ostrel::platform {

using DefaultStore = detail::ProcessWide<Registry, MemoryRegistry>;

Registry& Registry::getDefault() {
    return DefaultStore::get();
}

std::unique_ptr<Registry> Registry::setDefault(std::unique_ptr<Registry> store) {
    return DefaultStore::replace(std::move(store));
}

} // namespace ostrel::platform
