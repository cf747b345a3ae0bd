#include "Command.h"

#include <algorithm>
#include <ostream>

namespace ostrel::cli {
namespace {

std::vector<Command>& registry() {
    static std::vector<Command> all;
    return all;
}

void printOverview(std::ostream& out) {
    out << "Usage: ostrel COMMAND [ARGS...]\n"
           "       ostrel help COMMAND\n\n"
           "Works with the files of the Ostrel document filing library.\n\n"
           "Commands:\n";
    for (const Command& command : commands()) {
        out << "  " << command.synopsis << '\n';
    }
}

bool wantsHelp(const std::string& arg) {
    return arg == "--help" || arg == "-h";
}

} // namespace

Registration::Registration(const Command& command) {
    auto& all = registry();
    all.push_back(command);
    std::sort(all.begin(), all.end(), [](const Command& a, const Command& b) {
        return std::string(a.name) < std::string(b.name);
    });
}

const std::vector<Command>& commands() {
    return registry();
}

const Command* findCommand(const std::string& name) {
    for (const Command& command : registry()) {
        if (name == command.name) {
            return &command;
        }
    }
    return nullptr;
}

int usageError(Output& output, const char* command, const std::string& message) {
    output.err << "ostrel " << command << ": " << message << "\n"
               << "Run 'ostrel " << command << " --help' for usage.\n";
    return 2;
}

int runTool(const std::vector<std::string>& args, Output& output) {
    if (args.empty()) {
        printOverview(output.err);
        return 2;
    }
    if (wantsHelp(args[0]) || args[0] == "help") {
        if (args.size() > 1) {
            if (const Command* command = findCommand(args[1])) {
                output.out << command->help;
                return 0;
            }
            output.err << "ostrel: unknown command '" << args[1] << "'\n";
            return 2;
        }
        printOverview(output.out);
        return 0;
    }
    const Command* command = findCommand(args[0]);
    if (command == nullptr) {
        output.err << "ostrel: unknown command '" << args[0] << "'\n"
                   << "Run 'ostrel --help' for the list of commands.\n";
        return 2;
    }
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (std::any_of(rest.begin(), rest.end(), wantsHelp)) {
        output.out << command->help;
        return 0;
    }
    return command->run(rest, output);
}

} // namespace ostrel::cli
