#include "demos/demo_replay.h"

#include <chrono>
#include <memory>
#include <optional>

#include "audio/sound_system.h"
#include "core/state_checksum.h"
#include "demos/demo_input.h"
#include "demos/demo_settings.h"
#include "demos/game_start_up.h"
#include "demos/run_control.h"
#include "loops/bar_game_setup.h"
#include "loops/main_loop.h"
#include "render/device.h"
#include "settings/settings_layer.h"

namespace darts {

std::string startUpHeadless(GameState& state, render::Device& device, uint32_t seed) {
    audio::NullSound silence;  // opens no effects, so nothing outlives this call
    return startUpGame(state, device, silence, seed).error;
}

DemoReplayResult replayDemoHeadless(DemoReader& demo) {
    DemoReplayResult result;
    auto state = std::make_unique<GameState>();
    render::HeadlessDevice headless;
    // The game's options as the demo ran with them, which the settings screen also starts from.
    GameOptions options;
    if (!applyDemoSettings(demo.header(), options, result.error)) return result;
    state->language = demoLanguage(demo.header());
    state->cursorPixelsPerCount = options.mouseSpeed;
    result.error = startUpHeadless(*state, headless, demo.header().seed);
    if (!result.error.empty()) return result;

    CountingDevice device(headless);
    DemoPlayer player(demo, *state);
    device.setFrameListener([&player](uint64_t frame) { player.framePresented(frame); });
    const QuitCondition playbackFailed = [&player] { return player.failed(); };
    QuitAwareInput input(player.input(), playbackFailed);
    QuitAwareUi ui(player.ui(), playbackFailed);
    FrameIo frameIo{device, input, nullptr};
    MainLoopIo io{frameIo, ui, {}, {}, {}};
    // A demo recorded with a bar game started it at once.
    std::optional<games::BarMatch> barGame;
    if (options.startGame) {
        BarGameSetup made = barGameFromOptions(options, *state, false);
        if (!made.error.empty()) {
            result.error = made.error;
            return result;
        }
        barGame.emplace(made.setup, std::move(made.seats));
        io.startAtOnce = &*barGame;
    }
    // F1 opens the settings screen where the recording did; nothing it changes is kept.
    SettingsHooks playback;
    playback.saves = false;
    SettingsLayer settings(options, true, std::move(playback));
    io.match.layers.push_back(&settings);

    const auto start = std::chrono::steady_clock::now();
    mainLoop(*state, io);
    result.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    result.frames = device.framesPresented();
    if (!player.failed()) player.gameEnded(result.frames);
    result.error = player.error();
    result.checksum = stateChecksum(*state);
    return result;
}

}  // namespace darts
