#pragma once

#include "host/base/detail/MessageCatalog.h"

// The English texts the dialogs pass to ZMLanguageSettings::translate, named
// once so that the dialogs and the "ostrel" message catalogue agree on every
// message id (xgettext extracts them through the keyword N_).
namespace ostrel::i18n {

using ostrel::N_;

namespace text {

// Type selection dialog.
inline constexpr const char* documentTypeSelection = N_("Document Type Selection"); // title
inline constexpr const char* documentGroup = N_("Document group:");                 // label
inline constexpr const char* document = N_("Document:");                            // label
inline constexpr const char* lastSelected = N_("Last selected:");                   // label
inline constexpr const char* changeDomain = N_("Change &Domain ...");               // button

// Both dialogs.
inline constexpr const char* cancel = N_("Cancel");

// Identification dialog.
inline constexpr const char* documentIdentification = N_("Document Identification"); // title
inline constexpr const char* rememberCursor = N_("Remember cursor");                 // checkbox
inline constexpr const char* allIdentificatorsEmpty =
    N_("All identificators are empty. At least one identificator have to be entered.");
// Popup menu of a row's last-value button.
inline constexpr const char* insertValue = N_("&Insert value");
inline constexpr const char* automaticallyInsertValue = N_("&Automaticaly insert value");
// TRANSLATORS: what a row's last-value button is called for screen readers;
// %1 is the attribute's visible name.
inline constexpr const char* insertLastValueOf = N_("Insert the last value of %1");

} // namespace text
} // namespace ostrel::i18n
