#pragma once

#include "ostrel_export.h"

#include "host/base/U8String.h"
#include "host/common/OstrelException.h"

#include <libxml/tree.h>

#include <functional>
#include <list>
#include <memory>
#include <utility>
#include <vector>

/// Reads template description files and turns them into the Documents tree
/// in which the document server describes document types.
///
/// A description file lists document templates with their attributes:
///
///     <Templates>
///       <Template id="Invoice" name="Invoice" canCreate="Y">
///         <Description>Incoming invoices</Description>
///         <Attributes>
///           <Attribute id="Number" name="Number" size="10" mask="9999999999"/>
///           <ClassAttribute id="Area" value="Finance"/>
///         </Attributes>
///       </Template>
///     </Templates>
///
/// Every element and XML attribute is checked on the way in. The first failed
/// check ends the reading, and each level it climbs through adds its own
/// record to the caller's OstrelException, innermost first.
///
///     OstrelException ex;
///     xmlNodePtr documents = CMServer2Descr().createXMLTree("templates.xml", ex);
///     if (documents == nullptr) { /* ex.getRecords() tells why */ }
///     xmlFreeNode(documents); // or attach it to a document
///
/// The class holds no data; copying it copies nothing.
class OSTREL_EXPORT CMServer2Descr {
public:
    using Property = std::pair<Ostrel::u8string, Ostrel::u8string>;
    using Properties = std::vector<Property>;

    /// One Attribute element of a template. Its properties are always the
    /// seven pairs "name", "size", "mask", "position", "mandatory", "status",
    /// "multiline", in this order, with the defaults filled in.
    struct Attribute {
        Ostrel::u8string id;
        Properties properties;
    };

    /// One Template element. Its properties are ("name", ...), ("canCreate",
    /// "Y" or "N"), then one pair per ClassAttribute in document order. Owns
    /// its attributes. Records copy their text; none refers into the parsed
    /// file.
    struct Template {
        Ostrel::u8string id;
        Ostrel::u8string description;
        Properties properties;
        std::vector<std::unique_ptr<Attribute>> attributes;
    };

    CMServer2Descr() = default;
    CMServer2Descr(const CMServer2Descr&) = default;
    CMServer2Descr& operator=(const CMServer2Descr&) = default;
    virtual ~CMServer2Descr() = default;

    /// Reads and checks the description file `fileName` and returns a new
    /// Documents element (belonging to no XML document; the caller attaches
    /// or frees it) with one Document child per template, in file order.
    /// Returns null on failure, with every record of the failed check chain
    /// left in `ex`, the last one "Cannot read description".
    [[nodiscard]] xmlNodePtr createXMLTree(const Ostrel::u8string& fileName, OstrelException& ex);

protected:
    // The reading steps are not part of the host's interface, which only
    // asks for the tree; a checking tool (or a test) may derive to read the
    // records without building it.

    /// Reads every Template of the file's Templates root and appends it to
    /// `templates` (which is not emptied first). False, with records in `ex`,
    /// on the first failed check; templates appended before stay in the list
    /// and the caller releases them (also those read before a fault that
    /// makes the file unparsable). The parsed file is freed on every path.
    [[nodiscard]] bool readDescription(const Ostrel::u8string& fileName,
                                       std::list<Template*>& templates, OstrelException& ex);
    /// The same over `first` and its following sibling elements; a null node
    /// is an empty list of templates.
    [[nodiscard]] bool readDescription(xmlNodePtr first, std::list<Template*>& templates,
                                       OstrelException& ex);
    /// Deletes every template in the list. The list keeps its (now dangling)
    /// entries; the caller discards it.
    void releaseTemplates(std::list<Template*>& templates);

    using TemplateSink = std::function<void(std::unique_ptr<Template>)>;
    /// The same, handing each template to `take` as soon as its element has
    /// been parsed and checked; the element is freed before the next one is
    /// parsed. A failed check is reported once the rest of the file has
    /// parsed, with the same records as the whole file read at once.
    [[nodiscard]] bool readDescription(const Ostrel::u8string& fileName, const TemplateSink& take,
                                       OstrelException& ex);

    [[nodiscard]] bool readTemplate(Template& record, xmlNodePtr element, OstrelException& ex);
    /// One Attributes element of a template: its Attribute and ClassAttribute
    /// children, appended to the record.
    [[nodiscard]] bool readAttributeList(Template& record, xmlNodePtr attributes,
                                         OstrelException& ex);
    [[nodiscard]] bool readAttribute(Attribute& record, xmlNodePtr element, OstrelException& ex);

    void writeDocument(const Template& record, xmlNodePtr parent);
    void writeAttribute(const Attribute& record, xmlNodePtr document);
};
