// The demos of one run of the game: the one to play, read whole and checked before anything else
// happens, and the one to record, created before any window opens so that a path that cannot be
// written ends the game with the desktop untouched; and what is left to say once the run is over.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/game_state.h"
#include "demos/demo_file.h"
#include "demos/demo_input.h"
#include "demos/run_control.h"
#include "options/command_line.h"

namespace darts {

struct RunDemos {
    std::unique_ptr<DemoReader> playing;    // --playdemo, --timedemo
    std::unique_ptr<DemoWriter> recording;  // --record
    // The demo's own seed when one is played; always set when one is recorded, which must store it.
    std::optional<uint32_t> seed;
    Language language = Language::Japanese;  // a played demo's own: its texts are in its checksums
    std::string error;                       // one line, set when a demo cannot be opened
};

// Opens the run's demos; a demo to play also sets its stored settings over `options`.
RunDemos openRunDemos(GameOptions& options);

// One line each for what went wrong by the end of a run: a picture not written, a recording not
// finished, a playback out of step with its demo (one cut short by the player has nothing to
// compare). Call once, after the main loop.
std::vector<std::string> finishRun(CountingDevice& device, DemoRecorder* recorder,
                                   DemoPlayer* player, const std::string& playedPath);

}  // namespace darts
