#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace ostrel::cli {

/// Where a command writes: tests hand in string streams.
struct Output {
    std::ostream& out;
    std::ostream& err;
};

/// One sub-command of the `ostrel` tool. A command returns the process exit
/// status: 0 on success, 1 when the input was bad, 2 on a usage error.
struct Command {
    const char* name;
    const char* synopsis; // one line for the overview, e.g. "ident DEF VALUES [ACTION]"
    const char* help;     // full help text shown by `ostrel help NAME` and `NAME --help`
    int (*run)(const std::vector<std::string>& args, Output& output);
};

/// Registers a command at start-up; use one static Registration per command.
class Registration {
public:
    explicit Registration(const Command& command);
};

const std::vector<Command>& commands();
const Command* findCommand(const std::string& name);

/// Reports a usage error of `command` on the error stream, with a pointer to
/// its help, and returns the usage-error status 2.
int usageError(Output& output, const char* command, const std::string& message);

/// Runs the tool on its arguments (without the program name).
int runTool(const std::vector<std::string>& args, Output& output);

} // namespace ostrel::cli
