// The identifier set against bare file operations on the same bytes, in the
// same run and the same directory:
//   IncrementValue/1000  incrementValue with 1,000 counters (rewrites the
//                        value file in place) vs BareWrite/1000 of that
//                        file's bytes;
//   SharedChange/1000    takeValue in shared mode with 1,000 counters (lock,
//                        read and parse the file afresh, replace it) vs
//                        BareReplace/1000: write a temporary file, flush it
//                        to the disk and rename it over the value file; and
//                        vs BareReplaceFolder/1000, which also flushes the
//                        folder as the shared change does;
//   Init/10000           init with 10,000 counters (parses both files and
//                        rewrites the value file) vs BareLoad/10000: the same
//                        two files parsed with libxml2 and the value file's
//                        bytes written (BareParse/10000 without the write).
// The ratios are printed after the table; run with
// --benchmark_repetitions=N to compare medians.
#include "RatioReporter.h"
#include "autoident/AutoIncrementedIdentificators.h"

#include <benchmark/benchmark.h>
#include <libxml/parser.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

// The options zmxml::loadFile parses with: no network, no messages.
constexpr int kParseOptions = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;

struct Files {
    std::filesystem::path dir;
    std::string definitions;
    std::string values;
};

std::filesystem::path scratchDir() {
    static const std::filesystem::path dir = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "ostrel-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        return std::filesystem::path(pattern);
    }();
    return dir;
}

/// A definition file of `count` realistic counters and the value file that
/// init writes for it (a few counters used today).
Files makeFiles(int count) {
    Files files;
    files.dir = scratchDir();
    files.definitions = (files.dir / ("defs-" + std::to_string(count) + ".xml")).string();
    files.values = (files.dir / ("values-" + std::to_string(count) + ".xml")).string();
    std::ofstream out(files.definitions, std::ios::binary);
    out << "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<identifiers>\n";
    for (int i = 0; i < count; ++i) {
        out << "  <ident name=\"Counter " << i << "\" prefix=\"C" << i
            << "-\\Y-\" variable_length=\"5\" increment=\"1\" initial_value=\"1\""
            << (i % 3 == 0 ? " prefix_editable=\"2\"" : "") << "/>\n";
    }
    out << "</identifiers>\n";
    out.close();
    std::filesystem::remove(files.values);
    AutoIncrementedIdentificators set;
    bool made = set.init(files.definitions, files.values);
    // A few counters moved on: every increment rewrites the whole file.
    for (int i = 0; i < count; i += count / 10) {
        made = made && set.incrementValue(("Counter " + std::to_string(i)).c_str());
    }
    if (!made) {
        std::abort(); // the files of every benchmark here
    }
    return files;
}

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

/// Writes `bytes` over `target` in place, as a single-writer set does.
void writeFile(const std::string& target, const std::string& bytes) {
    std::FILE* file = std::fopen(target.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

void BareWrite(benchmark::State& state) {
    const Files files = makeFiles(static_cast<int>(state.range(0)));
    const std::string bytes = readAll(files.values);
    const std::string target = (files.dir / "bare-write.xml").string();
    for (auto _ : state) {
        writeFile(target, bytes);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<long long>(bytes.size()));
}

void IncrementValue(benchmark::State& state) {
    const Files files = makeFiles(static_cast<int>(state.range(0)));
    AutoIncrementedIdentificators set;
    if (!set.init(files.definitions, files.values)) {
        state.SkipWithError("the counters were not read");
    }
    const std::string name = "Counter " + std::to_string(state.range(0) / 2);
    for (auto _ : state) {
        benchmark::DoNotOptimize(set.incrementValue(name.c_str()));
    }
}

/// Writes `bytes` to a temporary file beside `target`, flushes it to the disk
/// and renames it over `target`; with `flushFolder` the folder is flushed too.
void replaceFile(const std::string& target, const std::string& bytes, bool flushFolder) {
    const std::string temporary = target + ".tmp";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    benchmark::DoNotOptimize(::write(fd, bytes.data(), bytes.size()));
    ::fsync(fd);
    ::close(fd);
    std::rename(temporary.c_str(), target.c_str());
    if (flushFolder) {
        const int folder = ::open(std::filesystem::path(target).parent_path().c_str(),
                                  O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        ::fsync(folder);
        ::close(folder);
    }
}

void BareReplace(benchmark::State& state) {
    const Files files = makeFiles(static_cast<int>(state.range(0)));
    const std::string bytes = readAll(files.values);
    for (auto _ : state) {
        replaceFile(files.values, bytes, false);
    }
}

void BareReplaceFolder(benchmark::State& state) {
    const Files files = makeFiles(static_cast<int>(state.range(0)));
    const std::string bytes = readAll(files.values);
    for (auto _ : state) {
        replaceFile(files.values, bytes, true);
    }
}

void SharedChange(benchmark::State& state) {
    const Files files = makeFiles(static_cast<int>(state.range(0)));
    AutoIncrementedIdentificators set(AutoIncrementedIdentificators::Mode::Shared);
    if (!set.init(files.definitions, files.values)) {
        state.SkipWithError("the counters were not read");
    }
    const std::string name = "Counter " + std::to_string(state.range(0) / 2);
    for (auto _ : state) {
        benchmark::DoNotOptimize(set.takeValue(name.c_str()));
    }
}

/// Parses the definition and the value file as init reads them.
void parseBoth(const Files& files) {
    xmlDocPtr definitions = xmlReadFile(files.definitions.c_str(), nullptr, kParseOptions);
    xmlDocPtr values = xmlReadFile(files.values.c_str(), nullptr, kParseOptions);
    benchmark::DoNotOptimize(definitions);
    benchmark::DoNotOptimize(values);
    xmlFreeDoc(values);
    xmlFreeDoc(definitions);
}

void BareParse(benchmark::State& state) {
    const Files files = makeFiles(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        parseBoth(files);
    }
}

void BareLoad(benchmark::State& state) {
    const Files files = makeFiles(static_cast<int>(state.range(0)));
    const std::string bytes = readAll(files.values);
    const std::string target = (files.dir / "bare-load.xml").string();
    for (auto _ : state) {
        parseBoth(files);
        writeFile(target, bytes); // init rewrites the value file; so does the baseline
    }
}

void Init(benchmark::State& state) {
    const Files files = makeFiles(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        AutoIncrementedIdentificators set;
        benchmark::DoNotOptimize(set.init(files.definitions, files.values));
    }
}

BENCHMARK(BareWrite)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(IncrementValue)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BareReplace)->Arg(1000)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BareReplaceFolder)->Arg(1000)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(SharedChange)->Arg(1000)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BareParse)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BareLoad)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(Init)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    const int status = ostrel::bench::runWithRatios(argc, argv, [](auto& report) {
        report.ratio("IncrementValue/1000", "BareWrite/1000", 1.5);
        report.ratio("SharedChange/1000/real_time", "BareReplace/1000/real_time", 1.3);
        report.ratio("SharedChange/1000/real_time", "BareReplaceFolder/1000/real_time");
        report.ratio("Init/10000", "BareLoad/10000", 2.0);
        report.ratio("Init/10000", "BareParse/10000"); // the former baseline, without the write
    });
    std::error_code ignored;
    std::filesystem::remove_all(scratchDir(), ignored);
    return status;
}
