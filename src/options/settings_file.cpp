#include "options/settings_file.h"

#include <ini.h>

#include <charconv>
#include <sstream>

#include "core/player_file.h"

namespace darts {
namespace {

// inih reads a line in pieces of this many bytes and would take the rest of a longer line for a
// line of its own; such a line is refused whole instead.
constexpr size_t kLongestLine = INI_MAX_LINE - 2;

std::optional<bool> parseSwitch(std::string_view value) {
    if (value == "yes" || value == "on" || value == "true" || value == "1") return true;
    if (value == "no" || value == "off" || value == "false" || value == "0") return false;
    return std::nullopt;
}

std::optional<int> parseNumber(std::string_view value, int low, int high) {
    int number = 0;
    const char* end = value.data() + value.size();
    auto [stop, error] = std::from_chars(value.data(), end, number);
    if (value.empty() || error != std::errc() || stop != end || number < low || number > high) {
        return std::nullopt;
    }
    return number;
}

// One key: "" when it was applied, otherwise why not.
std::string applyKey(std::string_view key, std::string_view value, GameOptions& options) {
    const std::string bad = "bad value '" + std::string(value) + "' for " + std::string(key);
    auto number = [&](int& field, int low, int high) -> std::string {
        const auto parsed = parseNumber(value, low, high);
        if (!parsed) return bad + " (" + std::to_string(low) + ".." + std::to_string(high) + ")";
        field = *parsed;
        return {};
    };
    auto flag = [&](bool& field) -> std::string {
        const auto parsed = parseSwitch(value);
        if (!parsed) return bad + " (yes or no)";
        field = *parsed;
        return {};
    };
    if (key == "display") {
        if (value == "fullscreen") {
            options.windowed = false;
            options.displayMode = false;
        } else if (value == "window") {
            options.windowed = true;
            options.displayMode = false;
        } else if (value == "mode") {
            options.windowed = false;
            options.displayMode = true;
        } else {
            return bad + " (fullscreen, window or mode)";
        }
        return {};
    }
    if (key == "scale") {
        if (value == "auto") {
            options.scale.reset();
            return {};
        }
        int scale = 0;
        std::string error = number(scale, 1, 16);
        if (error.empty()) options.scale = scale;
        return error;
    }
    if (key == "stretch") return flag(options.stretch);
    if (key == "sharp") return flag(options.sharp);
    if (key == "smooth_hud") return flag(options.smoothHud);
    if (key == "music_volume") return number(options.musicVolume, 0, kFullVolume);
    if (key == "effect_volume") return number(options.effectVolume, 0, kFullVolume);
    if (key == "mute") return flag(options.mute);
    if (key == "mouse_speed") return number(options.mouseSpeed, 1, kMaxMouseSpeed);
    if (key == "rumble") return flag(options.rumble);
    if (key == "awards") return flag(options.awards);
    if (key == "language") {
        if (value != "ja" && value != "en") return bad + " (ja or en)";
        options.language = std::string(value);
        return {};
    }
    return "unknown key '" + std::string(key) + "'";
}

struct LineResult {
    GameOptions* options;
    std::string error;
    bool sawKey = false;
};

int handleKey(void* user, const char* section, const char* name, const char* value) {
    auto* line = static_cast<LineResult*>(user);
    line->sawKey = true;
    if (section[0] != '\0') {
        line->error = "sections are not used here";
    } else {
        line->error = applyKey(name, value, *line->options);
    }
    return 1;
}

std::string_view trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    const size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

// `#` starts a comment at a line's start or after a blank, as `;` does in the line reader.
std::string_view withoutHashComment(std::string_view line) {
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '#' && (i == 0 || line[i - 1] == ' ' || line[i - 1] == '\t')) {
            return line.substr(0, i);
        }
    }
    return line;
}

}  // namespace

std::optional<std::string> settingsFilePath() {
    const std::optional<std::string> folder = xdgFolder("XDG_CONFIG_HOME", ".config");
    if (!folder) return std::nullopt;
    return *folder + "/darts301/darts301.conf";
}

void applySettingsText(std::string_view text, std::string_view fileName, GameOptions& options,
                       std::vector<std::string>& warnings) {
    // Line by line, so that every bad line gets a warning with its own number and a broken line
    // can never run on into the next.
    size_t lineNumber = 0;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view raw = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        const std::string where = std::string(fileName) + ":" + std::to_string(lineNumber) + ": ";
        std::string_view line = raw;
        if (lineNumber == 1 && line.starts_with("\xEF\xBB\xBF")) line.remove_prefix(3);
        line = trimmed(withoutHashComment(line));
        if (line.empty() || line[0] == ';') continue;
        if (line.size() > kLongestLine || line.find('\0') != std::string_view::npos) {
            warnings.push_back(where + "damaged line, ignored");
            continue;
        }
        if (line[0] == '[') {
            warnings.push_back(where + "sections are not used here, ignored");
            continue;
        }
        // Applied to a copy so that a line which turns out bad changes nothing.
        GameOptions changed = options;
        LineResult result{&changed, {}};
        const std::string copy(line);
        const int failedLine = ini_parse_string(copy.c_str(), handleKey, &result);
        if (failedLine != 0 || !result.sawKey) {
            warnings.push_back(where + "not a 'key = value' line, ignored");
        } else if (!result.error.empty()) {
            warnings.push_back(where + result.error + ", ignored");
        } else {
            options = std::move(changed);
        }
    }
}

void applySettingsFile(const std::string& path, GameOptions& options,
                       std::vector<std::string>& warnings) {
    const PlayerFileText file = readPlayerFile(path, kLargestSettingsFile);
    if (file.status == PlayerFileText::Status::Read) {
        applySettingsText(file.text, path, options, warnings);
    } else if (file.status != PlayerFileText::Status::Missing) {
        warnings.push_back(file.problem + ", settings left as they are");
    }
}

std::string settingValue(std::string_view key, const GameOptions& options) {
    auto yesNo = [](bool on) { return std::string(on ? "yes" : "no"); };
    if (key == "display") return options.windowed ? "window" : options.displayMode ? "mode" : "fullscreen";
    if (key == "scale") return options.scale ? std::to_string(*options.scale) : "auto";
    if (key == "stretch") return yesNo(options.stretch);
    if (key == "sharp") return yesNo(options.sharp);
    if (key == "smooth_hud") return yesNo(options.smoothHud);
    if (key == "music_volume") return std::to_string(options.musicVolume);
    if (key == "effect_volume") return std::to_string(options.effectVolume);
    if (key == "mute") return yesNo(options.mute);
    if (key == "mouse_speed") return std::to_string(options.mouseSpeed);
    if (key == "rumble") return yesNo(options.rumble);
    if (key == "awards") return yesNo(options.awards);
    if (key == "language") return options.language;
    return {};
}

std::string settingsText(const GameOptions& options) {
    std::ostringstream out;
    auto line = [&](const char* key) { out << key << " = " << settingValue(key, options) << "\n"; };
    out << "# darts301 settings, written by the settings screen (F1 on the title).\n"
           "# Options on the command line override these for one run.\n"
        << "# fullscreen (the desktop's mode), window, or mode (switch to 800 x 600)\n";
    line("display");
    out << "# auto, or a whole-number scale of the 800 x 600 picture\n";
    line("scale");
    out << "# yes: fill the screen instead of keeping the picture's shape\n";
    line("stretch");
    out << "# yes: draw the picture at the size it is shown instead of magnifying 800 x 600\n";
    line("sharp");
    out << "# yes: with sharp, the HUD's magnified pictures drawn smooth, not in square pixels\n";
    line("smooth_hud");
    out << "# volumes in percent, 0..100\n";
    line("music_volume");
    line("effect_volume");
    line("mute");
    out << "# front-end cursor pixels per mouse count, 1.." << kMaxMouseSpeed << " (3 as made)\n";
    line("mouse_speed");
    out << "# a short rumble of the game controller when a dart hits the board\n";
    line("rumble");
    line("awards");
    out << "# ja or en\n";
    line("language");
    return out.str();
}

std::string updatedSettingsText(std::string_view existing, const GameOptions& options,
                                std::span<const std::string_view> keys) {
    std::string out;
    std::vector<bool> written(keys.size(), false);
    size_t start = 0;
    while (start < existing.size()) {
        size_t end = existing.find('\n', start);
        const bool lastLine = end == std::string_view::npos;
        if (lastLine) end = existing.size();
        const std::string_view line = existing.substr(start, end - start);
        start = end + 1;
        // The key as the reader sees it: before the first '=', blanks around it dropped.
        const size_t equals = line.find('=');
        const std::string_view key =
            equals == std::string_view::npos ? std::string_view{} : trimmed(line.substr(0, equals));
        bool replaced = false;
        for (size_t k = 0; k < keys.size(); ++k) {
            if (key != keys[k]) continue;
            out += std::string(key) + " = " + settingValue(key, options) + "\n";
            written[k] = replaced = true;
        }
        if (!replaced) {
            out += line;
            if (!lastLine || !line.empty()) out += '\n';
        }
    }
    for (size_t k = 0; k < keys.size(); ++k) {
        if (!written[k]) out += std::string(keys[k]) + " = " + settingValue(keys[k], options) + "\n";
    }
    return out;
}

bool writeSettingsFile(const std::string& path, std::string_view text, std::string& error) {
    return writePlayerFile(path, text, error);
}

}  // namespace darts
