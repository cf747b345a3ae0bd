// createXMLTree against a bare libxml2 parse of the same description file:
// 10,000 templates with 20 attributes each. Reports the time of each (the
// ratio is the figure to watch) and, in DescrMemory, the bytes held by the
// parsed document, by the Documents tree and at the peak of createXMLTree.
#include "descr/CMServer2Descr.h"
#include "host/common/OstrelException.h"

#include <benchmark/benchmark.h>
#include <libxml/parser.h>
#include <libxml/xmlmemory.h>

#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <new>
#include <string>

namespace {

// The options zmxml::loadFile parses with: no network, no messages.
constexpr int kParseOptions = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;
constexpr int kTemplates = 10000;
constexpr int kAttributes = 20;

// ---- allocation accounting (libxml2 and C++ allocations alike) ----

bool counting = false;
long long liveBytes = 0;
long long peakBytes = 0;

void countIn(void* p) {
    if (counting && p != nullptr) {
        liveBytes += static_cast<long long>(malloc_usable_size(p));
        if (liveBytes > peakBytes) {
            peakBytes = liveBytes;
        }
    }
}

void countOut(void* p) {
    if (counting && p != nullptr) {
        liveBytes -= static_cast<long long>(malloc_usable_size(p));
    }
}

void* countedMalloc(std::size_t size) {
    void* p = std::malloc(size);
    countIn(p);
    return p;
}

void countedFree(void* p) {
    countOut(p);
    std::free(p);
}

void* countedRealloc(void* p, std::size_t size) {
    countOut(p);
    void* q = std::realloc(p, size);
    countIn(q != nullptr ? q : p);
    return q;
}

char* countedStrdup(const char* text) {
    const std::size_t size = std::strlen(text) + 1;
    auto* copy = static_cast<char*>(countedMalloc(size));
    if (copy != nullptr) {
        std::memcpy(copy, text, size);
    }
    return copy;
}

struct Measure {
    Measure() {
        liveBytes = 0;
        peakBytes = 0;
        counting = true;
    }
    ~Measure() { counting = false; }
};

// ---- the generated description file ----

std::string generatedFile() {
    static const std::string path = [] {
        const auto dir = std::filesystem::temp_directory_path() / "ostrel-descr-bench";
        std::filesystem::create_directories(dir);
        const std::string file = (dir / "templates.xml").string();
        std::ofstream out(file, std::ios::binary);
        out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Templates>\n";
        for (int t = 0; t < kTemplates; ++t) {
            out << "  <Template id=\"Type." << t << "\" name=\"Document type " << t
                << "\" canCreate=\"Y\">\n    <Description>Documents of type " << t
                << "</Description>\n    <Attributes>\n";
            for (int a = 0; a < kAttributes; ++a) {
                out << "      <Attribute id=\"Attr" << a << "\" name=\"Attribute " << a
                    << "\" size=\"20\" mask=\"&gt;AA-9999\" position=\"" << a + 1
                    << "\" mandatory=\"" << (a % 3 == 0 ? 'Y' : 'N') << "\" status=\""
                    << (a % 7 == 0 ? 'R' : 'N') << "\" multiline=\"N\"/>\n";
            }
            out << "      <ClassAttribute id=\"Area\" value=\"Group " << t % 4
                << "\"/>\n    </Attributes>\n  </Template>\n";
        }
        out << "</Templates>\n";
        return file;
    }();
    return path;
}

void BareParse(benchmark::State& state) {
    const std::string file = generatedFile();
    for (auto _ : state) {
        xmlDocPtr doc = xmlReadFile(file.c_str(), nullptr, kParseOptions);
        state.PauseTiming();
        if (doc == nullptr) {
            state.SkipWithError("parse failed");
        }
        xmlFreeDoc(doc);
        state.ResumeTiming();
    }
}

void CreateXMLTree(benchmark::State& state) {
    const std::string file = generatedFile();
    for (auto _ : state) {
        OstrelException ex;
        xmlNodePtr documents = CMServer2Descr().createXMLTree(file, ex);
        state.PauseTiming();
        if (documents == nullptr) {
            state.SkipWithError("createXMLTree failed");
        }
        xmlFreeNode(documents);
        state.ResumeTiming();
    }
}

// The reading half of createXMLTree alone (parse, checks, records), to show
// where the time goes.
class Reader : public CMServer2Descr {
public:
    using CMServer2Descr::readDescription;
    using CMServer2Descr::releaseTemplates;
};

void ReadDescription(benchmark::State& state) {
    const std::string file = generatedFile();
    Reader reader;
    for (auto _ : state) {
        OstrelException ex;
        std::list<CMServer2Descr::Template*> templates;
        const bool read = reader.readDescription(file, templates, ex);
        state.PauseTiming();
        if (!read) {
            state.SkipWithError("readDescription failed");
        }
        reader.releaseTemplates(templates);
        state.ResumeTiming();
    }
}

void DescrMemory(benchmark::State& state) {
    const std::string file = generatedFile();
    for (auto _ : state) {
        long long docBytes = 0;
        {
            const Measure measure;
            xmlDocPtr doc = xmlReadFile(file.c_str(), nullptr, kParseOptions);
            docBytes = liveBytes;
            xmlFreeDoc(doc);
        }
        long long treeBytes = 0;
        long long peak = 0;
        {
            const Measure measure;
            OstrelException ex;
            xmlNodePtr documents = CMServer2Descr().createXMLTree(file, ex);
            treeBytes = liveBytes;
            peak = peakBytes;
            xmlFreeNode(documents);
        }
        const double mb = 1024.0 * 1024.0;
        state.counters["doc_MB"] = static_cast<double>(docBytes) / mb;
        state.counters["tree_MB"] = static_cast<double>(treeBytes) / mb;
        state.counters["peak_MB"] = static_cast<double>(peak) / mb;
        state.counters["tree_x_doc"] =
            static_cast<double>(treeBytes) / static_cast<double>(docBytes);
        state.counters["peak_x_doc"] = static_cast<double>(peak) / static_cast<double>(docBytes);
    }
}

BENCHMARK(BareParse)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(ReadDescription)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(CreateXMLTree)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(DescrMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

// C++ allocations (the reader's records) are counted with libxml2's.
void* operator new(std::size_t size) {
    if (void* p = countedMalloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    countedFree(p);
}
void operator delete(void* p, std::size_t) noexcept {
    countedFree(p);
}

int main(int argc, char** argv) {
    // Before libxml2 allocates anything, so that every block goes through us.
    xmlMemSetup(countedFree, countedMalloc, countedRealloc, countedStrdup);
    xmlInitParser();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(std::filesystem::temp_directory_path() / "ostrel-descr-bench");
    xmlCleanupParser();
    return 0;
}
