#pragma once

#include "platform/ProductSettings.h"
#include "platform/RegistryValue.h"

#include <string>
#include <vector>

namespace ostrel::test {

struct StoredSetting {
    std::string key;
    std::string name;
    platform::RegistryValue value;
};

/// Values the dialogs and the language set-up keep, with contents that exercise the INI format
/// (separators, quotes, non-ASCII text, a text like a number).
inline std::vector<StoredSetting> dialogSettings() {
    const std::string dialogs = platform::kProductSettingsKey;
    using platform::RegistryValue;
    return {
        {"Software\\Zelvamont", "Language", RegistryValue::string("de")},
        {dialogs, "AllowStickyCursor", RegistryValue::number(1)},
        {dialogs, "StickyCursorPosition", RegistryValue::number(0xFFFFFFFFu)},
        {dialogs, "LastUsedIdents",
         RegistryValue::string("6:Number4:A-121:14:Year4:20131:0 5:N\xC3\xA1zev9: \"a,b\\c\"1:0")},
        {dialogs, "DocumentTypeSelectionDialogSize", RegistryValue::string("640;480;100;120;")},
        {dialogs, "lastSelectedDocument",
         RegistryValue::string(
             "OSTREL.AREA.Finance|Invoice, \xC4\x8D\x65sk\xC3\xA1|dword:00000001")},
    };
}

} // namespace ostrel::test
