#pragma once

#include "autoident/pg/Connection.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

namespace ostrel::test {

/// A database of its own for one test, in the throwaway PostgreSQL cluster
/// that scripts/test-database starts for the suite (the CTest fixture
/// ostrel_database), dropped at the end. The role "ostrel" is the cluster's
/// superuser; "clerk" logs in with a password and may not create tables.
class TestDatabase {
public:
    TestDatabase() : name_("t" + std::to_string(::getpid()) + "_" + std::to_string(++count())) {
        admin_.run("CREATE DATABASE " + name_, {}, false);
    }
    ~TestDatabase() { admin_.run("DROP DATABASE IF EXISTS " + name_ + " WITH (FORCE)", {}, false); }
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    /// Why the cluster is not there (its binaries are missing on this
    /// machine), or empty.
    static std::string unavailable() {
        std::ifstream in(std::string(OSTREL_TEST_DATABASE_DIR) + "/unavailable");
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
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
    std::vector<std::string> sql(const std::string& statement) {
        autoident::pg::Connection connection(uri());
        const auto rows = connection.run(statement, {}, false);
        EXPECT_TRUE(rows) << connection.failure();
        std::vector<std::string> column;
        for (const auto& row : rows.value_or(autoident::pg::Rows{})) {
            column.push_back(row.empty() ? "" : row[0]);
        }
        return column;
    }

private:
    static int& count() {
        static int made = 0;
        return made;
    }

    std::string name_;
    autoident::pg::Connection admin_{uriOf("postgres")};
};

} // namespace ostrel::test

/// Skips the test, visibly, on a machine without the PostgreSQL server.
#define OSTREL_REQUIRE_DATABASE()                                                                  \
    if (const std::string why = ostrel::test::TestDatabase::unavailable(); !why.empty())           \
    GTEST_SKIP() << why
