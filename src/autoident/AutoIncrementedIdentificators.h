#pragma once

#include "ostrel_export.h"

#include "autoident/AutoIdentificator.h"
#include "host/base/U8String.h"

#include <list>
#include <map>
#include <memory>
#include <string>

/// The automatic identifiers of an installation: counters defined in a
/// definition file, their current values kept in a value file that is
/// rewritten whole after every change, so numbering survives a restart.
///
///     AutoIncrementedIdentificators idents;
///     if (idents.init("identifiers.xml", "identifier-values.xml")) {
///         long fixedLength = 0;
///         const char* next = idents.getValue("Invoice", fixedLength);
///         // ... file the document under `next`, then:
///         idents.incrementValue("Invoice");
///     }
///
/// Definition file: `ident` elements (at any depth, under any root) with the
/// attributes name, prefix, variable_length, increment, initial_value and
/// optionally prefix_editable. Value file, CR LF line ends:
///
///     <?xml version="1.0" encoding="utf-8"?>
///     <autoident>
///     <ident name="Invoice" value="8" date="2024-03-01" />
///     </autoident>
///
/// Copies are deep: a copy owns copies of the counters, so each set deletes
/// exactly the counters it holds.
class OSTREL_EXPORT AutoIncrementedIdentificators {
public:
    AutoIncrementedIdentificators();
    AutoIncrementedIdentificators(const AutoIncrementedIdentificators& other);
    AutoIncrementedIdentificators& operator=(const AutoIncrementedIdentificators& other);
    virtual ~AutoIncrementedIdentificators();

    /// Loads the counters from `definitionFile`, restores their values from
    /// `valueFile` (a missing or unreadable value file and bad lines in it
    /// are ignored) and rewrites the value file. Returns false when the
    /// definition file cannot be read or one of its entries is incomplete,
    /// has a refused number or repeats a name; counters accepted before the
    /// bad entry stay, and the value file is then neither read nor written.
    bool init(const Ostrel::u8string& definitionFile, const Ostrel::u8string& valueFile);

    int getCount();

    /// Appends the counter names in ascending byte order to `names`.
    void getNames(std::list<Ostrel::u8string>& names) const;

    /// The next identifier of the named counter (see
    /// AutoIdentificator::getValue); null, `fixedLength` untouched, when no
    /// counter has that name. Neither advances the counter nor writes a file.
    const char* getValue(const char* name, long& fixedLength);

    /// Marks the named counter's current identifier as used and rewrites the
    /// value file. False for an unknown name, and when the file could not be
    /// written (the counter has moved in memory all the same).
    bool incrementValue(const char* name);

    /// Re-synchronises the named counter with an identifier that was actually
    /// used, so that the next identifier follows it, and rewrites the value
    /// file. False, nothing written, for an unknown name or a text that is not
    /// today's prefix followed by a number; true otherwise, even when the
    /// file could not be written.
    bool updateIdentifier(const char* name, const char* text);

    /// Whether the latest rewrite of the value file (by init, incrementValue
    /// or updateIdentifier) was written in full; false before the first.
    /// init and updateIdentifier succeed even when the file could not be
    /// written: a caller that must know the values are saved asks here.
    bool isValueFileWritten() const;

private:
    AutoIdentificator* getIdentifier(const char* name);
    /// Rewrites the whole value file and records the result; false when it
    /// cannot be written.
    bool update();
    bool write() const;

    std::map<std::string, std::unique_ptr<AutoIdentificator>> identificators_;
    Ostrel::u8string valueFile_;
    bool valueFileWritten_ = false;
};
