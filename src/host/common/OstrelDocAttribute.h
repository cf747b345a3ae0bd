#pragma once

#include "ostrel_export.h"

#include "host/common/OstrelDocAttributeTemplate.h"

/// An attribute of a document in the making: its rules and its current value.
class OSTREL_EXPORT OstrelDocAttribute : public OstrelDocAttributeTemplate {
public:
    /// An attribute with the template's rules and an empty value.
    explicit OstrelDocAttribute(const AttributeTemplate* attributeTemplate)
        : OstrelDocAttributeTemplate(attributeTemplate) {}

    /// Whether `other` names the same attribute (internal name) with the same
    /// value. A null `other` never agrees.
    virtual bool isEqual(const OstrelDocAttribute* other) const;
    /// A copy of the same dynamic type; owners copy attributes through it.
    virtual OstrelDocAttribute* clone() const { return new OstrelDocAttribute(*this); }

    const Ostrel::u8string& getValue() const { return value_; }
    void setValue(const Ostrel::u8string& value) { value_ = value; }

private:
    Ostrel::u8string value_;
};
