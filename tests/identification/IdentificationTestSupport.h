#pragma once

#include "document/CMEditableDocument.h"
#include "host/common/AttributeTemplate.h"
#include "platform/MemoryRegistry.h"
#include "platform/MessageSink.h"
#include "platform/Monitors.h"
#include "platform/ScopedDefault.h"

#include <initializer_list>
#include <map>
#include <memory>
#include <string>

namespace ostrel::test {

/// One attribute of a test document; its visible name is `name`, else its id.
struct Attr {
    const char* id;
    const char* value = "";
    const char* status = "N"; ///< N editable, R read-only, H hidden
    const char* mask = "";
    int size = 20;
    bool multiline = false;
    const char* name = nullptr;
};

inline std::unique_ptr<CMEditableDocument> makeDocument(std::initializer_list<Attr> attrs) {
    auto document = std::make_unique<CMEditableDocument>("Test.Document");
    for (const Attr& a : attrs) {
        AttributeTemplate t(a.id);
        t.setProperty("name", a.name ? a.name : a.id).setProperty("size", std::to_string(a.size));
        t.setProperty("status", a.status).setProperty("mask", a.mask);
        t.setProperty("multiline", a.multiline ? "Y" : "N");
        auto* attribute = new OstrelDocAttribute(&t);
        attribute->setValue(a.value);
        document->addProperty(attribute);
    }
    return document;
}

inline std::string valueOf(CMEditableDocument& document, const char* name) {
    std::map<Ostrel::u8string, Ostrel::u8string> values;
    document.getValues(values);
    return values[name].str();
}

inline const std::string kDialogKey = "Software\\Zelvamont\\Ostrel\\5.0";

/// A settings store in which the dialog's key exists, holding `lastUsed` when given.
inline std::unique_ptr<platform::MemoryRegistry> storeWith(const char* lastUsed = nullptr) {
    auto store = std::make_unique<platform::MemoryRegistry>();
    store->createKey(platform::RegistryRoot::CurrentUser, kDialogKey);
    if (lastUsed != nullptr) {
        store->setValue(platform::RegistryRoot::CurrentUser, kDialogKey, "LastUsedIdents",
                        platform::RegistryValue::string(lastUsed));
    }
    return store;
}

/// What a dialog meets in the process while a test runs: a settings store with its key, a
/// record of its messages and one monitor.
class DialogServices {
public:
    explicit DialogServices(const char* lastUsed = nullptr) : store_(storeWith(lastUsed)) {}

    void set(const char* name, const platform::RegistryValue& value) {
        store_.get<platform::MemoryRegistry>().setValue(platform::RegistryRoot::CurrentUser,
                                                        kDialogKey, name, value);
    }
    std::optional<platform::RegistryValue> stored(const char* name) const {
        return store_.get<platform::MemoryRegistry>().getValue(platform::RegistryRoot::CurrentUser,
                                                               kDialogKey, name);
    }
    const std::vector<platform::RecordingMessageSink::Message>& shown() const {
        return messages_.get<platform::RecordingMessageSink>().messages();
    }

private:
    platform::ScopedDefault<platform::Registry> store_;
    platform::ScopedDefault<platform::MessageSink> messages_{
        std::make_unique<platform::RecordingMessageSink>()};
    platform::ScopedDefault<platform::Monitors> monitors_{
        std::make_unique<platform::FixedMonitors>()};
};

} // namespace ostrel::test
