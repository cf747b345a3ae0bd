#include "autoident/pg/CounterDatabase.h"

#include "autoident/detail/ErrorRecord.h"
#include "host/common/OstrelException.h"

#include <charconv>

namespace ostrel::autoident::pg {
namespace {

using detail::CounterStep;
using detail::StoredCounter;
using detail::StoreFault;

// Records name this file; the line numbers are fixed so that support staff
// can tell the failures apart.
const char* const kSourceFile = "CounterDatabase.cpp";
enum Line {
    kUnavailable = 200,
    kRefused = 210,
    kBusy = 220,
    kNoSchema = 230,
};

constexpr int kSchemaVersion = 1;

// Any fixed number: the key of the advisory lock under which the tables are
// created.
constexpr const char* kSchemaLockKey = "7311390522";

void record(OstrelException* errors, Line line, const std::string& message) {
    detail::recordError(errors, kSourceFile, line, message);
}

std::string number(std::uint32_t value) {
    return std::to_string(value);
}

bool readNumber(const std::string& text, std::uint32_t& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

/// A text[] literal: every element quoted, so that any name reads back as
/// itself.
std::string textArray(const std::vector<StoredCounter>& counters) {
    std::string literal = "{";
    for (const StoredCounter& counter : counters) {
        literal += literal.size() > 1 ? ",\"" : "\"";
        for (const char c : counter.name) {
            if (c == '"' || c == '\\') {
                literal += '\\';
            }
            literal += c;
        }
        literal += '"';
    }
    return literal + "}";
}

template <typename Field>
std::string array(const std::vector<StoredCounter>& counters, Field field) {
    std::string literal = "{";
    for (const StoredCounter& counter : counters) {
        literal += (literal.size() > 1 ? "," : "") + field(counter);
    }
    return literal + "}";
}

} // namespace

const char* const kSchemaSql =
    "CREATE TABLE IF NOT EXISTS ostrel_schema_version (version integer NOT NULL); "
    "CREATE TABLE IF NOT EXISTS ostrel_counter (name text PRIMARY KEY, value bigint NOT NULL "
    "CHECK (value BETWEEN 0 AND 4294967295), day date NOT NULL); "
    "CREATE TABLE IF NOT EXISTS ostrel_filed_document (id bigserial PRIMARY KEY, "
    "identifier text UNIQUE, document_type text NOT NULL, domain text NOT NULL, "
    "attribute_values jsonb NOT NULL, filed_at timestamptz NOT NULL DEFAULT now()); "
    "INSERT INTO ostrel_schema_version (version) SELECT 1 "
    "WHERE NOT EXISTS (SELECT FROM ostrel_schema_version);";

StoreFault report(const Connection& connection, OstrelException* errors) {
    switch (connection.fault()) {
    case Fault::Unavailable:
        record(errors, kUnavailable, connection.failure());
        return StoreFault::Unavailable;
    case Fault::Busy:
        record(errors, kBusy,
               connection.failure() +
                   " (another filing holds the counter; it is free again once that filing "
                   "commits or rolls back)");
        return StoreFault::Busy;
    case Fault::Refused:
        record(errors, kRefused, connection.failure());
        return StoreFault::Refused;
    default:
        return StoreFault::None;
    }
}

bool ensureSchema(Connection& connection, OstrelException* errors) {
    const std::string versionQuery =
        "SELECT coalesce((SELECT max(version) FROM ostrel_schema_version), 0)";
    auto version = connection.run(versionQuery, {}, false, true);
    if (!version && connection.sqlState() == "42P01") {
        // Missing: created under an advisory lock, so that of many clients
        // starting together one creates the tables and the others find them.
        const std::string create = std::string("BEGIN; SELECT pg_advisory_xact_lock(") +
                                   kSchemaLockKey + "); " + kSchemaSql + " COMMIT;";
        if (!connection.run(create, {}, false)) {
            const bool allowed = connection.sqlState() != "42501";
            // The failed creation is what is reported; the rollback only ends it.
            static_cast<void>(connection.run("ROLLBACK", {}, false));
            if (!allowed) {
                record(errors, kNoSchema,
                       connection.server() +
                           ": the counter tables are missing and this role may not create "
                           "them; an administrator runs, in that database: " +
                           kSchemaSql);
                return false;
            }
            report(connection, errors);
            return false;
        }
        version = connection.run(versionQuery, {}, false);
    }
    if (!version) {
        report(connection, errors);
        return false;
    }
    if (version->at(0).at(0) != std::to_string(kSchemaVersion)) {
        record(errors, kNoSchema,
               connection.server() + ": the counter tables are of version " + version->at(0).at(0) +
                   ", this library knows version " + std::to_string(kSchemaVersion));
        return false;
    }
    return true;
}

std::optional<std::uint32_t> applyStep(Connection& connection, const CounterStep& step, bool retry,
                                       OstrelException* errors) {
    // The daily reset is decided by the row's own day, in the statement that
    // changes it: two takers never see the same state.
    const std::vector<std::string> parameters = {step.name, step.today, number(step.newDayValue),
                                                 number(step.add)};
    std::optional<Rows> rows;
    if (!step.set) {
        rows = connection.run("UPDATE ostrel_counter SET value = CASE WHEN day = $2::date "
                              "THEN (value + $4::bigint) % 4294967296 ELSE $3::bigint END, "
                              "day = $2::date WHERE name = $1 RETURNING value",
                              parameters, true, retry);
    }
    // A typed identifier, or a row that is not there (an administrator
    // removed it): the row is written whole.
    if (step.set || (rows && rows->empty())) {
        rows = connection.run(
            "INSERT INTO ostrel_counter AS c (name, value, day) VALUES ($1, $3::bigint, "
            "$2::date) ON CONFLICT (name) DO UPDATE SET value = CASE WHEN $5::boolean OR "
            "c.day <> $2::date THEN $3::bigint ELSE (c.value + $4::bigint) % 4294967296 END, "
            "day = $2::date RETURNING value",
            {step.name, step.today, number(step.newDayValue), number(step.add),
             step.set ? "true" : "false"},
            true, retry);
    }
    std::uint32_t value = 0;
    if (!rows || rows->size() != 1 || !readNumber(rows->front().front(), value)) {
        report(connection, errors);
        return std::nullopt;
    }
    return value;
}

std::unique_ptr<detail::CounterStore> CounterDatabase::clone() const {
    return std::make_unique<CounterDatabase>(connection_.uri());
}

std::unique_ptr<Connection> CounterDatabase::borrow() {
    if (idle_.empty()) {
        return std::make_unique<Connection>(connection_.uri());
    }
    auto connection = std::move(idle_.back());
    idle_.pop_back();
    return connection;
}

void CounterDatabase::giveBack(std::unique_ptr<Connection> connection) {
    constexpr std::size_t kKeptIdle = 4; // filings rarely overlap in one host
    if (connection->isOpen() && idle_.size() < kKeptIdle) {
        idle_.push_back(std::move(connection));
    }
}

bool CounterDatabase::failed(OstrelException* errors) {
    fault_ = report(connection_, errors);
    return false;
}

std::optional<std::vector<StoredCounter>>
CounterDatabase::load(const std::vector<StoredCounter>& defaults, OstrelException* errors) {
    if (!schemaChecked_) {
        if (!ensureSchema(connection_, errors)) {
            fault_ = connection_.fault() == Fault::Unavailable ? StoreFault::Unavailable
                                                               : StoreFault::Refused;
            return std::nullopt;
        }
        schemaChecked_ = true;
    }
    // The counters not stored yet are added, and every row read, in one
    // statement; the rows it adds are those that `added` returns.
    const auto rows = connection_.run(
        "WITH added AS (INSERT INTO ostrel_counter (name, value, day) SELECT name, value, "
        "$3::date FROM unnest($1::text[], $2::bigint[]) AS d (name, value) ON CONFLICT DO "
        "NOTHING RETURNING name, value, day) SELECT name, value, to_char(day, 'YYYY-MM-DD') "
        "FROM ostrel_counter UNION ALL SELECT name, value, to_char(day, 'YYYY-MM-DD') FROM added",
        {textArray(defaults),
         array(defaults, [](const StoredCounter& c) { return number(c.value); }),
         defaults.empty() ? "2000-01-01" : defaults.front().day},
        true, true);
    if (!rows) {
        failed(errors);
        return std::nullopt;
    }
    std::vector<StoredCounter> counters;
    counters.reserve(rows->size());
    for (const auto& row : *rows) {
        StoredCounter counter{row[0], 0, row[2]};
        if (readNumber(row[1], counter.value)) {
            counters.push_back(std::move(counter));
        }
    }
    fault_ = StoreFault::None;
    return counters;
}

std::optional<std::uint32_t> CounterDatabase::apply(const CounterStep& step,
                                                    OstrelException* errors) {
    const auto value = applyStep(connection_, step, true, errors);
    fault_ = value ? StoreFault::None : report(connection_, nullptr);
    return value;
}

bool CounterDatabase::raise(const std::vector<StoredCounter>& counters, OstrelException* errors) {
    if (!schemaChecked_ && !load({}, errors)) {
        return false;
    }
    // One statement: all of the file's counters or none.
    if (!connection_.run(
            "INSERT INTO ostrel_counter AS c (name, value, day) SELECT * FROM "
            "unnest($1::text[], $2::bigint[], $3::date[]) ON CONFLICT (name) DO UPDATE SET "
            "value = EXCLUDED.value, day = EXCLUDED.day "
            "WHERE (EXCLUDED.day, EXCLUDED.value) > (c.day, c.value)",
            {textArray(counters),
             array(counters, [](const StoredCounter& c) { return number(c.value); }),
             array(counters, [](const StoredCounter& c) { return c.day; })},
            false, true)) {
        return failed(errors);
    }
    fault_ = StoreFault::None;
    return true;
}

} // namespace ostrel::autoident::pg

namespace ostrel::autoident::detail {

bool isCounterDatabase(const std::string& location) {
    return pg::isDatabaseUri(location);
}

std::unique_ptr<CounterStore> openCounterStore(const std::string& location) {
    if (!pg::isDatabaseUri(location)) {
        return nullptr;
    }
    return std::make_unique<pg::CounterDatabase>(location);
}

} // namespace ostrel::autoident::detail
