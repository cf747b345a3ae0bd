#pragma once

#include "ostrel_export.h"

#include "doctypes/DocumentTypeItem.h"
#include "host/base/U8String.h"

#include <memory>
#include <string>

class DocumentTemplate;
class DocumentTypeIterator;

namespace ostrel::doctypes::detail {
class TypeIndex;
}

/// The document type catalogue: a tree of groups and document types below an
/// unnamed root, with an index from type identifier to node. The tree owns
/// the nodes; copies are deep and index the copied nodes exactly as the
/// original indexes its own.
///
///     DocumentTypes types;
///     types.addDocumentType("", "OSTREL.AREA.Letters", "Letters", "", nullptr, false);
///     types.addDocumentType("OSTREL.AREA.Letters", "LETTER", "Letter", "", tmpl, true);
///     DocumentTypeItem* letter = types.getDocTypeItem("LETTER");
class OSTREL_EXPORT DocumentTypes {
public:
    DocumentTypes();
    // Copies re-index their own nodes. There are no moves: a moved-from
    // catalogue would keep nodes that the moved index points into, so an
    // rvalue is copied.
    DocumentTypes(const DocumentTypes& other);
    DocumentTypes& operator=(const DocumentTypes& other);
    ~DocumentTypes();

    /// Adds a node below the node indexed as `parentType` (below the root when
    /// it is empty) and indexes it by `type` unless that type is indexed
    /// already (the first node keeps the index). False, nothing changed, when
    /// `parentType` is not indexed.
    bool addDocumentType(const Ostrel::u8string& parentType, const Ostrel::u8string& type,
                         const Ostrel::u8string& name, const Ostrel::u8string& description,
                         DocumentTemplate* documentTemplate, bool canCreate);

    /// The node indexed as `type`, or null. The root is not indexed.
    DocumentTypeItem* getDocTypeItem(const std::string& type) const;

    /// A new iterator over the top-level nodes; the caller deletes it.
    DocumentTypeIterator* getIterator() const;

    /// Whether some node of the catalogue can be chosen to create a document.
    bool getCreatableChildsFlag() const { return root_.getCreatableChildsFlag(); }

private:
    DocumentTypeItem root_;
    // Nothing walks the index in order, so a hash table keeps look-ups and
    // insertions constant for catalogues of any size. Not owning; never null.
    std::unique_ptr<ostrel::doctypes::detail::TypeIndex> index_;
};
