#pragma once

#include "document/CMEditableDocument.h"
#include "host/common/AttributeTemplate.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

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
    bool mandatory = false;
};

/// A new attribute with the rules and the value of `a`; the caller owns it. The attribute keeps
/// its rules, not the template they were read from.
inline OstrelDocAttribute* makeAttribute(const Attr& a) {
    AttributeTemplate t(a.id);
    t.setProperty("name", a.name ? a.name : a.id).setProperty("size", std::to_string(a.size));
    t.setProperty("status", a.status).setProperty("mask", a.mask);
    t.setProperty("multiline", a.multiline ? "Y" : "N")
        .setProperty("mandatory", a.mandatory ? "Y" : "N");
    auto* attribute = new OstrelDocAttribute(&t);
    attribute->setValue(a.value);
    return attribute;
}

/// Adds the attributes in turn, names being unique.
inline void addAttributes(CMEditableDocument& document, const std::vector<Attr>& attrs) {
    for (const Attr& a : attrs) {
        EXPECT_TRUE(document.addProperty(makeAttribute(a))) << a.id;
    }
}

inline std::unique_ptr<CMEditableDocument> makeDocument(const std::vector<Attr>& attrs) {
    auto document = std::make_unique<CMEditableDocument>("Test.Document");
    addAttributes(*document, attrs);
    return document;
}

inline std::string valueOf(CMEditableDocument& document, const char* name) {
    std::map<Ostrel::u8string, Ostrel::u8string> values;
    document.getValues(values);
    return values[name].str();
}

} // namespace ostrel::test
