// Once per frame: Escape from the keyboard, and the mouse records handed one by one to the front
// end or to the match, whichever runs at the moment each record is handled.
#pragma once

#include "core/game_state.h"
#include "loops/frame_io.h"

namespace darts {

// If Escape is down: the match is over, quitting is requested, inFrontEnd flips (0 and 1 swap;
// any other value stays) and the display mode is restored. Every poll that finds it down does so.
void pollKeyboard(GameState& state, FrameIo& io);

// Reads up to 100 queued mouse records and dispatches each by the current inFrontEnd.
void pollMouse(GameState& state, FrameIo& io);

// For a screen that waits for a click over the game: reads the queued mouse records, dropping
// all but the button's, and says whether a whole click has been made. `pressed` (false when the
// screen comes up) remembers a press until its release, so a release of a press made before the
// screen is no click.
bool readWholeClick(FrameIo& io, bool& pressed);

}  // namespace darts
