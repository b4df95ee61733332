// Whole headless computer-vs-computer matches through the real match loop and frame code.
// Run from the repository root (the computer reads data/pcshotp.kpd): build/bench/darts_bench
#include <benchmark/benchmark.h>

#include <memory>

#include "core/game_state.h"
#include "loops/autoplay.h"
#include "render/device.h"

namespace {

void BM_HeadlessMatch(benchmark::State& bench) {
    auto state = std::make_unique<darts::GameState>();
    darts::seedRandom(*state, 12345);
    darts::render::HeadlessDevice device;
    uint64_t frames = 0;
    for (auto _ : bench) {
        darts::AutoMatchResult result = darts::playAutoMatch(*state, device, 2'000'000);
        frames += result.frames;
        benchmark::DoNotOptimize(result);
    }
    bench.counters["matches/s"] =
        benchmark::Counter(static_cast<double>(bench.iterations()), benchmark::Counter::kIsRate);
    bench.counters["frames/match"] =
        static_cast<double>(frames) / static_cast<double>(bench.iterations());
}
BENCHMARK(BM_HeadlessMatch)->Unit(benchmark::kMillisecond);

void BM_RandomInRangeNarrow(benchmark::State& bench) {
    darts::GameState state;
    for (auto _ : bench) benchmark::DoNotOptimize(darts::randomInRange(state, 0, 14));
}
BENCHMARK(BM_RandomInRangeNarrow);

}  // namespace
