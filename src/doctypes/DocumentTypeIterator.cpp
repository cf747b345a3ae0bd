#include "doctypes/DocumentTypeIterator.h"

DocumentTypeIterator::DocumentTypeIterator(const DocumentTypeItem& item) : item_(&item) {}

DocumentTypeItem* DocumentTypeIterator::next() {
    const auto end = item_->children_.end();
    if (firstCall_) {
        firstCall_ = false;
        position_ = item_->children_.begin();
    } else if (position_ != end) {
        ++position_;
    }
    return position_ == end ? nullptr : position_->get();
}
