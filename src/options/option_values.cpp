#include "options/option_values.h"

#include <charconv>
#include <limits>
#include <type_traits>

#include "options/option_table.h"

namespace darts {
namespace {

template <typename T>
std::optional<uint64_t> widened(const std::optional<T>& number) {
    return number ? std::optional<uint64_t>(static_cast<uint64_t>(*number)) : std::nullopt;
}

template <typename T>
std::optional<T> narrowed(std::optional<uint64_t> number) {
    return number ? std::optional<T>(static_cast<T>(*number)) : std::nullopt;
}

// Each type's field is of the kind its reader and writer below expect, and the file and the
// screen only meet the types they can spell; a table that says otherwise does not build.
constexpr bool fieldFits(const OptionEntry& option) {
    const OptionField& f = option.field;
    switch (option.type) {
        case OptionType::Switch:
            return std::holds_alternative<bool GameOptions::*>(f);
        case OptionType::Number:
            return option.words.size() <= 1 && option.low <= option.high &&
                   (std::holds_alternative<int GameOptions::*>(f) ||
                    std::holds_alternative<std::optional<int> GameOptions::*>(f) ||
                    std::holds_alternative<std::optional<uint32_t> GameOptions::*>(f) ||
                    std::holds_alternative<std::optional<uint64_t> GameOptions::*>(f));
        case OptionType::Choice:
            return !option.words.empty() &&
                   (std::holds_alternative<std::string GameOptions::*>(f) ||
                    std::holds_alternative<std::monostate>(f));
        case OptionType::Text:
            return std::holds_alternative<std::optional<std::string> GameOptions::*>(f);
        case OptionType::Word:
            // Its check is tested where a value is read: under the sanitizers a function's
            // address is no constant.
            return std::holds_alternative<std::string GameOptions::*>(f);
        case OptionType::Repeatable:
            return std::holds_alternative<std::vector<ScreenshotRequest> GameOptions::*>(f);
        case OptionType::Help:
            return std::holds_alternative<std::monostate>(f);
    }
    return false;
}

constexpr bool tableIsWellFormed() {
    for (const OptionEntry& option : kOptionTable) {
        if (!fieldFits(option)) return false;
        if (option.type == OptionType::Switch && option.flag.empty()) return false;  // no --no-
        const bool spelledInFile =
            option.type == OptionType::Switch || option.type == OptionType::Number ||
            option.type == OptionType::Choice || option.type == OptionType::Word;
        // The screen writes its rows to the file by key, and a demo keeps settings by key.
        const bool keyed = !option.key.empty() || hasRow(option) || option.demo.stored;
        if (keyed && (!spelledInFile || option.key.empty())) return false;
        for (const OptionEntry& other : kOptionTable) {
            if (&other != &option && !option.key.empty() && other.key == option.key) return false;
            if (&other != &option && !option.flag.empty() && other.flag == option.flag) {
                return false;
            }
        }
    }
    return true;
}
static_assert(tableIsWellFormed());

const GameOptions kDefaults;

std::optional<bool> parseSwitch(std::string_view value) {
    if (value == "yes" || value == "on" || value == "true" || value == "1") return true;
    if (value == "no" || value == "off" || value == "false" || value == "0") return false;
    return std::nullopt;
}

// A whole decimal number without sign, blanks or anything after it, within `max`.
std::optional<uint64_t> parseCount(std::string_view text, uint64_t max) {
    uint64_t value = 0;
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || value > max) return std::nullopt;
    return value;
}

// The settings file has always read its numbers as signed ones, so there "-0" is 0.
std::optional<uint64_t> parseFileNumber(std::string_view text, uint64_t low, uint64_t high) {
    int64_t value = 0;
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || value < 0) return std::nullopt;
    const auto number = static_cast<uint64_t>(value);
    if (number < low || number > high) return std::nullopt;
    return number;
}

std::optional<ScreenshotRequest> parseScreenshot(std::string_view text) {
    const size_t colon = text.find(':');
    if (colon == std::string_view::npos) return std::nullopt;
    const auto frame = parseCount(text.substr(0, colon), std::numeric_limits<uint64_t>::max());
    const std::string_view file = text.substr(colon + 1);
    if (!frame || *frame == 0 || file.empty()) return std::nullopt;
    return ScreenshotRequest{*frame, std::string(file)};
}

// What the settings file takes for the option: "yes or no", "1..16", "ja or en".
std::string fileHint(const OptionEntry& option) {
    switch (option.type) {
        case OptionType::Switch:
            return "yes or no";
        case OptionType::Number:
            return std::to_string(option.low) + ".." + std::to_string(option.high);
        case OptionType::Choice: {
            std::string words;
            for (size_t i = 0; i < option.words.size(); ++i) {
                if (i > 0) words += i + 1 == option.words.size() ? " or " : ", ";
                words += option.words[i].word;
            }
            return words;
        }
        case OptionType::Word:
            return std::string(option.badValue);
        default:
            return {};
    }
}

bool setAcceptedWord(const OptionEntry& option, std::string_view text, GameOptions& options) {
    if (option.accepts == nullptr || !option.accepts(text)) return false;
    options.*std::get<std::string GameOptions::*>(option.field) = std::string(text);
    return true;
}

// The number or, where the option has one, its word for none.
bool setNumberOrWord(const OptionEntry& option, std::string_view text,
                     std::optional<uint64_t> number, GameOptions& options) {
    if (!option.words.empty() && text == option.words[0].word) {
        setNumber(option, std::nullopt, options);
        return true;
    }
    if (!number) return false;
    setNumber(option, number, options);
    return true;
}

bool setWord(const OptionEntry& option, std::string_view text, GameOptions& options) {
    for (size_t i = 0; i < option.words.size(); ++i) {
        if (option.words[i].word == text) {
            chooseWord(option, i, options);
            return true;
        }
    }
    return false;
}

}  // namespace

bool GameOptions::*switchField(const OptionEntry& option) {
    const auto* field = std::get_if<bool GameOptions::*>(&option.field);
    return field != nullptr ? *field : nullptr;
}

std::optional<uint64_t> numberOf(const OptionEntry& option, const GameOptions& options) {
    const OptionField& field = option.field;
    if (const auto* number = std::get_if<int GameOptions::*>(&field)) {
        return static_cast<uint64_t>(options.*(*number));
    }
    if (const auto* number = std::get_if<std::optional<int> GameOptions::*>(&field)) {
        return widened(options.*(*number));
    }
    if (const auto* number = std::get_if<std::optional<uint32_t> GameOptions::*>(&field)) {
        return widened(options.*(*number));
    }
    if (const auto* number = std::get_if<std::optional<uint64_t> GameOptions::*>(&field)) {
        return options.*(*number);
    }
    return std::nullopt;
}

void setNumber(const OptionEntry& option, std::optional<uint64_t> number, GameOptions& options) {
    const OptionField& field = option.field;
    if (const auto* always = std::get_if<int GameOptions::*>(&field)) {
        options.*(*always) = static_cast<int>(number.value_or(0));
    } else if (const auto* scale = std::get_if<std::optional<int> GameOptions::*>(&field)) {
        options.*(*scale) = narrowed<int>(number);
    } else if (const auto* seed = std::get_if<std::optional<uint32_t> GameOptions::*>(&field)) {
        options.*(*seed) = narrowed<uint32_t>(number);
    } else if (const auto* count = std::get_if<std::optional<uint64_t> GameOptions::*>(&field)) {
        options.*(*count) = number;
    }
}

size_t chosenWord(const OptionEntry& option, const GameOptions& options) {
    if (const auto* field = std::get_if<std::string GameOptions::*>(&option.field)) {
        for (size_t i = 0; i < option.words.size(); ++i) {
            if (option.words[i].word == options.*(*field)) return i;
        }
        return 0;
    }
    // A choice of switches: the first one on, or the word without a switch.
    size_t allOff = 0;
    for (size_t i = 0; i < option.words.size(); ++i) {
        const OptionWord& word = option.words[i];
        if (word.field == nullptr) {
            allOff = i;
        } else if (options.*word.field) {
            return i;
        }
    }
    return allOff;
}

void chooseWord(const OptionEntry& option, size_t word, GameOptions& options) {
    if (const auto* field = std::get_if<std::string GameOptions::*>(&option.field)) {
        options.*(*field) = std::string(option.words[word].word);
        return;
    }
    for (size_t i = 0; i < option.words.size(); ++i) {
        if (option.words[i].field != nullptr) options.*option.words[i].field = i == word;
    }
}

std::string optionText(const OptionEntry& option, const GameOptions& options) {
    switch (option.type) {
        case OptionType::Switch:
            return options.*switchField(option) ? "yes" : "no";
        case OptionType::Number: {
            const std::optional<uint64_t> number = numberOf(option, options);
            if (number) return std::to_string(*number);
            return option.words.empty() ? "" : std::string(option.words[0].word);
        }
        case OptionType::Choice:
            if (const auto* field = std::get_if<std::string GameOptions::*>(&option.field)) {
                return options.*(*field);  // as it is, even one the file would refuse
            }
            return std::string(option.words[chosenWord(option, options)].word);
        case OptionType::Word:
            return options.*std::get<std::string GameOptions::*>(option.field);
        default:
            return {};
    }
}

std::string setOptionText(const OptionEntry& option, std::string_view text, GameOptions& options) {
    bool set = false;
    switch (option.type) {
        case OptionType::Switch:
            if (const std::optional<bool> on = parseSwitch(text)) {
                options.*switchField(option) = *on;
                set = true;
            }
            break;
        case OptionType::Number:
            set = setNumberOrWord(option, text, parseFileNumber(text, option.low, option.high),
                                  options);
            break;
        case OptionType::Choice:
            set = setWord(option, text, options);
            break;
        case OptionType::Word:
            set = setAcceptedWord(option, text, options);
            break;
        default:
            break;
    }
    if (set) return {};
    return "bad value '" + std::string(text) + "' for " + std::string(option.key) + " (" +
           fileHint(option) + ")";
}

bool setTypedValue(const OptionEntry& option, std::string_view text, GameOptions& options) {
    switch (option.type) {
        case OptionType::Number: {
            std::optional<uint64_t> number = parseCount(text, option.high);
            if (number && *number < option.low) number.reset();
            return setNumberOrWord(option, text, number, options);
        }
        case OptionType::Choice:
            if (!setWord(option, text, options)) return false;
            if (option.alsoOn != nullptr) options.*option.alsoOn = true;
            return true;
        case OptionType::Word:
            return setAcceptedWord(option, text, options);
        case OptionType::Text:
            options.*std::get<std::optional<std::string> GameOptions::*>(option.field) =
                std::string(text);
            if (option.alsoOn != nullptr) options.*option.alsoOn = true;
            return true;
        case OptionType::Repeatable: {
            std::optional<ScreenshotRequest> shot = parseScreenshot(text);
            if (!shot) return false;
            (options.*std::get<std::vector<ScreenshotRequest> GameOptions::*>(option.field))
                .push_back(std::move(*shot));
            return true;
        }
        default:
            return false;
    }
}

std::string typedValueHint(const OptionEntry& option) {
    return option.badValue.empty() ? fileHint(option) : std::string(option.badValue);
}

void resetOption(const OptionEntry& option, GameOptions& options) {
    std::visit(
        [&](const auto& field) {
            if constexpr (!std::is_same_v<std::decay_t<decltype(field)>, std::monostate>) {
                options.*field = kDefaults.*field;
            }
        },
        option.field);
    for (const OptionWord& word : option.words) {
        if (word.field != nullptr) options.*word.field = kDefaults.*word.field;
    }
}

}  // namespace darts
