// A whole darts-bar match played with a game controller alone: the game's own start-up, main loop
// and SDL input, with SDL's virtual joystick as the pad. A player at the pad watches the picture;
// this one watches the game state (and the pointer the character-select screen is given) and
// moves the stick and presses A and Back as a player would:
//   title -> character select -> OK -> title -> darts bar -> the match -> the title -> Back held.
// On the character-select screen the window is widened to 1000 x 600, so that the picture stands
// between black bars: the shoulders step the roster forward and back, and the system pointer must
// stand where A clicks OK.
// During the match the pad is pulled out after the human's second dart, one dart is thrown with
// the real mouse (xdotool), and the pad is plugged in again for the rest of the match.
//
// The frames are drawn on a headless device, so the match runs as fast as the input lets it;
// only the stick's motion and the Back button's second take real time.
//
//   pad_match     (under an X server with xdotool; exits 0 when the match was played out)
#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/startup.h"
#include "demos/run_control.h"
#include "loops/main_loop.h"
#include "platform/sdl/sdl_controller.h"
#include "platform/sdl/sdl_input.h"
#include "platform/sdl/sdl_window.h"
#include "platform/sdl/virtual_gamepad.h"

namespace {

using namespace darts;

constexpr uint32_t kGiveUpMs = 40000;

int fail(const std::string& why) {
    std::fprintf(stderr, "pad_match: %s\n", why.c_str());
    return 1;
}

class VirtualPad {
  public:
    bool plugIn() {
        SDL_VirtualJoystickDesc desc = darts::test_support::virtualGamepadDesc();
        const int index = SDL_JoystickAttachVirtualEx(&desc);
        if (index < 0) return false;
        joystick_ = SDL_JoystickOpen(index);
        return joystick_ != nullptr;
    }
    void unplug() {
        const SDL_JoystickID id = SDL_JoystickInstanceID(joystick_);
        SDL_JoystickClose(joystick_);
        joystick_ = nullptr;
        for (int i = 0; i < SDL_NumJoysticks(); ++i) {
            if (SDL_JoystickGetDeviceInstanceID(i) == id) SDL_JoystickDetachVirtual(i);
        }
    }
    bool plugged() const { return joystick_ != nullptr; }
    // -1..1 on each axis of the left stick.
    void stick(double x, double y) {
        if (!joystick_) return;
        SDL_JoystickSetVirtualAxis(joystick_, SDL_CONTROLLER_AXIS_LEFTX, axis(x));
        SDL_JoystickSetVirtualAxis(joystick_, SDL_CONTROLLER_AXIS_LEFTY, axis(y));
    }
    void button(SDL_GameControllerButton which, bool down) {
        if (joystick_) SDL_JoystickSetVirtualButton(joystick_, which, down ? 1 : 0);
    }

  private:
    static Sint16 axis(double v) {
        return static_cast<Sint16>(std::lround(std::clamp(v, -1.0, 1.0) * 32767));
    }
    SDL_Joystick* joystick_ = nullptr;
};

// What the player at the pad does, once per frame.
class PadPlayer {
  public:
    PadPlayer(GameState& state, VirtualPad& pad, SDL_Window* window)
        : state_(state), pad_(pad), window_(window) {}

    // The pointer the character-select screen was last given, in frame pixels.
    void pointerAt(int x, int y) {
        pointerX_ = x;
        pointerY_ = y;
        pointerKnown_ = true;
    }

    // One frame's move; false when the player gives up.
    bool frame() {
        const uint32_t now = SDL_GetTicks();
        if (std::getenv("PAD_MATCH_TRACE") && now - traceMs_ > 500) {
            traceMs_ = now;
            std::fprintf(stderr,
                         "screen %d front %d cursor %d,%d pointer %d,%d phase %d stage %d dart %d "
                         "pad %d left %d %d turns %d\n",
                         static_cast<int>(state_.screen), state_.inFrontEnd, state_.cursorX,
                         state_.cursorY, pointerX_, pointerY_, static_cast<int>(state_.matchPhase),
                         static_cast<int>(state_.throwStage), static_cast<int>(state_.dartState),
                         padDarts_, state_.players[0].scoreLeft, state_.players[1].scoreLeft,
                         state_.players[0].turnCount);
        }
        if (now - startMs_ > kGiveUpMs) {
            error_ = "stuck on screen " + std::to_string(static_cast<int>(state_.screen)) +
                     ", phase " + std::to_string(static_cast<int>(state_.matchPhase));
            return false;
        }
        // A press lasts until the next frame the input was read in, then is let go.
        if (held_ != SDL_CONTROLLER_BUTTON_INVALID) {
            pad_.button(held_, false);
            held_ = SDL_CONTROLLER_BUTTON_INVALID;
            return true;
        }
        // A match is over once its winning dart has landed.
        if (state_.lastFinishedDart.win && !wonSeen_) ++matches_;
        wonSeen_ = state_.lastFinishedDart.win;
        if (matches_ > 0) matchEnded_ = true;
        if (state_.inFrontEnd == 0) return matchFrame(now);
        if (matchEnded_) return holdBack(now);
        if (characterSelectOpen_) return characterSelectFrame();
        if (state_.screen == ScreenId::DartsBar) {
            tap();
            return true;
        }
        if (state_.screen == ScreenId::Title) return titleFrame();
        tap();  // the notice, should it come: dismissed
        return true;
    }

    void characterSelect(bool open) { characterSelectOpen_ = open; }
    int padDarts() const { return padDarts_; }
    int matches() const { return matches_; }
    int mouseDarts() const { return mouseDarts_; }
    bool matchEnded() const { return matchEnded_; }
    bool replugged() const { return replugged_; }
    const std::string& error() const { return error_; }

  private:
    // Steers the stick towards x, y from where the cursor is; true once it is there.
    bool steer(int fromX, int fromY, int x, int y) {
        auto deflection = [](int error) {
            if (std::abs(error) <= 4) return 0.0;
            const double d = std::min(1.0, 0.35 + std::abs(error) / 150.0);
            return error > 0 ? d : -d;
        };
        const double dx = deflection(x - fromX), dy = deflection(y - fromY);
        pad_.stick(dx, dy);
        return dx == 0 && dy == 0;
    }
    void tap(SDL_GameControllerButton button = SDL_CONTROLLER_BUTTON_A) {
        pad_.stick(0, 0);
        pad_.button(button, true);
        held_ = button;
    }

    // Done: Back held for more than its second ends the game as Escape does.
    bool holdBack(uint32_t now) {
        pad_.stick(0, 0);
        if (backSince_ == 0) backSince_ = now;
        pad_.button(SDL_CONTROLLER_BUTTON_BACK, now - backSince_ < 1300);
        return true;
    }

    bool titleFrame() {
        const bool chosen = state_.players[kHuman].characterNumber != 0;
        // The menu: the darts bar once a character is chosen, character select before.
        const int y = chosen ? 430 : 510;
        if (steer(state_.cursorX, state_.cursorY, 380, y)) tap();
        return true;
    }

    bool characterSelectFrame() {
        int width = 0, height = 0;
        SDL_GetWindowSize(window_, &width, &height);
        if (width != 1000 || height != 600) {
            SDL_SetWindowSize(window_, 1000, 600);
            return true;
        }
        if (!pointerKnown_) {
            pad_.stick(0.5, 0.5);  // any move shows where the pointer is
            return true;
        }
        // Right, then left again: the match is played with the first character, as it always was.
        if (shoulderSteps_ < 2) {
            const int wanted = shoulderSteps_ == 0 ? 2 : 1;
            if (state_.selectedCharacter == wanted) {
                ++shoulderSteps_;
            } else if (!shoulderPressed_[shoulderSteps_]) {
                tap(shoulderSteps_ == 0 ? SDL_CONTROLLER_BUTTON_RIGHTSHOULDER
                                        : SDL_CONTROLLER_BUTTON_LEFTSHOULDER);
                shoulderPressed_[shoulderSteps_] = true;
            } else {
                error_ = "a shoulder missed its arrow";
                return false;
            }
            return true;
        }
        if (!steer(pointerX_, pointerY_, 640, 512)) return true;
        // The player sees the system pointer: it must stand where A clicks OK.
        int windowX = 0, windowY = 0, shownX = 0, shownY = 0;
        SDL_GetWindowPosition(window_, &windowX, &windowY);
        SDL_GetGlobalMouseState(&shownX, &shownY);
        const SDL_Rect clicks =
            platform::pictureRectInWindow(window_, {pointerX_, pointerY_, 0, 0});
        if (std::abs(windowX + clicks.x - shownX) > 3 ||
            std::abs(windowY + clicks.y - shownY) > 3) {
            error_ = "the system pointer stands at " + std::to_string(shownX - windowX) + ", " +
                     std::to_string(shownY - windowY) + " in the window, A clicks at " +
                     std::to_string(clicks.x) + ", " + std::to_string(clicks.y);
            return false;
        }
        tap();  // OK
        return true;
    }

    bool matchFrame(uint32_t now) {
        pad_.stick(0, 0);
        if (state_.matchPhase == MatchPhase::MatchOver) {
            tap();  // back to the front end
            return true;
        }
        // A thrown dart's second press lets it go on the forward swing, near its lowest point,
        // where it flies to the middle of the board; the arm's own release would fall short.
        if (state_.matchPhase == MatchPhase::HumanTurn &&
            state_.throwStage == ThrowStage::Swinging && state_.swingDirection == 2 &&
            state_.swingWrapped == 0 && state_.swingAngle < 0.035 && pad_.plugged()) {
            tap();
            return true;
        }
        const bool ready = state_.matchPhase == MatchPhase::HumanTurn &&
                           state_.throwStage == ThrowStage::Aiming &&
                           state_.dartState == DartState::InHand;
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
        if (!pad_.plugged()) {
            if (mouseDarts_ == 1) {
                replugged_ = pad_.plugIn();
                if (!replugged_) error_ = std::string("cannot plug in again: ") + SDL_GetError();
                return replugged_;
            }
            // Without the pad the mouse still throws.
            if (!clicked_) {
                if (std::system("xdotool click 1") != 0) {
                    error_ = "xdotool cannot click";
                    return false;
                }
                clicked_ = true;
                clickMs_ = now;
            } else if (now - clickMs_ > 5000) {
                error_ = "the mouse's click did not throw";
                return false;
            }
            return true;
        }
        tap();
        return true;
    }

    GameState& state_;
    VirtualPad& pad_;
    uint32_t startMs_ = SDL_GetTicks();
    SDL_Window* window_;
    SDL_GameControllerButton held_ = SDL_CONTROLLER_BUTTON_INVALID;
    int shoulderSteps_ = 0;
    bool shoulderPressed_[2] = {};
    bool characterSelectOpen_ = false;
    bool pointerKnown_ = false;
    int pointerX_ = 0, pointerY_ = 0;
    int padDarts_ = 0, mouseDarts_ = 0;
    bool wasReady_ = false;
    bool wonSeen_ = false;
    int matches_ = 0;
    bool clicked_ = false;
    uint32_t clickMs_ = 0;
    bool matchEnded_ = false;
    bool replugged_ = false;
    uint32_t backSince_ = 0;
    uint32_t traceMs_ = 0;
    std::string error_;
};

// The character-select screen's input, watched for where its pointer is.
class WatchedUi final : public platform::UiInput {
  public:
    WatchedUi(platform::UiInput& inner, PadPlayer& player) : inner_(inner), player_(player) {}
    void setTextInput(bool on) override {
        player_.characterSelect(on);
        inner_.setTextInput(on);
    }
    bool poll(platform::UiEvent& event) override {
        if (!inner_.poll(event)) return false;
        if (event.kind == platform::UiEvent::Kind::PointerMove) player_.pointerAt(event.x, event.y);
        return true;
    }

  private:
    platform::UiInput& inner_;
    PadPlayer& player_;
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
    GameSession& session = *started.session;

    VirtualPad pad;
    if (!pad.plugIn()) return fail(std::string("no virtual joystick: ") + SDL_GetError());
    PadPlayer player(*state, pad, session.window->sdlWindow());
    render::HeadlessDevice headless;
    CountingDevice device(headless);
    device.setFrameListener([&](uint64_t frame) {
        if (player.frame()) return;
        std::fprintf(stderr, "pad_match: %s after %llu frames\n", player.error().c_str(),
                     static_cast<unsigned long long>(frame));
        std::_Exit(1);  // mid-loop: nothing else may run
    });
    WatchedUi ui(*session.input, player);
    FrameIo frameIo{device, *session.input, session.window.get()};
    MainLoopIo io{frameIo, ui, [&session] { session.input->release(); }, {}, {}};
    mainLoop(*state, io);

    const platform::ControllerMouse* pads = platform::activeControllers();
    std::printf(
        "frames %llu, matches %d, pad darts %d, mouse darts %d, left %d and %d, "
        "controllers open %d\n",
        static_cast<unsigned long long>(device.framesPresented()), player.matches(),
        player.padDarts(), player.mouseDarts(), state->players[kHuman].scoreLeft,
        state->players[kComputer].scoreLeft, pads ? pads->controllersOpen() : -1);
    if (!player.matchEnded() || player.matches() != 1) return fail("not one whole match played");
    if (player.mouseDarts() != 1 || !player.replugged()) return fail("the pad was not swapped");
    if (state->players[kHuman].scoreLeft != 0) return fail("the pad's player did not win");
    if (pads == nullptr || pads->controllersOpen() != 1)
        return fail("the pad plugged in again is not open");
    std::printf("a whole match played and won with the pad\n");
    // As the game does: the window and its context stay until the process ends.
    static GameSession* const kept = started.session.release();
    (void)kept;
    return 0;
}
