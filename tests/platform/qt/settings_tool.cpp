// `settings_tool <dir>` prints every dialog setting stored in the user directory <dir>.

#include "DialogSettings.h"
#include "platform/qt/QSettingsRegistry.h"

#include <cstdio>

int main(int argc, char** argv) {
    using namespace ostrel::platform;
    if (argc != 2) {
        return 2;
    }
    QSettingsRegistry store(argv[1], {});
    for (const auto& setting : ostrel::test::dialogSettings()) {
        auto key = store.openKey(RegistryRoot::CurrentUser, setting.key, RegistryAccess::Read);
        const auto value = key ? key->queryValue(setting.name) : std::nullopt;
        std::printf("%s=%s\n", setting.name.c_str(),
                    value ? value->toSettingsText().c_str() : "(missing)");
    }
    return 0;
}
