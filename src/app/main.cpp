// The game: start-up, the main loop until the player quits, and the options of the command line.
#include <array>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "app/startup.h"
#include "awards/awards_layer.h"
#include "awards/records_file.h"
#include "demos/demo_input.h"
#include "demos/run_control.h"
#include "demos/run_demos.h"
#include "loops/bar_game_setup.h"
#include "loops/bar_machine.h"
#include "loops/main_loop.h"
#include "loops/shown_state_log.h"
#include "options/command_line.h"
#include "options/settings_file.h"
#include "platform/sdl/sdl_controller.h"
#include "platform/sdl/sdl_keys.h"
#include "render/award_overlay.h"
#include "replay/replay_layer.h"
#include "settings/settings_layer.h"

namespace {

using namespace darts;

void printError(const std::string& message) { std::fprintf(stderr, "darts: %s\n", message.c_str()); }

int play(GameOptions options) {
    RunDemos demos = openRunDemos(options);
    if (!demos.error.empty()) {
        printError(demos.error);
        return 1;
    }

    // The state record is large and lives for the whole run.
    auto state = std::make_unique<GameState>();
    state->language = demos.language;
    state->cursorPixelsPerCount = options.mouseSpeed;
    state->barGamesOn = options.barGames ? 1 : 0;
    state->checkoutHintOn = options.checkoutHint ? 1 : 0;
    // A bar game that cannot be played ends the game before any window opens.
    if (options.startGame) {
        const BarGameSetup checked = barGameFromOptions(options, *state, false);
        if (!checked.error.empty()) {
            printError(checked.error);
            return 1;
        }
    }
    StartupResult started = startUp(*state, startupOptions(options, demos.seed));
    if (!started.warning.empty()) printError(started.warning);
    if (!started.session) {
        printError(started.error);
        return 1;
    }
    GameSession& session = *started.session;
    audio::SoundSystem& sound = *session.sound;
    if (platform::ControllerMouse* pads = platform::activeControllers()) {
        pads->setRumble(options.rumble);
    }

    CountingDevice device(*session.device, options.screenshots);
    std::optional<DemoPlayer> player;
    if (demos.playing) player.emplace(*demos.playing, *state);
    // While a demo plays, the viewer's own keyboard and mouse still reach the window: what they
    // queue is read and dropped here, and Escape ends the playback.
    const auto viewerQuits = [&] {
        std::array<platform::MouseRecord, platform::kMouseBufferSize> dropped;
        session.input->readMouse(dropped.data(), static_cast<int>(dropped.size()));
        return session.input->escapeDown();
    };
    // A frame limit acts like Escape pressed once that many frames are on screen; a request to
    // close the window (SIGINT, SIGTERM and SIGHUP among them) acts like Escape too, and so does a
    // demo that has gone out of step.
    const QuitCondition stopEarly = [&] {
        return (options.frames && device.framesPresented() >= *options.frames) ||
               (player && viewerQuits()) || session.input->closeRequested();
    };
    const QuitCondition quitNow = [&] {
        if (stopEarly()) {
            if (player) player->stop();  // what follows is no longer the recorded game
            return true;
        }
        return player && player->failed();
    };
    platform::InputSource& realInput = player ? player->input() : *session.input;
    platform::UiInput& realUi = player ? player->ui() : *session.input;
    QuitAwareInput quitAwareInput(realInput, quitNow);
    QuitAwareUi quitAwareUi(realUi, quitNow);
    // A recording writes down what the game read, Escape from a frame limit included.
    std::optional<DemoRecorder> recorder;
    if (demos.recording) recorder.emplace(*demos.recording, quitAwareInput, quitAwareUi, *state);
    const std::unique_ptr<ShownStateLog> shownLog = ShownStateLog::fromEnvironment();
    device.setFrameListener([&](uint64_t frame) {
        platform::keysFramePresented();  // a key tap belongs to the frame it came in
        if (recorder) recorder->framePresented(frame);
        if (player) player->framePresented(frame);
        if (shownLog) shownLog->framePresented(*state, frame);
    });

    platform::InputSource& input = recorder ? recorder->input() : quitAwareInput;
    platform::UiInput& ui = recorder ? recorder->ui() : quitAwareUi;
    FrameIo frameIo{device, input, session.window.get()};
    const std::function<void()> startMusic = [&sound] { sound.startMusic(); };
    MainLoopIo io{frameIo, ui,
                  [&session, &state] {
                      session.input->release();
                      session.input->showPointerAt(state->cursorX, state->cursorY);
                  },
                  startMusic, {}};
    std::optional<games::BarMatch> barGame;
    if (options.startGame) {
        BarGameSetup made = barGameFromOptions(options, *state, true);
        barGame.emplace(made.setup, std::move(made.seats));
        io.startAtOnce = &*barGame;
    }
    // The game select keeps its last choice in the settings file (not while a demo plays: the
    // recording's choices are not the viewer's).
    const std::string settingsPath = player ? "" : settingsFilePath().value_or("");
    BarMachine barMachine(options, [&settingsPath](const GameOptions& chosen) {
        if (settingsPath.empty()) return;
        const std::vector<std::string_view> keys(std::begin(frontend::kGameSelectKeys),
                                                 std::end(frontend::kGameSelectKeys));
        if (const std::string error = updateSettingsFile(settingsPath, chosen, keys);
            !error.empty()) {
            printError(error);
        }
    });
    io.barMachine = &barMachine;
    std::optional<AwardsLayer> awards;
    if (options.awards) {
        state->awardsOn = 1;
        render::loadAwardArt(*state, *session.device);
        sound.loadAward();
        awards.emplace(recordsPath());
        io.match.layers.push_back(&*awards);
    }
    std::optional<ReplayLayer> replay;
    if (options.replay) {
        replay.emplace();
        io.match.layers.push_back(&*replay);
    }
    // F1 on the title, read through the input like every key: a recording keeps it, and a demo
    // being played opens the screen where its player did, changing what it changed in the game
    // but nothing of the viewer's (no volumes, no window, no file).
    platform::SdlGlWindow* window = session.window.get();
    const bool displayLive = !options.displayMode && !window->displaySwitched();
    SettingsHooks hooks;
    if (player) {
        hooks.saves = false;
    } else {
        hooks.filePath = settingsPath;
        hooks.windowed = [window] { return !window->fullScreen(); };
        hooks.apply = [window, displayLive, &sound](const GameOptions& chosen) {
            sound.setVolumes({chosen.musicVolume, chosen.effectVolume, chosen.mute});
            if (platform::ControllerMouse* pads = platform::activeControllers()) {
                pads->setRumble(chosen.rumble);
            }
            if (displayLive && !chosen.displayMode && chosen.windowed == window->fullScreen()) {
                window->toggleFullScreen();
            }
        };
    }
    SettingsLayer settings(options, displayLive, std::move(hooks));
    io.match.layers.push_back(&settings);
    const auto start = std::chrono::steady_clock::now();
    mainLoop(*state, io);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    const std::vector<std::string> errors =
        finishRun(device, recorder ? &*recorder : nullptr, player ? &*player : nullptr,
                  options.playDemo.value_or(""));
    for (const std::string& error : errors) printError(error);
    const int status = errors.empty() ? 0 : 1;
    if (options.timeDemo) {
        const uint64_t frames = device.framesPresented();
        std::printf("frames %llu seconds %.3f fps %.1f\n", static_cast<unsigned long long>(frames),
                    seconds, seconds > 0 ? double(frames) / seconds : 0.0);
    }
    // Quitting has already given the desktop its display mode back. The window, the context and
    // the input stay as they are until the process ends: closing the last OpenGL window unloads
    // the driver, and its own allocations would then look like leaks of the game.
    static GameSession* const keptUntilExit = started.session.release();
    (void)keptUntilExit;
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string_view> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    // The settings file first, so that the command line overrides it.
    GameOptions fromFile;
    if (const std::optional<std::string> path = settingsFilePath()) {
        std::vector<std::string> warnings;
        applySettingsFile(*path, fromFile, warnings);
        for (const std::string& warning : warnings) printError(warning);
    }
    const CommandLine commandLine = parseCommandLine(arguments, fromFile);
    if (commandLine.helpWanted) {
        std::fputs(usageText(argc > 0 ? argv[0] : "darts").c_str(), stdout);
        return 0;
    }
    if (!commandLine.options) {
        std::fprintf(stderr, "darts: %s\n%s", commandLine.error.c_str(),
                     usageText(argc > 0 ? argv[0] : "darts").c_str());
        return 2;
    }
    return play(*commandLine.options);
}
