#include "qt/Demo.h"
#include "Domain.h"
#include "Domains.h"
#include "FiledDocument.h"
#include "Script.h"

#include "host/base/EarthTime.h"
#include "host/common/DocumentFactory.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

namespace ostrel::demo {
namespace {

using test::readFile;
using test::TempDir;

// Scripts and domains files the demo could not run with, and what it says.
TEST(DemoInputTest, RefusesWhatTheDemoCouldNotRun) {
    enum Reader { ScriptText, DomainsFile };
    const struct {
        Reader reader;
        const char* text;
        const char* error;
    } cases[] = {
        {ScriptText, "", "the script ends before the type selection dialog is closed"},
        {ScriptText, "type A.B\nbutton OK\nvalue X 1\n", "the identification dialog is closed"},
        {ScriptText, "type A.B\n", "before the type selection dialog is closed"},
        {ScriptText, "button Apply\n", "line 1: unknown button 'Apply'"},
        {ScriptText, "# comment\n\npress OK\n", "line 3: unknown step 'press'"},
        {ScriptText, "type A B\nbutton OK\n", "line 1: 'type' needs one type identifier"},
        {ScriptText, "value X 1\n", "line 1: 'value' belongs after"},
        {ScriptText, "button OK\ntype A.B\n", "line 2: 'type' belongs before"},
        {ScriptText, "button OK\nbutton ChangeDomain\n", "line 2: ChangeDomain is a button"},
        {ScriptText, "button Cancel\nbutton OK\n", "line 2: nothing may follow the last"},
        {ScriptText, "button OK\nvalue\n", "line 2: 'value' needs an attribute"},
        {DomainsFile, "<domains/>", "lists no domain"},
        {DomainsFile, "<domain id='a' name='A' templates='t' group='G'/>", "root element"},
        {DomainsFile, "<!DOCTYPE domains SYSTEM 'http://example.com/x.dtd'><domains/>",
         "document type"},
        {DomainsFile, "<domains><domain id='../a' name='A' templates='t' group='G'/></domains>",
         "'id'"},
        {DomainsFile, "<domains><domain id='a' name='A' templates='t'/></domains>", "required"},
        {DomainsFile,
         "<domains><domain id='a' name='A' templates='t' group='G'/>"
         "<domain id='a' name='B' templates='u' group='G'/></domains>",
         "domain 2: the id 'a' is used twice"},
    };
    for (const auto& c : cases) {
        std::string error;
        const bool read = c.reader == ScriptText ? parseScript(c.text, error).has_value()
                                                 : parseDomains(c.text, "/d", error).has_value();
        EXPECT_FALSE(read) << c.text;
        EXPECT_NE(error.find(c.error), std::string::npos) << c.text << " -> " << error;
    }
}

TEST(DemoFiledDocumentTest, RecordsTypeValuesAndTimeEscaped) {
    TempDir folder;
    FiledDocument document{"Letters.Outgoing",
                           "Outgoing \"letter\"",
                           "Head office",
                           {{"Recipient", "Smith & <Sons>"}, {"Summary", "a\nb"}},
                           zmbase::EarthTime(2024, 3, 1, 9, 5, 7)};
    const std::string record = filedDocumentXml(document);
    const auto first = fileDocument(document.type, record, folder.file("filed"));
    const auto second = fileDocument(document.type, record, folder.file("filed"));
    ASSERT_TRUE(first && second);
    EXPECT_EQ(std::filesystem::path(*second).filename(), "0002-Letters.Outgoing.xml");
    EXPECT_EQ(readFile(*first),
              "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
              "<document type=\"Letters.Outgoing\" name=\"Outgoing &quot;letter&quot;\" "
              "domain=\"Head office\" filed=\"2024-03-01T09:05:07\">\n"
              "  <attribute id=\"Recipient\">Smith &amp; &lt;Sons&gt;</attribute>\n"
              "  <attribute id=\"Summary\">a\nb</attribute>\n"
              "</document>\n");
}

// The bundled script, then one in which the user types another reference,
// in the same work folder: both dialogs are driven by keys only, through
// Change Domain and back, and the counter's value file carries the numbering
// from one run to the next. What the bundled script holds shows in what it
// files and in its screenshots.
TEST(DemoEndToEndTest, FilesSampleLettersWithTheKeyboardOnly) {
    TempDir work;
    const struct {
        std::string script;
        std::string reference;
        std::string counterMessage;
        std::string valueLine;
    } runs[] = {
        {OSTREL_SAMPLES_DIR "/demo-script.txt", "LTR-240301-HQ01",
         "Letter: LTR-240301-HQ01 used, next LTR-240301-HQ02",
         "<ident name=\"Letter\" value=\"2\" date=\"2024-03-01\" />"},
        {work.write("typed.txt", "type Letters.Outgoing\nbutton OK\n"
                                 "value Recipient Jana Novak\nvalue Reference LTR-240301-hq07\n"
                                 "button OK\n"),
         "LTR-240301-HQ07", "Letter: LTR-240301-HQ07 used, next LTR-240301-HQ08",
         "<ident name=\"Letter\" value=\"8\" date=\"2024-03-01\" />"},
    };
    for (const auto& run : runs) {
        std::ostringstream out;
        std::ostringstream err;
        const int status = runDemo(
            {OSTREL_SAMPLES_DIR "/domains.xml", work.path().string(), run.script, "2024-03-01"},
            out, err);
        ASSERT_EQ(status, 0) << out.str() << err.str();
        EXPECT_NE(out.str().find(run.counterMessage), std::string::npos) << out.str();

        const std::string printed = out.str(), marker = "Filed: ";
        const std::size_t from = printed.find(marker) + marker.size();
        const std::string filed = readFile(printed.substr(from, printed.find('\n', from) - from));
        EXPECT_NE(filed.find("<attribute id=\"Reference\">" + run.reference + "</attribute>"),
                  std::string::npos)
            << filed;
        EXPECT_NE(filed.find("filed=\"2024-03-01T09:30:00\""), std::string::npos);
        EXPECT_NE(readFile(work.file("values/office-identifier-values.xml")).find(run.valueLine),
                  std::string::npos);
    }
    // Change Domain twice in the bundled script: the head office, the
    // archive, the head office again.
    EXPECT_NE(readFile(work.file("filed/0001-Letters.Outgoing.xml"))
                  .find("<attribute id=\"Recipient\">Kovo Hradec s.r.o.</attribute>"),
              std::string::npos);
    for (const char* picture :
         {"type-selection-1", "type-selection-2", "type-selection-3", "identification", "filed"}) {
        const std::string file = work.file(std::string("screenshots/") + picture + ".png");
        ASSERT_TRUE(std::filesystem::exists(file)) << file;
        EXPECT_GT(std::filesystem::file_size(file), 4000u) << file;
    }
}

// Two demo runs numbering from one value file: the one that confirms an
// offer the other has taken meanwhile files under the next identifier.
TEST(DemoDomainTest, AnOfferTakenMeanwhileIsNotFiledTwice) {
    TempDir work;
    zmbase::ScopedLocalClock clock{[] { return zmbase::EarthTime(2024, 3, 1, 9, 0, 0); }};
    const DomainEntry office{"office", "Head office", OSTREL_SAMPLES_DIR "/templates.xml",
                             OSTREL_SAMPLES_DIR "/identifiers.xml", "Area"};
    std::string error;
    const auto mine = Domain::load(office, work.path().string(), error);
    const auto theirs = Domain::load(office, work.path().string(), error);
    ASSERT_TRUE(mine && theirs) << error;
    const auto offer = mine->offerIdentifier(*mine->templates().findTemplate("Letters.Outgoing"));
    const auto theirOffer =
        theirs->offerIdentifier(*theirs->templates().findTemplate("Letters.Outgoing"));
    ASSERT_TRUE(offer && theirOffer);
    ASSERT_EQ(offer->text, "LTR-240301-HQ01");
    EXPECT_EQ(theirs->recordIdentifierUse(*theirOffer, theirOffer->text).identifier,
              "LTR-240301-HQ01");

    const IdentifierUse use = mine->recordIdentifierUse(*offer, offer->text);
    EXPECT_TRUE(use.saved);
    EXPECT_EQ(use.identifier, "LTR-240301-HQ02");
    EXPECT_NE(use.message.find("LTR-240301-HQ01 was taken by another user"), std::string::npos)
        << use.message;
}

} // namespace
} // namespace ostrel::demo
