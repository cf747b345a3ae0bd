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

} // namespace ostrel::demo
