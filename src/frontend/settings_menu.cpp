#include "frontend/settings_menu.h"

#include <algorithm>

#include "options/settings_file.h"

namespace darts {
namespace {

namespace layout = settings_layout;

constexpr int kVolumeStep = 10;
constexpr int kLargestScale = 16;  // the file's own limit

bool inside(int x, int y, int left, int top, int width, int height) {
    return x >= left && x < left + width && y >= top && y < top + height;
}

int stepped(int value, int direction, int step, int low, int high) {
    return std::clamp(value + direction * step, low, high);
}

// full screen, window, mode switch, and round again.
void stepDisplay(GameOptions& options, int direction) {
    const int now = options.windowed ? 1 : options.displayMode ? 2 : 0;
    const int next = (now + direction + 3) % 3;
    options.windowed = next == 1;
    options.displayMode = next == 2;
}

// "auto" lies below 1.
void stepScale(GameOptions& options, int direction) {
    const int now = options.scale.value_or(0);
    const int next = std::clamp(now + direction, 0, kLargestScale);
    if (next == 0) {
        options.scale.reset();
    } else {
        options.scale = next;
    }
}

const char* onOff(bool on, Language language) {
    return gameText(language, on ? TextId::ValueOn : TextId::ValueOff);
}

}  // namespace

std::string_view settingKey(SettingRow row) {
    static constexpr std::string_view kKeys[] = {
        "display",       "scale", "stretch",     "sharp",  "smooth_hud", "music_volume",
        "effect_volume", "mute",  "mouse_speed", "rumble", "awards",     "language"};
    static_assert(std::size(kKeys) == kSettingRows);
    const int index = static_cast<int>(row);
    return index >= 0 && index < kSettingRows ? kKeys[index] : std::string_view{};
}

SettingsHit settingsHitAt(int x, int y) {
    if (inside(x, y, layout::kCloseLeft, layout::kCloseTop, layout::kCloseWidth,
               layout::kCloseHeight)) {
        return {SettingsHit::Kind::Close, SettingRow::Count};
    }
    if (y < layout::kFirstRowTop) return {};
    const int index = (y - layout::kFirstRowTop) / layout::kRowHeight;
    if (index >= kSettingRows) return {};
    const auto row = static_cast<SettingRow>(index);
    // The arrows stand centred in their row.
    const int arrowTop = layout::kFirstRowTop + index * layout::kRowHeight +
                         (layout::kRowHeight - layout::kArrowHeight) / 2;
    if (inside(x, y, layout::kLeftArrowX, arrowTop, layout::kArrowWidth, layout::kArrowHeight)) {
        return {SettingsHit::Kind::Less, row};
    }
    if (inside(x, y, layout::kRightArrowX, arrowTop, layout::kArrowWidth, layout::kArrowHeight)) {
        return {SettingsHit::Kind::More, row};
    }
    if (x >= layout::kLeftArrowX + layout::kArrowWidth && x < layout::kRightArrowX) {
        return {SettingsHit::Kind::Value, row};
    }
    return {};
}

SettingsMenu::SettingsMenu(const GameOptions& shown, const GameOptions& started, bool displayLive)
    : chosen_(shown), shown_(shown), started_(started), displayLive_(displayLive) {}

bool SettingsMenu::step(SettingRow row, int direction) {
    direction = direction < 0 ? -1 : +1;
    const std::string before = settingValue(settingKey(row), chosen_);
    GameOptions& o = chosen_;
    switch (row) {
        case SettingRow::Display:
            stepDisplay(o, direction);
            break;
        case SettingRow::Scale:
            stepScale(o, direction);
            break;
        case SettingRow::Stretch:
            o.stretch = !o.stretch;
            break;
        case SettingRow::Sharp:
            o.sharp = !o.sharp;
            break;
        case SettingRow::SmoothHud:
            o.smoothHud = !o.smoothHud;
            break;
        case SettingRow::MusicVolume:
            o.musicVolume = stepped(o.musicVolume, direction, kVolumeStep, 0, kFullVolume);
            break;
        case SettingRow::EffectVolume:
            o.effectVolume = stepped(o.effectVolume, direction, kVolumeStep, 0, kFullVolume);
            break;
        case SettingRow::Mute:
            o.mute = !o.mute;
            break;
        case SettingRow::MouseSpeed:
            o.mouseSpeed = stepped(o.mouseSpeed, direction, 1, 1, kMaxMouseSpeed);
            break;
        case SettingRow::Rumble:
            o.rumble = !o.rumble;
            break;
        case SettingRow::Awards:
            o.awards = !o.awards;
            break;
        case SettingRow::Language:
            o.language = o.language == "en" ? "ja" : "en";
            break;
        case SettingRow::Count:
            return false;
    }
    return settingValue(settingKey(row), chosen_) != before;
}

bool SettingsMenu::clickValue(SettingRow row) {
    switch (row) {
        case SettingRow::Scale:
        case SettingRow::MusicVolume:
        case SettingRow::EffectVolume:
        case SettingRow::MouseSpeed:
        case SettingRow::Count:
            return false;
        default:
            return step(row, +1);
    }
}

std::string SettingsMenu::valueText(SettingRow row, Language language) const {
    const GameOptions& o = chosen_;
    switch (row) {
        case SettingRow::Display:
            return gameText(language, o.windowed      ? TextId::ValueWindow
                                      : o.displayMode ? TextId::ValueModeSwitch
                                                      : TextId::ValueFullScreen);
        case SettingRow::Scale:
            return o.scale ? "x" + std::to_string(*o.scale) : gameText(language, TextId::ValueAuto);
        case SettingRow::Stretch:
            return onOff(o.stretch, language);
        case SettingRow::Sharp:
            return onOff(o.sharp, language);
        case SettingRow::SmoothHud:
            return onOff(o.smoothHud, language);
        case SettingRow::MusicVolume:
            return std::to_string(o.musicVolume);
        case SettingRow::EffectVolume:
            return std::to_string(o.effectVolume);
        case SettingRow::Mute:
            return onOff(o.mute, language);
        case SettingRow::MouseSpeed:
            return std::to_string(o.mouseSpeed);
        case SettingRow::Rumble:
            return onOff(o.rumble, language);
        case SettingRow::Awards:
            return onOff(o.awards, language);
        case SettingRow::Language:
            return gameText(language,
                            o.language == "en" ? TextId::ValueEnglish : TextId::ValueJapanese);
        case SettingRow::Count:
            break;
    }
    return {};
}

bool SettingsMenu::appliesLive(SettingRow row) const {
    switch (row) {
        case SettingRow::MusicVolume:
        case SettingRow::EffectVolume:
        case SettingRow::Mute:
        case SettingRow::MouseSpeed:
        case SettingRow::Rumble:
            return true;
        case SettingRow::Display:
            return displayLive_ && !chosen_.displayMode;
        default:
            return false;
    }
}

bool SettingsMenu::waitsForRestart(SettingRow row) const {
    return !appliesLive(row) &&
           settingValue(settingKey(row), chosen_) != settingValue(settingKey(row), started_);
}

bool SettingsMenu::changed(SettingRow row) const {
    return settingValue(settingKey(row), chosen_) != settingValue(settingKey(row), shown_);
}

bool SettingsMenu::anyChanged() const {
    for (int row = 0; row < kSettingRows; ++row) {
        if (changed(static_cast<SettingRow>(row))) return true;
    }
    return false;
}

void SettingsMenu::showWindowed(bool windowed) {
    if (!appliesLive(SettingRow::Display)) return;
    chosen_.windowed = windowed;
    if (!shown_.displayMode) shown_.windowed = windowed;
}

}  // namespace darts
