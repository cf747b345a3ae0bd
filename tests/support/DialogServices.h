#pragma once

#include "platform/MemoryRegistry.h"
#include "platform/MessageSink.h"
#include "platform/Monitors.h"
#include "platform/ScopedDefault.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <vector>

namespace ostrel::test {

/// The key both dialogs keep their settings under.
inline constexpr const char* kDialogKey = "Software\\Zelvamont\\Ostrel\\5.0";

/// What a dialog meets in the process while a test runs: an in-memory settings store in which
/// the dialogs' key exists (holding `lastUsed` as the last used identifiers when given), a record
/// of the messages shown and one monitor. Nested defaults a test installs put these back.
class DialogServices {
public:
    static constexpr platform::RegistryRoot kUser = platform::RegistryRoot::CurrentUser;

    explicit DialogServices(const char* lastUsed = nullptr) {
        EXPECT_TRUE(store().createKey(kUser, kDialogKey));
        if (lastUsed != nullptr) {
            set("LastUsedIdents", platform::RegistryValue::string(lastUsed));
        }
    }

    platform::MemoryRegistry& store() const { return store_.get<platform::MemoryRegistry>(); }
    void set(const char* name, const platform::RegistryValue& value) const {
        EXPECT_TRUE(store().setValue(kUser, kDialogKey, name, value)) << name;
    }
    std::optional<platform::RegistryValue> stored(const char* name) const {
        return store().getValue(kUser, kDialogKey, name);
    }
    const std::vector<platform::RecordingMessageSink::Message>& shown() const {
        return messages_.get<platform::RecordingMessageSink>().messages();
    }

private:
    platform::ScopedDefault<platform::Registry> store_{
        std::make_unique<platform::MemoryRegistry>()};
    platform::ScopedDefault<platform::MessageSink> messages_{
        std::make_unique<platform::RecordingMessageSink>()};
    platform::ScopedDefault<platform::Monitors> monitors_{
        std::make_unique<platform::FixedMonitors>()};
};

} // namespace ostrel::test
