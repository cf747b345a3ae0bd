// `ostrel catalogue FILE --group-property NAME`: the document groups and the
// creatable document types that the type selection dialog offers for the
// templates of a description file.
#include "Command.h"
#include "ErrorRecords.h"

#include "descr/TemplateDescriptionLoader.h"
#include "doctypes/DocumentTypeItem.h"
#include "doctypes/DocumentTypeIterator.h"
#include "doctypes/DocumentTypes.h"
#include "doctypes/DocumentTypesFill.h"
#include "host/common/DocumentFactory.h"
#include "host/common/OstrelException.h"

#include <list>
#include <memory>
#include <ostream>

namespace ostrel::cli {
namespace {

constexpr const char* kHelp =
    "Usage: ostrel catalogue FILE --group-property NAME\n"
    "\n"
    "Loads the templates of the template description FILE and prints the\n"
    "document type catalogue that the type selection dialog shows for them:\n"
    "one group per value of the template property NAME (for example a class\n"
    "attribute such as Area), in byte order of the values, and below each group\n"
    "its creatable document types in the order of their type identifiers.\n"
    "Templates that cannot be created, or that lack a name or the property NAME,\n"
    "are left out. Each line shows a name, the type identifier in brackets and\n"
    "the description after a dash:\n"
    "\n"
    "  Finance [OSTREL.AREA.Finance]\n"
    "    Incoming invoice [Finance.IncomingInvoice] - Invoice received from a supplier\n"
    "\n"
    "When FILE does not pass its checks, the records of the failure are printed\n"
    "on standard error as with `ostrel describe` and the exit status is 1.\n"
    "\n"
    "Example:\n"
    "  ostrel catalogue samples/templates.xml --group-property Area\n";

void printChildren(const DocumentTypeItem& node, int depth, std::ostream& out) {
    const std::unique_ptr<DocumentTypeIterator> it(node.getIterator());
    while (const DocumentTypeItem* child = it->next()) {
        out << std::string(static_cast<std::size_t>(depth) * 2, ' ') << child->getName().str()
            << " [" << child->getType().str() << ']';
        if (!child->getDescription().empty()) {
            out << " - " << child->getDescription().str();
        }
        out << '\n';
        printChildren(*child, depth + 1, out);
    }
}

int catalogue(const std::vector<std::string>& args, Output& output) {
    std::string file;
    std::string groupProperty;
    bool haveGroupProperty = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--group-property") {
            if (i + 1 == args.size()) {
                return usageError(output, "catalogue", "--group-property needs a property name");
            }
            groupProperty = args[++i];
            haveGroupProperty = true;
        } else if (arg.rfind("--group-property=", 0) == 0) {
            groupProperty = arg.substr(arg.find('=') + 1);
            haveGroupProperty = true;
        } else if (!file.empty() || (arg.size() > 1 && arg[0] == '-')) {
            return usageError(output, "catalogue", "unexpected argument '" + arg + "'");
        } else {
            file = arg;
        }
    }
    if (file.empty()) {
        return usageError(output, "catalogue", "missing template description FILE");
    }
    if (!haveGroupProperty || groupProperty.empty()) {
        return usageError(output, "catalogue", "missing --group-property NAME");
    }

    DocumentFactory factory;
    OstrelException ex;
    std::vector<Ostrel::u8string> skipped;
    if (!TemplateDescriptionLoader::load(file, factory, ex, &skipped)) {
        printErrorRecords(ex, output.err);
        return 1;
    }
    for (const Ostrel::u8string& type : skipped) {
        output.err << "ostrel catalogue: "
                   << (type.empty() ? std::string("a template without id")
                                    : "a second template with id '" + type.str() + "'")
                   << " is left out\n";
    }
    DocumentTypes types;
    DocumentTypesFill fill;
    std::list<Ostrel::u8string> propertyNames{Ostrel::u8string(groupProperty)};
    // False only without a group property, and one is always given here.
    static_cast<void>(fill.fillDocumentTypes(factory, propertyNames, types));
    const std::unique_ptr<DocumentTypeIterator> groups(types.getIterator());
    while (const DocumentTypeItem* group = groups->next()) {
        output.out << group->getName().str() << " [" << group->getType().str() << "]\n";
        printChildren(*group, 1, output.out);
    }
    return 0;
}

const Registration registration(Command{"catalogue", "catalogue FILE --group-property NAME", kHelp,
                                        &catalogue});

} // namespace
} // namespace ostrel::cli
