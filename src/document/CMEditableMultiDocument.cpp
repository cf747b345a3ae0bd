#include "document/CMEditableMultiDocument.h"

#include <memory>
#include <string>
#include <vector>

CMEditableMultiDocument::CMEditableMultiDocument() : CMEditableDocument(std::string()) {}

CMEditableMultiDocument& CMEditableMultiDocument::operator=(CMEditableDocument& document) {
    // Collect first: `document` may be this very object seen as its base.
    std::list<OstrelDocAttribute*> attributes;
    document.getProperties(attributes);
    for (const OstrelDocAttribute* attribute : attributes) {
        // clone() keeps the host's attribute type, which may judge equality
        // differently from the plain attribute.
        adoptProperty(std::unique_ptr<OstrelDocAttribute>(attribute->clone()));
    }
    return *this;
}

CMEditableMultiDocument& CMEditableMultiDocument::operator&=(CMEditableDocument& document) {
    std::list<OstrelDocAttribute*> attributes;
    document.getProperties(attributes);
    // Removing while walking could delete an attribute of `document` when it
    // is this very object; note the names and remove afterwards.
    std::vector<std::string> disagreeing;
    for (const OstrelDocAttribute* attribute : attributes) {
        const std::string& name = attribute->getAttrName().str();
        const OstrelDocAttribute* held = findPropertyByType(name);
        if (held != nullptr && !attribute->isEqual(held)) {
            disagreeing.push_back(name);
        }
    }
    for (const std::string& name : disagreeing) {
        removeProperty(name);
    }
    return *this;
}

void CMEditableMultiDocument::addId(unsigned long id) {
    ids_.push_back(id);
}

void CMEditableMultiDocument::getIds(std::list<unsigned long>& ids) {
    ids.insert(ids.end(), ids_.begin(), ids_.end());
}
