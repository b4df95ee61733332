// A state with a match prepared and the dart in hand, as the game has it after start-up.
#pragma once

#include <memory>

#include "core/game_state.h"
#include "match/rules.h"

namespace darts::testing {

inline std::unique_ptr<GameState> preparedMatch() {
    auto state = std::make_unique<GameState>();
    state->dartState = DartState::InHand;
    newMatch(*state);
    state->inFrontEnd = 0;
    return state;
}

}  // namespace darts::testing
