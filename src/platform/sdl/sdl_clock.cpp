#include "platform/sdl/sdl_clock.h"

#include <SDL.h>

namespace darts::platform {

SdlClock::SdlClock()
    : start_(SDL_GetPerformanceCounter()),
      ticksPerSecond_(static_cast<double>(SDL_GetPerformanceFrequency())) {}

double SdlClock::seconds() {
    return static_cast<double>(SDL_GetPerformanceCounter() - start_) / ticksPerSecond_;
}

void SdlClock::sleepUntil(double time) {
    // The scheduler may oversleep by a millisecond or so: sleep coarsely while well ahead, then
    // yield for the last stretch so a 16.7 ms frame keeps its length.
    constexpr double kCoarseMargin = 0.002;
    for (double left = time - seconds(); left > 0; left = time - seconds()) {
        if (left > kCoarseMargin) {
            SDL_Delay(static_cast<Uint32>((left - kCoarseMargin) * 1000.0));
        } else {
            SDL_Delay(0);
        }
    }
}

}  // namespace darts::platform
