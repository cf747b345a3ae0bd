#include "i18n/ZMLanguageSettings.h"

#include "host/base/File.h"
#include "platform/Registry.h"
#include "platform/RegistryValue.h"

#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <langinfo.h>
#include <libintl.h>
#include <locale.h>

// glibc's catalogue generation counter: raising it makes gettext forget the
// translations it has cached, which are keyed by locale but not by LANGUAGE.
extern "C" int _nl_msg_cat_cntr;

ZMLanguageSettings* languageSettings = nullptr;

namespace {

using ostrel::platform::Registry;
using ostrel::platform::RegistryAccess;
using ostrel::platform::RegistryRoot;
using ostrel::platform::RegistryValue;
using ostrel::platform::TextWidth;

// An object of this library whose address tells which file holds its code.
const char kModuleAnchor = 0;

constexpr const char* kLanguageKey = "Software\\Zelvamont";
constexpr const char* kLanguageValue = "Language";
// The language is read into a buffer of 2048 bytes of UTF-16 text with its
// terminating zero, so 1023 characters at most; a longer value is not read.
constexpr std::size_t kLanguageBytes = 2048;

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

// gettext ignores LANGUAGE while the messages locale is "C" or "POSIX",
// which is where a process stays until it calls setlocale.
bool messagesLocaleIsC() {
    const char* name = ::nl_langinfo(_NL_LOCALE_NAME(LC_MESSAGES));
    return name == nullptr || std::strcmp(name, "C") == 0 || std::strcmp(name, "POSIX") == 0;
}

} // namespace

ZMLanguageSettings::ZMLanguageSettings(const void* moduleAddress)
    : moduleDirectory(Ostrel::u8string(
          directoryOf(moduleFileOf(moduleAddress ? moduleAddress : &kModuleAnchor)))) {
    if (locale_t locale = ::newlocale(LC_MESSAGES_MASK, "C.UTF-8", locale_t{})) {
        messagesLocale =
            LocaleHandle(locale, [](void* handle) { ::freelocale(static_cast<locale_t>(handle)); });
    }
}

ZMLanguageSettings ZMLanguageSettings::forModuleFile(const Ostrel::u8string& moduleFile) {
    ZMLanguageSettings settings;
    settings.moduleDirectory = Ostrel::pstring(Ostrel::u8string(directoryOf(moduleFile.str())));
    return settings;
}

ZMLanguageSettings::ZMLanguageSettings(const ZMLanguageSettings& other) = default;
ZMLanguageSettings& ZMLanguageSettings::operator=(const ZMLanguageSettings& other) = default;
ZMLanguageSettings::~ZMLanguageSettings() = default;

bool ZMLanguageSettings::readLanguage() {
    // The machine's setting first, so that the user's replaces it.
    for (const RegistryRoot root : {RegistryRoot::LocalMachine, RegistryRoot::CurrentUser}) {
        const auto key = Registry::getDefault().openKey(root, kLanguageKey, RegistryAccess::Read);
        if (!key) {
            continue;
        }
        const auto value = key->queryValue(kLanguageValue);
        if (!value) {
            continue;
        }
        // Like the registry's wide read, the data is taken whatever its type.
        const std::string data = value->data(TextWidth::Wide);
        if (data.size() <= kLanguageBytes) {
            language = RegistryValue::textFromWideData(data);
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
    if (messageId == nullptr) {
        return {};
    }
    if (language.empty() || !messagesLocale || !messagesLocaleIsC()) {
        const char* text = ::dgettext(domain.c_str(), messageId);
        return text ? Ostrel::u8string(text) : Ostrel::u8string();
    }
    // Look the text up under a UTF-8 messages locale of this thread only, so
    // the configured language applies and the host's locale stays as it is.
    const locale_t previous = ::uselocale(static_cast<locale_t>(messagesLocale.get()));
    const char* text = ::dgettext(domain.c_str(), messageId);
    Ostrel::u8string result = text ? Ostrel::u8string(text) : Ostrel::u8string();
    ::uselocale(previous);
    return result;
}
