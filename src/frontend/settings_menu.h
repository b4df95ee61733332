// The settings screen's rows without any drawing or device: what each row shows, what a click on
// its arrows or its value does to the chosen settings, and which choices a running game can take
// over at once (the rest wait for the next start, which the screen says beside the row).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/game_texts.h"
#include "options/command_line.h"
#include "options/option_table.h"

namespace darts {

namespace settings_rows {
// The row of the option with settings-file key `key`; no row is no build.
void noSuchRow();
constexpr int of(std::string_view key) {
    for (int row = 0; row < optionRowCount(); ++row) {
        if (optionOfRow(row)->key == key) return row;
    }
    noSuchRow();
    return -1;
}
}  // namespace settings_rows

// The rows are the option table's (each option with a label, in the table's order); these names
// are for the code that means one of them.
enum class SettingRow : int {
    Display = settings_rows::of("display"),
    Scale = settings_rows::of("scale"),
    Stretch = settings_rows::of("stretch"),
    Sharp = settings_rows::of("sharp"),
    SmoothHud = settings_rows::of("smooth_hud"),
    MusicVolume = settings_rows::of("music_volume"),
    EffectVolume = settings_rows::of("effect_volume"),
    Mute = settings_rows::of("mute"),
    MouseSpeed = settings_rows::of("mouse_speed"),
    Rumble = settings_rows::of("rumble"),
    Awards = settings_rows::of("awards"),
    BarGames = settings_rows::of("bar_games"),
    CheckoutHint = settings_rows::of("checkout_hint"),
    Language = settings_rows::of("language"),
    Replay = settings_rows::of("replay"),
    Count = optionRowCount(),  // past the last row: none
};
constexpr int kSettingRows = static_cast<int>(SettingRow::Count);

// Where everything sits on the 800 x 600 frame; the plate's picture is painted to the same
// measures.
namespace settings_layout {
inline constexpr int kPlateLeft = 100, kPlateTop = 60, kPlateWidth = 600, kPlateHeight = 480;
inline constexpr int kFirstRowTop = 128;  // the rows lie below the heading band
inline constexpr int kRowHeight = 23;     // fifteen rows end at 473, clear of Close
inline constexpr int kLabelX = 130;
inline constexpr int kArrowWidth = 28, kArrowHeight = 21;
inline constexpr int kLeftArrowX = 410, kRightArrowX = 630;
inline constexpr int kValueCentreX = (kLeftArrowX + kArrowWidth + kRightArrowX) / 2;
inline constexpr int kMarkX = 664;  // the "from the next start" mark
inline constexpr int kCloseLeft = 560, kCloseTop = 488, kCloseWidth = 120, kCloseHeight = 34;
inline constexpr int kNoteX = 130, kNoteY = 498;
static_assert(kFirstRowTop + kSettingRows * kRowHeight < kCloseTop, "the rows run into Close");
static_assert(kArrowHeight <= kRowHeight);
}  // namespace settings_layout

// The file's key of a row ("music_volume").
std::string_view settingKey(SettingRow row);
// The row's label, Shift-JIS.
std::string_view settingLabel(SettingRow row, Language language);

// What a press of the left button at a point of the frame lands on.
struct SettingsHit {
    enum class Kind { Nothing, Less, More, Value, Close } kind = Kind::Nothing;
    SettingRow row = SettingRow::Count;
};
SettingsHit settingsHitAt(int x, int y);

class SettingsMenu {
  public:
    // `shown`: the settings as last chosen; `started`: those the game started with, which the
    // rows that wait for the next start still run on. `displayLive`: whether the window can go
    // between full screen and a window while running (not after a switch of the display mode).
    SettingsMenu(const GameOptions& shown, const GameOptions& started, bool displayLive);

    // One step of a row: -1 the arrow to the left, +1 the arrow to the right. Numbers stop at
    // their ends; choices go round. False when nothing changed.
    bool step(SettingRow row, int direction);
    // A click on the row's value: the next choice; numbers stay (their arrows change them).
    bool clickValue(SettingRow row);

    // The row's value as the screen shows it, Shift-JIS.
    std::string valueText(SettingRow row, Language language) const;
    // Whether the chosen value waits for the next start.
    bool waitsForRestart(SettingRow row) const;
    // Whether the running game takes the row over at once.
    bool appliesLive(SettingRow row) const;
    // Whether the row's value differs from the one it showed when the screen was made: a row
    // changed and changed back is not.
    bool changed(SettingRow row) const;
    bool anyChanged() const;

    // The window as it is now (Alt+Enter goes round the screen): where the display row applies
    // live it shows that, and it is no change of the player's.
    void showWindowed(bool windowed);

    const GameOptions& chosen() const { return chosen_; }

  private:
    GameOptions chosen_;
    GameOptions shown_;
    GameOptions started_;
    bool displayLive_;
};

}  // namespace darts
