#pragma once

#include "doctypes/DocumentTypeItem.h"
#include "doctypes/DocumentTypeIterator.h"

#include <memory>
#include <string>

namespace ostrel::test {

/// The nodes an iterator yields and their subtrees as text, one line per
/// node, indented by depth: type, name in quotes, "create" when the node can
/// be chosen and "+" when a node below it can. Takes the iterator over.
inline std::string dumpNodes(DocumentTypeIterator* iterator, int depth = 0) {
    std::string out;
    std::unique_ptr<DocumentTypeIterator> it(iterator);
    while (const DocumentTypeItem* child = it->next()) {
        out += std::string(static_cast<std::size_t>(depth) * 2, ' ') + child->getType().str() +
               " '" + child->getName().str() + "'" + (child->getCanCreate() ? " create" : "") +
               (child->getCreatableChildsFlag() ? " +" : "") + "\n";
        out += dumpNodes(child->getIterator(), depth + 1);
    }
    return out;
}

inline std::string dumpChildren(const DocumentTypeItem& item) {
    return dumpNodes(item.getIterator());
}

} // namespace ostrel::test
