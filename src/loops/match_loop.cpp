#include "loops/match_loop.h"

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

    bool frame() {
        render::renderMatchFrame(state_, io_.device);
        for (FeatureLayer* layer : options_.layers) layer->afterMatchFrame(state_);
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
