// Playing a demo without a screen: the game's own start-up of the state and the assets on a
// device that draws nothing, then the main loop with the demo as its input. Tests compare the
// end with the demo's; with the time it took, it is the timedemo with drawing switched off.
#pragma once

#include <cstdint>
#include <string>

#include "core/game_state.h"
#include "demos/demo_file.h"
#include "render/device.h"

namespace darts {

struct DemoReplayResult {
    std::string error;  // empty: the game ran as recorded, to the demo's end
    uint64_t frames = 0;
    uint64_t checksum = 0;  // of the state the game ended in
    double seconds = 0;     // the main loop's run time
};

DemoReplayResult replayDemoHeadless(DemoReader& demo);

// The game's start-up without a screen: fonts and assets (in state.language) on `device`, the
// random numbers seeded with `seed`. Empty when it worked, else why not.
std::string startUpHeadless(GameState& state, render::Device& device, uint32_t seed);

}  // namespace darts
