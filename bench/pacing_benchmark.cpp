// Frame-to-frame presentation times over 600 frames on the real clock: the game's pacing against
// a display that shows a picture at its next refresh after the swap (what a swap with vertical
// sync does). 60 Hz: vertical sync paces alone. 144 Hz: the limiter paces the 60 steps and the
// swap waits for the next refresh, so each step is shown for two or three refreshes. The counters
// give the mean, the spread (standard deviation) and the extremes in milliseconds.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/sdl_clock.h"
#include "platform/sdl_pacing.h"

namespace {

using namespace darts::platform;

void presentFrames(benchmark::State& state, int refreshHz, PacingMode mode) {
    SdlClock clock;
    const double refresh = 1.0 / refreshHz;
    for (auto _ : state) {
        FramePacer pacer(clock, mode);
        std::vector<double> shown;
        shown.reserve(601);
        for (int frame = 0; frame <= 600; ++frame) {
            // The swap returns at the next refresh, when the picture is shown.
            const double next = (std::floor(clock.seconds() / refresh) + 1) * refresh;
            clock.sleepUntil(next);
            shown.push_back(next);
            pacer.frameShown();
        }
        double sum = 0, sumSquares = 0, low = 1e9, high = 0;
        for (size_t i = 1; i < shown.size(); ++i) {
            const double ms = (shown[i] - shown[i - 1]) * 1000;
            sum += ms;
            sumSquares += ms * ms;
            low = std::min(low, ms);
            high = std::max(high, ms);
        }
        const double n = double(shown.size() - 1), mean = sum / n;
        state.counters["mean_ms"] = mean;
        state.counters["spread_ms"] = std::sqrt(std::max(0.0, sumSquares / n - mean * mean));
        state.counters["min_ms"] = low;
        state.counters["max_ms"] = high;
    }
}

void BM_Present60HzVsync(benchmark::State& state) { presentFrames(state, 60, PacingMode::Vsync); }
void BM_Present144HzLimiter(benchmark::State& state) {
    presentFrames(state, 144, PacingMode::Limiter);
}

BENCHMARK(BM_Present60HzVsync)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Present144HzLimiter)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
