#include "settings/settings_layer.h"

#include <cstdio>
#include <vector>

#include "core/player_file.h"
#include "frontend/front_end_input.h"
#include "loops/input_dispatch.h"
#include "options/settings_file.h"

namespace darts {
namespace {

void printError(const std::string& message) {
    std::fprintf(stderr, "darts: %s\n", message.c_str());
}

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
    // Read again and written back under the lock, so that two games closing the screen at once
    // each keep their own changes.
    const PlayerFileLock lock(hooks_.filePath);
    std::string text;
    if (!currentText(hooks_.filePath, text)) {
        printError(hooks_.filePath + ": cannot be read, so it is left as it is");
        return;
    }
    std::string error;
    if (!writeSettingsFile(hooks_.filePath, updatedSettingsText(text, chosen_, keys), error)) {
        printError(error);
    }
}

}  // namespace darts
