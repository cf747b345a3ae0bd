#include "host/common/DocumentFactoryLoader.h"

#include "host/base/ZmXml.h"

#include <memory>

namespace {

// Calls `apply(child)` for every child element of `element` named `name`.
template <typename Apply> void forEachChild(xmlNodePtr element, const char* name, Apply apply) {
    for (xmlNodePtr child = zmxml::getChildElement(element); child != nullptr;
         child = zmxml::getNextElement(child)) {
        if (zmxml::hasName(child, name)) {
            apply(child);
        }
    }
}

// Calls `apply(name, value)` for every Property child of `element` that has
// a name; the value is the element's whole text content.
template <typename Apply> void forEachProperty(xmlNodePtr element, Apply apply) {
    forEachChild(element, "Property", [&](xmlNodePtr child) {
        Ostrel::u8string name;
        if (!zmxml::getPropertyString(child, "name", name)) {
            return;
        }
        const zmxml::XmlCharPtr content(xmlNodeGetContent(child));
        apply(name, Ostrel::u8string(content ? reinterpret_cast<const char*>(content.get()) : ""));
    });
}

std::unique_ptr<DocumentTemplate> readDocument(xmlNodePtr document, const Ostrel::u8string& type) {
    auto documentTemplate = std::make_unique<DocumentTemplate>(type);
    forEachProperty(document, [&](const Ostrel::u8string& name, const Ostrel::u8string& value) {
        documentTemplate->setProperty(name, value);
    });
    forEachChild(document, "Attribute", [&](xmlNodePtr child) {
        Ostrel::u8string identifier;
        zmxml::getPropertyString(child, "name", identifier);
        AttributeTemplate& attribute = documentTemplate->addAttribute(identifier);
        forEachProperty(child, [&](const Ostrel::u8string& name, const Ostrel::u8string& value) {
            attribute.setProperty(name, value);
        });
    });
    return documentTemplate;
}

} // namespace

bool DocumentFactoryLoader::load(xmlNodePtr documents) {
    if (documents == nullptr || documents->type != XML_ELEMENT_NODE ||
        !zmxml::hasName(documents, "Documents")) {
        return false;
    }
    forEachChild(documents, "Document", [this](xmlNodePtr child) {
        Ostrel::u8string type;
        zmxml::getPropertyString(child, "type", type);
        // A template without a type could never be offered, and the factory
        // keys its templates by type: the first Document of a type wins.
        if (type.empty() || factory_.findTemplate(type) != nullptr) {
            skippedTypes_.push_back(type);
            return;
        }
        factory_.addTemplate(readDocument(child, type));
    });
    return true;
}
