// `ostrel describe FILE`: checks a template description file and prints the
// Documents tree the document server would receive for it.
#include "Command.h"
#include "ErrorRecords.h"

#include "descr/CMServer2Descr.h"
#include "host/base/ZmXml.h"
#include "host/common/OstrelException.h"

#include <libxml/tree.h>

#include <memory>
#include <ostream>

namespace ostrel::cli {
namespace {

int describe(const std::vector<std::string>& args, Output& output) {
    if (args.size() != 1) {
        return usageError(output, "describe", "expected one template description FILE");
    }
    OstrelException ex;
    xmlNodePtr documents = CMServer2Descr().createXMLTree(args[0], ex);
    if (documents == nullptr) {
        printErrorRecords(ex, output.err);
        return 1;
    }
    // The tree belongs to no document; one is made around it to print it
    // with an XML declaration and indentation, and frees it.
    const zmxml::DocPtr doc(xmlNewDoc(reinterpret_cast<const xmlChar*>("1.0")));
    if (!doc) {
        xmlFreeNode(documents);
        return 1;
    }
    xmlDocSetRootElement(doc.get(), documents);
    xmlChar* text = nullptr;
    int size = 0;
    xmlDocDumpFormatMemoryEnc(doc.get(), &text, &size, "UTF-8", 1);
    const zmxml::XmlCharPtr owned(text);
    if (!owned || size < 0) {
        return 1;
    }
    output.out.write(reinterpret_cast<const char*>(owned.get()), size);
    return output.out ? 0 : 1;
}

const Registration registration(Command{
    "describe", "describe FILE",
    "Usage: ostrel describe FILE\n"
    "\n"
    "Reads and checks the template description FILE (root element Templates)\n"
    "and prints the Documents tree that describes its document types to the\n"
    "document server, as indented XML on standard output.\n"
    "\n"
    "When a check fails, nothing is printed on standard output; every record\n"
    "of the failure is printed on standard error as SOURCE:LINE: MESSAGE, one\n"
    "per line, innermost first (a line feed inside a message shows as \\n),\n"
    "and the exit status is 1.\n",
    &describe});

} // namespace
} // namespace ostrel::cli
