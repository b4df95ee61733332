// The main loop: the front end and the match take the screen in turn until the player quits. The
// character-select screen runs as a modal loop of its own with ordinary pointer and text input.
#pragma once

#include <functional>

#include "core/game_state.h"
#include "games/bar_match.h"
#include "loops/bar_machine.h"
#include "loops/frame_io.h"
#include "loops/match_loop.h"
#include "platform/ui_input.h"

namespace darts {

struct MainLoopIo {
    FrameIo& frame;         // the device, the game's buffered input and the display mode
    platform::UiInput& ui;  // pointer and typed text for the character-select screen
    // Stops the buffered input before the character-select screen takes over (may be empty).
    std::function<void()> releaseInput;
    // Starts the endless background music (may be empty).
    std::function<void()> startMusic;
    // Passed to every match; tools and tests let the computer play the human's turns. Its feature
    // layers also see every front-end frame and every match's start and end.
    MatchLoopOptions match;
    // A bar game to play at once (--game), before the title; the title follows it.
    games::BarMatch* startAtOnce = nullptr;
    // The bar machine's game select, which the title opens with bar games on (may be null: the
    // title's darts bar and tournament then play the 301 whatever the state says).
    BarMachine* barMachine = nullptr;
};

// Runs until quitRequested is set and the running loop has fallen through. A Quit event on the
// character-select screen ends the game like Escape, with the display mode restored.
void mainLoop(GameState& state, MainLoopIo& io);

}  // namespace darts
