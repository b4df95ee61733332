#include "demos/run_demos.h"

#include <ctime>

namespace darts {

RunDemos openRunDemos(const GameOptions& options) {
    RunDemos demos;
    demos.seed = options.seed;
    demos.language = languageFromCode(options.language).value_or(Language::Japanese);
    if (options.playDemo) {
        demos.playing = DemoReader::open(*options.playDemo, demos.error);
        if (!demos.playing) return demos;
        demos.seed = demos.playing->header().seed;
        demos.language = demoLanguage(demos.playing->header());
    } else if (options.recordDemo && !demos.seed) {
        demos.seed = static_cast<uint32_t>(std::time(nullptr));  // what the game would take anyway
    }
    if (options.recordDemo) {
        const DemoHeader header{kDemoVersion, *demos.seed,
                                demoOptions(options.windowed, demos.language)};
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
