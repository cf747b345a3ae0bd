#pragma once

#include "ostrel_export.h"

#include "document/CMEditableDocument.h"
#include "document/CMEditableMultiDocument.h"
#include "host/base/U8String.h"

#include <list>
#include <map>
#include <memory>

class AttributeTemplate;
class Document;
class DocumentTemplate;
class OstrelDocAttribute;

/// Turns the host's templates and stored documents into editable documents.
/// The factory keeps nothing between calls; every object it returns belongs
/// to the caller, and every failure is a null result.
///
///     CMEditableDocumentFactory factory;
///     std::unique_ptr<CMEditableDocument> doc(factory.createDocument(invoiceTemplate));
///     if (!doc) { /* two attributes of the template share a name */ }
class OSTREL_EXPORT CMEditableDocumentFactory {
public:
    /// A new attribute with an empty value for `attributeTemplate`, or null
    /// when the template is null, its "position" or "size" reads as 0 or its
    /// "name" is empty.
    OstrelDocAttribute* createProperty(AttributeTemplate* attributeTemplate);

    /// A new document of the template's type with one attribute per usable
    /// attribute template, ordered by position (of equal positions the lowest
    /// index wins). Null when two usable attributes share a name.
    CMEditableDocument* createDocument(DocumentTemplate& documentTemplate);

    /// As createDocument(DocumentTemplate&), then the given values are set;
    /// names that match no attribute are ignored.
    CMEditableDocument* createDocument(DocumentTemplate& documentTemplate,
                                       const std::map<Ostrel::u8string, Ostrel::u8string>& values);

    /// A document for the stored document's template, filled with its stored
    /// values. Null when the stored document has no template or the template
    /// gives no document.
    CMEditableDocument* createDocument(Document& document);

    /// A multi-document over the stored documents: copies of the attributes
    /// of the first one that gives a document, minus every attribute on which
    /// a later one disagrees, and the ids of the documents used (stored
    /// documents that give no document are skipped). Null for an empty list
    /// or when no attribute is left.
    CMEditableMultiDocument* createMultiDocument(std::list<Document*>& documents);

private:
    /// The attributes of one document being built, keyed and so ordered by
    /// position; the table owns them until they are handed to the document.
    using AttributeTable = std::map<int, std::unique_ptr<OstrelDocAttribute>>;

    bool createProperties(DocumentTemplate& documentTemplate, AttributeTable& attributes);
};
