#include "Command.h"

#include <iostream>

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    ostrel::cli::Output output{std::cout, std::cerr};
    return ostrel::cli::runTool(args, output);
}
