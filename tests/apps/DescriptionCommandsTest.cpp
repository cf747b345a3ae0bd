// The commands that read a template description: catalogue and describe.
#include "RunTool.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace ostrel::test;

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

TEST(DescribeCommandTest, PrintsTheDocumentsTreeOrEveryRecordOfAFailure) {
    EXPECT_EQ(runTool({"describe", kSample}),
              "0|" + readFile(OSTREL_DESCR_DATA_DIR "/templates-documents.xml") + "|");
    TempDir dir;
    const std::string file =
        dir.write("bad.xml", "<Templates><Template id=\"T\" name=\"n\"><Attributes><ClassAttribute"
                             " value=\"v\"/></Attributes></Template></Templates>");
    EXPECT_EQ(runTool({"describe", file}),
              "1||CMServer2Descr.cpp:181: ClassAttribute missing id\\nTemplate id=T\n"
              "CMServer2Descr.cpp:97: Cannot read tag Template\n"
              "CMServer2Descr.cpp:72: Failed to read content of tag Templates, file: " +
                  file + "\nCMServer2Descr.cpp:26: Cannot read description\n");
    EXPECT_EQ(runTool({"describe", "a.xml", "b.xml"})[0], '2');
    EXPECT_EQ(runTool({"describe", dir.write("none.xml", "<Templates><!-- none yet --><Other/>"
                                                         "</Templates>")}),
              "0|<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Documents/>\n|");
    // Values are node content: the entity reference in the name is read. A template without a
    // description still tells the server so.
    EXPECT_EQ(runTool({"describe", dir.write("t.xml", "<Templates><Template id='T' "
                                                      "name='Tom &amp;amp; Jerry'/></Templates>")}),
              R"(0|<?xml version="1.0" encoding="UTF-8"?>
<Documents>
  <Document type="T" inherit="DocumentType.Root">
    <Property name="name">Tom &amp; Jerry</Property>
    <Property name="canCreate">Y</Property>
    <Property name="Description"/>
  </Document>
</Documents>
|)");
}

} // namespace
