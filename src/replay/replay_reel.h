// The frames of one replay, worked out from a recorded turn: each dart flies again in throwing
// order, every recorded step drawn over several frames (slow motion, the places between two steps
// drawn along the straight line), with a pause after each landing; the darts thrown before it
// stand where they stopped, those after it are not there yet. The camera stands beside the board.
#pragma once

#include <array>
#include <vector>

#include "render/replay_scene.h"
#include "replay/turn_recording.h"

namespace darts {

// Frames drawn per recorded frame: a quarter of the speed.
inline constexpr int kReplaySlowdown = 4;
// Still frames before the first dart flies and after each dart has landed.
inline constexpr int kReplayLeadIn = 20;
inline constexpr int kReplayPause = 40;

class ReplayReel {
  public:
    explicit ReplayReel(const std::array<RecordedFlight, 3>& darts);

    int frames() const { return frames_; }

    struct Frame {
        gfx::Vec3 eye;
        gfx::Vec3 target;
        std::vector<render::ReplayDart> darts;
    };
    // Frame `frame` (0 .. frames() - 1).
    Frame frame(int frame) const;

  private:
    std::vector<RecordedFlight> flights_;  // the darts with a recorded flight, in order
    std::vector<int> firstFrames_;         // where each begins to fly
    int frames_ = 0;
};

}  // namespace darts
