// The load and unload hooks of libostrel: what the host gets by loading the
// library, before it calls any of its classes.

#include "i18n/ZMLanguageSettings.h"
#include "platform/MessageSink.h"
#include "platform/Monitors.h"
#include "platform/Registry.h"
#include "platform/qt/MessageBoxSink.h"
#include "platform/qt/QSettingsRegistry.h"
#include "platform/qt/ScreenMonitors.h"

#include <memory>

namespace {

using ostrel::platform::MessageSink;
using ostrel::platform::Monitors;
using ostrel::platform::Registry;

// The services that were installed before the library was loaded, put back
// at unload so nothing of ours outlives the library's code. Plain pointers:
// when a host loads the library with dlopen, the runtime may already have
// destroyed the library's statics by the time the unload hook runs.
Registry* previousStore = nullptr;
Monitors* previousMonitors = nullptr;
MessageSink* previousMessages = nullptr;

// Runs when the library is loaded into a process. The message catalogue is
// set up first, so every later text is translated; it reads the language
// from the user's and the machine's settings, hence the store before it.
__attribute__((constructor)) void onLibraryLoad() {
    previousStore =
        Registry::setDefault(std::make_unique<ostrel::platform::QSettingsRegistry>()).release();
    previousMonitors =
        Monitors::setDefault(std::make_unique<ostrel::platform::ScreenMonitors>()).release();
    previousMessages =
        MessageSink::setDefault(std::make_unique<ostrel::platform::MessageBoxSink>()).release();
    languageSettings = new ZMLanguageSettings();
    static_cast<void>(languageSettings->initialize("ostrel")); // false only without a domain
}

__attribute__((destructor)) void onLibraryUnload() {
    delete languageSettings;
    languageSettings = nullptr;
    MessageSink::setDefault(std::unique_ptr<MessageSink>(previousMessages));
    previousMessages = nullptr;
    Monitors::setDefault(std::unique_ptr<Monitors>(previousMonitors));
    previousMonitors = nullptr;
    Registry::setDefault(std::unique_ptr<Registry>(previousStore));
    previousStore = nullptr;
}

} // namespace
