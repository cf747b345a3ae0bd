#include "platform/MemoryRegistry.h"

#include "platform/detail/KeyNames.h"

#include <vector>

namespace ostrel::platform {

struct MemoryRegistry::KeyData {
    // Keyed by the folded name; the value keeps the name as it was written.
    std::map<std::string, std::pair<std::string, RegistryValue>> values;
};

namespace {

using detail::foldNameCase;

// The folded paths of the key and its ancestors, root first; nothing for a
// malformed path. The root key itself is the empty path.
std::optional<std::vector<std::string>> keyChain(const std::string& path) {
    std::vector<std::string> chain{std::string()};
    if (path.empty()) {
        return chain;
    }
    const auto components = detail::splitKeyPath(path);
    if (!components) {
        return std::nullopt;
    }
    std::string current;
    for (const std::string& component : *components) {
        if (!current.empty()) {
            current.push_back('\\');
        }
        current.append(foldNameCase(component));
        chain.push_back(current);
    }
    return chain;
}

class MemoryKey : public RegistryKey {
public:
    MemoryKey(std::shared_ptr<MemoryRegistry::KeyData> data, RegistryAccess access)
        : data_(std::move(data)), access_(access) {}

    std::optional<RegistryValue> queryValue(const std::string& name) const override {
        const auto it = data_->values.find(foldNameCase(name));
        if (it == data_->values.end()) {
            return std::nullopt;
        }
        return it->second.second;
    }

    bool setValue(const std::string& name, const RegistryValue& value) override {
        if (access_ != RegistryAccess::ReadWrite) {
            return false;
        }
        data_->values[foldNameCase(name)] = {name, value};
        return true;
    }

private:
    // Shared with the store, so a key stays usable (like an open handle)
    // whatever happens to the store object afterwards.
    std::shared_ptr<MemoryRegistry::KeyData> data_;
    RegistryAccess access_;
};

} // namespace

MemoryRegistry::MemoryRegistry() {
    user_[std::string()] = std::make_shared<KeyData>();
    machine_[std::string()] = std::make_shared<KeyData>();
}

MemoryRegistry::MemoryRegistry(const MemoryRegistry& other) : Registry(other) {
    *this = other;
}

MemoryRegistry& MemoryRegistry::operator=(const MemoryRegistry& other) {
    if (this == &other) {
        return *this;
    }
    const auto deepCopy = [](const KeyMap& from) {
        KeyMap to;
        for (const auto& [path, data] : from) {
            to[path] = std::make_shared<KeyData>(*data);
        }
        return to;
    };
    user_ = deepCopy(other.user_);
    machine_ = deepCopy(other.machine_);
    return *this;
}

MemoryRegistry::KeyMap& MemoryRegistry::keysOf(RegistryRoot root) {
    return root == RegistryRoot::CurrentUser ? user_ : machine_;
}

const MemoryRegistry::KeyMap& MemoryRegistry::keysOf(RegistryRoot root) const {
    return root == RegistryRoot::CurrentUser ? user_ : machine_;
}

std::unique_ptr<RegistryKey> MemoryRegistry::openKey(RegistryRoot root, const std::string& path,
                                                     RegistryAccess access) {
    const auto chain = keyChain(path);
    if (!chain) {
        return nullptr;
    }
    const KeyMap& keys = keysOf(root);
    const auto it = keys.find(chain->back());
    if (it == keys.end()) {
        return nullptr;
    }
    return std::make_unique<MemoryKey>(it->second, access);
}

bool MemoryRegistry::createKey(RegistryRoot root, const std::string& path) {
    const auto chain = keyChain(path);
    if (!chain) {
        return false;
    }
    KeyMap& keys = keysOf(root);
    for (const std::string& key : *chain) {
        auto& data = keys[key];
        if (!data) {
            data = std::make_shared<KeyData>();
        }
    }
    return true;
}

bool MemoryRegistry::hasKey(RegistryRoot root, const std::string& path) const {
    const auto chain = keyChain(path);
    return chain && keysOf(root).count(chain->back()) != 0;
}

bool MemoryRegistry::setValue(RegistryRoot root, const std::string& path, const std::string& name,
                              const RegistryValue& value) {
    if (!createKey(root, path)) {
        return false;
    }
    auto key = openKey(root, path, RegistryAccess::ReadWrite);
    return key && key->setValue(name, value);
}

std::optional<RegistryValue> MemoryRegistry::getValue(RegistryRoot root, const std::string& path,
                                                      const std::string& name) const {
    const auto chain = keyChain(path);
    if (!chain) {
        return std::nullopt;
    }
    const KeyMap& keys = keysOf(root);
    const auto it = keys.find(chain->back());
    if (it == keys.end()) {
        return std::nullopt;
    }
    const auto value = it->second->values.find(foldNameCase(name));
    if (value == it->second->values.end()) {
        return std::nullopt;
    }
    return value->second.second;
}

} // namespace ostrel::platform
