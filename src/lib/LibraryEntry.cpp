// The load and unload hooks of libostrel: what the host gets by loading the
// library, before it calls any of its classes.

#include "i18n/ZMLanguageSettings.h"
#include "platform/Registry.h"
#include "platform/qt/QSettingsRegistry.h"

#include <memory>

namespace {

// The store that was the default before the library was loaded, put back at
// unload so nothing of ours outlives the library's code.
std::unique_ptr<ostrel::platform::Registry>& previousStore() {
    static std::unique_ptr<ostrel::platform::Registry> store;
    return store;
}

// Runs when the library is loaded into a process. The message catalogue is
// set up first, so every later text is translated; it reads the language
// from the user's and the machine's settings, hence the store before it.
__attribute__((constructor)) void onLibraryLoad() {
    previousStore() = ostrel::platform::Registry::setDefault(
        std::make_unique<ostrel::platform::QSettingsRegistry>());
    languageSettings = new ZMLanguageSettings();
    languageSettings->initialize("ostrel");
}

__attribute__((destructor)) void onLibraryUnload() {
    delete languageSettings;
    languageSettings = nullptr;
    ostrel::platform::Registry::setDefault(std::move(previousStore()));
}

} // namespace
