#include "doctypes/DocumentTypesFill.h"

#include "doctypes/DocumentTypes.h"
#include "host/common/DocumentFactory.h"
#include "host/common/DocumentTemplate.h"

#include <algorithm>

namespace {

const char* const groupTypePrefix = "OSTREL.AREA.";

Ostrel::u8string readProperty(const DocumentTemplate& documentTemplate,
                              const Ostrel::u8string& name) {
    Ostrel::u8string value;
    documentTemplate.getProperty(name, value);
    return value;
}

} // namespace

bool DocumentTypesFill::createInternalStructures(DocumentFactory& factory,
                                                 std::list<Ostrel::u8string>& propertyNames) {
    if (propertyNames.empty()) {
        return false;
    }
    const Ostrel::u8string& groupProperty = propertyNames.front();
    const Ostrel::u8string canCreateProperty("canCreate");
    const Ostrel::u8string nameProperty("name");
    const Ostrel::u8string descriptionProperty("Description");

    DocumentTemplateIterator templates(factory);
    while (DocumentTemplate* documentTemplate = templates.next()) {
        if (documentTemplate->isUsable() == 0) {
            continue;
        }
        Ostrel::u8string group = readProperty(*documentTemplate, groupProperty);
        const Ostrel::u8string canCreate = readProperty(*documentTemplate, canCreateProperty);
        Ostrel::u8string name = readProperty(*documentTemplate, nameProperty);
        Ostrel::u8string description = readProperty(*documentTemplate, descriptionProperty);
        // Only templates the user may create a document from, with a label
        // and a group to show them in, are offered.
        if (group.empty() || name.empty() || canCreate.str() != "Y") {
            continue;
        }
        const auto [it, created] = groupIndex_.try_emplace(group.str(), groups_.size());
        if (created) {
            groups_.push_back(Group{std::move(group), {}});
        }
        groups_[it->second].entries.push_back(TypeEntry{documentTemplate->getType(),
                                                        std::move(name), std::move(description),
                                                        documentTemplate});
    }
    return true;
}

bool DocumentTypesFill::fillDocumentTypes(DocumentFactory& factory,
                                          std::list<Ostrel::u8string>& propertyNames,
                                          DocumentTypes& types) {
    if (!createInternalStructures(factory, propertyNames)) {
        return false;
    }
    std::vector<const Group*> ordered;
    ordered.reserve(groups_.size());
    for (const Group& group : groups_) {
        ordered.push_back(&group);
    }
    std::sort(ordered.begin(), ordered.end(),
              [](const Group* a, const Group* b) { return a->name < b->name; });

    const Ostrel::u8string noDescription;
    for (const Group* groupPointer : ordered) {
        const Group& group = *groupPointer;
        const Ostrel::u8string groupType(groupTypePrefix + group.name.str());
        types.addDocumentType(Ostrel::u8string(), groupType, group.name, noDescription, nullptr,
                              false);
        for (const TypeEntry& entry : group.entries) {
            types.addDocumentType(groupType, entry.type, entry.name, entry.description,
                                  entry.documentTemplate, true);
        }
    }
    return true;
}
