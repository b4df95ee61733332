// The bar machine played with a game controller alone (see pad_player.h), bar games on in the
// settings file, which remembers a Cricket game of 15 rounds for the player, guest 2 and a
// computer:
//   title -> character select -> OK -> title -> darts bar -> the game select, where "+ Add" seats
//   a second computer and Start plays it -> the whole leg, every human dart thrown with A and
//   every hand-over and the game-over pause passed with A -> the title -> Back held.
//
//   pad_bar_game     (under an X server, with XDG_CONFIG_HOME holding that settings file; exits 0
//                     when the game was played out)
#include <SDL.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/startup.h"
#include "games/bar_match.h"
#include "loops/bar_machine.h"
#include "options/settings_file.h"
#include "played/pad_player.h"

namespace {

using namespace darts;
using test_support::VirtualPad;

int fail(const std::string& why) {
    std::fprintf(stderr, "pad_bar_game: %s\n", why.c_str());
    return 1;
}

// The game select's controls (game_select_layout): "+ Add" and Start, in their middles.
constexpr int kAddX = 670, kAddY = 333;
constexpr int kStartX = 675, kStartY = 551;

class BarPadPlayer final : public test_support::PadPlayer {
  public:
    BarPadPlayer(GameState& state, VirtualPad& pad, SDL_Window* window)
        : PadPlayer(state, pad, window, "pad_bar_game") {}

    bool gameOver() const { return gameOver_; }
    const std::vector<int>& winners() const { return winners_; }
    games::LegEndReason why() const { return why_; }
    int round() const { return round_; }
    int legs() const { return legs_; }
    int handOvers() const { return handOvers_; }
    const std::vector<int>& darts() const { return darts_; }

  private:
    bool frontEndFrame() override {
        if (state_.screen != ScreenId::GameSelect) return false;
        if (!selectSeen_) {
            selectSeen_ = true;
            pointerUnknown();  // the screen has put it at the title's cursor
        }
        if (!added_) {
            if (steerPointer(kAddX, kAddY)) {
                tap();
                added_ = true;
            }
        } else if (steerPointer(kStartX, kStartY)) {
            tap();
        }
        return true;
    }

    bool done() const override { return gameOver_; }

    std::string traceText() const override {
        const auto* bar = dynamic_cast<const games::BarMatch*>(state_.rules);
        if (!bar) return {};
        const games::BarBoardView view = bar->view();
        return "bar " + view.game + " round " + std::to_string(view.round) + " thrower " +
               std::to_string(view.thrower) + " pause " +
               std::to_string(static_cast<int>(view.pause));
    }

    bool matchFrame() override {
        pad_.stick(0, 0);
        const auto* bar = dynamic_cast<const games::BarMatch*>(state_.rules);
        if (!bar) return giveUp("the darts bar played no bar game");
        if (darts_.empty() && !seatedAsChosen(*bar)) {
            return giveUp(
                "the game select did not start Cricket of 15 rounds for you, guest 2 "
                "and two computers");
        }
        if (state_.dartsFinished != dartsSeen_) {
            dartsSeen_ = state_.dartsFinished;
            ++darts_.at(state_.lastFinishedDart.side);
        }
        const games::BarPause pause = bar->pause();
        if (pause != games::BarPause::None) {
            if (pause != lastPause_) notePause(*bar, pause);
            lastPause_ = pause;
            tap();
            return true;
        }
        lastPause_ = pause;
        if (releaseOnSwing()) return true;
        if (readyToThrow()) tap();
        return true;
    }

    bool seatedAsChosen(const games::BarMatch& bar) {
        darts_.assign(bar.seats().size(), 0);
        const games::MatchSetup& setup = bar.match().setup();
        const std::vector<games::Seat>& seats = bar.seats();
        return setup.game == games::MatchGame::Cricket && setup.cricket.roundLimit == 15 &&
               seats.size() == 4 && seats[0].human && seats[1].human && seats[1].character == 2 &&
               !seats[2].human && seats[2].character == 3 && !seats[3].human;
    }

    void notePause(const games::BarMatch& bar, games::BarPause pause) {
        if (pause == games::BarPause::HandOver) ++handOvers_;
        if (pause != games::BarPause::MatchOver) return;
        const games::BarBoardView view = bar.view();
        gameOver_ = true;
        winners_ = view.winners;
        why_ = view.why;
        round_ = view.round;
        legs_ = static_cast<int>(bar.playedLegs().size());
    }

    bool selectSeen_ = false;
    bool added_ = false;
    uint32_t dartsSeen_ = 0;
    std::vector<int> darts_;  // finished darts by seat, corks included
    games::BarPause lastPause_ = games::BarPause::None;
    int handOvers_ = 0;
    bool gameOver_ = false;
    std::vector<int> winners_;
    games::LegEndReason why_ = games::LegEndReason::None;
    int round_ = 0;
    int legs_ = 0;
};

}  // namespace

int main() {
    // The game's own reading of the settings file.
    const std::optional<std::string> path = settingsFilePath();
    if (!path) return fail("no settings folder (XDG_CONFIG_HOME)");
    GameOptions options;
    std::vector<std::string> warnings;
    applySettingsFile(*path, options, warnings);
    if (!warnings.empty()) return fail(warnings.front());
    if (!options.barGames) return fail("bar games are not on in " + *path);

    auto state = std::make_unique<GameState>();
    state->cursorPixelsPerCount = options.mouseSpeed;
    state->barGamesOn = 1;
    StartupOptions startup;
    startup.windowed = true;
    startup.seed = 1;
    StartupResult started = startUp(*state, startup);
    if (!started.session) return fail(started.error);

    VirtualPad pad;
    if (!pad.plugIn()) return fail(std::string("no virtual joystick: ") + SDL_GetError());
    BarPadPlayer player(*state, pad, started.session->window->sdlWindow());
    BarMachine machine(options, {});
    const uint64_t frames =
        test_support::playWithPad(*state, std::move(started.session), player, &machine);

    std::string darts, winners;
    for (int count : player.darts()) darts += " " + std::to_string(count);
    for (int side : player.winners()) winners += " " + std::to_string(side);
    std::printf("frames %llu, legs %d, round %d, winners%s (%s), darts by seat%s, hand-overs %d\n",
                static_cast<unsigned long long>(frames), player.legs(), player.round(),
                winners.c_str(), games::legEndName(player.why()), darts.c_str(),
                player.handOvers());
    if (!player.gameOver()) return fail("the game did not reach its end");
    if (player.legs() != 1 || player.winners().empty() ||
        player.why() == games::LegEndReason::None) {
        return fail("the leg was not decided");
    }
    if (player.darts().size() != 4 || player.darts()[0] == 0 || player.darts()[1] == 0) {
        return fail("the player and the guest did not both throw");
    }
    if (player.handOvers() < 2) return fail("the pad was not handed over between the humans");
    if (state->inFrontEnd == 0 || state->screen != ScreenId::Title) {
        return fail("the game did not end on the title");
    }
    std::printf("a whole Cricket leg of four seats played with the pad\n");
    return 0;
}
