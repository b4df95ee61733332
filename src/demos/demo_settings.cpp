#include "demos/demo_settings.h"

namespace darts {

bool applyDemoSettings(const DemoHeader& header, GameOptions& options, std::string& error) {
    GameOptions applied = options;
    applied.language = languageCode(demoLanguage(header));
    if (!applyStoredSettings(header.settings, applied, error)) return false;
    // A demo that holds a bar game was started with it at once.
    applied.startGame = applied.game != "none";
    options = std::move(applied);
    return true;
}

}  // namespace darts
