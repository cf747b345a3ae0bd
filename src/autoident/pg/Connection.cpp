#include "autoident/pg/Connection.h"

#include <libpq-fe.h>

#include <memory>
#include <utility>

namespace ostrel::autoident::pg {
namespace {

struct ResultDeleter {
    void operator()(PGresult* result) const { PQclear(result); }
};
using Result = std::unique_ptr<PGresult, ResultDeleter>;

bool startsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

/// The URI with the password of its user part and of a `password=`
/// parameter replaced by "***"; the passwords as written go to `secrets`.
std::string withoutPassword(const std::string& uri, std::vector<std::string>& secrets) {
    std::string shown = uri;
    const std::size_t scheme = shown.find("://");
    if (scheme != std::string::npos) {
        const std::size_t start = scheme + 3;
        const std::size_t end = std::min(shown.find_first_of("/?", start), shown.size());
        const std::size_t at = shown.rfind('@', end);
        if (at != std::string::npos && at >= start) {
            const std::size_t colon = shown.find(':', start);
            if (colon < at) {
                secrets.push_back(shown.substr(colon + 1, at - colon - 1));
                shown.replace(colon + 1, at - colon - 1, "***");
            }
        }
    }
    for (std::size_t at = shown.find("password="); at != std::string::npos;
         at = shown.find("password=", at + 1)) {
        if (at == 0 || (shown[at - 1] != '?' && shown[at - 1] != '&')) {
            continue;
        }
        const std::size_t value = at + 9;
        const std::size_t end = std::min(shown.find('&', value), shown.size());
        secrets.push_back(shown.substr(value, end - value));
        shown.replace(value, end - value, "***");
    }
    return shown;
}

/// libpq's message on one line, without the trailing line end.
std::string oneLine(const char* message) {
    std::string text = message ? message : "";
    for (char& c : text) {
        if (c == '\n' || c == '\r' || c == '\t') {
            c = ' ';
        }
    }
    while (!text.empty() && text.back() == ' ') {
        text.pop_back();
    }
    return text;
}

} // namespace

bool isDatabaseUri(const std::string& text) {
    return startsWith(text, "postgresql://") || startsWith(text, "postgres://");
}

Connection::Connection(std::string uri, std::string lockTimeout)
    : uri_(std::move(uri)), lockTimeout_(std::move(lockTimeout)),
      display_(withoutPassword(uri_, secrets_)) {
    char* error = nullptr;
    if (PQconninfoOption* options = PQconninfoParse(uri_.c_str(), &error)) {
        for (const PQconninfoOption* option = options; option->keyword; ++option) {
            if (std::string(option->keyword) == "password" && option->val) {
                secrets_.emplace_back(option->val);
            }
            if (std::string(option->keyword) == "options" && option->val) {
                ownOptions_ = true;
            }
        }
        PQconninfoFree(options);
    }
    PQfreemem(error);
}

Connection::~Connection() {
    PQfinish(connection_);
}

std::string Connection::server() const {
    if (connection_ == nullptr || PQdb(connection_) == nullptr) {
        return "the counter database " + display_;
    }
    const std::string host = PQhost(connection_) ? PQhost(connection_) : "";
    const std::string port = PQport(connection_) ? PQport(connection_) : "";
    return "the counter database '" + std::string(PQdb(connection_)) + "' on '" + host +
           (port.empty() ? "" : ":" + port) + "'";
}

bool Connection::fail(Fault fault, const std::string& reason) {
    fault_ = fault;
    std::string text = reason;
    // libpq does not repeat a password, but a malformed URI is quoted back in
    // parts: a password in it must not reach a message.
    for (const std::string& secret : secrets_) {
        for (std::size_t at = secret.empty() ? std::string::npos : text.find(secret);
             at != std::string::npos; at = text.find(secret, at)) {
            text.replace(at, secret.size(), "***");
        }
    }
    failure_ = server() + ": " + text;
    return false;
}

bool Connection::isOpen() const {
    return connection_ != nullptr && PQstatus(connection_) == CONNECTION_OK &&
           PQtransactionStatus(connection_) == PQTRANS_IDLE;
}

bool Connection::open() {
    if (connection_ != nullptr && PQstatus(connection_) == CONNECTION_OK) {
        return true;
    }
    PQfinish(connection_);
    prepared_.clear();
    // The URI comes after the defaults, so that it may override them; the
    // client encoding comes last: counter names travel as UTF-8.
    const char* const keywords[] = {"connect_timeout", "dbname", "fallback_application_name",
                                    "client_encoding", nullptr};
    const char* const values[] = {"10", uri_.c_str(), "ostrel", "UTF8", nullptr};
    connection_ = PQconnectdbParams(keywords, values, 1);
    if (connection_ == nullptr) {
        return fail(Fault::Unavailable, "out of memory");
    }
    if (PQstatus(connection_) != CONNECTION_OK) {
        return fail(Fault::Unavailable, oneLine(PQerrorMessage(connection_)));
    }
    // The library has no log: the server's notices ("already exists,
    // skipping") must not reach the host's standard error.
    PQsetNoticeProcessor(
        connection_, [](void*, const char*) {}, nullptr);
    return setUpSession();
}

bool Connection::setUpSession() {
    // Options of the URI replace the lock timeout given at connecting: it is
    // set here unless they set one.
    return !ownOptions_ || runOnce("SELECT set_config('lock_timeout', $1, false) "
                                   "WHERE current_setting('lock_timeout') = '0'",
                                   {lockTimeout_}, false)
                               .has_value();
}

std::optional<Rows> Connection::run(const std::string& sql,
                                    const std::vector<std::string>& parameters, bool prepared,
                                    bool retry) {
    if (connection_ != nullptr && PQstatus(connection_) != CONNECTION_OK && !retry) {
        // Inside a transaction a new connection would run the statement
        // outside it (a COMMIT of nothing that reports success).
        fail(Fault::Unavailable, "the connection was lost");
        return std::nullopt;
    }
    const bool wasOpen = connection_ != nullptr && PQstatus(connection_) == CONNECTION_OK;
    if (!open()) {
        return std::nullopt;
    }
    auto rows = runOnce(sql, parameters, prepared);
    if (!rows && retry && wasOpen && PQstatus(connection_) == CONNECTION_BAD) {
        if (!open()) {
            return std::nullopt;
        }
        rows = runOnce(sql, parameters, prepared);
    }
    return rows;
}

std::optional<Rows> Connection::runOnce(const std::string& sql,
                                        const std::vector<std::string>& parameters, bool prepared) {
    std::vector<const char*> values;
    values.reserve(parameters.size());
    for (const std::string& parameter : parameters) {
        values.push_back(parameter.c_str());
    }
    const int count = static_cast<int>(values.size());
    Result result;
    if (prepared) {
        auto [known, added] =
            prepared_.try_emplace(sql, "ostrel_" + std::to_string(prepared_.size()));
        if (added) {
            Result preparation(
                PQprepare(connection_, known->second.c_str(), sql.c_str(), count, nullptr));
            if (PQresultStatus(preparation.get()) != PGRES_COMMAND_OK) {
                prepared_.erase(known);
                result = std::move(preparation);
            }
        }
        if (!result) {
            result.reset(PQexecPrepared(connection_, known->second.c_str(), count, values.data(),
                                        nullptr, nullptr, 0));
        }
    } else if (parameters.empty()) {
        // Without parameters several statements may go in one text (a
        // transaction of its own, say).
        result.reset(PQexec(connection_, sql.c_str()));
    } else {
        result.reset(PQexecParams(connection_, sql.c_str(), count, nullptr, values.data(), nullptr,
                                  nullptr, 0));
    }
    const ExecStatusType status = PQresultStatus(result.get());
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
        const char* state = result ? PQresultErrorField(result.get(), PG_DIAG_SQLSTATE) : nullptr;
        sqlState_ = state ? state : "";
        const bool lost = PQstatus(connection_) == CONNECTION_BAD || startsWith(sqlState_, "08") ||
                          startsWith(sqlState_, "57P");
        const char* reason = result ? PQresultErrorMessage(result.get()) : nullptr;
        fail(lost                   ? Fault::Unavailable
             : sqlState_ == "55P03" ? Fault::Busy
                                    : Fault::Refused,
             oneLine(reason && *reason ? reason : PQerrorMessage(connection_)));
        return std::nullopt;
    }
    Rows rows(static_cast<std::size_t>(PQntuples(result.get())));
    const int columns = PQnfields(result.get());
    for (std::size_t row = 0; row < rows.size(); ++row) {
        for (int column = 0; column < columns; ++column) {
            rows[row].emplace_back(PQgetvalue(result.get(), static_cast<int>(row), column));
        }
    }
    fault_ = Fault::None;
    return rows;
}

} // namespace ostrel::autoident::pg
