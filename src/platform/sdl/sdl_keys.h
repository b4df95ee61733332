// Keys the game reads besides Escape, straight from SDL's keyboard state (kept current by the
// input's own event pumping).
#pragma once

namespace darts::platform {

// F1: the settings screen, on the title.
bool settingsKeyDown();

// F2: the records page, on the title with awards on.
bool recordsKeyDown();

// R: the turn so far again, during a landing display with replays on.
bool replayKeyDown();

// After every presented frame. A key counts on the screen where it was pressed: a press nobody
// asked about in its frame (or the next) is forgotten, and the key reads as up until it is let
// go, so that F1 pressed on the character-select screen does not open the settings once the
// title comes back.
void keysFramePresented();

}  // namespace darts::platform
