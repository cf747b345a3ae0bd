#include "RunTool.h"

#include "host/base/EarthTime.h"
#include "support/TempDir.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using ostrel::test::runTool;

class IdentCommandDatabaseTest : public ::testing::Test {
protected:
    void SetUp() override { OSTREL_REQUIRE_DATABASE(); }
    std::string ident(const std::string& store, std::vector<std::string> rest) {
        rest.insert(rest.begin(), {"ident", definitions, store});
        return runTool(rest);
    }

    ostrel::test::TempDir dir;
    ostrel::test::TestDatabase database;
    zmbase::ScopedLocalClock clock{[] { return zmbase::EarthTime(2024, 3, 1, 9, 0, 0); }};
    std::string definitions = ostrel::test::writeIdentDefinitions(dir);
};

TEST_F(IdentCommandDatabaseTest, AUriTakesThePlaceOfTheValueFileAndMovesCountersBothWays) {
    const std::string uri = database.uri();
    EXPECT_EQ(ident(uri, {"use", "Order"}), "0|Order: used ORD-240301010, next ORD-240301015\n|");
    EXPECT_EQ(ident(uri, {"sync", "Invoice", "INV-2024-0041"}),
              "0|Invoice: synchronised with INV-2024-0041, next INV-2024-0042\n|");
    const std::string values =
        dir.write("values.xml", "<autoident>\n"
                                "<ident name=\"Invoice\" value=\"5\" date=\"2024-03-01\"/>\n"
                                "<ident name=\"Order\" value=\"95\" date=\"2024-03-01\"/>\n"
                                "</autoident>\n");
    EXPECT_EQ(ident(uri, {"import", values}), "0|imported '" + values + "'\n|");
    EXPECT_EQ(ident(uri, {}), "0|Invoice  INV-2024-0042\nOrder    ORD-240301095\n|");
    const std::string exported = dir.file("exported.xml");
    EXPECT_EQ(ident(uri, {"export", exported}), "0|exported to '" + exported + "'\n|");
    EXPECT_EQ(ident(exported, {}), "0|Invoice  INV-2024-0042\nOrder    ORD-240301095\n|");

    EXPECT_EQ(ident(exported, {"import", values}),
              "1||ostrel ident: the counters are kept in a value file, not a database\n");
}

TEST_F(IdentCommandDatabaseTest, AServerThatCannotBeUsedIsOneLineWithoutThePassword) {
    const std::string socket = OSTREL_TEST_DATABASE_DIR;
    EXPECT_EQ(ident("postgresql://clerk:wrong-secret@/" + database.name() + "?host=" + socket,
                    {"use", "Order"}),
              "1||ostrel ident: the counters' values were not saved: the counter database '" +
                  database.name() + "' on '" + socket +
                  ":5432': connection to server on socket \"" + socket +
                  "/.s.PGSQL.5432\" failed: FATAL:  password authentication failed for user "
                  "\"clerk\"\n");
}

} // namespace
