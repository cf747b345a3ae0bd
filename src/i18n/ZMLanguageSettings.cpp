#include "i18n/ZMLanguageSettings.h"

#include "host/base/File.h"
#include "host/base/detail/MessageCatalog.h"
#include "platform/ProductSettings.h"
#include "platform/Registry.h"

#include <cstdlib>
#include <dlfcn.h>
#include <libintl.h>
#include <memory>
#include <utility>

// glibc's catalogue generation counter: raising it makes gettext forget the
// translations it has cached, which are keyed by locale but not by LANGUAGE.
extern "C" int _nl_msg_cat_cntr;

ZMLanguageSettings* languageSettings = nullptr;

namespace {

using ostrel::platform::Registry;
using ostrel::platform::RegistryAccess;
using ostrel::platform::RegistryRoot;

// An object of this library whose address tells which file holds its code.
const char kModuleAnchor = 0;

constexpr const char* kLanguageKey = "Software\\Zelvamont";
constexpr const char* kLanguageValue = "Language";
// The language is read into a buffer of 2048 bytes of UTF-16 text with its
// terminating zero, so 1023 characters at most; a longer value is not read.
constexpr std::size_t kLanguageUnits = 1023;

std::string realPath(const char* path) {
    if (path == nullptr || *path == '\0') {
        return {};
    }
    std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path, nullptr), &std::free);
    return resolved ? std::string(resolved.get()) : std::string();
}

std::string moduleFileOf(const void* address) {
    Dl_info info{};
    std::string file;
    if (::dladdr(address, &info) != 0) {
        file = realPath(info.dli_fname);
    }
    // The main program may be reported by a bare or relative name.
    return file.empty() ? realPath("/proc/self/exe") : file;
}

std::string directoryOf(const std::string& file) {
    const std::size_t slash = file.rfind('/');
    return slash == std::string::npos ? file : file.substr(0, slash + 1);
}

} // namespace

ZMLanguageSettings::ZMLanguageSettings(const void* moduleAddress)
    : moduleDirectory(Ostrel::u8string(
          directoryOf(moduleFileOf(moduleAddress ? moduleAddress : &kModuleAnchor)))) {}

ZMLanguageSettings ZMLanguageSettings::forModuleFile(const Ostrel::u8string& moduleFile) {
    ZMLanguageSettings settings;
    settings.moduleDirectory = Ostrel::pstring(Ostrel::u8string(directoryOf(moduleFile.str())));
    return settings;
}

ZMLanguageSettings::~ZMLanguageSettings() = default;

bool ZMLanguageSettings::readLanguage() {
    // The machine's setting first, so that the user's replaces it.
    for (const RegistryRoot root : {RegistryRoot::LocalMachine, RegistryRoot::CurrentUser}) {
        const auto key = Registry::getDefault().openKey(root, kLanguageKey, RegistryAccess::Read);
        if (!key) {
            continue;
        }
        if (auto text = ostrel::platform::readWideText(*key, kLanguageValue, kLanguageUnits)) {
            language = std::move(*text);
        }
    }
    return true;
}

bool ZMLanguageSettings::initialize(const char* domainName) {
    if (domainName == nullptr) {
        return false;
    }
    domain = domainName;
    readLanguage();
    ostrel::honourLanguageInCLocale(!language.empty());
    if (!language.empty()) {
        ::setenv("LANGUAGE", language.c_str(), 1);
        ++_nl_msg_cat_cntr;
    }

    const Ostrel::u8string base(moduleDirectory);
    zmdisk::File catalogues(base);
    catalogues.append("locale");
    if (!catalogues.isDirectory()) {
        catalogues.setPath(base);
    }
    ::bindtextdomain(domain.c_str(), catalogues.getPath().c_str());
    ::bind_textdomain_codeset(domain.c_str(), "UTF-8");
    return true;
}

Ostrel::u8string ZMLanguageSettings::translate(const char* messageId) const {
    // The look-up honours the LANGUAGE set by initialize() even while the
    // host's messages locale is "C" (see ostrel::messageText).
    const char* text = ostrel::messageText(domain.c_str(), messageId);
    return text ? Ostrel::u8string(text) : Ostrel::u8string();
}

namespace ostrel::i18n {

Ostrel::u8string translate(const char* messageId) {
    if (languageSettings != nullptr) {
        return languageSettings->translate(messageId);
    }
    const char* text = messageId ? ostrel::messageText("ostrel", messageId) : nullptr;
    return text ? Ostrel::u8string(text) : Ostrel::u8string();
}

} // namespace ostrel::i18n
