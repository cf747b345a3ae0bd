#pragma once

#include "ostrel_export.h"

#include "host/base/U8String.h"
#include "host/common/AttributeTemplate.h"

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

/// The host's description of a document type: its type identifier, named
/// properties ("name", "canCreate", "Description", class attributes) and its
/// attribute templates in index order. Owns its attribute templates.
class OSTREL_EXPORT DocumentTemplate {
public:
    explicit DocumentTemplate(const Ostrel::u8string& type) : type_(type) {}
    /// Copies are deep: a copy owns copies of the attribute templates.
    DocumentTemplate(const DocumentTemplate& other);
    DocumentTemplate& operator=(const DocumentTemplate& other);
    DocumentTemplate(DocumentTemplate&&) noexcept = default;
    DocumentTemplate& operator=(DocumentTemplate&&) noexcept = default;

    const Ostrel::u8string& getType() const { return type_; }

    /// False, leaving `value` unchanged, when the property is absent.
    bool getProperty(const Ostrel::u8string& name, Ostrel::u8string& value) const;
    DocumentTemplate& setProperty(const Ostrel::u8string& name, const Ostrel::u8string& value);
    const std::map<Ostrel::u8string, Ostrel::u8string>& getProperties() const {
        return properties_;
    }

    unsigned getAttributeCount() const { return static_cast<unsigned>(attributes_.size()); }
    /// The attribute template at `index`, or null past the end (or for a slot
    /// deliberately left empty).
    AttributeTemplate* getAttribute(unsigned index) const;
    /// Appends a new attribute template with that identifier and returns it.
    AttributeTemplate& addAttribute(const Ostrel::u8string& identifier);
    /// Appends an attribute template, which may be null: hosts may have holes
    /// in their attribute index, and readers of templates must skip them.
    void appendAttribute(std::unique_ptr<AttributeTemplate> attribute);

    /// Non-zero when the template may be offered to users: it has a type and
    /// the host has not withdrawn it.
    std::uint32_t isUsable() const { return (!type_.empty() && usable_) ? 1u : 0u; }
    void setUsable(bool usable) { usable_ = usable; }

private:
    Ostrel::u8string type_;
    std::map<Ostrel::u8string, Ostrel::u8string> properties_;
    std::vector<std::unique_ptr<AttributeTemplate>> attributes_;
    bool usable_ = true;
};
