#include "RunTool.h"

#include "host/base/EarthTime.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace {

using namespace ostrel::test;

/// While it lives, writes that would make a file longer than `bytes` fail as on a full disk (the
/// signal such a write raises is ignored, so the write reports an error instead).
struct FullDiskAfter {
    explicit FullDiskAfter(rlim_t bytes) : handler(std::signal(SIGXFSZ, SIG_IGN)) {
        ::getrlimit(RLIMIT_FSIZE, &previous);
        const rlimit limit{bytes, previous.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FullDiskAfter() {
        ::setrlimit(RLIMIT_FSIZE, &previous);
        std::signal(SIGXFSZ, handler);
    }
    rlimit previous{};
    void (*handler)(int);
};

class IdentCommandTest : public ::testing::Test {
protected:
    std::string ident(std::vector<std::string> rest) { return identWith(values, std::move(rest)); }
    std::string identWith(const std::string& valueFile, std::vector<std::string> rest) {
        rest.insert(rest.begin(), {"ident", definitions, valueFile});
        return runTool(rest);
    }

    TempDir dir;
    zmbase::ScopedLocalClock clock{[] { return zmbase::EarthTime(2024, 3, 1, 9, 0, 0); }};
    std::string definitions = writeIdentDefinitions(dir);
    std::string values = dir.file("values.xml");
};

TEST_F(IdentCommandTest, ListNextUseSyncAndExport) {
    EXPECT_EQ(ident({}), "0|Invoice  INV-2024-0001\nOrder    ORD-240301010\n|");
    EXPECT_EQ(ident({"list"}), ident({}));
    EXPECT_EQ(ident({"next", "Order"}), "0|ORD-240301010\n|");
    EXPECT_EQ(ident({"use", "Order"}), "0|Order: used ORD-240301010, next ORD-240301015\n|");
    EXPECT_EQ(ident({"sync", "Invoice", "INV-2024-0041"}),
              "0|Invoice: synchronised with INV-2024-0041, next INV-2024-0042\n|");
    // Both changes were saved: the export of a fresh load lists them.
    const std::string exported = dir.file("exported.xml");
    EXPECT_EQ(ident({"export", exported}), "0|exported to '" + exported + "'\n|");
    EXPECT_EQ(identWith(exported, {}), "0|Invoice  INV-2024-0042\nOrder    ORD-240301015\n|");
    EXPECT_EQ(ident({"import", exported}),
              "1||ostrel ident: the counters are kept in a value file, not a database\n");
}

TEST_F(IdentCommandTest, StepsAfterWhichAnIdentifierWouldRepeatAreRefused) {
    std::string counters = readFile(definitions);
    counters.insert(counters.rfind("</identifiers>"),
                    "<ident name=\"Still\" prefix=\"S\" variable_length=\"1\" increment=\"0\" "
                    "initial_value=\"1\"/><ident name=\"Back\" prefix=\"B\" "
                    "variable_length=\"1\" increment=\"-1\" initial_value=\"9\"/>");
    dir.write("defs.xml", counters);
    ASSERT_EQ(ident({"list"})[0], '0');
    const std::string wraps = "the next identifier would wrap round past 4294967295 to 0 and "
                              "repeat the day's numbers\n";
    const std::string invoice = "1||ostrel ident: the counter 'Invoice' ";
    const std::pair<std::vector<std::string>, std::string> rows[] = {
        {{"sync", "Invoice", "INV-2024--5"},
         invoice + "cannot follow 'INV-2024--5': its number is negative\n"},
        {{"sync", "Invoice", "INV-2024-9223372036854775808"},
         invoice + "cannot follow 'INV-2024-9223372036854775808': its number is beyond "
                   "4294967295\n"},
        {{"sync", "Invoice", "INV-2024-4294967295"},
         invoice + "cannot follow 'INV-2024-4294967295': " + wraps},
        {{"sync", "Invoice", "INV-2024-4294967294"}, // the last identifier a counter can give
         "0|Invoice: synchronised with INV-2024-4294967294, next INV-2024-4294967295\n|"},
        {{"use", "Invoice"}, invoice + "is at 4294967295: " + wraps},
        {{"next", "Invoice"}, invoice + "is at 4294967295: " + wraps},
        {{"use", "Still"},
         "1||ostrel ident: the counter 'Still' has the increment 0: it would "
         "offer the same identifier after every use\n"},
        {{"next", "Back"},
         "1||ostrel ident: the counter 'Back' has the increment -1: it would "
         "count back to identifiers that were handed out already\n"},
    };
    for (const auto& [action, expected] : rows) {
        SCOPED_TRACE(action[0] + " " + action.back());
        const std::string before = readFile(values);
        EXPECT_EQ(ident(action), expected);
        if (expected[0] == '1') {
            EXPECT_EQ(readFile(values), before) << "nothing moved";
        }
    }
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
                  .rfind("0|Usage: ostrel ident DEFINITIONS VALUES|URI [ACTION]\n", 0),
              0u);
}

TEST_F(IdentCommandTest, ValueFilesThatCannotBeUsedAreRefusedBeforeAnyChange) {
    std::filesystem::create_directory(dir.file("folder"));
    std::filesystem::create_symlink(definitions, dir.file("link.xml"));
    const std::string missing = dir.file("missing/values.xml"), folder = dir.file("folder");
    const std::string unreadable =
        "1||ostrel ident: the value file '" + values +
        "' cannot be read as a value file; it was left as it is. Restore it from a backup, or "
        "remove it to start every counter again at its initial value (which hands out "
        "identifiers that may have been used already)\n";
    const std::string sameFile = "2||ostrel ident: the value file is the definition file\n"
                                 "Run 'ostrel ident --help' for usage.\n";
    // content: written to the value file first unless empty
    const auto check = [&](const std::string& valueFile, const std::string& content,
                           const std::vector<std::string>& action, const std::string& expected) {
        SCOPED_TRACE(valueFile + " " + content);
        if (!content.empty()) {
            dir.write("values.xml", content);
        }
        EXPECT_EQ(identWith(valueFile, action), expected);
        EXPECT_EQ(readFile(values), content) << "left as it is";
    };
    check(missing, "", {"sync", "Invoice", "INV-2024-0041"},
          "1||ostrel ident: cannot lock the value file '" + missing +
              "': the lock file beside it cannot be created or locked (its folder must exist and "
              "be writable); the counters' values were not saved\n");
    check(folder, "", {"next", "Invoice"},
          "1||ostrel ident: the value file '" + folder + "' is not a regular file\n");
    check(definitions, "", {"list"}, sameFile);
    check(dir.file("link.xml"), "", {"use", "Order"}, sameFile);
    check(dir.file("./folder/../defs.xml"), "", {"list"}, sameFile);
    check(values, "garbage", {"use", "Order"}, unreadable); // which files: the counters' test
    // A counter database that cannot be used: its store's record, on one line, no password.
    check("postgresql://clerk:wrong-secret@/office?host=/nonexistent-folder", "garbage",
          {"use", "Order"},
          "1||ostrel ident: the counters' values were not saved: the counter database 'office' "
          "on '/nonexistent-folder:5432': connection to server on socket "
          "\"/nonexistent-folder/.s.PGSQL.5432\" failed: No such file or directory  Is the "
          "server running locally and accepting connections on that socket?\n");
    // An unmounted share: a new file in place of the link would start every counter again.
    const std::string dangling = dir.file("dangling.xml"), share = dir.file("share/values.xml");
    std::filesystem::create_symlink(share, dangling);
    check(dangling, "garbage", {"list"},
          "1||ostrel ident: the value file '" + dangling + "' is a symbolic link to '" + share +
              "', which does not exist (is the share it lies on mounted?); a new value file in "
              "its place would hand out the same identifiers again\n");
    std::filesystem::create_hard_link(values, dir.file("second.xml"));
    check(values, "garbage", {"use", "Order"},
          "1||ostrel ident: the value file '" + values +
              "' has 2 names (hard links): each change replaces it under one name only, after "
              "which the names would number apart and hand out the same identifiers; keep one "
              "name and let the others be symbolic links to it\n");
}

TEST_F(IdentCommandTest, FailedWritesAreReportedAndLeaveTheValueFileWhole) {
    ASSERT_EQ(ident({"list"})[0], '0');
    const std::string saved = readFile(values);
    {
        // The rewrite after synchronising needs one byte more (value 42 instead of 1).
        FullDiskAfter full(saved.size());
        EXPECT_EQ(ident({"sync", "Invoice", "INV-2024-0041"}),
                  "1||ostrel ident: cannot write the value file '" + values +
                      "'; the synchronisation with INV-2024-0041 was not saved\n");
    }
    {
        FullDiskAfter full(40);
        EXPECT_EQ(ident({"list"})[0], '0') << "nothing to write";
        EXPECT_EQ(ident({"use", "Order"}), "1||ostrel ident: cannot write the value file '" +
                                               values +
                                               "'; the use of ORD-240301010 was not saved\n");
    }
    EXPECT_EQ(readFile(values), saved);
    EXPECT_EQ(ident({"use", "Order"}), "0|Order: used ORD-240301010, next ORD-240301015\n|");
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        EXPECT_EQ(entry.path().filename().string().find(".tmp-"), std::string::npos);
    }
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
