// Start-up on SDL and OpenGL, in the game's order: the window (with the display mode switch), the
// graphics device, the game's own start-up on them (fonts, music, assets, sound; demos/
// game_start_up.h), the input. Everything made here but the sound lives until the session is
// destroyed, which gives the desktop its display mode back.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "audio/sound_system.h"
#include "core/game_state.h"
#include "options/command_line.h"
#include "platform/sdl/sdl_input.h"
#include "platform/sdl/sdl_window.h"
#include "render/gl/gl_device.h"

namespace darts {

struct StartupOptions {
    bool windowed = false;
    std::optional<uint32_t> seed;  // none: seeded from the clock
    bool unpaced = false;          // frames as fast as they come (the timedemo)
    bool displayMode = false;      // switch to an exact 800 x 600 mode
    bool stretch = false;          // fill the screen instead of keeping 4:3 with bars
    bool sharp = false;            // draw the frame at the size it is shown
    bool smoothHud = false;        // with sharp: the 2D bitmaps sampled smoothly
    std::optional<int> scale = {};  // the window's multiple of 800 x 600; none: the largest fit
    // The player's levels, set before the sound device opens.
    audio::MixVolumes volumes = {};
};

// Members in the order they are made; destroyed in reverse, the window last.
struct GameSession {
    std::unique_ptr<platform::SdlGlWindow> window;
    std::unique_ptr<render::GlDevice> device;
    std::unique_ptr<platform::SdlInput> input;
    audio::SoundSystem* sound = nullptr;  // the process's own, never destroyed
};

struct StartupResult {
    std::unique_ptr<GameSession> session;  // null on failure
    std::string error;                     // one line saying why, set on failure
    std::string warning;                   // one line about something missing that play survives
};

// What the options ask of the start-up; `seed` is the run's (a demo's own, or the option's).
StartupOptions startupOptions(const GameOptions& options, std::optional<uint32_t> seed);

// The data files every run needs, checked before any window exists so that a missing one ends
// the game with the desktop untouched. "" when both are there; baseDir "" is the working folder.
std::string checkDataFiles(const std::string& baseDir = "");

// Where the game looks for its data, in this order: the working folder (""), so that a source tree
// or an unpacked copy plays its own files; the install's share folder found from the executable's
// own location, so that an install under any prefix or an unpacked package finds its data; and the
// share folder the build was configured to install into.
std::vector<std::string> dataFolderCandidates();

// The first of `candidates` that holds every data file a run needs; nothing when none does.
std::optional<std::string> findDataFolder(const std::vector<std::string>& candidates);

// Brings the game up, reading every game file from the first data folder candidate that holds the
// data (see setDataFolder); on failure everything made so far is undone and the error says why.
StartupResult startUp(GameState& state, const StartupOptions& options);

}  // namespace darts
