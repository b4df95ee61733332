// What one entry of the option table (option_table.h) says about an option: how the command line,
// the settings file, the settings screen, --help and demos treat it. Everything that reads or
// writes options is derived from these entries, so an option is declared in one place.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/game_texts.h"
#include "options/command_line.h"

namespace darts {

enum class OptionType {
    Switch,      // on by --NAME, off by --no-NAME; yes or no in the file
    Number,      // a whole number from `low` to `high`, or its one word (scale's auto)
    Choice,      // one of `words`
    Text,        // a file name, given at most once
    Word,        // a word that `accepts` takes, kept as it is typed (the seats of a bar game)
    Repeatable,  // given as often as wanted, each adding one (--screenshot FRAME:FILE.png)
    Help,        // list the options and end
};

// Where GameOptions keeps the value. An option's default is its field's initializer there, so
// the table reads defaults from GameOptions{} instead of declaring them a second time.
using OptionField = std::variant<std::monostate,  // help; a choice of switches has them per word
                                 bool GameOptions::*, int GameOptions::*,
                                 std::optional<int> GameOptions::*,       // none: the one word
                                 std::optional<uint32_t> GameOptions::*,  // none: not given
                                 std::optional<uint64_t> GameOptions::*,
                                 std::string GameOptions::*,  // a word of a choice
                                 std::optional<std::string> GameOptions::*,
                                 std::vector<ScreenshotRequest> GameOptions::*>;

// One word of a choice, or a number's word for "no number".
struct OptionWord {
    std::string_view word{};  // as the settings file spells it
    TextId shown{};           // as the settings screen shows it
    // A choice kept in switches of GameOptions (the display): the word's own switch, which the
    // command line turns on and off as `flag` (with its --no- form) and --help explains as
    // `help`. The word without one is all of them off.
    bool GameOptions::*field = nullptr;
    std::string_view flag{};
    std::string_view help{};
    bool fromNextStart = false;  // a running game cannot go there (a switch of the display mode)
};

// How a demo treats an option: a demo replays the same for every player only if nothing it does
// not hold can change the game.
enum class DemoTyped {
    Allowed,
    RefusedWhilePlaying,  // typed together with --playdemo or --timedemo
    RefusedWithAnyDemo,   // typed together with any demo option, --record too
};
struct DemoRule {
    bool stored = false;  // kept in the demo and applied when it plays (demo_settings.h)
    // The settings file's value gives way to the default while a demo plays or is recorded.
    bool defaultInDemo = false;
    DemoTyped typed = DemoTyped::Allowed;
    std::string_view refusal{};  // how the refusal ends: "FLAG cannot be used " + refusal
};

// How the settings screen's value reaches the running game.
enum class ScreenApply {
    NextStart,      // the running game keeps what it started with until the next start
    Live,           // at once
    LiveWindowing,  // at once while the window can still change (no mode was switched at
                    // start) and the chosen word can be reached running
};

// The option's row on the settings screen; an option without a label has none.
struct ScreenRow {
    std::string_view japanese{};  // Shift-JIS
    std::string_view english{};
    ScreenApply apply = ScreenApply::NextStart;
    int step = 1;               // what an arrow adds to or takes from a number
    std::string_view prefix{};  // before a number shown ("x" 2)
};

struct OptionEntry {
    std::string_view key{};   // in the settings file; empty: never saved there (one run's options)
    std::string_view flag{};  // on the command line; empty where the words bring their own
    OptionType type = OptionType::Switch;
    OptionField field{};
    std::string_view valueName{};  // after the flag in --help: N, FILE, ja|en
    uint64_t low = 0, high = 0;    // a number's range
    std::span<const OptionWord> words{};
    // Typed twice it is refused, with `twice` or else "FLAG given twice"; options sharing a
    // field count as one.
    bool once = false;
    std::string_view twice{};
    bool GameOptions::*alsoOn = nullptr;  // turned on when it is typed (--timedemo's pace)
    bool (*accepts)(std::string_view) = nullptr;  // a Word's check
    std::string_view badValue{};  // after a bad typed value; empty: as the settings file says it
    DemoRule demo{};
    ScreenRow row{};
    std::string_view help{};     // its --help line; '\n' starts a continuation
    std::string_view comment{};  // the line above its key in a written settings file, if any
};

}  // namespace darts
