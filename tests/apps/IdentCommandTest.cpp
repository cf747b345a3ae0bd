#include "Command.h"

#include "host/base/EarthTime.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

using ostrel::test::readFile;
using ostrel::test::TempDir;

struct Result {
    int status;
    std::string out;
    std::string err;
};

class IdentCommandTest : public ::testing::Test {
protected:
    Result run(std::vector<std::string> args) {
        std::ostringstream out;
        std::ostringstream err;
        ostrel::cli::Output output{out, err};
        const int status = ostrel::cli::runTool(args, output);
        return {status, out.str(), err.str()};
    }
    Result ident(const std::vector<std::string>& rest) {
        std::vector<std::string> args{"ident", definitions, values};
        args.insert(args.end(), rest.begin(), rest.end());
        return run(args);
    }

    TempDir dir;
    zmbase::ScopedLocalClock clock{[] { return zmbase::EarthTime(2024, 3, 1, 9, 0, 0); }};
    std::string definitions =
        dir.write("defs.xml", "<identifiers>\n"
                              "<ident name=\"Invoice\" prefix=\"INV-\\Y-\" variable_length=\"4\" "
                              "increment=\"1\" initial_value=\"1\"/>\n"
                              "<ident name=\"Order\" prefix=\"ORD-\" variable_length=\"3\" "
                              "increment=\"5\" initial_value=\"10\"/>\n"
                              "</identifiers>\n");
    std::string values = dir.file("values.xml");
};

TEST_F(IdentCommandTest, ListsNextIdentifiersAndWritesTheValueFile) {
    const Result listed = ident({});
    EXPECT_EQ(listed.status, 0);
    EXPECT_EQ(listed.out, "Invoice  INV-2024-0001\n"
                          "Order    ORD-240301010\n");
    EXPECT_EQ(listed.err, "");
    EXPECT_EQ(ident({"list"}).out, listed.out);
    EXPECT_EQ(readFile(values), "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<autoident>\r\n"
                                "<ident name=\"Invoice\" value=\"1\" date=\"2024-03-01\" />\r\n"
                                "<ident name=\"Order\" value=\"10\" date=\"2024-03-01\" />\r\n"
                                "</autoident>\r\n");
}

TEST_F(IdentCommandTest, NextUseAndSync) {
    EXPECT_EQ(ident({"next", "Order"}).out, "ORD-240301010\n");
    EXPECT_EQ(ident({"use", "Order"}).out, "Order: used ORD-240301010, next ORD-240301015\n");
    EXPECT_EQ(ident({"next", "Order"}).out, "ORD-240301015\n");
    EXPECT_EQ(ident({"sync", "Invoice", "INV-2024-0041"}).out,
              "Invoice: synchronised with INV-2024-0041, next INV-2024-0042\n");
    EXPECT_EQ(ident({"next", "Invoice"}).out, "INV-2024-0042\n");
}

TEST_F(IdentCommandTest, BadInputIsExplained) {
    struct Row {
        std::vector<std::string> args;
        int status;
        std::string err;
    };
    const std::string usage = "Run 'ostrel ident --help' for usage.\n";
    const Row rows[] = {
        {{"next", "order"}, 1, "ostrel ident: no counter named 'order' in '" + definitions + "'\n"},
        {{"sync", "Invoice", "INV-2023-0041"},
         1,
         "ostrel ident: 'INV-2023-0041' does not fit the counter 'Invoice': expected today's "
         "prefix followed by a number, like 'INV-2024-0001'\n"},
        {{"sync", "Invoice", "INV-2024-00"},
         1,
         "ostrel ident: 'INV-2024-00' does not fit the counter 'Invoice': expected today's "
         "prefix followed by a number, like 'INV-2024-0001'\n"},
        {{"frob"}, 2, "ostrel ident: unknown action 'frob'\n" + usage},
    };
    for (const Row& row : rows) {
        const Result result = ident(row.args);
        EXPECT_EQ(result.status, row.status) << row.err;
        EXPECT_EQ(result.err, row.err);
        EXPECT_EQ(result.out, "");
    }
    const Result tooFew = run({"ident", definitions});
    EXPECT_EQ(tooFew.status, 2);
    EXPECT_EQ(tooFew.err, "ostrel ident: expected a definition file and a value file\n" + usage);
}

TEST_F(IdentCommandTest, BadDefinitionFilesNameTheFault) {
    const std::string good = "<ident name=\"A\" prefix=\"\" variable_length=\"1\" "
                             "increment=\"1\" initial_value=\"1\"/>";
    struct Row {
        std::string content;
        std::string message; // after "ostrel ident: "
    };
    const Row rows[] = {
        {"<identifiers>", "cannot read the definition file '" + definitions +
                              "' (missing, unreadable or not well-formed XML)"},
        {"<i>" + good + "<ident prefix=\"\"/></i>",
         definitions + ": counter definition 2: the attribute 'name' is missing or empty"},
        {"<i><ident name=\"B\" prefix=\"\" variable_length=\"1\" increment=\"00\"/></i>",
         definitions + ": counter 'B': the attribute 'increment' is not a number: '00' (write "
                       "zero as \"0\")"},
        {"<i>" + good + good + "</i>", definitions + ": counter 'A': the name is defined twice"},
    };
    for (const Row& row : rows) {
        dir.write("defs.xml", row.content);
        const Result result = ident({});
        EXPECT_EQ(result.status, 1) << row.content;
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, "ostrel ident: " + row.message + "\n");
    }
    const Result help = run({"ident", "--help"});
    EXPECT_EQ(help.out.rfind("Usage: ostrel ident DEFINITIONS VALUES [ACTION]\n", 0), 0u);
}

} // namespace
