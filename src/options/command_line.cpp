#include "options/command_line.h"

#include <algorithm>
#include <map>

#include "options/option_table.h"
#include "options/option_values.h"

namespace darts {
namespace {

constexpr size_t kHelpWidth = 80;
constexpr size_t kExplanationColumn = 30;  // where --help explains each flag

// One spelling the command line takes: an option's flag, or the flag of one of its words.
struct Flag {
    const OptionEntry* option = nullptr;
    const OptionWord* word = nullptr;  // the display's --window and --display-mode
    std::string_view name;             // without "no-"
    bool on = true;                    // false: the --no- form

    bool isSwitch() const { return word != nullptr || option->type == OptionType::Switch; }
    bool GameOptions::*switchOf() const {
        return word != nullptr ? word->field : switchField(*option);
    }
};

// Every flag in the table's order: an option's own, then those of its words.
template <typename Visit>
void forEachFlag(Visit visit) {
    for (const OptionEntry& option : kOptionTable) {
        if (!option.flag.empty()) visit(Flag{&option, nullptr, option.flag});
        for (const OptionWord& word : option.words) {
            if (!word.flag.empty()) visit(Flag{&option, &word, word.flag});
        }
    }
}

std::optional<Flag> flagNamed(std::string_view argument) {
    std::optional<Flag> found;
    forEachFlag([&](Flag flag) {
        if (argument == flag.name) {
            found = flag;
        } else if (flag.isSwitch() && argument.starts_with("--no-") &&
                   argument.substr(5) == flag.name.substr(2)) {
            flag.on = false;
            found = flag;
        }
    });
    return found;
}

CommandLine failure(std::string error) { return {std::nullopt, std::move(error)}; }

// What the command line turned on or set, as against what came from the settings file: the
// command line always wins over the file, and only typed options can contradict each other.
class Typed {
  public:
    void set(std::string_view flag, bool on) { on_[flag] = on; }
    bool on(std::string_view flag) const {
        const auto found = on_.find(flag);
        return found != on_.end() && found->second;
    }

  private:
    std::map<std::string_view, bool> on_;
};

// What typed options say against each other or against the demo being played or recorded; ""
// when nothing.
std::string contradiction(const OptionEntry& option, const Typed& typed,
                          const GameOptions& options) {
    const bool playing = options.playDemo.has_value();
    const bool demo = playing || options.recordDemo.has_value();
    const bool refused = (option.demo.typed == DemoTyped::RefusedWhilePlaying && playing) ||
                         (option.demo.typed == DemoTyped::RefusedWithAnyDemo && demo);
    if (refused && typed.on(option.flag)) {
        return std::string(option.flag) + " cannot be used " + std::string(option.demo.refusal);
    }
    // Two words of one choice typed on.
    const OptionWord* first = nullptr;
    for (const OptionWord& word : option.words) {
        if (word.flag.empty() || !typed.on(word.flag)) continue;
        if (first != nullptr) {
            return std::string(word.flag) + " cannot be used with " + std::string(first->flag);
        }
        first = &word;
    }
    return {};
}

// A word typed on replaces the settings file's choice.
void takeTypedWords(const OptionEntry& option, const Typed& typed, GameOptions& options) {
    for (size_t i = 0; i < option.words.size(); ++i) {
        if (!option.words[i].flag.empty() && typed.on(option.words[i].flag)) {
            chooseWord(option, i, options);
        }
    }
}

std::string padded(std::string text, size_t width) {
    if (text.size() < width) text.resize(width, ' ');
    return text;
}

// "[--[no-]window]", "[--seed N]", "[--screenshot FRAME:FILE.png]...".
std::string synopsisOf(const Flag& flag) {
    if (flag.isSwitch()) return "[--[no-]" + std::string(flag.name.substr(2)) + "]";
    if (flag.option->type == OptionType::Help) return "[" + std::string(flag.name) + "]";
    const std::string typed = std::string(flag.name) + " " + std::string(flag.option->valueName);
    return "[" + typed + "]" + (flag.option->type == OptionType::Repeatable ? "..." : "");
}

// The flag with its value, then its explanation, continuation lines under the explanation.
std::string helpLinesOf(const Flag& flag) {
    std::string left(flag.name);
    if (!flag.isSwitch() && !flag.option->valueName.empty()) {
        left += " " + std::string(flag.option->valueName);
    }
    std::string lines = padded("  " + left, kExplanationColumn - 1) + " ";
    for (const char c : flag.word != nullptr ? flag.word->help : flag.option->help) {
        lines += c;
        if (c == '\n') lines += std::string(kExplanationColumn, ' ');
    }
    return lines + "\n";
}

}  // namespace

SeatWord splitSeatWord(std::string_view word) {
    const size_t colon = word.starts_with("guest") ? word.find(':') : std::string_view::npos;
    if (colon == std::string_view::npos) return {word, {}};
    return {word.substr(0, colon), word.substr(colon + 1)};
}

bool acceptsSides(std::string_view sides) {
    if (sides.empty()) return false;
    int seats = 0;
    bool you = false;
    while (true) {
        const size_t comma = sides.find(',');
        const SeatWord word = splitSeatWord(sides.substr(0, comma));
        const std::string_view seat = word.seat, guestName = word.guestName;
        // A settings file's " #" starts a comment, so a name never holds '#'.
        const bool named = seat.size() < sides.substr(0, comma).size();
        if (named && (guestName.empty() || guestName.size() > kGuestNameMostBytes ||
                      guestName.find('#') != std::string_view::npos ||
                      std::any_of(guestName.begin(), guestName.end(),
                                  [](char c) { return static_cast<unsigned char>(c) < 0x20; }))) {
            return false;
        }
        auto numberAfter = [&](std::string_view prefix, int high) {
            if (seat.substr(0, prefix.size()) != prefix || seat.size() == prefix.size()) {
                return false;
            }
            int value = 0;
            for (char c : seat.substr(prefix.size())) {
                if (c < '0' || c > '9' || value > high) return false;
                value = value * 10 + (c - '0');
            }
            return value >= 1 && value <= high;
        };
        // rNcK: a computer at level N shown as character K.
        const size_t character = seat.starts_with("r") ? seat.find('c') : std::string_view::npos;
        if (seat == "you") {
            if (you) return false;
            you = true;
        } else if (character != std::string_view::npos) {
            if (!acceptsSides(seat.substr(0, character)) ||
                !acceptsSides(seat.substr(character))) {
                return false;
            }
        } else if (seat != "p" && !numberAfter("guest", 8) && !numberAfter("c", 8) &&
                   !numberAfter("r", 99)) {
            return false;
        }
        ++seats;
        if (comma == std::string_view::npos) break;
        sides.remove_prefix(comma + 1);
    }
    return seats <= 4;
}

CommandLine parseCommandLine(std::span<const std::string_view> arguments, GameOptions base) {
    GameOptions options = std::move(base);
    Typed typed;
    std::vector<OptionField> givenOnce;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        const std::optional<Flag> flag = flagNamed(argument);
        if (!flag) return failure("unknown option '" + std::string(argument) + "'");
        const OptionEntry& option = *flag->option;
        if (option.type == OptionType::Help) return {std::nullopt, {}, true};
        if (flag->isSwitch()) {
            options.*flag->switchOf() = flag->on;
            typed.set(flag->name, flag->on);
            continue;
        }
        if (i + 1 == arguments.size()) return failure(std::string(argument) + " needs a value");
        const std::string_view value = arguments[++i];
        // Given twice, one of them would be silently ignored.
        if (option.once) {
            if (std::ranges::find(givenOnce, option.field) != givenOnce.end()) {
                return failure(option.twice.empty() ? std::string(argument) + " given twice"
                                                    : std::string(option.twice));
            }
            givenOnce.push_back(option.field);
        }
        if (!setTypedValue(option, value, options)) {
            return failure("bad value '" + std::string(value) + "' for " + std::string(argument) +
                           " (" + typedValueHint(option) + ")");
        }
        typed.set(flag->name, true);
    }
    for (const OptionEntry& option : kOptionTable) {
        std::string error = contradiction(option, typed, options);
        if (!error.empty()) return failure(std::move(error));
    }
    // What a demo cannot hold is off while one plays or is recorded (typed, it was refused above),
    // and the language of a demo being played is the demo's own.
    const bool demo = options.playDemo || options.recordDemo;
    for (const OptionEntry& option : kOptionTable) {
        takeTypedWords(option, typed, options);
        // The settings file's value, that is: a typed one that a demo may hold stays.
        if (demo && option.demo.defaultInDemo && !typed.on(option.flag)) {
            resetOption(option, options);
        }
    }
    return {std::move(options), {}};
}

std::string usageText(std::string_view program) {
    std::string usage = "usage: " + std::string(program.empty() ? "darts" : program);
    size_t lineStart = 0;
    forEachFlag([&](const Flag& flag) {
        const std::string part = synopsisOf(flag);
        if (usage.size() - lineStart + 1 + part.size() > kHelpWidth) {
            usage += "\n";
            lineStart = usage.size();
            usage += "      ";
        }
        usage += " " + part;
    });
    usage += "\n";
    forEachFlag([&](const Flag& flag) { usage += helpLinesOf(flag); });
    return usage +
           "Each switch has a --no- form that turns it off (--no-window, --no-rumble, ...).\n"
           "Settings are read from $XDG_CONFIG_HOME/darts301/darts301.conf (~/.config/...);\n"
           "the options above override them for one run; F1 on the title opens the settings\n"
           "screen, which writes the keys changed there. A demo plays in the language it was\n"
           "recorded in, at mouse speed 3, without awards or replays, whatever the settings\n"
           "say.\n"
           "Run it from the folder that holds data/ and sound/.\n";
}

}  // namespace darts
