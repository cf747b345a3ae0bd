#pragma once

#include "ostrel_export.h"

#include "host/base/U8String.h"

#include <string>

/// The library's message catalogue: where it lies, which language the user
/// chose for the product, and the translation of every visible text.
///
/// At load, libostrel creates the one instance `languageSettings` and calls
/// `initialize("ostrel")`. It reads "Language" from the machine's and then
/// the user's settings key "Software\\Zelvamont" (the user's wins), sets
/// LANGUAGE from it, and binds the domain to the "locale" directory beside
/// the library, or to the library's directory when there is none:
///
///     libostrel.so
///     locale/de/LC_MESSAGES/ostrel.mo
///
/// A configured language is honoured even while the process runs in the
/// "C" locale (where gettext ignores LANGUAGE), without touching the host's
/// locale.
class OSTREL_EXPORT ZMLanguageSettings {
public:
    /// The module is the shared object holding `moduleAddress` (any function
    /// or object of it); null means the object holding this class's code.
    /// The module directory is that object's real directory, ending in "/".
    explicit ZMLanguageSettings(const void* moduleAddress = nullptr);
    /// An instance whose module directory is that of `moduleFile`: the text
    /// up to and including its last "/", or the whole text without one.
    static ZMLanguageSettings forModuleFile(const Ostrel::u8string& moduleFile);

    virtual ~ZMLanguageSettings();
    // The virtual destructor would otherwise cost the moves their implicit
    // declarations.
    ZMLanguageSettings(const ZMLanguageSettings&) = default;
    ZMLanguageSettings& operator=(const ZMLanguageSettings&) = default;
    ZMLanguageSettings(ZMLanguageSettings&&) noexcept = default;
    ZMLanguageSettings& operator=(ZMLanguageSettings&&) noexcept = default;

    /// Sets the catalogue up for `domain`: reads the language, sets LANGUAGE
    /// when one is configured, binds the domain with UTF-8 output. False only
    /// for a null domain, which changes nothing.
    [[nodiscard]] virtual bool initialize(const char* domain);

    /// Reads the language from the process-wide settings store into
    /// `getLanguage()`; a missing key or value leaves it as it was, a value
    /// of 1024 characters or more counts as missing. Always true.
    bool readLanguage();

    /// The text to show for the English `messageId`: its translation, the id
    /// itself when the catalogue has none, the empty text for null.
    Ostrel::u8string translate(const char* messageId) const;

    const Ostrel::pstring& getModuleDirectory() const { return moduleDirectory; }
    const std::string& getLanguage() const { return language; }
    const std::string& getDomain() const { return domain; }

private:
    Ostrel::pstring moduleDirectory;
    std::string language;
    std::string domain;
};

/// The library-wide instance, created when libostrel is loaded and deleted
/// when it is unloaded; null in programs that link the core directly.
extern OSTREL_EXPORT ZMLanguageSettings* languageSettings;

namespace ostrel::i18n {

/// The text the dialogs show for the English `messageId`: translated by
/// `languageSettings`, or, in a program that links the core without loading
/// libostrel, by the "ostrel" catalogue as far as that program bound it.
OSTREL_EXPORT Ostrel::u8string translate(const char* messageId);

} // namespace ostrel::i18n
