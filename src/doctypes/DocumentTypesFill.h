#pragma once

#include "ostrel_export.h"

#include "host/base/U8String.h"

#include <cstddef>
#include <list>
#include <string>
#include <unordered_map>
#include <vector>

class DocumentFactory;
class DocumentTemplate;
class DocumentTypes;

/// Fills the document type catalogue from the host's templates: one
/// top-level group node per value of a chosen template property (type
/// identifier "OSTREL.AREA." followed by the value), with the creatable
/// templates of that group below it. Copies are deep.
///
///     DocumentTypes types;
///     DocumentTypesFill fill;
///     std::list<Ostrel::u8string> properties{"Area"};
///     fill.fillDocumentTypes(factory, properties, types);
class OSTREL_EXPORT DocumentTypesFill {
public:
    /// One document type found for a group; the template is the host's.
    struct TypeEntry {
        Ostrel::u8string type;
        Ostrel::u8string name;
        Ostrel::u8string description;
        DocumentTemplate* documentTemplate = nullptr;
    };
    /// The types of one group, in the factory's order.
    struct Group {
        Ostrel::u8string name;
        std::vector<TypeEntry> entries;
    };

    DocumentTypesFill() = default;

    /// Collects the creatable templates of `factory` by the group property
    /// named first in `propertyNames` and adds the groups, in byte order of
    /// their names, and their types, in the factory's order, to `types`.
    /// False, `types` untouched, when `propertyNames` is empty. The groups
    /// found stay in this object: fill once per object.
    [[nodiscard]] bool fillDocumentTypes(DocumentFactory& factory,
                                         std::list<Ostrel::u8string>& propertyNames,
                                         DocumentTypes& types);

private:
    bool createInternalStructures(DocumentFactory& factory,
                                  std::list<Ostrel::u8string>& propertyNames);

    // Groups in the order found, with a hash index by name for collecting;
    // they are put in byte order of their names only when added to a
    // catalogue, which keeps collecting constant per template.
    std::vector<Group> groups_;
    std::unordered_map<std::string, std::size_t> groupIndex_;
};
