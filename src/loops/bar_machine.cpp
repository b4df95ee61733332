#include "loops/bar_machine.h"

#include <string>
#include <vector>

#include "frontend/tournament.h"
#include "loops/bar_game_setup.h"
#include "loops/modal_screen.h"
#include "options/settings_file.h"

namespace darts {

std::optional<frontend::GameSelectChoice> choiceOfOptions(const GameOptions& options) {
    if (options.game == "none") return std::nullopt;
    frontend::GameSelectWords words;
    for (std::string_view key : frontend::kGameSelectKeys) {
        words[std::string(key)] = settingValue(key, options);
    }
    // Cricket always has a limit: none left over from a 01 game means its own 20.
    const bool cricketLimit =
        options.game == "cricket" || options.game == "cutthroat" || options.game == "medley";
    if (cricketLimit && words["rounds"] == "0") words["rounds"] = "20";
    return frontend::choiceFromWords(words);
}

GameOptions optionsWithChoice(GameOptions options, const frontend::GameSelectChoice& choice) {
    std::string text;
    for (const auto& [key, value] : frontend::choiceWords(choice)) text += key + " " + value + "\n";
    std::vector<std::string> unused;
    applySettingsText(text, "game select", options, unused);
    return options;
}

BarMachine::BarMachine(const GameOptions& started,
                       std::function<void(const GameOptions&)> remember)
    : options_(started), remember_(std::move(remember)), last_(choiceOfOptions(started)) {}

bool BarMachine::runGameSelect(GameState& state, render::Device& device, platform::UiInput& ui,
                               const std::function<void()>& releaseInput) {
    const bool tournament = state.menuSelection == MenuItem::Tournament;
    const int player = state.players[kHuman].characterNumber;
    frontend::GameSelectChoice opening = last_.value_or(frontend::defaultGameSelectChoice(player));
    if (!screen_) screen_ = std::make_unique<frontend::GameSelectScreen>(state);
    screen_->activate(opening, !tournament);
    state.inFrontEnd = 1;
    state.screen = ScreenId::Title;
    if (!runModalScreen(*screen_, device, ui, releaseInput, false)) return false;
    const std::optional<frontend::GameSelectChoice>& chosen = screen_->result();
    if (!chosen) return true;
    // A tournament keeps the seats chosen last for the darts bar: it has its own.
    frontend::GameSelectChoice kept = *chosen;
    if (tournament) kept.seats = opening.seats;
    last_ = kept;
    options_ = optionsWithChoice(options_, kept);
    if (remember_) remember_(options_);
    if (tournament) {
        tournament_ = *chosen;
        frontend::drawOpeningBracket(state);
        state.screen = ScreenId::Tournament;
    } else {
        tournament_.reset();
        start(state, *chosen);
    }
    return true;
}

void BarMachine::beforeMatch(GameState& state) {
    if (!tournament_ || state.barGamesOn == 0 || state.inFrontEnd != 0 ||
        state.screen != ScreenId::Tournament) {
        return;
    }
    // The draw's opponent, whose roster record the tournament has read into the computer's slot,
    // at its own skills.
    frontend::GameSelectChoice choice = *tournament_;
    choice.seats = {{frontend::SeatChoice::Kind::You, 0, 0},
                    {frontend::SeatChoice::Kind::Computer,
                     state.players[kComputer].characterNumber, 0}};
    start(state, choice);
}

void BarMachine::start(GameState& state, const frontend::GameSelectChoice& choice) {
    BarGameSetup made = barGameFromOptions(optionsWithChoice(options_, choice), state, true);
    if (!made.error.empty()) return;  // the screen offers no such game
    match_ = std::make_unique<games::BarMatch>(made.setup, std::move(made.seats));
    match_->start(state);
    state.inFrontEnd = 0;
}

}  // namespace darts
