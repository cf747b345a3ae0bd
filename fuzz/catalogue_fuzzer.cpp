// Arbitrary bytes as the host's templates, grouped into the document type
// catalogue. The first line names the grouping property; every further line
// is one template: its type, then property=value pairs, separated by tabs
// ("INV\tArea=Finance\tname=Invoice\tcanCreate=Y"). Filling must never crash,
// leak or hang; the catalogue must hold exactly the creatable, named, grouped
// templates, under groups in byte order, in the factory's order, and a copy
// of it must show the same tree.
#include "doctypes/DocumentTypeIterator.h"
#include "doctypes/DocumentTypes.h"
#include "doctypes/DocumentTypesFill.h"
#include "host/common/DocumentFactory.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    while (true) {
        const std::size_t end = text.find(separator);
        parts.push_back(text.substr(0, end));
        if (end == std::string_view::npos) {
            return parts;
        }
        text.remove_prefix(end + 1);
    }
}

std::string property(const DocumentTemplate& documentTemplate, const Ostrel::u8string& name) {
    Ostrel::u8string value;
    documentTemplate.getProperty(name, value);
    return value.str();
}

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// Counts the creatable nodes below `node` (the node's own iterator), adding
// each to `shown`. Below a group sit its types; a type sits below another
// type only when a template's type is a group's identifier ("OSTREL.AREA."
// and a group name), which then keeps the index, as the catalogue documents.
template <class Node>
std::size_t walkTypes(const Node& node, bool clashes, int depth, std::string& shown) {
    std::size_t count = 0;
    std::string previousType;
    const std::unique_ptr<DocumentTypeIterator> entries(node.getIterator());
    while (const DocumentTypeItem* entry = entries->next()) {
        const DocumentTemplate* documentTemplate = entry->getTemplate();
        require(entry->getCanCreate() && documentTemplate != nullptr);
        require(entry->getType() == documentTemplate->getType());
        require(clashes || (depth == 1 && previousType < entry->getType().str()));
        previousType = entry->getType().str();
        shown += std::string(static_cast<std::size_t>(depth), ' ') + previousType + '\n';
        count += 1 + walkTypes(*entry, clashes, depth + 1, shown);
    }
    return count;
}

// The catalogue as text, checking each node on the way; returns how many
// types it holds.
std::size_t walk(const DocumentTypes& types, const Ostrel::u8string& groupProperty, bool clashes,
                 std::string& shown) {
    std::size_t count = 0;
    const std::unique_ptr<DocumentTypeIterator> groups(types.getIterator());
    std::string previousGroup;
    bool first = true;
    while (const DocumentTypeItem* group = groups->next()) {
        const std::string& name = group->getName().str();
        require(first || previousGroup < name);
        require(group->getType().str() == "OSTREL.AREA." + name);
        require(!group->getCanCreate() && group->getTemplate() == nullptr);
        first = false;
        previousGroup = name;
        shown += name + '\n';
        const std::size_t inGroup = walkTypes(*group, clashes, 1, shown);
        require(clashes || (inGroup > 0 && group->getCreatableChildsFlag()));
        if (!clashes) {
            // Every type of the group carries the group's value.
            const std::unique_ptr<DocumentTypeIterator> entries(group->getIterator());
            while (const DocumentTypeItem* entry = entries->next()) {
                require(property(*entry->getTemplate(), groupProperty) == name);
            }
        }
        count += inGroup;
    }
    return count;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string_view> lines =
        split(std::string_view(reinterpret_cast<const char*>(data), size), '\n');
    const Ostrel::u8string groupProperty{std::string(lines.front())};
    DocumentFactory factory;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::vector<std::string_view> fields = split(lines[i], '\t');
        DocumentTemplate* documentTemplate =
            factory.createTemplate(Ostrel::u8string(std::string(fields.front())));
        if (documentTemplate == nullptr) {
            continue;
        }
        for (std::size_t f = 1; f < fields.size(); ++f) {
            const std::size_t equals = fields[f].find('=');
            documentTemplate->setProperty(
                Ostrel::u8string(std::string(fields[f].substr(0, equals))),
                Ostrel::u8string(std::string(equals == std::string_view::npos
                                                 ? std::string_view()
                                                 : fields[f].substr(equals + 1))));
        }
        documentTemplate->setUsable(fields.size() % 7 != 6); // now and then one withdrawn
    }

    std::size_t expected = 0;
    bool clashes = false;
    DocumentTemplateIterator templates(factory);
    while (const DocumentTemplate* documentTemplate = templates.next()) {
        clashes = clashes || documentTemplate->getType().str().rfind("OSTREL.AREA.", 0) == 0;
        expected += documentTemplate->isUsable() != 0 &&
                    !property(*documentTemplate, groupProperty).empty() &&
                    !property(*documentTemplate, Ostrel::u8string("name")).empty() &&
                    property(*documentTemplate, Ostrel::u8string("canCreate")) == "Y";
    }

    DocumentTypes types;
    std::list<Ostrel::u8string> properties{groupProperty};
    require(DocumentTypesFill().fillDocumentTypes(factory, properties, types));
    std::string shown;
    require(walk(types, groupProperty, clashes, shown) == expected);
    const DocumentTypes copy(types);
    std::string shownCopy;
    walk(copy, groupProperty, clashes, shownCopy);
    require(shownCopy == shown);
    return 0;
}
