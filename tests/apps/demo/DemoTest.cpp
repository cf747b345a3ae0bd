#include "qt/Demo.h"
#include "Domain.h"
#include "Domains.h"
#include "FiledDocument.h"
#include "Script.h"
#include "WorkFolder.h"

#include "host/base/EarthTime.h"
#include "host/common/DocumentFactory.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
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
        {ScriptText, "type A.B\nbutton OK\nvalue X 1\n",
         "the script ends before the identification dialog is closed"},
        {ScriptText, "button Apply\n",
         "line 1: unknown button 'Apply' (OK, Cancel or ChangeDomain)"},
        {ScriptText, "# comment\n\npress OK\n",
         "line 3: unknown step 'press' (type, value or button)"},
        {ScriptText, "type A B\nbutton OK\n", "line 1: 'type' needs one type identifier"},
        {ScriptText, "value X 1\n", "line 1: 'value' belongs after the type selection dialog's OK"},
        {ScriptText, "button OK\ntype A.B\n",
         "line 2: 'type' belongs before the type selection dialog's button"},
        {ScriptText, "button OK\nbutton ChangeDomain\n",
         "line 2: ChangeDomain is a button of the type selection dialog only"},
        {ScriptText, "button Cancel\nbutton OK\n", "line 2: nothing may follow the last button"},
        {ScriptText, "button OK\nvalue\n", "line 2: 'value' needs an attribute identifier"},
        // A CR would press Enter half-way through the value, a Tab be lost:
        // refused wherever it stands, before anything is typed.
        {ScriptText, "button OK\nvalue Recipient Kovo\rHradec\nbutton OK\n",
         "line 2: the control character U+000D cannot be typed"},
        {ScriptText, "# \xc2\x85\n", "line 1: the control character U+0085 cannot be typed"},
        {ScriptText, "# Kr\xe1lov\xe9\n", "line 1: not UTF-8 text"},
        {DomainsFile, "<domains/>", "the domains file lists no domain"},
        {DomainsFile, "<domain id='a' name='A' templates='t' group='G'/>",
         "the root element of the domains file is not 'domains'"},
        {DomainsFile, "<!DOCTYPE domains [<!ENTITY e 'x'>]><domains/>",
         "the domains file is not well-formed XML, or declares entities or an external document "
         "type"},
        {DomainsFile, "<domains><domain id='../a' name='A' templates='t' group='G'/></domains>",
         "domain 1: 'id' must be 1 to 64 letters, digits, '-' or '_'"},
        {DomainsFile, "<domains><domain id='a' name='A' templates='t'/></domains>",
         "domain 1: 'name', 'templates' and 'group' are required"},
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
        EXPECT_EQ(error, c.error) << c.text;
    }
}

TEST(DemoWorkFolderTest, FilesWholeRecordsOnly) {
    TempDir folder;
    FiledDocument document{"Letters.Outgoing",
                           "Outgoing \"letter\"",
                           "Head office",
                           {{"Recipient", "Smith & <Sons>"}, {"Summary", "a\nb"}},
                           zmbase::EarthTime(2024, 3, 1, 9, 5, 7)};
    const std::string record = filedDocumentXml(document);
    std::string error;
    const auto filed = fileRecord(document.type, record, folder.file("filed"), error);
    ASSERT_TRUE(filed) << error;
    EXPECT_EQ(readFile(*filed),
              "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
              "<document type=\"Letters.Outgoing\" name=\"Outgoing &quot;letter&quot;\" "
              "domain=\"Head office\" filed=\"2024-03-01T09:05:07\">\n"
              "  <attribute id=\"Recipient\">Smith &amp; &lt;Sons&gt;</attribute>\n"
              "  <attribute id=\"Summary\">a\nb</attribute>\n"
              "</document>\n");

    // A disk that takes only part of the record: nothing is left under any
    // name, not even the temporary one.
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit small{100, limit.rlim_max};
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    const auto full = fileRecord(document.type, record, folder.file("full"), error);
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, previous);
    EXPECT_FALSE(full);
    EXPECT_EQ(error, "File too large");
    EXPECT_TRUE(std::filesystem::is_empty(folder.file("full")));

    // The default work folder is made where mktemp would make it.
    const auto work = newWorkFolder(folder.path().c_str(), error);
    ASSERT_TRUE(work) << error;
    EXPECT_EQ(std::filesystem::path(*work).parent_path(), folder.path());
}

// Runs of the demo in one work folder, each carried out with the keyboard
// only and compared with everything it says: the bundled script (Change
// Domain there and back), a typed reference and Czech text, a Czech type
// picked by typing its name, and a letter without its mandatory recipient,
// which numbers nothing. The counter's value file carries the numbering
// from run to run.
TEST(DemoEndToEndTest, FilesExactlyWhatTheScriptTypes) {
    TempDir work;
    const std::string w = work.path().string(), filed = "Filed: " + w + "/filed/";
    // Written as other tools write them: a document type declaration without
    // entities, CR LF line ends.
    const std::string czechDomains = work.write(
        "czech-domains.xml", "<!DOCTYPE domains [<!ELEMENT domains ANY>]><domains><domain "
                             "id='posta' name='Pošta' templates='czech-templates.xml' "
                             "group='Oblast'/></domains>");
    work.write("czech-templates.xml",
               "<Templates><Template id='Dopisy.Odchozi' name='Řádný odchozí dopis'><Attributes>"
               "<Attribute id='Adresat' name='Adresát' size='60' position='1' mandatory='Y'/>"
               "<ClassAttribute id='Oblast' value='Pošta'/></Attributes></Template></Templates>");
    const std::string samples = OSTREL_SAMPLES_DIR "/domains.xml";
    const std::string bundled = OSTREL_SAMPLES_DIR "/demo-script.txt";
    const std::string head =
        "Domain: Head office\nDocument type: Outgoing letter (Letters.Outgoing)\n";
    const std::string changingDomains = "Domain: Head office\nDomain: Records archive\n" + head;
    // The end of standard output, and the separator before standard error.
    const auto tail = [&](int screenshots) {
        return "Screenshots (" + std::to_string(screenshots) + "): " + w +
               "/screenshots\nWork folder: " + w + "\n|";
    };
    const std::string bundledRecord =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
        "<document type=\"Letters.Outgoing\" name=\"Outgoing letter\" domain=\"Head office\" "
        "filed=\"2024-03-01T09:30:00\">\n"
        "  <attribute id=\"Recipient\">Kovo Hradec s.r.o.</attribute>\n"
        "  <attribute id=\"Reference\">LTR-240301-HQ01</attribute>\n"
        "  <attribute id=\"SentOn\">01.03.2024</attribute>\n"
        "  <attribute id=\"Subject\">Order confirmation</attribute>\n"
        "</document>\n";
    const struct {
        std::string domains;
        std::string script;
        std::string said; // "STATUS|OUT|ERR"
    } runs[] = {
        {samples, bundled,
         "0|" + changingDomains +
             "Offered Reference: LTR-240301-HQ01 (counter Letter)\n"
             "Letter: LTR-240301-HQ01 used, next LTR-240301-HQ02\n" +
             filed + "0001-Letters.Outgoing.xml\n" + bundledRecord + tail(5)},
        {samples,
         work.write("typed.txt", "type Letters.Outgoing\nbutton OK\n"
                                 "value Recipient Hradec Králové, Třebízského 5\n"
                                 "value Reference LTR-240301-hq07\nbutton OK\n"),
         "0|" + head +
             "Offered Reference: LTR-240301-HQ02 (counter Letter)\n"
             "Letter: LTR-240301-HQ07 used, next LTR-240301-HQ08\n" +
             filed +
             "0002-Letters.Outgoing.xml\n"
             "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
             "<document type=\"Letters.Outgoing\" name=\"Outgoing letter\" "
             "domain=\"Head office\" filed=\"2024-03-01T09:30:00\">\n"
             "  <attribute id=\"Recipient\">Hradec Králové, Třebízského 5</attribute>\n"
             "  <attribute id=\"Reference\">LTR-240301-HQ07</attribute>\n"
             "  <attribute id=\"SentOn\"></attribute>\n"
             "  <attribute id=\"Subject\"></attribute>\n"
             "</document>\n" +
             tail(3)},
        {czechDomains,
         work.write("czech.txt", "type Dopisy.Odchozi\r\nbutton OK\r\n"
                                 "value Adresat Hradec Králové\r\nbutton OK\r\n"),
         "0|Domain: Pošta\nDocument type: Řádný odchozí dopis (Dopisy.Odchozi)\n" + filed +
             "0001-Dopisy.Odchozi.xml\n"
             "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
             "<document type=\"Dopisy.Odchozi\" name=\"Řádný odchozí dopis\" domain=\"Pošta\" "
             "filed=\"2024-03-01T09:30:00\">\n"
             "  <attribute id=\"Adresat\">Hradec Králové</attribute>\n"
             "</document>\n" +
             tail(3)},
        {samples,
         work.write("unaddressed.txt", "type Letters.Outgoing\nbutton OK\nvalue Recipient\n"
                                       "value Subject Order\nbutton OK\n"),
         "1|" + head + "Offered Reference: LTR-240301-HQ08 (counter Letter)\n" + tail(2) +
             "ostrel-demo: the document cannot be filed: Recipient: a value is required\n"},
        // The record cannot be written: the identifier taken for it is used
        // up, and said so; the failure goes to standard error.
        {samples, bundled,
         "1|" + changingDomains +
             "Offered Reference: LTR-240301-HQ08 (counter Letter)\n"
             "Letter: LTR-240301-HQ08 used, next LTR-240301-HQ09\n" +
             tail(4) + "ostrel-demo: the document could not be filed in " + w +
             "/filed: Not a directory\n"},
    };
    for (const auto& run : runs) {
        if (&run == &runs[4]) {
            EXPECT_EQ(readFile(work.file("filed/0001-Letters.Outgoing.xml")), bundledRecord);
            std::filesystem::remove_all(work.file("filed"));
            work.write("filed", "");
        }
        std::ostringstream out, err;
        const int status = runDemo({run.domains, w, run.script, "2024-03-01"}, out, err);
        EXPECT_EQ(std::to_string(status) + "|" + out.str() + "|" + err.str(), run.said)
            << run.script;
    }
    for (const char* picture :
         {"type-selection-1", "type-selection-2", "type-selection-3", "identification", "filed"}) {
        const std::string file = work.file(std::string("screenshots/") + picture + ".png");
        ASSERT_TRUE(std::filesystem::exists(file)) << file;
        EXPECT_GT(std::filesystem::file_size(file), 4000u) << file;
    }
}

// Two demo runs numbering from one value file: the one that confirms an
// offer the other has taken meanwhile files under the next identifier; an
// identifier the value file cannot take is not reported used.
TEST(DemoDomainTest, ReportsOnlyIdentifiersTheValueFileHolds) {
    TempDir work;
    zmbase::ScopedLocalClock clock{[] { return zmbase::EarthTime(2024, 3, 1, 9, 0, 0); }};
    const DomainEntry office{"office", "Head office", OSTREL_SAMPLES_DIR "/templates.xml",
                             OSTREL_SAMPLES_DIR "/identifiers.xml", "Area"};
    std::string error;
    std::filesystem::create_directory(work.file("values"));
    const auto mine = Domain::load(office, work.file("values"), error);
    const auto theirs = Domain::load(office, work.file("values"), error);
    ASSERT_TRUE(mine && theirs) << error;
    // Both read the same offer; the other run confirms it first.
    const auto offer = mine->offerIdentifier(*mine->templates().findTemplate("Letters.Outgoing"));
    ASSERT_TRUE(offer);
    ASSERT_EQ(offer->text, "LTR-240301-HQ01");
    EXPECT_EQ(theirs->recordIdentifierUse(*offer, offer->text).identifier, "LTR-240301-HQ01");

    // Whether the use was saved, under which identifier, and what the demo says.
    const auto said = [](const IdentifierUse& use) {
        return std::string(use.saved ? "saved " : "not saved ") + use.identifier + ": " +
               use.message;
    };
    EXPECT_EQ(said(mine->recordIdentifierUse(*offer, offer->text)),
              "saved LTR-240301-HQ02: Letter: LTR-240301-HQ02 used (LTR-240301-HQ01 was taken by "
              "another user meanwhile), next LTR-240301-HQ03");
    // A typed identifier the counter would follow round to numbers it handed
    // out already is refused, the counter left as it was.
    EXPECT_EQ(said(mine->recordIdentifierUse(*offer, "LTR-240301-HQ-5")),
              "not saved LTR-240301-HQ-5: the counter 'Letter' cannot follow 'LTR-240301-HQ-5': "
              "its number is negative");
    EXPECT_EQ(mine->offerIdentifier(*mine->templates().findTemplate("Letters.Outgoing"))->text,
              "LTR-240301-HQ03");

    // The folder of the value file is gone (an unmounted share): neither the
    // offer nor a typed identifier can be recorded.
    std::filesystem::remove_all(work.file("values"));
    const std::string valueFile = work.file("values/office-identifier-values.xml");
    const IdentifierOffer third{offer->counter, offer->attribute, "LTR-240301-HQ03", {}};
    EXPECT_EQ(said(mine->recordIdentifierUse(third, third.text)),
              "not saved LTR-240301-HQ03: Letter: LTR-240301-HQ03 cannot be recorded: the value "
              "file '" +
                  valueFile + "' cannot be locked: cannot open the lock file '" + valueFile +
                  ".lock': No such file or directory");
    EXPECT_EQ(said(mine->recordIdentifierUse(third, "LTR-240301-HQ09")),
              "not saved LTR-240301-HQ09: Letter: LTR-240301-HQ09 cannot be recorded: the value "
              "file '" +
                  valueFile + "' cannot be locked or read");
}

} // namespace
} // namespace ostrel::demo
