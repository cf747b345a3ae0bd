// Arbitrary bytes as a template description file: checking it, building its
// Documents tree and loading that tree into a document factory must never
// crash, leak or hang. Entities are never expanded on the way. The tree is
// built while the file streams in; reading the whole parsed file at once
// must come to the same: the same parse failures, the same first record of
// a failed check, the same tree.
#include "descr/CMServer2Descr.h"
#include "host/base/ZmXml.h"
#include "host/common/DocumentFactory.h"
#include "host/common/DocumentFactoryLoader.h"
#include "host/common/OstrelException.h"

#include <libxml/tree.h>

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

// Reads a whole parsed document at once and writes its tree.
class WholeDocument : public CMServer2Descr {
public:
    xmlNodePtr tree(xmlDocPtr doc, OstrelException& ex) {
        const zmxml::MutedErrors muted;
        xmlNodePtr root = zmxml::getElement(xmlDocGetRootElement(doc));
        std::list<Template*> templates;
        const bool read = zmxml::hasName(root, "Templates") &&
                          readDescription(zmxml::getChildElement(root), templates, ex);
        xmlNodePtr documents =
            read ? xmlNewNode(nullptr, reinterpret_cast<const xmlChar*>("Documents")) : nullptr;
        for (const Template* record : templates) {
            if (documents != nullptr) {
                writeDocument(*record, documents);
            }
        }
        releaseTemplates(templates);
        return documents;
    }
};

std::string text(xmlNodePtr node) {
    xmlBufferPtr buffer = xmlBufferCreate();
    xmlNodeDump(buffer, nullptr, node, 0, 0);
    std::string result(reinterpret_cast<const char*>(xmlBufferContent(buffer)),
                       static_cast<std::size_t>(xmlBufferLength(buffer)));
    xmlBufferFree(buffer);
    return result;
}

// The streamed tree (or its records) against the whole document's.
void compareWithWholeDocument(const std::string& path, xmlNodePtr streamed,
                              const OstrelException& ex) {
    const zmxml::DocPtr doc(zmxml::loadFile(path));
    const bool parseFailed = streamed == nullptr && ex.getRecords().front().line == 54;
    if ((doc == nullptr) != parseFailed) {
        std::abort();
    }
    if (doc == nullptr) {
        return;
    }
    OstrelException wholeEx;
    xmlNodePtr whole = WholeDocument().tree(doc.get(), wholeEx);
    const bool same =
        whole == nullptr
            ? streamed == nullptr &&
                  (!wholeEx.hasError() || wholeEx.getRecords().front() == ex.getRecords().front())
            : streamed != nullptr && text(whole) == text(streamed);
    xmlFreeNode(whole);
    if (!same) {
        std::abort();
    }
}

void check(const std::string& path) {
    OstrelException ex;
    xmlNodePtr documents = CMServer2Descr().createXMLTree(path, ex);
    if (documents == nullptr && (ex.getRecords().empty() || ex.getRecords().back().line != 26)) {
        // Every failure leaves its chain of records, ending with the tree's.
        std::abort();
    }
    compareWithWholeDocument(path, documents, ex);
    if (documents == nullptr) {
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
