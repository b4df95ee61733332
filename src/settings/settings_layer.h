// The settings screen as the game runs it: F1 on the title opens it over the title, its own
// frames and cursor until F1 again, its Close button or Escape. Every change is taken over at
// once where the running game can (the volumes, mute, the cursor's speed, rumble, window or full
// screen), and when the screen closes the keys whose values changed on it are written to the
// settings file, the rest of the file kept line for line. Nothing else in a normal run writes the
// file.
#pragma once

#include <functional>
#include <string>

#include "core/game_state.h"
#include "frontend/settings_menu.h"
#include "frontend/settings_page.h"
#include "loops/feature_layer.h"
#include "options/command_line.h"

namespace darts {

struct SettingsHooks {
    // Takes the chosen settings over where the running game can: the volumes and mute, rumble,
    // and the window when the display row may change while running (may be empty).
    std::function<void(const GameOptions&)> apply;
    // Whether the game shows in a window now, Alt+Enter included (may be empty: as chosen).
    std::function<bool()> windowed;
    std::string filePath;  // empty: no folder for the file, nothing is written
    // False while a demo is played: the recording's changes are not the viewer's to keep.
    bool saves = true;
};

class SettingsLayer final : public FeatureLayer {
  public:
    // `started`: the settings the game runs with (file and command line together).
    SettingsLayer(const GameOptions& started, bool displayLive, SettingsHooks hooks);

    // Every front-end frame: F1 pressed on the title runs the screen until it is closed.
    void frontEndFrame(GameState& state, FrameIo& io) override;

    const GameOptions& chosen() const { return chosen_; }

  private:
    void run(GameState& state, FrameIo& io);
    // Applies one changed row at once where it can.
    void applyChange(GameState& state, const SettingsMenu& menu);
    // The display row shows the window as it is, whatever Alt+Enter did meanwhile.
    void followWindow(SettingsMenu& menu) const;
    void save(const SettingsMenu& menu);

    GameOptions started_;
    GameOptions chosen_;
    bool displayLive_;
    SettingsHooks hooks_;
    bool keyWasDown_ = false;
    frontend::SettingsArt art_;
    bool artMade_ = false;
};

}  // namespace darts
