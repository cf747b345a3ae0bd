#include "doctypes/LastSelectedTypes.h"

#include <algorithm>
#include <string>
#include <unordered_set>

namespace {

const char separator = '|';
const char escape = '\\';

} // namespace

LastSelectedTypes::LastSelectedTypes(unsigned long maxCount) : maxCount_(maxCount) {}

bool LastSelectedTypes::addItem(const Ostrel::u8string& type) {
    if (type.empty()) {
        return false;
    }
    const auto present = std::find(items_.begin(), items_.end(), type);
    if (present != items_.end()) {
        items_.splice(items_.begin(), items_, present);
        return true;
    }
    items_.push_front(type);
    if (items_.size() > maxCount_) {
        // A list read from a stored text may hold duplicates; trimming one
        // type removes all of its copies at once.
        const Ostrel::u8string last = items_.back();
        items_.remove(last);
    }
    return true;
}

bool LastSelectedTypes::serialize(Ostrel::u8string& out) {
    std::string text = out.str();
    bool first = true;
    for (const Ostrel::u8string& item : items_) {
        if (!first) {
            text += separator;
        }
        first = false;
        for (const char byte : item.str()) {
            if (byte == escape || byte == separator) {
                text += escape;
            }
            text += byte;
        }
    }
    out = Ostrel::u8string(std::move(text));
    return true;
}

bool LastSelectedTypes::deserialize(const Ostrel::u8string& text, bool clearFirst) {
    if (clearFirst) {
        items_.clear();
    }
    const std::string& bytes = text.str();
    std::string current;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char byte = bytes[i];
        if (byte == escape) {
            if (i + 1 >= bytes.size() || (bytes[i + 1] != escape && bytes[i + 1] != separator)) {
                return false;
            }
            current += bytes[++i];
        } else if (byte == separator) {
            if (!current.empty()) {
                items_.emplace_back(std::move(current));
                current.clear();
            }
        } else {
            current += byte;
        }
    }
    if (!current.empty()) {
        items_.emplace_back(std::move(current));
    }
    return true;
}

bool LastSelectedTypes::getSelectedItemsList(std::list<Ostrel::u8string>& out) {
    std::unordered_set<std::string> seen;
    for (const Ostrel::u8string& item : out) {
        seen.insert(item.str());
    }
    for (const Ostrel::u8string& item : items_) {
        if (seen.insert(item.str()).second) {
            out.push_back(item);
        }
    }
    return true;
}
