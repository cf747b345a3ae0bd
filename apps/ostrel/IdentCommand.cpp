// `ostrel ident`: the automatic identifier counters of a definition file and
// their value file, as a host application sees them.
#include "Command.h"

#include "autoident/AutoIncrementedIdentificators.h"
#include "autoident/detail/CounterDefinition.h"
#include "host/base/File.h"
#include "host/base/SoopDb.h"
#include "host/base/ZmXml.h"

#include <algorithm>
#include <list>
#include <optional>
#include <ostream>
#include <string>

namespace ostrel::cli {
namespace {

constexpr const char* kHelp =
    "Usage: ostrel ident DEFINITIONS VALUES [ACTION]\n"
    "\n"
    "Works with the automatic identifier counters defined in the file DEFINITIONS,\n"
    "whose current values are kept in the file VALUES. Loading the counters always\n"
    "rewrites VALUES (creating it when missing): counters that are not in it start at\n"
    "their initial value, and values of counters no longer defined are dropped.\n"
    "Numbering starts afresh every day.\n"
    "\n"
    "Actions:\n"
    "  list                  every counter with its next identifier (the default)\n"
    "  next NAME             the next identifier of the counter NAME\n"
    "  use NAME              marks the next identifier of NAME as used, so the counter\n"
    "                        moves on, and saves VALUES\n"
    "  sync NAME IDENTIFIER  re-synchronises NAME with an identifier that was actually\n"
    "                        used (for example typed by hand): it must carry today's\n"
    "                        prefix followed by a number; the next identifier follows\n"
    "                        it; saves VALUES\n"
    "\n"
    "DEFINITIONS holds `ident` elements with the attributes name, prefix,\n"
    "variable_length (number width), increment, initial_value and optionally\n"
    "prefix_editable. In a prefix, \\Y is the year, \\y the year in two digits, \\m the\n"
    "month, \\d the day and \\\\ a backslash; a prefix without a date escape gets the\n"
    "date appended as six digits (yymmdd).\n"
    "\n"
    "VALUES is left as it is, and the command stops, when it is not a regular file\n"
    "or cannot be read as a value file (damaged, or cut short when a disk ran full):\n"
    "restore it from a backup, or remove it to start every counter again at its\n"
    "initial value. It must not be the file DEFINITIONS. Every change is checked to\n"
    "be saved; when VALUES cannot be written the command says so.\n"
    "\n"
    "Exit status: 0 on success, 1 when DEFINITIONS cannot be loaded, VALUES cannot\n"
    "be read or written, the counter is unknown or the identifier does not fit, 2 on\n"
    "a usage error.\n"
    "\n"
    "Example:\n"
    "  ostrel ident samples/identifiers.xml /tmp/identifier-values.xml\n"
    "  ostrel ident samples/identifiers.xml /tmp/identifier-values.xml use Invoice\n";

/// Why the set refused the definition file: the entry after the last one it
/// kept is the bad one, and the set's own checks name the fault.
std::string describeDefinitionFailure(const std::string& file, int accepted) {
    using namespace ostrel::autoident::detail;
    zm_soop::soop_db db;
    if (!db.init(file)) {
        return "cannot read the definition file '" + file +
               "' (missing, unreadable or not well-formed XML)";
    }
    db.addList("ident");
    const auto& nodes = db.getList("ident");
    const auto index = static_cast<std::size_t>(accepted);
    if (index >= nodes.size()) {
        return "cannot load the definition file '" + file + "'";
    }
    CounterDefinition definition;
    const DefinitionCheck check = readDefinition(*nodes[index], definition);
    if (check.fault == DefinitionFault::NoName) {
        return file + ": counter definition " + std::to_string(index + 1) +
               ": the attribute 'name' is missing or empty";
    }
    const std::string named = file + ": counter '" + definition.name + "': ";
    switch (check.fault) {
    case DefinitionFault::NoPrefix:
        return named + "the attribute 'prefix' is missing";
    case DefinitionFault::NoNumber:
        return named + "the attribute '" + check.attribute + "' is missing";
    case DefinitionFault::RefusedNumber:
        return named + "the attribute '" + check.attribute + "' is not a number: '" +
               nodes[index]->getAttr(check.attribute) + "' (write zero as \"0\")";
    default:
        return named + "the name is defined twice";
    }
}

/// Why an existing value file must not be used, or nothing when it may. The
/// set would overwrite what it cannot read and restart every counter, handing
/// out identifiers again; the tool leaves such a file alone instead.
std::optional<std::string> refuseValueFile(const std::string& values) {
    const zmdisk::File file{Ostrel::u8string(values)};
    if (!file.exists()) {
        return std::nullopt; // created by the first write
    }
    if (!file.isFile()) {
        return "the value file '" + values + "' is not a regular file";
    }
    const zmxml::DocPtr doc(zmxml::loadFile(values));
    if (!doc || !zmxml::hasName(zmxml::getElement(xmlDocGetRootElement(doc.get())), "autoident")) {
        return "the value file '" + values +
               "' cannot be read as a value file; it was left as it is. Restore it from a "
               "backup, or remove it to start every counter again at its initial value (which "
               "hands out identifiers that may have been used already)";
    }
    return std::nullopt;
}

int cannotWrite(Output& output, const std::string& values, const std::string& lost) {
    output.err << "ostrel ident: cannot write the value file '" << values << "'; " << lost
               << " not saved\n";
    return 1;
}

void listCounters(AutoIncrementedIdentificators& idents, const std::string& file, Output& output) {
    std::list<Ostrel::u8string> names;
    idents.getNames(names);
    if (names.empty()) {
        output.out << "No counters are defined in '" << file << "'.\n";
        return;
    }
    std::size_t width = 0;
    for (const Ostrel::u8string& name : names) {
        width = std::max(width, name.size());
    }
    for (const Ostrel::u8string& name : names) {
        long fixedLength = 0;
        const char* next = idents.getValue(name.c_str(), fixedLength);
        output.out << name.str() << std::string(width - name.size() + 2, ' ') << next << '\n';
    }
}

int run(const std::vector<std::string>& args, Output& output) {
    if (args.size() < 2) {
        return usageError(output, "ident", "expected a definition file and a value file");
    }
    const std::string& definitions = args[0];
    const std::string& values = args[1];
    const std::string action = args.size() > 2 ? args[2] : "list";
    const std::size_t expected = action == "list"                        ? 3
                                 : (action == "next" || action == "use") ? 4
                                 : action == "sync"                      ? 5
                                                                         : 0;
    if (expected == 0) {
        return usageError(output, "ident", "unknown action '" + action + "'");
    }
    if (args.size() != expected && !(action == "list" && args.size() == 2)) {
        return usageError(output, "ident",
                          args.size() < expected
                              ? "the action '" + action + "' needs more arguments"
                              : "too many arguments for the action '" + action + "'");
    }

    // Checked before anything is written: the set rewrites the value file as
    // soon as it has loaded the definitions.
    if (zmdisk::File(definitions).isSameFile(zmdisk::File(values))) {
        return usageError(output, "ident", "the value file is the definition file");
    }
    if (const auto refusal = refuseValueFile(values)) {
        output.err << "ostrel ident: " << *refusal << '\n';
        return 1;
    }
    AutoIncrementedIdentificators idents;
    if (!idents.init(definitions, values)) {
        output.err << "ostrel ident: " << describeDefinitionFailure(definitions, idents.getCount())
                   << '\n';
        return 1;
    }
    // Loading rewrites the file; a failed rewrite may have left it truncated.
    if (!idents.isValueFileWritten()) {
        return cannotWrite(output, values, "the counters' values were");
    }
    if (action == "list") {
        listCounters(idents, definitions, output);
        return 0;
    }

    const std::string& name = args[3];
    long fixedLength = 0;
    const char* next = idents.getValue(name.c_str(), fixedLength);
    if (next == nullptr) {
        output.err << "ostrel ident: no counter named '" << name << "' in '" << definitions
                   << "'\n";
        return 1;
    }
    if (action == "next") {
        output.out << next << '\n';
        return 0;
    }
    if (action == "use") {
        const std::string used = next;
        if (!idents.incrementValue(name.c_str())) {
            return cannotWrite(output, values, "the use of " + used + " was");
        }
        output.out << name << ": used " << used << ", next "
                   << idents.getValue(name.c_str(), fixedLength) << '\n';
        return 0;
    }
    const std::string& typed = args[4];
    const std::string example = next;
    if (!idents.updateIdentifier(name.c_str(), typed.c_str())) {
        output.err << "ostrel ident: '" << typed << "' does not fit the counter '" << name
                   << "': expected today's prefix followed by a number, like '" << example << "'\n";
        return 1;
    }
    if (!idents.isValueFileWritten()) {
        return cannotWrite(output, values, "the synchronisation with " + typed + " was");
    }
    output.out << name << ": synchronised with " << typed << ", next "
               << idents.getValue(name.c_str(), fixedLength) << '\n';
    return 0;
}

const Registration registration(
    {"ident", "ident DEFINITIONS VALUES [list | next NAME | use NAME | sync NAME IDENTIFIER]",
     kHelp, run});

} // namespace
} // namespace ostrel::cli
