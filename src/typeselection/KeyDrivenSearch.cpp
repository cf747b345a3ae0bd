#include "typeselection/KeyDrivenSearch.h"

#include <algorithm>
#include <string_view>
#include <utility>

namespace ostrel::typeselection {
namespace {

std::u32string folded(const std::u32string& typed) {
    std::u32string out = typed;
    for (char32_t& c : out) {
        c = ostrel::foldCase(c);
    }
    return out;
}

} // namespace

KeyDrivenSearch::KeyDrivenSearch(std::int64_t now) : lastKeyTime_(now) {}

void KeyDrivenSearch::setEntries(std::vector<std::u32string> foldedTexts) {
    entries_ = std::move(foldedTexts);
}

bool KeyDrivenSearch::pauseElapsed(std::int64_t now) const {
    // As a difference of calendar times in seconds: with a clock of whole
    // seconds "more than one second" means two or more.
    return static_cast<double>(now) - static_cast<double>(lastKeyTime_) > 1.0;
}

std::optional<std::size_t>
KeyDrivenSearch::type(char32_t character, std::optional<std::size_t> selected, std::int64_t now) {
    if (pauseElapsed(now)) {
        searchText_.clear();
    }
    lastKeyTime_ = now;

    std::u32string text = searchText_;
    if (character == kBackspace) {
        if (!text.empty()) {
            text.pop_back();
        }
    } else {
        text.push_back(character);
    }
    if (!selected || *selected >= entries_.size()) {
        return std::nullopt;
    }
    const std::u32string key = folded(text);
    if (matches(*selected, key)) {
        searchText_ = std::move(text);
        return std::nullopt;
    }
    const std::optional<std::size_t> choice = firstMatchAfter(*selected, key);
    if (choice) {
        searchText_ = std::move(text);
    }
    return choice;
}

Ostrel::u8string KeyDrivenSearch::getSearchText() const {
    return Ostrel::u8string(ostrel::encodeUtf8(searchText_));
}

bool KeyDrivenSearch::matches(std::size_t entry, std::u32string_view key) const {
    const std::u32string_view text = entries_[entry];
    const std::size_t n = std::min(text.size(), key.size());
    return text.substr(0, n) == key.substr(0, n);
}

std::optional<std::size_t> KeyDrivenSearch::firstMatchAfter(std::size_t selected,
                                                            std::u32string_view key) const {
    // The walk goes from the entry after the selected one to the end, then
    // from the first entry back to the selected one. In ascending order the
    // matching entries are the run of entries that start with the key, and
    // one run of entries equal to each shorter prefix of it; the selected
    // entry lies in none of them, so each run lies wholly after it (a
    // candidate of the first part of the walk) or wholly before it.
    std::optional<std::size_t> after;
    std::optional<std::size_t> wrapped;
    const auto consider = [&](auto first, auto last) {
        if (first == last) {
            return;
        }
        const auto index = static_cast<std::size_t>(first - entries_.begin());
        std::optional<std::size_t>& best = index > selected ? after : wrapped;
        if (!best || index < *best) {
            best = index;
        }
    };
    const auto less = [](std::u32string_view a, std::u32string_view b) { return a < b; };

    const auto startsWithKey = std::lower_bound(entries_.begin(), entries_.end(), key, less);
    consider(startsWithKey,
             std::partition_point(startsWithKey, entries_.end(), [key](std::u32string_view text) {
                 return text.substr(0, key.size()) == key;
             }));
    for (std::size_t length = 0; length < key.size(); ++length) {
        const std::u32string_view prefix = key.substr(0, length);
        const auto [first, last] = std::equal_range(entries_.begin(), startsWithKey, prefix, less);
        consider(first, last);
    }
    return after ? after : wrapped;
}

} // namespace ostrel::typeselection
