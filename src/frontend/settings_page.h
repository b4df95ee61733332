// The settings screen's frame: the plate with its rows, their arrows and values, the Close
// button and the pointer, all in the chosen language of the running game.
#pragma once

#include "core/game_state.h"
#include "frontend/settings_menu.h"
#include "render/device.h"

namespace darts::frontend {

struct SettingsArt {
    render::TextureHandle plate = 0, less = 0, more = 0, button = 0;  // 0: drawn as plain colour
    render::FontHandle body = 0, small = 0;
};
// The screen's pictures and fonts, made on its first opening.
SettingsArt loadSettingsArt(render::Device& device);

// One whole frame, the pointer at x, y.
void drawSettingsPage(const GameState& state, render::Device& device, const SettingsArt& art,
                      const SettingsMenu& menu, int x, int y);

}  // namespace darts::frontend
