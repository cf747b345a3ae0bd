#include "RunTool.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using ostrel::test::runTool;

TEST(DescribeCommandTest, PrintsTheDocumentsTreeOrEveryRecordOfAFailure) {
    EXPECT_EQ(runTool({"describe", OSTREL_SAMPLES_DIR "/templates.xml"}),
              "0|" + ostrel::test::readFile(OSTREL_DESCR_DATA_DIR "/templates-documents.xml") +
                  "|");
    ostrel::test::TempDir dir;
    const std::string file =
        dir.write("bad.xml", "<Templates><Template id=\"T\" name=\"n\"><Attributes><ClassAttribute"
                             " value=\"v\"/></Attributes></Template></Templates>");
    EXPECT_EQ(runTool({"describe", file}),
              "1||CMServer2Descr.cpp:181: ClassAttribute missing id\\nTemplate id=T\n"
              "CMServer2Descr.cpp:97: Cannot read tag Template\n"
              "CMServer2Descr.cpp:72: Failed to read content of tag Templates, file: " +
                  file + "\nCMServer2Descr.cpp:26: Cannot read description\n");
    EXPECT_EQ(runTool({"describe", "a.xml", "b.xml"})[0], '2');
}

} // namespace
