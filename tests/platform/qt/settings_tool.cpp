// A second process for the settings store tests: writes every stored setting
// into a user configuration directory, or prints what it finds there.
//
//     settings_tool write <dir>
//     settings_tool dump <dir>

#include "DialogSettings.h"
#include "platform/qt/QSettingsRegistry.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    using ostrel::platform::RegistryAccess;
    using ostrel::platform::RegistryRoot;
    if (argc != 3) {
        return 2;
    }
    const bool write = std::strcmp(argv[1], "write") == 0;
    ostrel::platform::QSettingsRegistry store(argv[2], {});
    for (const auto& setting : ostrel::test::dialogSettings()) {
        auto key = store.openKey(RegistryRoot::CurrentUser, setting.key,
                                 write ? RegistryAccess::ReadWrite : RegistryAccess::Read);
        if (!key) {
            return 1;
        }
        if (write) {
            if (!key->setValue(setting.name, setting.value)) {
                return 1;
            }
            continue;
        }
        const auto value = key->queryValue(setting.name);
        std::printf("%s=%s\n", setting.name.c_str(),
                    value ? value->toSettingsText().c_str() : "(missing)");
    }
    return 0;
}
