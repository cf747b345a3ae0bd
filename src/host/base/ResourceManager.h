#pragma once

#include "ostrel_export.h"

#include "host/base/U8String.h"

#include <map>
#include <utility>

namespace zmutils {

/// The product's texts by section and key. The library asks for a few of
/// them (the caption of error messages: section "Common", key "Error").
/// Built-in texts are translated through the "ostrel" message catalogue at
/// each look-up, so a language set at load time applies.
class OSTREL_EXPORT ResourceManager {
public:
    ResourceManager();

    /// The text for the section and key: a host-set text first, then a
    /// built-in one (translated), otherwise the key itself.
    Ostrel::u8string getString(const Ostrel::u8string& section, const Ostrel::u8string& key) const;

    /// Lets a host provide or replace a text (not translated).
    void setString(const Ostrel::u8string& section, const Ostrel::u8string& key,
                   const Ostrel::u8string& text);
    /// Removes every host-set text.
    void clear();

private:
    using Key = std::pair<Ostrel::u8string, Ostrel::u8string>;
    std::map<Key, Ostrel::u8string> overrides_;
};

/// The process-wide resource manager.
OSTREL_EXPORT ResourceManager& getResourceManager();

} // namespace zmutils
