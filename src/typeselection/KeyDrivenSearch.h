#pragma once

#include "ostrel_export.h"

#include "host/base/U8String.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ostrel::typeselection {

/// The type-ahead search of the document list: the user types the beginning
/// of a document type's name and the first matching entry after the selected
/// one becomes selected. Typed characters accumulate while they follow each
/// other within a second; a character that matches nothing is dropped.
///
/// An entry matches the typed text when the shorter of the two is a prefix
/// of the other, letter case ignored (ostrel::foldCase), so the entry "Inv"
/// matches the typed "invoice" and every entry matches the empty text. The
/// entries are given as their folded texts in list order, which must be
/// ascending (see `TypeSelectionModel::getListEntries`): matching entries
/// then form a few contiguous runs that binary searches find, so a keystroke
/// costs the same on a list of ten entries as on one of a hundred thousand.
///
/// Time is an input, in whole seconds (platform::CalendarClock):
///
///     KeyDrivenSearch search(clock.now());
///     search.setEntries(keys);
///     if (auto entry = search.type(U'i', list.selectedRow(), clock.now())) list.select(*entry);
///     tooltip.show(search.getSearchText());
class OSTREL_EXPORT KeyDrivenSearch {
public:
    /// The character that removes the last typed character.
    static constexpr char32_t kBackspace = 0x08;

    /// A search with nothing typed, as if the last key had been typed at `now`.
    explicit KeyDrivenSearch(std::int64_t now);

    /// Replaces the entries by their folded texts, in list order (ascending).
    /// The typed text stays: only a pause clears it.
    void setEntries(std::vector<std::u32string> foldedTexts);
    std::size_t entryCount() const { return entries_.size(); }

    /// Runs the search for one typed character at `now`, `selected` being the
    /// list's selected entry. Returns the entry to select instead, or nothing
    /// when the selection stays: the selected entry still matches, no entry
    /// matches (the character is dropped), or nothing is selected (the
    /// character is dropped too, and only the tooltip shows the text).
    std::optional<std::size_t> type(char32_t character, std::optional<std::size_t> selected,
                                    std::int64_t now);

    /// Whether more than a second has passed since the last typed character
    /// at `now`: the next character starts a new text, and the tooltip goes.
    bool pauseElapsed(std::int64_t now) const;

    /// The text typed so far that matched, as typed (UTF-8).
    Ostrel::u8string getSearchText() const;

private:
    bool matches(std::size_t entry, std::u32string_view folded) const;
    std::optional<std::size_t> firstMatchAfter(std::size_t selected,
                                               std::u32string_view folded) const;

    std::vector<std::u32string> entries_;
    std::u32string searchText_; // code points as typed
    std::int64_t lastKeyTime_;
};

} // namespace ostrel::typeselection
