#pragma once

#include "ostrel_export.h"

#include "autoident/AutoIdentificator.h"
#include "host/base/U8String.h"

#include <cstdint>
#include <functional>
#include <list>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class FilingTransaction;
class OstrelException;
namespace zm_soop {
class soop_db;
}
namespace ostrel::autoident::detail {
struct CounterStep;
struct StoredCounter;
class CounterStore;
} // namespace ostrel::autoident::detail

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
///
/// Two modes. SingleWriter (the default) assumes that only this set changes
/// the value file: it rewrites the file in place from its own values after
/// every change. Shared is for a value file that several processes or users
/// use at once: every change (including the rewrite of init) locks the file,
/// reads it afresh, applies itself to the freshest values and replaces the
/// file atomically; takeValue hands out an identifier in one such step. A
/// crash never leaves a damaged file, an existing file that cannot be read
/// is never overwritten, and lines of counters that this set does not define
/// (another program's definitions) are kept. The file's bytes are the same
/// in both modes.
///
///     AutoIncrementedIdentificators idents(AutoIncrementedIdentificators::Mode::Shared);
///     OstrelException errors;
///     if (idents.init(definitions, values)) {
///         if (const auto id = idents.takeValue("Invoice", &errors)) { /* file under *id */ }
///     }
///
/// Counters in PostgreSQL, for desktops that do not share one file system:
/// where the value file is named, a connection URI (`postgresql://...` or
/// `postgres://...`, anything libpq reads as a URI) names the database
/// instead, whatever the mode. Each counter is a row of ostrel_counter, and
/// every change (incrementValue, updateIdentifier, takeValue) is one atomic
/// statement on that row, the daily reset decided in it from this host's
/// local date, so that concurrent takers on any machine never get the same
/// identifier; rows of counters the definition file does not name are kept.
/// The tables are created on first use when the role may. Credentials come
/// from libpq's own places (the URI, ~/.pgpass, a service file, the
/// environment); records name the server and libpq's reason, never the
/// password. For numbering without gaps, take the identifier in the host's
/// own transaction with a FilingTransaction.
///
///     idents.init("identifiers.xml", "postgresql://clerk@db.example/office");
class OSTREL_EXPORT AutoIncrementedIdentificators {
public:
    enum class Mode { SingleWriter, Shared };

    /// What became of the latest change of the value file.
    enum class ValueFileState {
        NothingYet,          ///< no change was attempted
        Saved,               ///< the file holds the set's values
        NotWritten,          ///< the file could not be written (the counter moved in memory only)
        Unreadable,          ///< shared: the existing file cannot be read and was left as it is
        NotLocked,           ///< shared: the lock file could not be created or locked
        DatabaseUnavailable, ///< the counter database cannot be reached, refused the login or
                             ///< went away (the change did not happen)
        DatabaseRefused,     ///< the counter database refused the change (tables missing, no
                             ///< permission)
        CounterBusy,         ///< a filing transaction held the counter longer than the lock timeout
    };

    AutoIncrementedIdentificators();
    explicit AutoIncrementedIdentificators(Mode mode);
    AutoIncrementedIdentificators(const AutoIncrementedIdentificators& other);
    AutoIncrementedIdentificators& operator=(const AutoIncrementedIdentificators& other);
    virtual ~AutoIncrementedIdentificators();

    /// Loads the counters from `definitionFile`, restores their values from
    /// `valueFile` (a missing or unreadable value file and bad lines in it
    /// are ignored) and rewrites the value file. Returns false when the
    /// definition file cannot be read or one of its entries is incomplete,
    /// has a refused number or repeats a name; counters accepted before the
    /// bad entry stay, and the value file is then neither read nor written.
    /// In shared mode the value file is read under the lock and written only
    /// when its content changes; an existing file that cannot be read is left
    /// as it is, and init still returns true: getValueFileState() tells.
    [[nodiscard]] bool init(const Ostrel::u8string& definitionFile,
                            const Ostrel::u8string& valueFile);
    /// The same, with a record in `errors` when the counter database cannot
    /// be used (init still returns true then: getValueFileState() tells).
    [[nodiscard]] bool init(const Ostrel::u8string& definitionFile,
                            const Ostrel::u8string& valueFile, OstrelException* errors);

    int getCount();

    /// Appends the counter names in ascending byte order to `names`.
    void getNames(std::list<Ostrel::u8string>& names) const;

    /// The next identifier of the named counter (see
    /// AutoIdentificator::getValue); null, `fixedLength` untouched, when no
    /// counter has that name. Neither advances the counter nor writes a file.
    /// In shared mode it shows the values as of the latest change (or init):
    /// another process may hand out that identifier first; takeValue
    /// reserves it.
    const char* getValue(const char* name, long& fixedLength);

    /// Marks the named counter's current identifier as used and rewrites the
    /// value file. False for an unknown name, and when the file could not be
    /// written (the counter has moved in memory all the same).
    [[nodiscard]] bool incrementValue(const char* name);

    /// Re-synchronises the named counter with an identifier that was actually
    /// used, so that the next identifier follows it, and rewrites the value
    /// file. False, nothing written, for an unknown name or a text that is not
    /// today's prefix followed by a number; true otherwise, even when the
    /// file could not be written.
    [[nodiscard]] bool updateIdentifier(const char* name, const char* text);

    /// Hands out the named counter's next identifier and marks it used, in
    /// one step: in shared mode under the lock, from the freshest values, so
    /// that no other process can get the same identifier. Returns it once the
    /// value file holds the move; otherwise nothing, with a record in
    /// `errors` (unknown counter, a counter that would repeat identifiers
    /// (see repeatRisk), value file not locked, unreadable or not written).
    /// No identifier is handed out twice: on failure it is lost.
    [[nodiscard]] std::optional<std::string> takeValue(const char* name,
                                                       OstrelException* errors = nullptr);

    /// Why handing out the named counter's next identifier (`typed` null), or
    /// following the used identifier `typed`, would make the counter offer an
    /// identifier again that it offered today: an increment of 0 or below, a
    /// typed number that is negative or beyond 4294967295, or a next value
    /// that would wrap round past 4294967295. Empty when the step is safe,
    /// also for an unknown counter or a typed text that does not fit (the
    /// step itself refuses those). takeValue refuses on these grounds;
    /// incrementValue and updateIdentifier carry on as hosts expect, so a
    /// host that must never repeat an identifier asks here first. Runs the
    /// day correction, as getValue does.
    std::string repeatRisk(const char* name, const char* typed = nullptr);

    /// Moves the counters of the value file `valueFile` into the counter
    /// database: a counter stored with an earlier day, or the same day and a
    /// lower value, takes the file's value; one stored later or higher keeps
    /// its own. All or nothing. False, with a record, when the file cannot be
    /// read as a value file or the set keeps its counters in a value file.
    bool importValueFile(const Ostrel::u8string& valueFile, OstrelException* errors = nullptr);

    /// Writes the counters' stored values (re-read from the database, with
    /// the rows of counters this set does not define) as a value file at
    /// `valueFile`, byte for byte as the value file store writes it. False,
    /// with a record, when the values cannot be read or the file not written.
    bool exportValueFile(const Ostrel::u8string& valueFile, OstrelException* errors = nullptr);

    /// Whether the latest rewrite of the value file (by init, incrementValue
    /// or updateIdentifier) was written in full; false before the first.
    /// init and updateIdentifier succeed even when the file could not be
    /// written: a caller that must know the values are saved asks here.
    bool isValueFileWritten() const;
    /// The same in detail.
    ValueFileState getValueFileState() const { return state_; }

private:
    friend class FilingTransaction;

    /// A line of a shared value file for a counter that this set does not
    /// define.
    struct OtherValue {
        std::uint32_t value = 0;
        zmbase::EarthTime date;
    };

    AutoIdentificator* getIdentifier(const char* name);
    /// The counter database, when init was given a URI; null for a value
    /// file.
    ostrel::autoident::detail::CounterStore* store() const;
    /// The database form of taking the counter's next identifier.
    static ostrel::autoident::detail::CounterStep takeStep(AutoIdentificator& counter);
    /// The database form of re-synchronising the counter with a typed
    /// identifier; false when the counter's rules refuse the text.
    static bool syncStep(AutoIdentificator& counter, const char* text,
                         ostrel::autoident::detail::CounterStep& step);
    /// Sets the counter to the value the database stored after `step` and
    /// returns the identifier that `step` handed out.
    static std::string settle(AutoIdentificator& counter,
                              const ostrel::autoident::detail::CounterStep& step,
                              std::uint32_t stored);
    /// Applies `step` to the database and the counter; the outcome is in
    /// state_.
    bool applyToStore(AutoIdentificator& counter,
                      const ostrel::autoident::detail::CounterStep& step, OstrelException* errors,
                      std::uint32_t* stored = nullptr);
    /// Takes the stored values of the defined counters and keeps the others.
    void restoreStored(const std::vector<ostrel::autoident::detail::StoredCounter>& counters);
    /// Applies `apply` (false: nothing to save) and saves the values as the
    /// mode says; the outcome of saving is in state_. False when `apply`
    /// refused or, in shared mode, the file could not be locked or read.
    bool change(const std::function<bool()>& apply, OstrelException* errors);
    bool changeShared(const std::function<bool()>& apply, OstrelException* errors);
    /// Sets the counters' values from a value file's lines.
    void restoreValues(const zm_soop::soop_db& values);
    std::string format() const;
    /// Rewrites the whole value file in place and records the result; false
    /// when it cannot be written.
    bool update();
    bool write(const std::string& content) const;

    std::map<std::string, std::unique_ptr<AutoIdentificator>> identificators_;
    Ostrel::u8string valueFile_;
    Mode mode_ = Mode::SingleWriter;
    ValueFileState state_ = ValueFileState::NothingYet;
    std::map<std::string, OtherValue> others_;
    /// Shared: the value file's bytes as this set last read or wrote them,
    /// which the counters hold; empty when unknown.
    std::string known_;
};
