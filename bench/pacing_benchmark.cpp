// Frame-to-frame presentation times over 600 frames on the real clock, with the pacing the game
// chooses for a display of each refresh rate, against a simulated display: a swap with a swap
// interval of N returns at the Nth refresh from now, when the picture is shown; with none it
// returns at once. 60 Hz: vertical sync paces alone. 144 Hz: the limiter paces the 60 steps and
// the swap waits for the next refresh, so each step is shown for two or three refreshes. 50 Hz:
// the limiter with no wait for the refresh, which would stretch every step to 20 ms. The counters
// give the frame rate, the mean, the spread (standard deviation) and the extremes in milliseconds.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/sdl/sdl_clock.h"
#include "platform/sdl/sdl_pacing.h"

namespace {

using namespace darts::platform;

void presentFrames(benchmark::State& state, int refreshHz) {
    SdlClock clock;
    const double refresh = 1.0 / refreshHz;
    const PacingChoice pacing = pacingFor(refreshHz);
    for (auto _ : state) {
        FramePacer pacer(clock, pacing.mode);
        std::vector<double> shown;
        shown.reserve(601);
        for (int frame = 0; frame <= 600; ++frame) {
            double now = clock.seconds();
            if (pacing.swapInterval > 0) {
                now = (std::floor(now / refresh) + pacing.swapInterval) * refresh;
                clock.sleepUntil(now);
            }
            shown.push_back(now);
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
        state.counters["frames_per_s"] = (shown.size() - 1) / (shown.back() - shown.front());
        state.counters["mean_ms"] = mean;
        state.counters["spread_ms"] = std::sqrt(std::max(0.0, sumSquares / n - mean * mean));
        state.counters["min_ms"] = low;
        state.counters["max_ms"] = high;
    }
}

void BM_Present60Hz(benchmark::State& state) { presentFrames(state, 60); }
void BM_Present144Hz(benchmark::State& state) { presentFrames(state, 144); }
void BM_Present50Hz(benchmark::State& state) { presentFrames(state, 50); }

BENCHMARK(BM_Present60Hz)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Present144Hz)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Present50Hz)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
