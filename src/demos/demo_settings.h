// Playing a demo with the settings it was recorded with: those that change what the game's state
// holds or how its input moves it (the language of the texts, the cursor's speed) are applied over
// the player's own.
#pragma once

#include <string>

#include "demos/demo_file.h"
#include "options/command_line.h"

namespace darts {

// `options` with a demo's settings applied (a version 1 demo holds only its language). False,
// with one line in `error` and `options` as it was, for a setting this game does not store in
// demos or a value it does not take.
bool applyDemoSettings(const DemoHeader& header, GameOptions& options, std::string& error);

}  // namespace darts
