// Game controllers as the mouse and the Escape key the game already reads. Each update turns the
// controllers' state into SDL mouse and key events on SDL's own queue, so the records the game
// gets from a controller are the records a mouse would have given (X and Y motion, button 0), and
// every rule, demo and test sees no difference:
//   left stick and d-pad  motion, on a curve: slow near the centre, fast at the rim; where the
//                         pointer is free (the character-select screen) the system pointer is
//                         moved with it, so the player sees where A will click
//   A                     the left mouse button
//   Back held a second    Escape (a tap does nothing: a match must not end by accident)
//   shoulders             the character-select screen's arrows (only while the pointer is free),
//                         clicked where they are shown, whatever the window's size and bars
// Controllers plugged in or pulled out at any time are picked up or let go at the next update.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace darts::platform {

// Motion in mouse counts per second for one axis: `deflection` -1..1 (stick or d-pad), zero inside
// the dead zone, then rising with the square of the deflection to kFastestCounts at the rim.
constexpr double kStickDeadZone = 0.15;
constexpr double kFastestCounts = 300;
double countsPerSecond(double deflection);

// The d-pad's deflection after being held `heldMs`: a quarter at once for single steps, full
// after 800 ms.
double dpadDeflection(uint32_t heldMs);

constexpr uint32_t kEscapeHoldMs = 1000;

class ControllerMouse {
  public:
    // Starts SDL's game-controller support; events carry `window`'s id. Without controller
    // support it does nothing.
    explicit ControllerMouse(SDL_Window* window);
    ~ControllerMouse();
    ControllerMouse(const ControllerMouse&) = delete;
    ControllerMouse& operator=(const ControllerMouse&) = delete;

    // Reads every controller and pushes what it did since the last update; `nowMs` from
    // SDL_GetTicks (a test gives its own).
    void update(uint32_t nowMs);

    // A short rumble on every controller that has one, if rumbling is on.
    void rumble();
    void setRumble(bool on) { rumbleOn_ = on; }

    int controllersOpen() const { return static_cast<int>(pads_.size()); }

  private:
    struct Pad;
    void openNewControllers();
    void closeGoneControllers();
    void releaseHeld(Pad& pad);
    void pushMotion(int dx, int dy);
    void pushButton(bool down, int x, int y);
    void pushEscape(bool down);
    void pushArrow(bool right, bool down);

    SDL_Window* window_;
    bool started_ = false;
    bool rumbleOn_ = true;
    std::vector<std::unique_ptr<Pad>> pads_;
    std::vector<SDL_JoystickID> refused_;  // plugged in, but not game controllers
    uint32_t lastMs_ = 0;
    bool haveLast_ = false;
    // Unspent fractions of a count, so slow motion still arrives.
    double carryX_ = 0, carryY_ = 0;
    // The pointer's place in window coordinates, for the free pointer of the character-select
    // screen; taken back from SDL whenever the real mouse has moved it (the controller's own
    // moves of the system pointer are noted as seen).
    int pointerX_ = 0, pointerY_ = 0;
    int seenMouseX_ = -1, seenMouseY_ = -1;
};

// The controllers of the running game, for the board hit's rumble; null when there are none.
ControllerMouse* activeControllers();

}  // namespace darts::platform
