#include "qt/Demo.h"

#include "support/TempDir.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace ostrel::demo {
namespace {

// The bundled script filing into a counter database: the identifier is taken
// in the transaction that files the document, so a filing that fails leaves
// the number to the next document.
TEST(DemoDatabaseTest, FilesTheDocumentInTheTransactionThatNumbersIt) {
    OSTREL_REQUIRE_DATABASE();
    test::TempDir work;
    test::TestDatabase database;
    const auto runBundled = [&](const std::string& expected) {
        std::ostringstream out, err;
        const int status =
            runDemo({OSTREL_SAMPLES_DIR "/domains.xml", work.path().string(),
                     OSTREL_SAMPLES_DIR "/demo-script.txt", "2024-03-01", database.uri()},
                    out, err);
        EXPECT_NE(out.str().find(expected), std::string::npos) << out.str();
        return std::to_string(status) + " " + err.str();
    };
    EXPECT_EQ(runBundled("Letter: LTR-240301-HQ01 used, next LTR-240301-HQ02\n"
                         "Filed: ostrel_filed_document, identifier LTR-240301-HQ01\n"),
              "0 ");
    EXPECT_EQ(database.sql("SELECT attribute_values->>'Recipient' || ' ' || domain FROM "
                           "ostrel_filed_document WHERE identifier = 'LTR-240301-HQ01'"),
              std::vector<std::string>{"Kovo Hradec s.r.o. Head office"});

    // Another program filed under the next number by hand: the filing fails whole.
    database.sql("INSERT INTO ostrel_filed_document (identifier, document_type, domain, "
                 "attribute_values) VALUES ('LTR-240301-HQ02', 'x', 'x', '{}')");
    EXPECT_NE(runBundled("Offered Reference: LTR-240301-HQ02").find("duplicate key value"),
              std::string::npos);
    EXPECT_EQ(database.sql("SELECT value FROM ostrel_counter WHERE name = 'Letter'"),
              std::vector<std::string>{"2"});
}

} // namespace
} // namespace ostrel::demo
