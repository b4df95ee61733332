// The rules a match is played by when they are not the 301 the game was made with (a bar game
// chosen beside it). The match's throw, flight and scoring stay the same for every game: the
// flight tells the rules where each dart landed, the landing display hands the finished dart over,
// and the match loop asks them to drive the computer's throw. Null in GameState: the 301 rules.
#pragma once

#include <cstdint>

namespace darts {

struct GameState;

class MatchRules {
  public:
    virtual ~MatchRules() = default;

    // The dart in play has just reached the board (radius and sector index as the board scores
    // them; a dart that fell short has an infinite radius). The flight has already scored it into
    // the side's slot.
    virtual void dartLanded(GameState& state, float radius, int sectorIndex) = 0;

    // The dart's landing display is over: count it, move the turn on, end the leg or the match.
    virtual void dartFinished(GameState& state) = 0;

    // One frame of the computer's turn, before the frame is drawn.
    virtual void computerFrame(GameState& state) = 0;

    // The match is held for a click of the human at the mouse (the mouse passing to another
    // human, the end of a leg or of the match): the throw takes no input meanwhile.
    virtual bool holdsForClick() const { return false; }
    virtual void clicked(GameState&) {}
    // While held: the mouse moved (counts to the right and down), to point at a choice.
    virtual void pointerMoved(int, int) {}

    // A fingerprint of what the rules keep beside the state (scores, turn, legs), for demos.
    virtual uint64_t checksum() const = 0;
};

}  // namespace darts
