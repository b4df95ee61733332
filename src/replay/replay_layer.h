// What the --replay option adds to the matches: the last turn's darts fly again, slowed down and
// seen from beside the board, after a leg-winning dart (the 301's match-winning dart), after a
// TON 80 or a HAT TRICK, and whenever the replay key (R) is pressed during a landing display.
// The replay's frames come between two match frames and change nothing the rules, the computer or
// the checksums read; a click (press and release) or Escape cuts it short.
#pragma once

#include <cstdint>
#include <functional>

#include "core/game_state.h"
#include "loops/feature_layer.h"
#include "render/device.h"
#include "replay/turn_recording.h"

namespace darts {

namespace games {
class BarMatch;
}

class ReplayLayer final : public FeatureLayer {
  public:
    void matchFrameDone(GameState& state, FrameIo& io) override;

    // Replays played so far and the frames they drew (for the tests and tools).
    int replaysPlayed() const { return replays_; }
    uint64_t framesPlayed() const { return frames_; }
    const TurnRecording& recording() const { return recording_; }
    // After the match loop has returned: the bar game seen last may be gone.
    void afterMatch(GameState& state, FrameIo& io) override;

    // Told after each frame of a replay is drawn, with its number from 0 and the replay's length
    // (the tools take pictures of it).
    void setFrameWatcher(std::function<void(int frame, int frames)> watch) {
        watch_ = std::move(watch);
    }

  private:
    bool endsWithThisDart(const GameState& state);
    bool replayKeyPressed(const GameState& state, FrameIo& io);
    void play(GameState& state, FrameIo& io);

    TurnRecording recording_;
    uint32_t dartsSeen_ = 0;
    bool dartsSeenValid_ = false;
    // The award standing on the landing display, and which dart it belongs to.
    bool awardShown_ = false;
    uint32_t awardDart_ = 0;
    // The bar game seen in play and its legs won by then: its last dart may take it off the state.
    const games::BarMatch* bar_ = nullptr;
    int legsWonSeen_ = 0;
    bool keyWasDown_ = false;
    int replays_ = 0;
    uint64_t frames_ = 0;
    std::function<void(int, int)> watch_;
    render::FontHandle font_ = 0;
    bool fontMade_ = false;
};

}  // namespace darts
