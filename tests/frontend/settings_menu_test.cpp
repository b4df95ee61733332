// The settings screen's rows: where a click lands, what a step does at the ends of a value, and
// which choices the running game takes over at once.
#include "frontend/settings_menu.h"

#include <gtest/gtest.h>

#include <vector>

#include "options/settings_file.h"

namespace darts {
namespace {

namespace layout = settings_layout;
using Kind = SettingsHit::Kind;

int rowMiddle(SettingRow row) {
    return layout::kFirstRowTop + static_cast<int>(row) * layout::kRowHeight +
           layout::kRowHeight / 2;
}

TEST(SettingsMenu, ClicksLandOnTheArrowsTheValueAndClose) {
    for (int index = 0; index < kSettingRows; ++index) {
        const auto row = static_cast<SettingRow>(index);
        const int y = rowMiddle(row);
        SettingsHit hit = settingsHitAt(layout::kLeftArrowX + 2, y);
        EXPECT_EQ(hit.kind, Kind::Less) << index;
        EXPECT_EQ(hit.row, row);
        hit = settingsHitAt(layout::kRightArrowX + layout::kArrowWidth - 1, y);
        EXPECT_EQ(hit.kind, Kind::More) << index;
        EXPECT_EQ(hit.row, row);
        EXPECT_EQ(settingsHitAt(layout::kValueCentreX, y).kind, Kind::Value);
        EXPECT_EQ(settingsHitAt(layout::kLabelX, y).kind, Kind::Nothing);  // the label
    }
    // Just outside an arrow, above the rows, below them and off the frame: nothing.
    EXPECT_EQ(settingsHitAt(layout::kLeftArrowX - 1, rowMiddle(SettingRow::Mute)).kind,
              Kind::Nothing);
    EXPECT_EQ(
        settingsHitAt(layout::kRightArrowX + layout::kArrowWidth, rowMiddle(SettingRow::Mute)).kind,
        Kind::Nothing);
    EXPECT_EQ(settingsHitAt(layout::kValueCentreX, layout::kFirstRowTop - 1).kind, Kind::Nothing);
    EXPECT_EQ(settingsHitAt(layout::kValueCentreX,
                            layout::kFirstRowTop + kSettingRows * layout::kRowHeight)
                  .kind,
              Kind::Nothing);
    EXPECT_EQ(settingsHitAt(-5, -5).kind, Kind::Nothing);
    EXPECT_EQ(settingsHitAt(layout::kCloseLeft, layout::kCloseTop).kind, Kind::Close);
    EXPECT_EQ(settingsHitAt(layout::kCloseLeft + layout::kCloseWidth - 1,
                            layout::kCloseTop + layout::kCloseHeight - 1)
                  .kind,
              Kind::Close);
    EXPECT_EQ(settingsHitAt(layout::kCloseLeft - 1, layout::kCloseTop).kind, Kind::Nothing);
}

TEST(SettingsMenu, NumbersStopAtTheirEndsAndChoicesGoRound) {
    GameOptions start;
    start.musicVolume = 95;
    start.effectVolume = 5;
    start.mouseSpeed = kMaxMouseSpeed;
    SettingsMenu menu(start, start, true);
    EXPECT_TRUE(menu.step(SettingRow::MusicVolume, +1));
    EXPECT_EQ(menu.chosen().musicVolume, 100);
    EXPECT_FALSE(menu.step(SettingRow::MusicVolume, +1));  // already full
    EXPECT_TRUE(menu.step(SettingRow::MusicVolume, -1));
    EXPECT_EQ(menu.chosen().musicVolume, 90);
    EXPECT_TRUE(menu.step(SettingRow::EffectVolume, -1));
    EXPECT_EQ(menu.chosen().effectVolume, 0);
    EXPECT_FALSE(menu.step(SettingRow::EffectVolume, -1));
    EXPECT_FALSE(menu.step(SettingRow::MouseSpeed, +1));
    EXPECT_FALSE(menu.changed(SettingRow::MouseSpeed));  // a step that moved nothing
    for (int i = 0; i < 30; ++i) menu.step(SettingRow::MouseSpeed, -1);
    EXPECT_EQ(menu.chosen().mouseSpeed, 1);

    // The scale: auto lies below 1, and the file's limit above.
    EXPECT_FALSE(menu.step(SettingRow::Scale, -1));
    EXPECT_TRUE(menu.step(SettingRow::Scale, +1));
    EXPECT_EQ(menu.chosen().scale, 1);
    for (int i = 0; i < 30; ++i) menu.step(SettingRow::Scale, +1);
    EXPECT_EQ(menu.chosen().scale, 16);

    // The display goes round both ways; each value sets both of its fields.
    EXPECT_TRUE(menu.step(SettingRow::Display, -1));
    EXPECT_TRUE(menu.chosen().displayMode);
    EXPECT_FALSE(menu.chosen().windowed);
    menu.step(SettingRow::Display, +1);
    menu.step(SettingRow::Display, +1);
    EXPECT_TRUE(menu.chosen().windowed);
    EXPECT_FALSE(menu.chosen().displayMode);

    // A click on a value: the next choice, and nothing for the numbers.
    EXPECT_TRUE(menu.clickValue(SettingRow::Mute));
    EXPECT_TRUE(menu.chosen().mute);
    EXPECT_TRUE(menu.clickValue(SettingRow::Language));
    EXPECT_EQ(menu.chosen().language, "en");
    EXPECT_TRUE(menu.clickValue(SettingRow::Language));
    EXPECT_EQ(menu.chosen().language, "ja");
    EXPECT_FALSE(menu.clickValue(SettingRow::MusicVolume));
    EXPECT_EQ(menu.chosen().musicVolume, 90);
    EXPECT_FALSE(menu.step(SettingRow::Count, +1));
    EXPECT_TRUE(menu.anyChanged());
    EXPECT_FALSE(SettingsMenu(start, start, true).anyChanged());
}

TEST(SettingsMenu, OnlyWhatTheRunningGameCannotTakeOverWaitsForTheNextStart) {
    const GameOptions started;  // full screen on the desktop's mode, Japanese
    SettingsMenu live(started, started, true);
    live.step(SettingRow::MusicVolume, -1);
    live.step(SettingRow::Mute, +1);
    live.step(SettingRow::MouseSpeed, +1);
    live.step(SettingRow::Rumble, +1);
    live.step(SettingRow::Display, +1);  // a window: the running game goes there at once
    for (SettingRow row : {SettingRow::MusicVolume, SettingRow::Mute, SettingRow::MouseSpeed,
                           SettingRow::Rumble, SettingRow::Display}) {
        EXPECT_FALSE(live.waitsForRestart(row)) << settingKey(row);
    }
    live.step(SettingRow::Display, +1);  // the mode switch cannot be made while running
    EXPECT_TRUE(live.waitsForRestart(SettingRow::Display));
    live.step(SettingRow::Language, +1);
    live.step(SettingRow::Awards, +1);
    live.step(SettingRow::Stretch, +1);
    live.step(SettingRow::Sharp, +1);  // the device is made for one kind of frame
    live.clickValue(SettingRow::SmoothHud);
    EXPECT_TRUE(live.chosen().sharp);
    EXPECT_TRUE(live.chosen().smoothHud);
    EXPECT_TRUE(live.waitsForRestart(SettingRow::Language));
    EXPECT_TRUE(live.waitsForRestart(SettingRow::Awards));
    EXPECT_TRUE(live.waitsForRestart(SettingRow::Stretch));
    EXPECT_TRUE(live.waitsForRestart(SettingRow::Sharp));
    EXPECT_TRUE(live.waitsForRestart(SettingRow::SmoothHud));
    // Chosen back as the game started: nothing waits any more.
    live.step(SettingRow::Language, +1);
    EXPECT_FALSE(live.waitsForRestart(SettingRow::Language));
    EXPECT_FALSE(live.changed(SettingRow::Language));  // nor is it written

    // After a switch of the display mode even a window waits.
    SettingsMenu switched(started, started, false);
    switched.step(SettingRow::Display, +1);
    EXPECT_TRUE(switched.waitsForRestart(SettingRow::Display));
    // A second opening shows the last choice and still compares with the start.
    SettingsMenu reopened(live.chosen(), started, true);
    EXPECT_TRUE(reopened.waitsForRestart(SettingRow::Awards));
    EXPECT_FALSE(reopened.anyChanged());
}

TEST(SettingsMenu, ValuesReadInEitherLanguage) {
    GameOptions options;
    options.scale = 3;
    options.musicVolume = 40;
    SettingsMenu menu(options, options, true);
    EXPECT_EQ(menu.valueText(SettingRow::Scale, Language::English), "x3");
    EXPECT_EQ(menu.valueText(SettingRow::MusicVolume, Language::Japanese), "40");
    EXPECT_EQ(menu.valueText(SettingRow::Display, Language::English), "Full screen");
    EXPECT_EQ(menu.valueText(SettingRow::Display, Language::Japanese),
              gameText(Language::Japanese, TextId::ValueFullScreen));
    EXPECT_EQ(menu.valueText(SettingRow::Rumble, Language::English), "On");
    EXPECT_EQ(menu.valueText(SettingRow::Language, Language::English), "Japanese");
    menu.step(SettingRow::Scale, -3);  // one step, whatever the size of the direction
    EXPECT_EQ(menu.valueText(SettingRow::Scale, Language::English), "x2");
    menu.step(SettingRow::Scale, -1);
    menu.step(SettingRow::Scale, -1);
    EXPECT_EQ(menu.valueText(SettingRow::Scale, Language::English), "Auto");
    EXPECT_EQ(menu.valueText(SettingRow::Sharp, Language::English), "Off");
    menu.step(SettingRow::Sharp, -1);  // a switch turns either way
    EXPECT_EQ(menu.valueText(SettingRow::Sharp, Language::Japanese),
              gameText(Language::Japanese, TextId::ValueOn));
    EXPECT_EQ(menu.valueText(SettingRow::SmoothHud, Language::English), "Off");
    EXPECT_EQ(settingKey(SettingRow::EffectVolume), "effect_volume");
    EXPECT_EQ(settingKey(SettingRow::Sharp), "sharp");
    EXPECT_EQ(settingKey(SettingRow::SmoothHud), "smooth_hud");
    EXPECT_EQ(settingKey(SettingRow::Count), "");
}

// Whatever type an option of the table has, its row is labelled in both languages, steps away
// and back, and only ever makes values the settings file reads back.
TEST(SettingsMenu, EveryRowStepsAwayAndBackToValuesTheFileTakes) {
    for (int index = 0; index < kSettingRows; ++index) {
        const auto row = static_cast<SettingRow>(index);
        const std::string key(settingKey(row));
        EXPECT_FALSE(settingLabel(row, Language::Japanese).empty()) << key;
        for (unsigned char c : settingLabel(row, Language::English)) EXPECT_LT(c, 0x80) << key;
        SettingsMenu menu(GameOptions{}, GameOptions{}, true);
        const int away = menu.step(row, +1) ? +1 : -1;
        if (away < 0) {
            EXPECT_TRUE(menu.step(row, -1)) << key;  // a number at its top
        }
        EXPECT_TRUE(menu.changed(row)) << key;
        GameOptions read;
        std::vector<std::string> warnings;
        applySettingsText(key + " = " + settingValue(key, menu.chosen()), "test.conf", read,
                          warnings);
        EXPECT_TRUE(warnings.empty()) << key;
        EXPECT_EQ(settingValue(key, read), settingValue(key, menu.chosen()));
        EXPECT_TRUE(menu.step(row, -away)) << key;
        EXPECT_FALSE(menu.changed(row)) << key;
    }
    EXPECT_EQ(settingLabel(SettingRow::Count, Language::English), "");
}

}  // namespace
}  // namespace darts
