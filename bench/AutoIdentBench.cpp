// The identifier set against bare file operations on the same bytes, in the
// same run and the same directory:
//   IncrementValue/1000  incrementValue with 1,000 counters (rewrites the
//                        value file) vs BareWrite/1000 of that file's bytes;
//   Init/10000           init with 10,000 counters (parses both files and
//                        rewrites the value file) vs BareParse/10000 of the
//                        same two files with libxml2.
// The ratios are printed after the table; run with
// --benchmark_repetitions=N to compare medians.
#include "RatioReporter.h"
#include "autoident/AutoIncrementedIdentificators.h"

#include <benchmark/benchmark.h>
#include <libxml/parser.h>

#include <cstdio>
#include <cstdlib>
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
    set.init(files.definitions, files.values);
    // A few counters moved on: every increment rewrites the whole file.
    for (int i = 0; i < count; i += count / 10) {
        set.incrementValue(("Counter " + std::to_string(i)).c_str());
    }
    return files;
}

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void BareWrite(benchmark::State& state) {
    const Files files = makeFiles(static_cast<int>(state.range(0)));
    const std::string bytes = readAll(files.values);
    const std::string target = (files.dir / "bare-write.xml").string();
    for (auto _ : state) {
        std::FILE* file = std::fopen(target.c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fflush(file);
        std::fclose(file);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<long long>(bytes.size()));
}

void IncrementValue(benchmark::State& state) {
    const Files files = makeFiles(static_cast<int>(state.range(0)));
    AutoIncrementedIdentificators set;
    set.init(files.definitions, files.values);
    const std::string name = "Counter " + std::to_string(state.range(0) / 2);
    for (auto _ : state) {
        benchmark::DoNotOptimize(set.incrementValue(name.c_str()));
    }
}

void BareParse(benchmark::State& state) {
    const Files files = makeFiles(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        xmlDocPtr definitions = xmlReadFile(files.definitions.c_str(), nullptr, kParseOptions);
        xmlDocPtr values = xmlReadFile(files.values.c_str(), nullptr, kParseOptions);
        benchmark::DoNotOptimize(definitions);
        benchmark::DoNotOptimize(values);
        xmlFreeDoc(values);
        xmlFreeDoc(definitions);
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
BENCHMARK(BareParse)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(Init)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    const int status = ostrel::bench::runWithRatios(argc, argv, [](auto& report) {
        report.ratio("IncrementValue/1000", "BareWrite/1000", 1.5);
        report.ratio("Init/10000", "BareParse/10000", 2.0);
    });
    std::error_code ignored;
    std::filesystem::remove_all(scratchDir(), ignored);
    return status;
}
