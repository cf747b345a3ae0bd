#include "host/base/ResourceManager.h"

#include "host/base/detail/MessageCatalog.h"

namespace zmutils {
namespace {

struct BuiltInText {
    const char* section;
    const char* key;
    const char* text; // English message id in the "ostrel" catalogue
};

using ostrel::N_;

constexpr BuiltInText kBuiltIn[] = {
    {"Common", "Error", N_("Error")},
};

} // namespace

ResourceManager::ResourceManager() = default;

Ostrel::u8string ResourceManager::getString(const Ostrel::u8string& section,
                                            const Ostrel::u8string& key) const {
    const auto it = overrides_.find(Key(section, key));
    if (it != overrides_.end()) {
        return it->second;
    }
    for (const BuiltInText& entry : kBuiltIn) {
        if (section.str() == entry.section && key.str() == entry.key) {
            return Ostrel::u8string(ostrel::messageText("ostrel", entry.text));
        }
    }
    return key;
}

void ResourceManager::setString(const Ostrel::u8string& section, const Ostrel::u8string& key,
                                const Ostrel::u8string& text) {
    overrides_[Key(section, key)] = text;
}

void ResourceManager::clear() {
    overrides_.clear();
}

ResourceManager& getResourceManager() {
    static ResourceManager manager;
    return manager;
}

} // namespace zmutils
