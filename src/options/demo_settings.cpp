#include "options/demo_settings.h"

#include "options/option_table.h"
#include "options/option_values.h"

namespace darts {

std::vector<DemoSetting> demoSettings(const GameOptions& options) {
    std::vector<DemoSetting> settings;
    for (const OptionEntry& option : kOptionTable) {
        if (option.demo.stored) settings.push_back({std::string(option.key), optionText(option, options)});
    }
    return settings;
}

bool applyStoredSettings(std::span<const DemoSetting> settings, GameOptions& options,
                         std::string& error) {
    GameOptions applied = options;
    for (const auto& [key, value] : settings) {
        const OptionEntry* option = optionWithKey(key);
        if (option == nullptr || !option->demo.stored) {
            error = "unknown demo setting '" + key + "'";
            return false;
        }
        error = setOptionText(*option, value, applied);
        if (!error.empty()) return false;
    }
    options = std::move(applied);
    return true;
}

}  // namespace darts
