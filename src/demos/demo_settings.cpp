#include "demos/demo_settings.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "options/settings_file.h"

namespace darts {
namespace {

constexpr std::array<std::string_view, 2> kStoredKeys = {"language", "mouse_speed"};

bool stored(std::string_view key) {
    return std::find(kStoredKeys.begin(), kStoredKeys.end(), key) != kStoredKeys.end();
}

}  // namespace

std::vector<DemoSetting> demoSettings(const GameOptions& options) {
    std::vector<DemoSetting> settings;
    for (std::string_view key : kStoredKeys) {
        settings.push_back({std::string(key), settingValue(key, options)});
    }
    return settings;
}

bool applyDemoSettings(const DemoHeader& header, GameOptions& options, std::string& error) {
    options.language = languageCode(demoLanguage(header));
    for (const DemoSetting& setting : header.settings) {
        if (!stored(setting.key)) {
            error = "the demo needs the setting '" + setting.key + "', which this game does not know";
            return false;
        }
        // Read as a settings file's line, by the same reader and with the same checks.
        std::vector<std::string> warnings;
        GameOptions applied = options;
        applySettingsText(setting.key + " = " + setting.value, "demo", applied, warnings);
        if (!warnings.empty() || setting.value.find_first_of("\n#") != std::string::npos) {
            error = "the demo's setting " + setting.key + " has a value this game does not take ('" +
                    setting.value + "')";
            return false;
        }
        options = applied;
    }
    return true;
}

}  // namespace darts
