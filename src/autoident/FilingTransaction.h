#pragma once

#include "ostrel_export.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

class AutoIncrementedIdentificators;
class OstrelException;

/// Numbering without gaps: a transaction on the counter database in which a
/// host takes identifiers and files its document, so that both are committed
/// together or neither is. Until commit the taken counters' rows stay locked:
/// a crash, a lost connection or a rollback (Cancel) returns the numbers to
/// the next taker; once committed they are never handed out again.
///
///     AutoIncrementedIdentificators idents;
///     idents.init("identifiers.xml", "postgresql://clerk@db.example/office");
///     OstrelException errors;
///     FilingTransaction filing(idents, &errors);
///     const auto id = filing.takeValue("Invoice", &errors);
///     if (id && filing.execute("INSERT INTO invoices (number, customer) VALUES ($1, $2)",
///                              {*id, customer}, &errors) &&
///         filing.commit(&errors)) {
///         // filed under *id
///     } // else: nothing was filed, and *id goes to the next invoice
///
/// The trade-off: the lock serialises the takers of one counter. Another
/// filing of the same counter (on any machine) waits until this one commits
/// or rolls back, and gives up after the lock timeout with a record (the
/// set's state CounterBusy); so keep the time between takeValue and commit
/// short, and never wait for the user inside it. Takers of other counters do
/// not wait. Where gaps are acceptable, AutoIncrementedIdentificators::
/// takeValue numbers without holding a lock.
///
/// The transaction has a connection of its own, opened from the set's URI;
/// the set must outlive it. Not copyable.
class OSTREL_EXPORT FilingTransaction {
public:
    /// Connects and begins the transaction. `idents` must keep its counters
    /// in a database (init with a URI). `lockTimeoutMs`: how long takeValue
    /// waits for a counter that another filing holds. isOpen() tells whether
    /// it began; otherwise `errors` has the reason.
    explicit FilingTransaction(AutoIncrementedIdentificators& idents,
                               OstrelException* errors = nullptr, long lockTimeoutMs = 10000);
    /// Rolls back unless committed.
    ~FilingTransaction();
    FilingTransaction(const FilingTransaction&) = delete;
    FilingTransaction& operator=(const FilingTransaction&) = delete;

    /// Whether the transaction is open: begun, and neither committed, rolled
    /// back nor spoilt by a failed step.
    bool isOpen() const;

    /// Hands out the named counter's next identifier inside the transaction
    /// and holds the counter until the end of it. Nothing, with a record, for
    /// an unknown counter, a counter held longer than the lock timeout, or a
    /// lost connection; the transaction can then only be rolled back.
    [[nodiscard]] std::optional<std::string> takeValue(const char* name,
                                                       OstrelException* errors = nullptr);

    /// Re-synchronises the named counter, inside the transaction, with an
    /// identifier the user typed instead of the one taken, so that the next
    /// identifier follows it (see AutoIncrementedIdentificators::
    /// updateIdentifier). False for an unknown counter or a text that is not
    /// today's prefix and a number (the transaction stays open), and, with a
    /// record, when the database fails (the transaction can then only be
    /// rolled back: isOpen() tells the two apart).
    [[nodiscard]] bool updateIdentifier(const char* name, const char* text,
                                        OstrelException* errors = nullptr);

    /// Runs one of the host's own statements in the transaction, with
    /// `parameters` as $1, $2, ... (they never become part of the SQL text).
    /// Returns its rows (an SQL NULL reads as an empty text); nothing, with a
    /// record, when it fails, which spoils the transaction.
    std::optional<std::vector<std::vector<std::string>>>
    execute(const std::string& sql, const std::vector<std::string>& parameters,
            OstrelException* errors = nullptr);

    /// Commits the identifiers and the host's statements together. False,
    /// with a record, when the transaction was spoilt or the commit failed:
    /// then nothing of it holds.
    [[nodiscard]] bool commit(OstrelException* errors = nullptr);

    /// Undoes everything of the transaction; its identifiers go to the next
    /// takers.
    void rollback();

private:
    struct Private;
    std::unique_ptr<Private> d_;
};
