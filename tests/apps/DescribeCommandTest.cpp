#include "Command.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

struct Result {
    int status;
    std::string out;
    std::string err;
};

Result run(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    ostrel::cli::Output output{out, err};
    const int status = ostrel::cli::runTool(args, output);
    return {status, out.str(), err.str()};
}

const std::string kSample = OSTREL_SAMPLES_DIR "/templates.xml";

TEST(DescribeCommandTest, PrintsTheDocumentsTreeOfTheSample) {
    const Result result = run({"describe", kSample});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out, ostrel::test::readFile(OSTREL_DESCR_DATA_DIR "/templates-documents.xml"));
}

TEST(DescribeCommandTest, PrintsEveryRecordOfAFailureOnItsOwnLine) {
    ostrel::test::TempDir dir;
    const std::string file =
        dir.write("bad.xml", "<Templates><Template id=\"T\" name=\"n\"><Attributes><ClassAttribute"
                             " value=\"v\"/></Attributes></Template></Templates>");
    const Result result = run({"describe", file});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "CMServer2Descr.cpp:181: ClassAttribute missing id\\nTemplate id=T\n"
                          "CMServer2Descr.cpp:97: Cannot read tag Template\n"
                          "CMServer2Descr.cpp:72: Failed to read content of tag Templates, file: " +
                              file +
                              "\n"
                              "CMServer2Descr.cpp:26: Cannot read description\n");
    EXPECT_EQ(run({"describe"}).status, 2);
    EXPECT_EQ(run({"describe", "a.xml", "b.xml"}).status, 2);
}

} // namespace
