// The game: start-up, the main loop until the player quits, and the options of the command line.
#include <cstdio>
#include <memory>
#include <string_view>
#include <vector>

#include "shell/command_line.h"
#include "shell/frame_counter.h"
#include "shell/main_loop.h"
#include "shell/startup.h"

namespace {

using namespace darts;

int play(const GameOptions& options) {
    // The state record is large and lives for the whole run.
    auto state = std::make_unique<GameState>();
    StartupResult started = startUp(*state, {options.windowed, options.seed});
    if (!started.warning.empty()) std::fprintf(stderr, "darts: %s\n", started.warning.c_str());
    if (!started.session) {
        std::fprintf(stderr, "darts: %s\n", started.error.c_str());
        return 1;
    }
    GameSession& session = *started.session;

    CountingDevice device(*session.device, options.screenshots);
    // A frame limit acts like Escape pressed once that many frames are on screen; a request to
    // close the window acts like Escape too.
    const QuitCondition quitNow = [&] {
        return (options.frames && device.framesPresented() >= *options.frames) ||
               session.input->closeRequested();
    };
    QuitAwareInput input(*session.input, quitNow);
    QuitAwareUi ui(*session.input, quitNow);
    FrameIo frameIo{device, input, session.window.get()};
    MainLoopIo io{frameIo, ui, [&session] { session.input->release(); }, startMusic, {}};
    mainLoop(*state, io);

    int status = 0;
    for (const std::string& error : device.screenshotErrors()) {
        std::fprintf(stderr, "darts: %s\n", error.c_str());
        status = 1;
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
    const CommandLine commandLine = parseCommandLine(arguments);
    if (!commandLine.options) {
        std::fprintf(stderr, "darts: %s\n%s", commandLine.error.c_str(),
                     usageText(argc > 0 ? argv[0] : "darts").c_str());
        return 2;
    }
    return play(*commandLine.options);
}
