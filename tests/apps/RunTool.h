#pragma once

#include "Command.h"

#include <sstream>
#include <string>
#include <vector>

namespace ostrel::test {

/// Runs the command-line tool in-process and returns "STATUS|OUT|ERR".
inline std::string runTool(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    ostrel::cli::Output output{out, err};
    const int status = ostrel::cli::runTool(args, output);
    return std::to_string(status) + "|" + out.str() + "|" + err.str();
}

} // namespace ostrel::test
