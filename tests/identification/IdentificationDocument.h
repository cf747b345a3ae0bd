#pragma once

#include "document/CMEditableDocument.h"
#include "host/common/AttributeTemplate.h"
#include "host/common/OstrelDocAttribute.h"
#include "platform/MemoryRegistry.h"

#include <initializer_list>
#include <memory>
#include <string>

namespace ostrel::test {

/// One attribute of a test document; the internal name doubles as the
/// visible name unless `name` is given.
struct Attr {
    const char* id;
    const char* value = "";
    const char* status = "N"; ///< N editable, R read-only, H hidden
    const char* mask = "";
    int size = 20;
    bool multiline = false;
    const char* name = nullptr;
};

/// A document of the given attributes, in order.
inline std::unique_ptr<CMEditableDocument> makeDocument(std::initializer_list<Attr> attrs) {
    auto document = std::make_unique<CMEditableDocument>("Test.Document");
    for (const Attr& attr : attrs) {
        AttributeTemplate t(attr.id);
        t.setProperty("name", attr.name ? attr.name : attr.id)
            .setProperty("size", std::to_string(attr.size))
            .setProperty("status", attr.status)
            .setProperty("mask", attr.mask)
            .setProperty("multiline", attr.multiline ? "Y" : "N");
        auto* attribute = new OstrelDocAttribute(&t);
        attribute->setValue(attr.value);
        document->addProperty(attribute);
    }
    return document;
}

/// The dialog's settings key.
inline const std::string kDialogKey = "Software\\Zelvamont\\Ostrel\\5.0";

/// A settings store in which the dialog's key exists and holds `lastUsed`
/// (when not null) as its last used identifiers.
inline std::unique_ptr<platform::MemoryRegistry> storeWith(const char* lastUsed = nullptr) {
    auto store = std::make_unique<platform::MemoryRegistry>();
    store->createKey(platform::RegistryRoot::CurrentUser, kDialogKey);
    if (lastUsed != nullptr) {
        store->setValue(platform::RegistryRoot::CurrentUser, kDialogKey, "LastUsedIdents",
                        platform::RegistryValue::string(lastUsed));
    }
    return store;
}

} // namespace ostrel::test
