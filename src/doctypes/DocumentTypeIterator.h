#pragma once

#include "ostrel_export.h"

#include "doctypes/DocumentTypeItem.h"

/// Walks the children of one catalogue node in the order in which they were
/// added. The node must outlive the iterator.
///
///     std::unique_ptr<DocumentTypeIterator> it(types.getIterator());
///     while (DocumentTypeItem* group = it->next()) { ... }
class OSTREL_EXPORT DocumentTypeIterator {
public:
    explicit DocumentTypeIterator(const DocumentTypeItem& item);

    /// The first child on the first call, then the following ones; null once
    /// past the last child, and null again on every later call.
    DocumentTypeItem* next();

private:
    const DocumentTypeItem* item_;
    bool firstCall_ = true;
    DocumentTypeItem::Children::const_iterator position_;
};
