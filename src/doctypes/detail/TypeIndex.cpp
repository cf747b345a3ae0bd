#include "doctypes/detail/TypeIndex.h"

#include <functional>

namespace ostrel::doctypes::detail {

std::size_t TypeIndex::findSlot(const std::string& type, std::size_t hash) const {
    // Linear probing: the table is never more than half full, so a free slot
    // ends every probe sequence.
    const std::size_t mask = slots_.size() - 1;
    std::size_t i = hash & mask;
    while (slots_[i].node != nullptr && (slots_[i].hash != hash || keys_[slots_[i].key] != type)) {
        i = (i + 1) & mask;
    }
    return i;
}

std::size_t TypeIndex::findFreeSlot(std::size_t hash) const {
    const std::size_t mask = slots_.size() - 1;
    std::size_t i = hash & mask;
    while (slots_[i].node != nullptr) {
        i = (i + 1) & mask;
    }
    return i;
}

DocumentTypeItem* TypeIndex::find(const std::string& type) const {
    if (size_ == 0) {
        return nullptr;
    }
    return slots_[findSlot(type, std::hash<std::string>{}(type))].node;
}

bool TypeIndex::insert(const std::string& type, DocumentTypeItem* node) {
    if (node == nullptr) {
        return false;
    }
    if ((size_ + 1) * 2 > slots_.size()) {
        rehash(slots_.empty() ? 16 : slots_.size() * 2);
    }
    const std::size_t hash = std::hash<std::string>{}(type);
    Slot& slot = slots_[findSlot(type, hash)];
    if (slot.node != nullptr) {
        return false;
    }
    slot.hash = hash;
    slot.node = node;
    slot.key = keys_.size();
    keys_.push_back(type);
    ++size_;
    return true;
}

void TypeIndex::clear() {
    slots_.clear();
    keys_.clear();
    size_ = 0;
}

void TypeIndex::reserve(std::size_t count) {
    std::size_t slotCount = 16;
    while (slotCount < count * 2) {
        slotCount *= 2;
    }
    if (slotCount > slots_.size()) {
        rehash(slotCount);
    }
    keys_.reserve(count);
}

void TypeIndex::rehash(std::size_t slotCount) {
    std::vector<Slot> old(slotCount);
    old.swap(slots_);
    for (const Slot& slot : old) {
        if (slot.node != nullptr) {
            slots_[findFreeSlot(slot.hash)] = slot;
        }
    }
}

} // namespace ostrel::doctypes::detail
