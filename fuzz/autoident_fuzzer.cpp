// Arbitrary bytes as an identifier definition file, a value file and a typed
// identifier, separated by NUL bytes (which no XML file contains): loading,
// numbering, re-synchronising and rewriting must never crash, leak or hang.
#include "autoident/AutoIncrementedIdentificators.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <list>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {

struct Scratch {
    Scratch() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "ostrel-fuzz-XXXXXX").string();
        if (char* made = ::mkdtemp(pattern.data())) {
            dir = made;
        } else {
            std::abort();
        }
    }
    ~Scratch() {
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }
    std::string write(const char* name, std::string_view content) const {
        const std::string path = (dir / name).string();
        if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
            std::fwrite(content.data(), 1, content.size(), file);
            std::fclose(file);
        }
        return path;
    }
    std::filesystem::path dir;
};

std::string_view takePart(std::string_view& rest) {
    const std::size_t end = rest.find('\0');
    const std::string_view part = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    return part;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const Scratch scratch;
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    const std::string definitions = scratch.write("defs.xml", takePart(rest));
    const std::string values = scratch.write("values.xml", takePart(rest));
    const std::string typed(takePart(rest));

    AutoIncrementedIdentificators set;
    set.init(definitions, values);
    std::list<Ostrel::u8string> names;
    set.getNames(names);
    for (const Ostrel::u8string& name : names) {
        long fixedLength = 0;
        set.getValue(name.c_str(), fixedLength);
        set.updateIdentifier(name.c_str(), typed.c_str());
        set.incrementValue(name.c_str());
    }
    const AutoIncrementedIdentificators copy(set);
    set = copy;

    // The typed text also as a prefix pattern of a counter built directly.
    AutoIdentificator counter(typed.c_str(), typed.c_str(), 1, 1, 3, 2);
    long fixedLength = 0;
    const std::string identifier = counter.getValue(fixedLength);
    counter.updateValue(identifier.c_str());
    counter.updateValue(typed.c_str());
    return 0;
}
