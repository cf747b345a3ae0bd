#pragma once

#include "ostrel_export.h"

#include "host/base/U8String.h"
#include "host/common/OstrelDocAttribute.h"

#include <list>
#include <map>
#include <memory>
#include <string>

/// A document in the making: a document type, a name, a description and an
/// ordered list of attributes with their values. The document owns its
/// attributes; names are unique and compared byte-wise.
///
/// Copies are deep: a copy owns copies of the attributes, so each document
/// deletes exactly the attributes it holds.
///
///     CMEditableDocument doc("Invoice");
///     doc.addProperty(new OstrelDocAttribute(&numberTemplate)); // doc owns it
///     std::map<Ostrel::u8string, Ostrel::u8string> values;
///     doc.getValues(values);
class OSTREL_EXPORT CMEditableDocument {
public:
    explicit CMEditableDocument(const std::string& type);
    CMEditableDocument(const CMEditableDocument& other);
    CMEditableDocument& operator=(const CMEditableDocument& other);
    CMEditableDocument(CMEditableDocument&&) noexcept = default;
    CMEditableDocument& operator=(CMEditableDocument&&) noexcept = default;

    std::string& getType() { return type_; }
    std::string& getName() { return name_; }
    std::string& getDescription() { return description_; }

    unsigned long getPropertyCount() { return static_cast<unsigned long>(properties_.size()); }

    /// Adds an attribute at the end and takes ownership of it. Returns false,
    /// ownership staying with the caller, when `attribute` is null or an
    /// attribute of the same name is present.
    [[nodiscard]] bool addProperty(OstrelDocAttribute* attribute);

    /// Appends the attributes, in document order, to `attributes` (which is
    /// not emptied). The document keeps ownership. Always true.
    bool getProperties(std::list<OstrelDocAttribute*>& attributes);

    /// Enters each attribute's name and value into `values`, overwriting an
    /// entry of the same name and keeping the others. Always true.
    bool getValues(std::map<Ostrel::u8string, Ostrel::u8string>& values);

    /// Sets the value of every attribute named in `values`; other names are
    /// ignored. Always true.
    bool setValues(const std::map<Ostrel::u8string, Ostrel::u8string>& values);

    /// Whether the document may be filed: every mandatory attribute passes
    /// its check, and at least one editable attribute has a non-empty value
    /// that passes it. A document without attributes is valid.
    [[nodiscard]] bool isValid();

protected:
    /// The attribute of that name, or null.
    OstrelDocAttribute* findPropertyByType(const std::string& name);
    /// Removes and deletes the attribute of that name; false when none.
    bool removeProperty(const std::string& name);

    /// Adds an attribute at the end, as addProperty does, but takes ownership
    /// either way: a refused attribute is deleted.
    bool adoptProperty(std::unique_ptr<OstrelDocAttribute> attribute);

private:
    friend class CMEditableDocumentFactory;

    void copyAttributesFrom(const CMEditableDocument& other);

    std::string type_;
    std::string name_;
    std::string description_;
    std::list<std::unique_ptr<OstrelDocAttribute>> properties_;
    std::map<std::string, OstrelDocAttribute*> index_; // not owning
};
