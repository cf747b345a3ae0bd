#pragma once

#include "ostrel_export.h"

#include "host/base/U8String.h"

#include <map>

/// The host's description of one attribute of a document type: an identifier
/// and named text properties ("name", "size", "position", "status",
/// "mandatory", "multiline", "mask", ...).
class OSTREL_EXPORT AttributeTemplate {
public:
    explicit AttributeTemplate(const Ostrel::u8string& identifier) : identifier_(identifier) {}

    const Ostrel::u8string& getIdentifier() const { return identifier_; }

    /// False, leaving `value` unchanged, when the property is absent.
    bool getProperty(const Ostrel::u8string& name, Ostrel::u8string& value) const;
    /// Sets or replaces a property; returns *this for chained set-up.
    AttributeTemplate& setProperty(const Ostrel::u8string& name, const Ostrel::u8string& value);
    const std::map<Ostrel::u8string, Ostrel::u8string>& getProperties() const {
        return properties_;
    }

private:
    Ostrel::u8string identifier_;
    std::map<Ostrel::u8string, Ostrel::u8string> properties_;
};
