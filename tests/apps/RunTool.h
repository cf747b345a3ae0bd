#pragma once

#include "Command.h"
#include "support/TempDir.h"

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

/// The definition file the ident command's tests number with: Invoice
/// (INV-<year>-0001, one by one) and Order (ORD-<yymmdd>010, by five).
inline std::string writeIdentDefinitions(const TempDir& dir) {
    return dir.write("defs.xml",
                     "<identifiers>\n"
                     "<ident name=\"Invoice\" prefix=\"INV-\\Y-\" variable_length=\"4\" "
                     "increment=\"1\" initial_value=\"1\"/>\n"
                     "<ident name=\"Order\" prefix=\"ORD-\" variable_length=\"3\" "
                     "increment=\"5\" initial_value=\"10\"/>\n"
                     "</identifiers>\n");
}

} // namespace ostrel::test
