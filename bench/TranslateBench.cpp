// The price of honouring a configured language in the "C" locale: translate
// switches the thread's messages locale around each look-up. Baseline: the
// same look-up by gettext alone in a process whose locale is already set.

#include "RatioReporter.h"
#include "i18n/ZMLanguageSettings.h"
#include "platform/MemoryRegistry.h"

#include <benchmark/benchmark.h>

#include <clocale>
#include <cstdlib>
#include <libintl.h>

namespace {

ZMLanguageSettings& germanSettings() {
    static ZMLanguageSettings settings = [] {
        auto store = std::make_unique<ostrel::platform::MemoryRegistry>();
        const bool stored =
            store->setValue(ostrel::platform::RegistryRoot::CurrentUser, "Software\\Zelvamont",
                            "Language", ostrel::platform::RegistryValue::string("de"));
        ostrel::platform::Registry::setDefault(std::move(store));
        auto made = ZMLanguageSettings::forModuleFile(OSTREL_LIBRARY_DIR "/libostrel.so");
        if (!stored || !made.initialize("ostrel")) {
            std::abort();
        }
        return made;
    }();
    return settings;
}

void BM_GettextInSetLocale(benchmark::State& state) {
    germanSettings();
    std::setlocale(LC_ALL, "C.UTF-8");
    for (auto _ : state) {
        benchmark::DoNotOptimize(dgettext("ostrel", "Cancel"));
    }
    std::setlocale(LC_ALL, "C");
}
BENCHMARK(BM_GettextInSetLocale);

void BM_TranslateInSetLocale(benchmark::State& state) {
    const ZMLanguageSettings& settings = germanSettings();
    std::setlocale(LC_ALL, "C.UTF-8");
    for (auto _ : state) {
        benchmark::DoNotOptimize(settings.translate("Cancel"));
    }
    std::setlocale(LC_ALL, "C");
}
BENCHMARK(BM_TranslateInSetLocale);

void BM_TranslateInCLocale(benchmark::State& state) {
    const ZMLanguageSettings& settings = germanSettings();
    std::setlocale(LC_ALL, "C");
    if (settings.translate("Cancel").str() != "Abbrechen") {
        state.SkipWithError("catalogue not found");
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(settings.translate("Cancel"));
    }
}
BENCHMARK(BM_TranslateInCLocale);

} // namespace

int main(int argc, char** argv) {
    return ostrel::bench::runWithRatios(argc, argv, [](auto& report) {
        report.ratio("BM_TranslateInSetLocale", "BM_GettextInSetLocale");
        report.ratio("BM_TranslateInCLocale", "BM_GettextInSetLocale");
    });
}
