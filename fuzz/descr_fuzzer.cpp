// Arbitrary bytes as a template description file: checking it, building its
// Documents tree and loading that tree into a document factory must never
// crash, leak or hang. Entities are never expanded on the way.
#include "descr/CMServer2Descr.h"
#include "host/common/DocumentFactory.h"
#include "host/common/DocumentFactoryLoader.h"
#include "host/common/OstrelException.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

// One scratch file name per fuzzing process: the reader only takes file
// names. The file is removed after every input, since libFuzzer may end the
// process without running exit handlers.
const std::string& scratchFile() {
    static const std::string path = [] {
        std::string pattern = "/tmp/ostrel-descr-fuzz-XXXXXX";
        const int fd = ::mkstemp(pattern.data());
        if (fd < 0) {
            std::abort();
        }
        ::close(fd);
        return pattern;
    }();
    return path;
}

void check(const std::string& path) {
    OstrelException ex;
    xmlNodePtr documents = CMServer2Descr().createXMLTree(path, ex);
    if (documents == nullptr) {
        // Every failure leaves its chain of records, ending with the tree's.
        if (ex.getRecords().empty() || ex.getRecords().back().line != 26) {
            std::abort();
        }
        return;
    }
    if (ex.hasError()) {
        std::abort();
    }
    DocumentFactory factory;
    DocumentFactoryLoader loader(factory);
    if (!loader.load(documents)) {
        std::abort();
    }
    xmlFreeNode(documents);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string& path = scratchFile();
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return 0;
    }
    const bool written = std::fwrite(data, 1, size, file) == size;
    if (std::fclose(file) == 0 && written) {
        check(path);
    }
    std::remove(path.c_str());
    return 0;
}
