// The settings a demo keeps so that it replays the same for every player (the options the table
// marks as stored in a demo: the language and the mouse speed), as settings-file keys and values.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "options/command_line.h"

namespace darts {

// One stored setting: its settings-file key and value.
struct DemoSetting {
    std::string key;
    std::string value;
    bool operator==(const DemoSetting&) const = default;
};

// What `options` holds of the settings a demo keeps, in the table's order.
std::vector<DemoSetting> demoSettings(const GameOptions& options);

// Applies settings a demo kept onto `options`. False, with one line in `error` and `options`
// as it was, for a key that a demo does not keep or a value that key does not take.
bool applyStoredSettings(std::span<const DemoSetting> settings, GameOptions& options,
                         std::string& error);

}  // namespace darts
