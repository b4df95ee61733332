#include "demos/run_demos.h"

#include <ctime>

#include "demos/demo_settings.h"

namespace darts {

RunDemos openRunDemos(GameOptions& options) {
    RunDemos demos;
    demos.seed = options.seed;
    demos.language = languageFromCode(options.language).value_or(Language::Japanese);
    if (options.playDemo) {
        demos.playing = DemoReader::open(*options.playDemo, demos.error);
        // Its language and cursor speed over the player's: they are part of what it checks.
        if (!demos.playing ||
            !applyDemoSettings(demos.playing->header(), options, demos.error)) {
            demos.playing.reset();
            return demos;
        }
        demos.seed = demos.playing->header().seed;
        demos.language = demoLanguage(demos.playing->header());
    } else if (options.recordDemo && !demos.seed) {
        demos.seed = static_cast<uint32_t>(std::time(nullptr));  // what the game would take anyway
    }
    if (options.recordDemo) {
        const DemoHeader header{kDemoVersion, *demos.seed,
                                demoOptions(options.windowed, demos.language),
                                demoSettings(options)};
        demos.recording = DemoWriter::create(*options.recordDemo, header, demos.error);
    }
    return demos;
}

std::vector<std::string> finishRun(CountingDevice& device, DemoRecorder* recorder,
                                   DemoPlayer* player, const std::string& playedPath) {
    std::vector<std::string> errors = device.screenshotErrors();
    if (recorder) {
        std::string error;
        if (!recorder->finish(device.framesPresented(), error)) errors.push_back(error);
    }
    if (player) {
        if (!player->failed()) player->gameEnded(device.framesPresented());
        if (player->failed()) errors.push_back("demo " + playedPath + ": " + player->error());
    }
    return errors;
}

}  // namespace darts
