#include "demo/demo_commands.h"

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/game_texts.h"
#include "core/state_checksum.h"
#include "demo/demo_bot.h"
#include "demos/demo_input.h"
#include "demos/demo_replay.h"
#include "demos/demo_settings.h"
#include "settings/settings_layer.h"
#include "demos/run_control.h"
#include "loops/main_loop.h"
#include "render/device.h"

namespace darts::demo {
namespace {

std::string json(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        if (static_cast<unsigned char>(c) >= 0x20) out += c;
    }
    return out + "\"";
}

int fail(const std::string& error) {
    std::printf("{\"ok\":false,\"error\":%s}\n", json(error).c_str());
    return 1;
}

std::string hex(uint64_t value) {
    char text[24];
    std::snprintf(text, sizeof text, "%016" PRIx64, value);
    return text;
}

bool scriptNamed(std::string_view name, Script& script) {
    const std::pair<std::string_view, Script> scripts[] = {{"bar-win", Script::BarWin},
                                                           {"bar-lose", Script::BarLose},
                                                           {"tournament", Script::Tournament},
                                                           {"escape", Script::EscapeFromMatch}};
    for (const auto& [known, value] : scripts) {
        if (name == known) {
            script = value;
            return true;
        }
    }
    return false;
}

int usage() {
    std::fputs(
        "usage: darts-sim demo FILE\n"
        "       darts-sim make-demo --script bar-win|bar-lose|tournament|escape --seed S "
        "[--language ja|en] --out FILE\n",
        stderr);
    return 2;
}

}  // namespace

int runDemoReplay(int argc, char** argv) {
    if (argc != 3) return usage();
    std::string error;
    std::unique_ptr<DemoReader> demo = DemoReader::open(argv[2], error);
    if (!demo) return fail(error);
    const DemoReplayResult result = replayDemoHeadless(*demo);
    if (!result.error.empty()) return fail(result.error);
    std::printf(
        "{\"ok\":true,\"frames\":%" PRIu64 ",\"checksum\":\"%s\",\"seconds\":%.3f,\"fps\":%.1f}\n",
        result.frames, hex(result.checksum).c_str(), result.seconds,
        result.seconds > 0 ? double(result.frames) / result.seconds : 0.0);
    return 0;
}

int runMakeDemo(int argc, char** argv) {
    Script script = Script::BarWin;
    bool haveScript = false;
    long long seed = -1;
    Language language = Language::Japanese;
    std::string out;
    for (int i = 2; i + 1 < argc; i += 2) {
        const std::string_view option = argv[i];
        if (option == "--script") {
            haveScript = scriptNamed(argv[i + 1], script);
            if (!haveScript) return usage();
        } else if (option == "--seed") {
            char* end = nullptr;
            seed = std::strtoll(argv[i + 1], &end, 10);
            if (*end != '\0' || seed < 0 || seed > UINT32_MAX) return usage();
        } else if (option == "--language") {
            const std::optional<Language> chosen = languageFromCode(argv[i + 1]);
            if (!chosen) return usage();
            language = *chosen;
        } else if (option == "--out") {
            out = argv[i + 1];
        } else {
            return usage();
        }
    }
    if (argc % 2 != 0 || !haveScript || seed < 0 || out.empty()) return usage();

    // The game's start-up without a screen, as a replay does it.
    auto state = std::make_unique<GameState>();
    state->language = language;
    render::HeadlessDevice headless;
    std::string error = startUpHeadless(*state, headless, static_cast<uint32_t>(seed));
    if (!error.empty()) return fail(error);

    GameOptions options;
    options.language = languageCode(language);
    const DemoHeader header{kDemoVersion, static_cast<uint32_t>(seed),
                            demoOptions(false, language), demoSettings(options)};
    std::unique_ptr<DemoWriter> writer = DemoWriter::create(out, header, error);
    if (!writer) return fail(error);
    CountingDevice device(headless);
    DemoBot bot(script, *state, [&device] { return device.framesPresented(); });
    // Nobody plays for ever: a script that gets nowhere ends like a player giving up.
    constexpr uint64_t kGiveUp = 500000;
    const QuitCondition givenUp = [&device] { return device.framesPresented() >= kGiveUp; };
    QuitAwareInput input(bot, givenUp);
    QuitAwareUi ui(bot, givenUp);
    DemoRecorder recorder(*writer, input, ui, *state);
    device.setFrameListener([&recorder](uint64_t frame) { recorder.framePresented(frame); });
    FrameIo frameIo{device, recorder.input(), nullptr};
    MainLoopIo io{frameIo, recorder.ui(), {}, {}, {}};
    // The settings screen's key is asked for as in the game (the bot never presses it).
    SettingsHooks noFile;
    noFile.saves = false;
    SettingsLayer settings(options, true, std::move(noFile));
    io.match.layers.push_back(&settings);
    mainLoop(*state, io);
    if (!recorder.finish(device.framesPresented(), error)) return fail(error);

    const FinishedDart& last = state->lastFinishedDart;
    std::printf(
        "{\"ok\":true,\"frames\":%" PRIu64 ",\"checksum\":\"%s\",\"gaveUp\":%s,"
        "\"humanDarts\":%d,\"asPlanned\":%d,\"lastWinner\":%d,\"humanLeft\":%d,"
        "\"human\":%d,\"champion\":%d,\"championFrame\":%" PRIu64 "}\n",
        device.framesPresented(), hex(stateChecksum(*state)).c_str(),
        device.framesPresented() >= kGiveUp ? "true" : "false", bot.dartsThrown(),
        bot.dartsAsPlanned(), last.win ? last.side : -1, state->players[kHuman].scoreLeft,
        state->players[kHuman].characterNumber, bot.champion(), bot.tournamentOverFrame());
    return 0;
}

}  // namespace darts::demo
