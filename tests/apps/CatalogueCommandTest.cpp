#include "RunTool.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using ostrel::test::runTool;

const std::string kSample = OSTREL_SAMPLES_DIR "/templates.xml";

TEST(CatalogueCommandTest, PrintsGroupsAndTypesOrRefusesBadArgumentsAndFiles) {
    // Grouping and order are the catalogue's (tests/doctypes); this pins the printed form.
    EXPECT_EQ(runTool({"catalogue", kSample, "--group-property", "Confidential"}),
              "0|Y [OSTREL.AREA.Y]\n  Employment contract [HR.EmploymentContract] - Contract of "
              "employment and its appendices\n|");
    EXPECT_EQ(runTool({"catalogue", kSample, "--group-property=Confidential"}),
              runTool({"catalogue", kSample, "--group-property", "Confidential"}));
    EXPECT_EQ(runTool({"catalogue", kSample})[0], '2');
    EXPECT_EQ(runTool({"catalogue", "--group-property", "Area"})[0], '2');
    EXPECT_EQ(runTool({"catalogue", kSample, "--group-property"})[0], '2');
    EXPECT_EQ(runTool({"catalogue", "/nonexistent.xml", "--group-property", "Area"}),
              "1||CMServer2Descr.cpp:54: Cannot parse file: /nonexistent.xml\n"
              "CMServer2Descr.cpp:26: Cannot read description\n");
}

} // namespace
