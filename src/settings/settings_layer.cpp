#include "settings/settings_layer.h"

#include <cstdio>
#include <vector>

#include "frontend/front_end_input.h"
#include "loops/input_dispatch.h"
#include "options/settings_file.h"

namespace darts {
namespace {

void printError(const std::string& message) {
    std::fprintf(stderr, "darts: %s\n", message.c_str());
}

}  // namespace

SettingsLayer::SettingsLayer(const GameOptions& started, bool displayLive, SettingsHooks hooks)
    : started_(started), chosen_(started), displayLive_(displayLive), hooks_(std::move(hooks)) {}

void SettingsLayer::frontEndFrame(GameState& state, FrameIo& io) {
    const bool down = io.input.screenKeyDown(platform::ScreenKey::Settings);
    const bool pressed = down && !keyWasDown_;
    keyWasDown_ = down;
    if (!pressed || state.screen != ScreenId::Title || state.inFrontEnd != 1) return;
    run(state, io);
}

void SettingsLayer::run(GameState& state, FrameIo& io) {
    if (!artMade_) {
        art_ = frontend::loadSettingsArt(io.device);
        artMade_ = true;
    }
    SettingsMenu menu(chosen_, started_, displayLive_);
    // The screen's own cursor starts where the title's was and leaves it where it ended.
    int32_t x = state.cursorX, y = state.cursorY;
    bool open = true;
    while (open) {
        followWindow(menu);
        frontend::drawSettingsPage(state, io.device, art_, menu, x, y);
        if (io.input.escapeDown()) {
            // Escape keeps its meaning on the title: the screen closes and the game ends.
            save(menu);
            pollKeyboard(state, io);
            return;
        }
        platform::MouseRecord records[platform::kMouseBufferSize];
        const int count = io.input.readMouse(records, platform::kMouseBufferSize);
        for (int i = 0; i < count && i < platform::kMouseBufferSize && open; ++i) {
            const platform::MouseRecord& record = records[i];
            if (record.object == platform::MouseObject::X) {
                x = moveCursor(x, record.data, render::kFrameWidth, state.cursorPixelsPerCount);
            } else if (record.object == platform::MouseObject::Y) {
                y = moveCursor(y, record.data, render::kFrameHeight, state.cursorPixelsPerCount);
            } else if (record.object == platform::MouseObject::Button0 &&
                       (record.data & platform::kButtonPressed) != 0) {
                // Each press acts once, however long the button stays down.
                const SettingsHit hit = settingsHitAt(x, y);
                bool changed = false;
                switch (hit.kind) {
                    case SettingsHit::Kind::Less:
                        changed = menu.step(hit.row, -1);
                        break;
                    case SettingsHit::Kind::More:
                        changed = menu.step(hit.row, +1);
                        break;
                    case SettingsHit::Kind::Value:
                        changed = menu.clickValue(hit.row);
                        break;
                    case SettingsHit::Kind::Close:
                        open = false;
                        break;
                    case SettingsHit::Kind::Nothing:
                        break;
                }
                if (changed) {
                    // Another row's change must not put the window back as the screen last saw it.
                    if (hit.row != SettingRow::Display) followWindow(menu);
                    applyChange(state, menu);
                }
            }
        }
        const bool down = io.input.screenKeyDown(platform::ScreenKey::Settings);
        if (down && !keyWasDown_) open = false;
        keyWasDown_ = down;
    }
    state.cursorX = x;
    state.cursorY = y;
    save(menu);
}

void SettingsLayer::applyChange(GameState& state, const SettingsMenu& menu) {
    chosen_ = menu.chosen();
    state.cursorPixelsPerCount = chosen_.mouseSpeed;
    state.barGamesOn = chosen_.barGames ? 1 : 0;
    state.checkoutHintOn = chosen_.checkoutHint ? 1 : 0;
    if (hooks_.apply) hooks_.apply(chosen_);
}

void SettingsLayer::followWindow(SettingsMenu& menu) const {
    if (hooks_.windowed) menu.showWindowed(hooks_.windowed());
}

void SettingsLayer::save(const SettingsMenu& menu) {
    chosen_ = menu.chosen();
    std::vector<std::string_view> keys;
    for (int row = 0; row < kSettingRows; ++row) {
        if (menu.changed(static_cast<SettingRow>(row))) {
            keys.push_back(settingKey(static_cast<SettingRow>(row)));
        }
    }
    if (keys.empty() || !hooks_.saves) return;
    if (hooks_.filePath.empty()) {
        printError(
            "no folder for the settings (neither XDG_CONFIG_HOME nor HOME is an absolute "
            "path), not kept");
        return;
    }
    if (const std::string error = updateSettingsFile(hooks_.filePath, chosen_, keys);
        !error.empty()) {
        printError(error);
    }
}

}  // namespace darts
