// The one start-up of a game over the device and the sound it is given: the game on SDL, the
// headless replay, darts-sim and the tests all come up through it, so every device sees the same
// calls in the same order (every texture and mesh handle, and with them every picture and demo
// checksum, depends on that order).
#pragma once

#include <cstdint>
#include <future>
#include <optional>
#include <string>

#include "assets/asset_loading.h"
#include "audio/sound_system.h"
#include "core/game_state.h"
#include "render/device.h"

namespace darts {

// The work that needs no device: the files decoded and the music loaded. The game starts it on two
// threads before it makes its window, which takes as long.
struct StartUpWork {
    std::future<render::DecodedAssets> decoding;
    std::future<std::string> music;  // the sound system's loadMusic()
};

// Decodes the files of `language` on one thread and loads the music on another; `sound` is not to
// be touched until startUpGame has taken the music's result.
StartUpWork startLoadingOnThreads(Language language, audio::SoundSystem& sound);

struct GameStartUpResult {
    std::string error;    // one line, set when the game cannot run (a model that cannot be loaded)
    std::string warning;  // one line about something missing that play survives (the fonts)
};

// The fonts, then the assets and the board-hit sound onto `device`, with the random numbers
// seeded with `seed` (none: the calendar time in seconds). A tune that cannot be loaded is said on
// stderr, and the game plays without music.
GameStartUpResult startUpGame(GameState& state, render::Device& device, audio::SoundSystem& sound,
                              std::optional<uint32_t> seed, StartUpWork work);

// The same with the files decoded and the music loaded on this thread, as they are needed.
GameStartUpResult startUpGame(GameState& state, render::Device& device, audio::SoundSystem& sound,
                              std::optional<uint32_t> seed);

}  // namespace darts
