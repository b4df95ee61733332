// The bar machine between the title and the match, with bar games on: the title's darts bar and
// tournament open its game select; Start plays the chosen game at once (the darts bar) or plays
// every match of the player's in the tournament as that game (the draw and the dice as ever).
// The choice started last is what the screen opens on next, and is kept (the settings file).
#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "core/game_state.h"
#include "frontend/game_select.h"
#include "frontend/game_select_page.h"
#include "games/bar_match.h"
#include "options/command_line.h"
#include "platform/ui_input.h"
#include "render/device.h"

namespace darts {

// The game words of `options` (game, in, out, bull, rounds, legs, x01, sides) as the screen's
// choice; nothing when they name no game or one the screen does not offer.
std::optional<frontend::GameSelectChoice> choiceOfOptions(const GameOptions& options);
// `options` with the choice's words in place of its own.
GameOptions optionsWithChoice(GameOptions options, const frontend::GameSelectChoice& choice);

class BarMachine {
  public:
    // `started`: the options the game runs with, whose game words the screen first opens on;
    // `remember`: keeps a started choice (its options given whole), may be empty.
    BarMachine(const GameOptions& started, std::function<void(const GameOptions&)> remember);

    // The state's screen is the game select: runs it until Start or Back (false: the window asked
    // to close). Start from the darts bar starts the bar match (inFrontEnd is then 0); from the
    // tournament it draws the bracket and shows it. Back goes to the title.
    bool runGameSelect(GameState& state, render::Device& device, platform::UiInput& ui,
                       const std::function<void()>& releaseInput);

    // Before each match: a tournament match of the player's is played as the tournament's game.
    void beforeMatch(GameState& state);

    const games::BarMatch* match() const { return match_.get(); }

  private:
    void start(GameState& state, const frontend::GameSelectChoice& choice);

    GameOptions options_;
    std::function<void(const GameOptions&)> remember_;
    std::optional<frontend::GameSelectChoice> last_;
    std::optional<frontend::GameSelectChoice> tournament_;
    std::unique_ptr<frontend::GameSelectScreen> screen_;
    std::unique_ptr<games::BarMatch> match_;
};

}  // namespace darts
