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

constexpr int kFullVolume = 100;
constexpr int kDefaultMouseSpeed = 3;  // what the front end has always moved per count
constexpr int kMaxMouseSpeed = 20;

// Each on/off setting (--window, --mute, ...) is turned on by --NAME and off by --no-NAME.
struct GameOptions {
    bool windowed = false;           // --window: a resizable window, the display mode left alone
    std::optional<uint32_t> seed;    // --seed N: replaces the seed taken from the clock
    std::optional<uint64_t> frames;  // --frames N: Escape is down from the N-th frame on
    std::vector<ScreenshotRequest> screenshots;  // --screenshot FRAME:FILE.png, repeatable
    std::optional<std::string> recordDemo;       // --record FILE: write the input to a demo
    std::optional<std::string> playDemo;         // --playdemo FILE: replay a demo
    bool timeDemo = false;  // --timedemo FILE: replay unpaced (playDemo holds FILE), then time it
    // The display: full screen on the desktop's mode unless one of these says otherwise.
    bool displayMode = false;   // switch the display to 800 x 600
    bool stretch = false;       // fill the screen instead of keeping 4:3
    std::optional<int> scale;   // a whole-number scale of the frame; none: as large as fits
    bool sharp = false;         // --sharp: draw the frame at the size it is shown
    bool smoothHud = false;     // --smooth-hud: with sharp, magnified HUD bitmaps sampled smoothly
    // Sound and the front-end cursor; the defaults are the game's own.
    int musicVolume = kFullVolume;       // --music-volume N, percent
    int effectVolume = kFullVolume;      // --effect-volume N, percent
    bool mute = false;                   // --mute
    int mouseSpeed = kDefaultMouseSpeed;  // --mouse-speed N: cursor pixels per mouse count
    bool rumble = true;                   // --rumble: a controller shakes on a hit
    bool awards = false;                 // the opt-in awards and statistics
    bool barGames = false;   // the title's darts bar opens the bar machine's game select
    bool checkoutHint = true;  // a bar game's 01 board shows a finishing route
    std::string language = "ja";         // the language of the texts: ja or en
    // A bar game: typed with --game it starts at once (startGame); in the settings file, the
    // choices the machine's game select remembers. The words are darts-sim's.
    std::string game = "none";   // 301..1501, cricket, cutthroat, countup, medley
    std::string inRule = "open";   // open, double, master
    std::string outRule = "open";  // open, double, master
    std::string bull = "separate";  // separate, fat
    int rounds = 0;                 // a round limit; 0: none
    std::string legs = "3";         // a medley's best of 3 or 5
    std::string x01 = "501";        // a medley's 01 start
    std::string sides = "you,r8";   // the seats: you, guestK, rN, cK, p
    bool startGame = false;         // --game was typed
    bool replay = false;            // the opt-in replays of a winning dart and the best turns
};

// Whether `sides` is a list of 1 to 4 seats: you (once at most), guestK or cK (K 1..8), rN
// (N 1..99; the games say which levels they offer), rNcK (level N shown as character K) or p.
// A guest may bring the name typed for it: guestK:NAME (UTF-8, no comma, up to
// kGuestNameMostBytes bytes; the game keeps as much of it as a name holds).
bool acceptsSides(std::string_view sides);

inline constexpr size_t kGuestNameMostBytes = 64;
// A seat word split at the guest's name: "guest2:Aki" -> "guest2" and "Aki"; a word without a
// name keeps it whole with an empty name.
struct SeatWord {
    std::string_view seat;
    std::string_view guestName;
};
SeatWord splitSeatWord(std::string_view word);

struct CommandLine {
    std::optional<GameOptions> options;  // empty: the arguments were not understood
    std::string error;                   // one line saying what was wrong, set when empty
    bool helpWanted = false;             // --help: options empty, error empty
};

// The arguments after the program name, applied over `base` (the settings file's options). What
// is typed always wins over the file; only typed options can contradict each other. With a demo
// to play or record, the file's awards and mouse speed are left out (a demo holds neither), and
// the language of a demo being played is the demo's own, not `language`.
CommandLine parseCommandLine(std::span<const std::string_view> arguments, GameOptions base = {});

// What the game accepts, several lines ending in a newline.
std::string usageText(std::string_view program);

}  // namespace darts
