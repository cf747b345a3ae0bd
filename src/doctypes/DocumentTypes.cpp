#include "doctypes/DocumentTypes.h"

#include "doctypes/DocumentTypeIterator.h"
#include "doctypes/detail/TypeIndex.h"

#include <memory>

namespace {

const Ostrel::u8string noText;

} // namespace

DocumentTypes::DocumentTypes()
    : root_(nullptr, noText, noText, noText, nullptr, false),
      index_(std::make_unique<ostrel::doctypes::detail::TypeIndex>()) {}

DocumentTypes::DocumentTypes(const DocumentTypes& other) : DocumentTypes() {
    *this = other;
}

DocumentTypes& DocumentTypes::operator=(const DocumentTypes& other) {
    if (this == &other) {
        return *this;
    }
    DocumentTypeItem::CopyMap copies;
    copies.reserve(other.index_->size() + 1);
    index_->clear();
    root_.copyFrom(other.root_, &copies);
    // Map the index through the copies rather than re-walking the tree, so
    // that of two nodes with one type the copy indexes the same one.
    index_->reserve(other.index_->size());
    other.index_->forEach([this, &copies](const std::string& type, DocumentTypeItem* node) {
        const auto copied = copies.find(node);
        if (copied != copies.end()) {
            index_->insert(type, copied->second);
        }
    });
    return *this;
}

DocumentTypes::~DocumentTypes() {
    index_->clear();
}

bool DocumentTypes::addDocumentType(const Ostrel::u8string& parentType,
                                    const Ostrel::u8string& type, const Ostrel::u8string& name,
                                    const Ostrel::u8string& description,
                                    DocumentTemplate* documentTemplate, bool canCreate) {
    DocumentTypeItem* parent = &root_;
    if (!parentType.empty()) {
        parent = getDocTypeItem(parentType.str());
        if (parent == nullptr) {
            return false;
        }
    }
    // A new node is never null nor its parent, which is all addChild refuses:
    // the parent's list takes it over directly.
    DocumentTypeItem* added = parent->children_
                                  .emplace_back(std::make_unique<DocumentTypeItem>(
                                      parent, type, name, description, documentTemplate, canCreate))
                                  .get();
    // The first node of a type keeps the index; later ones are only in the tree.
    index_->insert(type.str(), added);
    return true;
}

DocumentTypeItem* DocumentTypes::getDocTypeItem(const std::string& type) const {
    return index_->find(type);
}

DocumentTypeIterator* DocumentTypes::getIterator() const {
    return root_.getIterator();
}
