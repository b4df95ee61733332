#include "options/command_line.h"

#include <charconv>
#include <limits>

#include "core/game_texts.h"

namespace darts {
namespace {

// A whole decimal number without sign, blanks or anything after it, within `max`.
std::optional<uint64_t> parseCount(std::string_view text, uint64_t max) {
    uint64_t value = 0;
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || value > max) return std::nullopt;
    return value;
}

std::optional<ScreenshotRequest> parseScreenshot(std::string_view text) {
    const size_t colon = text.find(':');
    if (colon == std::string_view::npos) return std::nullopt;
    const auto frame = parseCount(text.substr(0, colon), std::numeric_limits<uint64_t>::max());
    const std::string_view file = text.substr(colon + 1);
    if (!frame || *frame == 0 || file.empty()) return std::nullopt;
    return ScreenshotRequest{*frame, std::string(file)};
}

CommandLine failure(std::string error) { return {std::nullopt, std::move(error)}; }

// "--NAME" turns the switch on, "--no-NAME" turns it off; nothing when `option` is neither.
std::optional<bool> switchGiven(std::string_view option, std::string_view name) {
    if (option == name) return true;
    if (option.starts_with("--no-") && option.substr(5) == name.substr(2)) return false;
    return std::nullopt;
}

}  // namespace

CommandLine parseCommandLine(std::span<const std::string_view> arguments, GameOptions base) {
    GameOptions options = std::move(base);
    // What the command line turned on or set, as against what came from the settings file: the
    // command line always wins over the file, and only two typed options can contradict.
    bool windowTyped = false, displayModeTyped = false, awardsTyped = false;
    bool scaleTyped = false, mouseSpeedTyped = false, languageTyped = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view option = arguments[i];
        if (option == "--help") return {std::nullopt, {}, true};
        const struct {
            std::string_view name;
            bool* field;
            bool* typed;  // where it matters whether the switch was typed on
        } switches[] = {{"--window", &options.windowed, &windowTyped},
                        {"--display-mode", &options.displayMode, &displayModeTyped},
                        {"--stretch", &options.stretch, nullptr},
                        {"--sharp", &options.sharp, nullptr},
                        {"--smooth-hud", &options.smoothHud, nullptr},
                        {"--awards", &options.awards, &awardsTyped},
                        {"--mute", &options.mute, nullptr},
                        {"--rumble", &options.rumble, nullptr}};
        bool wasSwitch = false;
        for (const auto& [name, field, typed] : switches) {
            const std::optional<bool> on = switchGiven(option, name);
            if (!on) continue;
            *field = *on;
            if (typed != nullptr) *typed = *on;
            wasSwitch = true;
        }
        if (wasSwitch) continue;
        if (option != "--seed" && option != "--frames" && option != "--screenshot" &&
            option != "--record" && option != "--playdemo" && option != "--timedemo" &&
            option != "--scale" && option != "--language" &&
            option != "--music-volume" && option != "--effect-volume" &&
            option != "--mouse-speed") {
            return failure("unknown option '" + std::string(option) + "'");
        }
        if (i + 1 == arguments.size()) {
            return failure(std::string(option) + " needs a value");
        }
        const std::string_view value = arguments[++i];
        const std::string bad = "bad value '" + std::string(value) + "' for " + std::string(option);
        if (option == "--seed") {
            // Given twice, one of them would be silently ignored.
            if (options.seed) return failure("--seed given twice");
            const auto seed = parseCount(value, std::numeric_limits<uint32_t>::max());
            if (!seed) return failure(bad + " (a number 0..4294967295)");
            options.seed = static_cast<uint32_t>(*seed);
        } else if (option == "--frames") {
            if (options.frames) return failure("--frames given twice");
            const auto frames = parseCount(value, std::numeric_limits<uint64_t>::max());
            if (!frames || *frames == 0) return failure(bad + " (a number of frames, 1 or more)");
            options.frames = *frames;
        } else if (option == "--scale") {
            if (scaleTyped) return failure("--scale given twice");
            scaleTyped = true;
            if (value == "auto") {
                options.scale.reset();
                continue;
            }
            const auto scale = parseCount(value, 16);
            if (!scale || *scale == 0) return failure(bad + " (a whole multiple, 1..16, or auto)");
            options.scale = static_cast<int>(*scale);
        } else if (option == "--music-volume" || option == "--effect-volume") {
            const auto volume = parseCount(value, kFullVolume);
            if (!volume) return failure(bad + " (a percentage, 0..100)");
            (option == "--music-volume" ? options.musicVolume : options.effectVolume) =
                static_cast<int>(*volume);
        } else if (option == "--mouse-speed") {
            const auto speed = parseCount(value, kMaxMouseSpeed);
            if (!speed || *speed == 0) {
                return failure(bad + " (pixels per count, 1.." + std::to_string(kMaxMouseSpeed) +
                               ")");
            }
            options.mouseSpeed = static_cast<int>(*speed);
            mouseSpeedTyped = true;
        } else if (option == "--record") {
            if (options.recordDemo) return failure("--record given twice");
            options.recordDemo = std::string(value);
        } else if (option == "--playdemo" || option == "--timedemo") {
            if (options.playDemo) return failure("only one demo can be played at a time");
            options.playDemo = std::string(value);
            options.timeDemo = option == "--timedemo";
        } else if (option == "--language") {
            if (!languageFromCode(value)) return failure(bad + " (ja or en)");
            options.language = std::string(value);
            languageTyped = true;
        } else {
            auto shot = parseScreenshot(value);
            if (!shot) return failure(bad + " (FRAME:FILE.png, frames counted from 1)");
            options.screenshots.push_back(std::move(*shot));
        }
    }
    // A demo brings its own random numbers, and its input cannot be recorded over again.
    if (options.playDemo && options.seed) return failure("--seed cannot be used with a demo");
    if (options.playDemo && options.recordDemo) {
        return failure("--record cannot be used while a demo plays");
    }
    // A mode switch needs full screen: typed together they contradict each other; otherwise the
    // one typed replaces the settings file's display.
    if (windowTyped && displayModeTyped) {
        return failure("--display-mode cannot be used with --window");
    }
    if (windowTyped) options.displayMode = false;
    if (displayModeTyped) options.windowed = false;

    // What a demo cannot hold is off while one plays or is recorded; typed, it is an error. The
    // card after each match waits for a click that no demo holds; a cursor at another speed, or
    // texts in another language than the demo's, would make another game.
    const bool demo = options.playDemo || options.recordDemo;
    if (demo && awardsTyped) return failure("--awards cannot be used with a demo");
    if (demo && mouseSpeedTyped) return failure("--mouse-speed cannot be used with a demo");
    if (options.playDemo && languageTyped) {
        return failure("--language cannot be used while a demo plays (it keeps its own)");
    }
    if (demo) {
        options.awards = false;
        options.mouseSpeed = kDefaultMouseSpeed;
    }
    return {std::move(options), {}};
}

std::string usageText(std::string_view program) {
    const std::string name(program.empty() ? "darts" : program);
    return "usage: " + name +
           " [--help] [--[no-]window] [--seed N] [--frames N] [--screenshot FRAME:FILE.png]...\n"
           "       [--record FILE | --playdemo FILE | --timedemo FILE]\n"
           "       [--[no-]display-mode] [--[no-]stretch] [--scale N|auto] [--[no-]sharp]\n"
           "       [--[no-]smooth-hud] [--[no-]awards] [--language ja|en]\n"
           "       [--music-volume N] [--effect-volume N] [--[no-]mute] [--mouse-speed N]\n"
           "       [--[no-]rumble]\n"
           "  --help                      show this and end\n"
           "  --window                    play in a resizable window (Alt+Enter toggles)\n"
           "  --seed N                    seed the random numbers with N instead of the clock\n"
           "  --frames N                  quit after N frames, as if Escape were pressed then\n"
           "  --screenshot FRAME:FILE.png write the picture of frame FRAME (from 1) to FILE.png\n"
           "  --record FILE               write everything the game reads from the input to FILE\n"
           "  --playdemo FILE             play a recorded demo back\n"
           "  --timedemo FILE             play a demo as fast as it draws, print the frame rate\n"
           "  --display-mode              switch the display to 800 x 600 while the game runs\n"
           "  --stretch                   fill the whole screen instead of keeping the 4:3 shape\n"
           "  --scale N|auto              make the window N times 800 x 600 (auto: largest fit)\n"
           "  --sharp                     draw the picture at the size it is shown, not magnified\n"
           "  --smooth-hud                with --sharp, smooth the magnified HUD pictures instead\n"
           "                              of keeping their square pixels\n"
           "  --awards                    award titles, a statistics card after each match, and\n"
           "                              records per character (F2 on the title shows them)\n"
           "  --language ja|en            the language of the texts and characters (ja)\n"
           "  --music-volume N            play the music at N percent (0..100, default 100)\n"
           "  --effect-volume N           play the board hit at N percent (0..100, default 100)\n"
           "  --mute                      no sound at all\n"
           "  --mouse-speed N             move the menu cursor N pixels per mouse count (1..20,\n"
           "                              default 3)\n"
           "  --rumble                    controller rumble when a dart hits the board (on)\n"
           "Each switch has a --no- form that turns it off (--no-window, --no-rumble, ...).\n"
           "Settings are read from $XDG_CONFIG_HOME/darts301/darts301.conf (~/.config/...);\n"
           "the options above override them for one run; F1 on the title opens the settings\n"
           "screen, which writes the keys changed there. A demo plays in the language it was\n"
           "recorded in, at mouse speed 3 and without awards, whatever the settings say.\n"
           "Run it from the folder that holds data/ and sound/.\n";
}

}  // namespace darts
