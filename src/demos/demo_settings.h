// The settings a demo carries: those that change what the game's state holds or how its input
// moves it (the language of the texts, the cursor's speed). A recording stores the values it ran
// with, and a playback runs with the demo's values over the player's own.
#pragma once

#include <string>
#include <vector>

#include "demos/demo_file.h"
#include "options/command_line.h"

namespace darts {

// The stored settings of a game run with `options`, as the settings file spells them.
std::vector<DemoSetting> demoSettings(const GameOptions& options);

// `options` with a demo's settings applied (a version 1 demo holds only its language). False,
// with one line in `error`, for a setting this game does not store in demos or a value it does
// not take.
bool applyDemoSettings(const DemoHeader& header, GameOptions& options, std::string& error);

}  // namespace darts
