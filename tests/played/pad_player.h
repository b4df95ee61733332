// A player at a game controller, for the played programs that run the game's own start-up, main
// loop and SDL input with SDL's virtual joystick as the only pad. A player at the pad watches the
// picture; this one watches the game state (and the pointer the pointer-driven screens are given)
// and moves the stick and presses A, the shoulders and Back as a player would.
//
// The frames are drawn on a headless device, so the game runs as fast as the input lets it; only
// the stick's motion and the Back button's second take real time.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <memory>
#include <string>

#include "core/game_state.h"
#include "platform/ui_input.h"

namespace darts {
class BarMachine;
struct GameSession;
}  // namespace darts

namespace darts::test_support {

class VirtualPad {
  public:
    bool plugIn();
    void unplug();
    bool plugged() const { return joystick_ != nullptr; }
    // -1..1 on each axis of the left stick.
    void stick(double x, double y);
    void button(SDL_GameControllerButton which, bool down);

  private:
    SDL_Joystick* joystick_ = nullptr;
};

// What the player does once per frame; a program's own player plays its match and says when it
// is done, and this part takes it through the title and the character select and quits.
class PadPlayer {
  public:
    PadPlayer(GameState& state, VirtualPad& pad, SDL_Window* window, const char* name);
    virtual ~PadPlayer() = default;

    // The pointer a pointer-driven screen was last given, in frame pixels.
    void pointerAt(int x, int y);
    void characterSelect(bool open) { characterSelectOpen_ = open; }

    // One frame's move; false when the player gives up (error() says why).
    bool frame();
    const std::string& error() const { return error_; }
    const char* name() const { return name_; }

  protected:
    // The program's own move for a frame in the front end (false: nothing to do there, the
    // title's and the character select's moves follow) and in a match (false: give up).
    virtual bool frontEndFrame() { return false; }
    virtual bool matchFrame() = 0;
    // Played out: the title then quits the game.
    virtual bool done() const = 0;
    // What the trace line (PAD_TRACE set) adds to the state it always shows.
    virtual std::string traceText() const { return {}; }

    // Steers the stick from where the pointer or cursor is towards x, y; true once it is there.
    bool steer(int fromX, int fromY, int x, int y);
    // Moves the stick a little until a pointer-driven screen says where its pointer is.
    bool showPointer();
    // steer() for that pointer, once it is known.
    bool steerPointer(int x, int y);
    // Forgets the pointer, for a screen that has just put it somewhere else.
    void pointerUnknown() { pointerKnown_ = false; }
    // Pressed in this frame, let go in the next one the input is read in.
    void tap(SDL_GameControllerButton button = SDL_CONTROLLER_BUTTON_A);
    bool giveUp(std::string why);
    // The human's dart in hand and still: A sets the arm swinging.
    bool readyToThrow() const;
    // A thrown dart's second press lets it go on the forward swing, near its lowest point, where
    // it flies to the middle of the board (the arm's own release would fall short); true when A
    // was pressed for it in this frame.
    bool releaseOnSwing();

    GameState& state_;
    VirtualPad& pad_;
    SDL_Window* window_;

  private:
    bool titleFrame();
    bool characterSelectFrame();
    // Done: Back held for more than its second ends the game as Escape does.
    bool holdBack(uint32_t now);
    bool stuck(uint32_t now);
    void trace(uint32_t now);

    const char* name_;
    SDL_GameControllerButton held_ = SDL_CONTROLLER_BUTTON_INVALID;
    int shoulderSteps_ = 0;
    bool shoulderPressed_[2] = {};
    bool characterSelectOpen_ = false;
    bool pointerKnown_ = false;
    int pointerX_ = 0, pointerY_ = 0;
    uint32_t backSince_ = 0;
    uint64_t lastLook_ = 0;
    uint32_t lastChangeMs_ = SDL_GetTicks();
    uint32_t traceMs_ = 0;
    std::string error_;
};

// Runs the game's main loop on `session` with the player at the pad, the frames drawn on a
// headless device, and the bar machine's game select where `barMachine` is given. Frames
// presented; a player that gives up ends the process with status 1. As in the game, the window
// and its context stay until the process ends.
uint64_t playWithPad(GameState& state, std::unique_ptr<GameSession> session, PadPlayer& player,
                     BarMachine* barMachine = nullptr);

}  // namespace darts::test_support
