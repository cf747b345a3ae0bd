#pragma once

#include "ostrel_export.h"

#include "document/CMEditableDocument.h"

#include <list>

/// An editable document that stands for several stored documents at once: it
/// remembers their ids and keeps only the attributes on which all of them
/// agree, so that the user edits the common attributes of a selection in one
/// go. Its document type is empty.
///
/// Copies are deep, as for CMEditableDocument, and also copy the ids.
///
///     CMEditableMultiDocument multi;
///     multi = *first;   // copies of every attribute of the first document
///     multi &= *second; // drops the attributes on which the second disagrees
///     multi.addId(secondId);
class OSTREL_EXPORT CMEditableMultiDocument : public CMEditableDocument {
public:
    CMEditableMultiDocument();

    /// Adds a copy of each attribute of `document`, in its order. Attributes
    /// already held stay; a copy whose name is already held is not added.
    /// Type, name, description and ids do not change.
    CMEditableMultiDocument& operator=(CMEditableDocument& document);

    /// Removes every held attribute on which `document`'s attribute of the
    /// same name does not agree (`OstrelDocAttribute::isEqual`). Held
    /// attributes that `document` lacks stay; `document` is not changed.
    CMEditableMultiDocument& operator&=(CMEditableDocument& document);

    /// Appends the id of a stored document this one stands for; duplicates stay.
    void addId(unsigned long id);
    /// Appends every id, in the order added, to `ids` (which is not emptied).
    void getIds(std::list<unsigned long>& ids);

private:
    std::list<unsigned long> ids_;
};
