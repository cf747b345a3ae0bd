#include "document/CMEditableDocumentFactory.h"

#include "host/base/detail/NumberText.h"
#include "host/common/AttributeTemplate.h"
#include "host/common/Document.h"
#include "host/common/DocumentTemplate.h"
#include "host/common/OstrelDocAttribute.h"

namespace {

Ostrel::u8string readProperty(const AttributeTemplate& attributeTemplate, const char* name) {
    Ostrel::u8string value;
    attributeTemplate.getProperty(Ostrel::u8string(name), value);
    return value;
}

} // namespace

OstrelDocAttribute*
CMEditableDocumentFactory::createProperty(AttributeTemplate* attributeTemplate) {
    if (attributeTemplate == nullptr) {
        return nullptr;
    }
    // An attribute without a place in the form, without room for a value or
    // without a label cannot be shown to the user; leave it out.
    if (ostrel::readLeadingInt(readProperty(*attributeTemplate, "position").c_str()) == 0 ||
        ostrel::readLeadingInt(readProperty(*attributeTemplate, "size").c_str()) == 0 ||
        readProperty(*attributeTemplate, "name").empty()) {
        return nullptr;
    }
    return new OstrelDocAttribute(attributeTemplate);
}

bool CMEditableDocumentFactory::createProperties(DocumentTemplate& documentTemplate,
                                                 AttributeTable& attributes) {
    const unsigned count = documentTemplate.getAttributeCount();
    for (unsigned index = 0; index < count; ++index) {
        std::unique_ptr<OstrelDocAttribute> attribute(
            createProperty(documentTemplate.getAttribute(index)));
        if (!attribute) {
            continue;
        }
        // try_emplace leaves the table and `attribute` untouched when the
        // position is taken, so the lowest index keeps it and the later
        // attribute is deleted here.
        const int position = attribute->getPosition();
        attributes.try_emplace(position, std::move(attribute));
    }
    return true;
}

CMEditableDocument* CMEditableDocumentFactory::createDocument(DocumentTemplate& documentTemplate) {
    auto document = std::make_unique<CMEditableDocument>(documentTemplate.getType().str());
    AttributeTable attributes;
    createProperties(documentTemplate, attributes);
    for (auto& [position, attribute] : attributes) {
        if (!document->adoptProperty(std::move(attribute))) {
            // Two attributes share a name: the document cannot be built.
            return nullptr;
        }
    }
    return document.release();
}

CMEditableDocument* CMEditableDocumentFactory::createDocument(
    DocumentTemplate& documentTemplate,
    const std::map<Ostrel::u8string, Ostrel::u8string>& values) {
    CMEditableDocument* document = createDocument(documentTemplate);
    if (document != nullptr) {
        document->setValues(values);
    }
    return document;
}

CMEditableDocument* CMEditableDocumentFactory::createDocument(Document& document) {
    DocumentTemplate* documentTemplate = document.getTemplate();
    if (documentTemplate == nullptr) {
        return nullptr;
    }
    std::map<Ostrel::u8string, Ostrel::u8string> values;
    document.getValues(values);
    return createDocument(*documentTemplate, values);
}

CMEditableMultiDocument*
CMEditableDocumentFactory::createMultiDocument(std::list<Document*>& documents) {
    if (documents.empty()) {
        return nullptr;
    }
    auto multiDocument = std::make_unique<CMEditableMultiDocument>();
    bool firstTaken = false;
    for (Document* document : documents) {
        if (document == nullptr) {
            continue;
        }
        std::unique_ptr<CMEditableDocument> editable(createDocument(*document));
        if (!editable) {
            // A stored document we cannot edit does not take part in the
            // selection, so its id is not recorded either.
            continue;
        }
        if (!firstTaken) {
            *multiDocument = *editable;
            firstTaken = true;
        } else {
            *multiDocument &= *editable;
        }
        multiDocument->addId(document->getId());
    }
    if (multiDocument->getPropertyCount() == 0) {
        return nullptr;
    }
    return multiDocument.release();
}
