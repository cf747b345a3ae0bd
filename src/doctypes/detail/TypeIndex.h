#pragma once

#include <cstddef>
#include <string>
#include <vector>

class DocumentTypeItem;

namespace ostrel::doctypes::detail {

/// The catalogue's index from type identifier to node: an open-addressing
/// hash table of small slots (hash, node, key number) with the keys kept
/// apart, so that indexing a new type of a large catalogue touches one slot
/// instead of chasing the separately allocated nodes of a node-based map.
/// Not owning. Measured against std::unordered_map in one run of the
/// catalogue benchmark: the index alone takes a third of the map's time,
/// and filling 1,000 or 100,000 types with the map took about a fifth
/// longer, so it stays.
class TypeIndex {
public:
    /// The node indexed under `type`, or null.
    DocumentTypeItem* find(const std::string& type) const;
    /// Indexes `node` under `type` unless the type is indexed already; true
    /// when it was added.
    bool insert(const std::string& type, DocumentTypeItem* node);
    void clear();
    std::size_t size() const { return size_; }
    void reserve(std::size_t count);

    /// Calls `visit(type, node)` for every entry, in no particular order.
    template <class Visit> void forEach(Visit visit) const {
        for (const Slot& slot : slots_) {
            if (slot.node != nullptr) {
                visit(keys_[slot.key], slot.node);
            }
        }
    }

private:
    struct Slot {
        std::size_t hash = 0;
        DocumentTypeItem* node = nullptr; // null: the slot is free
        std::size_t key = 0;              // position in keys_
    };

    std::size_t findSlot(const std::string& type, std::size_t hash) const;
    std::size_t findFreeSlot(std::size_t hash) const;
    void rehash(std::size_t slotCount);

    std::vector<Slot> slots_; // size a power of two, at most half full
    std::vector<std::string> keys_;
    std::size_t size_ = 0;
};

} // namespace ostrel::doctypes::detail
