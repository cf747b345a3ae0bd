#pragma once

#include "ostrel_export.h"

#include "host/base/U8String.h"

#include <istream>
#include <map>

/// The value last confirmed for attributes of one name, and whether a dialog
/// opening on an empty document inserts it by itself.
struct OSTREL_EXPORT LastUsedIdent {
    Ostrel::u8string value;
    bool automatic = false;
    friend bool operator==(const LastUsedIdent&, const LastUsedIdent&) = default;
};

/// The last used identifiers: one entry per attribute name (`getAttrName()`),
/// ordered byte-wise by name, shared by every document type that has an
/// attribute of that name. Kept per user as one text of length-prefixed
/// fields, three per entry (name, value, "1" or "0"):
///
///     6:Number4:A-121:14:Year4:20131:0
///
/// A field is its byte length in decimal, a colon and exactly that many
/// bytes, so names and values may hold colons, digits and blanks.
class OSTREL_EXPORT LastUsedIdentStore {
public:
    using Entries = std::map<Ostrel::u8string, LastUsedIdent>;

    /// Whether a value was ever recorded for `name`.
    bool hasLastUsed(const Ostrel::u8string& name) const;
    /// The entry's automatic flag; false without an entry.
    bool isLastUsedAutomatic(const Ostrel::u8string& name) const;
    /// The entry's value; empty without an entry.
    Ostrel::u8string getLastUsedValue(const Ostrel::u8string& name) const;
    /// Replaces the entry of `name`, or adds one.
    void setLastUsed(const Ostrel::u8string& name, const Ostrel::u8string& value, bool automatic);

    /// Replaces `text` with the stored form of every entry, in name order;
    /// the empty text for an empty store. Always true.
    bool serialize(Ostrel::u8string& text) const;

    /// Adds the entries of a stored text, a later entry of a name replacing
    /// an earlier one (and one already in the store). Blanks before the
    /// first field are skipped. Reading stops at the end of the text or at
    /// the first field that cannot be read in full; the fields before it
    /// count. A name without a value gets the empty value, a flag other than
    /// "1" (or none) is false. Any text is accepted: always true.
    bool deserialize(const Ostrel::u8string& text);

    /// Reads one field at the stream's position into `field`: a decimal
    /// length (an optional sign, then digits), a colon and that many bytes,
    /// blanks and line breaks included; a length below 1 gives the empty
    /// field. False, with the stream's position unspecified, when the length
    /// or the colon is missing, the length does not fit an int, or the text
    /// ends before the field's last byte.
    [[nodiscard]] static bool readField(std::istream& stream, Ostrel::u8string& field);

    const Entries& entries() const { return entries_; }
    friend bool operator==(const LastUsedIdentStore&, const LastUsedIdentStore&) = default;

private:
    Entries entries_;
};
