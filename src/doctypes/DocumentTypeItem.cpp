#include "doctypes/DocumentTypeItem.h"

#include "doctypes/DocumentTypeIterator.h"

#include <utility>
#include <vector>

DocumentTypeItem::DocumentTypeItem(DocumentTypeItem* parent, const Ostrel::u8string& type,
                                   const Ostrel::u8string& name,
                                   const Ostrel::u8string& description,
                                   DocumentTemplate* documentTemplate, bool canCreate)
    : parent_(parent), type_(type), name_(name), description_(description),
      template_(documentTemplate), canCreate_(canCreate) {
    if (!canCreate) {
        return;
    }
    // A flagged node always has flagged ancestors, so the walk may stop at
    // the first one: adding many types to one group stays linear.
    for (DocumentTypeItem* ancestor = parent;
         ancestor != nullptr && !ancestor->creatableChildsFlag_; ancestor = ancestor->parent_) {
        ancestor->creatableChildsFlag_ = true;
    }
}

DocumentTypeItem::DocumentTypeItem(const DocumentTypeItem& other)
    : parent_(nullptr), template_(nullptr), canCreate_(false) {
    copyFrom(other, nullptr);
}

DocumentTypeItem& DocumentTypeItem::operator=(const DocumentTypeItem& other) {
    if (this != &other) {
        copyFrom(other, nullptr);
    }
    return *this;
}

DocumentTypeItem::~DocumentTypeItem() {
    deleteSubtrees(children_);
}

void DocumentTypeItem::deleteSubtrees(Children& subtrees) {
    Children pending;
    pending.splice(pending.end(), subtrees);
    while (!pending.empty()) {
        std::unique_ptr<DocumentTypeItem> node = std::move(pending.front());
        pending.pop_front();
        pending.splice(pending.end(), node->children_);
    }
}

void DocumentTypeItem::copyFrom(const DocumentTypeItem& other, CopyMap* copies) {
    // A child keeps pointing at its own parent in the copy; a child that was
    // added below a node other than its parent keeps that outside parent.
    const auto copyChild = [copies](const DocumentTypeItem& source, const DocumentTypeItem& child,
                                    DocumentTypeItem* target) {
        auto copy = std::make_unique<DocumentTypeItem>(
            child.parent_ == &source ? target : child.parent_, child.type_, child.name_,
            child.description_, child.template_, false);
        copy->canCreate_ = child.canCreate_;
        copy->creatableChildsFlag_ = child.creatableChildsFlag_;
        if (copies != nullptr) {
            copies->emplace(&child, copy.get());
        }
        return copy;
    };

    // Build the new subtree completely before dropping the old one: `other`
    // may lie inside it.
    Children fresh;
    std::vector<std::pair<const DocumentTypeItem*, DocumentTypeItem*>> work;
    for (const auto& child : other.children_) {
        fresh.push_back(copyChild(other, *child, this));
        work.emplace_back(child.get(), fresh.back().get());
    }
    while (!work.empty()) {
        const auto [source, target] = work.back();
        work.pop_back();
        for (const auto& child : source->children_) {
            target->children_.push_back(copyChild(*source, *child, target));
            work.emplace_back(child.get(), target->children_.back().get());
        }
    }

    parent_ = other.parent_;
    type_ = other.type_;
    name_ = other.name_;
    description_ = other.description_;
    template_ = other.template_;
    canCreate_ = other.canCreate_;
    creatableChildsFlag_ = other.creatableChildsFlag_;
    if (copies != nullptr) {
        copies->emplace(&other, this);
    }

    Children old;
    old.splice(old.end(), children_);
    children_.splice(children_.end(), fresh);
    deleteSubtrees(old);
}

bool DocumentTypeItem::addChild(DocumentTypeItem* child) {
    if (child == nullptr || child == this) {
        return false;
    }
    children_.emplace_back(child);
    return true;
}

DocumentTypeIterator* DocumentTypeItem::getIterator() const {
    return new DocumentTypeIterator(*this);
}
