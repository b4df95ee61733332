#include "options/settings_file.h"

#include <ini.h>

#include "core/player_file.h"
#include "options/option_table.h"
#include "options/option_values.h"

namespace darts {
namespace {

// inih reads a line in pieces of this many bytes and would take the rest of a longer line for a
// line of its own; such a line is refused whole instead.
constexpr size_t kLongestLine = INI_MAX_LINE - 2;

// One key: "" when it was applied, otherwise why not.
std::string applyKey(std::string_view key, std::string_view value, GameOptions& options) {
    const OptionEntry* option = optionWithKey(key);
    if (option == nullptr) return "unknown key '" + std::string(key) + "'";
    return setOptionText(*option, value, options);
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
    const OptionEntry* option = optionWithKey(key);
    return option != nullptr ? optionText(*option, options) : std::string();
}

std::string settingsText(const GameOptions& options) {
    std::string text =
        "# darts301 settings, written by the settings screen (F1 on the title).\n"
        "# Options on the command line override these for one run.\n";
    for (const OptionEntry& option : kOptionTable) {
        if (option.key.empty()) continue;
        if (!option.comment.empty()) text += "# " + std::string(option.comment) + "\n";
        text += std::string(option.key) + " = " + optionText(option, options) + "\n";
    }
    return text;
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

namespace {

// The file's text as it is now; a missing file is the defaults' text, as the game read it. False
// when a file is there but cannot be read: it must not be replaced by one that lost its lines.
bool currentText(const std::string& path, std::string& text) {
    PlayerFileText file = readPlayerFile(path, kLargestSettingsFile);
    switch (file.status) {
        case PlayerFileText::Status::Missing:
            text = settingsText(GameOptions{});
            return true;
        case PlayerFileText::Status::Read:
            text = std::move(file.text);
            return true;
        default:
            return false;
    }
}

}  // namespace

std::string updateSettingsFile(const std::string& path, const GameOptions& options,
                               std::span<const std::string_view> keys) {
    const PlayerFileLock lock(path);
    std::string text;
    if (!currentText(path, text)) return path + ": cannot be read, so it is left as it is";
    std::string error;
    if (!writeSettingsFile(path, updatedSettingsText(text, options, keys), error)) return error;
    return {};
}

}  // namespace darts
