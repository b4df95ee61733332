// Whole headless computer-vs-computer matches through the real match loop and frame code.
// Run from the repository root (the computer reads data/pcshotp.kpd): build/bench/darts_bench
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "core/game_state.h"
#include "loops/autoplay.h"
#include "render/device.h"

namespace {

void countMatches(benchmark::State& bench, uint64_t frames) {
    bench.counters["matches/s"] =
        benchmark::Counter(static_cast<double>(bench.iterations()), benchmark::Counter::kIsRate);
    bench.counters["frames/match"] =
        static_cast<double>(frames) / static_cast<double>(bench.iterations());
}

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
    countMatches(bench, frames);
}
BENCHMARK(BM_HeadlessMatch)->Unit(benchmark::kMillisecond);

// One bar-game match between two computers at strength level 10, by game (the argument: 0 501,
// 1 Cricket, 2 Count-Up, 3 medley of three legs).
void BM_HeadlessBarMatch(benchmark::State& bench) {
    using namespace darts::games;
    MatchSetup setup;
    const MatchGame games[] = {MatchGame::X01, MatchGame::Cricket, MatchGame::CountUp,
                               MatchGame::Medley};
    setup.game = games[bench.range(0)];
    Seat seat;
    seat.spread = levelSpread(10);
    const std::vector<Seat> seats(2, seat);
    auto state = std::make_unique<darts::GameState>();
    darts::seedRandom(*state, 12345);
    darts::render::HeadlessDevice device;
    uint64_t frames = 0;
    for (auto _ : bench) {
        BarMatch match(setup, seats);
        darts::AutoMatchResult result = darts::playAutoBarMatch(*state, device, match, 20'000'000);
        frames += result.frames;
        benchmark::DoNotOptimize(result);
    }
    countMatches(bench, frames);
}
BENCHMARK(BM_HeadlessBarMatch)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

void BM_RandomInRangeNarrow(benchmark::State& bench) {
    darts::GameState state;
    for (auto _ : bench) benchmark::DoNotOptimize(darts::randomInRange(state, 0, 14));
}
BENCHMARK(BM_RandomInRangeNarrow);

}  // namespace
