#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

struct pg_conn;

namespace ostrel::autoident::pg {

/// Whether `text` names a PostgreSQL database (a `postgresql://` or
/// `postgres://` URI) rather than a value file.
bool isDatabaseUri(const std::string& text);

/// The answer of a statement: its rows, each a list of column texts (an SQL
/// NULL reads as an empty text).
using Rows = std::vector<std::vector<std::string>>;

/// Why the last step failed.
enum class Fault {
    None,
    Unavailable, ///< the server cannot be reached, refused the login or went away
    Refused,     ///< the server refused a statement (a missing table, no permission, ...)
    Busy,        ///< a row stayed locked longer than the lock timeout
};

/// One libpq connection to the counter database, opened lazily from a URI.
/// Statements always travel with their parameters apart from the SQL text.
/// Failures name the server and libpq's reason; the password never appears in
/// them (libpq takes it from the URI, ~/.pgpass, a service file or the
/// environment, and the library keeps no other copy).
class Connection {
public:
    /// `lockTimeout`: how long a statement waits for a row another
    /// transaction holds (PostgreSQL's lock_timeout, e.g. "10s"), unless the
    /// URI sets lock_timeout itself.
    explicit Connection(std::string uri, std::string lockTimeout = "10s");
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    /// Connects unless connected. False, with fault() and failure(), when the
    /// server cannot be reached or refuses the login.
    [[nodiscard]] bool open();

    /// Runs `sql` with `parameters` as $1, $2, ...; a statement the library
    /// runs often (`prepared`) is prepared once per connection. With `retry`
    /// (only for a statement that is a transaction of its own), a connection
    /// lost since the last statement (a server restart) is opened again once
    /// and the statement sent again: it has not run, or its answer was lost
    /// and running it again costs a number, never repeats one.
    [[nodiscard]] std::optional<Rows> run(const std::string& sql,
                                          const std::vector<std::string>& parameters,
                                          bool prepared = true, bool retry = false);

    /// Whether it is connected and outside a transaction.
    bool isOpen() const;

    Fault fault() const { return fault_; }
    /// The last failure, naming the server: "the counter database D on H: REASON".
    const std::string& failure() const { return failure_; }
    /// The SQLSTATE of the last refused statement.
    const std::string& sqlState() const { return sqlState_; }
    /// The database and its server, for messages: "the counter database D
    /// on 'H:P'" (the URI without its password until connected).
    std::string server() const;
    const std::string& uri() const { return uri_; }

private:
    std::optional<Rows> runOnce(const std::string& sql, const std::vector<std::string>& parameters,
                                bool prepared);
    bool fail(Fault fault, const std::string& reason);
    bool setUpSession();

    std::string uri_;
    std::string lockTimeout_;
    std::vector<std::string> secrets_; ///< passwords of the URI, only to keep them out of messages
    std::string display_;
    bool ownOptions_ = false; ///< the URI sets server options
    pg_conn* connection_ = nullptr;
    std::map<std::string, std::string> prepared_; ///< SQL text to statement name
    Fault fault_ = Fault::None;
    std::string failure_;
    std::string sqlState_;
};

} // namespace ostrel::autoident::pg
