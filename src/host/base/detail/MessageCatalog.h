#pragma once

namespace ostrel {

/// Marks an English message id for extraction into the "ostrel" catalogue
/// (xgettext's keyword N_); the text itself is the id, translated where it
/// is shown.
consteval const char* N_(const char* messageId) {
    return messageId;
}

/// The catalogue translation of `messageId` in `domain`, or the id itself
/// when the catalogue has none (never null for a non-null id).
///
/// gettext ignores the LANGUAGE variable while the messages locale of the
/// calling thread is "C" or "POSIX", which is where a host stays until it
/// calls setlocale. Once the library has set LANGUAGE from the user's
/// configured language (see honourLanguageInCLocale), the look-up runs under
/// a UTF-8 messages locale of this thread only, so that language applies
/// without touching the host's locale.
const char* messageText(const char* domain, const char* messageId);

/// The same for a message with a plural form chosen by `count`.
const char* pluralMessageText(const char* domain, const char* singular, const char* plural,
                              unsigned long count);

/// Tells the look-ups above whether LANGUAGE holds a language the user
/// configured for this product, to be honoured even in the "C" locale. Off
/// by default: a LANGUAGE the host inherited is left to gettext's own rules.
void honourLanguageInCLocale(bool honour);

} // namespace ostrel
