#pragma once

#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace ostrel::test {

struct ChildResult {
    int exitCode = -1;  ///< -1 when it did not exit normally, 127 when it could not be started
    std::string output; ///< everything it wrote to standard output
};

/// Runs `argv` (argv[0] is the program's path) through env(1) to its end and collects its
/// standard output. `environment` changes the inherited environment: a name with a value sets
/// it, a name with nothing removes it.
inline ChildResult runChild(const std::vector<std::string>& argv,
                            const std::map<std::string, std::optional<std::string>>& environment) {
    const auto quoted = [](const std::string& text) {
        std::string result = "'";
        for (const char c : text) {
            result += c == '\'' ? std::string("'\\''") : std::string(1, c);
        }
        return result + "'";
    };
    std::string unset = "env", set;
    for (const auto& [name, value] : environment) {
        (value ? set : unset) += value ? " " + quoted(name + "=" + *value) : " -u " + quoted(name);
    }
    std::string command = unset + set;
    for (const std::string& arg : argv) {
        command += " " + quoted(arg);
    }
    ChildResult result;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return result;
    }
    char buffer[4096];
    for (std::size_t n = 0; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        result.output.append(buffer, n);
    }
    const int status = ::pclose(pipe);
    if (status != -1 && WIFEXITED(status)) {
        result.exitCode = WEXITSTATUS(status);
    }
    return result;
}

} // namespace ostrel::test
