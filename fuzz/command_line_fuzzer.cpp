// Arbitrary bytes as two files and the arguments of the `ostrel` tool, run in
// process: parts separated by NUL bytes, the first two the contents of the
// files "a" and "b", the rest the arguments. The tool works in a scratch
// folder of its own (a symbolic link "l" to "a" and a folder "d" beside them),
// never in the real working directory; arguments cannot leave that folder.
// No command may crash, leak or hang, every status is 0, 1 or 2, and
// `ident` never changes its definition file.
#include "Command.h"
#include "Scratch.h"
#include "host/base/EarthTime.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Keeps a path inside the scratch folder: no absolute path, no "..".
std::string confined(std::string_view text) {
    std::string arg(text);
    while (!arg.empty() && arg.front() == '/') {
        arg.erase(0, 1);
    }
    for (std::size_t at = arg.find(".."); at != std::string::npos; at = arg.find("..", at)) {
        arg.replace(at, 2, "__");
    }
    return arg;
}

std::string read(const std::string& path) {
    std::error_code error;
    if (!fs::is_regular_file(path, error)) {
        return "(not a file)";
    }
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

const ostrel::fuzz::Scratch& scratch() {
    static const ostrel::fuzz::Scratch folder;
    return folder;
}

// Works in the scratch folder while it lives; libFuzzer's own paths (corpus,
// artifacts) may be relative to the real working directory.
class InScratch {
public:
    InScratch() : previous_(fs::current_path()) { fs::current_path(scratch().dir); }
    ~InScratch() { fs::current_path(previous_); }
    InScratch(const InScratch&) = delete;
    InScratch& operator=(const InScratch&) = delete;

private:
    fs::path previous_;
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    zmbase::setLocalClock([] { return zmbase::EarthTime(2024, 3, 1, 9, 30, 0); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const InScratch inScratch;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(scratch().dir)) {
        fs::remove_all(entry.path(), error);
    }
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    scratch().write("a", ostrel::fuzz::takePart(rest));
    scratch().write("b", ostrel::fuzz::takePart(rest));
    fs::create_symlink("a", "l", error);
    fs::create_directory("d", error);
    std::vector<std::string> args;
    while (!rest.empty()) {
        args.push_back(confined(ostrel::fuzz::takePart(rest)));
    }

    const bool ident = args.size() >= 3 && args[0] == "ident";
    const std::string definitions = ident ? read(args[1]) : std::string();
    std::ostringstream out, err;
    ostrel::cli::Output output{out, err};
    const int status = ostrel::cli::runTool(args, output);
    if (status < 0 || status > 2) {
        std::abort();
    }
    if (ident && read(args[1]) != definitions) {
        std::abort();
    }
    return 0;
}
