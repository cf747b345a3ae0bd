#include "descr/CMServer2Descr.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <libxml/tree.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using Record = OstrelException::Record;
using Properties = CMServer2Descr::Properties;

struct NodeDeleter {
    void operator()(xmlNodePtr node) const { xmlFreeNode(node); }
};
using NodePtr = std::unique_ptr<xmlNode, NodeDeleter>;

// Reaches the reading steps that the host interface keeps to itself.
class Reader : public CMServer2Descr {
public:
    using CMServer2Descr::readDescription;
    using CMServer2Descr::releaseTemplates;
};

Record record(int line, const std::string& message) {
    return Record{"CMServer2Descr.cpp", line, message};
}

std::string templates(const std::string& body) {
    return "<?xml version=\"1.0\"?>\n<Templates>" + body + "</Templates>\n";
}

// One template "T" holding one Attributes element with `items`.
std::string withItems(const std::string& items) {
    return templates("<Template id=\"T\" name=\"Tn\"><Attributes>" + items +
                     "</Attributes></Template>");
}

// The Documents tree as indented XML, the way `ostrel describe` prints it.
std::string dump(xmlNodePtr documents) {
    xmlDocPtr doc = xmlNewDoc(reinterpret_cast<const xmlChar*>("1.0"));
    xmlDocSetRootElement(doc, documents);
    xmlChar* text = nullptr;
    int size = 0;
    xmlDocDumpFormatMemoryEnc(doc, &text, &size, "UTF-8", 1);
    std::string result(reinterpret_cast<const char*>(text), static_cast<std::size_t>(size));
    xmlFree(text);
    xmlFreeDoc(doc);
    return result;
}

class CMServer2DescrTest : public ::testing::Test {
protected:
    // Reads `content` as a description file into `templates_`.
    bool read(const std::string& content) {
        return reader_.readDescription(dir_.write("t.xml", content), templates_, ex_);
    }
    // Builds the tree of `content`; the records land in ex_.
    NodePtr tree(const std::string& content) {
        return NodePtr(reader_.createXMLTree(dir_.write("t.xml", content), ex_));
    }
    void TearDown() override { reader_.releaseTemplates(templates_); }

    ostrel::test::TempDir dir_;
    Reader reader_;
    std::list<CMServer2Descr::Template*> templates_;
    OstrelException ex_;
};

struct FailedCheck {
    const char* note;
    std::string content;
    Record innermost;
};

TEST_F(CMServer2DescrTest, EveryFailedCheckLeavesItsExactRecord) {
    const std::string a = "<Attribute id=\"A\" name=\"An\" size=\"5\" ";
    const std::vector<FailedCheck> rows = {
        {"no root", "<Other/>", record(80, "Missing root element Templates, file: FILE")},
        {"not XML", "<Templates>", record(54, "Cannot parse file: FILE")},
        {"template id", templates("<Template name=\"n\"/>"), record(115, "Missing attribute id")},
        {"template name", templates("<Template id=\"T\"/>"),
         record(124, "Missing attribute name\nTemplate id=T")},
        {"lower-case y", templates("<Template id=\"T\" name=\"n\" canCreate=\"y\"/>"),
         record(140, "Attribute canCreate have to be Y on N, current value=y\nTemplate id=T")},
        {"class id", withItems("<ClassAttribute value=\"v\"/>"),
         record(181, "ClassAttribute missing id\nTemplate id=T")},
        {"class id empty", withItems("<ClassAttribute id=\"\" value=\"v\"/>"),
         record(189, "ClassAttribute missing id size is 0, template id=T")},
        {"class value", withItems("<ClassAttribute id=\"Area\"/>"),
         record(197, "ClassAttribute missing value, , template id=T")},
        {"attribute id", withItems("<Attribute name=\"An\" size=\"5\"/>"),
         record(256, "Attribute doesn't have id")},
        {"name", withItems("<Attribute id=\"A\" size=\"5\"/>"),
         record(266, "Attribute missing name, id=A")},
        {"name empty", withItems("<Attribute id=\"A\" name=\"\" size=\"5\"/>"),
         record(273, "Attribute name is empty, id=A")},
        {"size", withItems("<Attribute id=\"A\" name=\"An\"/>"),
         record(284, "Attribute missing size, id=A")},
        {"size empty", withItems("<Attribute id=\"A\" name=\"An\" size=\"\"/>"),
         record(291, "Attribute wrong size value, id=A")},
        {"size of letters", withItems("<Attribute id=\"A\" name=\"An\" size=\"abc\"/>"),
         record(300, "Attribute have wrong value, value=abc, id=A")},
        {"position 0", withItems(a + "position=\"0\"/>"),
         record(322, "Attribute position have wrong value: 0, id=A")},
        {"mandatory", withItems(a + "mandatory=\"y\"/>"),
         record(340, "Attribute madatory have to be Y or N, current value: y, id=A")},
        {"status", withItems(a + "status=\"E\"/>"),
         record(362, "Attribute status have to be N, R or H, current value: E, id=A")},
        {"multiline", withItems(a + "multiline=\"yes\"/>"),
         record(380, "Attribute multiline have wrong value, expecting Y or N. Current value: "
                     "yes, id=A")},
    };
    for (const FailedCheck& row : rows) {
        SCOPED_TRACE(row.note);
        ex_.clear();
        EXPECT_FALSE(tree(row.content));
        const std::string file = dir_.file("t.xml");
        Record expected = row.innermost;
        std::string message = expected.message.str();
        if (const auto at = message.find("FILE"); at != std::string::npos) {
            expected.message = message.replace(at, 4, file);
        }
        ASSERT_GE(ex_.getRecords().size(), 2u);
        EXPECT_EQ(ex_.getRecords().front(), expected);
        EXPECT_EQ(ex_.getRecords().back(), record(26, "Cannot read description"));
    }
}

TEST_F(CMServer2DescrTest, OneBadAttributeLeavesTheWholeChain) {
    const std::string content =
        templates("<Template id=\"Good\" name=\"g\"/><Template id=\"Bad\" name=\"b\"><Attributes>"
                  "<Attribute id=\"A\" name=\"An\" size=\"5\" position=\"-3\"/>"
                  "</Attributes></Template>");
    EXPECT_FALSE(tree(content));
    const std::vector<Record> expected = {
        record(322, "Attribute position have wrong value: -3, id=A"),
        record(168, "Template id=Bad"),
        record(97, "Cannot read tag Template"),
        record(72, "Failed to read content of tag Templates, file: " + dir_.file("t.xml")),
        record(26, "Cannot read description"),
    };
    EXPECT_EQ(ex_.getRecords(), expected);
}

TEST_F(CMServer2DescrTest, FileNamesAreCheckedBeforeTheFileSystem) {
    EXPECT_FALSE(reader_.createXMLTree("", ex_));
    EXPECT_EQ(ex_.getRecords(), std::vector<Record>{record(18, "Missing file name")});
    ex_.clear();
    EXPECT_FALSE(reader_.readDescription(Ostrel::u8string(), templates_, ex_));
    EXPECT_EQ(ex_.getRecords(), std::vector<Record>{record(46, "Missing input file")});
}

TEST_F(CMServer2DescrTest, FilesWithEntitiesAreRefused) {
    const std::string bomb = "<?xml version=\"1.0\"?><!DOCTYPE Templates [<!ENTITY a \"aaaaaaaa\">"
                             "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;\"><!ENTITY c \"&b;&b;&b;&b;"
                             "&b;&b;&b;&b;\">]><Templates><Template id=\"&c;\" name=\"n\"/>"
                             "</Templates>";
    const std::string external = "<?xml version=\"1.0\"?><!DOCTYPE Templates [<!ENTITY x SYSTEM "
                                 "\"file:///etc/passwd\">]><Templates><Template id=\"T\" "
                                 "name=\"n\"><Description>&x;</Description></Template>"
                                 "</Templates>";
    for (const std::string& content : {bomb, external}) {
        ex_.clear();
        EXPECT_FALSE(read(content));
        ASSERT_EQ(ex_.getRecords().size(), 1u);
        EXPECT_EQ(ex_.getRecords()[0].line, 54);
    }
    EXPECT_TRUE(templates_.empty());
}

TEST_F(CMServer2DescrTest, AbsentOptionalAttributesGetTheirDefaults) {
    ASSERT_TRUE(read(templates(
        "<Template id=\"T\" name=\"Tn\"><Attributes><Other/>"
        "<Attribute id=\"A\" name=\"An\" size=\"-5\"/>"
        "<Attribute id=\"B\" name=\"Bn\" size=\"12px\" position=\"\" status=\"h\" mask=\"99\"/>"
        "<ClassAttribute id=\"Area\" value=\"\"/></Attributes></Template>")));
    ASSERT_EQ(templates_.size(), 1u);
    const CMServer2Descr::Template& t = *templates_.front();
    EXPECT_EQ(t.properties, (Properties{{"name", "Tn"}, {"canCreate", "Y"}, {"Area", ""}}));
    ASSERT_EQ(t.attributes.size(), 2u);
    EXPECT_EQ(t.attributes[0]->properties, (Properties{{"name", "An"},
                                                       {"size", "-5"},
                                                       {"mask", ""},
                                                       {"position", ""},
                                                       {"mandatory", "N"},
                                                       {"status", "N"},
                                                       {"multiline", "N"}}));
    EXPECT_EQ(t.attributes[1]->properties, (Properties{{"name", "Bn"},
                                                       {"size", "12px"},
                                                       {"mask", "99"},
                                                       {"position", ""},
                                                       {"mandatory", "N"},
                                                       {"status", "h"},
                                                       {"multiline", "N"}}));
}

TEST_F(CMServer2DescrTest, NothingIsCheckedForUniqueness) {
    ASSERT_TRUE(read(templates(
        "<Template id=\"T\" name=\"first\"><Description>one</Description><Attributes>"
        "<Attribute id=\"A\" name=\"An\" size=\"1\"/><Attribute id=\"A\" name=\"An\" size=\"2\"/>"
        "</Attributes><Attributes><ClassAttribute id=\"name\" value=\"again\"/></Attributes>"
        "</Template><Template id=\"T\" name=\"second\" canCreate=\"N\"/>")));
    ASSERT_EQ(templates_.size(), 2u);
    const CMServer2Descr::Template& first = *templates_.front();
    EXPECT_EQ(first.description.str(), "one");
    EXPECT_EQ(first.properties,
              (Properties{{"name", "first"}, {"canCreate", "Y"}, {"name", "again"}}));
    EXPECT_EQ(first.attributes.size(), 2u);
    EXPECT_EQ(templates_.back()->properties, (Properties{{"name", "second"}, {"canCreate", "N"}}));
}

TEST_F(CMServer2DescrTest, AFailingTemplateLeavesTheEarlierOnesToTheCaller) {
    templates_.push_back(new CMServer2Descr::Template{"kept", "", {}, {}});
    EXPECT_FALSE(read(templates("<Template id=\"One\" name=\"1\"/><Template id=\"Two\"/>")));
    ASSERT_EQ(templates_.size(), 2u) << "the list is appended to, not emptied";
    EXPECT_EQ(templates_.back()->id.str(), "One");
    // TearDown releases both; LeakSanitizer proves the failed one was freed.
}

TEST_F(CMServer2DescrTest, EmptyTemplatesGiveAnEmptyDocumentsTree) {
    NodePtr documents = tree(templates("<!-- none yet --><Other/>"));
    ASSERT_TRUE(documents);
    EXPECT_EQ(dump(documents.release()),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Documents/>\n");
    EXPECT_FALSE(ex_.hasError());
}

TEST_F(CMServer2DescrTest, DocumentsWithoutAttributesHoldOnlyTheirProperties) {
    NodePtr documents = tree(
        templates("<Template id=\"T\" name=\"Tom &amp;amp; Jerry\" canCreate=\"N\"><Attributes>"
                  "<ClassAttribute id=\"Area\" value=\"Finance\"/></Attributes></Template>"));
    ASSERT_TRUE(documents);
    // Values are node content: the entity reference in the name is read.
    EXPECT_EQ(dump(documents.release()), R"(<?xml version="1.0" encoding="UTF-8"?>
<Documents>
  <Document type="T" inherit="DocumentType.Root">
    <Property name="name">Tom &amp; Jerry</Property>
    <Property name="canCreate">N</Property>
    <Property name="Area">Finance</Property>
    <Property name="Description"/>
  </Document>
</Documents>
)");
}

TEST_F(CMServer2DescrTest, SampleTemplatesGiveTheExpectedTree) {
    OstrelException ex;
    NodePtr documents(reader_.createXMLTree(OSTREL_SAMPLES_DIR "/templates.xml", ex));
    ASSERT_TRUE(documents) << (ex.hasError() ? ex.getRecords().front().message.str() : "");
    EXPECT_EQ(dump(documents.release()),
              ostrel::test::readFile(OSTREL_TEST_DATA_DIR "/templates-documents.xml"));
}

} // namespace
