// The game's options. Without any the game behaves as it always has; the options serve players
// who want a window and maintainers who want a reproducible, self-ending run with pictures.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace darts {

// Write the picture of presented frame `frame` (the first presented frame is 1) to `file`.
struct ScreenshotRequest {
    uint64_t frame = 0;
    std::string file;
};

struct GameOptions {
    bool windowed = false;           // --window: a resizable window, the display mode left alone
    std::optional<uint32_t> seed;    // --seed N: replaces the seed taken from the clock
    std::optional<uint64_t> frames;  // --frames N: Escape is down from the N-th frame on
    std::vector<ScreenshotRequest> screenshots;  // --screenshot FRAME:FILE.png, repeatable
    std::optional<std::string> recordDemo;       // --record FILE: write the input to a demo
    std::optional<std::string> playDemo;         // --playdemo FILE: replay a demo
    bool timeDemo = false;  // --timedemo FILE: replay unpaced (playDemo holds FILE), then time it
    bool displayMode = false;  // --display-mode: full screen on an exact 800 x 600 mode
    bool stretch = false;      // --stretch: fill the screen, the 4:3 shape not kept
    std::optional<int> scale;  // --scale N: the window is N times 800 x 600
    bool awards = false;    // --awards: award titles, the statistics card and the records
    std::string language = "ja";  // --language ja|en: the language of every text and the roster
};

struct CommandLine {
    std::optional<GameOptions> options;  // empty: the arguments were not understood
    std::string error;                   // one line saying what was wrong, set when empty
};

// The arguments after the program name.
CommandLine parseCommandLine(std::span<const std::string_view> arguments);

// What the game accepts, several lines ending in a newline.
std::string usageText(std::string_view program);

}  // namespace darts
