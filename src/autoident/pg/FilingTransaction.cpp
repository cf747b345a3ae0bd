#include "autoident/FilingTransaction.h"

#include "autoident/AutoIncrementedIdentificators.h"
#include "autoident/detail/ErrorRecord.h"
#include "autoident/pg/CounterDatabase.h"
#include "host/common/OstrelException.h"

namespace {

const char* const kSourceFile = "FilingTransaction.cpp";
enum Line {
    kNoDatabase = 300,
    kUnknownCounter = 310,
    kNotOpen = 320,
};

void record(OstrelException* errors, Line line, const std::string& message) {
    ostrel::autoident::detail::recordError(errors, kSourceFile, line, message);
}

} // namespace

struct FilingTransaction::Private {
    Private(AutoIncrementedIdentificators& set, ostrel::autoident::pg::CounterDatabase& store)
        : idents(set), database(store), connection(store.borrow()) {}
    ~Private() {
        end();
        database.giveBack(std::move(connection));
    }
    Private(const Private&) = delete;
    Private& operator=(const Private&) = delete;

    /// Runs `sql` in the transaction; a failure ends it.
    std::optional<ostrel::autoident::pg::Rows> run(const std::string& sql,
                                                   const std::vector<std::string>& parameters,
                                                   bool prepared, OstrelException* errors) {
        auto rows = connection->run(sql, parameters, prepared, false);
        if (!rows) {
            fail(errors);
        }
        return rows;
    }
    void fail(OstrelException* errors) {
        idents.state_ = AutoIncrementedIdentificators::ValueFileState::DatabaseRefused;
        const auto fault = ostrel::autoident::pg::report(*connection, errors);
        if (fault == ostrel::autoident::detail::StoreFault::Unavailable) {
            idents.state_ = AutoIncrementedIdentificators::ValueFileState::DatabaseUnavailable;
        } else if (fault == ostrel::autoident::detail::StoreFault::Busy) {
            idents.state_ = AutoIncrementedIdentificators::ValueFileState::CounterBusy;
        }
        end();
    }
    void end() {
        if (open) {
            open = false;
            // Rolled back or not, the failure is already recorded; a broken
            // connection drops the transaction anyway.
            static_cast<void>(connection->run("ROLLBACK", {}, false, false));
        }
    }

    AutoIncrementedIdentificators& idents;
    ostrel::autoident::pg::CounterDatabase& database;
    std::unique_ptr<ostrel::autoident::pg::Connection> connection;
    bool open = false;
};

FilingTransaction::FilingTransaction(AutoIncrementedIdentificators& idents, OstrelException* errors,
                                     long lockTimeoutMs) {
    auto* store = dynamic_cast<ostrel::autoident::pg::CounterDatabase*>(idents.store());
    if (store == nullptr) {
        record(errors, kNoDatabase,
               "the counters are kept in a value file: numbering without gaps needs a counter "
               "database");
        return;
    }
    d_ = std::make_unique<Private>(idents, *store);
    // SET LOCAL: the timeout holds for this transaction only. One round trip.
    d_->open = d_->run("BEGIN; SET LOCAL lock_timeout = '" + std::to_string(lockTimeoutMs) + "ms'",
                       {}, false, errors)
                   .has_value();
}

FilingTransaction::~FilingTransaction() {
    rollback();
}

bool FilingTransaction::isOpen() const {
    return d_ && d_->open;
}

std::optional<std::string> FilingTransaction::takeValue(const char* name, OstrelException* errors) {
    if (!isOpen()) {
        record(errors, kNotOpen, "the filing transaction is not open");
        return std::nullopt;
    }
    AutoIdentificator* counter = d_->idents.getIdentifier(name);
    if (counter == nullptr) {
        record(errors, kUnknownCounter, "no counter named '" + std::string(name ? name : "") + "'");
        return std::nullopt;
    }
    const auto step = AutoIncrementedIdentificators::takeStep(*counter);
    const auto stored = ostrel::autoident::pg::applyStep(*d_->connection, step, false, nullptr);
    if (!stored) {
        d_->fail(errors);
        return std::nullopt;
    }
    return AutoIncrementedIdentificators::settle(*counter, step, *stored);
}

bool FilingTransaction::updateIdentifier(const char* name, const char* text,
                                         OstrelException* errors) {
    AutoIdentificator* counter = isOpen() ? d_->idents.getIdentifier(name) : nullptr;
    ostrel::autoident::detail::CounterStep step;
    if (counter == nullptr || !AutoIncrementedIdentificators::syncStep(*counter, text, step)) {
        return false;
    }
    if (!ostrel::autoident::pg::applyStep(*d_->connection, step, false, nullptr)) {
        d_->fail(errors);
        return false;
    }
    return true;
}

std::optional<std::vector<std::vector<std::string>>>
FilingTransaction::execute(const std::string& sql, const std::vector<std::string>& parameters,
                           OstrelException* errors) {
    if (!isOpen()) {
        record(errors, kNotOpen, "the filing transaction is not open");
        return std::nullopt;
    }
    return d_->run(sql, parameters, false, errors);
}

bool FilingTransaction::commit(OstrelException* errors) {
    if (!isOpen()) {
        record(errors, kNotOpen, "the filing transaction is not open: nothing was committed");
        return false;
    }
    if (!d_->run("COMMIT", {}, false, errors)) {
        return false;
    }
    d_->open = false;
    return true;
}

void FilingTransaction::rollback() {
    if (d_) {
        d_->end();
    }
}
