#include "RunTool.h"

#include "host/base/EarthTime.h"
#include "support/TempDir.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace ostrel::test;

// What the tool prints is the same for either store (IdentCommandTest); the counters' moves in
// the database are the counter tests' (autoident/pg). Only a database imports a value file.
TEST(IdentCommandDatabaseTest, AUriTakesThePlaceOfTheValueFileAndImportsOne) {
    OSTREL_REQUIRE_DATABASE();
    TempDir dir;
    TestDatabase database;
    zmbase::ScopedLocalClock clock{[] { return zmbase::EarthTime(2024, 3, 1, 9, 0, 0); }};
    const std::string definitions = writeIdentDefinitions(dir), uri = database.uri();
    const std::string values =
        dir.write("values.xml", "<autoident>\n"
                                "<ident name=\"Order\" value=\"95\" date=\"2024-03-01\"/>\n"
                                "</autoident>\n");
    EXPECT_EQ(runTool({"ident", definitions, uri, "import", values}),
              "0|imported '" + values + "'\n|");
    EXPECT_EQ(runTool({"ident", definitions, uri, "next", "Order"}), "0|ORD-240301095\n|");
}

} // namespace
