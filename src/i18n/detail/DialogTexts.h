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
// TRANSLATORS: what the field showing the highlighted type's description is
// called for screen readers.
inline constexpr const char* description = N_("Description");

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
// TRANSLATORS: what screen readers say of a row's last-value button after its
// name; %1 is the value the button inserts.
inline constexpr const char* lastValueAutomatic = N_("Last value %1, automatic insertion on");
inline constexpr const char* lastValueManual = N_("Last value %1, automatic insertion off");
inline constexpr const char* noLastValue = N_("No last value");

} // namespace text
} // namespace ostrel::i18n
