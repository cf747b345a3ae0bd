#include "descr/CMServer2Descr.h"

#include "descr/TemplateDescriptionLoader.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Record = OstrelException::Record;

class Reader : public CMServer2Descr {
public:
    using CMServer2Descr::readDescription;
    using CMServer2Descr::releaseTemplates;
};

Record record(int line, const std::string& message) {
    return Record{"CMServer2Descr.cpp", line, message};
}

std::string templates(const std::string& body) {
    return "<?xml version='1.0'?>\n<Templates>" + body + "</Templates>\n";
}

std::string items(const std::string& content) {
    return templates("<Template id='T' name='Tn'><Attributes>" + content +
                     "</Attributes></Template>");
}

std::string text(const CMServer2Descr::Properties& properties) {
    std::string result;
    for (const auto& [name, value] : properties) {
        result += name.str() + "=" + value.str() + ";";
    }
    return result;
}

class CMServer2DescrTest : public ::testing::Test {
protected:
    bool read(const std::string& content) {
        return reader_.readDescription(dir_.write("t.xml", content), templates_, ex_);
    }
    // The Documents tree of `content`; what it holds is the describe command's test.
    xmlNodePtr tree(const std::string& content) {
        return reader_.createXMLTree(dir_.write("t.xml", content), ex_);
    }
    void TearDown() override { reader_.releaseTemplates(templates_); }

    ostrel::test::TempDir dir_;
    const std::string file_ = dir_.file("t.xml");
    Reader reader_;
    std::list<CMServer2Descr::Template*> templates_;
    OstrelException ex_;
};

TEST_F(CMServer2DescrTest, EveryFailedCheckLeavesItsExactRecord) {
    const std::string a = "<Attribute id='A' name='An' size='5' ";
    const struct {
        int line;
        std::string content, message;
    } rows[] = {
        {80, "<Other/>", "Missing root element Templates, file: " + file_},
        {54, "<Templates>", "Cannot parse file: " + file_},
        {115, templates("<Template name='n'/>"), "Missing attribute id"},
        {124, templates("<Template id='T'/>"), "Missing attribute name\nTemplate id=T"},
        {140, templates("<Template id='T' name='n' canCreate='y'/>"),
         "Attribute canCreate have to be Y on N, current value=y\nTemplate id=T"},
        {181, items("<ClassAttribute value='v'/>"), "ClassAttribute missing id\nTemplate id=T"},
        {189, items("<ClassAttribute id='' value='v'/>"),
         "ClassAttribute missing id size is 0, template id=T"},
        {197, items("<ClassAttribute id='Area'/>"),
         "ClassAttribute missing value, , template id=T"},
        {256, items("<Attribute name='An' size='5'/>"), "Attribute doesn't have id"},
        {266, items("<Attribute id='A' size='5'/>"), "Attribute missing name, id=A"},
        {273, items("<Attribute id='A' name='' size='5'/>"), "Attribute name is empty, id=A"},
        {284, items("<Attribute id='A' name='An'/>"), "Attribute missing size, id=A"},
        {291, items("<Attribute id='A' name='An' size=''/>"), "Attribute wrong size value, id=A"},
        {300, items("<Attribute id='A' name='An' size='abc'/>"),
         "Attribute have wrong value, value=abc, id=A"},
        {322, items(a + "position='0'/>"), "Attribute position have wrong value: 0, id=A"},
        {322, items(a + "position='-4294967295'/>"), // clamped to the int range, not wrapped to 1
         "Attribute position have wrong value: -4294967295, id=A"},
        {340, items(a + "mandatory='y'/>"),
         "Attribute madatory have to be Y or N, current value: y, id=A"},
        {362, items(a + "status='E'/>"),
         "Attribute status have to be N, R or H, current value: E, id=A"},
        {380, items(a + "multiline='yes'/>"),
         "Attribute multiline have wrong value, expecting Y or N. Current value: yes, id=A"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.content);
        ex_.clear();
        EXPECT_EQ(tree(row.content), nullptr);
        ASSERT_GE(ex_.getRecords().size(), 2u);
        EXPECT_EQ(ex_.getRecords().front(), record(row.line, row.message));
        EXPECT_EQ(ex_.getRecords().back(), record(26, "Cannot read description"));
    }
}

TEST_F(CMServer2DescrTest, OneBadAttributeLeavesTheWholeChain) {
    EXPECT_EQ(tree(items("<Attribute id='A' name='An' size='5' position='-3'/>")), nullptr);
    EXPECT_EQ(
        ex_.getRecords(),
        (std::vector<Record>{record(322, "Attribute position have wrong value: -3, id=A"),
                             record(168, "Template id=T"), record(97, "Cannot read tag Template"),
                             record(72, "Failed to read content of tag Templates, file: " + file_),
                             record(26, "Cannot read description")}));
}

TEST_F(CMServer2DescrTest, FileNamesAreCheckedBeforeTheFileSystem) {
    EXPECT_FALSE(reader_.createXMLTree("", ex_));
    EXPECT_EQ(ex_.getRecords(), std::vector<Record>{record(18, "Missing file name")});
    ex_.clear();
    EXPECT_FALSE(reader_.readDescription(Ostrel::u8string(), templates_, ex_));
    EXPECT_EQ(ex_.getRecords(), std::vector<Record>{record(46, "Missing input file")});
}

TEST_F(CMServer2DescrTest, OptionalAttributesGetDefaultsAndNothingMustBeUnique) {
    ASSERT_TRUE(read(templates(
        "<Template id='T' name='first'><Description>one</Description><Attributes><Other/>"
        "<Attribute id='A' name='An' size='-5'/>"
        "<Attribute id='A' name='Bn' size='12px' position='' status='h' mask='99'/>"
        "<Attribute id='B' name='Cn' size='4294967296' position='4294967297'/></Attributes>"
        "<Attributes><ClassAttribute id='name' value=''/></Attributes></Template>"
        "<Template id='T' name='second' canCreate='N'/>")));
    ASSERT_EQ(templates_.size(), 2u);
    const CMServer2Descr::Template& t = *templates_.front();
    EXPECT_EQ(t.description.str(), "one");
    EXPECT_EQ(text(t.properties), "name=first;canCreate=Y;name=;");
    ASSERT_EQ(t.attributes.size(), 3u);
    EXPECT_EQ(text(t.attributes[0]->properties),
              "name=An;size=-5;mask=;position=;mandatory=N;status=N;multiline=N;");
    EXPECT_EQ(text(t.attributes[1]->properties),
              "name=Bn;size=12px;mask=99;position=;mandatory=N;status=h;multiline=N;");
    EXPECT_EQ(
        text(t.attributes[2]->properties), // beyond the int range: clamped, neither 0 nor 1
        "name=Cn;size=4294967296;mask=;position=4294967297;mandatory=N;status=N;multiline=N;");
    EXPECT_EQ(text(templates_.back()->properties), "name=second;canCreate=N;");
}

TEST_F(CMServer2DescrTest, AFailingTemplateLeavesTheEarlierOnesToTheCaller) {
    templates_.push_back(new CMServer2Descr::Template{"kept", "", {}, {}});
    EXPECT_FALSE(read(templates("<Template id='One' name='1'/><Template id='Two'/>")));
    ASSERT_EQ(templates_.size(), 2u) << "the list is appended to, not emptied";
    EXPECT_EQ(templates_.back()->id.str(), "One"); // LeakSanitizer: "Two" was freed
}

using TemplateDescriptionLoaderTest = CMServer2DescrTest;

// The Documents tree of the sample is pinned by the describe command's test, its conversion into
// templates by DocumentFactoryLoaderTest; here, that loading chains the two and keeps a failure
// out.
TEST_F(TemplateDescriptionLoaderTest, ATemplateFileFillsTheFactoryOnlyWhenAllOfItReads) {
    DocumentFactory factory;
    EXPECT_FALSE(TemplateDescriptionLoader::load(
        dir_.write("t.xml", templates("<Template id='A' name='a'/><Template id='B'/>")), factory,
        ex_));
    EXPECT_EQ(factory.getTemplateCount(), 0u);
    ex_.clear();
    std::vector<Ostrel::u8string> skipped;
    for (const std::size_t skippedCount : {0u, 12u}) { // the second time every type is there
        ASSERT_TRUE(TemplateDescriptionLoader::load(OSTREL_SAMPLES_DIR "/templates.xml", factory,
                                                    ex_, &skipped));
        EXPECT_FALSE(ex_.hasError());
        EXPECT_EQ(skipped.size(), skippedCount);
    }
}

} // namespace
