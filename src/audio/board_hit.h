// The board-hit effect as the match sees it: one call in the frame a dart reaches the board.
#pragma once

namespace darts {
struct GameState;
}

namespace darts::audio {

// Whatever plays the effect (the audio device, or nothing in headless runs).
class EffectOutput {
  public:
    virtual ~EffectOutput() = default;
    virtual void playBoardHit() = 0;
    // The award fanfare (only with awards on); outputs without one play nothing.
    virtual void playAward() {}
};

// Plays the board-hit sound once through state.effects (if any) and counts it.
void playBoardHit(GameState& state);

}  // namespace darts::audio
