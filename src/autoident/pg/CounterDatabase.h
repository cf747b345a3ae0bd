#pragma once

#include "autoident/detail/CounterStore.h"
#include "autoident/pg/Connection.h"

#include <memory>
#include <vector>

namespace ostrel::autoident::pg {

/// The tables, as an administrator creates them when the role that numbers
/// may not: ostrel_counter holds one row per counter, ostrel_filed_document
/// the documents a host files in the transaction that numbered them.
extern const char* const kSchemaSql;

/// Makes sure the tables of the current schema version exist, creating them
/// when they do not (once, however many clients start at the same moment).
/// False, with a record naming the SQL to run, when they are missing and the
/// role may not create them, or when they belong to another version.
[[nodiscard]] bool ensureSchema(Connection& connection, OstrelException* errors);

/// Applies `step` to the counter's row in one statement, which holds the
/// row's lock until the end of the transaction it runs in; returns the new
/// stored value.
[[nodiscard]] std::optional<std::uint32_t> applyStep(Connection& connection,
                                                     const detail::CounterStep& step, bool retry,
                                                     OstrelException* errors);

/// Records the connection's failure in `errors` (when given) and returns it
/// as a store fault.
detail::StoreFault report(const Connection& connection, OstrelException* errors);

/// Counters kept in a PostgreSQL database (see the README's database section).
class CounterDatabase : public detail::CounterStore {
public:
    explicit CounterDatabase(std::string uri) : connection_(std::move(uri)) {}

    std::unique_ptr<CounterStore> clone() const override;
    const std::string& location() const override { return connection_.uri(); }
    std::optional<std::vector<detail::StoredCounter>>
    load(const std::vector<detail::StoredCounter>& defaults, OstrelException* errors) override;
    [[nodiscard]] std::optional<std::uint32_t> apply(const detail::CounterStep& step,
                                                     OstrelException* errors) override;
    [[nodiscard]] bool raise(const std::vector<detail::StoredCounter>& counters,
                             OstrelException* errors) override;
    detail::StoreFault fault() const override { return fault_; }

    /// A connection for a filing transaction: one an earlier filing gave
    /// back, or a new one. A connection per filing would cost more than the
    /// filing's own statements.
    std::unique_ptr<Connection> borrow();
    /// Keeps a connection that is still open and outside a transaction for
    /// the next filing.
    void giveBack(std::unique_ptr<Connection> connection);

private:
    bool failed(OstrelException* errors);

    Connection connection_;
    std::vector<std::unique_ptr<Connection>> idle_;
    bool schemaChecked_ = false;
    detail::StoreFault fault_ = detail::StoreFault::None;
};

} // namespace ostrel::autoident::pg
