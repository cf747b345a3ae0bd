#include "host/base/detail/MessageCatalog.h"

#include <libintl.h>

#include <atomic>

#ifndef _WIN32
#include <langinfo.h>
#include <locale.h>

#include <cstring>
#endif

namespace ostrel {
namespace {

std::atomic<bool> honourLanguage{false};

#ifndef _WIN32
bool messagesLocaleIsC() {
    const char* name = ::nl_langinfo(_NL_LOCALE_NAME(LC_MESSAGES));
    return name == nullptr || std::strcmp(name, "C") == 0 || std::strcmp(name, "POSIX") == 0;
}

// The locale under which a C-locale thread looks messages up; created once,
// kept for the life of the process.
locale_t utf8MessagesLocale() {
    static const locale_t locale = ::newlocale(LC_MESSAGES_MASK, "C.UTF-8", locale_t{});
    return locale;
}

// Switches the calling thread to the UTF-8 messages locale for one look-up
// when gettext would otherwise ignore LANGUAGE.
class LookUpLocale {
public:
    LookUpLocale() {
        if (honourLanguage.load(std::memory_order_relaxed) && utf8MessagesLocale() != locale_t{} &&
            messagesLocaleIsC()) {
            previous_ = ::uselocale(utf8MessagesLocale());
        }
    }
    ~LookUpLocale() {
        if (previous_ != locale_t{}) {
            ::uselocale(previous_);
        }
    }
    LookUpLocale(const LookUpLocale&) = delete;
    LookUpLocale& operator=(const LookUpLocale&) = delete;

private:
    locale_t previous_{};
};
#else
struct LookUpLocale {};
#endif

} // namespace

const char* messageText(const char* domain, const char* messageId) {
    if (messageId == nullptr) {
        return nullptr;
    }
    const LookUpLocale scope;
    return ::dgettext(domain, messageId);
}

void honourLanguageInCLocale(bool honour) {
    honourLanguage.store(honour, std::memory_order_relaxed);
}

const char* pluralMessageText(const char* domain, const char* singular, const char* plural,
                              unsigned long count) {
    if (singular == nullptr || plural == nullptr) {
        return count == 1 ? singular : plural;
    }
    const LookUpLocale scope;
    return ::dngettext(domain, singular, plural, count);
}

} // namespace ostrel
