#pragma once

#include "platform/CalendarClock.h"
#include "platform/MemoryRegistry.h"
#include "platform/MessageSink.h"
#include "platform/Monitors.h"
#include "platform/ProductSettings.h"
#include "platform/ScopedDefault.h"

#include <gtest/gtest.h>

#ifdef OSTREL_TEST_QAPPLICATION
#include <QWidget>
#endif

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ostrel::test {

/// What both dialogs and their models meet in the process while a test runs,
/// installed as the process-wide services: a settings store in which the
/// product's key exists, a record of the messages shown instead of boxes,
/// one 1920 by 1080 monitor at the origin, and a calendar clock standing at 0.
class DialogTest : public ::testing::Test {
protected:
    static constexpr platform::RegistryRoot kUser = platform::RegistryRoot::CurrentUser;
    static constexpr const char* kKey = platform::kProductSettingsKey;
    /// A window for the monitor query to look at and for messages to belong to: any handle
    /// that is not null.
    static inline const int windowObject = 0;
    static inline const platform::WindowHandle kWindow = &windowObject;

    DialogTest() { EXPECT_TRUE(store().createKey(kUser, kKey)); }

    platform::MemoryRegistry& store() { return store_.get<platform::MemoryRegistry>(); }
    /// Sets value `name` of the product's key.
    void set(const char* name, const platform::RegistryValue& value) {
        EXPECT_TRUE(store().setValue(kUser, kKey, name, value)) << name;
    }
    void storeText(const char* name, const std::string& text) {
        set(name, platform::RegistryValue::string(text));
    }
    std::optional<platform::RegistryValue> stored(const char* name) {
        return store().getValue(kUser, kKey, name);
    }
    std::optional<std::string> storedText(const char* name) {
        const auto value = stored(name);
        return value ? std::optional(value->text()) : std::nullopt;
    }
    const std::vector<platform::RecordingMessageSink::Message>& shown() const {
        return messages_.get<platform::RecordingMessageSink>().messages();
    }
#ifdef OSTREL_TEST_QAPPLICATION
    /// The control of `dialog` named `name`; a test that names a missing one fails.
    template <class T = QWidget> static T* child(const QWidget& dialog, const char* name) {
        T* found = dialog.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
#endif

private:
    platform::ScopedDefault<platform::Registry> store_{
        std::make_unique<platform::MemoryRegistry>()};
    platform::ScopedDefault<platform::MessageSink> messages_{
        std::make_unique<platform::RecordingMessageSink>()};
    platform::ScopedDefault<platform::Monitors> monitors_{
        std::make_unique<platform::FixedMonitors>()};
    platform::ScopedDefault<platform::CalendarClock> clock_{
        std::make_unique<platform::ManualCalendarClock>(0)};
};

} // namespace ostrel::test
