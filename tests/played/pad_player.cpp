#include "played/pad_player.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "app/startup.h"
#include "demos/run_control.h"
#include "loops/main_loop.h"
#include "platform/sdl/sdl_window.h"
#include "platform/sdl/virtual_gamepad.h"

namespace darts::test_support {
namespace {

// Nothing the player watches has changed for this long: the game is stuck (or the player is).
constexpr uint32_t kStuckMs = 10000;

Sint16 axis(double v) { return static_cast<Sint16>(std::lround(std::clamp(v, -1.0, 1.0) * 32767)); }

// The character-select screen's input, watched for its pointer and for when it is open.
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

bool VirtualPad::plugIn() {
    SDL_VirtualJoystickDesc desc = virtualGamepadDesc();
    const int index = SDL_JoystickAttachVirtualEx(&desc);
    if (index < 0) return false;
    joystick_ = SDL_JoystickOpen(index);
    return joystick_ != nullptr;
}

void VirtualPad::unplug() {
    const SDL_JoystickID id = SDL_JoystickInstanceID(joystick_);
    SDL_JoystickClose(joystick_);
    joystick_ = nullptr;
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
        if (SDL_JoystickGetDeviceInstanceID(i) == id) SDL_JoystickDetachVirtual(i);
    }
}

void VirtualPad::stick(double x, double y) {
    if (!joystick_) return;
    SDL_JoystickSetVirtualAxis(joystick_, SDL_CONTROLLER_AXIS_LEFTX, axis(x));
    SDL_JoystickSetVirtualAxis(joystick_, SDL_CONTROLLER_AXIS_LEFTY, axis(y));
}

void VirtualPad::button(SDL_GameControllerButton which, bool down) {
    if (joystick_) SDL_JoystickSetVirtualButton(joystick_, which, down ? 1 : 0);
}

PadPlayer::PadPlayer(GameState& state, VirtualPad& pad, SDL_Window* window, const char* name)
    : state_(state), pad_(pad), window_(window), name_(name) {}

void PadPlayer::pointerAt(int x, int y) {
    pointerX_ = x;
    pointerY_ = y;
    pointerKnown_ = true;
}

bool PadPlayer::frame() {
    const uint32_t now = SDL_GetTicks();
    trace(now);
    if (stuck(now)) return false;
    // A press lasts until the next frame the input was read in, then is let go.
    if (held_ != SDL_CONTROLLER_BUTTON_INVALID) {
        pad_.button(held_, false);
        held_ = SDL_CONTROLLER_BUTTON_INVALID;
        return true;
    }
    if (state_.inFrontEnd == 0) return matchFrame();
    if (done()) return holdBack(now);
    if (frontEndFrame()) return error_.empty();
    if (characterSelectOpen_) return characterSelectFrame();
    if (state_.screen == ScreenId::Title) return titleFrame();
    tap();  // the notice, should it come: dismissed
    return true;
}

bool PadPlayer::steer(int fromX, int fromY, int x, int y) {
    auto deflection = [](int error) {
        if (std::abs(error) <= 4) return 0.0;
        const double d = std::min(1.0, 0.35 + std::abs(error) / 150.0);
        return error > 0 ? d : -d;
    };
    const double dx = deflection(x - fromX), dy = deflection(y - fromY);
    pad_.stick(dx, dy);
    return dx == 0 && dy == 0;
}

bool PadPlayer::showPointer() {
    if (!pointerKnown_) pad_.stick(0.5, 0.5);  // any move shows where the pointer is
    return pointerKnown_;
}

bool PadPlayer::steerPointer(int x, int y) {
    return showPointer() && steer(pointerX_, pointerY_, x, y);
}

void PadPlayer::tap(SDL_GameControllerButton button) {
    pad_.stick(0, 0);
    pad_.button(button, true);
    held_ = button;
}

bool PadPlayer::giveUp(std::string why) {
    error_ = std::move(why);
    return false;
}

bool PadPlayer::readyToThrow() const {
    return state_.matchPhase == MatchPhase::HumanTurn && state_.throwStage == ThrowStage::Aiming &&
           state_.dartState == DartState::InHand;
}

bool PadPlayer::releaseOnSwing() {
    if (state_.matchPhase != MatchPhase::HumanTurn || state_.throwStage != ThrowStage::Swinging ||
        state_.swingDirection != 2 || state_.swingWrapped != 0 || state_.swingAngle >= 0.035) {
        return false;
    }
    tap();
    return true;
}

bool PadPlayer::holdBack(uint32_t now) {
    pad_.stick(0, 0);
    if (backSince_ == 0) backSince_ = now;
    pad_.button(SDL_CONTROLLER_BUTTON_BACK, now - backSince_ < 1300);
    return true;
}

bool PadPlayer::titleFrame() {
    const bool chosen = state_.players[kHuman].characterNumber != 0;
    // The menu: the darts bar once a character is chosen, character select before.
    const int y = chosen ? 430 : 510;
    if (steer(state_.cursorX, state_.cursorY, 380, y)) tap();
    return true;
}

// On this screen the window is widened to 1000 x 600, so that the picture stands between black
// bars: the shoulders step the roster forward and back, and the system pointer must stand where
// A clicks OK.
bool PadPlayer::characterSelectFrame() {
    int width = 0, height = 0;
    SDL_GetWindowSize(window_, &width, &height);
    if (width != 1000 || height != 600) {
        SDL_SetWindowSize(window_, 1000, 600);
        return true;
    }
    if (!showPointer()) return true;
    // Right, then left again: the game is played with the first character, as it always was.
    if (shoulderSteps_ < 2) {
        const int wanted = shoulderSteps_ == 0 ? 2 : 1;
        if (state_.selectedCharacter == wanted) {
            ++shoulderSteps_;
        } else if (!shoulderPressed_[shoulderSteps_]) {
            tap(shoulderSteps_ == 0 ? SDL_CONTROLLER_BUTTON_RIGHTSHOULDER
                                    : SDL_CONTROLLER_BUTTON_LEFTSHOULDER);
            shoulderPressed_[shoulderSteps_] = true;
        } else {
            return giveUp("a shoulder missed its arrow");
        }
        return true;
    }
    if (!steerPointer(640, 512)) return true;
    // The player sees the system pointer: it must stand where A clicks OK.
    int windowX = 0, windowY = 0, shownX = 0, shownY = 0;
    SDL_GetWindowPosition(window_, &windowX, &windowY);
    SDL_GetGlobalMouseState(&shownX, &shownY);
    const SDL_Rect clicks = platform::pictureRectInWindow(window_, {pointerX_, pointerY_, 0, 0});
    if (std::abs(windowX + clicks.x - shownX) > 3 || std::abs(windowY + clicks.y - shownY) > 3) {
        return giveUp("the system pointer stands at " + std::to_string(shownX - windowX) + ", " +
                      std::to_string(shownY - windowY) + " in the window, A clicks at " +
                      std::to_string(clicks.x) + ", " + std::to_string(clicks.y));
    }
    tap();  // OK
    return true;
}

// Everything the player acts on, as one number: while it changes, the game is going on.
bool PadPlayer::stuck(uint32_t now) {
    const int64_t parts[] = {static_cast<int>(state_.screen),
                             state_.inFrontEnd,
                             static_cast<int>(state_.matchPhase),
                             static_cast<int>(state_.throwStage),
                             static_cast<int>(state_.dartState),
                             state_.dartsFinished,
                             state_.cursorX,
                             state_.cursorY,
                             state_.selectedCharacter,
                             pointerX_,
                             pointerY_,
                             state_.rules && state_.rules->holdsForClick()};
    uint64_t look = 1469598103934665603ull;
    for (int64_t part : parts) look = (look ^ static_cast<uint64_t>(part)) * 1099511628211ull;
    if (look != lastLook_) {
        lastLook_ = look;
        lastChangeMs_ = now;
    }
    if (now - lastChangeMs_ <= kStuckMs) return false;
    return !giveUp("stuck on screen " + std::to_string(static_cast<int>(state_.screen)) +
                   ", phase " + std::to_string(static_cast<int>(state_.matchPhase)) + ", stage " +
                   std::to_string(static_cast<int>(state_.throwStage)) + " " + traceText());
}

void PadPlayer::trace(uint32_t now) {
    if (!std::getenv("PAD_TRACE") || now - traceMs_ <= 500) return;
    traceMs_ = now;
    std::fprintf(stderr,
                 "screen %d front %d cursor %d,%d pointer %d,%d phase %d stage %d dart %d %s\n",
                 static_cast<int>(state_.screen), state_.inFrontEnd, state_.cursorX, state_.cursorY,
                 pointerX_, pointerY_, static_cast<int>(state_.matchPhase),
                 static_cast<int>(state_.throwStage), static_cast<int>(state_.dartState),
                 traceText().c_str());
}

uint64_t playWithPad(GameState& state, std::unique_ptr<GameSession> started, PadPlayer& player,
                     BarMachine* barMachine) {
    // Closing the last OpenGL window would unload the driver, whose own allocations would then
    // look like leaks of the game.
    static GameSession* const kept = started.release();
    GameSession& session = *kept;
    render::HeadlessDevice headless;
    CountingDevice device(headless);
    device.setFrameListener([&](uint64_t frame) {
        if (player.frame()) return;
        std::fprintf(stderr, "%s: %s after %llu frames\n", player.name(), player.error().c_str(),
                     static_cast<unsigned long long>(frame));
        std::_Exit(1);  // mid-loop: nothing else may run
    });
    WatchedUi ui(*session.input, player);
    FrameIo frameIo{device, *session.input, session.window.get()};
    // As the game does: the system pointer shows where the screen's pointer starts.
    MainLoopIo io{frameIo,
                  ui,
                  [&session, &state] {
                      session.input->release();
                      session.input->showPointerAt(state.cursorX, state.cursorY);
                  },
                  {},
                  {}};
    io.barMachine = barMachine;
    mainLoop(state, io);
    return device.framesPresented();
}

}  // namespace darts::test_support
