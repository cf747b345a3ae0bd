#pragma once

#include "ostrel_export.h"

#include "host/base/U8String.h"
#include "host/common/DocumentFactory.h"

#include <libxml/tree.h>

#include <vector>

/// Fills a DocumentFactory from a Documents tree, the form in which the
/// document server (and CMServer2Descr::createXMLTree) describes document
/// types:
///
///     <Documents>
///       <Document type="Invoice" inherit="DocumentType.Root">
///         <Attribute name="Number">
///           <Property name="name">Number</Property>
///           <Property name="size">10</Property> ...
///         </Attribute>
///         <Property name="name">Invoice</Property>
///         <Property name="canCreate">Y</Property> ...
///       </Document>
///     </Documents>
///
/// Each Document becomes a DocumentTemplate of its "type", with its Property
/// children as template properties and one AttributeTemplate per Attribute
/// child (identifier = its "name", its Property children as properties).
/// When a name occurs twice among the Property children, the later value
/// wins. Every template loaded this way is usable.
class OSTREL_EXPORT DocumentFactoryLoader {
public:
    explicit DocumentFactoryLoader(DocumentFactory& factory) : factory_(factory) {}

    /// Adds one template per Document child of `documents`. Returns false,
    /// adding nothing, when `documents` is not a Documents element. Document
    /// elements without a type, or of a type the factory already holds, are
    /// skipped and listed in getSkippedTypes().
    [[nodiscard]] bool load(xmlNodePtr documents);

    /// Types of the Document elements that load() could not add, in tree
    /// order (an empty text for a Document without a type).
    const std::vector<Ostrel::u8string>& getSkippedTypes() const { return skippedTypes_; }

private:
    DocumentFactory& factory_;
    std::vector<Ostrel::u8string> skippedTypes_;
};
