#include "RunTool.h"

#include "host/base/EarthTime.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using ostrel::test::runTool;

class IdentCommandTest : public ::testing::Test {
protected:
    std::string ident(std::vector<std::string> rest) {
        rest.insert(rest.begin(), {"ident", definitions, dir.file("values.xml")});
        return runTool(rest);
    }

    ostrel::test::TempDir dir;
    zmbase::ScopedLocalClock clock{[] { return zmbase::EarthTime(2024, 3, 1, 9, 0, 0); }};
    std::string definitions =
        dir.write("defs.xml", "<identifiers>\n"
                              "<ident name=\"Invoice\" prefix=\"INV-\\Y-\" variable_length=\"4\" "
                              "increment=\"1\" initial_value=\"1\"/>\n"
                              "<ident name=\"Order\" prefix=\"ORD-\" variable_length=\"3\" "
                              "increment=\"5\" initial_value=\"10\"/>\n"
                              "</identifiers>\n");
};

TEST_F(IdentCommandTest, ListNextUseAndSyncKeepTheValueFile) {
    EXPECT_EQ(ident({}), "0|Invoice  INV-2024-0001\nOrder    ORD-240301010\n|");
    EXPECT_EQ(ident({"list"}), ident({}));
    EXPECT_EQ(ident({"next", "Order"}), "0|ORD-240301010\n|");
    EXPECT_EQ(ident({"use", "Order"}), "0|Order: used ORD-240301010, next ORD-240301015\n|");
    EXPECT_EQ(ident({"next", "Order"}), "0|ORD-240301015\n|");
    EXPECT_EQ(ident({"sync", "Invoice", "INV-2024-0041"}),
              "0|Invoice: synchronised with INV-2024-0041, next INV-2024-0042\n|");
    EXPECT_EQ(ident({"next", "Invoice"}), "0|INV-2024-0042\n|");
}

TEST_F(IdentCommandTest, BadInputIsExplained) {
    const std::string usage = "Run 'ostrel ident --help' for usage.\n";
    EXPECT_EQ(ident({"next", "order"}),
              "1||ostrel ident: no counter named 'order' in '" + definitions + "'\n");
    EXPECT_EQ(ident({"sync", "Invoice", "INV-2023-0041"}),
              "1||ostrel ident: 'INV-2023-0041' does not fit the counter 'Invoice': expected "
              "today's prefix followed by a number, like 'INV-2024-0001'\n");
    EXPECT_EQ(ident({"frob"}), "2||ostrel ident: unknown action 'frob'\n" + usage);
    EXPECT_EQ(runTool({"ident", definitions}),
              "2||ostrel ident: expected a definition file and a value file\n" + usage);
    EXPECT_EQ(runTool({"ident", "--help"})
                  .rfind("0|Usage: ostrel ident DEFINITIONS VALUES [ACTION]\n", 0),
              0u);
}

TEST_F(IdentCommandTest, BadDefinitionFilesNameTheFault) {
    const std::string good = "<ident name=\"A\" prefix=\"\" variable_length=\"1\" "
                             "increment=\"1\" initial_value=\"1\"/>";
    const std::pair<std::string, std::string> rows[] = {
        {"<identifiers>", "cannot read the definition file '" + definitions +
                              "' (missing, unreadable or not well-formed XML)"},
        {"<i>" + good + "<ident prefix=\"\"/></i>",
         definitions + ": counter definition 2: the attribute 'name' is missing or empty"},
        {"<i><ident name=\"B\" prefix=\"\" variable_length=\"1\" increment=\"00\"/></i>",
         definitions + ": counter 'B': the attribute 'increment' is not a number: '00' (write "
                       "zero as \"0\")"},
        {"<i><ident name=\"P\" variable_length=\"1\"/></i>",
         definitions + ": counter 'P': the attribute 'prefix' is missing"},
        {"<i><ident name=\"C\" prefix=\"\" variable_length=\"1\" increment=\"1\"/></i>",
         definitions + ": counter 'C': the attribute 'initial_value' is missing"},
        {"<i>" + good + good + "</i>", definitions + ": counter 'A': the name is defined twice"},
    };
    for (const auto& [content, message] : rows) {
        dir.write("defs.xml", content);
        EXPECT_EQ(ident({}), "1||ostrel ident: " + message + "\n") << content;
    }
}

} // namespace
