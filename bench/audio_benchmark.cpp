// The audio thread's load with the music playing: one second of output mixed through the same
// code the device callback runs (the music rendered by FluidSynth, the board-hit effect added on
// top), in the device's buffer size. cpu_percent_of_one_core is the CPU time that second costs as
// a share of one core; the audio thread must stay far below 100 to play without gaps.
#include <benchmark/benchmark.h>

#include <time.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/game_path.h"
#include "platform/sdl/music_fluidsynth.h"
#include "platform/sdl/sdl_audio.h"

namespace {

using namespace darts::platform;

constexpr int kDeviceFrames = 1024;

// The audio callback runs on one thread: its own CPU time is what it costs.
double threadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Argument: 0 music alone, 1 a dart lands at the start of every second.
void BM_AudioThreadOneSecond(benchmark::State& state) {
    std::string error;
    std::unique_ptr<FluidSynthMusic> music = FluidSynthMusic::load(
        darts::gamePathToHost("sound\\FM_14.MID"), soundFontCandidates(), error);
    if (!music) {
        state.SkipWithError(error.c_str());
        return;
    }
    std::optional<std::vector<int16_t>> samples = readWaveForMixing("sound\\BOARDHIT.WAV");
    if (!samples) {
        state.SkipWithError("cannot read sound/BOARDHIT.WAV");
        return;
    }
    OneShotEffect effect;
    effect.load(std::move(*samples));
    music->start();

    const bool withEffect = state.range(0) != 0;
    std::vector<int16_t> out(static_cast<size_t>(kDeviceFrames) * kMixChannels);
    const double cpuBefore = threadCpuSeconds();
    for (auto _ : state) {
        if (withEffect) effect.play();
        for (int done = 0; done < kMixRate; done += kDeviceFrames) {
            mixFrames(out.data(), std::min(kDeviceFrames, kMixRate - done), music.get(), effect);
            benchmark::DoNotOptimize(out.data());
        }
    }
    // CPU seconds per second of sound, in percent.
    const double cpuPerSecondOfSound =
        (threadCpuSeconds() - cpuBefore) / static_cast<double>(state.iterations());
    state.counters["cpu_percent_of_one_core"] = 100.0 * cpuPerSecondOfSound;
}
BENCHMARK(BM_AudioThreadOneSecond)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
