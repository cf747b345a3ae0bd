#pragma once

#include "host/base/EarthTime.h"

#include <map>
#include <string>

namespace ostrel::demo {

/// A document as it was filed: its type, the domain it was filed in, the
/// values of its attributes by attribute identifier and when it was filed.
struct FiledDocument {
    std::string type;
    std::string typeName;
    std::string domain;
    std::map<std::string, std::string> values;
    zmbase::EarthTime filedAt;
};

/// The record of a filed document, one attribute per line:
///
///     <?xml version="1.0" encoding="utf-8"?>
///     <document type="Letters.Outgoing" name="Outgoing letter" domain="Head office"
///               filed="2024-03-01T09:30:00">
///       <attribute id="Recipient">Kovo Hradec s.r.o.</attribute>
///     </document>
std::string filedDocumentXml(const FiledDocument& document);

/// The attribute values as a JSON object, {"Recipient": "Kovo Hradec s.r.o."},
/// for the attribute_values column of the counter database's
/// ostrel_filed_document.
std::string attributeValuesJson(const FiledDocument& document);

/// When the document was filed, "YYYY-MM-DDTHH:MM:SS" local time.
std::string filedTime(const FiledDocument& document);

} // namespace ostrel::demo
