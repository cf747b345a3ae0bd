// Arbitrary bytes as the settings files users edit by hand, read through the
// QSettings store: the part before the first NUL byte is Zelvamont.ini (for
// the user and the machine), the rest Zelvamont/Ostrel.ini. Opening keys and
// querying values must never crash, leak or hang, and any value read must
// read back as itself once the store has written it.
#include "Scratch.h"
#include "platform/qt/QSettingsRegistry.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

namespace {

namespace fs = std::filesystem;
using namespace ostrel::platform;

// The names the library reads, in other spellings too, and one that no one uses.
const char* const kNames[] = {"Language",
                              "language",
                              "AllowStickyCursor",
                              "StickyCursorPosition",
                              "LastUsedIdents",
                              "DocumentIdentificationDlg2Size",
                              "DocumentTypeSelectionDialogSize",
                              "lastSelectedDocument",
                              "LASTSELECTEDDOCUMENT",
                              "General",
                              "Missing"};

void check(QSettingsRegistry& store, RegistryRoot root, const char* path) {
    auto key = store.openKey(root, path, RegistryAccess::ReadWrite);
    if (!key) {
        return;
    }
    for (const char* name : kNames) {
        const auto value = key->queryValue(name);
        if (!value || !key->setValue("FuzzCopy", *value)) {
            continue;
        }
        if (key->queryValue("FuzzCopy") != value) {
            std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A folder of its own for every input: QSettings caches files by name.
    static const ostrel::fuzz::Scratch scratch;
    static unsigned long run = 0;
    const std::string dir = std::to_string(run++);
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    const std::string_view language = ostrel::fuzz::takePart(rest);
    scratch.write(dir + "/user/Zelvamont.ini", language);
    scratch.write(dir + "/user/Zelvamont/Ostrel.ini", rest);
    scratch.write(dir + "/etc/Zelvamont.ini", language);

    {
        QSettingsRegistry store((scratch.dir / dir / "user").string(),
                                {(scratch.dir / dir / "etc").string()});
        check(store, RegistryRoot::CurrentUser, "Software\\Zelvamont");
        check(store, RegistryRoot::LocalMachine, "Software\\Zelvamont");
        check(store, RegistryRoot::CurrentUser, "Software\\Zelvamont\\Ostrel\\5.0");
    }
    std::error_code ignored;
    fs::remove_all(scratch.dir / dir, ignored);
    return 0;
}
