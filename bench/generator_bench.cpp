// How fast the generator turns settings into the four snippets.
#include <benchmark/benchmark.h>

#include "core/generator/popup_script.h"

namespace {

void BM_GenerateDefaults(benchmark::State& state) {
    const quillbay::PopupSettings settings = quillbay::startupSettings();
    for (auto _ : state) benchmark::DoNotOptimize(quillbay::generate(settings));
    state.counters["calls/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_GenerateDefaults);

void BM_GenerateLongFields(benchmark::State& state) {
    quillbay::PopupSettings settings = quillbay::startupSettings();
    const std::string longText(static_cast<std::size_t>(state.range(0)), 'x');
    settings.functionName = settings.url = settings.windowName = settings.width = settings.height = longText;
    for (auto _ : state) benchmark::DoNotOptimize(quillbay::generate(settings));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * 8 * state.range(0));
}
BENCHMARK(BM_GenerateLongFields)->Arg(64 * 1024);

}  // namespace
