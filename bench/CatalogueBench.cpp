// Scaling of the document type catalogue and of multi-documents, measured in
// one run:
//   Fill/N           filling a catalogue from N templates, 100 per group (so
//                    100,000 templates make 1,000 groups), building the
//                    catalogue included; deleting it is not timed;
//   BareScan/N       the baseline: walking the same templates and reading the
//                    four properties the filling reads, nothing built;
//   MultiDocument/N  a multi-document over N stored documents of 50
//                    attributes each (half of them agree throughout).
// Inputs are built first and the runs interleaved at random, so that no
// figure depends on what an earlier benchmark left in the allocator.
// After the table the reporter prints the growth of the time per item from
// the smallest to the largest size. Even a bare walk slows down per item once
// its input outgrows the caches, so the filling's growth is judged against
// the walk's over the same templates, and Fill over BareScan at the largest
// size.
#include "RatioReporter.h"
#include "doctypes/DocumentTypes.h"
#include "doctypes/DocumentTypesFill.h"
#include "document/CMEditableDocumentFactory.h"
#include "host/common/Document.h"
#include "host/common/DocumentFactory.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <list>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kTypesPerGroup = 100;
constexpr int kAttributesPerDocument = 50;

std::string numbered(const char* prefix, long number) {
    char digits[32];
    std::snprintf(digits, sizeof digits, "%s%07ld", prefix, number);
    return digits;
}

/// A factory of `count` creatable templates in count / 100 groups, built once
/// per size. The group of a template does not follow the factory's order, so
/// entries reach their groups in scattered order.
DocumentFactory& factoryOf(long count) {
    static std::map<long, std::unique_ptr<DocumentFactory>> factories;
    auto& factory = factories[count];
    if (!factory) {
        factory = std::make_unique<DocumentFactory>();
        const long groups = count / kTypesPerGroup;
        for (long i = 0; i < count; ++i) {
            DocumentTemplate* t = factory->createTemplate(numbered("TYPE", i));
            t->setProperty("Area", numbered("Group", (i * 7919) % groups))
                .setProperty("canCreate", "Y")
                .setProperty("name", numbered("Document type ", i))
                .setProperty("Description", "A document type of the benchmark");
        }
    }
    return *factory;
}

void Fill(benchmark::State& state) {
    DocumentFactory& factory = factoryOf(state.range(0));
    std::list<Ostrel::u8string> properties{"Area"};
    for (auto _ : state) {
        auto types = std::make_unique<DocumentTypes>();
        auto fill = std::make_unique<DocumentTypesFill>();
        benchmark::DoNotOptimize(fill->fillDocumentTypes(factory, properties, *types));
        state.PauseTiming();
        fill.reset();
        types.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BareScan(benchmark::State& state) {
    DocumentFactory& factory = factoryOf(state.range(0));
    const Ostrel::u8string names[] = {"Area", "canCreate", "name", "Description"};
    for (auto _ : state) {
        DocumentTemplateIterator templates(factory);
        while (DocumentTemplate* t = templates.next()) {
            for (const Ostrel::u8string& name : names) {
                Ostrel::u8string value;
                t->getProperty(name, value);
                benchmark::DoNotOptimize(value);
            }
        }
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

struct Selection {
    DocumentTemplate documentTemplate{"INVOICE"};
    std::vector<std::unique_ptr<Document>> documents;
    std::list<Document*> list;
};

Selection& selectionOf(long count) {
    static std::map<long, std::unique_ptr<Selection>> selections;
    auto& selection = selections[count];
    if (!selection) {
        selection = std::make_unique<Selection>();
        for (int a = 0; a < kAttributesPerDocument; ++a) {
            selection->documentTemplate.addAttribute(numbered("Attr", a))
                .setProperty("name", numbered("Attribute ", a))
                .setProperty("size", "40")
                .setProperty("position", std::to_string(a + 1));
        }
        for (long d = 0; d < count; ++d) {
            auto document = std::make_unique<Document>(static_cast<unsigned long>(d + 1),
                                                       &selection->documentTemplate);
            for (int a = 0; a < kAttributesPerDocument; ++a) {
                // Even attributes agree across the selection, odd ones differ.
                document->addValue(numbered("Attr", a),
                                   a % 2 == 0 ? numbered("shared", a) : numbered("own", d));
            }
            selection->list.push_back(document.get());
            selection->documents.push_back(std::move(document));
        }
    }
    return *selection;
}

void MultiDocument(benchmark::State& state) {
    Selection& selection = selectionOf(state.range(0));
    CMEditableDocumentFactory factory;
    for (auto _ : state) {
        std::unique_ptr<CMEditableMultiDocument> multi(factory.createMultiDocument(selection.list));
        benchmark::DoNotOptimize(multi.get());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BareScan)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(Fill)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(MultiDocument)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    // Every input is built before the first benchmark runs, so that none of
    // them runs on a heap that has just grown for its input; the runs are
    // interleaved at random and repeated (options given on the command line
    // come later and win).
    for (const long count : {1000L, 10000L, 100000L}) {
        factoryOf(count);
    }
    for (const long count : {100L, 1000L, 10000L}) {
        selectionOf(count);
    }
    std::vector<char*> arguments(argv, argv + argc);
    char interleaving[] = "--benchmark_enable_random_interleaving=true";
    char repetitions[] = "--benchmark_repetitions=5";
    char aggregates[] = "--benchmark_report_aggregates_only=true";
    arguments.insert(arguments.begin() + 1, {interleaving, repetitions, aggregates});
    return ostrel::bench::runWithRatios(
        static_cast<int>(arguments.size()), arguments.data(), [](auto& report) {
            report.perItem("BareScan", 100000, 1000, 0);
            report.perItem("Fill", 100000, 1000, 0);
            report.relativeGrowth("Fill", "BareScan", 100000, 1000, 1.5);
            report.perItem("MultiDocument", 10000, 100, 1.5);
            report.perItem("MultiDocument", 10000, 1000, 1.5);
            report.ratio("Fill/100000", "BareScan/100000");
        });
}
