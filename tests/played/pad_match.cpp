// A whole darts-bar match played with a game controller alone (see pad_player.h):
//   title -> character select -> OK -> title -> darts bar -> the match -> the title -> Back held.
// During the match the pad is pulled out after the human's second dart, one dart is thrown with
// the real mouse (xdotool), and the pad is plugged in again for the rest of the match.
//
//   pad_match     (under an X server with xdotool; exits 0 when the match was played out)
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>

#include "app/startup.h"
#include "platform/sdl/sdl_controller.h"
#include "played/pad_player.h"

namespace {

using namespace darts;
using test_support::VirtualPad;

int fail(const std::string& why) {
    std::fprintf(stderr, "pad_match: %s\n", why.c_str());
    return 1;
}

class MatchPadPlayer final : public test_support::PadPlayer {
  public:
    MatchPadPlayer(GameState& state, VirtualPad& pad, SDL_Window* window)
        : PadPlayer(state, pad, window, "pad_match") {}

    int padDarts() const { return padDarts_; }
    int matches() const { return matches_; }
    int mouseDarts() const { return mouseDarts_; }
    bool matchEnded() const { return matchEnded_; }
    bool replugged() const { return replugged_; }

  private:
    bool frontEndFrame() override {
        noteWin();
        if (state_.screen != ScreenId::DartsBar) return false;
        tap();
        return true;
    }
    bool done() const override { return matchEnded_; }
    std::string traceText() const override {
        return "pad " + std::to_string(padDarts_) + " left " +
               std::to_string(state_.players[0].scoreLeft) + " " +
               std::to_string(state_.players[1].scoreLeft) + " turns " +
               std::to_string(state_.players[0].turnCount);
    }

    // A match is over once its winning dart has landed.
    void noteWin() {
        if (state_.lastFinishedDart.win && !wonSeen_) ++matches_;
        wonSeen_ = state_.lastFinishedDart.win;
        if (matches_ > 0) matchEnded_ = true;
    }

    bool matchFrame() override {
        noteWin();
        pad_.stick(0, 0);
        if (state_.matchPhase == MatchPhase::MatchOver) {
            tap();  // back to the front end
            return true;
        }
        if (pad_.plugged() && releaseOnSwing()) return true;
        const bool ready = readyToThrow();
        // A dart left the hand since the last frame: counted for what threw it.
        if (wasReady_ && !ready && state_.matchPhase == MatchPhase::HumanTurn) {
            ++(pad_.plugged() ? padDarts_ : mouseDarts_);
        }
        wasReady_ = ready;
        if (!ready) {
            clicked_ = false;
            return true;
        }
        if (padDarts_ == 2 && mouseDarts_ == 0 && pad_.plugged() && !replugged_) pad_.unplug();
        if (!pad_.plugged()) return mouseFrame();
        tap();
        return true;
    }

    bool mouseFrame() {
        if (mouseDarts_ == 1) {
            replugged_ = pad_.plugIn();
            return replugged_ || giveUp(std::string("cannot plug in again: ") + SDL_GetError());
        }
        // Without the pad the mouse still throws.
        const uint32_t now = SDL_GetTicks();
        if (!clicked_) {
            if (std::system("xdotool click 1") != 0) return giveUp("xdotool cannot click");
            clicked_ = true;
            clickMs_ = now;
        } else if (now - clickMs_ > 5000) {
            return giveUp("the mouse's click did not throw");
        }
        return true;
    }

    int padDarts_ = 0, mouseDarts_ = 0;
    bool wasReady_ = false;
    bool wonSeen_ = false;
    int matches_ = 0;
    bool clicked_ = false;
    uint32_t clickMs_ = 0;
    bool matchEnded_ = false;
    bool replugged_ = false;
};

}  // namespace

int main() {
    auto state = std::make_unique<GameState>();
    StartupOptions options;
    options.windowed = true;
    // The seed under which the pad's player wins its match (DARTS_PAD_SEED tries another).
    const char* seed = std::getenv("DARTS_PAD_SEED");
    options.seed = seed ? std::strtoul(seed, nullptr, 10) : 1;
    StartupResult started = startUp(*state, options);
    if (!started.session) return fail(started.error);

    VirtualPad pad;
    if (!pad.plugIn()) return fail(std::string("no virtual joystick: ") + SDL_GetError());
    MatchPadPlayer player(*state, pad, started.session->window->sdlWindow());
    const uint64_t frames = test_support::playWithPad(*state, std::move(started.session), player);

    const platform::ControllerMouse* pads = platform::activeControllers();
    std::printf(
        "frames %llu, matches %d, pad darts %d, mouse darts %d, left %d and %d, "
        "controllers open %d\n",
        static_cast<unsigned long long>(frames), player.matches(), player.padDarts(),
        player.mouseDarts(), state->players[kHuman].scoreLeft, state->players[kComputer].scoreLeft,
        pads ? pads->controllersOpen() : -1);
    if (!player.matchEnded() || player.matches() != 1) return fail("not one whole match played");
    if (player.mouseDarts() != 1 || !player.replugged()) return fail("the pad was not swapped");
    if (state->players[kHuman].scoreLeft != 0) return fail("the pad's player did not win");
    if (pads == nullptr || pads->controllersOpen() != 1)
        return fail("the pad plugged in again is not open");
    std::printf("a whole match played and won with the pad\n");
    return 0;
}
