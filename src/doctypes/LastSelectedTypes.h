#pragma once

#include "ostrel_export.h"

#include "host/base/U8String.h"

#include <list>

/// The most recently chosen document types, most recent first, and their
/// one-string stored form: items separated by "|", with "\" and "|" inside an
/// item escaped by a backslash.
///
///     LastSelectedTypes recent;
///     recent.deserialize(stored, true);
///     recent.addItem(chosenType);
///     Ostrel::u8string text;
///     recent.serialize(text);
class OSTREL_EXPORT LastSelectedTypes {
public:
    explicit LastSelectedTypes(unsigned long maxCount = 10);

    /// Puts `type` at the front, moving it there when present; past maxCount
    /// the last item and every copy of it are dropped. False, nothing
    /// changed, for an empty type.
    bool addItem(const Ostrel::u8string& type);

    /// Appends the stored form of the items to `out` (not emptied). Always true.
    bool serialize(Ostrel::u8string& out);

    /// Reads a stored form, after emptying the list when `clearFirst`,
    /// appending its items as they stand (no duplicate check, no maximum).
    /// Empty items vanish. False for a backslash that is last or escapes
    /// anything but "\" or "|": the items read before it stay.
    [[nodiscard]] bool deserialize(const Ostrel::u8string& text, bool clearFirst);

    /// Appends the items, front to back, to `out`, skipping those already in
    /// it. Always true.
    bool getSelectedItemsList(std::list<Ostrel::u8string>& out);

private:
    std::list<Ostrel::u8string> items_;
    unsigned long maxCount_;
};
