#include "loops/match_loop.h"

#include "games/bar_match.h"
#include "loops/input_dispatch.h"
#include "match/computer.h"
#include "render/match_scene.h"

namespace darts {
namespace {

class MatchLoop {
  public:
    MatchLoop(GameState& state, FrameIo& io, const MatchLoopOptions& options)
        : state_(state), io_(io), options_(options) {}

    MatchLoopEnd run() {
        while (state_.inFrontEnd == 0) {
            while (state_.matchPhase == MatchPhase::ComputerTurn) {
                computerTurnFrame(kComputer);
                if (!frame()) return abandon();
                pollKeyboard(state_, io_);
            }
            while (state_.matchPhase == MatchPhase::HumanTurn) {
                if (state_.rules && state_.rules->holdsForClick()) {
                    if (!frame()) return abandon();
                    pollKeyboard(state_, io_);
                    if (clickedOrPlayedFor()) state_.rules->clicked(state_);
                    continue;
                }
                if (options_.computerPlaysHuman) computerTurnFrame(kHuman);
                if (!frame()) return abandon();
                pollKeyboard(state_, io_);
                pollMouse(state_, io_);
            }
            pollKeyboard(state_, io_);
        }
        return MatchLoopEnd::Ended;
    }

  private:
    // A bar game's rules drive the computer's aim themselves; the 301's computer plays by the
    // brain of its slot.
    void computerTurnFrame(int slot) {
        if (state_.rules) {
            state_.rules->computerFrame(state_);
        } else {
            computerFrame(state_, brains_[slot]);
        }
    }

    // While a bar game holds for a click: a press of the button, or at once when the computer
    // plays for the human. The mouse's moves point at what the pause offers; the rest of what the
    // mouse did is dropped.
    bool clickedOrPlayedFor() {
        platform::MouseRecord records[platform::kMouseBufferSize];
        const int count = io_.input.readMouse(records, platform::kMouseBufferSize);
        bool pressed = options_.computerPlaysHuman;
        bool down = pressed;  // the button after this frame's records
        for (int i = 0; i < count && i < platform::kMouseBufferSize; ++i) {
            const platform::MouseRecord& record = records[i];
            if (record.object == platform::MouseObject::X) state_.rules->pointerMoved(record.data, 0);
            if (record.object == platform::MouseObject::Y) state_.rules->pointerMoved(0, record.data);
            if (record.object != platform::MouseObject::Button0) continue;
            if (record.data == 0) down = false;  // as the throw reads a release
            if ((record.data & platform::kButtonPressed) != 0) pressed = down = true;
        }
        // The press is the pause's: the release that follows must not count as the throw's. A
        // release read in the same frame (a slow frame) has come already: nothing is left to
        // wait for, or the throw would take the next press as that release.
        if (pressed) state_.buttonHeld = down ? 1 : 0;
        return pressed;
    }

    bool frame() {
        const auto* bar = dynamic_cast<const games::BarMatch*>(state_.rules);
        if (bar != nullptr) {
            const games::BarBoardView view = bar->view();
            render::renderMatchFrame(state_, io_.device, &view);
        } else {
            render::renderMatchFrame(state_, io_.device);
        }
        for (FeatureLayer* layer : options_.layers) layer->afterMatchFrame(state_);
        for (FeatureLayer* layer : options_.layers) layer->matchFrameDone(state_, io_);
        return !options_.afterFrame || options_.afterFrame(state_);
    }

    MatchLoopEnd abandon() {
        state_.matchPhase = MatchPhase::MatchOver;
        state_.inFrontEnd = 1;
        return MatchLoopEnd::Abandoned;
    }

    GameState& state_;
    FrameIo& io_;
    const MatchLoopOptions& options_;
    // The computer's decision state lives as long as the match loop; the human's only exists
    // when the computer plays for the human.
    ComputerBrain brains_[2];
};

}  // namespace

MatchLoopEnd runMatch(GameState& state, FrameIo& io, const MatchLoopOptions& options) {
    return MatchLoop(state, io, options).run();
}

}  // namespace darts
