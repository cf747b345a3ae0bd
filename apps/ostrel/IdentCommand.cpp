// `ostrel ident`: the automatic identifier counters of a definition file and
// their value file, as a host application sees them.
#include "Command.h"

#include "autoident/AutoIncrementedIdentificators.h"
#include "autoident/detail/CounterDefinition.h"
#include "autoident/detail/CounterStore.h"
#include "autoident/detail/SharedValueFile.h"
#include "host/base/File.h"
#include "host/base/SoopDb.h"
#include "host/common/OstrelException.h"

#include <algorithm>
#include <list>
#include <optional>
#include <ostream>
#include <string>

namespace ostrel::cli {
namespace {

constexpr const char* kHelp =
    "Usage: ostrel ident DEFINITIONS VALUES|URI [ACTION]\n"
    "\n"
    "Works with the automatic identifier counters defined in the file DEFINITIONS,\n"
    "whose current values are kept in the file VALUES. Loading the counters creates\n"
    "VALUES when missing and adds the counters that are not in it, at their initial\n"
    "value; values of counters that DEFINITIONS does not define are kept (another\n"
    "program may define them).\n"
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
    "  import FILE           (database only) moves the counters of the value file FILE\n"
    "                        into the database; a counter the database holds with a\n"
    "                        later day or a higher value keeps its own\n"
    "  export FILE           writes the counters' values as a value file FILE\n"
    "\n"
    "Instead of VALUES, a PostgreSQL connection URI (postgresql://USER@HOST/DATABASE\n"
    "or postgres://...; libpq's URI form, with ?host=/socket/dir, ?sslmode=,\n"
    "?service= and the like) keeps the counters in that database, for many machines\n"
    "at once; the tables are created on first use when the role may. The password\n"
    "comes from the URI, ~/.pgpass, PGPASSFILE or a service file; it is never shown.\n"
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
    "initial value. So it does when VALUES is a symbolic link that leads nowhere (a\n"
    "share that is not mounted) or a file with several names (hard links). It must\n"
    "not be the file DEFINITIONS. Every change is checked to be saved; when VALUES\n"
    "cannot be written the command says so.\n"
    "\n"
    "No identifier is handed out twice: next, use and sync refuse a counter whose\n"
    "increment is 0 or negative or whose next number would pass 4294967295 (and\n"
    "wrap round to the day's first numbers), and sync refuses a negative number or\n"
    "one beyond 4294967295.\n"
    "\n"
    "Several users and programs may number from one VALUES file at once: every\n"
    "change locks it (through VALUES.lock beside it), reads it afresh and replaces\n"
    "it whole, so no identifier is handed out twice and an interrupted command\n"
    "leaves the old or the new file. The folder of VALUES must be writable.\n"
    "\n"
    "Exit status: 0 on success, 1 when DEFINITIONS cannot be loaded, VALUES cannot\n"
    "be read or written, the database cannot be used, the counter is unknown, the\n"
    "identifier does not fit or an identifier would repeat, 2 on a usage error.\n"
    "\n"
    "Example:\n"
    "  ostrel ident samples/identifiers.xml /tmp/identifier-values.xml\n"
    "  ostrel ident samples/identifiers.xml /tmp/identifier-values.xml use Invoice\n"
    "  ostrel ident samples/identifiers.xml postgresql://clerk@db.example/office use "
    "Invoice\n";

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

struct Request {
    std::string definitions;
    std::string values;
    std::string action;
    std::string name;  ///< next, use, sync; the file of import and export
    std::string typed; ///< sync
    bool database = false;
};

/// Reads the arguments into `request`; the usage-error status when they do
/// not make a request.
std::optional<int> readRequest(const std::vector<std::string>& args, Output& output,
                               Request& request) {
    if (args.size() < 2) {
        return usageError(output, "ident", "expected a definition file and a value file");
    }
    request.definitions = args[0];
    request.values = args[1];
    request.action = args.size() > 2 ? args[2] : "list";
    const std::string& action = request.action;
    const bool oneArgument =
        action == "next" || action == "use" || action == "import" || action == "export";
    const std::size_t expected = action == "list" ? 3 : oneArgument ? 4 : action == "sync" ? 5 : 0;
    if (expected == 0) {
        return usageError(output, "ident", "unknown action '" + action + "'");
    }
    if (args.size() != expected && !(action == "list" && args.size() == 2)) {
        return usageError(output, "ident",
                          args.size() < expected
                              ? "the action '" + action + "' needs more arguments"
                              : "too many arguments for the action '" + action + "'");
    }
    request.name = args.size() > 3 ? args[3] : "";
    request.typed = args.size() > 4 ? args[4] : "";
    request.database = ostrel::autoident::detail::isCounterDatabase(request.values);
    return std::nullopt;
}

/// Says why the value file does not hold what was `lost` (and that it was
/// left alone when it cannot be read) and returns the failure status.
int reportNotSaved(const AutoIncrementedIdentificators& idents, const std::string& values,
                   const std::string& lost, Output& output,
                   const OstrelException* errors = nullptr) {
    using State = AutoIncrementedIdentificators::ValueFileState;
    const State state = idents.getValueFileState();
    if (state >= State::DatabaseUnavailable) {
        // The store's own record names the server and the reason.
        output.err << "ostrel ident: " << lost << " not saved: "
                   << (errors && errors->hasError() ? errors->getRecords().back().message.str()
                                                    : "the counter database cannot be used")
                   << '\n';
        return 1;
    }
    if (state == State::NotLocked) {
        output.err << "ostrel ident: cannot lock the value file '" << values
                   << "': the lock file beside it cannot be created or locked (its folder must "
                      "exist and be writable); "
                   << lost << " not saved\n";
        return 1;
    }
    if (state == State::Unreadable) {
        // Starting afresh would hand out identifiers that may be on documents.
        output.err << "ostrel ident: the value file '" << values
                   << "' cannot be read as a value file; it was left as it is. Restore it from a "
                      "backup, or remove it to start every counter again at its initial value "
                      "(which hands out identifiers that may have been used already)\n";
        return 1;
    }
    output.err << "ostrel ident: cannot write the value file '" << values << "'; " << lost
               << " not saved\n";
    return 1;
}

/// Loads the counters with the freshest values of the value file; the
/// failure status when they cannot be used.
std::optional<int> load(const Request& request, AutoIncrementedIdentificators& idents,
                        Output& output) {
    // Checked before anything is written: loading may rewrite the value file.
    const zmdisk::File values{Ostrel::u8string(request.values)};
    if (!request.database && zmdisk::File(request.definitions).isSameFile(values)) {
        return usageError(output, "ident", "the value file is the definition file");
    }
    if (const std::string refusal =
            request.database ? std::string() : autoident::detail::whyNotShareable(request.values);
        !refusal.empty()) {
        output.err << "ostrel ident: the value file '" << request.values << "' " << refusal << '\n';
        return 1;
    }
    OstrelException errors;
    if (!idents.init(request.definitions, request.values, &errors)) {
        output.err << "ostrel ident: "
                   << describeDefinitionFailure(request.definitions, idents.getCount()) << '\n';
        return 1;
    }
    if (!idents.isValueFileWritten()) {
        return reportNotSaved(idents, request.values, "the counters' values were", output, &errors);
    }
    return std::nullopt;
}

/// import and export: the counters' values to or from a value file.
int transfer(AutoIncrementedIdentificators& idents, const Request& request, Output& output) {
    OstrelException errors;
    const Ostrel::u8string file(request.name);
    const bool done = request.action == "import" ? idents.importValueFile(file, &errors)
                                                 : idents.exportValueFile(file, &errors);
    if (!done) {
        output.err << "ostrel ident: " << errors.getRecords().back().message.str() << '\n';
        return 1;
    }
    output.out << (request.action == "import" ? "imported '" : "exported to '") << request.name
               << "'\n";
    return 0;
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

std::string nextOf(AutoIncrementedIdentificators& idents, const std::string& name) {
    long fixedLength = 0;
    return idents.getValue(name.c_str(), fixedLength);
}

/// Refuses a step after which the counter would offer an identifier again:
/// the value file is the one record of what was handed out.
std::optional<int> refuseRepeat(const std::string& risk, Output& output) {
    if (risk.empty()) {
        return std::nullopt;
    }
    output.err << "ostrel ident: " << risk << '\n';
    return 1;
}

/// Hands out the counter's next identifier: one locked step, so two users of
/// the value file never get the same one. `next` is the identifier as loaded.
int useCounter(AutoIncrementedIdentificators& idents, const Request& request,
               const std::string& next, Output& output) {
    OstrelException errors;
    const auto used = idents.takeValue(request.name.c_str(), &errors);
    if (!used && idents.isValueFileWritten() && errors.hasError()) {
        // The file is sound: the step was refused on the freshest values.
        return *refuseRepeat(errors.getRecords().back().message.str(), output);
    }
    if (!used) {
        return reportNotSaved(idents, request.values, "the use of " + next + " was", output,
                              &errors);
    }
    output.out << request.name << ": used " << *used << ", next " << nextOf(idents, request.name)
               << '\n';
    return 0;
}

int syncCounter(AutoIncrementedIdentificators& idents, const Request& request,
                const std::string& example, Output& output) {
    const std::string& typed = request.typed;
    if (const auto status =
            refuseRepeat(idents.repeatRisk(request.name.c_str(), typed.c_str()), output)) {
        return *status;
    }
    const bool fits = idents.updateIdentifier(request.name.c_str(), typed.c_str());
    if (!idents.isValueFileWritten()) {
        return reportNotSaved(idents, request.values, "the synchronisation with " + typed + " was",
                              output);
    }
    if (!fits) {
        output.err << "ostrel ident: '" << typed << "' does not fit the counter '" << request.name
                   << "': expected today's prefix followed by a number, like '" << example << "'\n";
        return 1;
    }
    output.out << request.name << ": synchronised with " << typed << ", next "
               << nextOf(idents, request.name) << '\n';
    return 0;
}

int run(const std::vector<std::string>& args, Output& output) {
    Request request;
    if (const auto status = readRequest(args, output, request)) {
        return *status;
    }
    // Shared: several users or scripts may number from one value file at once.
    AutoIncrementedIdentificators idents(AutoIncrementedIdentificators::Mode::Shared);
    if (const auto status = load(request, idents, output)) {
        return *status;
    }
    if (request.action == "list") {
        listCounters(idents, request.definitions, output);
        return 0;
    }
    if (request.action == "import" || request.action == "export") {
        return transfer(idents, request, output);
    }
    long fixedLength = 0;
    const char* next = idents.getValue(request.name.c_str(), fixedLength);
    if (next == nullptr) {
        output.err << "ostrel ident: no counter named '" << request.name << "' in '"
                   << request.definitions << "'\n";
        return 1;
    }
    if (request.action == "next") {
        // An identifier offered is one about to be used.
        if (const auto status = refuseRepeat(idents.repeatRisk(request.name.c_str()), output)) {
            return *status;
        }
        output.out << next << '\n';
        return 0;
    }
    // A copy: the counter's text changes with the counter.
    const std::string loaded = next;
    return request.action == "use" ? useCounter(idents, request, loaded, output)
                                   : syncCounter(idents, request, loaded, output);
}

const Registration registration(
    {"ident",
     "ident DEFINITIONS VALUES|URI [list | next NAME | use NAME | sync NAME IDENTIFIER | import "
     "FILE | export FILE]",
     kHelp, run});

} // namespace
} // namespace ostrel::cli
