#pragma once

#include "ostrel_export.h"

#include "host/base/EarthTime.h"

#include <cstdint>
#include <iosfwd>
#include <string>

class AutoIncrementedIdentificators;

/// One automatically numbered identifier: a named counter whose texts are a
/// date-bearing prefix followed by a zero-padded number that starts afresh
/// every day.
///
/// The prefix pattern copies its bytes and expands the escapes `\Y` (year,
/// four digits), `\y` (year, two digits), `\m` (month), `\d` (day) and `\\`
/// (a backslash); a backslash before any other byte is dropped. A pattern
/// without a date escape gets the date appended as six digits (yymmdd), so
/// every identifier carries its day.
///
/// Whenever the counter is consulted on another calendar day than the one
/// its value belongs to (also after the clock was set back), the value first
/// returns to the initial value.
///
///     AutoIdentificator invoices("Invoice", "INV-\\Y-", 1, 1, 4, 0);
///     long fixedLength = 0;
///     const char* next = invoices.getValue(fixedLength); // "INV-2024-0001", 9
///     invoices.incrementValue();                          // next is ...-0002
///
/// The counter never touches a file; AutoIncrementedIdentificators persists
/// it through writeValue.
class OSTREL_EXPORT AutoIdentificator {
public:
    /// A counter at `initial_value`, belonging to today. Note the order: the
    /// increment comes before the start value, the width and the count of
    /// editable prefix characters come last. Null texts are taken as empty.
    AutoIdentificator(const char* name, const char* prefix, long increment, long initial_value,
                      long variable_length, long prefix_editable);

    /// Restores a value and the day it belongs to exactly as given, without
    /// moving it to today.
    void setValue(unsigned long value, zmbase::EarthTime& date);

    /// Sets the value, unless the counter has just been set back because the
    /// day changed; then the argument is ignored.
    void updateValue(long value);

    /// Re-synchronises the counter with a complete identifier (as a user typed
    /// it): the text must start with today's prefix, byte for byte, followed
    /// by a number ("0" or a text whose atoi reading is not zero; any value
    /// from 0 to 4294967295 is taken as it stands). Returns
    /// false, value unchanged, for a null text, another prefix (for instance
    /// yesterday's) or no acceptable number.
    [[nodiscard]] bool updateValue(const char* text);

    /// Marks the current identifier as used: adds the increment (wrapping in
    /// 32 bits), unless the day changed, in which case the value stays at the
    /// initial value. Always true.
    bool incrementValue();

    /// The identifier text for the current value: today's prefix followed by
    /// the value, padded on the left with zeros to the number width (never
    /// cut). `fixedLength` receives the prefix length minus the editable
    /// count, unclamped. The pointer stays valid until the next getValue on
    /// this counter or its destruction. Does not advance the counter.
    const char* getValue(long& fixedLength);

    /// Writes the counter's line of the value file,
    /// `<ident name="N" value="V" date="YYYY-MM-DD" />`, ending in CR LF (the
    /// value file's line end on every platform), and flushes. The name is
    /// escaped so that an XML reader gets it back unchanged. Always true.
    bool writeValue(std::ostream& out);

    const std::string& getName() const { return name_; }

    /// Numbers wider than this are not padded further: a corrupt definition
    /// must not make a single identifier take gigabytes.
    static constexpr long kMaxPaddedWidth = 4096;

protected:
    /// Writes today's prefix into `out`, replacing its content (runs the day
    /// correction first). Always true.
    bool generatePrefix(std::string& out);

private:
    friend class AutoIncrementedIdentificators;

    /// Appends the value line (see writeValue) to `out`.
    void appendValueLine(std::string& out) const;
    /// The same for a value that no counter of this set holds (a line kept
    /// for another definition file in a shared value file).
    static void appendValueLine(std::string& out, const std::string& name, std::uint32_t value,
                                const zmbase::EarthTime& date);

    /// Moves the counter to today when its day is another one; true when it
    /// did so (the value is then back at the initial value).
    bool setCorrectDay();

    std::string name_;
    std::string value_text_;
    std::string prefix_;
    std::int32_t prefix_editable_ = 0;
    std::int32_t variable_length_ = 0;
    std::int32_t increment_ = 0;
    std::uint32_t value_ = 0;
    std::int32_t initial_value_ = 0;
    zmbase::EarthTime date_;
    /// The value line as last formatted; empty once the value or day moved.
    mutable std::string line_;
};
