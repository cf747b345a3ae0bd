#pragma once

#include "document/CMEditableDocument.h"
#include "host/common/AttributeTemplate.h"

#include <initializer_list>
#include <map>
#include <memory>
#include <string>

namespace ostrel::test {

/// One attribute of a test document; its visible name is `name`, else its id.
struct Attr {
    const char* id;
    const char* value = "";
    const char* status = "N"; ///< N editable, R read-only, H hidden
    const char* mask = "";
    int size = 20;
    bool multiline = false;
    const char* name = nullptr;
};

inline std::unique_ptr<CMEditableDocument> makeDocument(std::initializer_list<Attr> attrs) {
    auto document = std::make_unique<CMEditableDocument>("Test.Document");
    for (const Attr& a : attrs) {
        AttributeTemplate t(a.id);
        t.setProperty("name", a.name ? a.name : a.id).setProperty("size", std::to_string(a.size));
        t.setProperty("status", a.status).setProperty("mask", a.mask);
        t.setProperty("multiline", a.multiline ? "Y" : "N");
        auto* attribute = new OstrelDocAttribute(&t);
        attribute->setValue(a.value);
        document->addProperty(attribute);
    }
    return document;
}

inline std::string valueOf(CMEditableDocument& document, const char* name) {
    std::map<Ostrel::u8string, Ostrel::u8string> values;
    document.getValues(values);
    return values[name].str();
}

} // namespace ostrel::test
