#pragma once

#include "autoident/AutoIncrementedIdentificators.h"
#include "support/TempDir.h"

#include <csignal>
#include <cstdio>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace ostrel::test {

inline std::string identEntry(const std::string& name, const std::string& attributes) {
    return "<ident name=\"" + name + "\" " + attributes + "/>\n";
}

/// The start and the end of a value file as it is written, and one line of it between them.
inline const std::string kHeader = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<autoident>\r\n";
inline const std::string kFooter = "</autoident>\r\n";
inline std::string line(const std::string& name, const std::string& value,
                        const std::string& date = "2007-03-09") {
    return "<ident name=\"" + name + "\" value=\"" + value + "\" date=\"" + date + "\" />\r\n";
}

/// Writes a definition file of `entries` into `dir` and returns its name.
inline std::string writeDefinitions(const TempDir& dir, const std::string& entries) {
    return dir.write("defs.xml", "<identifiers>\n" + entries + "</identifiers>\n");
}

/// The counter's next identifier, "(null)" for a name the set does not know.
inline std::string nextOf(AutoIncrementedIdentificators& set, const char* name) {
    long fixedLength = 0;
    const char* text = set.getValue(name, fixedLength);
    return text ? text : "(null)";
}

using Taker = std::function<std::optional<std::string>(AutoIncrementedIdentificators&)>;

/// Runs `processes` child processes that each load the counters of `definitions` from `store`
/// (shared) and `take` an identifier `count` times, or for a negative count until killed
/// `killAfter` microseconds after the first one arrived; a child stops at the first failure.
/// Returns every identifier taken, in the order they arrived.
inline std::vector<std::string> takeInProcesses(const std::string& definitions,
                                                const std::string& store, int processes, int count,
                                                const Taker& take, useconds_t killAfter = 0) {
    int channel[2];
    if (::pipe(channel) != 0) {
        return {};
    }
    std::vector<pid_t> children;
    for (int i = 0; i < processes; ++i) {
        children.push_back(::fork());
        if (children.back() == 0) {
            ::close(channel[0]);
            AutoIncrementedIdentificators set(AutoIncrementedIdentificators::Mode::Shared);
            if (!set.init(definitions, store)) {
                ::_exit(1); // takes nothing: the caller finds identifiers missing
            }
            std::optional<std::string> taken;
            for (int n = 0; (count < 0 || n < count) && (taken = take(set)); ++n) {
                const std::string line = *taken + "\n"; // unbuffered: a kill loses nothing
                [[maybe_unused]] const auto ignored = ::write(channel[1], line.data(), line.size());
            }
            ::_exit(0);
        }
    }
    ::close(channel[1]);
    FILE* in = ::fdopen(channel[0], "r");
    std::vector<std::string> taken;
    for (char line[64]; std::fgets(line, sizeof line, in) != nullptr;) {
        taken.emplace_back(line, std::strcspn(line, "\n"));
        if (count < 0 && taken.size() == 1) { // strike while identifiers are being taken
            ::usleep(killAfter);
            for (const pid_t child : children) {
                ::kill(child, SIGKILL);
            }
        }
    }
    std::fclose(in);
    for (const pid_t child : children) {
        ::waitpid(child, nullptr, 0);
    }
    return taken;
}

} // namespace ostrel::test
