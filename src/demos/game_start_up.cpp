#include "demos/game_start_up.h"

#include <cstdio>
#include <utility>

namespace darts {

StartUpWork startLoadingOnThreads(Language language, audio::SoundSystem& sound) {
    return {std::async(std::launch::async, render::decodeAssetFiles, language),
            std::async(std::launch::async, [&sound] { return sound.loadMusic(); })};
}

GameStartUpResult startUpGame(GameState& state, render::Device& device, audio::SoundSystem& sound,
                              std::optional<uint32_t> seed, StartUpWork work) {
    GameStartUpResult result;
    if (!render::createFonts(state, device)) {
        result.warning =
            "no Japanese font could be loaded, texts are not shown (install fonts-ipafont-gothic)";
    }
    render::AssetOptions assets;
    assets.seed = seed;
    assets.setUpSound = [&sound] { return sound.openEffects(); };
    if (std::string noMusic = work.music.get(); !noMusic.empty()) {
        std::fprintf(stderr, "darts: %s\n", noMusic.c_str());
    }
    render::AssetLoadResult loaded = render::loadAssets(state, device, assets, work.decoding.get());
    if (!loaded.ok) result.error = std::move(loaded.error);
    return result;
}

GameStartUpResult startUpGame(GameState& state, render::Device& device, audio::SoundSystem& sound,
                              std::optional<uint32_t> seed) {
    // Deferred: each runs here when its result is asked for.
    StartUpWork work{std::async(std::launch::deferred, render::decodeAssetFiles, state.language),
                     std::async(std::launch::deferred, [&sound] { return sound.loadMusic(); })};
    return startUpGame(state, device, sound, seed, std::move(work));
}

}  // namespace darts
