#include "frontend/settings_menu.h"

#include <algorithm>

#include "options/option_values.h"
#include "options/settings_file.h"

namespace darts {
namespace {

namespace layout = settings_layout;

bool inside(int x, int y, int left, int top, int width, int height) {
    return x >= left && x < left + width && y >= top && y < top + height;
}

const OptionEntry* optionOf(SettingRow row) { return optionOfRow(static_cast<int>(row)); }

// Numbers stop at their ends; a number's word (scale's auto) lies below the lowest.
void stepNumber(const OptionEntry& option, GameOptions& options, int direction) {
    const auto low = static_cast<int64_t>(option.low);
    const int64_t lowest = option.words.empty() ? low : low - 1;
    const std::optional<uint64_t> now = numberOf(option, options);
    const int64_t from = now ? static_cast<int64_t>(*now) : lowest;
    const int64_t next =
        std::clamp(from + direction * option.row.step, lowest, static_cast<int64_t>(option.high));
    setNumber(option, next < low ? std::nullopt : std::optional<uint64_t>(next), options);
}

// Choices go round.
void stepChoice(const OptionEntry& option, GameOptions& options, int direction) {
    const auto words = static_cast<int>(option.words.size());
    const int now = static_cast<int>(chosenWord(option, options));
    chooseWord(option, static_cast<size_t>((now + direction + words) % words), options);
}

const char* onOff(bool on, Language language) {
    return gameText(language, on ? TextId::ValueOn : TextId::ValueOff);
}

}  // namespace

std::string_view settingKey(SettingRow row) {
    const OptionEntry* option = optionOf(row);
    return option != nullptr ? option->key : std::string_view{};
}

std::string_view settingLabel(SettingRow row, Language language) {
    const OptionEntry* option = optionOf(row);
    if (option == nullptr) return {};
    return language == Language::English ? option->row.english : option->row.japanese;
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
    const OptionEntry* option = optionOf(row);
    if (option == nullptr) return false;
    direction = direction < 0 ? -1 : +1;
    const std::string before = optionText(*option, chosen_);
    switch (option->type) {
        case OptionType::Switch:
            chosen_.*switchField(*option) = !(chosen_.*switchField(*option));
            break;
        case OptionType::Number:
            stepNumber(*option, chosen_, direction);
            break;
        case OptionType::Choice:
            stepChoice(*option, chosen_, direction);
            break;
        default:
            return false;
    }
    return optionText(*option, chosen_) != before;
}

bool SettingsMenu::clickValue(SettingRow row) {
    // Numbers stay: their arrows change them.
    const OptionEntry* option = optionOf(row);
    return option != nullptr && option->type != OptionType::Number && step(row, +1);
}

std::string SettingsMenu::valueText(SettingRow row, Language language) const {
    const OptionEntry* option = optionOf(row);
    if (option == nullptr) return {};
    switch (option->type) {
        case OptionType::Switch:
            return onOff(chosen_.*switchField(*option), language);
        case OptionType::Number:
            if (const std::optional<uint64_t> number = numberOf(*option, chosen_)) {
                return std::string(option->row.prefix) + std::to_string(*number);
            }
            return gameText(language, option->words[0].shown);
        case OptionType::Choice:
            return gameText(language, option->words[chosenWord(*option, chosen_)].shown);
        default:
            return {};
    }
}

bool SettingsMenu::appliesLive(SettingRow row) const {
    const OptionEntry* option = optionOf(row);
    if (option == nullptr) return false;
    switch (option->row.apply) {
        case ScreenApply::Live:
            return true;
        case ScreenApply::LiveWindowing:
            return displayLive_ && !option->words[chosenWord(*option, chosen_)].fromNextStart;
        case ScreenApply::NextStart:
            break;
    }
    return false;
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
