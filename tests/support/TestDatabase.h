#pragma once

#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <libpq-fe.h>

#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

namespace ostrel::test {

/// A database of its own for one test, in the throwaway PostgreSQL cluster
/// that scripts/test-database starts for the suite (the CTest fixture
/// ostrel_database), dropped at the end. The role "ostrel" is the cluster's
/// superuser; "clerk" logs in with a password and may not create tables.
class TestDatabase {
public:
    TestDatabase() : name_("t" + std::to_string(::getpid()) + "_" + std::to_string(++count())) {
        if (unavailable().empty()) {
            run(uriOf("postgres"), "CREATE DATABASE " + name_);
        }
    }
    ~TestDatabase() {
        if (unavailable().empty()) {
            run(uriOf("postgres"), "DROP DATABASE IF EXISTS " + name_ + " WITH (FORCE)");
        }
    }
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    /// Why the cluster is not there (its binaries are missing on this
    /// machine), or empty.
    static std::string unavailable() {
        return readFile(std::string(OSTREL_TEST_DATABASE_DIR) + "/unavailable");
    }
    static std::string uriOf(const std::string& database, const std::string& user = "ostrel") {
        return "postgresql://" + user + "@/" + database + "?host=" + OSTREL_TEST_DATABASE_DIR;
    }
    /// Restarts the server: every open connection is cut.
    static void restartServer() {
        const std::string command =
            std::string(OSTREL_TEST_DATABASE_SCRIPT) + " restart " + OSTREL_TEST_DATABASE_DIR;
        ASSERT_EQ(std::system(command.c_str()), 0);
    }

    const std::string& name() const { return name_; }
    std::string uri(const std::string& user = "ostrel") const { return uriOf(name_, user); }
    /// Runs administrator SQL in this database; the first column of its rows.
    std::vector<std::string> sql(const std::string& statement) const {
        return run(uri(), statement);
    }

private:
    // Bare libpq, apart from the code under test.
    static std::vector<std::string> run(const std::string& uri, const std::string& statement) {
        PGconn* connection = PQconnectdb(uri.c_str());
        PGresult* result = PQexec(connection, statement.c_str());
        const ExecStatusType status = PQresultStatus(result);
        EXPECT_TRUE(status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK)
            << PQerrorMessage(connection);
        std::vector<std::string> column;
        for (int row = 0; row < PQntuples(result); ++row) {
            column.emplace_back(PQgetvalue(result, row, 0));
        }
        PQclear(result);
        PQfinish(connection);
        return column;
    }

    static int& count() {
        static int made = 0;
        return made;
    }

    std::string name_;
};

} // namespace ostrel::test

/// Skips the test, visibly, on a machine without the PostgreSQL server.
#define OSTREL_REQUIRE_DATABASE()                                                                  \
    if (const std::string why = ostrel::test::TestDatabase::unavailable(); !why.empty())           \
    GTEST_SKIP() << why
