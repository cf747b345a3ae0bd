// createXMLTree against a bare libxml2 parse of the same description file:
// 10,000 templates with 20 attributes each. Every measurement runs in a
// fresh process, and the kinds of run are shuffled in each round, so that no
// figure depends on what an earlier run left in the allocator or the caches.
// Prints the median of each kind, the ratios to the bare parse, and the
// bytes held by the parsed document, by the Documents tree and at the peak
// of createXMLTree.
//
//     descr_bench [rounds]      (default 11)
#include "descr/CMServer2Descr.h"
#include "host/common/OstrelException.h"

#include <libxml/parser.h>
#include <libxml/xmlmemory.h>

#include <malloc.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <new>
#include <random>
#include <string>
#include <vector>

extern char** environ;

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
        peakBytes = std::max(peakBytes, liveBytes);
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

// Kept out of line: inlined into the replaced operator delete, GCC takes the std::free of a block
// from the replaced operator new (which is std::malloc's) for a mismatched pair.
[[gnu::noinline]] void countedFree(void* p) {
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

// ---- the generated description file ----

void writeFile(const std::string& file) {
    std::ofstream out(file, std::ios::binary);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Templates>\n";
    for (int t = 0; t < kTemplates; ++t) {
        out << "  <Template id=\"Type." << t << "\" name=\"Document type " << t
            << "\" canCreate=\"Y\">\n    <Description>Documents of type " << t
            << "</Description>\n    <Attributes>\n";
        for (int a = 0; a < kAttributes; ++a) {
            out << "      <Attribute id=\"Attr" << a << "\" name=\"Attribute " << a
                << "\" size=\"20\" mask=\"&gt;AA-9999\" position=\"" << a + 1 << "\" mandatory=\""
                << (a % 3 == 0 ? 'Y' : 'N') << "\" status=\"" << (a % 7 == 0 ? 'R' : 'N')
                << "\" multiline=\"N\"/>\n";
        }
        out << "      <ClassAttribute id=\"Area\" value=\"Group " << t % 4
            << "\"/>\n    </Attributes>\n  </Template>\n";
    }
    out << "</Templates>\n";
}

// ---- one run, in a child process ----

// The reading half of createXMLTree alone (parse, checks, records), to show
// where the time goes.
class Reader : public CMServer2Descr {
public:
    using CMServer2Descr::readDescription;
    using CMServer2Descr::releaseTemplates;
};

// Wall-clock and CPU seconds of this process (page faults included): on a
// shared machine the CPU time is the steadier figure.
struct Clock {
    std::chrono::steady_clock::time_point wall = std::chrono::steady_clock::now();
    std::clock_t cpu = std::clock();

    std::string elapsed() const {
        char text[64];
        std::snprintf(
            text, sizeof text, "%.9f %.9f\n",
            std::chrono::duration<double>(std::chrono::steady_clock::now() - wall).count(),
            static_cast<double>(std::clock() - cpu) / CLOCKS_PER_SEC);
        return text;
    }
};

// Prints the wall-clock and CPU seconds one run of `kind` takes; freeing the
// result is not timed.
int timeRun(const std::string& kind, const std::string& file) {
    const Clock clock;
    std::string elapsed;
    bool done = false;
    if (kind == "parse") {
        xmlDocPtr doc = xmlReadFile(file.c_str(), nullptr, kParseOptions);
        elapsed = clock.elapsed();
        done = doc != nullptr;
        xmlFreeDoc(doc);
    } else if (kind == "read") {
        OstrelException ex;
        std::list<CMServer2Descr::Template*> templates;
        Reader reader;
        done = reader.readDescription(file, templates, ex);
        elapsed = clock.elapsed();
        reader.releaseTemplates(templates);
    } else if (kind == "tree") {
        OstrelException ex;
        xmlNodePtr documents = CMServer2Descr().createXMLTree(file, ex);
        elapsed = clock.elapsed();
        done = documents != nullptr;
        xmlFreeNode(documents);
    }
    if (!done) {
        return 1;
    }
    std::fputs(elapsed.c_str(), stdout);
    return 0;
}

// Prints the bytes held by the parsed document, by the Documents tree, and
// at the peak of createXMLTree.
int measureMemory(const std::string& file) {
    counting = true;
    xmlDocPtr doc = xmlReadFile(file.c_str(), nullptr, kParseOptions);
    const long long docBytes = liveBytes;
    const bool parsed = doc != nullptr;
    xmlFreeDoc(doc);
    liveBytes = 0;
    peakBytes = 0;
    OstrelException ex;
    xmlNodePtr documents = CMServer2Descr().createXMLTree(file, ex);
    const long long treeBytes = liveBytes;
    const long long peak = peakBytes;
    const bool built = documents != nullptr;
    xmlFreeNode(documents);
    counting = false;
    if (!parsed || !built) {
        return 1;
    }
    std::printf("%lld %lld %lld\n", docBytes, treeBytes, peak);
    return 0;
}

// ---- the rounds, in the parent process ----

// Runs this program again with `arguments` and returns what it printed.
std::string runChild(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    argv.push_back(self.data());
    std::vector<std::string> copies = arguments;
    for (std::string& argument : copies) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    int out[2];
    if (::pipe(out) != 0) {
        return "";
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, self.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    std::string printed;
    char buffer[256];
    for (ssize_t n; (n = ::read(out[0], buffer, sizeof buffer)) > 0;) {
        printed.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(out[0]);
    int status = 0;
    if (spawned != 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
        return "";
    }
    return printed;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

struct Times {
    std::vector<double> wall, cpu;
};

void printRatio(const char* measured, const char* baseline, const Times& a, const Times& b,
                double limit) {
    std::printf("%s / %s: real time %.2f, CPU time %.2f", measured, baseline,
                median(a.wall) / median(b.wall), median(a.cpu) / median(b.cpu));
    if (limit > 0) {
        std::printf(" (at most %.1f)", limit);
    }
    std::printf("\n");
}

void printRatio(const char* measured, const char* baseline, double ratio, double limit) {
    std::printf("%s / %s: %.2f", measured, baseline, ratio);
    if (limit > 0) {
        std::printf(" (at most %.1f)", limit);
    }
    std::printf("\n");
}

int compare(int rounds) {
    const auto dir = std::filesystem::temp_directory_path() / "ostrel-descr-bench";
    std::filesystem::create_directories(dir);
    const std::string file = (dir / "templates.xml").string();
    writeFile(file);

    std::vector<std::string> kinds = {"parse", "read", "tree"};
    std::map<std::string, Times> times;
    std::mt19937 random(std::random_device{}());
    for (int round = 0; round < rounds; ++round) {
        std::shuffle(kinds.begin(), kinds.end(), random);
        for (const std::string& kind : kinds) {
            const std::string printed = runChild({"--time", kind, file});
            if (printed.empty()) {
                std::fprintf(stderr, "a %s run failed\n", kind.c_str());
                return 1;
            }
            char* rest = nullptr;
            times[kind].wall.push_back(std::strtod(printed.c_str(), &rest));
            times[kind].cpu.push_back(std::strtod(rest, nullptr));
        }
    }
    long long docBytes = 0, treeBytes = 0, peak = 0;
    if (std::sscanf(runChild({"--memory", file}).c_str(), "%lld %lld %lld", &docBytes, &treeBytes,
                    &peak) != 3) {
        std::fprintf(stderr, "the memory run failed\n");
        return 1;
    }
    std::filesystem::remove_all(dir);

    std::printf("%d templates of %d attributes, median of %d fresh processes each:\n", kTemplates,
                kAttributes, rounds);
    for (const char* kind : {"parse", "read", "tree"}) {
        std::printf("  %-6s real %8.1f ms, CPU %8.1f ms\n", kind, median(times[kind].wall) * 1000,
                    median(times[kind].cpu) * 1000);
    }
    printRatio("readDescription", "xmlReadFile", times["read"], times["parse"], 0);
    printRatio("createXMLTree", "xmlReadFile", times["tree"], times["parse"], 2.2);
    const double mb = 1024.0 * 1024.0;
    std::printf("parsed document %.1f MB, Documents tree %.1f MB, peak of createXMLTree %.1f MB\n",
                static_cast<double>(docBytes) / mb, static_cast<double>(treeBytes) / mb,
                static_cast<double>(peak) / mb);
    const auto doc = static_cast<double>(docBytes);
    printRatio("Documents tree", "parsed document", static_cast<double>(treeBytes) / doc, 0);
    printRatio("peak of createXMLTree", "parsed document", static_cast<double>(peak) / doc, 2);
    return 0;
}

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
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 3 && args[0] == "--time") {
        return timeRun(args[1], args[2]);
    }
    if (args.size() == 2 && args[0] == "--memory") {
        // Before libxml2 allocates anything, so that every block goes through us.
        xmlMemSetup(countedFree, countedMalloc, countedRealloc, countedStrdup);
        return measureMemory(args[1]);
    }
    return compare(args.empty() ? 11 : std::max(1, std::atoi(args[0].c_str())));
}
