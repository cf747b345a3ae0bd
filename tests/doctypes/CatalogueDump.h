#pragma once

#include "doctypes/DocumentTypeItem.h"
#include "doctypes/DocumentTypeIterator.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace ostrel::test {

/// The nodes an iterator yields and their subtrees, one line per node indented by depth: type,
/// name in quotes, "create" when it can be chosen, "+" when a node below it can. Takes it over.
inline std::string dumpNodes(DocumentTypeIterator* iterator, int depth = 0) {
    std::string out;
    const std::unique_ptr<DocumentTypeIterator> it(iterator);
    while (const DocumentTypeItem* child = it->next()) {
        out += std::string(static_cast<std::size_t>(depth) * 2, ' ') + child->getType().str() +
               " '" + child->getName().str() + "'" + (child->getCanCreate() ? " create" : "") +
               (child->getCreatableChildsFlag() ? " +" : "") + "\n";
        out += dumpNodes(child->getIterator(), depth + 1);
    }
    EXPECT_EQ(it->next(), nullptr) << "stays at the end";
    return out;
}

/// The children of a DocumentTypeItem or the whole of a DocumentTypes catalogue.
template <class Node> std::string dump(const Node& node) {
    return dumpNodes(node.getIterator());
}

} // namespace ostrel::test
