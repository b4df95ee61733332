#include "shell/command_line.h"

#include <charconv>
#include <limits>

#include "shell/game_texts.h"

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

}  // namespace

CommandLine parseCommandLine(std::span<const std::string_view> arguments, GameOptions base) {
    GameOptions options = std::move(base);
    bool mouseSpeedGiven = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view option = arguments[i];
        if (option == "--window") {
            options.windowed = true;
            continue;
        }
        if (option == "--display-mode") {
            options.displayMode = true;
            continue;
        }
        if (option == "--stretch") {
            options.stretch = true;
            continue;
        }
        if (option == "--sharp") {
            options.sharp = true;
            continue;
        }
        if (option == "--smooth-hud") {
            options.smoothHud = true;
            continue;
        }
        if (option == "--awards") {
            options.awards = true;
            continue;
        }
        if (option == "--help") return {std::nullopt, {}, true};
        if (option == "--mute") {
            options.mute = true;
            continue;
        }
        if (option == "--no-rumble") {
            options.rumble = false;
            continue;
        }
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
            if (options.scale) return failure("--scale given twice");
            const auto scale = parseCount(value, 16);
            if (!scale || *scale == 0) return failure(bad + " (a whole multiple, 1..16)");
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
            mouseSpeedGiven = true;
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
        } else {
            auto shot = parseScreenshot(value);
            if (!shot) return failure(bad + " (FRAME:FILE.png, frames counted from 1)");
            options.screenshots.push_back(std::move(*shot));
        }
    }
    // A demo brings its own random numbers, and its input cannot be recorded over again.
    if (options.playDemo && options.seed) return failure("--seed cannot be used with a demo");
    // The card after each match waits for a click that no demo holds.
    if (options.awards && (options.playDemo || options.recordDemo)) {
        return failure("--awards cannot be used with a demo");
    }
    if (options.playDemo && options.recordDemo) {
        return failure("--record cannot be used while a demo plays");
    }
    if (options.windowed && options.displayMode) {
        return failure("--display-mode cannot be used with --window");
    }

    // Demos move the cursor as the game always has, whatever the settings file says: a demo
    // made at another speed would not replay anywhere else.
    if ((options.playDemo || options.recordDemo) && mouseSpeedGiven) {
        return failure("--mouse-speed cannot be used with a demo");
    }
    if (options.playDemo || options.recordDemo) options.mouseSpeed = kDefaultMouseSpeed;
    return {std::move(options), {}};
}

std::string usageText(std::string_view program) {
    const std::string name(program.empty() ? "darts" : program);
    return "usage: " + name +
           " [--help] [--window] [--seed N] [--frames N] [--screenshot FRAME:FILE.png]...\n"
           "       [--record FILE | --playdemo FILE | --timedemo FILE]\n"
           "       [--display-mode] [--stretch] [--scale N] [--sharp] [--smooth-hud]\n"
           "       [--awards] [--language ja|en]\n"
           "       [--music-volume N] [--effect-volume N] [--mute] [--mouse-speed N]\n"
           "       [--no-rumble]\n"
           "  --help                      show this and end\n"
           "  --window                    play in a resizable window (Alt+Enter toggles)\n"
           "  --seed N                    seed the random numbers with N instead of the clock\n"
           "  --frames N                  quit after N frames, as if Escape were pressed then\n"
           "  --screenshot FRAME:FILE.png write the picture of frame FRAME (from 1) to FILE.png\n"
           "  --record FILE               write everything the game reads from the input to FILE\n"
           "  --playdemo FILE             play a recorded demo back\n"
           "  --timedemo FILE             play a demo as fast as possible and print the frame rate\n"
           "  --display-mode              switch the display to 800 x 600 while the game runs\n"
           "  --stretch                   fill the whole screen instead of keeping the 4:3 shape\n"
           "  --scale N                   make the window N times 800 x 600 (default: largest fit)\n"
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
           "  --no-rumble                 no controller rumble when a dart hits the board\n"
           "Settings are read from $XDG_CONFIG_HOME/darts301/darts301.conf (~/.config/...);\n"
           "the options above override them for one run; F1 on the title opens the settings\n"
           "screen, which writes the keys changed there.\n"
           "Run it from the folder that holds data/ and sound/.\n";
}

}  // namespace darts
